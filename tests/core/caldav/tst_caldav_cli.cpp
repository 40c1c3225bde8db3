#include "caldav/caldavsettings.h"
#include "caldav/calendarops.h"
#include "caldav/discovery.h"
#include "settings/profilefile.h"
#include "support/radicaleserver.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

using namespace mv;
using namespace mv::caldav;
using mv::testsupport::RadicaleServer;

namespace {

struct Run {
    int code = -1;
    QString out;
    QString err;
};

Run cli(const QString& folder, const QStringList& args, const QByteArray& input = {}) {
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("LC_ALL"), QStringLiteral("C.UTF-8"));
    p.setProcessEnvironment(env);
    p.start(QStringLiteral(MV_CLI), QStringList{QStringLiteral("--folder"), folder} + args);
    p.waitForStarted();
    if (!input.isNull())
        p.write(input);
    p.closeWriteChannel();
    p.waitForFinished(120000);
    Run r;
    r.code = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    r.out = QString::fromUtf8(p.readAllStandardOutput());
    r.err = QString::fromUtf8(p.readAllStandardError());
    return r;
}

// German holidays from the settings file of the folder.
bool writeGermanSettings(const QString& folder) {
    QFile ini(folder + QStringLiteral("/Feiertage.ini"));
    return ini.open(QIODevice::WriteOnly) &&
           ini.write("[Einstellungen]\r\nSprache=Deutsch\r\nLand=Deutschland\r\n") > 0;
}

} // namespace

class TstCalDavCli : public QObject {
    Q_OBJECT

private:
    RadicaleServer server_;

    Run connect(const QString& folder, const QString& password = QStringLiteral("svcpw")) {
        return cli(folder,
                   {QStringLiteral("caldav"), QStringLiteral("set"), QStringLiteral("--url"),
                    server_.url(), QStringLiteral("--user"), QStringLiteral("service"),
                    QStringLiteral("--password-stdin")},
                   password.toUtf8() + "\n");
    }

private slots:
    void initTestCase() {
        const QString problem = server_.start();
        QVERIFY2(problem.isEmpty(), qPrintable(problem));
        QVERIFY(server_.makeCalendar(QStringLiteral("alice"), QStringLiteral("home"),
                                     QStringLiteral("Alice privat")));
        QVERIFY(server_.makeCalendar(QStringLiteral("bob"), QStringLiteral("work"),
                                     QStringLiteral("Bob Büro")));
        QVERIFY(server_.makeCalendar(QStringLiteral("carol"), QStringLiteral("cal"),
                                     QStringLiteral("Carol")));
    }

    void setListSelect() {
        QTemporaryDir dir;
        Run r = connect(dir.path());
        QCOMPARE(r.code, 0);
        ProfileFile file(dir.filePath(QStringLiteral("Feiertage.ini")));
        CalDavSettings s = LoadCalDavSettings(file);
        QCOMPARE(s.kind, ServerKind::CalDAV);
        QCOMPARE(s.password, QStringLiteral("svcpw")); // without its line end

        r = cli(dir.path(), {QStringLiteral("caldav"), QStringLiteral("calendars")});
        QCOMPARE(r.code, 0);
        QCOMPARE(r.out, QStringLiteral("/alice/home/\talice\tAlice privat\n"
                                       "/bob/work/\tbob\tBob Büro\n"
                                       "/carol/cal/\tcarol\tCarol\n"));

        r = cli(dir.path(), {QStringLiteral("caldav"), QStringLiteral("select"),
                             QStringLiteral("/bob/work/"), QStringLiteral("/alice/home/")});
        QCOMPARE(r.code, 0);
        s = LoadCalDavSettings(file);
        QCOMPARE(s.calendars,
                 (CalendarList{{QStringLiteral("/bob/work/"), QStringLiteral("bob"),
                                QStringLiteral("Bob Büro")},
                               {QStringLiteral("/alice/home/"), QStringLiteral("alice"),
                                QStringLiteral("Alice privat")}}));
        // The connection stays when only the selection changes.
        QCOMPARE(s.password, QStringLiteral("svcpw"));
    }

    void refusedSettings_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("message");
        QTest::newRow("plain http to another host")
            << QStringList{QStringLiteral("--url"), QStringLiteral("http://cal.example.org/"),
                           QStringLiteral("--user"), QStringLiteral("service")}
            << "https";
        QTest::newRow("missing CA file")
            << QStringList{QStringLiteral("--url"),     QStringLiteral("https://cal.example.org/"),
                           QStringLiteral("--user"),    QStringLiteral("service"),
                           QStringLiteral("--ca-file"), QStringLiteral("/nonexistent/ca.pem")}
            << "CA";
    }
    void refusedSettings() {
        QFETCH(QStringList, args);
        QFETCH(QString, message);
        QTemporaryDir dir;
        const Run r =
            cli(dir.path(), QStringList{QStringLiteral("caldav"), QStringLiteral("set")} + args);
        QCOMPARE(r.code, 1);
        QVERIFY2(r.err.contains(message), qPrintable(r.err));
        QVERIFY(!QFile::exists(dir.filePath(QStringLiteral("Feiertage.ini"))));
    }

    void writeAndDeleteAll() {
        QVERIFY(server_.makeCalendar(QStringLiteral("alice"), QStringLiteral("cli"),
                                     QStringLiteral("Cli")));
        QTemporaryDir dir;
        // German holidays of 2026 from the settings; the calendars chosen by path.
        QVERIFY(writeGermanSettings(dir.path()));
        QCOMPARE(connect(dir.path()).code, 0);
        QCOMPARE(cli(dir.path(), {QStringLiteral("caldav"), QStringLiteral("select"),
                                  QStringLiteral("/alice/cli/"), QStringLiteral("/carol/cal/")})
                     .code,
                 0);
        const qsizetype days = cli(dir.path(), {QStringLiteral("days"), QStringLiteral("--year"),
                                                QStringLiteral("2026"), QStringLiteral("--format"),
                                                QStringLiteral("tsv")})
                                   .out.count(u'\n');
        QVERIFY(days > 5);
        const QStringList write{QStringLiteral("caldav"), QStringLiteral("write"),
                                QStringLiteral("--year"), QStringLiteral("2026")};
        for (int round = 0; round < 2; ++round) {
            const Run r = cli(dir.path(), write);
            QCOMPARE(r.code, 1); // carol's calendar is read-only for the service account
            const QStringList lines = r.out.split(u'\n', Qt::SkipEmptyParts);
            QCOMPARE(lines.size(), 3);
            QCOMPARE(lines[0], QStringLiteral("/alice/cli/\tOK\tOK"));
            QCOMPARE(lines[1], QStringLiteral("/carol/cal/\tOK\t--"));
            QVERIFY(QFileInfo(lines[2]).fileName().startsWith(QStringLiteral("PR-")));
            QCOMPARE(server_.objects(QStringLiteral("alice"), QStringLiteral("cli")).size(), days);
        }

        const QStringList deleteAll{QStringLiteral("caldav"), QStringLiteral("delete-all"),
                                    QStringLiteral("--year"), QStringLiteral("2026")};
        QCOMPARE(cli(dir.path(), deleteAll).code, 2); // not confirmed
        QCOMPARE(server_.objects(QStringLiteral("alice"), QStringLiteral("cli")).size(), days);
        const Run r = cli(dir.path(), deleteAll + QStringList{QStringLiteral("--yes")});
        QCOMPARE(r.code, 0);
        QVERIFY(r.out.startsWith(QStringLiteral("/alice/cli/\tOK\tDEL\n/carol/cal/\tOK\tN/A\n")));
        QCOMPARE(server_.objects(QStringLiteral("alice"), QStringLiteral("cli")).size(), 0);

        // A wrong password: one message, nothing written, no log file.
        QCOMPARE(connect(dir.path(), QStringLiteral("wrong")).code, 0);
        const int logs = QDir(dir.path()).entryList({QStringLiteral("PR-*")}).size();
        const Run refused = cli(dir.path(), write);
        QCOMPARE(refused.code, 1);
        QVERIFY(refused.out.isEmpty());
        QCOMPARE(refused.err.count(u'\n'), 1);
        QCOMPARE(QDir(dir.path()).entryList({QStringLiteral("PR-*")}).size(), logs);
        QCOMPARE(server_.objects(QStringLiteral("alice"), QStringLiteral("cli")).size(), 0);
    }

    // The password is revoked by the server's storage hook once the first object of the
    // first calendar is stored: the run ends at that calendar with the one login message
    // and a failed exit; the second calendar is not tried.
    void passwordRevokedMidRun() {
        RadicaleServer revoking(RadicaleServer::revokingOptions());
        const QString problem = revoking.start();
        QVERIFY2(problem.isEmpty(), qPrintable(problem));
        for (const char* name : {"first", "second"})
            QVERIFY(revoking.makeCalendar(QStringLiteral("alice"), QString::fromLatin1(name),
                                          QString::fromLatin1(name)));
        QTemporaryDir dir;
        QVERIFY(writeGermanSettings(dir.path()));
        const Run set = cli(dir.path(),
                            {QStringLiteral("caldav"), QStringLiteral("set"),
                             QStringLiteral("--url"), revoking.url(), QStringLiteral("--user"),
                             QStringLiteral("service"), QStringLiteral("--password-stdin")},
                            "svcpw\n");
        QCOMPARE(set.code, 0);
        QCOMPARE(
            cli(dir.path(), {QStringLiteral("caldav"), QStringLiteral("select"),
                             QStringLiteral("/alice/first/"), QStringLiteral("/alice/second/")})
                .code,
            0);
        // More days than requests under way: some are sent after the refusal.
        const qsizetype days = cli(dir.path(), {QStringLiteral("days"), QStringLiteral("--year"),
                                                QStringLiteral("2026"), QStringLiteral("--format"),
                                                QStringLiteral("tsv")})
                                   .out.count(u'\n');
        QVERIFY(days > kInFlight);
        QVERIFY(revoking.revokeAtNextChange());

        const Run r = cli(dir.path(), {QStringLiteral("caldav"), QStringLiteral("write"),
                                       QStringLiteral("--year"), QStringLiteral("2026")});
        QCOMPARE(r.code, 1);
        QCOMPARE(r.err, loginRefusedText(Language::German) + u'\n');
        const QStringList lines = r.out.split(u'\n', Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 2);
        QCOMPARE(lines[0], QStringLiteral("/alice/first/\tOK\t--"));
        QVERIFY(QFileInfo(lines[1]).fileName().startsWith(QStringLiteral("PR-")));
        QVERIFY(!revoking.objects(QStringLiteral("alice"), QStringLiteral("first")).isEmpty());
        QCOMPARE(revoking.objects(QStringLiteral("alice"), QStringLiteral("second")).size(), 0);
    }

    void wrongPasswordListing() {
        QTemporaryDir dir;
        QCOMPARE(connect(dir.path(), QStringLiteral("wrong")).code, 0);
        const Run r = cli(dir.path(), {QStringLiteral("caldav"), QStringLiteral("calendars")});
        QCOMPARE(r.code, 1);
        QVERIFY(r.out.isEmpty());
        QCOMPARE(r.err.count(u'\n'), 1); // one clear message
    }
};

QTEST_GUILESS_MAIN(TstCalDavCli)
#include "tst_caldav_cli.moc"
