// Write and delete-all runs on 100 calendars × 20 days of a Radicale server started here
// (loopback, temporary storage). Reports entries per second, the requests under way at once
// and the requests each entry cost.
#include "benchsetup.h"
#include "caldav/caldavruns.h"
#include "support/radicaleserver.h"

#include <QCoreApplication>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <stdexcept>

namespace {

constexpr int kCalendars = 100;
constexpr int kDays = 20;

class Server {
public:
    Server() {
        if (const QString problem = server_.start(); !problem.isEmpty())
            throw std::runtime_error(problem.toStdString());
        in_.environment.programFolder = dir_.path();
        in_.messages.fill(mv::Language::German);
        in_.settings.kind = mv::caldav::ServerKind::CalDAV;
        in_.settings.url = server_.url();
        in_.settings.user = QStringLiteral("service");
        in_.settings.password = QStringLiteral("svcpw");
        in_.year = 2027;
        for (int i = 0; i < kCalendars; ++i) {
            const QString owner = i % 2 ? QStringLiteral("alice") : QStringLiteral("bob");
            const QString name = QStringLiteral("c%1").arg(i, 3, 10, QLatin1Char('0'));
            if (!server_.makeCalendar(owner, name, name))
                throw std::runtime_error("MKCALENDAR failed");
            in_.settings.calendars.append({u'/' + owner + u'/' + name + u'/', owner, name});
        }
        in_.days = mvbench::benchDays(2027, kDays, true);
    }

    mv::RunResult write(mv::caldav::RunStats& stats) {
        mv::caldav::CalDavRunInput in = in_;
        in.stats = &stats;
        mv::RunObserver quiet;
        return mv::caldav::CalDavWriteRun(in, quiet);
    }
    mv::RunResult deleteAll(mv::caldav::RunStats& stats) {
        mv::caldav::CalDavRunInput in = in_;
        in.stats = &stats;
        mv::RunObserver quiet;
        return mv::caldav::CalDavDeleteAllRun(in, quiet);
    }

private:
    mv::testsupport::RadicaleServer server_;
    QTemporaryDir dir_;
    mv::caldav::CalDavRunInput in_;
};

Server& server() {
    static Server s;
    return s;
}

void report(benchmark::State& state, const mv::RunResult& r, const mv::caldav::RunStats& stats) {
    if (r.status != mv::RunStatus::Finished || r.anyFailure)
        state.SkipWithError("the run failed");
    const double entries = double(kCalendars) * kDays;
    mvbench::countEntries(state, entries);
    state.counters["in_flight_max"] = stats.maxInFlight;
    state.counters["requests_per_entry"] = stats.requests / entries;
}

// One run per iteration, reported with the requests it cost.
void measure(benchmark::State& state, mv::RunResult (Server::*run)(mv::caldav::RunStats&)) {
    Server& s = server();
    mv::caldav::RunStats stats;
    mv::RunResult r;
    for (auto _ : state)
        r = (s.*run)(stats);
    report(state, r, stats);
}

void BM_CalDavWrite(benchmark::State& state) {
    measure(state, &Server::write);
}

// After BM_CalDavWrite: every object is there already and is replaced.
void BM_CalDavWriteRepeated(benchmark::State& state) {
    measure(state, &Server::write);
}

void BM_CalDavDeleteAll(benchmark::State& state) {
    measure(state, &Server::deleteAll);
}

BENCHMARK(BM_CalDavWrite)->Iterations(1)->UseRealTime()->Unit(benchmark::kSecond);
BENCHMARK(BM_CalDavWriteRepeated)->Iterations(1)->UseRealTime()->Unit(benchmark::kSecond);
BENCHMARK(BM_CalDavDeleteAll)->Iterations(1)->UseRealTime()->Unit(benchmark::kSecond);

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    return mvbench::runBenchmarks(argc, argv);
}
