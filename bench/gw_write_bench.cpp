// Write run, repeated write run (every entry replaced) and delete-all run against a local
// GroupWise system in a temporary folder: 500 users, 20 days.
#include "benchsetup.h"

#include <QCoreApplication>
#include <benchmark/benchmark.h>

namespace {

constexpr int kUsers = 500;
constexpr int kDays = 20;

// The system and whether its calendars hold the days, so that each run starts as it should.
class System {
public:
    mv::RunResult write() {
        mv::RunObserver quiet;
        auto r = gw_.write(quiet);
        written_ = true;
        return r;
    }
    mv::RunResult deleteAll() {
        auto r = gw_.deleteAll(QStringLiteral("2011"));
        written_ = false;
        return r;
    }
    bool written() const { return written_; }

private:
    mvbench::LocalGroupWise gw_{kUsers, mvbench::benchDays(2011, kDays, true), 10};
    bool written_ = false;
};

System& system() {
    static System s;
    return s;
}

void check(benchmark::State& state, const mv::RunResult& r) {
    if (r.status != mv::RunStatus::Finished || r.anyFailure)
        state.SkipWithError("the run failed");
}

void BM_WriteRun(benchmark::State& state) {
    System& s = system();
    for (auto _ : state) {
        state.PauseTiming();
        if (s.written())
            s.deleteAll();
        state.ResumeTiming();
        check(state, s.write());
    }
    mvbench::countEntries(state, kUsers * kDays);
}

void BM_WriteRunRepeated(benchmark::State& state) {
    System& s = system();
    for (auto _ : state) {
        state.PauseTiming();
        if (!s.written())
            s.write();
        state.ResumeTiming();
        check(state, s.write());
    }
    mvbench::countEntries(state, kUsers * kDays);
}

void BM_DeleteAllRun(benchmark::State& state) {
    System& s = system();
    for (auto _ : state) {
        state.PauseTiming();
        if (!s.written())
            s.write();
        state.ResumeTiming();
        check(state, s.deleteAll());
    }
    mvbench::countEntries(state, kUsers * kDays);
}

BENCHMARK(BM_WriteRun)->Iterations(1)->UseRealTime()->Unit(benchmark::kSecond);
BENCHMARK(BM_WriteRunRepeated)->Iterations(1)->UseRealTime()->Unit(benchmark::kSecond);
BENCHMARK(BM_DeleteAllRun)->Iterations(1)->UseRealTime()->Unit(benchmark::kSecond);

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    return mvbench::runBenchmarks(argc, argv);
}
