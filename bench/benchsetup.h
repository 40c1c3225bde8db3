#pragma once

// Setup the benchmarks share: the days a run writes and a local GroupWise system.
#include "calendar/dayentry.h"
#include "groupwise/runs.h"

#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace mvbench {

// count days of the year, 18 days apart from 1 January, "Tag n" in "Ort". With mixedTimes
// every fourth is whole-day and every fourth a note, else each runs 07:00 to 20:00.
mv::DayList benchDays(int year, int count, bool mixedTimes);

// Sets the counter "entries" to the rate of entries written or deleted.
void countEntries(benchmark::State& state, double entriesPerIteration);

// A local GroupWise system in a temporary folder: post office PO1, users user000 ... in it
// (every resourceEvery-th one a resource, none when 0), the trusted application's key
// stored, and the days the write run writes. Throws std::runtime_error when it cannot be
// made.
class LocalGroupWise {
public:
    LocalGroupWise(int users, mv::DayList days, int resourceEvery = 0);

    mv::RunResult write(mv::RunObserver& observer);
    mv::RunResult deleteAll(const QString& yearText);
    const mv::MessageTable& messages() const { return messages_; }

private:
    QTemporaryDir dir_;
    mv::Environment env_;
    mv::MessageTable messages_;
    mv::AddressList users_;
    mv::DayList days_;
};

// Runs the benchmarks named on the command line; the caller makes the Qt application first.
int runBenchmarks(int argc, char** argv);

} // namespace mvbench
