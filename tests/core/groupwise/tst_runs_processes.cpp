// Write runs of the command-line program as separate processes on one local GroupWise
// system: killed in the middle, and two at once.
#include "runrecorder.h"

#include "groupwise/keyactions.h"
#include "groupwise/local.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QSet>
#include <QTemporaryDir>
#include <QThread>
#include <QtTest>

#include <signal.h>

using namespace mv;
using mv::gw::CalendarEntry;
using mv::gw::LocalSystem;

namespace {

constexpr int kUsers = 40;
constexpr int kDays = 9; // the USA's days of 2011, the default selection

QString userId(int i) {
    return QStringLiteral("u%1").arg(i, 2, 10, QLatin1Char('0'));
}

QProcess* startWrite(const QString& folder, QObject* parent) {
    auto* p = new QProcess(parent);
    p->start(QStringLiteral(MV_CLI), {QStringLiteral("--folder"), folder, QStringLiteral("write"),
                                      QStringLiteral("--year"), QStringLiteral("2011")});
    return p;
}

} // namespace

class TestRunsProcesses : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> dir_;

    QString folder() const { return dir_->path(); }

    void makeSystem() {
        dir_ = std::make_unique<QTemporaryDir>();
        QVERIFY(dir_->isValid());
        LocalSystem sys =
            LocalSystem::create(folder(), gw::SystemVersion::V7_0, false, QDate(2011, 6, 1));
        sys.addPostOffice({QStringLiteral("PO1"), QStringLiteral("10.1.1.5"),
                           QStringLiteral("1677"), QStringLiteral("/srv/po1")});
        QString users = QStringLiteral("[User]\r\n");
        for (int i = 0; i < kUsers; ++i) {
            sys.addMember(gw::kKindUser, userId(i), QStringLiteral("PO1"));
            users += userId(i) + QStringLiteral("\aUser\aDom\aPO1\r\n");
        }
        Environment env;
        env.programFolder = folder();
        QVERIFY(CreateTrustedAppKey(env, LocalSystem::domainPath(folder()),
                                    table(QStringLiteral("English")), Language::English)
                    .ok());
        QFile ini(env.settingsPath());
        QVERIFY(ini.open(QIODevice::Append));
        ini.write(toCp1252(users));
    }

    // Every entry whole and none twice; the number of entries of each user.
    QList<int> checkCalendars() {
        QList<int> counts;
        const LocalSystem sys = LocalSystem::open(folder());
        for (int i = 0; i < kUsers; ++i) {
            QSet<QString> seen;
            for (const CalendarEntry& e : sys.entries(userId(i))) {
                const QString what = e.start.toString(Qt::ISODate) + e.subject;
                if (e.from != QLatin1String("Marvolingen") || e.subject.isEmpty() ||
                    !e.start.isValid() || seen.contains(what)) {
                    qWarning() << userId(i) << what << e.from;
                    return {};
                }
                seen.insert(what);
            }
            counts.append(int(seen.size()));
        }
        return counts;
    }

private slots:
    // Killed at several points, a run leaves no entry without its sender text and no double;
    // the next run completes every calendar.
    void killedRunLeavesNoHalfEntry_data() {
        QTest::addColumn<int>("afterUsers"); // kill once this many users are reported ...
        QTest::addColumn<int>("afterMs");    // ... and this much later
        QTest::newRow("at once") << 0 << 0;
        QTest::newRow("within the first users") << 0 << 60;
        QTest::newRow("after one user") << 1 << 0;
        QTest::newRow("a little after one user") << 1 << 3;
        QTest::newRow("in the middle") << kUsers / 2 << 1;
    }
    void killedRunLeavesNoHalfEntry() {
        QFETCH(int, afterUsers);
        QFETCH(int, afterMs);
        makeSystem();
        for (int round = 0; round < 2; ++round) {
            QProcess* p = startWrite(folder(), this);
            QVERIFY(p->waitForStarted());
            QByteArray out;
            while (out.count('\n') < afterUsers && p->state() == QProcess::Running) {
                p->waitForReadyRead(50);
                out += p->readAllStandardOutput();
            }
            if (afterMs > 0)
                QThread::msleep(afterMs);
            if (p->state() == QProcess::Running)
                ::kill(pid_t(p->processId()), SIGKILL);
            QVERIFY(p->waitForFinished());
            QVERIFY(!checkCalendars().isEmpty());
        }
        QProcess* rerun = startWrite(folder(), this);
        QVERIFY(rerun->waitForFinished(120000));
        QCOMPARE(rerun->exitCode(), 0);
        QCOMPARE(checkCalendars(), QList<int>(kUsers, kDays));
    }

    // A domain whose application lost its key is repaired without deleting the system.
    void removeApplication() {
        makeSystem();
        const auto cli = [this](const QStringList& args) {
            QProcess p;
            p.start(QStringLiteral(MV_CLI),
                    QStringList{QStringLiteral("--folder"), folder(), QStringLiteral("groupwise"),
                                QStringLiteral("remove-application")} +
                        args);
            p.waitForFinished();
            return p.exitCode();
        };
        const auto apps = [this] { return LocalSystem::open(folder()).trustedApps().size(); };
        QCOMPARE(apps(), 1);
        QCOMPARE(cli({QStringLiteral("QTXMarvolingen")}), 2); // not confirmed
        QCOMPARE(apps(), 1);
        QCOMPARE(cli({QStringLiteral("Other"), QStringLiteral("--yes")}), 1);
        QCOMPARE(cli({QStringLiteral("QTXMarvolingen"), QStringLiteral("--yes")}), 0);
        QCOMPARE(apps(), 0);
    }

    // Two runs of the same users at once: both finish, each day once in every calendar.
    void twoRunsAtOnce() {
        makeSystem();
        QProcess* a = startWrite(folder(), this);
        QProcess* b = startWrite(folder(), this);
        QVERIFY(a->waitForFinished(120000));
        QVERIFY(b->waitForFinished(120000));
        QCOMPARE(a->exitCode(), 0);
        QCOMPARE(b->exitCode(), 0);
        QCOMPARE(checkCalendars(), QList<int>(kUsers, kDays));
        // Each run kept its own log, even when both ended in the same second.
        QCOMPARE(QDir(folder()).entryList({QStringLiteral("PR-*")}).size(), 2);
    }
};

QTEST_GUILESS_MAIN(TestRunsProcesses)
#include "tst_runs_processes.moc"
