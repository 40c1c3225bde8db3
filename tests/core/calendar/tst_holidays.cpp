#include "calendar/dates.h"
#include "calendar/holidays.h"

#include <QTest>

using namespace mv;

namespace {

// Sunday = 1 ... Saturday = 7.
int weekday(const QDate& date) {
    return date.dayOfWeek() % 7 + 1;
}

// Easter by the Meeus/Jones/Butcher method, an independent check of the Gauss form.
QDate meeusEaster(int y) {
    const int a = y % 19, b = y / 100, c = y % 100, d = b / 4, e = b % 4;
    const int f = (b + 8) / 25, g = (b - f + 1) / 3;
    const int h = (19 * a + b - d - g + 15) % 30;
    const int i = c / 4, k = c % 4;
    const int l = (32 + 2 * e + 2 * i - h - k) % 7;
    const int m = (a + 11 * h + 22 * l) / 451;
    const int month = (h + l - 7 * m + 114) / 31;
    const int day = (h + l - 7 * m + 114) % 31 + 1;
    return QDate(y, month, day);
}

} // namespace

class TestHolidays : public QObject {
    Q_OBJECT

private slots:
    void easter_data();
    void easter();
    void germany2011();
    void germanyOutsideRange_data();
    void germanyOutsideRange();
    void everyYearInRange();
    void us_data();
    void us();
    void usOutsideRange();
    void daysInMonth_data();
    void daysInMonth();
    void names();
};

void TestHolidays::easter_data() {
    QTest::addColumn<int>("year");
    QTest::addColumn<QDate>("expected");

    QTest::newRow("2011 d=28 a=16 corrected") << 2011 << QDate(2011, 4, 24);
    QTest::newRow("2010") << 2010 << QDate(2010, 4, 4);
    QTest::newRow("2008") << 2008 << QDate(2008, 3, 23);
    QTest::newRow("1981 d=29 not 26 April") << 1981 << QDate(1981, 4, 19);
    QTest::newRow("2076 d=29 not 26 April") << 2076 << QDate(2076, 4, 19);
    QTest::newRow("1954 d=28 a=16 not 25 April") << 1954 << QDate(1954, 4, 18);
    QTest::newRow("2049 d=28 a=16 not 25 April") << 2049 << QDate(2049, 4, 18);
    QTest::newRow("2038 latest") << 2038 << QDate(2038, 4, 25);
    QTest::newRow("2285 earliest") << 2285 << QDate(2285, 3, 22);
    QTest::newRow("1583 first year") << 1583 << QDate(1583, 4, 10);
    QTest::newRow("8202 last year") << 8202 << QDate(8202, 4, 18);
    QTest::newRow("1582 before range") << 1582 << QDate();
    QTest::newRow("8203 after range") << 8203 << QDate();
    QTest::newRow("negative year") << -2011 << QDate();
}

void TestHolidays::easter() {
    QFETCH(int, year);
    QFETCH(QDate, expected);
    const QDate easter = EasterSunday(year);
    QCOMPARE(easter.isValid(), expected.isValid());
    if (expected.isValid()) {
        QCOMPARE(easter, expected);
        QCOMPARE(ComputeGermanHolidays(year)[2], expected);
    }
}

void TestHolidays::germany2011() {
    const GermanHolidayDates dates = ComputeGermanHolidays(2011);
    const GermanHolidayDates expected = {
        QDate(2011, 1, 1),  QDate(2011, 4, 22), QDate(2011, 4, 24),  QDate(2011, 4, 25),
        QDate(2011, 5, 1),  QDate(2011, 6, 2),  QDate(2011, 6, 12),  QDate(2011, 6, 13),
        QDate(2011, 6, 23), QDate(2011, 10, 3), QDate(2011, 12, 25), QDate(2011, 12, 26),
    };
    for (size_t i = 0; i < expected.size(); ++i)
        QCOMPARE(dates[i], expected[i]);
}

void TestHolidays::germanyOutsideRange_data() {
    QTest::addColumn<int>("year");
    QTest::newRow("1582") << 1582;
    QTest::newRow("8203") << 8203;
    QTest::newRow("0") << 0;
    QTest::newRow("min int") << std::numeric_limits<int>::min();
    QTest::newRow("max int") << std::numeric_limits<int>::max();
}

void TestHolidays::germanyOutsideRange() {
    QFETCH(int, year);
    for (const QDate& date : ComputeGermanHolidays(year))
        QCOMPARE(date, zeroDate());
}

// Whole-range properties that any slip in the formulas or the weekday searches breaks.
void TestHolidays::everyYearInRange() {
    for (int year = 1583; year <= 8202; ++year) {
        const QDate easter = EasterSunday(year);
        if (easter != meeusEaster(year) || easter < QDate(year, 3, 22) ||
            easter > QDate(year, 4, 25) || weekday(easter) != 1)
            QFAIL(qPrintable(QStringLiteral("Easter %1: %2").arg(year).arg(formatDate(easter))));

        const GermanHolidayDates de = ComputeGermanHolidays(year);
        QCOMPARE(de[1], easter.addDays(-2));
        QCOMPARE(de[8], easter.addDays(60));

        const UsHolidayDates us = ComputeUsHolidays(year);
        for (int i = 0; i < 10; ++i) {
            if (us[size_t(i)].year() != year)
                QFAIL(qPrintable(QStringLiteral("US %1 index %2").arg(year).arg(i)));
        }
        // The weekday holidays: weekday, month and week of the month.
        const struct {
            int index, month, wanted, firstDay, lastDay;
        } searches[] = {
            {1, 1, 2, 15, 21}, {2, 2, 2, 15, 21}, {3, 5, 2, 25, 31},
            {5, 9, 2, 1, 7},   {6, 10, 2, 8, 14}, {8, 11, 5, 22, 28},
        };
        for (const auto& s : searches) {
            const QDate& d = us[size_t(s.index)];
            if (d.month() != s.month || weekday(d) != s.wanted || d.day() < s.firstDay ||
                d.day() > s.lastDay)
                QFAIL(qPrintable(QStringLiteral("US %1 index %2: %3")
                                     .arg(year)
                                     .arg(s.index)
                                     .arg(formatDate(d))));
        }
        // Observed days are Mondays (or the Friday 31 December) and occur in this year.
        int newYearObserved = 0;
        for (int i = 10; i < 15; ++i) {
            const QDate& d = us[size_t(i)];
            if (d == zeroDate())
                continue;
            QCOMPARE(d.year(), year);
            QCOMPARE(weekday(d), i == 14 ? 6 : 2);
            if (i == 10 || i == 14)
                ++newYearObserved;
        }
        QVERIFY2(newYearObserved <= 1, qPrintable(QString::number(year)));
        QVERIFY(weekday(us[4]) != 7 && weekday(us[9]) != 7);
    }
}

void TestHolidays::us_data() {
    QTest::addColumn<int>("year");
    QTest::addColumn<QList<QDate>>("expected"); // all fifteen, QDate() for the zero date

    const QDate z;
    QTest::newRow("2010") << 2010
                          << QList<QDate>{QDate(2010, 1, 1),
                                          QDate(2010, 1, 18),
                                          QDate(2010, 2, 15),
                                          QDate(2010, 5, 31),
                                          QDate(2010, 7, 4),
                                          QDate(2010, 9, 6),
                                          QDate(2010, 10, 11),
                                          QDate(2010, 11, 11),
                                          QDate(2010, 11, 25),
                                          QDate(2010, 12, 24),
                                          z,
                                          QDate(2010, 7, 5),
                                          z,
                                          z,
                                          QDate(2010, 12, 31)};
    QTest::newRow("2011") << 2011
                          << QList<QDate>{QDate(2011, 1, 1),
                                          QDate(2011, 1, 17),
                                          QDate(2011, 2, 21),
                                          QDate(2011, 5, 30),
                                          QDate(2011, 7, 4),
                                          QDate(2011, 9, 5),
                                          QDate(2011, 10, 10),
                                          QDate(2011, 11, 11),
                                          QDate(2011, 11, 24),
                                          QDate(2011, 12, 25),
                                          z,
                                          z,
                                          z,
                                          QDate(2011, 12, 26),
                                          z};
    QTest::newRow("2012") << 2012
                          << QList<QDate>{QDate(2012, 1, 1),
                                          QDate(2012, 1, 16),
                                          QDate(2012, 2, 20),
                                          QDate(2012, 5, 28),
                                          QDate(2012, 7, 4),
                                          QDate(2012, 9, 3),
                                          QDate(2012, 10, 8),
                                          QDate(2012, 11, 11),
                                          QDate(2012, 11, 22),
                                          QDate(2012, 12, 25),
                                          QDate(2012, 1, 2),
                                          z,
                                          QDate(2012, 11, 12),
                                          z,
                                          z};
    QTest::newRow("2015") << 2015
                          << QList<QDate>{QDate(2015, 1, 1),
                                          QDate(2015, 1, 19),
                                          QDate(2015, 2, 16),
                                          QDate(2015, 5, 25),
                                          QDate(2015, 7, 3),
                                          QDate(2015, 9, 7),
                                          QDate(2015, 10, 12),
                                          QDate(2015, 11, 11),
                                          QDate(2015, 11, 26),
                                          QDate(2015, 12, 25),
                                          z,
                                          z,
                                          z,
                                          z,
                                          z};
    QTest::newRow("2017") << 2017
                          << QList<QDate>{QDate(2017, 1, 1),
                                          QDate(2017, 1, 16),
                                          QDate(2017, 2, 20),
                                          QDate(2017, 5, 29),
                                          QDate(2017, 7, 4),
                                          QDate(2017, 9, 4),
                                          QDate(2017, 10, 9),
                                          QDate(2017, 11, 11),
                                          QDate(2017, 11, 23),
                                          QDate(2017, 12, 25),
                                          QDate(2017, 1, 2),
                                          z,
                                          z,
                                          z,
                                          z};
}

void TestHolidays::us() {
    QFETCH(int, year);
    QFETCH(QList<QDate>, expected);
    const UsHolidayDates dates = ComputeUsHolidays(year);
    for (size_t i = 0; i < dates.size(); ++i) {
        const QDate want =
            expected.at(qsizetype(i)).isValid() ? expected.at(qsizetype(i)) : zeroDate();
        if (dates[i] != want)
            QFAIL(qPrintable(QStringLiteral("index %1: %2, expected %3")
                                 .arg(i)
                                 .arg(formatDate(dates[i]), formatDate(want))));
    }
}

void TestHolidays::usOutsideRange() {
    for (int year : {1582, 8203, 0, -1}) {
        for (const QDate& date : ComputeUsHolidays(year))
            QCOMPARE(date, zeroDate());
    }
    // 8202 needs 1 January 8203 for its index 14 and must still be computed.
    QCOMPARE(ComputeUsHolidays(8202)[0], QDate(8202, 1, 1));
}

void TestHolidays::daysInMonth_data() {
    QTest::addColumn<int>("month");
    QTest::addColumn<int>("year");
    QTest::addColumn<int>("expected");

    QTest::newRow("January") << 1 << 2011 << 31;
    QTest::newRow("April") << 4 << 2011 << 30;
    QTest::newRow("February 2011") << 2 << 2011 << 28;
    QTest::newRow("February 2012") << 2 << 2012 << 29;
    QTest::newRow("February 1900") << 2 << 1900 << 28;
    QTest::newRow("February 2000") << 2 << 2000 << 29;
    QTest::newRow("December") << 12 << 8202 << 31;
    QTest::newRow("month 0") << 0 << 2011 << 0;
    QTest::newRow("month 13") << 13 << 2011 << 0;
    QTest::newRow("negative month") << -1 << 2011 << 0;
    QTest::newRow("three-digit year") << 5 << 999 << 0;
    QTest::newRow("negative year") << 5 << -2011 << 0;
}

void TestHolidays::daysInMonth() {
    QFETCH(int, month);
    QFETCH(int, year);
    QFETCH(int, expected);
    QCOMPARE(DaysInMonth(month, year), expected);
}

void TestHolidays::names() {
    // The captions and designations differ exactly in three places.
    QCOMPARE(germanCaptionNames().size(), 12);
    QCOMPARE(germanDesignations().size(), 12);
    QCOMPARE(germanCaptionNames().at(5), QStringLiteral("Christi Himmelfahrt"));
    QCOMPARE(germanDesignations().at(5), QStringLiteral("Himmelfahrt"));
    QCOMPARE(germanCaptionNames().at(11), QStringLiteral("2. Weinachtstag"));
    QCOMPARE(germanDesignations().at(11), QStringLiteral("Zweiter Weihnachtstag"));
    int differing = 0;
    for (int i = 0; i < 12; ++i)
        differing += germanCaptionNames().at(i) != germanDesignations().at(i);
    QCOMPARE(differing, 3);

    QCOMPARE(usDesignations().size(), 15);
    QCOMPARE(usDesignations().at(0), QStringLiteral("New Year`s Day"));
    QCOMPARE(usDesignations().at(11), QStringLiteral("Independenceday  (observed)"));
    QCOMPARE(usDesignations().at(10), usDesignations().at(14));

    // Each observed day belongs to the box of its own holiday.
    const std::array<int, 5> expectedBox = {0, 4, 7, 9, 0}; // indexes 10..14
    for (const ObservedDay& o : usObservedOrder())
        QCOMPARE(o.box, expectedBox[size_t(o.index - 10)]);
    QCOMPARE(usObservedOrder().front().index, 14);
}

QTEST_GUILESS_MAIN(TestHolidays)
#include "tst_holidays.moc"
