#include "days/furtherday.h"

#include <QTest>

using namespace mv;
using namespace Qt::StringLiterals;

namespace {
const QChar bel(7);
}

class TestFurtherDay : public QObject {
    Q_OBJECT

private slots:
    void fromLine_data();
    void fromLine();
    void toLine();
    void toLineKeepsLinesIntact();
    void splitTimeCell_data();
    void splitTimeCell();
    void timeTextMinutes_data();
    void timeTextMinutes();
    void appointmentTimeCell();
};

void TestFurtherDay::fromLine_data() {
    QTest::addColumn<QString>("line");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<QStringList>("cells");

    QTest::newRow("four fields")
        << QStringList{u"24.12.2011"_s, u"Heiligabend"_s, u"12:00 - 24:00"_s, u"Büro"_s}.join(bel)
        << true << QStringList{u"24.12.2011"_s, u"Heiligabend"_s, u"12:00 - 24:00"_s, u"Büro"_s};
    QTest::newRow("place takes the rest")
        << QStringList{u"24.12.*"_s, u"X"_s, u"Note"_s, u"a"_s, u"b"_s}.join(bel) << true
        << QStringList{u"24.12.*"_s, u"X"_s, u"Note"_s, QStringList{u"a"_s, u"b"_s}.join(bel)};
    QTest::newRow("empty place") << QStringList{u"1.1.2011"_s, u"X"_s, u"Note"_s, u""_s}.join(bel)
                                 << true << QStringList{u"1.1.2011"_s, u"X"_s, u"Note"_s, u""_s};
    QTest::newRow("three fields") << QStringList{u"24.12.*"_s, u"X"_s, u"08:00 - 09:00"_s}.join(bel)
                                  << true
                                  << QStringList{u"24.12.*"_s, u"X"_s, u"08:00 - 09:00"_s, u""_s};
    QTest::newRow("two fields") << QStringList{u"24.12.*"_s, u"Heiligabend"_s}.join(bel) << true
                                << QStringList{u"24.12.*"_s, u"Heiligabend"_s, u"07:00-20:00"_s,
                                               u""_s};
    QTest::newRow("two empty fields")
        << QString(bel) << true << QStringList{u""_s, u""_s, u"07:00-20:00"_s, u""_s};
    QTest::newRow("no BEL") << "24.12.2011 Heiligabend" << false << QStringList{};
    QTest::newRow("empty line") << "" << false << QStringList{};
}

void TestFurtherDay::fromLine() {
    QFETCH(QString, line);
    QFETCH(bool, valid);
    QFETCH(QStringList, cells);
    const std::optional<DayEntry> row = furtherDayFromLine(line);
    QCOMPARE(row.has_value(), valid);
    if (valid)
        QCOMPARE((QStringList{row->date, row->designation, row->time, row->place}), cells);
}

void TestFurtherDay::toLine() {
    QCOMPARE(furtherDayToLine({u"1.5.2011"_s, u"Tag"_s, u"Note"_s, u""_s}),
             QStringList({u"01.05.2011"_s, u"Tag"_s, u"Note"_s, u""_s}).join(bel));
    QCOMPARE(
        furtherDayToLine({u"24.12.*"_s, u"Heiligabend"_s, u"12:00 - 24:00"_s, u"Büro"_s}),
        QStringList({u"24.12.*"_s, u"Heiligabend"_s, u"12:00 - 24:00"_s, u"Büro"_s}).join(bel));
    QCOMPARE(furtherDayToLine({u""_s, u"Leer"_s, u"Note"_s, u""_s}),
             QStringList({u""_s, u"Leer"_s, u"Note"_s, u""_s}).join(bel));

    const DayEntry row{u"24.12.2011"_s, u"Heiligabend"_s, u"12:00 - 24:00"_s, u"Büro"_s};
    QCOMPARE(furtherDayFromLine(furtherDayToLine(row)), std::optional<DayEntry>(row));
}

// A cell with a line break, NUL or BEL must not add lines or fields to the stored section.
void TestFurtherDay::toLineKeepsLinesIntact() {
    const DayEntry row{u"24.12.*"_s, QStringLiteral("Heilig\nabend") + bel + u"x"_s,
                       QStringLiteral("Note\r"), QStringLiteral("Raum") + QChar(0) + bel + u"2"_s};
    const QString line = furtherDayToLine(row);
    QVERIFY(!line.contains(u'\n') && !line.contains(u'\r') && !line.contains(QChar(0)));
    const std::optional<DayEntry> back = furtherDayFromLine(line);
    QVERIFY(back.has_value());
    QCOMPARE(back->date, QStringLiteral("24.12.*"));
    QCOMPARE(back->designation, QStringLiteral("Heilig abend x"));
    QCOMPARE(back->time, QStringLiteral("Note "));
    QCOMPARE(back->place, QStringLiteral("Raum ") + bel + u"2"_s);
}

void TestFurtherDay::splitTimeCell_data() {
    QTest::addColumn<QString>("cell");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<QString>("from");
    QTest::addColumn<QString>("to");
    QTest::newRow("with blanks") << "07:00 - 20:00" << true << "07:00 "
                                 << " 20:00";
    QTest::newRow("settings form") << "07:00-20:00" << true << "07:00"
                                   << "20:00";
    QTest::newRow("first dash") << "a-b-c" << true << "a"
                                << "b-c";
    QTest::newRow("note") << "Note" << false << ""
                          << "";
    QTest::newRow("empty") << "" << false << ""
                           << "";
}

void TestFurtherDay::splitTimeCell() {
    QFETCH(QString, cell);
    QFETCH(bool, valid);
    QFETCH(QString, from);
    QFETCH(QString, to);
    const auto parts = mv::splitTimeCell(cell);
    QCOMPARE(parts.has_value(), valid);
    if (valid) {
        QCOMPARE(parts->first, from);
        QCOMPARE(parts->second, to);
    }
}

void TestFurtherDay::timeTextMinutes_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("minutes");
    QTest::newRow("07:30") << "07:30" << 450.0;
    QTest::newRow("untrimmed start") << "07:00 " << 420.0;
    QTest::newRow("untrimmed end") << " 20:00" << 1200.0;
    QTest::newRow("empty minutes") << "7:" << 420.0;
    QTest::newRow("empty hours") << ":30" << 30.0;
    QTest::newRow("no colon counts hours") << "10" << 600.0;
    QTest::newRow("letters") << "ab:cd" << 0.0;
    QTest::newRow("fraction kept") << "0:2.5" << 2.5;
}

void TestFurtherDay::timeTextMinutes() {
    QFETCH(QString, text);
    QFETCH(double, minutes);
    QCOMPARE(mv::timeTextMinutes(text), minutes);
}

void TestFurtherDay::appointmentTimeCell() {
    QCOMPARE(mv::appointmentTimeCell(u" 07:00 "_s, u"20:00 "_s), QStringLiteral("07:00 - 20:00"));
    QCOMPARE(mv::appointmentTimeCell(u"10:00"_s, u"10:00"_s), QStringLiteral("10:00 - 10:00"));
}

QTEST_GUILESS_MAIN(TestFurtherDay)
#include "tst_furtherday.moc"
