#pragma once

// The write and delete-all runs over any calendar backend. A backend opens the calendar of a
// target and does a day's or an entry's work there; everything the administrator sees (log
// lines, rows, observer, log file) is done here once.
#include "runs/run.h"
#include "ui/environment.h"

#include <QList>
#include <QString>
#include <memory>
#include <optional>

namespace mv {

// A failure as the run log shows it: "Error: " number ", " description.
struct RunError {
    int number = 0;
    QString description;
};

// The calendar of one target. Nothing it does is reported before commit() returned.
class RunCalendar {
public:
    virtual ~RunCalendar() = default;
    // Replaces the entry this program wrote for the day and its subject by a new one. A day
    // that throws leaves the calendar as it was before that day.
    virtual void writeDay(const DayEntry& day) = 0;
    // Finds this program's entries of the year; gives their number.
    virtual int findYear(int year) = 0;
    // Deletes entry `number` (from 1) of the last findYear; subject gets its subject.
    // False when it could not be deleted.
    virtual bool deleteFound(int number, QString& subject) = 0;
    // Makes everything since the calendar was opened durable; after a throw none of it is.
    virtual void commit() {}
};

// Where a target is: its name (user ID, calendar path) and, where the name alone may be
// ambiguous, its location (the post office of a GroupWise row).
struct RunTarget {
    QString name;
    QString location;
};

class RunBackend {
public:
    virtual ~RunBackend() = default;
    // Logs in to the target's calendar. Throws RunError.
    virtual std::unique_ptr<RunCalendar> open(const RunTarget& target, RunKind kind) = 0;
    // Asked after each target: a failure that no later target can escape (the refused login
    // of the one account all targets share) ends the run there.
    virtual std::optional<RunError> stopped() const { return std::nullopt; }
};

struct RunPlan {
    Environment environment; // program folder (logs) and clock
    MessageTable messages;
    QList<RunTarget> targets;
    DayList days; // write run
    int year = 0; // delete-all
    // Write run: at the end of a target with a failed day, its last failed day's failure
    // line and error line once more (the GroupWise 6.5 run).
    bool closingFailureLine = false;
};

// Both continue a result whose runLog holds the header and whose start succeeded; they
// tell runStarted ... runFinished and save the log ("PR-", "PR-DEL-"). A backend that
// stopped the run leaves status Stopped with its failure as the error.
void executeWriteRun(const RunPlan& plan, RunBackend& backend, RunObserver& observer,
                     RunResult& result);
void executeDeleteAllRun(const RunPlan& plan, RunBackend& backend, RunObserver& observer,
                         RunResult& result);

// Saves result.runLog under the prefix and records where, or why it could not.
void saveLog(RunResult& result, const Environment& environment, const QString& prefix);

} // namespace mv
