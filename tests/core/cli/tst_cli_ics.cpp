#include "settings/codepage.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <libical/ical.h>

namespace {

struct Run {
    int code = -1;
    QByteArray out;
    QString err;
};

Run cli(const QString& folder, const QStringList& args) {
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("LC_ALL", "C.UTF-8");
    env.insert("TZ", "Europe/Berlin");
    p.setProcessEnvironment(env);
    p.start(MV_CLI, QStringList{"--folder", folder} + args);
    p.waitForFinished(60000);
    Run r;
    r.code = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    r.out = p.readAllStandardOutput();
    r.err = QString::fromUtf8(p.readAllStandardError());
    return r;
}

QByteArray readAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Summary and TZID of the start of every event, parsed by libical; empty when no calendar.
QStringList events(const QByteArray& text) {
    QStringList result;
    icalcomponent* cal = icalparser_parse_string(text.constData());
    if (!cal || icalcomponent_isa(cal) != ICAL_VCALENDAR_COMPONENT) {
        if (cal)
            icalcomponent_free(cal);
        return result;
    }
    for (icalcomponent* e = icalcomponent_get_first_component(cal, ICAL_VEVENT_COMPONENT); e;
         e = icalcomponent_get_next_component(cal, ICAL_VEVENT_COMPONENT)) {
        icalproperty* start = icalcomponent_get_first_property(e, ICAL_DTSTART_PROPERTY);
        icalparameter* tz = icalproperty_get_first_parameter(start, ICAL_TZID_PARAMETER);
        result << QString::fromUtf8(icalcomponent_get_summary(e)) + "|" +
                      (tz ? QString::fromUtf8(icalparameter_get_tzid(tz)) : QString());
    }
    icalcomponent_free(cal);
    result.sort(); // rows of one date have no fixed order
    return result;
}

const QByteArray kOld = "the old file\n";

} // namespace

class TestCliIcs : public QObject {
    Q_OBJECT
private slots:
    void exportYear_data();
    void exportYear();
};

void TestCliIcs::exportYear_data() {
    QTest::addColumn<QString>("ini");
    QTest::addColumn<QStringList>("args"); // "OUT": the file of the test, "DIR": its folder
    QTest::addColumn<int>("code");
    QTest::addColumn<QStringList>("expected"); // events on stdout or in the file
    QTest::addColumn<QString>("inError");

    const QString ini = "[Feiertage]\nJahr=2026\nDefinition=000000000001\n"
                        "[Einstellungen]\nSprache=Deutsch\nLand=Deutschland\n"
                        "[Weitere Tage]\n24.12.*\aHeiligabend\a13:00 - 18:00\aKirche\n"
                        "24.12.2025\aVorjahr\aNote\a\n";
    const QStringList days{"Heiligabend|Europe/Berlin", "Zweiter Weihnachtstag|"};
    QTest::newRow("stdout") << ini << QStringList{"ics"} << 0 << days << QString();
    QTest::newRow("stdout by -") << ini << QStringList{"ics", "--out", "-"} << 0 << days
                                 << QString();
    QTest::newRow("file") << ini << QStringList{"ics", "--out", "OUT"} << 0 << days << QString();
    QTest::newRow("other year") << ini << QStringList{"ics", "--year", "2025", "--out", "OUT"} << 0
                                << QStringList{"Heiligabend|Europe/Berlin", "Vorjahr|",
                                               "Zweiter Weihnachtstag|"}
                                << QString();
    QTest::newRow("year out of range")
        << ini << QStringList{"ics", "--year", "1582", "--out", "OUT"} << 2 << QStringList()
        << "1583";
    QTest::newRow("stored year out of range") << QString(ini).replace("Jahr=2026", "Jahr=9000")
                                              << QStringList{"ics"} << 2 << QStringList() << "1583";
    QTest::newRow("time that cannot be read")
        << ini + "01.05.*\aMaifeier\aab zehn\a\n"
        << QStringList{"ics", "--out", "OUT"} << 1 << QStringList() << "ab zehn";
    QTest::newRow("file that cannot be written") << ini << QStringList{"ics", "--out", "DIR"} << 1
                                                 << QStringList() << "konnte nicht erstellt werden";
    QTest::newRow("folder of the file missing")
        << ini << QStringList{"ics", "--out", "OUT-missing/x.ics"} << 1 << QStringList()
        << "ics-missing";
    QTest::newRow("unknown option")
        << ini << QStringList{"ics", "--zone", "UTC"} << 2 << QStringList() << "--zone";
    QTest::newRow("missing program folder")
        << QString() << QStringList{"ics"} << 1 << QStringList() << "missing-folder";
}

void TestCliIcs::exportYear() {
    QFETCH(QString, ini);
    QFETCH(QStringList, args);
    QFETCH(int, code);
    QFETCH(QStringList, expected);
    QFETCH(QString, inError);

    QTemporaryDir dir;
    QString folder = dir.path();
    if (ini.isEmpty()) {
        folder += "/missing-folder";
    } else {
        QFile f(folder + "/Feiertage.ini");
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(mv::toCp1252(ini.replace("\n", "\r\n")));
    }
    const QString out = dir.path() + "/Marvolingen-2026.ics";
    {
        QFile old(out);
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write(kOld);
    }
    const bool toFile = args.contains("OUT") && code == 0;
    args.replaceInStrings("OUT", out);
    args.replaceInStrings("DIR", dir.path());

    const Run r = cli(folder, args);
    QCOMPARE(r.code, code);
    QVERIFY2(r.err.contains(inError), qPrintable(r.err));
    QCOMPARE(r.err.isEmpty(), code == 0);
    if (code != 0) {
        QVERIFY(r.out.isEmpty());
        QCOMPARE(readAll(out), kOld); // never a partial file
        QVERIFY(QFileInfo(dir.path()).isDir());
        return;
    }
    const QByteArray text = toFile ? readAll(out) : r.out;
    QCOMPARE(events(text), expected);
    if (toFile)
        QVERIFY(QString::fromUtf8(r.out).contains(out));
    else
        QCOMPARE(readAll(out), kOld);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden | QDir::System).size(),
             ini.isEmpty() ? 1 : 2); // no temporary file left beside it
}

QTEST_GUILESS_MAIN(TestCliIcs)
#include "tst_cli_ics.moc"
