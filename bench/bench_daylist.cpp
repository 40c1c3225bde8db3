// Day lists of every supported year for both countries, and the key cipher.
#include "calendar/daylist.h"
#include "calendar/holidaytables.h"
#include "settings/cipher.h"
#include "settings/settings.h"

#include <benchmark/benchmark.h>

namespace {

mv::DayListInput inputFor(const QString& country, const char* mask) {
    mv::DayListInput in;
    in.country = mv::Country::fromStored(country);
    for (int i = 0; i < 12; ++i)
        in.selected[i] = mask[i] == '1';
    in.holidayFrom = QStringLiteral("00:00");
    in.holidayTo = QStringLiteral("24:00");
    in.furtherDays << mv::DayEntry{QStringLiteral("24.12.*"), QStringLiteral("Heiligabend"),
                                   QStringLiteral("08:00 - 12:00"), QString()}
                   << mv::DayEntry{QStringLiteral("31.12.*"), QStringLiteral("Silvester"),
                                   QStringLiteral("Note"), QString()};
    return in;
}

void allYears(benchmark::State& state, const QString& country, const char* mask) {
    mv::DayListInput in = inputFor(country, mask);
    qint64 rows = 0;
    for (auto _ : state) {
        for (int year = 1583; year <= 8202; ++year) {
            in.year = year;
            in.yearText = QString::number(year);
            const mv::DayList list = mv::BuildDayList(in);
            rows += list.size();
            benchmark::DoNotOptimize(list.data());
        }
    }
    state.counters["years/s"] = benchmark::Counter(double(state.iterations()) * (8202 - 1583 + 1),
                                                   benchmark::Counter::kIsRate);
    state.counters["rows"] = double(rows) / double(state.iterations());
}

void BM_DayListGermanyAllYears(benchmark::State& state) {
    allYears(state, QStringLiteral("Deutschland"), mv::kMaskDE);
}
void BM_DayListUsaAllYears(benchmark::State& state) {
    allYears(state, QStringLiteral("USA"), "111111111100");
}

QByteArray key129() {
    QByteArray key;
    for (int i = 0; i < 129; ++i)
        key.append(char(33 + (i * 37) % 94));
    return key;
}

void BM_EncryptKey(benchmark::State& state) {
    const QByteArray key = key129();
    for (auto _ : state)
        benchmark::DoNotOptimize(mv::EncryptText(key, QByteArray(mv::kPassPhrase)));
}

void BM_DecryptKey(benchmark::State& state) {
    const QByteArray stored = mv::EncryptText(key129(), QByteArray(mv::kPassPhrase));
    for (auto _ : state)
        benchmark::DoNotOptimize(mv::DecryptText(stored, QByteArray(mv::kPassPhrase)));
}

} // namespace

BENCHMARK(BM_DayListGermanyAllYears)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DayListUsaAllYears)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EncryptKey)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_DecryptKey)->Unit(benchmark::kMicrosecond);
BENCHMARK_MAIN();
