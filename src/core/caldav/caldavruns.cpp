#include "caldav/caldavruns.h"

#include "caldav/calendarops.h"
#include "caldav/client.h"
#include "caldav/discovery.h"
#include "runs/engine.h"

#include <QHash>

namespace mv::caldav {

namespace {

const QString kCrLf = QStringLiteral("\r\n");

Connection connectionOf(const CalDavRunInput& in) {
    Connection c;
    c.url = in.settings.url;
    c.user = in.settings.user;
    c.password = in.settings.password;
    c.caFile = in.settings.caFile;
    c.language = in.language;
    c.timeoutMs = in.timeoutMs;
    return c;
}

RunError runError(const OpError& e) {
    return RunError{e.number, e.description};
}

QList<RunTarget> targetsOf(const CalendarList& calendars) {
    QList<RunTarget> targets;
    for (const CalendarRef& c : calendars)
        targets.append(RunTarget{c.path, {}});
    return targets;
}

QString header(const MessageTable& msg, Msg which, const Environment& env) {
    return msg[which] + env.now().toString(QStringLiteral("dd.MM.yyyy HH:mm:ss")) + kCrLf;
}

// The work of a calendar is done when it is opened, with many requests under way; the
// engine then collects the outcome day by day or entry by entry. A calendar that cannot be
// read counts as a failed login.
class ServerCalendar : public RunCalendar {
public:
    explicit ServerCalendar(WriteOutcome w) : write_(std::move(w)) {}
    explicit ServerCalendar(DeleteOutcome d) : delete_(std::move(d)) {}

    void writeDay(const DayEntry&) override {
        const auto& outcome = write_.days.value(next_++);
        if (outcome)
            throw runError(*outcome);
    }

    int findYear(int) override { return int(delete_.deletions.size()); }

    bool deleteFound(int number, QString& subject) override {
        const Deletion& d = delete_.deletions.at(number - 1);
        subject = d.summary;
        return !d.failure;
    }

private:
    WriteOutcome write_;
    DeleteOutcome delete_;
    qsizetype next_ = 0;
};

class ServerBackend : public RunBackend {
public:
    ServerBackend(Client& client, const CalDavRunInput& in) : client_(client), in_(in) {}

    std::unique_ptr<RunCalendar> open(const RunTarget& target, RunKind kind) override {
        if (kind == RunKind::DeleteAll) {
            DeleteOutcome d = deleteYear(client_, target.name, in_.year);
            if (d.unauthorized)
                unauthorized_ = true;
            if (d.failure)
                throw runError(*d.failure);
            return std::make_unique<ServerCalendar>(std::move(d));
        }
        WriteOutcome w = writeDays(client_, target.name, in_.days, in_.year, in_.timeZoneId);
        if (w.unauthorized)
            unauthorized_ = true;
        if (w.failure)
            throw runError(*w.failure);
        return std::make_unique<ServerCalendar>(std::move(w));
    }

    // Every calendar is reached with the one account: once it is refused, nothing more is
    // sent.
    std::optional<RunError> stopped() const override {
        if (!unauthorized_)
            return std::nullopt;
        return RunError{401, loginRefusedText(in_.language)};
    }

private:
    Client& client_;
    const CalDavRunInput& in_;
    bool unauthorized_ = false;
};

// Before the first calendar: the connection settings and the login. A refused login is
// the one message of the run.
std::unique_ptr<Client> startRun(const CalDavRunInput& in, RunResult& result) {
    auto client = Client::create(connectionOf(in));
    if (!client) {
        result.status = RunStatus::Aborted;
        result.errorDescription = client.error();
        return nullptr;
    }
    if (!in.settings.calendars.isEmpty()) {
        const CalendarCheck check = checkCalendar(**client, in.settings.calendars.first().path);
        if (check.unauthorized) {
            result.status = RunStatus::Aborted;
            result.errorNumber = 401;
            result.errorDescription = check.problem;
            return nullptr;
        }
    }
    return std::move(client.value());
}

void recordStats(const CalDavRunInput& in, const Client& client) {
    if (in.stats)
        *in.stats = RunStats{client.requestsSent(), client.maxInFlightSeen()};
}

} // namespace

RunResult CalDavWriteRun(const CalDavRunInput& in, RunObserver& observer) {
    RunResult result;
    result.runLog = header(in.messages, Msg::WriteRunHeader, in.environment);
    const auto client = startRun(in, result);
    if (!client)
        return result;
    RunPlan plan;
    plan.environment = in.environment;
    plan.messages = in.messages;
    plan.targets = targetsOf(in.settings.calendars);
    plan.days = in.days;
    plan.year = in.year;
    ServerBackend backend(*client, in);
    executeWriteRun(plan, backend, observer, result);
    recordStats(in, *client);
    return result;
}

RunResult CalDavDeleteAllRun(const CalDavRunInput& in, RunObserver& observer) {
    RunResult result;
    result.runLog = header(in.messages, Msg::DeleteRunHeader, in.environment);
    observer.runStarted(RunKind::DeleteAll, int(in.settings.calendars.size()));
    const auto client = startRun(in, result);
    if (!client) {
        observer.runFinished();
        return result;
    }
    RunPlan plan;
    plan.environment = in.environment;
    plan.messages = in.messages;
    plan.targets = targetsOf(in.settings.calendars);
    plan.year = in.year;
    ServerBackend backend(*client, in);
    executeDeleteAllRun(plan, backend, observer, result);
    recordStats(in, *client);
    return result;
}

RemoveDayResult CalDavRemoveDay(const CalDavRunInput& in, const DayEntry& furtherDay) {
    RemoveDayResult out;
    RunResult start;
    const auto client = startRun(in, start);
    if (!client) {
        out.ok = false;
        out.problem = start.errorDescription;
        return out;
    }
    for (const CalendarRef& c : in.settings.calendars) {
        const DeleteOutcome d = deleteDay(*client, c.path, furtherDay, in.year);
        if (d.unauthorized) {
            out.ok = false;
            out.problem = loginRefusedText(in.language);
            return out;
        }
        QString reason;
        if (d.failure)
            reason = d.failure->description;
        for (const Deletion& del : d.deletions) {
            if (del.failure)
                reason = del.failure->description;
        }
        if (!reason.isEmpty()) {
            out.ok = false;
            out.failedCalendars.append(c.path + QStringLiteral(": ") + reason);
        }
    }
    return out;
}

} // namespace mv::caldav
