#include "calendar/dates.h"
#include "calendar/datesort.h"
#include "calendar/daylist.h"
#include "calendar/holidaytables.h"

#include <QTest>

using namespace mv;
using namespace Qt::StringLiterals;

namespace {

std::array<bool, 12> maskBoxes(const char* mask) {
    std::array<bool, 12> boxes{};
    for (size_t i = 0; i < 12; ++i)
        boxes[i] = mask[i] == '1';
    return boxes;
}

DayListInput input(const Country& country, int year, const char* mask) {
    DayListInput in;
    in.country = country;
    in.year = year;
    in.yearText = QString::number(year);
    in.selected = maskBoxes(mask);
    in.holidayFrom = QStringLiteral("08:00");
    in.holidayTo = QStringLiteral("17:00");
    in.holidayPlace = QStringLiteral("Zentrale");
    return in;
}

// "date designation" per row: the comparison then shows the whole list on a failure.
QStringList dateAndName(const DayList& rows) {
    QStringList out;
    for (const DayEntry& row : rows)
        out << row.date + QLatin1Char(' ') + row.designation;
    return out;
}

QStringList dates(const DayList& rows) {
    QStringList out;
    for (const DayEntry& row : rows)
        out << row.date;
    return out;
}

DayEntry further(const QString& date, const QString& name, const QString& time = u"07:00 - 20:00"_s,
                 const QString& place = QString()) {
    return DayEntry{date, name, time, place};
}

const Country kGermany = Country::fromStored(QStringLiteral("Deutschland"));
const Country kUsa = Country::fromStored(QStringLiteral("USA"));
const Country kAustria = Country::fromStored(QStringLiteral("Östereich"));

} // namespace

class TestDayList : public QObject {
    Q_OBJECT

private slots:
    void germany2011Default();
    void usa2010Default();
    void usaBoxClearedDropsObservedDay();
    void usaSundayHolidayAndObservedDay();
    void otherCountriesUseGermanRules_data();
    void otherCountriesUseGermanRules();
    void holidayAppearance();
    void emptySelection();
    void sameDateKeepsBothRows();
    void furtherDays();
    void furtherDayOnHolidayFollowsIt();
    void yearsOutsideRangeGiveNoHolidayRows_data();
    void yearsOutsideRangeGiveNoHolidayRows();

    void expandYearly_data();
    void expandYearly();
    void sortKey_data();
    void sortKey();
    void sortByDate();

    void marksGermany2011();
    void marksUsa2010();
    void marksAustriaAndFurtherDays();
    void marksOutsideRange();

    void tableNames();
    void loadFlags();
    void loadFlagsUnknownCountry();
    void forCountryAndDefaults();
    void countryStoredText_data();
    void countryStoredText();
    void boxesPerCountry_data();
    void boxesPerCountry();
};

void TestDayList::germany2011Default() {
    const DayList rows = BuildDayList(input(kGermany, 2011, kMaskDE));
    QCOMPARE(dateAndName(rows), (QStringList{
                                    u"01.01.2011 Neujahr"_s,
                                    u"22.04.2011 Karfreitag"_s,
                                    u"24.04.2011 Ostersonntag"_s,
                                    u"25.04.2011 Ostermontag"_s,
                                    u"01.05.2011 Tag der Arbeit"_s,
                                    u"02.06.2011 Himmelfahrt"_s,
                                    u"12.06.2011 Pfingstsonntag"_s,
                                    u"13.06.2011 Pfingstmontag"_s,
                                    u"03.10.2011 Tag der Deutschen Einheit"_s,
                                    u"25.12.2011 Erster Weihnachtstag"_s,
                                    u"26.12.2011 Zweiter Weihnachtstag"_s,
                                }));
    for (const DayEntry& row : rows) {
        QCOMPARE(row.time, QStringLiteral("08:00 - 17:00"));
        QCOMPARE(row.place, QStringLiteral("Zentrale"));
    }
}

void TestDayList::usa2010Default() {
    const DayList rows = BuildDayList(input(kUsa, 2010, kMaskUS));
    QCOMPARE(dateAndName(rows), (QStringList{
                                    u"01.01.2010 New Year`s Day"_s,
                                    u"15.02.2010 President`s Day"_s,
                                    u"31.05.2010 Memorial Day"_s,
                                    u"04.07.2010 Independence Day"_s,
                                    u"05.07.2010 Independenceday  (observed)"_s,
                                    u"06.09.2010 Labor Day"_s,
                                    u"11.11.2010 Veteran`s Day"_s,
                                    u"25.11.2010 Thanksgiving Day"_s,
                                    u"24.12.2010 Christmas Day"_s,
                                    u"31.12.2010 New Year (observed)"_s,
                                }));
}

void TestDayList::usaBoxClearedDropsObservedDay() {
    DayListInput in = input(kUsa, 2010, kMaskUS);
    in.selected[4] = false;
    const QStringList rows = dateAndName(BuildDayList(in));
    QCOMPARE(rows.size(), 8);
    for (const QString& row : rows)
        QVERIFY2(!row.contains(QLatin1String("Independence")), qPrintable(row));

    in.selected[0] = false;
    QVERIFY(!dateAndName(BuildDayList(in)).join(u'|').contains(QLatin1String("New Year")));
}

void TestDayList::usaSundayHolidayAndObservedDay() {
    const QStringList rows = dateAndName(BuildDayList(input(kUsa, 2011, "111111111100")));
    QVERIFY(rows.contains(u"25.12.2011 Christmas Day"_s));
    QVERIFY(rows.contains(u"26.12.2011 Christmasday (observed)"_s));
    QCOMPARE(rows.last(), QStringLiteral("26.12.2011 Christmasday (observed)"));
    // 1 January 2011 is a Saturday: it stays, and nothing is observed in 2011.
    QCOMPARE(rows.first(), QStringLiteral("01.01.2011 New Year`s Day"));
    QCOMPARE(rows.join(u'|').count(QLatin1String("New Year (observed)")), 0);

    const QStringList rows2012 = dateAndName(BuildDayList(input(kUsa, 2012, "111111111100")));
    QCOMPARE(rows2012.mid(0, 2),
             (QStringList{u"01.01.2012 New Year`s Day"_s, u"02.01.2012 New Year (observed)"_s}));
    QVERIFY(rows2012.contains(u"12.11.2012 Veteransday (observed)"_s));
    QCOMPARE(rows2012.size(), 12);
}

void TestDayList::otherCountriesUseGermanRules_data() {
    QTest::addColumn<QString>("country");
    QTest::newRow("Östereich") << kAustria.storedText();
    QTest::newRow("unknown country") << QStringLiteral("Frankreich");
    QTest::newRow("empty country") << QString();
}

void TestDayList::otherCountriesUseGermanRules() {
    QFETCH(QString, country);
    QCOMPARE(dateAndName(BuildDayList(input(Country::fromStored(country), 2011, kMaskDE))),
             dateAndName(BuildDayList(input(kGermany, 2011, kMaskDE))));
}

void TestDayList::holidayAppearance() {
    DayListInput in = input(kGermany, 2011, "100000000000");
    in.asNote = true;
    DayList rows = BuildDayList(in);
    QCOMPARE(rows.size(), 1);
    QCOMPARE(rows[0], (DayEntry{u"01.01.2011"_s, u"Neujahr"_s, u"Note"_s, u"Zentrale"_s}));
    QVERIFY(rows[0].isNote());

    in.asNote = false;
    in.holidayFrom = QStringLiteral("00:00");
    in.holidayTo = QStringLiteral("24:00");
    in.holidayPlace.clear();
    rows = BuildDayList(in);
    QCOMPARE(rows[0], (DayEntry{u"01.01.2011"_s, u"Neujahr"_s, u"00:00 - 24:00"_s, u""_s}));
}

void TestDayList::emptySelection() {
    DayListInput in = input(kGermany, 2011, "000000000000");
    in.furtherDays = {further(u"24.12.2010"_s, u"Other year"_s)};
    QVERIFY(BuildDayList(in).isEmpty());
    in.country = kUsa;
    QVERIFY(BuildDayList(in).isEmpty());
}

void TestDayList::sameDateKeepsBothRows() {
    const DayList rows = BuildDayList(input(kGermany, 2008, "000011100000"));
    QCOMPARE(dateAndName(rows),
             (QStringList{u"01.05.2008 Tag der Arbeit"_s, u"01.05.2008 Himmelfahrt"_s,
                          u"11.05.2008 Pfingstsonntag"_s}));
}

void TestDayList::furtherDays() {
    DayListInput in = input(kGermany, 2011, "000000000000");
    in.furtherDays = {
        further(u"24.12.*"_s, u"Heiligabend"_s, u"12:00 - 24:00"_s, u"Büro"_s),
        further(u"24.12.2010"_s, u"Only 2010"_s),
        further(u"1.5.2011"_s, u"Short form"_s, u"Note"_s),
        further(u"31.12.2011"_s, u"Silvester"_s),
        further(u"29.02.*"_s, u"Leap day"_s),
        further(u""_s, u"Empty date"_s, u"Note"_s),
        further(u"garbage"_s, u"No date"_s),
        further(u"15.03.2011"_s, u"Mid March"_s),
    };
    DayList rows = BuildDayList(in);
    QCOMPARE(dateAndName(rows),
             (QStringList{u"15.03.2011 Mid March"_s, u"1.5.2011 Short form"_s,
                          u"24.12.2011 Heiligabend"_s, u"31.12.2011 Silvester"_s}));
    // The further day keeps its own cells; only a yearly date is rewritten.
    QCOMPARE(rows[1].time, QStringLiteral("Note"));
    QCOMPARE(rows[2], (DayEntry{u"24.12.2011"_s, u"Heiligabend"_s, u"12:00 - 24:00"_s, u"Büro"_s}));

    in = input(kGermany, 2010, "000000000000");
    in.furtherDays = {further(u"24.12.*"_s, u"Heiligabend"_s),
                      further(u"24.12.2010"_s, u"Only 2010"_s)};
    QCOMPARE(dates(BuildDayList(in)), (QStringList{u"24.12.2010"_s, u"24.12.2010"_s}));

    in = input(kGermany, 2012, "000000000000");
    in.furtherDays = {further(u"29.02.*"_s, u"Leap day"_s)};
    QCOMPARE(dates(BuildDayList(in)), QStringList{u"29.02.2012"_s});
}

void TestDayList::furtherDayOnHolidayFollowsIt() {
    DayListInput in = input(kGermany, 2011, "000000000011");
    in.furtherDays = {further(u"25.12.*"_s, u"Feier"_s),
                      further(u"01.01.2011"_s, u"Neujahrsempfang"_s)};
    QCOMPARE(dateAndName(BuildDayList(in)),
             (QStringList{u"01.01.2011 Neujahrsempfang"_s, u"25.12.2011 Erster Weihnachtstag"_s,
                          u"25.12.2011 Feier"_s, u"26.12.2011 Zweiter Weihnachtstag"_s}));
}

void TestDayList::yearsOutsideRangeGiveNoHolidayRows_data() {
    QTest::addColumn<QString>("country");
    QTest::addColumn<int>("year");
    QTest::newRow("Germany 1582") << kGermany.storedText() << 1582;
    QTest::newRow("Germany 8203") << kGermany.storedText() << 8203;
    QTest::newRow("USA 1582") << kUsa.storedText() << 1582;
    QTest::newRow("USA 8203") << kUsa.storedText() << 8203;
}

void TestDayList::yearsOutsideRangeGiveNoHolidayRows() {
    QFETCH(QString, country);
    QFETCH(int, year);
    DayListInput in = input(Country::fromStored(country), year, "111111111111");
    QVERIFY(BuildDayList(in).isEmpty());
    in.furtherDays = {further(u"30.12.1899"_s, u"Zero date"_s)};
    for (const DayEntry& row : BuildDayList(in))
        QVERIFY(parseDate(row.date) != zeroDate());
}

void TestDayList::expandYearly_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");
    QTest::newRow("yearly") << "24.12.*"
                            << "24.12.2011";
    QTest::newRow("short yearly") << "1.5.*"
                                  << "1.5.2011";
    QTest::newRow("every star replaced") << "*4.12.*"
                                         << "20114.12.2011";
    QTest::newRow("star without point") << "24.12*"
                                        << "24.12*";
    QTest::newRow("full date") << "24.12.2010"
                               << "24.12.2010";
    QTest::newRow("empty") << ""
                           << "";
    QTest::newRow("star only") << "*"
                               << "*";
}

void TestDayList::expandYearly() {
    QFETCH(QString, text);
    QFETCH(QString, expected);
    QCOMPARE(mv::expandYearly(text, QStringLiteral("2011")), expected);
}

void TestDayList::sortKey_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");
    QTest::newRow("full date") << "03.10.2011"
                               << "2011.10.03";
    QTest::newRow("short date") << "1.5.2010"
                                << "2010.05.01";
    QTest::newRow("yearly") << "24.12.*"
                            << "2011.12.24";
    QTest::newRow("short yearly") << "1.5.*"
                                  << "2011.05.01";
    QTest::newRow("leap day in other year") << "29.02.*"
                                            << "";
    QTest::newRow("no date") << "garbage"
                             << "";
    QTest::newRow("empty") << ""
                           << "";
    QTest::newRow("star only") << "*"
                               << "";
}

void TestDayList::sortKey() {
    QFETCH(QString, text);
    QFETCH(QString, expected);
    QCOMPARE(dateSortKey(text, QStringLiteral("2011")), expected);
}

void TestDayList::sortByDate() {
    DayList rows = {further(u"03.10.2011"_s, u"a"_s), further(u"01.01.2011"_s, u"b"_s),
                    further(u"24.12.*"_s, u"c"_s),    further(u"1.1.2011"_s, u"d"_s),
                    further(u"no date"_s, u"e"_s),    further(u"01.01.2011"_s, u"f"_s),
                    further(u"31.12.2010"_s, u"g"_s)};
    mv::sortByDate(rows, QStringLiteral("2011"));
    QStringList names;
    for (const DayEntry& row : rows)
        names << row.designation;
    // Equal dates keep their order; a text that is no date goes first.
    QCOMPARE(names, (QStringList{u"e"_s, u"g"_s, u"b"_s, u"d"_s, u"f"_s, u"a"_s, u"c"_s}));
    QCOMPARE(rows[6].date, QStringLiteral("24.12.*"));

    DayList empty;
    mv::sortByDate(empty, QStringLiteral("2011"));
    QVERIFY(empty.isEmpty());
}

void TestDayList::marksGermany2011() {
    const YearMarks marks = BuildYearMarks(input(kGermany, 2011, kMaskDE));
    const int lengths[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    for (int m = 0; m < 12; ++m)
        QCOMPARE(marks[size_t(m)].size(), lengths[m]);
    QCOMPARE(marks[0][0], 2);   // 1 January, a Saturday
    QCOMPARE(marks[0][1], 1);   // 2 January, a Sunday
    QCOMPARE(marks[0][2], 0);   // Monday
    QCOMPARE(marks[3][21], 2);  // Good Friday 22 April
    QCOMPARE(marks[5][22], 0);  // Corpus Christi 23 June, box cleared
    QCOMPARE(marks[11][24], 2); // 25 December, a Sunday
    QCOMPARE(marks[11][25], 2); // 26 December
    QCOMPARE(marks[11][30], 1); // 31 December, a Saturday

    int listed = 0;
    for (const QList<int>& month : marks)
        listed += month.count(2);
    QCOMPARE(listed, 11);
}

void TestDayList::marksUsa2010() {
    DayListInput in = input(kUsa, 2010, kMaskUS);
    YearMarks marks = BuildYearMarks(in);
    QCOMPARE(marks[6][3], 2);   // 4 July
    QCOMPARE(marks[6][4], 2);   // 5 July, observed
    QCOMPARE(marks[11][23], 2); // Christmas moved to Friday 24 December
    QCOMPARE(marks[11][24], 1); // 25 December is only a Saturday
    QCOMPARE(marks[11][30], 2); // 31 December, observed New Year
    QCOMPARE(marks[0][17], 0);  // Martin Luther King Day, box cleared

    in.selected[4] = false;
    marks = BuildYearMarks(in);
    QCOMPARE(marks[6][3], 1); // a Sunday
    QCOMPARE(marks[6][4], 0);
}

void TestDayList::marksAustriaAndFurtherDays() {
    DayListInput in = input(kAustria, 2011, kMaskDE);
    in.furtherDays = {further(u"24.12.*"_s, u"Heiligabend"_s),
                      further(u"15.03.2010"_s, u"Other year"_s),
                      further(u"1.6.2011"_s, u"Short form"_s), further(u"garbage"_s, u"No date"_s)};
    const YearMarks marks = BuildYearMarks(in);
    QCOMPARE(marks[0][0], 1);   // 1 January, only a weekend
    QCOMPARE(marks[3][24], 0);  // Easter Monday not marked
    QCOMPARE(marks[11][23], 2); // yearly further day
    QCOMPARE(marks[2][14], 0);  // further day of 2010
    QCOMPARE(marks[5][0], 2);

    in.year = 2012;
    in.yearText = QStringLiteral("2012");
    QCOMPARE(BuildYearMarks(in)[11][23], 2);
}

void TestDayList::marksOutsideRange() {
    // The zero date must not leak in as 30 December.
    for (const Country& country : {kGermany, kUsa}) {
        const YearMarks marks = BuildYearMarks(input(country, 1582, "111111111111"));
        for (const QList<int>& month : marks)
            QVERIFY(!month.contains(2));
    }
}

void TestDayList::tableNames() {
    const HolidayTables tables = HolidayTables::withNames();
    QCOMPARE(tables.de[0].name, QStringLiteral("Neujahr"));
    QCOMPARE(tables.de[5].name, QStringLiteral("Christi Himmelfahrt"));
    QCOMPARE(tables.de[11].name, QStringLiteral("2. Weinachtstag"));
    QCOMPARE(tables.us[0].name, QStringLiteral("New Year`s Day"));
    QCOMPARE(tables.us[9].name, QStringLiteral("Christmas Day"));
    QVERIFY(tables.us[10].name.isEmpty() && tables.us[11].name.isEmpty());
    QVERIFY(tables.de[12].name.isEmpty() && tables.us[12].name.isEmpty());
    for (const HolidayRow& row : tables.at)
        QVERIFY(row.name.isEmpty() && row.flag.isEmpty());
}

static QString flags(const HolidayTable& table) {
    QString out;
    for (const HolidayRow& row : table)
        out += row.flag.isEmpty() ? QStringLiteral("_") : row.flag;
    return out;
}

void TestDayList::loadFlags() {
    HolidayTables tables = HolidayTables::withNames();
    tables.loadFlags(kUsa, QStringLiteral("111111111111"));
    QCOMPARE(flags(tables.us), QStringLiteral("111111111111_"));
    QCOMPARE(flags(tables.de), QStringLiteral("111111110111_"));
    QCOMPARE(flags(tables.at), QStringLiteral("111111110111_"));
    QCOMPARE(tables.us[0].name, QStringLiteral("New Year`s Day"));

    // A short mask leaves empty flags; the other tables go back to their defaults.
    tables.loadFlags(kGermany, QStringLiteral("1010"));
    QCOMPARE(flags(tables.de), QStringLiteral("1010_________"));
    QCOMPARE(flags(tables.us), QStringLiteral("101111011100_"));

    tables.loadFlags(kAustria, QStringLiteral("0000000000001111"));
    QCOMPARE(flags(tables.at), QStringLiteral("000000000000_"));
    QCOMPARE(flags(tables.de), QStringLiteral("111111110111_"));
}

void TestDayList::loadFlagsUnknownCountry() {
    // A hand-edited country keeps its stored mask as "Östereich" does.
    HolidayTables tables = HolidayTables::withNames();
    tables.loadFlags(Country::fromStored(QStringLiteral("Frankreich")),
                     QStringLiteral("100000000001"));
    QCOMPARE(flags(tables.de), QStringLiteral("111111110111_"));
    QCOMPARE(flags(tables.us), QStringLiteral("101111011100_"));
    QCOMPARE(flags(tables.at), QStringLiteral("100000000001_"));
}

void TestDayList::forCountryAndDefaults() {
    HolidayTables tables;
    QCOMPARE(tables.forCountry(kGermany), &tables.de);
    QCOMPARE(tables.forCountry(kUsa), &tables.us);
    QCOMPARE(tables.forCountry(kAustria), &tables.at);
    QCOMPARE(tables.forCountry(Country::fromStored(QStringLiteral("Österreich"))), &tables.at);
    QCOMPARE(tables.forCountry(Country::fromStored(QStringLiteral("usa"))), &tables.at);
    const HolidayTables& constTables = tables;
    QCOMPARE(constTables.forCountry(kUsa), &tables.us);

    QCOMPARE(defaultMask(kUsa), QStringLiteral("101111011100"));
    QCOMPARE(defaultMask(kGermany), QStringLiteral("111111110111"));
    QCOMPARE(defaultMask(kAustria), QStringLiteral("111111110111"));
}

void TestDayList::countryStoredText_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("kind");
    QTest::newRow("Deutschland") << "Deutschland" << int(Country::Kind::Germany);
    QTest::newRow("USA") << "USA" << int(Country::Kind::Usa);
    QTest::newRow("Östereich") << "Östereich" << int(Country::Kind::Austria);
    QTest::newRow("lower case") << "usa" << int(Country::Kind::Other);
    QTest::newRow("blank behind") << "Deutschland " << int(Country::Kind::Other);
    QTest::newRow("spelt right") << "Österreich" << int(Country::Kind::Other);
    QTest::newRow("hand-edited") << "Frankreich" << int(Country::Kind::Other);
    QTest::newRow("empty") << "" << int(Country::Kind::Other);
}

// Every text comes back byte-exact, so a save writes back what was loaded.
void TestDayList::countryStoredText() {
    QFETCH(QString, text);
    QFETCH(int, kind);
    const Country country = Country::fromStored(text);
    QCOMPARE(int(country.kind()), kind);
    QCOMPARE(country.storedText(), text);
    QCOMPARE(Country::fromStored(country.storedText()), country);
}

void TestDayList::boxesPerCountry_data() {
    QTest::addColumn<QString>("loaded");
    QTest::addColumn<QString>("storedMask");
    QTest::addColumn<QString>("applied");
    QTest::addColumn<QString>("boxes");
    QTest::newRow("Germany") << "Deutschland"
                             << "100000000001"
                             << "Deutschland"
                             << "100000000001";
    QTest::newRow("USA clears the unnamed boxes") << "USA"
                                                  << "111111111111"
                                                  << "USA"
                                                  << "111111111100";
    QTest::newRow("Östereich shows its stored flags") << "Östereich"
                                                      << "000000000011"
                                                      << "Östereich"
                                                      << "000000000011";
    QTest::newRow("hand-edited country, short mask") << "Frankreich"
                                                     << "10"
                                                     << "Frankreich"
                                                     << "100000000000";
    QTest::newRow("switch to the USA takes its default") << "Deutschland"
                                                         << "100000000001"
                                                         << "USA"
                                                         << "101111011100";
    QTest::newRow("switch to Germany takes its default") << "USA"
                                                         << "000000000000"
                                                         << "Deutschland"
                                                         << "111111110111";
    QTest::newRow("switch to Östereich keeps the boxes") << "Deutschland"
                                                         << "100000000001"
                                                         << "Östereich"
                                                         << "100000000001";
    QTest::newRow("switch between countries without a table") << "Östereich"
                                                              << "000000000011"
                                                              << "Frankreich"
                                                              << "000000000011";
}

void TestDayList::boxesPerCountry() {
    QFETCH(QString, loaded);
    QFETCH(QString, storedMask);
    QFETCH(QString, applied);
    QFETCH(QString, boxes);
    HolidayTables tables = HolidayTables::withNames();
    tables.loadFlags(Country::fromStored(loaded), storedMask);
    const HolidayBoxes shown =
        boxesFor(tables, Country::fromStored(loaded), Country::fromStored(applied));
    QString text;
    for (bool box : shown)
        text += box ? QLatin1Char('1') : QLatin1Char('0');
    QCOMPARE(text, boxes);
}

QTEST_GUILESS_MAIN(TestDayList)
#include "tst_daylist.moc"
