#include "settings/profilefile.h"
#include "settings/settings.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace mv;
using namespace Qt::StringLiterals;

namespace {

const QChar kNul(0);
const QDate kToday(2026, 5, 17);

QByteArray readBytes(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeBytes(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(f.write(bytes), bytes.size());
}

QString flags(const HolidayTable& t) {
    QString s;
    for (int i = 0; i < 12; ++i)
        s += t[i].flag.isEmpty() ? QStringLiteral("_") : t[i].flag;
    return s;
}

// Everything the load yields, as comparable text.
QStringList describe(const Settings& s) {
    QStringList d{s.postOfficeAddress,
                  s.postOfficePort,
                  s.yearText,
                  QString::number(s.selectedYear),
                  s.definitionPath,
                  s.standardFrom,
                  s.standardTo,
                  s.standardPlace,
                  s.holidayFrom,
                  s.holidayTo,
                  s.holidayPlace,
                  QString::number(s.holidayWholeDay),
                  QString::number(s.standardWholeDay),
                  QString::number(s.standardActive),
                  storedText(s.language),
                  s.country.storedText(),
                  s.storedMask,
                  QString::number(s.asNote),
                  flags(s.holidays.de),
                  flags(s.holidays.us),
                  flags(s.holidays.at)};
    for (const DayEntry& r : s.furtherDays)
        d << r.date + u'|' + r.designation + u'|' + r.time + u'|' + r.place;
    for (const AddressRow& u : s.users)
        d << u.userId + u'|' + u.kind + u'|' + u.domain + u'|' + u.postOffice;
    return d;
}

SettingsToSave toSave(const Settings& s) {
    SettingsToSave t;
    t.yearText = s.yearText;
    t.mask = s.storedMask;
    t.asNote = s.asNote;
    t.definitionPath = s.definitionPath;
    t.standardFrom = s.standardFrom;
    t.standardTo = s.standardTo;
    t.standardPlace = s.standardPlace;
    t.holidayFrom = s.holidayFrom;
    t.holidayTo = s.holidayTo;
    t.holidayPlace = s.holidayPlace;
    t.holidayWholeDay = s.holidayWholeDay;
    t.standardWholeDay = s.standardWholeDay;
    t.standardActive = s.standardActive;
    t.language = s.language;
    t.country = s.country;
    t.furtherDays = s.furtherDays;
    return t;
}

} // namespace

class TestSettings : public QObject {
    Q_OBJECT
private slots:
    void init();
    void firstStartDefaults_data();
    void firstStartDefaults();
    void fullFixture();
    void roundTripThroughSave();
    void year_data();
    void year();
    void maskOfCurrentCountryOnly_data();
    void maskOfCurrentCountryOnly();
    void wholeDaySwitches_data();
    void wholeDaySwitches();
    void valuesCutToMax();
    void unknownLanguageFallsBackToGerman_data();
    void unknownLanguageFallsBackToGerman();
    void languageAndCountrySurviveLoadAndSave_data();
    void languageAndCountrySurviveLoadAndSave();
    void furtherDayLineShapes();
    void userLineShapes();
    void emptyFurtherDaysLeaveEmptySection();
    void saveStopsAtFirstFailure();
    void saveRefusesUnstorableText_data();
    void saveRefusesUnstorableText();
    void saveIntoMissingFolder();
    void saveUsers();
    void blocks();

private:
    QTemporaryDir dir_;
    QString path_;
};

void TestSettings::init() {
    path_ = dir_.filePath(QStringLiteral("Feiertage.ini"));
    QFile::remove(path_);
}

void TestSettings::firstStartDefaults_data() {
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("language");
    QTest::addColumn<QString>("country");
    QTest::newRow("Germany") << "49"
                             << "Deutsch"
                             << "Deutschland";
    QTest::newRow("USA") << "1"
                         << "English"
                         << "USA";
    QTest::newRow("Austria is not 49") << "43"
                                       << "English"
                                       << "USA";
    QTest::newRow("unknown") << ""
                             << "English"
                             << "USA";
}

void TestSettings::firstStartDefaults() {
    QFETCH(QString, code);
    QFETCH(QString, language);
    QFETCH(QString, country);
    const Settings s = LoadSettings(ProfileFile(path_), kToday, code);
    QCOMPARE(s.yearText, QStringLiteral("2026"));
    QCOMPARE(s.selectedYear, 2026);
    QCOMPARE(s.postOfficeAddress, QString());
    QCOMPARE(s.postOfficePort, QString());
    QCOMPARE(s.definitionPath, QStringLiteral("Pfad eingeben"));
    QCOMPARE(s.standardFrom, QStringLiteral("00:00"));
    QCOMPARE(s.standardTo, QStringLiteral("00:00"));
    QCOMPARE(s.standardPlace, QString());
    // Holidays whole-day by default: the switch locks the whole day.
    QVERIFY(s.holidayWholeDay);
    QCOMPARE(s.holidayFrom, QStringLiteral("00:00"));
    QCOMPARE(s.holidayTo, QStringLiteral("24:00"));
    QCOMPARE(s.holidayPlace, QString());
    QVERIFY(!s.standardWholeDay);
    QVERIFY(s.standardActive);
    QVERIFY(!s.asNote);
    QCOMPARE(storedText(s.language), language);
    QCOMPARE(s.country.storedText(), country);
    QCOMPARE(s.storedMask, defaultMask(Country::fromStored(country)));
    QCOMPARE(flags(s.holidays.de), QString::fromLatin1(kMaskDE));
    QCOMPARE(flags(s.holidays.us), QString::fromLatin1(kMaskUS));
    QVERIFY(s.furtherDays.isEmpty());
    QVERIFY(s.users.isEmpty());
    QVERIFY(!QFile::exists(path_)); // loading never creates the file
}

void TestSettings::fullFixture() {
    const Settings s =
        LoadSettings(ProfileFile(QStringLiteral(MV_FIXTURES "/full.ini")), kToday, u"49"_s);
    const QStringList expected{
        u"10.0.0.5"_s, u"1677"_s, u"2011"_s, u"2011"_s, u"/srv/remote/"_s, u"07:30"_s, u"16:45"_s,
        u"Büro Süd"_s, u"08:00"_s, u"12:00"_s, u"Überall"_s, u"0"_s, u"0"_s, u"0"_s, u"English"_s,
        u"Östereich"_s, u"110011001100"_s, u"1"_s,
        // Östereich keeps the stored mask in its own table; the others take defaults.
        QString::fromLatin1(kMaskDE), QString::fromLatin1(kMaskUS), u"110011001100"_s,
        u"24.12.*|Heiligabend|00:00 - 24:00|"_s, u"15.08.2011|Mariä Himmelfahrt|Note|"_s,
        u"31.12.*|Silvester|18:00 - 23:59|Festsaal"_s, u"mueller|User|DOM1|PO1"_s,
        u"beamer|Resource|DOM1|PO2"_s};
    QCOMPARE(describe(s), expected);
}

void TestSettings::roundTripThroughSave() {
    const QByteArray fixture = readBytes(QStringLiteral(MV_FIXTURES "/full.ini"));
    writeBytes(path_, fixture);
    ProfileFile file(path_);
    const Settings first = LoadSettings(file, kToday, u"1"_s);
    QVERIFY(SaveSettings(file, toSave(first)).ok());
    QVERIFY(SaveUsers(file, first.users).ok());
    QCOMPARE(describe(LoadSettings(file, kToday, u"1"_s)), describe(first));
    // Saving what was loaded changes nothing in the file, hand-made lines included.
    QCOMPARE(readBytes(path_), fixture);

    // The same through a new file, which then holds everything in Windows-1252.
    ProfileFile fresh(dir_.filePath(u"neu.ini"_s));
    QVERIFY(SaveSettings(fresh, toSave(first)).ok());
    QVERIFY(SaveUsers(fresh, first.users).ok());
    // The connection keys are not part of these saves.
    QCOMPARE(describe(LoadSettings(fresh, kToday, u"1"_s)).mid(2), describe(first).mid(2));
    const QByteArray bytes = readBytes(fresh.path());
    QVERIFY(bytes.contains("Land=\xD6stereich\r\n"));
    QVERIFY(bytes.contains("Mari\xE4 Himmelfahrt"));
}

void TestSettings::year_data() {
    QTest::addColumn<QByteArray>("stored");
    QTest::addColumn<QString>("yearText");
    QTest::addColumn<int>("year");
    QTest::newRow("number") << QByteArray("Jahr=2011") << "2011" << 2011;
    QTest::newRow("below 1583 taken") << QByteArray("Jahr=1200") << "1200" << 1200;
    QTest::newRow("cut to four characters") << QByteArray("Jahr=20115") << "2011" << 2011;
    QTest::newRow("no number counts as missing") << QByteArray("Jahr=abcd") << "2026" << 2026;
    QTest::newRow("number with junk counts as missing")
        << QByteArray("Jahr=20x1") << "2026" << 2026;
    QTest::newRow("empty counts as missing") << QByteArray("Jahr=") << "2026" << 2026;
    QTest::newRow("missing key") << QByteArray("Andere=1") << "2026" << 2026;
}

void TestSettings::year() {
    QFETCH(QByteArray, stored);
    QFETCH(QString, yearText);
    QFETCH(int, year);
    writeBytes(path_, "[Feiertage]\r\n" + stored + "\r\n");
    const Settings s = LoadSettings(ProfileFile(path_), kToday, u"49"_s);
    QCOMPARE(s.yearText, yearText);
    QCOMPARE(s.selectedYear, year);
}

void TestSettings::maskOfCurrentCountryOnly_data() {
    QTest::addColumn<QByteArray>("stored");
    QTest::addColumn<QString>("de");
    QTest::addColumn<QString>("us");
    QTest::addColumn<QString>("at");
    const QString dm = QString::fromLatin1(kMaskDE), um = QString::fromLatin1(kMaskUS);
    QTest::newRow("only the last day, Germany")
        << QByteArray("Land=Deutschland\r\n[Feiertage]\r\nDefinition=000000000001")
        << "000000000001" << um << dm;
    QTest::newRow("restart as USA: US defaults")
        << QByteArray("Land=USA\r\n[Feiertage]\r\n") << dm << um << dm;
    QTest::newRow("short mask leaves empty flags")
        << QByteArray("Land=USA\r\n[Feiertage]\r\nDefinition=1010") << dm << "1010________" << dm;
    QTest::newRow("long mask cut to 12")
        << QByteArray("Land=Deutschland\r\n[Feiertage]\r\nDefinition=0000000000001111")
        << "000000000000" << um << dm;
    QTest::newRow("unknown country keeps the stored mask")
        << QByteArray("Land=Frankreich\r\n[Feiertage]\r\nDefinition=000000000000") << dm << um
        << "000000000000";
}

void TestSettings::maskOfCurrentCountryOnly() {
    QFETCH(QByteArray, stored);
    QFETCH(QString, de);
    QFETCH(QString, us);
    QFETCH(QString, at);
    writeBytes(path_, "[Einstellungen]\r\n" + stored + "\r\n");
    const Settings s = LoadSettings(ProfileFile(path_), kToday, u"49"_s);
    QCOMPARE(flags(s.holidays.de), de);
    QCOMPARE(flags(s.holidays.us), us);
    QCOMPARE(flags(s.holidays.at), at);
}

void TestSettings::wholeDaySwitches_data() {
    QTest::addColumn<QByteArray>("holiday24");
    QTest::addColumn<QByteArray>("standard24");
    QTest::addColumn<QStringList>("times"); // holiday from, to, default from, to
    QTest::newRow("both off") << QByteArray("0") << QByteArray("0")
                              << QStringList{u"08:00"_s, u"12:00"_s, u"07:30"_s, u"16:45"_s};
    QTest::newRow("holidays whole day")
        << QByteArray("1") << QByteArray("0")
        << QStringList{u"00:00"_s, u"24:00"_s, u"07:30"_s, u"16:45"_s};
    QTest::newRow("default whole day")
        << QByteArray("0") << QByteArray("1")
        << QStringList{u"08:00"_s, u"12:00"_s, u"00:00"_s, u"24:00"_s};
    QTest::newRow("not exactly 1 is off")
        << QByteArray("ja") << QByteArray("2")
        << QStringList{u"08:00"_s, u"12:00"_s, u"07:30"_s, u"16:45"_s};
}

void TestSettings::wholeDaySwitches() {
    QFETCH(QByteArray, holiday24);
    QFETCH(QByteArray, standard24);
    QFETCH(QStringList, times);
    writeBytes(path_, "[Einstellungen]\r\nStandardtermin Zeit Von=07:30\r\n"
                      "Standardtermin Zeit Bis=16:45\r\nDarstellung Von=08:00\r\n"
                      "Darstellung Bis=12:00\r\nDarstellung 24h=" +
                          holiday24 + "\r\nStandard 24h=" + standard24 + "\r\n");
    const Settings s = LoadSettings(ProfileFile(path_), kToday, u"49"_s);
    QCOMPARE((QStringList{s.holidayFrom, s.holidayTo, s.standardFrom, s.standardTo}), times);
    QCOMPARE(s.holidayWholeDay, holiday24 == "1");
    QCOMPARE(s.standardWholeDay, standard24 == "1");
}

void TestSettings::valuesCutToMax() {
    const QByteArray p60(60, 'p'), p100(100, 'q'), p300(300, 's');
    writeBytes(path_, "[Einstellungen]\r\nStandardtermin Ort=" + p60 +
                          "\r\nDarstellung Ort=" + p100 + "\r\nLand=" + p300 +
                          "\r\nStandardtermin Zeit Von=07:30:00\r\n[GroupWise]\r\nIPAdresse=" +
                          QByteArray(300, '1') + "\r\n");
    const Settings s = LoadSettings(ProfileFile(path_), kToday, u"49"_s);
    QCOMPARE(s.standardPlace.size(), 59);
    QCOMPARE(s.holidayPlace.size(), 99);
    QCOMPARE(s.country.storedText().size(), 299);
    QCOMPARE(s.standardFrom, QStringLiteral("07:30"));
    QCOMPARE(s.postOfficeAddress.size(), 256);
}

void TestSettings::unknownLanguageFallsBackToGerman_data() {
    QTest::addColumn<QByteArray>("stored");
    QTest::newRow("lower case") << QByteArray("english");
    QTest::newRow("another language") << QByteArray("Fran\xE7"
                                                    "ais");
}

// A language the program does not speak would leave every message and caption empty.
void TestSettings::unknownLanguageFallsBackToGerman() {
    QFETCH(QByteArray, stored);
    writeBytes(path_, "[Einstellungen]\r\nSprache=" + stored + "\r\n");
    ProfileFile file(path_);
    const Settings s = LoadSettings(file, kToday, u"1"_s);
    QCOMPARE(storedText(s.language), QStringLiteral("Deutsch"));
    QVERIFY(SaveSettings(file, toSave(s)).ok());
    QCOMPARE(file.readKey(u"Einstellungen"_s, u"Sprache"_s, u""_s, 300), QStringLiteral("Deutsch"));
}

void TestSettings::languageAndCountrySurviveLoadAndSave_data() {
    QTest::addColumn<QByteArray>("language");
    QTest::addColumn<QByteArray>("country");
    QTest::addColumn<QByteArray>("savedLanguage");
    QTest::newRow("German, Germany")
        << QByteArray("Deutsch") << QByteArray("Deutschland") << QByteArray("Deutsch");
    QTest::newRow("English, USA") << QByteArray("English") << QByteArray("USA")
                                  << QByteArray("English");
    QTest::newRow("Östereich") << QByteArray("English") << QByteArray("\xD6stereich")
                               << QByteArray("English");
    QTest::newRow("hand-edited country")
        << QByteArray("Deutsch") << QByteArray("Frankreich") << QByteArray("Deutsch");
    QTest::newRow("unknown language, right spelling")
        << QByteArray("english") << QByteArray("\xD6sterreich") << QByteArray("Deutsch");
}

// The country text goes back to the file byte for byte; an unknown language as German.
void TestSettings::languageAndCountrySurviveLoadAndSave() {
    QFETCH(QByteArray, language);
    QFETCH(QByteArray, country);
    QFETCH(QByteArray, savedLanguage);
    writeBytes(path_, "[Einstellungen]\r\nSprache=" + language + "\r\nLand=" + country + "\r\n");
    ProfileFile file(path_);
    QVERIFY(SaveSettings(file, toSave(LoadSettings(file, kToday, u"1"_s))).ok());
    const QByteArray saved = readBytes(path_);
    QVERIFY2(saved.contains(QByteArray("\r\nSprache=" + savedLanguage + "\r\n")),
             saved.constData());
    QVERIFY2(saved.contains(QByteArray("\r\nLand=" + country + "\r\n")), saved.constData());
}

void TestSettings::furtherDayLineShapes() {
    writeBytes(path_, "[Weitere Tage]\r\n"
                      "24.12.*\aHeiligabend\r\n"
                      "kein Trenner\r\n"
                      "01.05.2011\aMaifeier\a10:00 - 12:00\r\n"
                      "\aNotiz ohne Datum\aNote\a\r\n"
                      "31.12.*\aSilvester\a18:00 - 23:59\aSaal\amit\aBEL\r\n");
    const Settings s = LoadSettings(ProfileFile(path_), kToday, u"49"_s);
    const DayList expected{{u"24.12.*"_s, u"Heiligabend"_s, u"07:00-20:00"_s, u""_s},
                           {u"01.05.2011"_s, u"Maifeier"_s, u"10:00 - 12:00"_s, u""_s},
                           {u""_s, u"Notiz ohne Datum"_s, u"Note"_s, u""_s},
                           {u"31.12.*"_s, u"Silvester"_s, u"18:00 - 23:59"_s, u"Saal\amit\aBEL"_s}};
    QCOMPARE(s.furtherDays, expected);
}

void TestSettings::userLineShapes() {
    writeBytes(path_, "[User]\r\n"
                      "zwei\aUser\r\n"
                      "eins\r\n"
                      "drei\aUser\aDOM\r\n"
                      "vier\aResource\aDOM\aPO\r\n"
                      "fuenf\aUser\aDOM\aPO\aextra\r\n");
    const Settings s = LoadSettings(ProfileFile(path_), kToday, u"49"_s);
    const AddressList expected{{u"zwei"_s, u"User"_s, u""_s, u""_s},
                               {u"vier"_s, u"Resource"_s, u"DOM"_s, u"PO"_s},
                               {u"fuenf"_s, u"User"_s, u"DOM"_s, u"PO"_s}};
    QCOMPARE(s.users, expected);
}

void TestSettings::emptyFurtherDaysLeaveEmptySection() {
    writeBytes(path_, "[Weitere Tage]\r\n24.12.*\aHeiligabend\r\n");
    ProfileFile file(path_);
    Settings s = LoadSettings(file, kToday, u"49"_s);
    s.furtherDays.clear();
    QVERIFY(SaveSettings(file, toSave(s)).ok());
    const QByteArray bytes = readBytes(path_);
    // The section keeps its place, now without lines.
    QVERIFY(bytes.startsWith("[Weitere Tage]\r\n\r\n[Feiertage]\r\n"));
    QVERIFY(!bytes.contains("Heiligabend"));
    QVERIFY(LoadSettings(file, kToday, u"49"_s).furtherDays.isEmpty());
}

void TestSettings::saveStopsAtFirstFailure() {
    writeBytes(path_, "[Einstellungen]\r\nDarstellung Von=alt\r\nSprache=alt\r\n"
                      "[Weitere Tage]\r\nalt\aalt\r\n");
    ProfileFile file(path_);
    Settings s = LoadSettings(file, kToday, u"49"_s);
    SettingsToSave t = toSave(s);
    t.yearText = u"2012"_s;
    t.standardPlace = u"Zeile\nbruch"_s; // cannot be stored as one line
    t.holidayFrom = u"neu"_s;
    t.language = Language::English;
    t.furtherDays = {{u"24.12.*u"_s, u"_sneu"_s, u"Note"_s, u""_s}};
    const SaveResult r = SaveSettings(file, t);
    QVERIFY(!r.ok());
    QCOMPARE(r.failure().code, 0);
    QCOMPARE(r.failure().key, QStringLiteral("Standardtermin Ort"));
    QCOMPARE(file.readKey(u"Feiertage"_s, u"Jahr"_s, u""_s, 5), QStringLiteral("2012"));
    QCOMPARE(file.readKey(u"Einstellungen"_s, u"Darstellung Von"_s, u""_s, 6),
             QStringLiteral("alt"));
    QCOMPARE(file.readKey(u"Einstellungen"_s, u"Sprache"_s, u""_s, 6), QStringLiteral("alt"));
    QCOMPARE(file.readSection(u"Weitere Tage"_s), QStringLiteral("alt\aalt") + kNul);
}

// A character Windows-1252 cannot hold would be stored as "?" without a word: the save
// refuses before it writes anything and names the field.
void TestSettings::saveRefusesUnstorableText_data() {
    QTest::addColumn<QString>("what");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("language");
    QTest::addColumn<QString>("failedKey");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("character");
    QTest::newRow("designation") << "designation"
                                 << "Σ Ωmega € Ä"
                                 << "Deutsch"
                                 << "Weitere Tage"
                                 << "Weitere Tage, Zeile 2: Bezeichnung"
                                 << "Σ";
    QTest::newRow("place of a further day") << "place"
                                            << "Straße ☃"
                                            << "English"
                                            << "Weitere Tage"
                                            << "Other days, row 2: Place"
                                            << "☃";
    QTest::newRow("holiday place") << "holidayPlace"
                                   << "Łódź 東京"
                                   << "Deutsch"
                                   << "Darstellung Ort"
                                   << "Feiertage Ort"
                                   << "Ł";
    QTest::newRow("definition folder") << "definitionPath"
                                       << "/srv/東京"
                                       << "English"
                                       << "Definition speichern unter"
                                       << "Save definition under"
                                       << "東";
}

void TestSettings::saveRefusesUnstorableText() {
    QFETCH(QString, what);
    QFETCH(QString, text);
    QFETCH(QString, language);
    QFETCH(QString, failedKey);
    QFETCH(QString, field);
    QFETCH(QString, character);
    const QByteArray before = "[Feiertage]\r\nJahr=2011\r\n[Weitere Tage]\r\nalt\aalt\r\n";
    writeBytes(path_, before);
    ProfileFile file(path_);
    SettingsToSave t = toSave(LoadSettings(file, kToday, u"49"_s));
    t.yearText = u"2012"_s;
    t.language = languageFromStored(language);
    t.furtherDays = {{u"24.12.*u"_s, u"_sHeiligabend"_s, u"Note"_s, u"u"_s},
                     {u"_s01.05.2012"_s, u"Fest"_s, u"Note"_s, u""_s}};
    if (what == u"designation"_s)
        t.furtherDays[1].designation = text;
    else if (what == u"place"_s)
        t.furtherDays[1].place = text;
    else if (what == u"holidayPlace"_s)
        t.holidayPlace = text;
    else
        t.definitionPath = text;
    const SaveResult r = SaveSettings(file, t);
    QVERIFY(!r.ok());
    const SaveFailure& f = r.failure();
    QCOMPARE(f.code, 0);
    QCOMPARE(f.key, failedKey);
    QVERIFY(f.unstorable);
    QCOMPARE(f.unstorable->field, field);
    QCOMPARE(f.unstorable->character, character);
    QCOMPARE(readBytes(path_), before);
}

void TestSettings::saveIntoMissingFolder() {
    ProfileFile file(dir_.filePath(u"fehlt/Feiertage.ini"_s));
    const SaveResult r = SaveSettings(file, toSave(LoadSettings(file, kToday, u"49"_s)));
    QVERIFY(!r.ok());
    QCOMPARE(r.failure().code, 0);
    QCOMPARE(r.failure().key, QStringLiteral("Jahr"));
    const SaveResult u = SaveUsers(file, {{u"a"_s, u"User"_s, u"D"_s, u"P"_s}});
    QVERIFY(!u.ok());
    QCOMPARE(u.failure().code, 0);
    QCOMPARE(u.failure().key, QStringLiteral("User"));
}

void TestSettings::saveUsers() {
    writeBytes(path_, "[User]\r\nalt\aUser\r\n[Feiertage]\r\nJahr=2011\r\n");
    ProfileFile file(path_);
    const AddressList users{
        {u"müller"_s, u"User"_s, u"DOM"_s, u"PO"_s},
        {u"raum\a1"_s, u"Resource"_s, u""_s, u""_s}, // a BEL must not shift the fields
        {u"x"_s, u"User"_s, u"D"_s, u"P"_s}};
    QVERIFY(SaveUsers(file, users).ok());
    const AddressList expected{{u"müller"_s, u"User"_s, u"DOM"_s, u"PO"_s},
                               {u"raum 1"_s, u"Resource"_s, u""_s, u""_s},
                               {u"x"_s, u"User"_s, u"D"_s, u"P"_s}};
    QCOMPARE(LoadSettings(file, kToday, u"49"_s).users, expected);
    QCOMPARE(file.readKey(u"Feiertage"_s, u"Jahr"_s, u""_s, 5), QStringLiteral("2011"));
    QVERIFY(SaveUsers(file, {}).ok());
    QVERIFY(readBytes(path_).contains("[User]\r\n"));
    QVERIFY(LoadSettings(file, kToday, u"49"_s).users.isEmpty());
}

void TestSettings::blocks() {
    QCOMPARE(furtherDaysBlock({}), QString(kNul));
    QCOMPARE(usersBlock({}), QString(kNul));
    QCOMPARE(
        usersBlock({{u"a"_s, u"User"_s, u"D"_s, u"P"_s}, {u"b"_s, u"Resource"_s, u""_s, u""_s}}),
        QStringLiteral("a\aUser\aD\aP") + kNul + u"b\aResource\a\a"_s + kNul + kNul);
    QCOMPARE(furtherDaysBlock({{u"24.12.*"_s, u"Heiligabend"_s, u"Note"_s, u""_s}}),
             QStringLiteral("24.12.*\aHeiligabend\aNote\a") + kNul + kNul);
    QCOMPARE(usersFromBlock(usersBlock({{u"a"_s, u"User"_s, u"D"_s, u"P"_s}})),
             (AddressList{{u"a"_s, u"User"_s, u"D"_s, u"P"_s}}));
}

QTEST_GUILESS_MAIN(TestSettings)
#include "tst_settings.moc"
