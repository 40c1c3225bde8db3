#include "settings/codepage.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <libical/ical.h>

using namespace Qt::StringLiterals;

namespace {

struct Run {
    int code = -1;
    QByteArray out;
    QString err;
};

Run cli(const QString& folder, const QStringList& args) {
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(u"LC_ALL"_s, u"C.UTF-8"_s);
    env.insert(u"TZ"_s, u"Europe/Berlin"_s);
    p.setProcessEnvironment(env);
    p.start(QStringLiteral(MV_CLI), QStringList{u"--folder"_s, folder} + args);
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
        result << QString::fromUtf8(icalcomponent_get_summary(e)) + u"|"_s +
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

    const QString ini = u"[Feiertage]\nJahr=2026\nDefinition=000000000001\n"_s
                        u"[Einstellungen]\nSprache=Deutsch\nLand=Deutschland\n"_s
                        u"[Weitere Tage]\n24.12.*\aHeiligabend\a13:00 - 18:00\aKirche\n"_s
                        u"24.12.2025\aVorjahr\aNote\a\n"_s;
    const QStringList days{u"Heiligabend|Europe/Berlin"_s, u"Zweiter Weihnachtstag|"_s};
    QTest::newRow("stdout") << ini << QStringList{u"ics"_s} << 0 << days << QString();
    QTest::newRow("stdout by -") << ini << QStringList{u"ics"_s, u"--out"_s, u"-"_s} << 0 << days
                                 << QString();
    QTest::newRow("file") << ini << QStringList{u"ics"_s, u"--out"_s, u"OUT"_s} << 0 << days
                          << QString();
    QTest::newRow("other year")
        << ini << QStringList{u"ics"_s, u"--year"_s, u"2025"_s, u"--out"_s, u"OUT"_s} << 0
        << QStringList{u"Heiligabend|Europe/Berlin"_s, u"Vorjahr|"_s, u"Zweiter Weihnachtstag|"_s}
        << QString();
    QTest::newRow("year out of range")
        << ini << QStringList{u"ics"_s, u"--year"_s, u"1582"_s, u"--out"_s, u"OUT"_s} << 2
        << QStringList() << "1583";
    QTest::newRow("stored year out of range")
        << QString(ini).replace(u"Jahr=2026"_s, u"Jahr=9000"_s) << QStringList{u"ics"_s} << 2
        << QStringList() << "1583";
    QTest::newRow("time that cannot be read")
        << ini + u"01.05.*\aMaifeier\aab zehn\a\n"_s << QStringList{u"ics"_s, u"--out"_s, u"OUT"_s}
        << 1 << QStringList() << "ab zehn";
    QTest::newRow("file that cannot be written")
        << ini << QStringList{u"ics"_s, u"--out"_s, u"DIR"_s} << 1 << QStringList()
        << "konnte nicht erstellt werden";
    QTest::newRow("folder of the file missing")
        << ini << QStringList{u"ics"_s, u"--out"_s, u"OUT-missing/x.ics"_s} << 1 << QStringList()
        << "ics-missing";
    QTest::newRow("unknown option")
        << ini << QStringList{u"ics"_s, u"--zone"_s, u"UTC"_s} << 2 << QStringList() << "--zone";
    QTest::newRow("missing program folder")
        << QString() << QStringList{u"ics"_s} << 1 << QStringList() << "missing-folder";
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
        folder += u"/missing-folder"_s;
    } else {
        QFile f(folder + u"/Feiertage.ini"_s);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(mv::toCp1252(ini.replace(u"\n"_s, u"\r\n"_s)));
    }
    const QString out = dir.path() + u"/Marvolingen-2026.ics"_s;
    {
        QFile old(out);
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write(kOld);
    }
    const bool toFile = args.contains(u"OUT"_s) && code == 0;
    args.replaceInStrings(u"OUT"_s, out);
    args.replaceInStrings(u"DIR"_s, dir.path());

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
