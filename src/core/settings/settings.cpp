#include "settings/settings.h"

#include "days/furtherday.h"
#include "settings/gwsettings.h"
#include "settings/profilefile.h"

namespace mv {

namespace {

constexpr QChar kBel(7);
constexpr QChar kNul(0);

const QString kHolidays = QStringLiteral("Feiertage");
const QString kSettings = QStringLiteral("Einstellungen");
const QString kFurtherDays = QStringLiteral("Weitere Tage");
const QString kUsers = QStringLiteral("User");

QString onOff(bool on) {
    return on ? QStringLiteral("1") : QStringLiteral("0");
}

// Fields of a user row go into one stored line: a BEL, line break or NUL inside a
// field would shift the fields or cut the section.
QString storable(const QString& field) {
    QString text = field;
    for (QChar& ch : text) {
        if (ch == kBel || ch == kNul || ch == u'\r' || ch == u'\n')
            ch = u' ';
    }
    return text;
}

bool isEnglish(Language language) {
    return language == Language::English;
}

// The name the user knows a stored text field by.
QString fieldName(const char* key, Language language) {
    struct Name {
        const char* key;
        const char* german;
        const char* english;
    };
    static constexpr Name kNames[] = {
        {"Jahr", "Jahr", "Year"},
        {"Definition speichern unter", "Definition speichern unter", "Save definition under"},
        {"Standardtermin Zeit Von", "Standardtermin Von", "Default appointment From"},
        {"Standardtermin Zeit Bis", "Standardtermin Bis", "Default appointment To"},
        {"Standardtermin Ort", "Standardtermin Ort", "Default appointment Place"},
        {"Darstellung Von", "Feiertage Von", "Holidays From"},
        {"Darstellung Bis", "Feiertage Bis", "Holidays To"},
        {"Darstellung Ort", "Feiertage Ort", "Holidays Place"},
        {"Sprache", "Sprache", "Language"},
        {"Land", "Land", "Country"},
    };
    for (const Name& n : kNames) {
        if (qstrcmp(n.key, key) == 0)
            return QString::fromUtf8(isEnglish(language) ? n.english : n.german);
    }
    return QString::fromUtf8(key);
}

// "<list>, row n" in the language.
QString rowName(const char* german, const char* english, int row, Language language) {
    return QString::fromUtf8(isEnglish(language) ? english : german).arg(row + 1);
}

// Lines of a section block up to the first empty one.
QStringList blockLines(const QString& block) {
    QStringList lines = block.split(kNul);
    const qsizetype empty = lines.indexOf(QString());
    if (empty >= 0)
        lines.resize(empty);
    return lines;
}

} // namespace

Settings LoadSettings(const ProfileFile& file, const QDate& today,
                      const QString& systemCountryCode) {
    // Each read takes at most the stored length of its key (buffer size = length + 1).
    auto read = [&file](const QString& section, const char* key, const QString& def, int max) {
        return file.readKey(section, QString::fromUtf8(key), def, max + 1);
    };
    Settings s;
    const GroupWiseConnection connection = readGroupWiseConnection(file, kConnectionAtLoad);
    s.postOfficeAddress = connection.address;
    s.postOfficePort = connection.port;

    const QString currentYear = QString::number(today.year());
    s.yearText = read(kHolidays, "Jahr", currentYear, 4);
    bool isNumber = false;
    s.selectedYear = s.yearText.trimmed().toInt(&isNumber);
    if (!isNumber) {
        s.yearText = currentYear;
        s.selectedYear = today.year();
    }

    s.definitionPath =
        read(kHolidays, "Definition speichern unter", QStringLiteral("Pfad eingeben"), 256);
    const QString zero = QStringLiteral("00:00");
    s.standardFrom = read(kSettings, "Standardtermin Zeit Von", zero, 5);
    s.standardTo = read(kSettings, "Standardtermin Zeit Bis", zero, 5);
    s.standardPlace = read(kSettings, "Standardtermin Ort", QString(), 59);
    s.holidayFrom = read(kSettings, "Darstellung Von", zero, 5);
    s.holidayTo = read(kSettings, "Darstellung Bis", zero, 5);
    s.holidayPlace = read(kSettings, "Darstellung Ort", QString(), 99);

    // A ticked whole-day box runs its click: the times become the whole day.
    s.holidayWholeDay = read(kSettings, "Darstellung 24h", QStringLiteral("1"), 1) == u"1";
    if (s.holidayWholeDay) {
        s.holidayFrom = zero;
        s.holidayTo = QStringLiteral("24:00");
    }
    s.standardWholeDay = read(kSettings, "Standard 24h", QStringLiteral("0"), 1) == u"1";
    if (s.standardWholeDay) {
        s.standardFrom = zero;
        s.standardTo = QStringLiteral("24:00");
    }
    s.standardActive = read(kSettings, "Standard aktiv", QStringLiteral("1"), 1) == u"1";

    const bool german = systemCountryCode.trimmed().toInt() == 49;
    const QString language = read(kSettings, "Sprache", QString(), 299);
    if (language.isEmpty())
        s.language = german ? Language::German : Language::English;
    else
        s.language = languageFromStored(language);
    const QString country = read(kSettings, "Land", QString(), 299);
    if (country.isEmpty())
        s.country = german ? Country::germany() : Country::usa();
    else
        s.country = Country::fromStored(country);

    for (const QString& line : blockLines(file.readSection(kFurtherDays))) {
        if (auto row = furtherDayFromLine(line))
            s.furtherDays.append(*row);
    }

    s.storedMask = read(kHolidays, "Definition", defaultMask(s.country), 12);
    s.holidays.loadFlags(s.country, s.storedMask);

    s.asNote = read(kHolidays, "alsNotiz", QStringLiteral("0"), 1) == u"1";
    s.users = usersFromBlock(file.readSection(kUsers));
    return s;
}

SaveResult SaveSettings(ProfileFile& file, const SettingsToSave& s) {
    struct Item {
        const QString& section;
        const char* key;
        QString value;
        bool text; // typed by the user or read from the file
    };
    const Item items[] = {
        {kHolidays, "Jahr", s.yearText, true},
        {kHolidays, "Definition", s.mask, false},
        {kHolidays, "alsNotiz", onOff(s.asNote), false},
        {kHolidays, "Definition speichern unter", s.definitionPath, true},
        {kSettings, "Standardtermin Zeit Von", s.standardFrom, true},
        {kSettings, "Standardtermin Zeit Bis", s.standardTo, true},
        {kSettings, "Standardtermin Ort", s.standardPlace, true},
        {kSettings, "Darstellung Von", s.holidayFrom, true},
        {kSettings, "Darstellung Bis", s.holidayTo, true},
        {kSettings, "Darstellung Ort", s.holidayPlace, true},
        {kSettings, "Darstellung 24h", onOff(s.holidayWholeDay), false},
        {kSettings, "Standard 24h", onOff(s.standardWholeDay), false},
        {kSettings, "Standard aktiv", onOff(s.standardActive), false},
        {kSettings, "Sprache", storedText(s.language), true},
        {kSettings, "Land", s.country.storedText(), true},
    };

    // Refused before the first write: a "?" in place of a character is a silent change.
    for (const Item& item : items) {
        if (!item.text)
            continue;
        if (auto u = findUnstorable({{fieldName(item.key, s.language), item.value}}))
            return SaveFailure{0, QString::fromUtf8(item.key), u};
    }
    const QStringList cells =
        isEnglish(s.language) ? QStringList{QStringLiteral("Date"), QStringLiteral("Designation"),
                                            QStringLiteral("Time"), QStringLiteral("Place")}
                              : QStringList{QStringLiteral("Datum"), QStringLiteral("Bezeichnung"),
                                            QStringLiteral("Zeit"), QStringLiteral("Ort")};
    for (int i = 0; i < s.furtherDays.size(); ++i) {
        const DayEntry& d = s.furtherDays[i];
        const QString row = rowName("Weitere Tage, Zeile %1", "Other days, row %1", i, s.language) +
                            QStringLiteral(": ");
        const QList<StoredField> fields{{row + cells[0], d.date},
                                        {row + cells[1], d.designation},
                                        {row + cells[2], d.time},
                                        {row + cells[3], d.place}};
        if (auto u = findUnstorable(fields))
            return SaveFailure{0, kFurtherDays, u, i};
    }

    for (const Item& item : items) {
        const QString key = QString::fromUtf8(item.key);
        const int code = file.writeKey(item.section, key, item.value);
        if (code != 1)
            return SaveFailure{code, key};
    }
    const int code = file.replaceSection(kFurtherDays, furtherDaysBlock(s.furtherDays));
    if (code != 1)
        return SaveFailure{code, kFurtherDays};
    return {};
}

SaveResult SaveUsers(ProfileFile& file, const AddressList& users, Language language) {
    for (int i = 0; i < users.size(); ++i) {
        const AddressRow& u = users[i];
        const QString name =
            rowName("Gewählte Adressen, Zeile %1", "Selected addresses, row %1", i, language);
        if (auto bad = findUnstorable({{name, u.userId + u.kind + u.domain + u.postOffice}}))
            return SaveFailure{0, kUsers, bad, i};
    }
    const int code = file.replaceSection(kUsers, usersBlock(users));
    if (code != 1)
        return SaveFailure{code, kUsers};
    return {};
}

QString furtherDaysBlock(const DayList& rows) {
    QString block;
    for (const DayEntry& row : rows) {
        block += furtherDayToLine(row);
        block += kNul;
    }
    block += kNul;
    return block;
}

QString usersBlock(const AddressList& rows) {
    QString block;
    for (const AddressRow& row : rows) {
        block += storable(row.userId) + kBel + storable(row.kind) + kBel + storable(row.domain) +
                 kBel + storable(row.postOffice);
        block += kNul;
    }
    block += kNul;
    return block;
}

AddressList usersFromBlock(const QString& block) {
    QStringList lines = block.split(kNul);
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    AddressList users;
    for (const QString& line : lines) {
        const QStringList f = line.split(kBel);
        // One or three fields cannot fill a row; such hand-made lines are left out.
        if (f.size() == 2)
            users.append({f[0], f[1], QString(), QString()});
        else if (f.size() >= 4)
            users.append({f[0], f[1], f[2], f[3]});
    }
    return users;
}

} // namespace mv
