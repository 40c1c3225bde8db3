// Write run, repeated write run (every entry replaced) and delete-all run against a local
// GroupWise system in a temporary folder: 500 users, 20 days.
#include "groupwise/keyactions.h"
#include "groupwise/local.h"
#include "groupwise/runs.h"

#include <QCoreApplication>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <memory>
#include <stdexcept>

namespace {

constexpr int kUsers = 500;
constexpr int kDays = 20;

class System {
public:
    System() {
        if (!dir_.isValid())
            throw std::runtime_error("no temporary folder");
        env_.programFolder = dir_.path();
        auto sys = mv::gw::LocalSystem::create(dir_.path(), mv::gw::SystemVersion::V7_0, false,
                                               QDate(2011, 1, 1));
        sys.addPostOffice({"PO1", "127.0.0.1", "1677", "/srv/po1"});
        for (int i = 0; i < kUsers; ++i) {
            const QString id = QStringLiteral("user%1").arg(i, 3, 10, QLatin1Char('0'));
            sys.addMember(i % 10 == 9 ? mv::gw::kKindResource : mv::gw::kKindUser, id, "PO1");
            users_.append({id, QStringLiteral("User"), QStringLiteral("Dom"), "PO1"});
        }
        messages_.fill(mv::Language::German);
        const auto key = mv::CreateTrustedAppKey(env_, mv::gw::LocalSystem::domainPath(dir_.path()),
                                                 messages_, mv::Language::German);
        if (!key.ok())
            throw std::runtime_error("no key");
        for (int d = 0; d < kDays; ++d) {
            const QDate date = QDate(2011, 1, 1).addDays(d * 18);
            QString time = QStringLiteral("07:00 - 20:00");
            if (d % 4 == 0)
                time = QStringLiteral("00:00 - 24:00");
            else if (d % 4 == 1)
                time = QStringLiteral("Note");
            days_.append({date.toString(QStringLiteral("dd.MM.yyyy")),
                          QStringLiteral("Tag %1").arg(d), time, QStringLiteral("Ort")});
        }
    }

    mv::RunResult write() {
        mv::WriteRunInput in;
        in.environment = env_;
        in.messages = messages_;
        in.users = users_;
        in.buildDayList = [this] { return days_; };
        mv::RunObserver quiet;
        auto r = mv::WriteRunGW702(in, quiet);
        written_ = true;
        return r;
    }
    mv::RunResult deleteAll() {
        mv::DeleteAllInput in;
        in.environment = env_;
        in.messages = messages_;
        in.users = users_;
        in.yearText = QStringLiteral("2011");
        mv::RunObserver quiet;
        auto r = mv::DeleteAllRun(in, quiet);
        written_ = false;
        return r;
    }
    bool written() const { return written_; }

private:
    QTemporaryDir dir_;
    mv::Environment env_;
    mv::MessageTable messages_;
    mv::AddressList users_;
    mv::DayList days_;
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

void setEntries(benchmark::State& state) {
    state.counters["entries"] = benchmark::Counter(double(state.iterations()) * kUsers * kDays,
                                                   benchmark::Counter::kIsRate);
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
    setEntries(state);
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
    setEntries(state);
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
    setEntries(state);
}

BENCHMARK(BM_WriteRun)->Iterations(1)->UseRealTime()->Unit(benchmark::kSecond);
BENCHMARK(BM_WriteRunRepeated)->Iterations(1)->UseRealTime()->Unit(benchmark::kSecond);
BENCHMARK(BM_DeleteAllRun)->Iterations(1)->UseRealTime()->Unit(benchmark::kSecond);

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
