#include "ui/commandline.h"

#include <QTest>

class TestCommandLine : public QObject {
    Q_OBJECT
private slots:
    void parse_data() {
        QTest::addColumn<QString>("line");
        QTest::addColumn<bool>("debug");
        QTest::addColumn<QString>("file");
        QTest::addColumn<QStringList>("messages");
        QTest::newRow("empty") << "" << false << "" << QStringList{};
        QTest::newRow("upper case")
            << "-D /F name" << true << "name" << QStringList{"Debug Modus: True"};
        QTest::newRow("debug twice") << "-d -d" << true << "" << QStringList{"Debug Modus: True"};
        QTest::newRow("file then debug")
            << "-f abc -d" << true << "abc" << QStringList{"Debug Modus: True"};
        QTest::newRow("switch as file")
            << "-f -d" << false << "" << QStringList{"Invalid filename."};
        QTest::newRow("slash file") << "/f /x" << false << "" << QStringList{"Invalid filename."};
        QTest::newRow("file last") << "-d -f" << true << ""
                                   << QStringList{"Kein Dateiname angegeben.", "Debug Modus: True"};
        QTest::newRow("unknown") << "-x" << false << "" << QStringList{"Ungültiger Parameter: -x"};
        QTest::newRow("two blanks")
            << "-d  -d" << true << "" << QStringList{"Ungültiger Parameter: ", "Debug Modus: True"};
        QTest::newRow("word kept as typed")
            << "Hallo" << false << "" << QStringList{"Ungültiger Parameter: Hallo"};
    }
    void parse() {
        QFETCH(QString, line);
        QFETCH(bool, debug);
        QFETCH(QString, file);
        QFETCH(QStringList, messages);
        const mv::CommandLineResult r = mv::ParseCommandLine(line);
        QCOMPARE(r.debugMode, debug);
        QCOMPARE(r.fileName, file);
        QCOMPARE(r.messages, messages);
    }
};

QTEST_GUILESS_MAIN(TestCommandLine)
#include "tst_commandline.moc"
