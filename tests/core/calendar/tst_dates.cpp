#include "calendar/dates.h"

#include <QTest>

#include <cmath>
#include <limits>

using namespace mv;

class TestDates : public QObject {
    Q_OBJECT

private slots:
    void parseDate_data();
    void parseDate();
    void formatDate();
    void leadingNumber_data();
    void leadingNumber();
    void roundToInt16_data();
    void roundToInt16();
    void parseYear_data();
    void parseYear();
};

void TestDates::parseDate_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QDate>("expected");

    QTest::newRow("dd.MM.yyyy") << "24.12.2011" << QDate(2011, 12, 24);
    QTest::newRow("one-digit day and month") << "1.5.2011" << QDate(2011, 5, 1);
    QTest::newRow("surrounding blanks") << "  1.5.2011 " << QDate(2011, 5, 1);
    QTest::newRow("leap day") << "29.02.2012" << QDate(2012, 2, 29);
    QTest::newRow("iso with one-digit month") << "2011-5-01" << QDate(2011, 5, 1);
    QTest::newRow("iso with one-digit day") << "2011-12-1" << QDate(2011, 12, 1);

    QTest::newRow("no leap day") << "29.02.2011" << QDate();
    QTest::newRow("31 February") << "31.02.2011" << QDate();
    QTest::newRow("month 13") << "1.13.2011" << QDate();
    QTest::newRow("day 0") << "0.1.2011" << QDate();
    QTest::newRow("two-digit year") << "24.12.11" << QDate();
    QTest::newRow("five-digit year") << "24.12.02011" << QDate();
    QTest::newRow("three-digit day") << "124.12.2011" << QDate();
    QTest::newRow("blank inside") << "24. 12.2011" << QDate();
    QTest::newRow("trailing text") << "24.12.2011x" << QDate();
    QTest::newRow("yearly form") << "24.12.*" << QDate();
    QTest::newRow("slashes") << "12/24/2011" << QDate();
    QTest::newRow("empty") << "" << QDate();
    QTest::newRow("non-ASCII digits") << QString::fromUtf8("٢٤.١٢.٢٠١١") << QDate();
    QTest::newRow("iso with text") << "2011-5-01T00" << QDate();
}

void TestDates::parseDate() {
    QFETCH(QString, text);
    QFETCH(QDate, expected);
    const QDate date = mv::parseDate(text);
    QCOMPARE(date.isValid(), expected.isValid());
    if (expected.isValid())
        QCOMPARE(date, expected);
}

void TestDates::formatDate() {
    QCOMPARE(mv::formatDate(QDate(2011, 5, 1)), QStringLiteral("01.05.2011"));
    QCOMPARE(mv::formatDate(QDate(8202, 12, 31)), QStringLiteral("31.12.8202"));
    QCOMPARE(mv::formatDate(mv::zeroDate()), QStringLiteral("30.12.1899"));
    QCOMPARE(mv::formatDate(QDate()), QString());
    // What is written must be read back as the same day.
    const QDate day(1583, 1, 9);
    QCOMPARE(mv::parseDate(mv::formatDate(day)), day);
}

void TestDates::leadingNumber_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("expected");

    QTest::newRow("digits") << "12" << 12.0;
    QTest::newRow("leading zero") << "07" << 7.0;
    QTest::newRow("leading blanks") << "   7" << 7.0;
    QTest::newRow("leading tab") << "\t9" << 9.0;
    QTest::newRow("minus sign") << "-3x" << -3.0;
    QTest::newRow("plus sign") << "+4" << 4.0;
    QTest::newRow("decimal point") << "1.5" << 1.5;
    QTest::newRow("point without integer part") << ".5" << 0.5;
    QTest::newRow("stops at colon") << "12:30" << 12.0;
    QTest::newRow("comma is no decimal mark") << "1,5" << 1.0;
    QTest::newRow("letters only") << "abc" << 0.0;
    QTest::newRow("empty") << "" << 0.0;
    QTest::newRow("sign only") << "-" << 0.0;
    QTest::newRow("blank after sign") << "- 3" << 0.0;
    QTest::newRow("trailing letters") << "30abc" << 30.0;
}

void TestDates::leadingNumber() {
    QFETCH(QString, text);
    QFETCH(double, expected);
    QCOMPARE(mv::leadingNumber(text), expected);
}

void TestDates::roundToInt16_data() {
    QTest::addColumn<double>("value");
    QTest::addColumn<int>("expected");

    QTest::newRow("0.5 to even 0") << 0.5 << 0;
    QTest::newRow("1.5 to even 2") << 1.5 << 2;
    QTest::newRow("2.5 to even 2") << 2.5 << 2;
    QTest::newRow("-0.5 to even 0") << -0.5 << 0;
    QTest::newRow("-1.5 to even -2") << -1.5 << -2;
    QTest::newRow("-2.5 to even -2") << -2.5 << -2;
    QTest::newRow("below half") << 2.4 << 2;
    QTest::newRow("above half") << 2.6 << 3;
    QTest::newRow("negative above half") << -2.6 << -3;
    QTest::newRow("upper bound") << 32767.4 << 32767;
    QTest::newRow("clamped high") << 40000.0 << 32767;
    QTest::newRow("clamped low") << -40000.0 << -32768;
    QTest::newRow("infinity") << std::numeric_limits<double>::infinity() << 32767;
    QTest::newRow("nan") << std::numeric_limits<double>::quiet_NaN() << 0;
}

void TestDates::roundToInt16() {
    QFETCH(double, value);
    QFETCH(int, expected);
    QCOMPARE(mv::roundToInt16(value), expected);
}

// What the year check accepts must stand in for "*" as it is; every odd text is refused.
void TestDates::parseYear_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("year"); // 0: refused
    QTest::newRow("first") << "1583" << 1583;
    QTest::newRow("last") << "8202" << 8202;
    QTest::newRow("below") << "1582" << 0;
    QTest::newRow("above") << "8203" << 0;
    QTest::newRow("blank before") << " 2012" << 2012;
    QTest::newRow("blank after") << "2012 " << 2012;
    QTest::newRow("sign") << "+2012" << 0;
    QTest::newRow("leading zero") << "02012" << 0;
    QTest::newRow("other digits") << QString::fromUtf8("\xD9\xA2\xD9\xA0\xD9\xA1\xD9\xA2") << 0;
    QTest::newRow("letters") << "zwei" << 0;
    QTest::newRow("junk after") << "2012x" << 0;
    QTest::newRow("blank inside") << "20 12" << 0;
    QTest::newRow("empty") << "" << 0;
}

void TestDates::parseYear() {
    QFETCH(QString, text);
    QFETCH(int, year);
    QCOMPARE(mv::parseYear(text).value_or(0), year);
}

QTEST_GUILESS_MAIN(TestDates)
#include "tst_dates.moc"
