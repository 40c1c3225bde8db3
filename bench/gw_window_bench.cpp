// The write run of 100 users x 20 days on a local GroupWise system, shown in the window's
// processing list and labels against the same run with no one watching (the command line).
#include "groupwise/gwrunview.h"
#include "groupwise/keyactions.h"
#include "groupwise/local.h"
#include "groupwise/runs.h"

#include <QApplication>
#include <QLabel>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <benchmark/benchmark.h>

#include <stdexcept>

namespace {

constexpr int kUsers = 100;
constexpr int kDays = 20;

class System {
public:
    System() {
        if (!dir_.isValid())
            throw std::runtime_error("no temporary folder");
        env_.programFolder = dir_.path();
        auto sys = mv::gw::LocalSystem::create(dir_.path(), mv::gw::SystemVersion::V7_0, false,
                                               QDate(2011, 1, 1));
        sys.addPostOffice({QStringLiteral("PO1"), QStringLiteral("127.0.0.1"),
                           QStringLiteral("1677"), QStringLiteral("/srv/po1")});
        for (int i = 0; i < kUsers; ++i) {
            const QString id = QStringLiteral("user%1").arg(i, 3, 10, QLatin1Char('0'));
            sys.addMember(mv::gw::kKindUser, id, QStringLiteral("PO1"));
            users_.append(
                {id, QStringLiteral("User"), QStringLiteral("Dom"), QStringLiteral("PO1")});
        }
        messages_.fill(mv::Language::German);
        if (!mv::CreateTrustedAppKey(env_, mv::gw::LocalSystem::domainPath(dir_.path()), messages_,
                                     mv::Language::German)
                 .ok())
            throw std::runtime_error("no key");
        for (int d = 0; d < kDays; ++d)
            days_.append({QDate(2011, 1, 1).addDays(d * 18).toString(QStringLiteral("dd.MM.yyyy")),
                          QStringLiteral("Tag %1").arg(d), QStringLiteral("07:00 - 20:00"),
                          QStringLiteral("Ort")});
    }
    bool write(mv::RunObserver& observer) {
        mv::WriteRunInput in;
        in.environment = env_;
        in.messages = messages_;
        in.users = users_;
        in.buildDayList = [this] { return days_; };
        return !mv::WriteRunGW702(in, observer).failed();
    }
    const mv::MessageTable& messages() const { return messages_; }

private:
    QTemporaryDir dir_;
    mv::Environment env_;
    mv::MessageTable messages_;
    mv::AddressList users_;
    mv::DayList days_;
};

System& system() {
    static System s;
    return s;
}

void run(benchmark::State& state, mv::RunObserver& observer) {
    for (auto _ : state)
        if (!system().write(observer))
            state.SkipWithError("the run failed");
    state.counters["entries"] = benchmark::Counter(double(state.iterations()) * kUsers * kDays,
                                                   benchmark::Counter::kIsRate);
}

void BM_WriteRunQuiet(benchmark::State& state) {
    mv::RunObserver quiet;
    run(state, quiet);
}

void BM_WriteRunWindow(benchmark::State& state) {
    QWidget window;
    auto* list = new QTreeWidget(&window);
    list->setColumnCount(3);
    auto* name = new QLabel(&window);
    auto* date = new QLabel(&window);
    auto* designation = new QLabel(&window);
    window.show();
    QApplication::processEvents(); // the window is on the screen before a run starts
    mv::RunView view({list, name, date, designation}, system().messages(), {});
    run(state, view);
}

BENCHMARK(BM_WriteRunQuiet)->Iterations(5)->UseRealTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WriteRunWindow)->Iterations(5)->UseRealTime()->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
