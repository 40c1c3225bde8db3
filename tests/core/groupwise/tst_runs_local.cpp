// The runs and the key actions end to end on a local GroupWise system in a temporary folder.
#include "runrecorder.h"

#include "groupwise/keyactions.h"
#include "groupwise/local.h"
#include "groupwise/runs.h"

#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

using namespace mv;
using namespace Qt::StringLiterals;
using gw::CalendarEntry;
using gw::LocalSystem;

namespace {

const QDateTime kNow(QDate(2011, 12, 5), QTime(9, 7, 3));
const QString kQuoted = QStringLiteral("Tag der \"Einheit\"");

DayList yearDays() {
    return {
        {u"01.01.2011"_s, u"Neujahr"_s, u"00:00 - 24:00"_s, u"Zuhause"_s},
        {u"22.04.2011"_s, u"Karfreitag"_s, u"07:00 - 20:00"_s, u"Kirche"_s},
        {u"03.10.2011"_s, kQuoted, u"08:30 - 12:15"_s, u""_s},
        {u"24.12.2011"_s, u"Heiligabend"_s, u"Note"_s, u""_s},
    };
}

CalendarEntry foreign(const QDateTime& start, const QString& subject) {
    CalendarEntry e;
    e.start = start;
    e.durationDays = 1;
    e.subject = subject;
    e.from = QStringLiteral("Chef");
    return e;
}

QStringList describe(const QList<CalendarEntry>& entries) {
    QStringList out;
    for (const CalendarEntry& e : entries)
        out << QStringLiteral("%1|%2|%3|%4|%5|%6|%7|%8|%9")
                   .arg(e.start.toString(QStringLiteral("dd.MM.yyyy HH:mm:ss")),
                        QString::number(e.durationDays * 24 * 60, 'f', 3), e.messageClass,
                        e.subject, e.place, e.from, QString::number(e.allDay),
                        QString::number(e.flag), QString::number(e.number));
    return out;
}

} // namespace

class TestRunsLocal : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> dir_;

    QString folder() const { return dir_->path(); }
    Environment env() const {
        Environment e;
        e.programFolder = folder();
        e.now = [] { return kNow; };
        return e;
    }
    // Rows of lvAdressen as the address book lists them: bert lives in PO2.
    static AddressList rowsOf(const QStringList& ids) {
        AddressList rows = usersOf(ids);
        for (AddressRow& row : rows)
            if (row.userId == QLatin1String("bert"))
                row.postOffice = QStringLiteral("PO2");
        return rows;
    }
    LocalSystem makeSystem(gw::SystemVersion version) {
        LocalSystem sys = LocalSystem::create(folder(), version, false, kNow.date());
        sys.addPostOffice({u"PO1"_s, u"10.1.1.5"_s, u"1677"_s, u"/srv/po1"_s});
        sys.addPostOffice({u"PO2"_s, u"10.1.1.6"_s, u"1678"_s, u"/srv/po2"_s});
        sys.addMember(gw::kKindUser, u"anna"_s, u"PO1"_s);
        sys.addMember(gw::kKindResource, u"raum1"_s, u"PO1"_s);
        sys.addMember(gw::kKindUser, u"bert"_s, u"PO2"_s);
        sys.setClientUser(u"anna"_s);
        // Other senders, one of them with a holiday's subject on the holiday.
        sys.addEntry(u"anna"_s, {},
                     foreign(QDateTime(QDate(2011, 1, 1), QTime(0, 0)), u"Neujahr"_s));
        sys.addEntry(u"anna"_s, {},
                     foreign(QDateTime(QDate(2011, 6, 1), QTime(9, 0)), u"Termin"_s));
        CalendarEntry later = foreign(QDateTime(QDate(2012, 1, 1), QTime(0, 0)), u"Neujahr"_s);
        later.from = QStringLiteral("Marvolingen");
        sys.addEntry(u"raum1"_s, {}, later);
        return sys;
    }
    void setVersion(const QString& version) {
        ProfileFile(env().settingsPath())
            .writeKey(QStringLiteral("GroupWise"), QStringLiteral("Version"), version);
    }
    KeyActionResult createKey() {
        return CreateTrustedAppKey(env(), LocalSystem::domainPath(folder()),
                                   table(QStringLiteral("Deutsch")), Language::German);
    }
    RunResult write(const QStringList& users, RunRecorder& rec) {
        WriteRunInput in;
        in.environment = env();
        in.messages = table(QStringLiteral("Deutsch"));
        in.users = rowsOf(users);
        in.buildDayList = [] { return yearDays(); };
        return WriteRun(in, rec);
    }
    RunResult deleteAll(const QStringList& users) {
        DeleteAllInput in;
        in.environment = env();
        in.messages = table(QStringLiteral("Deutsch"));
        in.users = rowsOf(users);
        in.yearText = QStringLiteral("2011");
        RunRecorder rec;
        return DeleteAllRun(in, rec);
    }
    QList<CalendarEntry> marvolingen(const QString& user, int year = 2011) {
        QList<CalendarEntry> out;
        for (const CalendarEntry& e : LocalSystem::open(folder()).entries(user, {}, year))
            if (e.from == QLatin1String("Marvolingen"))
                out.append(e);
        return out;
    }

private slots:
    void init() {
        dir_ = std::make_unique<QTemporaryDir>();
        QVERIFY(dir_->isValid());
    }

    // Key, write, write again, remove one further day, delete the year, delete the key.
    void lifecycle_data() {
        QTest::addColumn<gw::SystemVersion>("system");
        QTest::addColumn<QString>("version");
        QTest::addColumn<bool>("allDay");
        QTest::newRow("7.0, GW702") << gw::SystemVersion::V7_0 << "GW702" << true;
        QTest::newRow("7.0, GW65") << gw::SystemVersion::V7_0 << "GW65" << false;
        QTest::newRow("6.5, GW702") << gw::SystemVersion::V6_5 << "GW702" << false;
        QTest::newRow("6.5, GW65") << gw::SystemVersion::V6_5 << "GW65" << false;
    }
    void lifecycle() {
        QFETCH(gw::SystemVersion, system);
        QFETCH(QString, version);
        QFETCH(bool, allDay);
        makeSystem(system);
        setVersion(version);

        const KeyActionResult key = createKey();
        QVERIFY(key.ok()); // the library's code 0 and the key stored
        QCOMPARE(key->text,
                 QStringLiteral("Anwendungschlüssel wurde in die Groupwise Datenbank erstellt."));
        QCOMPARE(key->icon, Notice::Icon::Information);

        RunRecorder rec;
        const RunResult first = write({u"anna"_s, u"ghost"_s, u"raum1"_s}, rec);
        QCOMPARE(first.status, RunStatus::Finished);
        QVERIFY(rec.warnings.isEmpty());
        QCOMPARE(first.rows, (QList<ProcessingRow>{{u"anna"_s, u"OK"_s, u"OK"_s},
                                                   {u"ghost"_s, u"--"_s, u""_s},
                                                   {u"raum1"_s, u"OK"_s, u"OK"_s}}));
        QVERIFY(first.anyFailure); // ghost

        const QString allDayText = allDay ? QStringLiteral("1") : QStringLiteral("0");
        const QStringList expected{
            u"01.01.2011 00:00:00|1439.000|GW.MESSAGE.APPOINTMENT|Neujahr|Zuhause|Marvolingen|"_s +
                allDayText + u"|1|2"_s,
            u"22.04.2011 "_s
            u"07:00:00|780.000|GW.MESSAGE.APPOINTMENT|Karfreitag|Kirche|Marvolingen|0|1|2"_s,
            u"03.10.2011 08:30:00|225.000|GW.MESSAGE.APPOINTMENT|"_s + kQuoted +
                u"||Marvolingen|0|1|2"_s,
            u"24.12.2011 00:00:00|0.000|GW.MESSAGE.NOTE|Heiligabend||Marvolingen|0|1|0"_s,
        };
        QCOMPARE(describe(marvolingen(u"anna"_s)), expected);
        QCOMPARE(describe(marvolingen(u"raum1"_s)), expected);

        // Every entry is replaced, none doubled, the quoted subject included.
        RunRecorder again;
        const RunResult second = write({u"anna"_s, u"raum1"_s}, again);
        QVERIFY(!second.anyFailure);
        QCOMPARE(describe(marvolingen(u"anna"_s)), expected);
        QCOMPARE(describe(marvolingen(u"raum1"_s)), expected);

        // The log of the write run, named by the end of the run; the first run's log of the
        // same second stays beside it.
        QCOMPARE(first.logFilePath, folder() + QStringLiteral("/PR-05.12.2011 9-7-3.txt"));
        const QString logPath = folder() + QStringLiteral("/PR-05.12.2011 9-7-3 (2).txt");
        QCOMPARE(second.logFilePath, logPath);
        const QString user = QStringLiteral("Anmeldung OK\r\n"
                                            "01.01.2011, Neujahr: Eintrag OK\r\n"
                                            "22.04.2011, Karfreitag: Eintrag OK\r\n"
                                            "03.10.2011, ") +
                             kQuoted +
                             QStringLiteral(": Eintrag OK\r\n"
                                            "24.12.2011, Heiligabend: Eintrag OK\r\n");
        QCOMPARE(readLog(logPath), QStringLiteral("Eintragen der Feiertage am 05.12.2011 "
                                                  "09:07:03\r\n----------------\r\nanna\r\n") +
                                       user + QStringLiteral("----------------\r\nraum1\r\n") +
                                       user + QStringLiteral("\r\n"));

        // Removing the yearly further day deletes that day's entries of the year.
        DeleteDayInput day;
        day.environment = env();
        day.users = rowsOf({u"anna"_s, u"raum1"_s});
        day.furtherDay = {u"03.10.*"_s, kQuoted, u"08:30 - 12:15"_s, u""_s};
        day.yearText = QStringLiteral("2011");
        QCOMPARE(DeleteFurtherDayEntries(day).status, DeleteDayResult::Status::Done);
        QStringList withoutDay = expected;
        withoutDay.removeAt(2);
        QCOMPARE(describe(marvolingen(u"anna"_s)), withoutDay);
        QCOMPARE(describe(marvolingen(u"raum1"_s)), withoutDay);

        // Delete-all takes only Marvolingen's entries of that year.
        const RunResult all = deleteAll({u"anna"_s, u"raum1"_s, u"bert"_s});
        QCOMPARE(all.status, RunStatus::Finished);
        QCOMPARE(all.rows, (QList<ProcessingRow>{{u"anna"_s, u"OK"_s, u"DEL"_s},
                                                 {u"raum1"_s, u"OK"_s, u"DEL"_s},
                                                 {u"bert"_s, u"OK"_s, u"N/A"_s}}));
        QVERIFY(!all.anyFailure);
        const QString deleted = QStringLiteral("Neujahr :Eintrag gelöscht\r\n"
                                               "Karfreitag :Eintrag gelöscht\r\n"
                                               "Heiligabend :Eintrag gelöscht\r\n");
        const QString delLog =
            QStringLiteral("Löschen aller von Marvolingen eingetragenen Termine am 05.12.2011 "
                           "09:07:03\r\n----------------\r\nanna\r\nAnmeldung OK\r\n") +
            deleted + QStringLiteral("----------------\r\nraum1\r\nAnmeldung OK\r\n") + deleted +
            QStringLiteral("----------------\r\nbert\r\nAnmeldung OK\r\n"
                           "Keine Einträge gefunden\r\n");
        QCOMPARE(all.runLog, delLog);
        QCOMPARE(readLog(folder() + QStringLiteral("/PR-DEL-05.12.2011 9-7-3.txt")),
                 delLog + QStringLiteral("\r\n"));
        QVERIFY(marvolingen(u"anna"_s).isEmpty());
        QCOMPARE(describe(LocalSystem::open(folder()).entries(u"anna"_s)),
                 (QStringList{
                     u"01.01.2011 00:00:00|1440.000|GW.MESSAGE.APPOINTMENT|Neujahr||Chef|0|0|0"_s,
                     u"01.06.2011 09:00:00|1440.000|GW.MESSAGE.APPOINTMENT|Termin||Chef|0|0|0"_s}));
        QCOMPARE(marvolingen(u"raum1"_s, 2012).size(), 1);

        // After the key is deleted the stored text is plain and every login fails.
        const KeyActionResult gone =
            DeleteTrustedAppKey(env(), LocalSystem::domainPath(folder()),
                                table(QStringLiteral("Deutsch")), Language::German);
        QVERIFY(gone.ok());
        QCOMPARE(gone->text, QStringLiteral("Anwendungschlüssel wurde aus der Groupwise "
                                            "Datenbank gelöscht.."));
        QCOMPARE(ProfileFile(env().settingsPath())
                     .readKey(u"GroupWise"_s, u"Schlüssel"_s, QString(), 249),
                 QStringLiteral("Anwendung nicht definiert"));
        RunRecorder noKey;
        const RunResult locked = write({u"anna"_s}, noKey);
        QVERIFY(noKey.warnings.isEmpty());
        QCOMPARE(locked.rows, (QList<ProcessingRow>{{u"anna"_s, u"--"_s, u""_s}}));
        QVERIFY(marvolingen(u"anna"_s).isEmpty());
    }

    // The 7.02 run logs in at the post office of the connection settings; 6.5 ignores them.
    void postOfficeOfTheSettings_data() {
        QTest::addColumn<QString>("version");
        QTest::addColumn<QString>("address");
        QTest::addColumn<QString>("login");
        QTest::newRow("GW702, own post office") << "GW702"
                                                << "10.1.1.5"
                                                << "OK";
        QTest::newRow("GW702, no such post office") << "GW702"
                                                    << "10.9.9.9"
                                                    << "--";
        QTest::newRow("GW65, no such post office") << "GW65"
                                                   << "10.9.9.9"
                                                   << "OK";
    }
    void postOfficeOfTheSettings() {
        QFETCH(QString, version);
        QFETCH(QString, address);
        QFETCH(QString, login);
        makeSystem(gw::SystemVersion::V7_0);
        setVersion(version);
        ProfileFile(env().settingsPath()).writeKey(u"GroupWise"_s, u"IPAdresse"_s, address);
        QVERIFY(createKey().ok());
        RunRecorder rec;
        const RunResult r = write({u"anna"_s}, rec);
        QCOMPARE(r.rows.value(0).login, login);
        if (login == QLatin1String("--"))
            QVERIFY(r.runLog.contains(QStringLiteral("Keine Anmeldung\r\nError: ") +
                                      QString::number(gw::kErrPostOffice) + QStringLiteral(", ")));
    }

    // Every run reaches the mailbox of the picked row's post office, whatever the connection
    // settings name; a row without a post office goes where the login options lead.
    void mailboxOfThePickedRow_data() {
        QTest::addColumn<QString>("rowOffice");
        QTest::addColumn<QString>("address"); // IPAdresse of the settings
        QTest::addColumn<QString>("written");
        QTest::newRow("row PO2") << "PO2"
                                 << ""
                                 << "PO2";
        QTest::newRow("row PO2, settings name PO1") << "PO2"
                                                    << "10.1.1.5"
                                                    << "PO2";
        QTest::newRow("row PO1, settings name PO2") << "PO1"
                                                    << "10.1.1.6"
                                                    << "PO1";
        QTest::newRow("old row") << ""
                                 << ""
                                 << "PO1";
        QTest::newRow("old row, settings name PO2") << ""
                                                    << "10.1.1.6"
                                                    << "PO2";
    }
    void mailboxOfThePickedRow() {
        QFETCH(QString, rowOffice);
        QFETCH(QString, address);
        QFETCH(QString, written);
        makeSystem(gw::SystemVersion::V7_0);
        {
            LocalSystem sys = LocalSystem::open(folder());
            sys.addMember(gw::kKindUser, QStringLiteral("sam"), QStringLiteral("PO1"));
            sys.addMember(gw::kKindUser, QStringLiteral("sam"), QStringLiteral("PO2"));
        }
        ProfileFile(env().settingsPath())
            .writeKey(QStringLiteral("GroupWise"), QStringLiteral("IPAdresse"), address);
        QVERIFY(createKey().ok());
        const AddressList row{
            {QStringLiteral("sam"), QStringLiteral("User"), QStringLiteral("Dom"), rowOffice}};
        const auto count = [this](const QString& office) {
            return LocalSystem::open(folder()).entries(QStringLiteral("sam"), office).size();
        };

        WriteRunInput in;
        in.environment = env();
        in.messages = table(QStringLiteral("Deutsch"));
        in.users = row;
        in.buildDayList = [] { return yearDays(); };
        RunRecorder rec;
        QVERIFY(!WriteRun(in, rec).failed());
        const qsizetype days = yearDays().size();
        QCOMPARE(count(written), days);
        QCOMPARE(
            count(written == QLatin1String("PO1") ? QStringLiteral("PO2") : QStringLiteral("PO1")),
            0);
        if (rowOffice.isEmpty())
            return; // the removal of a row without a post office follows the user ID alone

        DeleteDayInput day;
        day.environment = env();
        day.users = row;
        day.furtherDay = yearDays().first();
        day.yearText = QStringLiteral("2011");
        QCOMPARE(DeleteFurtherDayEntries(day).status, DeleteDayResult::Status::Done);
        QCOMPARE(count(written), days - 1);

        DeleteAllInput all;
        all.environment = env();
        all.messages = table(QStringLiteral("Deutsch"));
        all.users = row;
        all.yearText = QStringLiteral("2011");
        QCOMPARE(DeleteAllRun(all, rec).rows.value(0).entry, QStringLiteral("DEL"));
        QCOMPARE(count(written), 0);
    }

    // A system the store cannot open is "not installed", with the store's reason beside it.
    void storeReasonBesideNoGroupWise() {
        makeSystem(gw::SystemVersion::V7_0);
        const QString db = LocalSystem::databasePath(LocalSystem::domainPath(folder()));
        for (const char* suffix : {"", "-wal", "-shm"})
            QFile::remove(db + QLatin1String(suffix));
        QFile garbage(db);
        QVERIFY(garbage.open(QIODevice::WriteOnly));
        garbage.write(QByteArray(4096, 'x'));
        garbage.close();
        RunRecorder rec;
        const RunResult r = write({u"anna"_s}, rec);
        QCOMPARE(r.status, RunStatus::NoGroupWise);
        const QStringList lines =
            r.noGroupWiseNotice(table(QStringLiteral("English"))).text.split(QLatin1Char('\n'));
        QCOMPARE(lines.size(), 2);
        QCOMPARE(lines[0],
                 QStringLiteral("Groupwise is not or not correct installed. Program is exiting."));
        QVERIFY2(lines[1].contains(QStringLiteral("not a database")), qPrintable(lines[1]));
    }

    void noSystem() {
        RunRecorder rec;
        QCOMPARE(write({u"anna"_s}, rec).status, RunStatus::NoGroupWise);
        QCOMPARE(deleteAll({u"anna"_s}).status, RunStatus::NoGroupWise);
        QVERIFY(QDir(folder()).entryList({QStringLiteral("PR-*")}, QDir::Files).isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestRunsLocal)
#include "tst_runs_local.moc"
