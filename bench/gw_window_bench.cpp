// The write run of 100 users x 20 days on a local GroupWise system, shown in the window's
// processing list and labels against the same run with no one watching (the command line).
#include "benchsetup.h"
#include "groupwise/gwrunview.h"

#include <QApplication>
#include <QLabel>
#include <QTreeWidget>
#include <benchmark/benchmark.h>

namespace {

constexpr int kUsers = 100;
constexpr int kDays = 20;

mvbench::LocalGroupWise& system() {
    static mvbench::LocalGroupWise s(kUsers, mvbench::benchDays(2011, kDays, false));
    return s;
}

void run(benchmark::State& state, mv::RunObserver& observer) {
    for (auto _ : state)
        if (system().write(observer).failed())
            state.SkipWithError("the run failed");
    mvbench::countEntries(state, kUsers * kDays);
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
    return mvbench::runBenchmarks(argc, argv);
}
