#include "caldav/caldavruns.h"
#include "caldav/caldavsettings.h"
#include "caldav/calendarops.h"
#include "caldav/client.h"
#include "caldav/discovery.h"
#include "settings/codepage.h"
#include "settings/profilefile.h"
#include "support/radicaleserver.h"

#include "ical/icalendar.h"

#include <QMap>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QtTest>

using namespace mv;
using namespace mv::caldav;
using mv::testsupport::RadicaleServer;

namespace {

class Recorder : public RunObserver {
public:
    QList<ProcessingRow> finished;
    QList<bool> dayResults;
    std::function<void()> afterFirstTarget;
    std::function<void()> onRunStarted;

    void runStarted(RunKind, int) override {
        if (onRunStarted)
            onRunStarted();
    }
    void dayResult(const QString&, const DayEntry&, bool ok) override { dayResults.append(ok); }
    void targetFinished(const ProcessingRow& row) override {
        finished.append(row);
        if (finished.size() == 1 && afterFirstTarget)
            afterFirstTarget();
    }
};

} // namespace

class TstCalDav : public QObject {
    Q_OBJECT

private:
    RadicaleServer server_;

    Connection connection(const QString& user = QStringLiteral("service"),
                          const QString& password = QStringLiteral("svcpw")) const {
        Connection c;
        c.url = server_.url();
        c.user = user;
        c.password = password;
        c.timeoutMs = 10000;
        return c;
    }

    static DayList year2026() {
        return {
            {QStringLiteral("01.01.2026"),
             QStringLiteral("Neujahr"),
             QStringLiteral("00:00 - 24:00"),
             {}},
            {QStringLiteral("03.10.2026"),
             QStringLiteral("Tag der Deutschen Einheit"),
             QStringLiteral("00:00 - 24:00"),
             {}},
            {QStringLiteral("24.12.2026"), QStringLiteral("Heiligabend"),
             QStringLiteral("13:00 - 18:00"), QStringLiteral("Büro")},
            {QStringLiteral("31.12.2026"), QStringLiteral("Silvester"), QStringLiteral("Note"), {}},
        };
    }

    // UID → summary of the stored objects, and how many carry the mark.
    struct Stored {
        QMap<QString, ObjectInfo> byUid;
        int count = 0;
        int ours = 0;
    };
    Stored stored(const QString& owner, const QString& name) const {
        return stored(server_, owner, name);
    }
    static Stored stored(const RadicaleServer& server, const QString& owner, const QString& name) {
        Stored s;
        for (const QByteArray& object : server.objects(owner, name)) {
            const auto info = readObject(object);
            if (!info)
                continue;
            ++s.count;
            s.ours += info->ours ? 1 : 0;
            s.byUid.insert(info->uid, *info);
        }
        return s;
    }

    static QByteArray foreignEvent(const QString& uid, const QString& date,
                                   const QString& summary) {
        return QStringLiteral("BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Test//EN\r\n"
                              "BEGIN:VEVENT\r\nUID:%1\r\nDTSTAMP:20260101T000000Z\r\n"
                              "DTSTART;VALUE=DATE:%2\r\nSUMMARY:%3\r\nEND:VEVENT\r\n"
                              "END:VCALENDAR\r\n")
            .arg(uid, date, summary)
            .toUtf8();
    }

    CalDavRunInput runInput(const QString& folder, const QStringList& paths,
                            const QString& password = QStringLiteral("svcpw")) const {
        CalDavRunInput in;
        in.environment.programFolder = folder;
        in.messages.fill(Language::German);
        in.settings.url = server_.url();
        in.settings.user = QStringLiteral("service");
        in.settings.password = password;
        in.settings.kind = ServerKind::CalDAV;
        for (const QString& p : paths)
            in.settings.calendars.append({p, {}, {}});
        in.days = year2026();
        in.year = 2026;
        in.timeoutMs = 5000;
        return in;
    }

    static QString logText(const RunResult& r) {
        QFile f(r.logFilePath);
        return f.open(QIODevice::ReadOnly) ? fromCp1252(f.readAll()) : QString();
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
        QVERIFY(server_.makeCalendar(QStringLiteral("carol"), QStringLiteral("tasks"),
                                     QStringLiteral("Carol Aufgaben"), QStringLiteral("VTODO")));
    }

    void settingsSection() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("Feiertage.ini"));
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("[GroupWise]\r\nIPAdresse=10.1.1.5\r\n[User]\r\nmaier\x07User\x07"
                "D\x07PO\r\n");
        f.close();
        ProfileFile file(path);
        QCOMPARE(LoadCalDavSettings(file).kind, ServerKind::GroupWise);
        QVERIFY(LoadCalDavSettings(file).url.isEmpty());

        CalDavSettings s;
        s.kind = ServerKind::CalDAV;
        s.url = QStringLiteral("https://cal.example.org/dav/");
        s.user = QStringLiteral("service");
        s.password = QStringLiteral("geheim=;Ä x");
        s.caFile = QStringLiteral("/etc/ssl/private-ca.pem");
        s.calendars = {{QStringLiteral("/alice/home/"), QStringLiteral("alice"),
                        QStringLiteral("Alice privat")},
                       {QStringLiteral("/bob/work/"), QStringLiteral("bob"), QString()}};
        QVERIFY(SaveCalDavSettings(file, s, Language::German).ok());
        QCOMPARE(LoadCalDavSettings(file).calendars, s.calendars);
        const CalDavSettings back = LoadCalDavSettings(file);
        QCOMPARE(back.password, s.password);
        QCOMPARE(back.url, s.url);
        QCOMPARE(back.caFile, s.caFile);
        QCOMPARE(back.kind, ServerKind::CalDAV);
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QByteArray bytes = f.readAll();
        f.close();
        QVERIFY(!bytes.contains("geheim"));
        QVERIFY(bytes.startsWith("[GroupWise]\r\nIPAdresse=10.1.1.5\r\n[User]\r\nmaier\x07User"));
        QCOMPARE(file.readKey(QStringLiteral("GroupWise"), QStringLiteral("IPAdresse"), {}, 99),
                 QStringLiteral("10.1.1.5"));

        // A smaller selection leaves no stale calendar behind.
        s.calendars.removeLast();
        s.password = QString::fromUtf8("\xe2\x82\xac\xf0\x9f\x98\x80"); // not storable
        QVERIFY(!SaveCalDavSettings(file, s, Language::German).ok());
        s.password = QStringLiteral("pw");
        QVERIFY(SaveCalDavSettings(file, s, Language::German).ok());
        QCOMPARE(LoadCalDavSettings(file).calendars.size(), 1);
    }

    // A refused save tells why in the interface language; "(%1)" is the file's return code.
    void saveFailureLanguage_data() {
        QTest::addColumn<bool>("english");
        QTest::addColumn<bool>("fileBlocked"); // else the password cannot be stored
        QTest::addColumn<QString>("message");
        QTest::newRow("password, German")
            << false << false
            << QStringLiteral("Das Passwort enthält Zeichen, die nicht gespeichert werden können.");
        QTest::newRow("password, English")
            << true << false
            << QStringLiteral("The password holds characters that cannot be stored.");
        QTest::newRow("file, German")
            << false << true
            << QStringLiteral("Einstellungen konnten nicht gespeichert werden! (%1)");
        QTest::newRow("file, English")
            << true << true << QStringLiteral("Can`t save settings! (%1)");
    }
    void saveFailureLanguage() {
        QFETCH(bool, english);
        QFETCH(bool, fileBlocked);
        QFETCH(QString, message);
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        QString path = dir.filePath(QStringLiteral("Feiertage.ini"));
        CalDavSettings s;
        s.kind = ServerKind::CalDAV;
        s.url = QStringLiteral("https://cal.example.org/dav/");
        s.password = QString::fromUtf8("\xe2\x82\xac\xf0\x9f\x98\x80"); // not storable
        if (fileBlocked) {
            // A plain file where the folder should be: no user, root included, can write below it.
            const QString blocker = dir.filePath(QStringLiteral("not-a-folder"));
            QFile f(blocker);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.close();
            path = blocker + QStringLiteral("/Feiertage.ini");
            s.password = QStringLiteral("pw");
        }
        ProfileFile file(path);
        const auto saved =
            SaveCalDavSettings(file, s, english ? Language::English : Language::German);
        QVERIFY(!saved.ok());
        if (fileBlocked) {
            const int code = file.replaceSection(QStringLiteral("CalDAV"), QString(QChar(0)));
            QVERIFY(code != 1);
            message = message.arg(code);
        }
        QCOMPARE(saved.error(), message);
        QVERIFY(!QFile::exists(path));
    }

    void urlSecurity_data() {
        QTest::addColumn<QString>("url");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("https") << "https://cal.example.org/" << true;
        QTest::newRow("http loopback v4") << "http://127.0.0.1:5232/" << true;
        QTest::newRow("http localhost") << "http://localhost:5232/" << true;
        QTest::newRow("http loopback v6") << "http://[::1]:5232/" << true;
        QTest::newRow("http remote") << "http://cal.example.org/" << false;
        QTest::newRow("http lan") << "http://192.168.1.20:5232/" << false;
        QTest::newRow("ftp") << "ftp://cal.example.org/" << false;
        QTest::newRow("no host") << "https:///dav" << false;
        QTest::newRow("empty") << "" << false;
    }
    void urlSecurity() {
        QFETCH(QString, url);
        QFETCH(bool, accepted);
        Connection c = connection();
        c.url = url;
        const auto client = Client::create(c);
        QCOMPARE(client.ok(), accepted);
        if (!accepted)
            QVERIFY(!client.error().isEmpty());
    }

    void otherServerRefused() {
        auto client = Client::create(connection());
        QVERIFY(client.ok());
        Request r;
        r.verb = "PROPFIND";
        r.url = QUrl(QStringLiteral("http://127.0.0.2:%1/alice/").arg(server_.port()));
        const Response answer = (*client)->send(r);
        QCOMPARE(answer.status, 0);
        QVERIFY(answer.error.contains(r.url.toString()));
        QCOMPARE((*client)->requestsSent(), 0);
    }

    void discovery_data() {
        QTest::addColumn<QString>("start");
        QTest::newRow("server root") << "/";
        QTest::newRow("own principal") << "/service/";
        QTest::newRow("a calendar") << "/alice/home/";
        QTest::newRow("unknown path") << "/nowhere/at/all/";
    }
    void discovery() {
        QFETCH(QString, start);
        Connection c = connection();
        c.url = server_.url(start);
        auto client = Client::create(c);
        QVERIFY(client.ok());
        const auto calendars = discoverCalendars(**client);
        QVERIFY2(calendars.ok(), qPrintable(calendars.ok() ? QString() : calendars.error()));
        const CalendarList expected{
            {QStringLiteral("/alice/home/"), QStringLiteral("alice"),
             QStringLiteral("Alice privat")},
            {QStringLiteral("/bob/work/"), QStringLiteral("bob"), QStringLiteral("Bob Büro")},
            {QStringLiteral("/carol/cal/"), QStringLiteral("carol"), QStringLiteral("Carol")},
        };
        QCOMPARE(*calendars, expected); // carol's task list is no calendar for events
    }

    // The texts the server side shows come from the message table in the language asked.
    void textsInLanguage_data() {
        QTest::addColumn<bool>("english");
        QTest::newRow("German") << false;
        QTest::newRow("English") << true;
    }
    void textsInLanguage() {
        QFETCH(bool, english);
        const Language language = english ? Language::English : Language::German;
        const auto text = [language](Msg m) { return MessageTable::in(language, m); };
        const QString remote = QStringLiteral("http://cal.example.org/");
        QCOMPARE(checkedServerUrl(remote, language).error(), text(Msg::CalDavPlainHttp) + remote);
        const QString ftp = QStringLiteral("ftp://cal.example.org/");
        QCOMPARE(checkedServerUrl(ftp, language).error(), text(Msg::CalDavSchemeRefused) + ftp);
        QCOMPARE(checkedServerUrl(QString(), language).error(), text(Msg::CalDavInvalidUrl));
        QCOMPARE(loginRefusedText(language), text(Msg::CalDavLoginRefused));

        Response r;
        r.timedOut = true;
        QCOMPARE(r.describe(language), text(Msg::CalDavTimeout));
        const QList<std::pair<int, Msg>> reasons{
            {401, Msg::CalDavHttp401}, {403, Msg::CalDavHttp403}, {404, Msg::CalDavHttp404},
            {409, Msg::CalDavHttp409}, {412, Msg::CalDavHttp412}, {503, Msg::CalDavHttp5xx}};
        for (const auto& [status, reason] : reasons) {
            Response answer;
            answer.status = status;
            QCOMPARE(answer.describe(language),
                     QStringLiteral("HTTP %1 (%2)").arg(status).arg(text(reason)));
        }

        Connection c = connection();
        c.language = language;
        c.caFile = QStringLiteral("/nonexistent/ca.pem");
        QCOMPARE(Client::create(c).error(), text(Msg::CalDavCaUnreadable) + c.caFile);
        c.caFile.clear();
        auto client = Client::create(c);
        QVERIFY(client.ok());
        QCOMPARE(checkCalendar(**client, QStringLiteral("/alice/")).problem,
                 text(Msg::CalDavNoEventCalendar));
    }

    void wrongPassword() {
        auto client = Client::create(connection(QStringLiteral("service"), QStringLiteral("nope")));
        QVERIFY(client.ok());
        const auto calendars = discoverCalendars(**client);
        QVERIFY(!calendars.ok());
        QCOMPARE(calendars.error(), loginRefusedText(Language::German));
        const CalendarCheck check = checkCalendar(**client, QStringLiteral("/alice/home/"));
        QVERIFY(check.unauthorized);
    }

    void calendarCheck_data() {
        QTest::addColumn<QString>("path");
        QTest::addColumn<bool>("ok");
        QTest::newRow("calendar") << "/alice/home/" << true;
        QTest::newRow("read-only calendar") << "/carol/cal/" << true;
        QTest::newRow("task list") << "/carol/tasks/" << false;
        QTest::newRow("missing") << "/alice/missing/" << false;
        QTest::newRow("principal") << "/alice/" << false;
    }
    void calendarCheck() {
        QFETCH(QString, path);
        QFETCH(bool, ok);
        auto client = Client::create(connection());
        QVERIFY(client.ok());
        const CalendarCheck check = checkCalendar(**client, path);
        QCOMPARE(check.ok, ok);
        QCOMPARE(check.problem.isEmpty(), ok);
    }

    void writeReplaceAndDeleteYear() {
        QVERIFY(server_.makeCalendar(QStringLiteral("bob"), QStringLiteral("ops"),
                                     QStringLiteral("Ops")));
        // Another sender's entry with a holiday's summary on the holiday.
        QCOMPARE(server_.putAs(QStringLiteral("bob"), QStringLiteral("/bob/ops/foreign.ics"),
                               foreignEvent(QStringLiteral("foreign-1"), QStringLiteral("20261003"),
                                            QStringLiteral("Tag der Deutschen Einheit"))),
                 201);
        auto client = Client::create(connection());
        QVERIFY(client.ok());
        const QString path = QStringLiteral("/bob/ops/");
        DayList rows = year2026();
        for (int round = 0; round < 2; ++round) {
            const WriteOutcome w = writeDays(**client, path, rows, 2026);
            QVERIFY(!w.failure && !w.unauthorized);
            for (const auto& day : w.days)
                QVERIFY2(!day, qPrintable(day ? day->description : QString()));
            const Stored s = stored(QStringLiteral("bob"), QStringLiteral("ops"));
            QCOMPARE(s.count, 5); // no doubles on the second round
            QCOMPARE(s.ours, 4);
        }
        // A changed time replaces the object of the day.
        rows[2].time = QStringLiteral("10:00 - 12:00");
        QVERIFY(!writeDays(**client, path, rows, 2026).days[2]);
        const QByteArray changed = [&] {
            for (const QByteArray& o :
                 server_.objects(QStringLiteral("bob"), QStringLiteral("ops")))
                if (o.contains("Heiligabend"))
                    return o;
            return QByteArray();
        }();
        QVERIFY(changed.contains("T100000"));
        QVERIFY(!changed.contains("T130000"));
        QCOMPARE(stored(QStringLiteral("bob"), QStringLiteral("ops")).count, 5);

        // A further day removed: only its own object goes.
        const DeleteOutcome one = deleteDay(**client, path,
                                            {QStringLiteral("03.10.*"),
                                             QStringLiteral("Tag der Deutschen Einheit"),
                                             QStringLiteral("00:00 - 24:00"),
                                             {}},
                                            2026);
        QCOMPARE(one.deletions.size(), 1);
        QVERIFY(!one.deletions[0].failure);
        Stored s = stored(QStringLiteral("bob"), QStringLiteral("ops"));
        QCOMPARE(s.count, 4);
        QVERIFY(s.byUid.contains(QStringLiteral("foreign-1")));

        // Delete-all of another year finds nothing; of the year, every own object and no other.
        QCOMPARE(deleteYear(**client, path, 2025).deletions.size(), 0);
        const DeleteOutcome all = deleteYear(**client, path, 2026);
        QVERIFY(!all.failure);
        QCOMPARE(all.deletions.size(), 3);
        for (const Deletion& d : all.deletions)
            QVERIFY(!d.failure);
        s = stored(QStringLiteral("bob"), QStringLiteral("ops"));
        QCOMPARE(s.count, 1);
        QCOMPARE(s.byUid.value(QStringLiteral("foreign-1")).summary,
                 QStringLiteral("Tag der Deutschen Einheit"));
    }

    void foreignObjectUnderOwnUid() {
        QVERIFY(server_.makeCalendar(QStringLiteral("bob"), QStringLiteral("clash"),
                                     QStringLiteral("Clash")));
        const DayEntry day = year2026().first();
        const QString uid = ical::uidFor(day);
        QCOMPARE(server_.putAs(
                     QStringLiteral("bob"),
                     QStringLiteral("/bob/clash/") + uid + QStringLiteral(".ics"),
                     foreignEvent(uid, QStringLiteral("20260101"), QStringLiteral("Mein Neujahr"))),
                 201);
        auto client = Client::create(connection());
        QVERIFY(client.ok());
        const WriteOutcome w = writeDays(**client, QStringLiteral("/bob/clash/"), {day}, 2026);
        QVERIFY(w.days[0]);
        QCOMPARE(stored(QStringLiteral("bob"), QStringLiteral("clash")).byUid.value(uid).summary,
                 QStringLiteral("Mein Neujahr"));
        QCOMPARE(deleteYear(**client, QStringLiteral("/bob/clash/"), 2026).deletions.size(), 0);
    }

    void calendarFaults_data() {
        QTest::addColumn<QString>("path");
        QTest::addColumn<int>("status");
        QTest::newRow("read only") << "/carol/cal/" << 403;
        QTest::newRow("missing") << "/alice/missing/" << 404;
    }
    void calendarFaults() {
        QFETCH(QString, path);
        QFETCH(int, status);
        auto client = Client::create(connection());
        QVERIFY(client.ok());
        const WriteOutcome w = writeDays(**client, path, year2026(), 2026);
        QVERIFY(!w.unauthorized);
        bool failedAll = w.failure.has_value();
        if (!failedAll) {
            failedAll = true;
            for (const auto& d : w.days)
                failedAll = failedAll && d && d->number == status;
        } else {
            QCOMPARE(w.failure->number, status);
        }
        QVERIFY(failedAll);
        QCOMPARE(stored(QStringLiteral("carol"), QStringLiteral("cal")).count, 0);
    }

    void writeAndDeleteRuns() {
        QVERIFY(server_.makeCalendar(QStringLiteral("alice"), QStringLiteral("runs"),
                                     QStringLiteral("Runs")));
        QCOMPARE(server_.putAs(QStringLiteral("alice"), QStringLiteral("/alice/runs/foreign.ics"),
                               foreignEvent(QStringLiteral("foreign-2"), QStringLiteral("20260101"),
                                            QStringLiteral("Neujahr"))),
                 201);
        QTemporaryDir dir;
        const CalDavRunInput in =
            runInput(dir.path(), {QStringLiteral("/alice/runs/"), QStringLiteral("/carol/cal/"),
                                  QStringLiteral("/alice/missing/")});
        for (int round = 0; round < 2; ++round) {
            Recorder rec;
            const RunResult r = CalDavWriteRun(in, rec);
            QCOMPARE(r.status, RunStatus::Finished);
            QVERIFY(r.failed()); // exit code 1
            const QList<ProcessingRow> rows{
                {QStringLiteral("/alice/runs/"), QStringLiteral("OK"), QStringLiteral("OK")},
                {QStringLiteral("/carol/cal/"), QStringLiteral("OK"), QStringLiteral("--")},
                {QStringLiteral("/alice/missing/"), QStringLiteral("--"), QString()},
            };
            QCOMPARE(r.rows, rows);
            QCOMPARE(rec.finished, rows);
            QVERIFY(r.logWritten);
            QVERIFY(QFileInfo(r.logFilePath).fileName().startsWith(QStringLiteral("PR-")));
            const QString log = logText(r);
            QVERIFY(
                log.contains(QStringLiteral("----------------\r\n/alice/runs/\r\nAnmeldung OK\r\n"
                                            "01.01.2026, Neujahr: Eintrag OK\r\n")));
            QVERIFY(log.contains(
                QStringLiteral("/carol/cal/\r\nAnmeldung OK\r\n"
                               "01.01.2026, Neujahr: Eintrag konnte nicht eingetragen werden!\r\n"
                               "Error: 403, ")));
            QVERIFY(
                log.contains(QStringLiteral("/alice/missing/\r\nKeine Anmeldung\r\nError: 404, ")));
            const Stored s = stored(QStringLiteral("alice"), QStringLiteral("runs"));
            QCOMPARE(s.count, 5);
            QCOMPARE(s.ours, 4);
        }
        QCOMPARE(stored(QStringLiteral("carol"), QStringLiteral("cal")).count, 0);

        Recorder rec;
        const RunResult del = CalDavDeleteAllRun(in, rec);
        QCOMPARE(del.status, RunStatus::Finished);
        QCOMPARE(del.rows.value(0), (ProcessingRow{QStringLiteral("/alice/runs/"),
                                                   QStringLiteral("OK"), QStringLiteral("DEL")}));
        QCOMPARE(del.rows.value(1), (ProcessingRow{QStringLiteral("/carol/cal/"),
                                                   QStringLiteral("OK"), QStringLiteral("N/A")}));
        QCOMPARE(del.rows.value(2).login, QStringLiteral("--"));
        QVERIFY(QFileInfo(del.logFilePath).fileName().startsWith(QStringLiteral("PR-DEL-")));
        QVERIFY(logText(del).contains(QStringLiteral("Neujahr :Eintrag gelöscht\r\n")));
        const Stored s = stored(QStringLiteral("alice"), QStringLiteral("runs"));
        QCOMPARE(s.count, 1); // the foreign Neujahr stays
        QVERIFY(s.byUid.contains(QStringLiteral("foreign-2")));
    }

    void wrongPasswordStopsRun() {
        QVERIFY(server_.makeCalendar(QStringLiteral("bob"), QStringLiteral("nopw"),
                                     QStringLiteral("No")));
        QTemporaryDir dir;
        const CalDavRunInput in =
            runInput(dir.path(), {QStringLiteral("/bob/nopw/")}, QStringLiteral("falsch"));
        Recorder rec;
        RunResult r = CalDavWriteRun(in, rec);
        QCOMPARE(r.status, RunStatus::Aborted);
        QCOMPARE(r.errorDescription, loginRefusedText(Language::German));
        QVERIFY(!r.logWritten);
        QVERIFY(rec.finished.isEmpty());
        r = CalDavDeleteAllRun(in, rec);
        QCOMPARE(r.status, RunStatus::Aborted);
        QCOMPARE(stored(QStringLiteral("bob"), QStringLiteral("nopw")).count, 0);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files).size(), 0);
    }

    // The password changes after the first calendar: the refusal ends the run at the
    // calendar that met it.
    void passwordRevokedMidRun_data() {
        QTest::addColumn<bool>("deleteAll");
        QTest::newRow("write") << false;
        QTest::newRow("delete-all") << true;
    }
    void passwordRevokedMidRun() {
        QFETCH(bool, deleteAll);
        const QString prefix = deleteAll ? QStringLiteral("revd") : QStringLiteral("revw");
        QStringList names;
        QStringList paths;
        for (int i = 1; i <= 3; ++i) {
            names.append(prefix + QString::number(i));
            QVERIFY(server_.makeCalendar(QStringLiteral("bob"), names.last(), names.last()));
            paths.append(QStringLiteral("/bob/") + names.last() + u'/');
        }
        QTemporaryDir dir;
        const CalDavRunInput in = runInput(dir.path(), paths);
        if (deleteAll) {
            Recorder before;
            QVERIFY(!CalDavWriteRun(in, before).failed());
        }
        const auto restore = qScopeGuard(
            [this] { server_.setPassword(QStringLiteral("service"), QStringLiteral("svcpw")); });
        Recorder rec;
        rec.afterFirstTarget = [this] {
            QVERIFY(server_.setPassword(QStringLiteral("service"), QStringLiteral("revoked")));
        };
        const RunResult r = deleteAll ? CalDavDeleteAllRun(in, rec) : CalDavWriteRun(in, rec);
        QCOMPARE(r.status, RunStatus::Stopped);
        QVERIFY(r.failed());
        QCOMPARE(r.errorNumber, 401);
        QCOMPARE(r.errorDescription, loginRefusedText(Language::German));
        const QList<ProcessingRow> rows{
            {paths[0], QStringLiteral("OK"),
             deleteAll ? QStringLiteral("DEL") : QStringLiteral("OK")},
            {paths[1], QStringLiteral("--"), QString()},
        };
        QCOMPARE(r.rows, rows);
        QCOMPARE(rec.finished, rows); // the third calendar is not tried
        QVERIFY(r.logWritten);
        const QString log = logText(r);
        QVERIFY(log.contains(paths[1] + QStringLiteral("\r\nKeine Anmeldung\r\n")));
        QVERIFY(!log.contains(paths[2]));
        for (int i = 0; i < 3; ++i) {
            const bool written = deleteAll ? i > 0 : i == 0;
            QCOMPARE(stored(QStringLiteral("bob"), names[i]).count, written ? 4 : 0);
        }
    }

    // A server error on every change (a storage hook that fails, after the change is
    // stored): no day counts as written, the run fails, and a rerun once the fault is gone
    // writes every day once.
    void serverErrorDuringWrite() {
        RadicaleServer faulty(
            RadicaleServer::Options{.storageHook = QStringLiteral("test ! -e fail-writes")});
        const QString problem = faulty.start();
        QVERIFY2(problem.isEmpty(), qPrintable(problem));
        QVERIFY(faulty.makeCalendar(QStringLiteral("bob"), QStringLiteral("err"),
                                    QStringLiteral("Err")));
        QFile fault(faulty.storageFolder() + QStringLiteral("/fail-writes"));
        QVERIFY(fault.open(QIODevice::WriteOnly));
        fault.close();

        QTemporaryDir dir;
        CalDavRunInput in = runInput(dir.path(), {QStringLiteral("/bob/err/")});
        in.settings.url = faulty.url();
        Recorder rec;
        const RunResult r = CalDavWriteRun(in, rec);
        QCOMPARE(r.status, RunStatus::Finished);
        QVERIFY(r.failed());
        QCOMPARE(r.rows, (QList<ProcessingRow>{{QStringLiteral("/bob/err/"), QStringLiteral("OK"),
                                                QStringLiteral("--")}}));
        QCOMPARE(rec.dayResults, QList<bool>(4, false));
        const QString log = logText(r);
        QVERIFY(!log.contains(QStringLiteral("Eintrag OK")));
        QCOMPARE(log.count(QStringLiteral(": Eintrag konnte nicht eingetragen werden!\r\n"
                                          "Error: 500, HTTP 500 (Serverfehler)\r\n")),
                 4);

        QVERIFY(fault.remove());
        Recorder again;
        const RunResult rerun = CalDavWriteRun(in, again);
        QVERIFY(!rerun.failed());
        QCOMPARE(again.dayResults, QList<bool>(4, true));
        const Stored s = stored(faulty, QStringLiteral("bob"), QStringLiteral("err"));
        QCOMPARE(s.count, 4);
        QCOMPARE(s.ours, 4);
        QCOMPARE(s.byUid.size(), 4);
    }

    void serverStoppedMidRun() {
        const QStringList names{QStringLiteral("s1"), QStringLiteral("s2"), QStringLiteral("s3")};
        QStringList paths;
        for (const QString& n : names) {
            QVERIFY(server_.makeCalendar(QStringLiteral("bob"), n, n));
            paths.append(QStringLiteral("/bob/") + n + u'/');
        }
        QTemporaryDir dir;
        const CalDavRunInput in = runInput(dir.path(), paths);
        Recorder rec;
        rec.afterFirstTarget = [this] { server_.stop(); };
        const RunResult cut = CalDavWriteRun(in, rec);
        QCOMPARE(cut.status, RunStatus::Finished);
        QVERIFY(cut.anyFailure);
        QCOMPARE(cut.rows.value(0).entry, QStringLiteral("OK"));
        QCOMPARE(cut.rows.value(1).login, QStringLiteral("--"));
        QCOMPARE(cut.rows.value(2).login, QStringLiteral("--"));

        const QString problem = server_.start();
        QVERIFY2(problem.isEmpty(), qPrintable(problem));
        Recorder again;
        const RunResult rerun = CalDavWriteRun(in, again);
        QVERIFY(!rerun.failed());
        for (const QString& n : names) {
            const Stored s = stored(QStringLiteral("bob"), n);
            QCOMPARE(s.count, 4);
            QCOMPARE(s.byUid.size(), 4);
        }
    }

    void stalledServerTimesOut() {
        QVERIFY(server_.makeCalendar(QStringLiteral("bob"), QStringLiteral("slow"),
                                     QStringLiteral("Slow")));
        QTemporaryDir dir;
        CalDavRunInput in = runInput(dir.path(), {QStringLiteral("/bob/slow/")});
        in.timeoutMs = 1500;
        Recorder rec;
        // The server freezes after the login check: the calendar's requests go unanswered.
        rec.onRunStarted = [this] { server_.freeze(true); };
        const RunResult r = CalDavWriteRun(in, rec);
        server_.freeze(false);
        QCOMPARE(r.status, RunStatus::Finished);
        QVERIFY(r.anyFailure);
        QCOMPARE(r.rows.value(0).login, QStringLiteral("--"));
        QVERIFY(logText(r).contains(QStringLiteral("Zeitüberschreitung")));
    }

    void httpsWithCaFile() {
        RadicaleServer tls(RadicaleServer::Options{.tls = true});
        const QString problem = tls.start();
        QVERIFY2(problem.isEmpty(), qPrintable(problem));
        QVERIFY(tls.makeCalendar(QStringLiteral("alice"), QStringLiteral("home"),
                                 QStringLiteral("Alice")));
        Connection c = connection();
        c.url = tls.url();
        {
            auto client = Client::create(c);
            QVERIFY(client.ok());
            const auto calendars = discoverCalendars(**client);
            QVERIFY(!calendars.ok()); // the self-signed certificate is not trusted
        }
        c.caFile = tls.caFile();
        auto client = Client::create(c);
        QVERIFY(client.ok());
        const auto calendars = discoverCalendars(**client);
        QVERIFY2(calendars.ok(), qPrintable(calendars.ok() ? QString() : calendars.error()));
        QCOMPARE(calendars->size(), 1);
        QCOMPARE(calendars->first().path, QStringLiteral("/alice/home/"));

        c.caFile = tls.folder() + QStringLiteral("/missing.pem");
        QVERIFY(!Client::create(c).ok());
    }
};

QTEST_GUILESS_MAIN(TstCalDav)
#include "tst_caldav.moc"
