#include "days/checktime.h"

#include <QTest>

using namespace mv;

class TestCheckTime : public QObject {
    Q_OBJECT

private slots:
    void checkTime_data();
    void checkTime();
    void timeMinutes_data();
    void timeMinutes();
};

void TestCheckTime::checkTime_data() {
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("partner");
    QTest::addColumn<int>("result");
    QTest::addColumn<QString>("after");

    const int ok = int(TimeCheck::Ok);
    const int invalid = int(TimeCheck::Invalid);
    const int order = int(TimeCheck::EndBeforeStart);
    const QString von = QStringLiteral("txtTerminVon");

    QTest::newRow("empty is acceptable") << "" << von << "" << ok << "";
    QTest::newRow("7:30 padded") << "7:30" << von << "" << ok << "07:30";
    QTest::newRow("7:5 padded twice") << "7:5" << von << "" << ok << "07:05";
    QTest::newRow("12:00 stays") << "12:00" << von << "" << ok << "12:00";
    QTest::newRow("7: keeps empty minutes") << "7:" << von << "" << ok << "07:";
    QTest::newRow(":30 stays") << ":30" << von << "" << ok << ":30";
    QTest::newRow("12:75 within the day") << "12:75" << von << "" << ok << "12:75";
    QTest::newRow("00:00") << "00:00" << von << "" << ok << "00:00";
    QTest::newRow("24:00 end of day") << "24:00" << von << "" << ok << "24:00";
    QTest::newRow("24:01 past the day") << "24:01" << von << "" << invalid << "24:01";
    QTest::newRow("123:00 hours too long") << "123:00" << von << "" << invalid << "123:00";
    QTest::newRow("12:345 minutes too long") << "12:345" << von << "" << invalid << "12:345";
    QTest::newRow("1200 without colon") << "1200" << von << "" << invalid << "1200";
    QTest::newRow("negative") << "-1:00" << von << "" << invalid << "-1:00";
    QTest::newRow("one-digit hour past the day") << "9:99" << von << "" << ok << "09:99";
    QTest::newRow("99:0 normalised then refused") << "99:0" << von << "" << invalid << "99:00";

    // Order only for the holiday appearance pair.
    QTest::newRow("Darstellung start after end") << "18:00"
                                                 << "txtDarstellungVon"
                                                 << "17:00" << order << "18:00";
    QTest::newRow("Darstellung end before start") << "17:00"
                                                  << "txtDarstellungBis"
                                                  << "18:00" << order << "17:00";
    QTest::newRow("Darstellung equal") << "10:00"
                                       << "txtDarstellungVon"
                                       << "10:00" << ok << "10:00";
    QTest::newRow("Darstellung compares minutes, not text") << "9:00"
                                                            << "txtDarstellungVon"
                                                            << "10:00" << ok << "09:00";
    QTest::newRow("Darstellung 7: counts as 07:00") << "7:"
                                                    << "txtDarstellungBis"
                                                    << "07:30" << order << "07:";
    QTest::newRow("Darstellung whole day") << "24:00"
                                           << "txtDarstellungBis"
                                           << "00:00" << ok << "24:00";
    QTest::newRow("Darstellung empty field") << ""
                                             << "txtDarstellungVon"
                                             << "17:00" << ok << "";
    QTest::newRow("Darstellung empty partner") << "18:00"
                                               << "txtDarstellungVon"
                                               << "" << ok << "18:00";
    QTest::newRow("Darstellung invalid wins over order") << "1200"
                                                         << "txtDarstellungVon"
                                                         << "17:00" << invalid << "1200";
    QTest::newRow("Standard pair not ordered") << "18:00"
                                               << "txtStandartVon"
                                               << "17:00" << ok << "18:00";
    QTest::newRow("Termin pair not ordered") << "17:00"
                                             << "txtTerminBis"
                                             << "18:00" << ok << "17:00";
}

void TestCheckTime::checkTime() {
    QFETCH(QString, field);
    QFETCH(QString, name);
    QFETCH(QString, partner);
    QFETCH(int, result);
    QFETCH(QString, after);
    const QString partnerBefore = partner;
    QCOMPARE(int(CheckTime(field, name, partner)), result);
    QCOMPARE(field, after);
    QCOMPARE(partner, partnerBefore);
}

void TestCheckTime::timeMinutes_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("minutes");
    QTest::newRow("07:30") << "07:30" << 450;
    QTest::newRow("07:") << "07:" << 420;
    QTest::newRow(":30") << ":30" << 30;
    QTest::newRow("12:75") << "12:75" << 795;
    QTest::newRow("24:00") << "24:00" << 1440;
    QTest::newRow("leading blanks") << " 8: 15" << 495;
    QTest::newRow("letters count 0") << "ab:cd" << 0;
    QTest::newRow("fraction rounded to even") << "0:2.5" << 2;
    QTest::newRow("without colon counts hours") << "10" << 600;
    QTest::newRow("huge clamped") << "9999:00" << 32767;
}

void TestCheckTime::timeMinutes() {
    QFETCH(QString, text);
    QFETCH(int, minutes);
    QCOMPARE(mv::timeMinutes(text), minutes);
}

QTEST_GUILESS_MAIN(TestCheckTime)
#include "tst_checktime.moc"
