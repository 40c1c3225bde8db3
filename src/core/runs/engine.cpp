#include "runs/engine.h"

#include "runs/runlog.h"

#include <optional>

namespace mv {

namespace {

const QString kCrLf = QStringLiteral("\r\n");
const QString kOk = QStringLiteral("OK");
const QString kFailed = QStringLiteral("--");

Notice warningNotice(const MessageTable& messages, Msg m) {
    return Notice{messages[m], QString::fromLatin1(kAppTitle), Notice::Icon::Exclamation};
}

class Log {
public:
    explicit Log(RunResult& result) : result_(result) {}
    void operator()(const QString& line) { result_.runLog += line + kCrLf; }

private:
    RunResult& result_;
};

// True when the backend ended the run after the target just finished.
bool stopsAfterTarget(const RunBackend& backend, RunResult& result) {
    const std::optional<RunError> stop = backend.stopped();
    if (!stop)
        return false;
    result.status = RunStatus::Stopped;
    result.errorNumber = stop->number;
    result.errorDescription = stop->description;
    return true;
}

} // namespace

QString errorLine(int number, const QString& description) {
    return QStringLiteral("Error: ") + QString::number(number) + QStringLiteral(", ") + description;
}

Notice noGroupWiseNotice(const MessageTable& messages, const QString& cause) {
    QString text = messages[Msg::NoGroupWise];
    if (!cause.isEmpty())
        text += QStringLiteral("\n") + cause;
    return Notice{text, QString::fromLatin1(kAppTitle), Notice::Icon::Critical};
}

Notice RunResult::noGroupWiseNotice(const MessageTable& messages) const {
    return mv::noGroupWiseNotice(messages, errorCause);
}

void saveLog(RunResult& result, const Environment& environment, const QString& prefix) {
    const Result<QString> saved = saveRunLog(environment, prefix, result.runLog);
    result.logWritten = saved.ok();
    if (saved)
        result.logFilePath = *saved;
    else
        result.logError = saved.error();
}

void executeWriteRun(const RunPlan& plan, RunBackend& backend, RunObserver& observer,
                     RunResult& result) {
    const MessageTable& msg = plan.messages;
    Log append(result);
    const int total = int(plan.targets.size() * plan.days.size());
    int done = 0;
    observer.runStarted(RunKind::Write, int(plan.targets.size()));
    if (plan.targets.isEmpty())
        observer.warning(Msg::NoUserSelected, warningNotice(msg, Msg::NoUserSelected));

    for (const RunTarget& target : plan.targets) {
        ProcessingRow row{target.name, {}, {}};
        observer.targetStarted(target.name);
        append(QString::fromLatin1(kUserSeparator));
        append(target.name);

        std::unique_ptr<RunCalendar> calendar;
        try {
            calendar = backend.open(target, RunKind::Write);
        } catch (const RunError& e) {
            row.login = kFailed;
            observer.loginResult(target.name, false);
            append(msg[Msg::NoLogin]);
            append(errorLine(e.number, e.description));
            result.anyFailure = true;
            done += int(plan.days.size());
            observer.progress(done, total);
            result.rows.append(row);
            observer.targetFinished(row);
            if (stopsAfterTarget(backend, result))
                break;
            continue;
        }
        row.login = kOk;
        observer.loginResult(target.name, true);
        append(msg[Msg::LoginOk]);

        QList<std::optional<RunError>> outcome;
        outcome.reserve(plan.days.size());
        for (const DayEntry& day : plan.days) {
            observer.dayStarted(target.name, day);
            try {
                calendar->writeDay(day);
                outcome.append(std::nullopt);
            } catch (const RunError& e) {
                outcome.append(e);
            }
        }
        try {
            calendar->commit();
        } catch (const RunError& e) {
            // Nothing of the target was kept.
            for (auto& o : outcome)
                if (!o)
                    o = e;
        }
        calendar.reset();

        std::optional<qsizetype> lastFailed;
        for (qsizetype i = 0; i < plan.days.size(); ++i) {
            const DayEntry& day = plan.days[i];
            const QString head =
                day.date + QStringLiteral(", ") + day.designation + QStringLiteral(": ");
            if (outcome[i]) {
                lastFailed = i;
                append(head + msg[Msg::EntryNotWritten]);
                append(errorLine(outcome[i]->number, outcome[i]->description));
            } else {
                append(head + msg[Msg::EntryWritten]);
            }
            observer.dayResult(target.name, day, !outcome[i]);
            observer.progress(++done, total);
        }
        row.entry = lastFailed ? kFailed : kOk;
        if (lastFailed) {
            result.anyFailure = true;
            if (plan.closingFailureLine) {
                const DayEntry& day = plan.days[*lastFailed];
                append(day.date + QStringLiteral(", ") + day.designation + QStringLiteral(": ") +
                       msg[Msg::EntryNotWritten]);
                append(errorLine(outcome[*lastFailed]->number, outcome[*lastFailed]->description));
            }
        }
        result.rows.append(row);
        observer.targetFinished(row);
        if (stopsAfterTarget(backend, result))
            break;
    }

    observer.runFinished();
    saveLog(result, plan.environment, QStringLiteral("PR-"));
}

void executeDeleteAllRun(const RunPlan& plan, RunBackend& backend, RunObserver& observer,
                         RunResult& result) {
    const MessageTable& msg = plan.messages;
    Log append(result);
    const int total = int(plan.targets.size());
    int done = 0;
    for (const RunTarget& target : plan.targets) {
        ProcessingRow row{target.name, {}, {}};
        observer.targetStarted(target.name);
        std::unique_ptr<RunCalendar> calendar;
        try {
            calendar = backend.open(target, RunKind::DeleteAll);
        } catch (const RunError&) {
        }
        append(QString::fromLatin1(kUserSeparator));
        append(target.name);
        if (!calendar) {
            row.login = kFailed;
            observer.loginResult(target.name, false);
            append(msg[Msg::NoLogin]);
            result.anyFailure = true;
        } else {
            append(msg[Msg::LoginOk]);
            row.login = kOk;
            observer.loginResult(target.name, true);
            struct Deletion {
                QString subject;
                bool deleted;
            };
            QList<Deletion> deletions;
            std::optional<RunError> failure;
            try {
                const int n = calendar->findYear(plan.year);
                for (int k = 1; k <= n; ++k) {
                    Deletion d{{}, false};
                    d.deleted = calendar->deleteFound(k, d.subject);
                    deletions.append(d);
                }
                calendar->commit();
            } catch (const RunError& e) {
                // The search or the commit failed: nothing of this target was deleted.
                failure = e;
            }
            calendar.reset();
            if (failure) {
                row.entry = kFailed;
                append(errorLine(failure->number, failure->description));
                result.anyFailure = true;
            } else if (deletions.isEmpty()) {
                row.entry = QStringLiteral("N/A");
                append(QString::fromUtf8(kNothingFound));
            }
            for (qsizetype k = 0; !failure && k < deletions.size(); ++k) {
                const Deletion& d = deletions[k];
                observer.entryDeleted(target.name, int(k + 1), d.deleted);
                if (d.deleted) {
                    append(d.subject + QStringLiteral(" :") + msg[Msg::EntryDeleted]);
                    row.entry = QStringLiteral("DEL");
                } else {
                    append(d.subject + QStringLiteral(": ") + msg[Msg::EntryNotDeleted]);
                    row.entry = kFailed;
                    result.anyFailure = true;
                }
            }
        }
        observer.progress(++done, total);
        result.rows.append(row);
        observer.targetFinished(row);
        if (stopsAfterTarget(backend, result))
            break;
    }
    observer.runFinished();
    saveLog(result, plan.environment, QStringLiteral("PR-DEL-"));
}

} // namespace mv
