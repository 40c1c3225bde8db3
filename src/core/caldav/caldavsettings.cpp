#include "caldav/caldavsettings.h"

#include "settings/cipher.h"
#include "settings/codepage.h"
#include "settings/profilefile.h"
#include "settings/settings.h"
#include "ui/messages.h"

namespace mv::caldav {

namespace {

const QString kSection = QStringLiteral("CalDAV");
constexpr QChar kBel(7);
constexpr QChar kNul(0);
constexpr int kLong = 4096;

QString storable(const QString& field) {
    QString text = field;
    for (QChar& ch : text) {
        if (ch == kBel || ch == kNul || ch == u'\r' || ch == u'\n')
            ch = u' ';
    }
    return text;
}

QString calendarKey(qsizetype index) {
    return QStringLiteral("Kalender") + QString::number(index + 1);
}

} // namespace

CalDavSettings LoadCalDavSettings(const ProfileFile& file) {
    auto read = [&file](const QString& key) {
        return file.readKey(kSection, key, QString(), kLong);
    };
    CalDavSettings s;
    s.url = read(QStringLiteral("URL"));
    s.user = read(QStringLiteral("Benutzer"));
    const QString cipher = read(QStringLiteral("Passwort"));
    if (!cipher.isEmpty())
        s.password = DecryptText(cipher, QString::fromLatin1(kPassPhrase));
    s.caFile = read(QStringLiteral("CA-Datei"));
    s.kind = read(QStringLiteral("Serverart")).compare(u"CalDAV", Qt::CaseInsensitive) == 0
                 ? ServerKind::CalDAV
                 : ServerKind::GroupWise;
    for (int i = 0;; ++i) {
        const QString line = read(calendarKey(i));
        if (line.isEmpty())
            break;
        const QStringList f = line.split(kBel);
        s.calendars.append({f.value(0), f.value(1), f.value(2)});
    }
    return s;
}

Result<void> SaveCalDavSettings(ProfileFile& file, const CalDavSettings& s, Language language) {
    const QString pass = QString::fromLatin1(kPassPhrase);
    const QString cipher = s.password.isEmpty() ? QString() : EncryptText(s.password, pass);
    if (fromCp1252(toCp1252(s.password)) != s.password || DecryptText(cipher, pass) != s.password)
        return fail(MessageTable::in(language, Msg::CalDavPasswordUnstorable));
    QStringList lines;
    auto add = [&lines](const QString& key, const QString& value) {
        lines.append(key + u'=' + value);
    };
    add(QStringLiteral("Serverart"),
        s.kind == ServerKind::CalDAV ? QStringLiteral("CalDAV") : QStringLiteral("GroupWise"));
    add(QStringLiteral("URL"), storable(s.url.trimmed()));
    add(QStringLiteral("Benutzer"), storable(s.user.trimmed()));
    add(QStringLiteral("Passwort"), cipher);
    add(QStringLiteral("CA-Datei"), storable(s.caFile.trimmed()));
    for (qsizetype i = 0; i < s.calendars.size(); ++i) {
        const CalendarRef& c = s.calendars[i];
        add(calendarKey(i),
            storable(c.path) + kBel + storable(c.owner) + kBel + storable(c.displayName));
    }
    QString block;
    for (const QString& line : lines)
        block += line + kNul;
    block += kNul;
    const int code = file.replaceSection(kSection, block);
    if (code != 1)
        return fail(MessageTable::in(language, Msg::SaveFailed) + QStringLiteral(" (") +
                    QString::number(code) + QLatin1Char(')'));
    return {};
}

} // namespace mv::caldav
