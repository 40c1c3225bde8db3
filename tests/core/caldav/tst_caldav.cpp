#include "caldav/caldavsettings.h"
#include "caldav/client.h"
#include "caldav/discovery.h"
#include "settings/profilefile.h"
#include "support/radicaleserver.h"

#include <QTemporaryDir>
#include <QtTest>

using namespace mv;
using namespace mv::caldav;
using mv::testsupport::RadicaleServer;

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
        QVERIFY(SaveCalDavSettings(file, s).ok());
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
        QVERIFY(!SaveCalDavSettings(file, s).ok());
        s.password = QStringLiteral("pw");
        QVERIFY(SaveCalDavSettings(file, s).ok());
        QCOMPARE(LoadCalDavSettings(file).calendars.size(), 1);
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

    void wrongPassword() {
        auto client = Client::create(connection(QStringLiteral("service"), QStringLiteral("nope")));
        QVERIFY(client.ok());
        const auto calendars = discoverCalendars(**client);
        QVERIFY(!calendars.ok());
        QCOMPARE(calendars.error(), loginRefusedText(true));
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
