#include "benchsetup.h"

#include "groupwise/keyactions.h"
#include "groupwise/local.h"

#include <stdexcept>

namespace mvbench {

mv::DayList benchDays(int year, int count, bool mixedTimes) {
    mv::DayList days;
    for (int d = 0; d < count; ++d) {
        QString time = QStringLiteral("07:00 - 20:00");
        if (mixedTimes && d % 4 == 0)
            time = QStringLiteral("00:00 - 24:00");
        else if (mixedTimes && d % 4 == 1)
            time = QStringLiteral("Note");
        days.append({QDate(year, 1, 1).addDays(d * 18).toString(QStringLiteral("dd.MM.yyyy")),
                     QStringLiteral("Tag %1").arg(d), time, QStringLiteral("Ort")});
    }
    return days;
}

void countEntries(benchmark::State& state, double entriesPerIteration) {
    state.counters["entries"] = benchmark::Counter(double(state.iterations()) * entriesPerIteration,
                                                   benchmark::Counter::kIsRate);
}

LocalGroupWise::LocalGroupWise(int users, mv::DayList days, int resourceEvery)
    : days_(std::move(days)) {
    if (!dir_.isValid())
        throw std::runtime_error("no temporary folder");
    env_.programFolder = dir_.path();
    auto sys = mv::gw::LocalSystem::create(dir_.path(), mv::gw::SystemVersion::V7_0, false,
                                           QDate(2011, 1, 1));
    const QString office = QStringLiteral("PO1");
    sys.addPostOffice(
        {office, QStringLiteral("127.0.0.1"), QStringLiteral("1677"), QStringLiteral("/srv/po1")});
    for (int i = 0; i < users; ++i) {
        const QString id = QStringLiteral("user%1").arg(i, 3, 10, QLatin1Char('0'));
        const bool resource = resourceEvery > 0 && i % resourceEvery == resourceEvery - 1;
        sys.addMember(resource ? mv::gw::kKindResource : mv::gw::kKindUser, id, office);
        users_.append({id, QStringLiteral("User"), QStringLiteral("Dom"), office});
    }
    messages_.fill(mv::Language::German);
    if (!mv::CreateTrustedAppKey(env_, mv::gw::LocalSystem::domainPath(dir_.path()), messages_,
                                 mv::Language::German)
             .ok())
        throw std::runtime_error("no key");
}

mv::RunResult LocalGroupWise::write(mv::RunObserver& observer) {
    mv::WriteRunInput in;
    in.environment = env_;
    in.messages = messages_;
    in.users = users_;
    in.buildDayList = [this] { return days_; };
    return mv::WriteRunGW702(in, observer);
}

mv::RunResult LocalGroupWise::deleteAll(const QString& yearText) {
    mv::DeleteAllInput in;
    in.environment = env_;
    in.messages = messages_;
    in.users = users_;
    in.yearText = yearText;
    mv::RunObserver quiet;
    return mv::DeleteAllRun(in, quiet);
}

int runBenchmarks(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

} // namespace mvbench
