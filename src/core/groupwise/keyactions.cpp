#include "groupwise/keyactions.h"

#include "groupwise/groupwise.h"
#include "groupwise/runs.h"
#include "settings/cipher.h"
#include "settings/codepage.h"
#include "settings/gwsettings.h"
#include "settings/profilefile.h"

namespace mv {

namespace {

struct Reason {
    const char* german;
    const char* english;
};

// Index = code; codes 1 to 5 are shared by both functions.
constexpr Reason kCreateReasons[] = {
    {"", ""},
    {"Initialisierungsfehler", "Intializing error"},
    {"Verbindungsfehler", "Connectionerror"},
    {"Daten konnten nicht angelegt werden", "Can`t create datas"},
    {"Datenfeld Fehler", "Datafield error"},
    {"Schlüssel konnte nicht gelesen werden", "Can`t read key"},
    {"Anwendung bereits vorhanden", "Application still there"},
    {"Schlüssel konnte nicht überschrieben werden", "Can`t overwrite key"},
    {"Schlüssel-ID konnte nicht gelesen werden", "Can`t read key-id"},
    {"", ""},
    {"", ""},
    {"Programm konnte sich nicht bei GroupWise anmelden", "Can`t login in GroupWise"},
};

constexpr Reason kDeleteReasons[] = {
    {"", ""},
    {"Initialisierungsfehler", "Intializing error"},
    {"Verbindungsfehler", "Connectionerror"},
    {"Daten konnten nicht angelegt werden", "Can`t create datas"},
    {"Datenfeld Fehler", "Datafield error"},
    {"Schlüssel konnte nicht gelesen werden", "Can`t read key"},
    {"", ""},
    {"", ""},
    {"Eingegebener Schlüssel ist nicht korrekt", "Entered key is not correct"},
    {"", ""},
    {"Schlüssel konnte nicht gelöscht werden", "Can`t delete key"},
    {"Schlüssel konnte nicht gelöscht werden, Anmeldung nicht möglich", "Can`t delete key"},
};

QString reason(const Reason (&table)[12], int code, bool german) {
    if (code < 1 || code > 11)
        return QString();
    return QString::fromUtf8(german ? table[code].german : table[code].english);
}

QString appTitle() {
    return QString::fromLatin1(kAppTitle);
}

} // namespace

Notice keyFailureNotice(bool creation, int code, const MessageTable& messages, Language language) {
    const QChar quote(u'"');
    if (language == Language::German) {
        const QString sentence = messages[creation ? Msg::KeyNotCreated : Msg::KeyNotDeleted];
        const QString why = creation ? createKeyReason(code, true) : deleteKeyReason(code, true);
        return Notice{sentence + QStringLiteral(", ") + quote + why + quote, appTitle(),
                      Notice::Icon::None};
    }
    const QString head =
        creation ? QStringLiteral("Can`t create key, ") : QStringLiteral("Can`t delete key, ");
    const QString why = creation ? createKeyReason(code, false) : deleteKeyReason(code, false);
    return Notice{head + quote + why + quote, appTitle(), Notice::Icon::None};
}

namespace {

KeyActionFailure saveFailed(const MessageTable& messages, const SaveFailure& failure) {
    return KeyActionFailure{0, failure.code,
                            Notice{messages[Msg::SaveFailed] + QStringLiteral(" (") +
                                       QString::number(failure.code) + QStringLiteral(")"),
                                   QStringLiteral("Schlüssel"), Notice::Icon::Critical}};
}

KeyActionFailure libraryFailed(bool creation, int code, const MessageTable& messages,
                               Language language) {
    return KeyActionFailure{code, 1, keyFailureNotice(creation, code, messages, language)};
}

// The library's key area as the program holds it: blanks trimmed at both ends, the NUL
// that ends the key and whatever follows it kept.
QByteArray keyText(const QByteArray& area) {
    QByteArray text = area.left(kKeyAreaSize);
    if (text.size() < kKeyAreaSize)
        text.append(QByteArray(kKeyAreaSize - text.size(), '\0'));
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text.at(begin) == ' ')
        ++begin;
    while (end > begin && text.at(end - 1) == ' ')
        --end;
    return text.mid(begin, end - begin);
}

} // namespace

QString createKeyReason(int code, bool german) {
    return reason(kCreateReasons, code, german);
}

QString deleteKeyReason(int code, bool german) {
    return reason(kDeleteReasons, code, german);
}

Notice keyActionNotice(const KeyActionResult& result) {
    if (result)
        return *result;
    return result.failure().notice;
}

KeyActionResult CreateTrustedAppKey(const Environment& environment, const QString& domainPath,
                                    const MessageTable& messages, Language language) {
    QByteArray area(kKeyAreaSize, '\0');
    const int code = gw::CreateTrustedAppObject(domainPath, QString::fromLatin1(kTrustedAppName),
                                                QString::fromLatin1(kTrustedAppDescription),
                                                QString(), 0, 0, 0, 0, 0, area);
    if (code != 0)
        return libraryFailed(true, code, messages, language);
    const QByteArray stored = EncryptText(keyText(area), QByteArray(kPassPhrase));
    ProfileFile profile(environment.settingsPath());
    if (const SaveResult saved = writeStoredKey(profile, QString::fromLatin1(stored)); !saved)
        return saveFailed(messages, saved.failure());
    return Notice{messages[Msg::KeyCreated], appTitle(), Notice::Icon::Information};
}

KeyActionResult DeleteTrustedAppKey(const Environment& environment, const QString& domainPath,
                                    const MessageTable& messages, Language language) {
    ProfileFile profile(environment.settingsPath());
    const QByteArray key = DecryptText(toCp1252(readStoredKey(profile)), QByteArray(kPassPhrase));
    const int code =
        gw::DeleteTrustedAppObject(domainPath, QString::fromLatin1(kTrustedAppName), key);
    if (code != 0)
        return libraryFailed(false, code, messages, language);
    if (const SaveResult saved = removeStoredKey(profile); !saved)
        return saveFailed(messages, saved.failure());
    return Notice{messages[Msg::KeyDeleted] + QStringLiteral("."), appTitle(),
                  Notice::Icon::Information};
}

} // namespace mv
