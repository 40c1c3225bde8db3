#include "ui/commandline.h"

#include <QTest>

using namespace Qt::StringLiterals;

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
            << "-D /F name" << true << "name" << QStringList{u"Debug Modus: True"_s};
        QTest::newRow("debug twice")
            << "-d -d" << true << "" << QStringList{u"Debug Modus: True"_s};
        QTest::newRow("file then debug")
            << "-f abc -d" << true << "abc" << QStringList{u"Debug Modus: True"_s};
        QTest::newRow("switch as file")
            << "-f -d" << false << "" << QStringList{u"Invalid filename."_s};
        QTest::newRow("slash file")
            << "/f /x" << false << "" << QStringList{u"Invalid filename."_s};
        QTest::newRow("file last")
            << "-d -f" << true << ""
            << QStringList{u"Kein Dateiname angegeben."_s, u"Debug Modus: True"_s};
        QTest::newRow("unknown") << "-x" << false << ""
                                 << QStringList{u"Ungültiger Parameter: -x"_s};
        QTest::newRow("two blanks")
            << "-d  -d" << true << ""
            << QStringList{u"Ungültiger Parameter: "_s, u"Debug Modus: True"_s};
        QTest::newRow("word kept as typed")
            << "Hallo" << false << "" << QStringList{u"Ungültiger Parameter: Hallo"_s};
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
