// The runs against an in-memory GroupWise: log texts, progress, failure paths.
#include "fakegroupwise.h"
#include "runrecorder.h"

#include "groupwise/runs.h"

#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

using namespace mv;
using namespace Qt::StringLiterals;

namespace {

const QDateTime kNow(QDate(2011, 12, 5), QTime(9, 7, 3));

DayList threeDays() {
    return {
        {QStringLiteral("01.01.2011"), QStringLiteral("Neujahr"), QStringLiteral("00:00 - 24:00"),
         QStringLiteral("Zuhause")},
        {QStringLiteral("22.04.2011"), QStringLiteral("Karfreitag"),
         QStringLiteral("07:00 - 20:00"), QString()},
        {QStringLiteral("24.12.2011"), QStringLiteral("Heiligabend"), QStringLiteral("Note"),
         QString()},
    };
}

Environment envAt(const QString& folder) {
    Environment env;
    env.programFolder = folder;
    env.now = [] { return kNow; };
    return env;
}

} // namespace

class TestRunsFake : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;
    fake::World world_;

    WriteRunInput writeInput(const DayList& days, const QStringList& users,
                             const QString& language = QStringLiteral("Deutsch")) {
        WriteRunInput in;
        in.environment = envAt(dir_.path());
        in.messages = table(language);
        in.users = usersOf(users);
        in.buildDayList = [days] { return days; };
        in.createSession = fake::factory(world_);
        return in;
    }
    DeleteAllInput deleteInput(const QStringList& users,
                               const QString& language = QStringLiteral("Deutsch")) {
        DeleteAllInput in;
        in.environment = envAt(dir_.path());
        in.messages = table(language);
        in.users = usersOf(users);
        in.yearText = QStringLiteral("2011");
        in.createSession = fake::factory(world_);
        return in;
    }
    QStringList logFiles() const {
        return QDir(dir_.path()).entryList({QStringLiteral("PR-*")}, QDir::Files, QDir::Name);
    }

private slots:
    void init() {
        QVERIFY(dir_.isValid());
        for (const QString& f : logFiles())
            QFile::remove(dir_.path() + QLatin1Char('/') + f);
        QFile::remove(dir_.path() + QStringLiteral("/Feiertage.ini"));
        world_ = fake::World();
        world_.users = {QStringLiteral("anna"), QStringLiteral("bert")};
        storeKey(dir_.path(), world_.appKey);
    }

    void writeRun_data() {
        QTest::addColumn<bool>("gw65");
        QTest::newRow("GW65") << true;
        QTest::newRow("GW702") << false;
    }
    void writeRun() {
        QFETCH(bool, gw65);
        storeSetting(dir_.path(), QStringLiteral("IPAdresse"), QStringLiteral("10.1.1.5"));
        storeSetting(dir_.path(), QStringLiteral("IPPort"), QStringLiteral("1677"));
        RunRecorder rec;
        const auto in = writeInput(threeDays(), {QStringLiteral("anna"), QStringLiteral("ghost")});
        const RunResult r = gw65 ? WriteRunGW65(in, rec) : WriteRunGW702(in, rec);

        QCOMPARE(r.status, RunStatus::Finished);
        const QString expected = QStringLiteral(
            "Eintragen der Feiertage am 05.12.2011 09:07:03\r\n"
            "----------------\r\nanna\r\nAnmeldung OK\r\n"
            "01.01.2011, Neujahr: Eintrag OK\r\n"
            "22.04.2011, Karfreitag: Eintrag OK\r\n"
            "24.12.2011, Heiligabend: Eintrag OK\r\n"
            "----------------\r\nghost\r\nKeine Anmeldung\r\nError: 53506, unknown user\r\n");
        QCOMPARE(r.runLog, expected);
        const QList<ProcessingRow> rows{{u"anna"_s, u"OK"_s, u"OK"_s},
                                        {u"ghost"_s, u"--"_s, u""_s}};
        QCOMPARE(r.rows, rows);
        QCOMPARE(rec.finished, rows);
        QVERIFY(r.anyFailure);
        QCOMPARE(rec.dayResults, 3);

        QCOMPARE(r.logFilePath, dir_.path() + QStringLiteral("/PR-05.12.2011 9-7-3.txt"));
        QCOMPARE(logFiles(), QStringList{QStringLiteral("PR-05.12.2011 9-7-3.txt")});
        QCOMPARE(readLog(r.logFilePath), expected + QStringLiteral("\r\n"));

        // Only the 7.02 run passes the post office and switches the session on.
        const QString options = gw65 ? QString() : QStringLiteral(" /ipa-10.1.1.5 /ipp-1677");
        QCOMPARE(world_.logins, (QStringList{u"anna|"_s + options, u"ghost|"_s + options}));
        QCOMPARE(world_.switchOn, !gw65);
        QCOMPARE(world_.credentialName, QStringLiteral("QTXMarvolingen"));

        const auto entries = world_.live(QStringLiteral("anna"));
        QCOMPARE(entries.size(), 3);
        const fake::Entry& whole = *entries.at(0);
        QCOMPARE(whole.messageClass, QStringLiteral("GW.MESSAGE.APPOINTMENT"));
        QCOMPARE(whole.start, QDateTime(QDate(2011, 1, 1), QTime(0, 0)));
        QCOMPARE(whole.duration, (23.0 + 59.0 / 60.0) / 24.0);
        QCOMPARE(whole.allDay, !gw65);
        QCOMPARE(whole.place, QStringLiteral("Zuhause"));
        QCOMPARE(whole.from, QStringLiteral("Marvolingen"));
        QVERIFY(whole.flag);
        QCOMPARE(whole.number, 2);
        const fake::Entry& day = *entries.at(1);
        QCOMPARE(day.start, QDateTime(QDate(2011, 4, 22), QTime(7, 0)));
        QCOMPARE(day.duration, 13.0 / 24.0);
        QVERIFY(!day.allDay);
        const fake::Entry& note = *entries.at(2);
        QCOMPARE(note.messageClass, QStringLiteral("GW.MESSAGE.NOTE"));
        QCOMPARE(note.start, QDateTime(QDate(2011, 12, 24), QTime(0, 0)));
        QCOMPARE(note.subject, QStringLiteral("Heiligabend"));
        QCOMPARE(note.from, QStringLiteral("Marvolingen"));

        // Each day is told when it begins, its result once the user's days are stored.
        QCOMPARE(rec.events,
                 (QStringList{u"run:write:2"_s, u"target:anna"_s, u"login:anna:OK"_s,
                              u"day:anna:01.01.2011"_s, u"day:anna:22.04.2011"_s,
                              u"day:anna:24.12.2011"_s, u"result:anna:01.01.2011:OK"_s,
                              u"result:anna:22.04.2011:OK"_s, u"result:anna:24.12.2011:OK"_s,
                              u"target:ghost"_s, u"login:ghost:--"_s, u"finished"_s}));
        QCOMPARE(rec.progressed, (QList<std::pair<int, int>>{{1, 6}, {2, 6}, {3, 6}, {6, 6}}));
    }

    // A log that cannot be written is reported, and the run counts as failed.
    void logNotWritten() {
        QTemporaryDir other;
        const QString notAFolder = other.path() + QStringLiteral("/file");
        QFile file(notAFolder);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.close();
        auto in = writeInput(threeDays(), {QStringLiteral("anna")});
        in.environment = envAt(notAFolder);
        RunRecorder rec;
        const RunResult r = WriteRunGW702(in, rec);
        QCOMPARE(r.status, RunStatus::Finished);
        QCOMPARE(r.rows.size(), 1);
        QVERIFY(!r.logWritten);
        QVERIFY(r.logFailed());
        QVERIFY(r.failed());
        QVERIFY2(r.logError.contains(QStringLiteral("PR-05.12.2011 9-7-3.txt")),
                 qPrintable(r.logError));
    }

    // A second run replaces every entry instead of adding one more.
    void repeatedRunReplaces() {
        world_.put(QStringLiteral("anna"), QDateTime(QDate(2011, 1, 1), QTime(0, 0)),
                   QStringLiteral("Neujahr"), QStringLiteral("Jemand"));
        for (int i = 0; i < 2; ++i) {
            RunRecorder rec;
            WriteRunGW702(writeInput(threeDays(), {QStringLiteral("anna")}), rec);
        }
        const auto entries = world_.live(QStringLiteral("anna"));
        QCOMPARE(entries.size(), 4);
        int foreign = 0;
        for (const auto& e : entries)
            foreign += e->from == QLatin1String("Jemand");
        QCOMPARE(foreign, 1);
    }

    // Each day line tells that day's own result in both variants; the user's column shows the
    // failure, and the 6.5 run closes the user once with its last failed day.
    void failedDay_data() {
        QTest::addColumn<bool>("gw65");
        QTest::newRow("GW65") << true;
        QTest::newRow("GW702") << false;
    }
    void failedDay() {
        QFETCH(bool, gw65);
        world_.failSetSubject = QStringLiteral("Karfreitag");
        RunRecorder rec;
        const auto in = writeInput(threeDays(), {QStringLiteral("anna"), QStringLiteral("bert")},
                                   QStringLiteral("English"));
        const RunResult r = gw65 ? WriteRunGW65(in, rec) : WriteRunGW702(in, rec);
        QString user = QStringLiteral("Login OK\r\n"
                                      "01.01.2011, Neujahr: Entry written\r\n"
                                      "22.04.2011, Karfreitag: Can`t write entry!\r\n"
                                      "Error: 53512, subject refused\r\n"
                                      "24.12.2011, Heiligabend: Entry written\r\n");
        if (gw65)
            user += QStringLiteral("22.04.2011, Karfreitag: Can`t write entry!\r\n"
                                   "Error: 53512, subject refused\r\n");
        QCOMPARE(r.runLog, QStringLiteral("Insert/Write all holidays on 05.12.2011 09:07:03\r\n"
                                          "----------------\r\nanna\r\n") +
                               user + QStringLiteral("----------------\r\nbert\r\n") + user);
        QCOMPARE(r.rows, (QList<ProcessingRow>{{u"anna"_s, u"OK"_s, u"--"_s},
                                               {u"bert"_s, u"OK"_s, u"--"_s}}));
        QVERIFY(r.anyFailure);
        // The half-written entry is not left behind without its sender text.
        for (const auto& e : world_.live(QStringLiteral("anna")))
            QCOMPARE(e->from, QStringLiteral("Marvolingen"));
        QCOMPARE(world_.live(QStringLiteral("anna")).size(), 2);
    }

    // A refused whole-day flag is no failure, but it never hides an earlier one.
    void wholeDayFlagRefused_data() {
        QTest::addColumn<QString>("failingSubject");
        QTest::addColumn<QString>("entryColumn");
        QTest::newRow("alone") << QString() << "OK";
        QTest::newRow("after a failed day") << "Karfreitag"
                                            << "--";
    }
    void wholeDayFlagRefused() {
        QFETCH(QString, failingSubject);
        QFETCH(QString, entryColumn);
        world_.failAllDay = true;
        world_.failSetSubject = failingSubject;
        DayList days = threeDays();
        days.move(0, 2); // the whole day comes after Karfreitag
        RunRecorder rec;
        const RunResult r = WriteRunGW702(writeInput(days, {QStringLiteral("anna")}), rec);
        QCOMPARE(r.rows.value(0).entry, entryColumn);
        // Neujahr itself is written and logged so, also after a failed day.
        QVERIFY(r.runLog.contains(QStringLiteral("01.01.2011, Neujahr: Eintrag OK\r\n")));
        const auto entries = world_.live(QStringLiteral("anna"));
        const auto neujahr = std::find_if(entries.begin(), entries.end(),
                                          [](const auto& e) { return e->subject == u"Neujahr"_s; });
        QVERIFY(neujahr != entries.end());
        QVERIFY(!(*neujahr)->allDay);
        QCOMPARE((*neujahr)->duration, (23.0 + 59.0 / 60.0) / 24.0);
    }

    // The flag is set only by the 7.02 run on a system of version 7 or later.
    void wholeDayFlagByVersion() {
        world_.major = 6;
        RunRecorder rec;
        const RunResult r = WriteRunGW702(writeInput(threeDays(), {QStringLiteral("anna")}), rec);
        QCOMPARE(r.rows.value(0).entry, QStringLiteral("OK"));
        QVERIFY(!world_.live(QStringLiteral("anna")).at(0)->allDay);
    }

    void postOfficeOptions_data() {
        QTest::addColumn<QString>("address");
        QTest::addColumn<QString>("port");
        QTest::addColumn<QString>("options");
        QTest::newRow("none") << ""
                              << ""
                              << "";
        QTest::newRow("address only") << "10.1.1.5"
                                      << ""
                                      << " /ipa-10.1.1.5";
        QTest::newRow("port only") << ""
                                   << "1677"
                                   << " /ipp-1677";
        QTest::newRow("cut to 29 and 9") << "123456789012345678901234567890abc"
                                         << "1234567890123"
                                         << " /ipa-12345678901234567890123456789 /ipp-123456789";
    }
    void postOfficeOptions() {
        QFETCH(QString, address);
        QFETCH(QString, port);
        QFETCH(QString, options);
        storeSetting(dir_.path(), QStringLiteral("IPAdresse"), address);
        storeSetting(dir_.path(), QStringLiteral("IPPort"), port);
        RunRecorder rec;
        WriteRunGW702(writeInput({}, {QStringLiteral("anna")}), rec);
        QCOMPARE(world_.logins, QStringList{QStringLiteral("anna|") + options});
    }

    void versionSelectsVariant_data() {
        QTest::addColumn<QString>("version");
        QTest::addColumn<bool>("gw65");
        QTest::newRow("GW65") << "GW65" << true;
        QTest::newRow("lower case") << "gw65" << false;
        QTest::newRow("GW702") << "GW702" << false;
        QTest::newRow("longer") << "GW650" << false;
        QTest::newRow("missing") << QString() << false;
    }
    void versionSelectsVariant() {
        QFETCH(QString, version);
        QFETCH(bool, gw65);
        QCOMPARE(variantFromVersion(version) == WriteVariant::GW65, gw65);
        if (!version.isNull())
            storeSetting(dir_.path(), QStringLiteral("Version"), version);
        RunRecorder rec;
        const RunResult r = WriteRun(writeInput(threeDays(), {QStringLiteral("anna")}), rec);
        QCOMPARE(r.status, RunStatus::Finished);
        QCOMPARE(world_.switchOn, !gw65);
        QCOMPARE(world_.live(QStringLiteral("anna")).at(0)->allDay, !gw65);
    }

    // No key and no user are warnings; the run still ends with its log.
    void warningsLetTheRunGoOn() {
        QFile::remove(dir_.path() + QStringLiteral("/Feiertage.ini"));
        RunRecorder rec;
        const RunResult r = WriteRunGW702(writeInput(threeDays(), {}), rec);
        QCOMPARE(rec.warnings, (QList<Msg>{Msg::NoKey, Msg::NoUserSelected}));
        QVERIFY(rec.events.contains(
            QStringLiteral("warning:Kein Schlüssel gefunden! Dieser wird zum Eintrag benötigt.")));
        QCOMPARE(r.status, RunStatus::Finished);
        QCOMPARE(r.runLog, QStringLiteral("Eintragen der Feiertage am 05.12.2011 09:07:03\r\n"));
        QVERIFY(r.logWritten);
        QVERIFY(!r.anyFailure);

        // Without a key every login fails and the run goes through all users.
        RunRecorder rec2;
        const RunResult r2 = WriteRunGW702(
            writeInput(threeDays(), {QStringLiteral("anna"), QStringLiteral("bert")}), rec2);
        QCOMPARE(r2.rows,
                 (QList<ProcessingRow>{{u"anna"_s, u"--"_s, u""_s}, {u"bert"_s, u"--"_s, u""_s}}));
        QVERIFY(r2.failed());
    }

    // Errors before the first user end the run without a log; 429 is told apart.
    void failuresBeforeTheFirstUser_data() {
        QTest::addColumn<int>("createError");
        QTest::addColumn<bool>("credentials");
        QTest::addColumn<RunStatus>("status");
        QTest::newRow("no GroupWise") << 429 << false << RunStatus::NoGroupWise;
        QTest::newRow("other session error") << 7 << false << RunStatus::Aborted;
        QTest::newRow("credentials refused") << 0 << true << RunStatus::Aborted;
    }
    void failuresBeforeTheFirstUser() {
        QFETCH(int, createError);
        QFETCH(bool, credentials);
        QFETCH(RunStatus, status);
        world_.createError = createError;
        world_.failCredentials = credentials;
        bool built = false;
        auto in = writeInput(threeDays(), {QStringLiteral("anna")});
        in.buildDayList = [&built] {
            built = true;
            return DayList{};
        };
        RunRecorder rec;
        const RunResult w = WriteRun(in, rec);
        QCOMPARE(w.status, status);
        QVERIFY(!built);
        QVERIFY(w.rows.isEmpty());
        QVERIFY(w.failed());

        const RunResult d = DeleteAllRun(deleteInput({QStringLiteral("anna")}), rec);
        QCOMPARE(d.status, status);
        QCOMPARE(rec.events, (QStringList{u"run:delete-all:1"_s, u"finished"_s}));

        DeleteDayInput day;
        day.environment = envAt(dir_.path());
        day.users = usersOf({QStringLiteral("anna")});
        day.furtherDay = threeDays().at(1);
        day.createSession = fake::factory(world_);
        const DeleteDayResult dd = DeleteFurtherDayEntries(day);
        QCOMPARE(dd.status, status == RunStatus::NoGroupWise ? DeleteDayResult::Status::NoGroupWise
                                                             : DeleteDayResult::Status::Failed);

        QVERIFY(logFiles().isEmpty());
        QCOMPARE(w.noGroupWiseNotice(table(QStringLiteral("English"))).text,
                 QStringLiteral("Groupwise is not or not correct installed. Program is exiting."));
    }

    void deleteAll() {
        const auto at = [](int y, int m, int d, int h = 0, int mi = 0, int s = 0) {
            return QDateTime(QDate(y, m, d), QTime(h, mi, s));
        };
        const QString mv = QStringLiteral("Marvolingen");
        world_.users << QStringLiteral("carl");
        world_.put(u"anna"_s, at(2010, 12, 31, 23, 59, 59), u"Silvester"_s, mv);
        world_.put(u"anna"_s, at(2011, 5, 1), u"Maifeiertag"_s, mv);
        world_.put(u"anna"_s, at(2011, 10, 3), u"Tag der Einheit"_s, mv);
        world_.put(u"anna"_s, at(2011, 5, 1), u"Maifeiertag"_s, QStringLiteral("Chef"));
        world_.put(u"anna"_s, at(2012, 1, 1), u"Neujahr"_s, mv);
        world_.put(u"bert"_s, at(2010, 12, 31, 23, 59, 58), u"Silvester"_s, mv);
        world_.failRemoveSubject = QStringLiteral("Tag der Einheit");

        RunRecorder rec;
        const RunResult r = DeleteAllRun(
            deleteInput({u"anna"_s, u"ghost"_s, u"bert"_s}, QStringLiteral("English")), rec);
        QCOMPARE(r.status, RunStatus::Finished);
        const QString expected = QStringLiteral(
            "Deleting all holidays and dates written by Marvolingen on 05.12.2011 09:07:03\r\n"
            "----------------\r\nanna\r\nLogin OK\r\n"
            "Silvester :Entry deleted\r\n"
            "Maifeiertag :Entry deleted\r\n"
            "Tag der Einheit: Entry not deleted\r\n"
            "----------------\r\nghost\r\nNo login\r\n"
            "----------------\r\nbert\r\nLogin OK\r\n"
            "Keine Einträge gefunden\r\n");
        QCOMPARE(r.runLog, expected);
        QCOMPARE(r.rows, (QList<ProcessingRow>{{u"anna"_s, u"OK"_s, u"--"_s},
                                               {u"ghost"_s, u"--"_s, u""_s},
                                               {u"bert"_s, u"OK"_s, u"N/A"_s}}));
        QVERIFY(r.anyFailure);
        QCOMPARE(r.logFilePath, dir_.path() + QStringLiteral("/PR-DEL-05.12.2011 9-7-3.txt"));
        QCOMPARE(readLog(r.logFilePath), expected + QStringLiteral("\r\n"));
        QCOMPARE(rec.events,
                 (QStringList{u"run:delete-all:3"_s, u"target:anna"_s, u"login:anna:OK"_s,
                              u"deleted:anna:1:OK"_s, u"deleted:anna:2:OK"_s,
                              u"deleted:anna:3:--"_s, u"target:ghost"_s, u"login:ghost:--"_s,
                              u"target:bert"_s, u"login:bert:OK"_s, u"finished"_s}));
        QCOMPARE(world_.logins, (QStringList{u"anna|"_s, u"ghost|"_s, u"bert|"_s}));

        QStringList left;
        for (const auto& e : world_.live(QStringLiteral("anna")))
            left << e->subject + QLatin1Char('/') + e->from;
        QCOMPARE(left, (QStringList{u"Tag der Einheit/Marvolingen"_s, u"Maifeiertag/Chef"_s,
                                    u"Neujahr/Marvolingen"_s}));
        QCOMPARE(world_.live(QStringLiteral("bert")).size(), 1);
    }

    // The last entry's outcome stands in the column: deleted after a failed one gives DEL.
    void deleteAllColumnFollowsTheLastEntry() {
        const QString mv = QStringLiteral("Marvolingen");
        world_.put(u"anna"_s, QDateTime(QDate(2011, 1, 1), QTime(0, 0)), u"Neujahr"_s, mv);
        world_.put(u"anna"_s, QDateTime(QDate(2011, 1, 6), QTime(0, 0)), u"Dreikönig"_s, mv);
        world_.failRemoveSubject = QStringLiteral("Neujahr");
        RunRecorder rec;
        const RunResult r = DeleteAllRun(deleteInput({u"anna"_s}), rec);
        QCOMPARE(r.rows.value(0).entry, QStringLiteral("DEL"));
        QVERIFY(r.anyFailure);
        QVERIFY(r.runLog.endsWith(QStringLiteral("Neujahr: Eintrag nicht gelöscht\r\n"
                                                 "Dreikönig :Eintrag gelöscht\r\n")));
    }

    void deleteAllWithFailingSearch() {
        world_.failFind = true;
        RunRecorder rec;
        const RunResult r = DeleteAllRun(deleteInput({u"anna"_s}), rec);
        QCOMPARE(r.rows.value(0), (ProcessingRow{u"anna"_s, u"OK"_s, u"--"_s}));
        QVERIFY(
            r.runLog.endsWith(QStringLiteral("Anmeldung OK\r\nError: 53508, find refused\r\n")));
        QVERIFY(r.failed());
    }

    void deleteAllYearText_data() {
        QTest::addColumn<QString>("yearText");
        QTest::addColumn<int>("found");
        QTest::newRow("plain") << "2011" << 1;
        QTest::newRow("leading number") << " 2011 (Jahr)" << 1;
        QTest::newRow("other year") << "2012" << 0;
    }
    void deleteAllYearText() {
        QFETCH(QString, yearText);
        QFETCH(int, found);
        world_.put(u"anna"_s, QDateTime(QDate(2011, 6, 1), QTime(0, 0)), u"X"_s,
                   QStringLiteral("Marvolingen"));
        auto in = deleteInput({u"anna"_s});
        in.yearText = yearText;
        RunRecorder rec;
        DeleteAllRun(in, rec);
        QCOMPARE(world_.live(QStringLiteral("anna")).size(), 1 - found);
    }

    void deleteFurtherDay() {
        const QString mv = QStringLiteral("Marvolingen");
        world_.users << QStringLiteral("carl");
        for (const char* u : {"anna", "bert", "carl"}) {
            world_.put(QString::fromUtf8(u), QDateTime(QDate(2011, 10, 3), QTime(0, 0)),
                       u"Einheit"_s, mv);
            world_.put(QString::fromUtf8(u), QDateTime(QDate(2011, 10, 3), QTime(0, 0)),
                       u"Einheit"_s, QStringLiteral("Chef"));
        }
        DeleteDayInput in;
        in.environment = envAt(dir_.path());
        in.users = usersOf({u"anna"_s, u"bert"_s});
        in.furtherDay = {u"03.10.*"_s, u"Einheit"_s, u"Note"_s, u""_s};
        in.yearText = QStringLiteral("2011");
        in.createSession = fake::factory(world_);
        QCOMPARE(DeleteFurtherDayEntries(in).status, DeleteDayResult::Status::Done);
        QCOMPARE(world_.live(u"anna"_s).size(), 1);
        QCOMPARE(world_.live(u"anna"_s).at(0)->from, QStringLiteral("Chef"));
        QCOMPARE(world_.live(u"bert"_s).size(), 1);
        QCOMPARE(world_.live(u"carl"_s).size(), 2);

        // A user that cannot be reached stops the search there.
        in.users = usersOf({u"ghost"_s, u"carl"_s});
        const DeleteDayResult r = DeleteFurtherDayEntries(in);
        QCOMPARE(r.status, DeleteDayResult::Status::Failed);
        QCOMPARE(r.failedUser, QStringLiteral("ghost"));
        QCOMPARE(r.errorNumber, kErrUnknownUserNumber());
        QCOMPARE(world_.live(u"carl"_s).size(), 2);
    }

    static int kErrUnknownUserNumber() { return mv::gw::kErrUnknownUser; }

    // One call removes one of two equal entries; a subject with quotes is only itself.
    void deleteExistingEntry() {
        const QString mv = QStringLiteral("Marvolingen");
        const QDateTime day(QDate(2011, 12, 24), QTime(0, 0));
        world_.put(u"anna"_s, day, u"Heiligabend"_s, mv);
        world_.put(u"anna"_s, day, u"Heiligabend"_s, mv);
        world_.put(u"anna"_s, day, u"Der \"Abend\""_s, mv);
        world_.put(u"anna"_s, day, u"Der "_s, mv);
        fake::Messages messages(world_, QStringLiteral("anna"));
        DeleteExistingEntry(messages, QStringLiteral("24.12.2011"), QStringLiteral("Heiligabend"));
        QCOMPARE(world_.live(u"anna"_s).size(), 3);
        DeleteExistingEntry(messages, QStringLiteral("24.12.2011"),
                            QStringLiteral("Der \"Abend\""));
        QStringList left;
        for (const auto& e : world_.live(u"anna"_s))
            left << e->subject;
        QCOMPARE(left, (QStringList{u"Heiligabend"_s, u"Der "_s}));
        DeleteExistingEntry(messages, QStringLiteral("25.12.2011"), QStringLiteral("Der "));
        QCOMPARE(world_.live(u"anna"_s).size(), 2);
        try {
            DeleteExistingEntry(messages, QStringLiteral("24.12."), QStringLiteral("Der "));
            QFAIL("a date text that is no date must fail");
        } catch (const gw::Error& e) {
            QCOMPARE(e.number(), 13);
        }
    }

    void appointmentTimes_data() {
        QTest::addColumn<QString>("time");
        QTest::addColumn<QTime>("start");
        QTest::addColumn<double>("minutes");
        QTest::addColumn<bool>("wholeDay");
        QTest::newRow("whole day") << "00:00 - 24:00" << QTime(0, 0) << 1439.0 << true;
        QTest::newRow("day") << "07:00 - 20:00" << QTime(7, 0) << 780.0 << false;
        QTest::newRow("minutes") << "07:30 - 09:15" << QTime(7, 30) << 105.0 << false;
        QTest::newRow("until midnight") << "18:00 - 24:00" << QTime(18, 0) << 359.0 << true;
        QTest::newRow("no blanks") << "08:00-12:00" << QTime(8, 0) << 240.0 << false;
    }
    void appointmentTimes() {
        QFETCH(QString, time);
        QFETCH(QTime, start);
        QFETCH(double, minutes);
        QFETCH(bool, wholeDay);
        const AppointmentTimes t = mv::appointmentTimes(QStringLiteral("22.4.2011"), time);
        QCOMPARE(t.start, QDateTime(QDate(2011, 4, 22), start));
        QVERIFY(qAbs(t.durationDays * 24 * 60 - minutes) < 1e-9);
        QCOMPARE(t.wholeDay, wholeDay);
    }

    void unreadableRowsFailTheirDay_data() {
        QTest::addColumn<QString>("date");
        QTest::addColumn<QString>("time");
        QTest::addColumn<int>("error");
        QTest::newRow("no date") << "31.02.2011"
                                 << "07:00 - 20:00" << 13;
        QTest::newRow("no date, note") << "Ostern"
                                       << "Note" << 13;
        QTest::newRow("no start") << "01.02.2011"
                                  << "xx:00 - 20:00" << 13;
        QTest::newRow("no end") << "01.02.2011"
                                << "07:00 - 2000" << 5;
    }
    void unreadableRowsFailTheirDay() {
        QFETCH(QString, date);
        QFETCH(QString, time);
        QFETCH(int, error);
        const DayList days{{date, u"Tag"_s, time, u""_s}, threeDays().at(1)};
        RunRecorder rec;
        const RunResult r = WriteRunGW702(writeInput(days, {QStringLiteral("anna")}), rec);
        QVERIFY(r.runLog.contains(date +
                                  QStringLiteral(", Tag: Eintrag konnte nicht eingetragen "
                                                 "werden!\r\nError: ") +
                                  QString::number(error) + QStringLiteral(", ")));
        // The next day is written and logged as written.
        QVERIFY(r.runLog.contains(QStringLiteral("22.04.2011, Karfreitag: Eintrag OK\r\n")));
        QCOMPARE(r.rows.value(0).entry, QStringLiteral("--"));
        QCOMPARE(world_.live(QStringLiteral("anna")).size(), 1);
    }
};

QTEST_GUILESS_MAIN(TestRunsFake)
#include "tst_runs_fake.moc"
