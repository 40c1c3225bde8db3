// The cost of the add-entry cycle of a write run (Find, delete, add, eight attribute writes)
// on the local GroupWise system, and of one durable commit with synchronous FULL and NORMAL.
#include "groupwise/filter.h"
#include "groupwise/local.h"

#include <QCoreApplication>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <stdexcept>

using namespace Qt::StringLiterals;

namespace {

using namespace mv::gw;

const QString kApp = QStringLiteral("QTXMarvolingen");

struct Domain {
    Domain() {
        if (!dir.isValid())
            throw std::runtime_error("no temporary folder");
        auto sys = LocalSystem::create(dir.path(), SystemVersion::V7_0, false, QDate(2011, 1, 1));
        sys.addPostOffice({u"PO1"_s, u"127.0.0.1"_s, u"1677"_s, u"/srv/po1"_s});
        sys.addMember(kKindUser, QStringLiteral("user1"), u"PO1"_s);
        if (CreateTrustedAppObject(LocalSystem::domainPath(dir.path()), kApp, u""_s, u""_s, 0, 0, 0,
                                   0, 0, key) != 0)
            throw std::runtime_error("no key");
    }
    QTemporaryDir dir;
    QByteArray key;
};

// One day of a write run for one user: the entry of that day is replaced.
void BM_AddEntryCycle(benchmark::State& state) {
    Domain domain;
    auto session = createSession(domain.dir.path());
    session->setTrustedApplication(kApp, QString::fromLatin1(domain.key));
    auto messages = session->loginAs(QStringLiteral("user1"))->calendarMessages();
    int day = 0;
    for (auto _ : state) {
        const QDate date = QDate(2011, 1, 1).addDays(day++ % 30);
        const QString subject = QStringLiteral("Tag %1").arg(date.day());
        auto found = messages->find(dayFilter(date, subject));
        if (found->count() > 0)
            found->item(1)->remove();
        auto m = messages->add(QString::fromLatin1(kAppointment), 3);
        m->setAllDay(true);
        m->setStart(QDateTime(date, QTime(0, 0)));
        m->setDuration(1439.0 / 1440);
        m->setSubject(subject);
        m->setPlace(QStringLiteral("Ort"));
        m->setFlag(true);
        m->setNumber(2);
        m->setFromText(QStringLiteral("Marvolingen"));
        m->save();
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_AddEntryCycle)->Unit(benchmark::kMillisecond)->MinTime(2.0);

// One autocommitted attribute write in the domain's WAL journal; argument 2 = FULL, 1 = NORMAL.
void BM_DurableWrite(benchmark::State& state) {
    Domain domain;
    {
        auto db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("bench"));
        db.setDatabaseName(LocalSystem::databasePath(LocalSystem::domainPath(domain.dir.path())));
        if (!db.open())
            throw std::runtime_error("cannot open");
        QSqlQuery q(db);
        q.exec(QStringLiteral("PRAGMA synchronous=%1").arg(state.range(0)));
        q.finish();
        q.prepare(QStringLiteral("UPDATE meta SET value=? WHERE key='client_user'"));
        int i = 0;
        for (auto _ : state) {
            q.addBindValue(QString::number(i++));
            if (!q.exec())
                throw std::runtime_error("write failed");
        }
        q.finish();
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("bench"));
}
BENCHMARK(BM_DurableWrite)->Arg(2)->Arg(1)->Unit(benchmark::kMicrosecond)->MinTime(1.0);

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
