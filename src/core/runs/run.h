#pragma once

// What every calendar backend's runs share: the processing row, the result and the
// observer. A target is a GroupWise user ID or a CalDAV calendar path.
#include "calendar/dayentry.h"
#include "runs/notice.h"
#include "ui/messages.h"

#include <QList>
#include <QString>

namespace mv {

inline constexpr const char* kSenderText = "Marvolingen";
inline constexpr const char* kUserSeparator = "----------------";
inline constexpr const char* kNothingFound = "Keine Einträge gefunden";

enum class RunKind { Write, DeleteAll };

// One row of the processing list lvVerarbeitung.
struct ProcessingRow {
    QString userId; // the target: a user ID or a calendar path
    QString login;  // "OK" or "--"
    // write run: "OK", "--" or "" after a failed login; delete-all: "N/A", "DEL", "--", or ""
    QString entry;
    friend bool operator==(const ProcessingRow&, const ProcessingRow&) = default;
};

// What a run reports while it works, in its own terms. The window maps it onto
// lvVerarbeitung and its labels, the command-line program onto lines.
class RunObserver {
public:
    virtual ~RunObserver() = default;
    // MsgNoKey or MsgNoUserSelected (exclamation icon, title "Marvolingen"); the run goes on.
    virtual void warning(Msg message, const Notice& notice) {
        Q_UNUSED(message)
        Q_UNUSED(notice)
    }
    // The run empties its progress and works on `targets` targets; before the first one the
    // progress shows the wait notice.
    virtual void runStarted(RunKind kind, int targets) {
        Q_UNUSED(kind)
        Q_UNUSED(targets)
    }
    virtual void targetStarted(const QString& target) { Q_UNUSED(target) }
    virtual void loginResult(const QString& target, bool ok) {
        Q_UNUSED(target)
        Q_UNUSED(ok)
    }
    // Write run: work on a day begins.
    virtual void dayStarted(const QString& target, const DayEntry& day) {
        Q_UNUSED(target)
        Q_UNUSED(day)
    }
    // Write run: the day's own outcome, told once it is stored for good (or failed).
    virtual void dayResult(const QString& target, const DayEntry& day, bool ok) {
        Q_UNUSED(target)
        Q_UNUSED(day)
        Q_UNUSED(ok)
    }
    // Delete-all: entry `number` (from 1) of the target's entries of the year is handled.
    virtual void entryDeleted(const QString& target, int number, bool ok) {
        Q_UNUSED(target)
        Q_UNUSED(number)
        Q_UNUSED(ok)
    }
    virtual void targetFinished(const ProcessingRow& row) { Q_UNUSED(row) }
    // Units of work done so far: days × targets in the write run, targets in delete-all.
    virtual void progress(int done, int total) {
        Q_UNUSED(done)
        Q_UNUSED(total)
    }
    // Told whenever runStarted was told, also when the run stops early.
    virtual void runFinished() {}
};

enum class RunStatus {
    Finished,    // reached its end; the log file was written unless logError says otherwise
    Stopped,     // ended early by a failure no later target escapes (errorNumber,
                 // errorDescription); later targets not tried; the log file as with Finished
    NoGroupWise, // no session could be created (429): show MsgNoGroupWise and end the program
    Aborted,     // another error before the first target: no log file
};

struct RunResult {
    RunStatus status = RunStatus::Finished;
    int errorNumber = 0; // Stopped, NoGroupWise and Aborted
    QString errorDescription;
    QString errorSource;
    QString errorCause; // NoGroupWise: why the store refused, when it exists
    QString runLog;     // lines ended by CR LF
    QList<ProcessingRow> rows;
    QString logFilePath; // set when a log file was written
    bool logWritten = false;
    QString logError;        // why the log file could not be written
    bool anyFailure = false; // a login, a day or a deletion failed

    bool failed() const { return status != RunStatus::Finished || anyFailure || logFailed(); }
    bool logFailed() const {
        return (status == RunStatus::Finished || status == RunStatus::Stopped) && !logWritten;
    }
    // The MsgNoGroupWise box (critical, "Marvolingen") in the given table's language.
    Notice noGroupWiseNotice(const MessageTable& messages) const;
};

// MsgNoGroupWise, followed on a line of its own by the cause when there is one.
Notice noGroupWiseNotice(const MessageTable& messages, const QString& cause);

// "Error: " + number + ", " + description.
QString errorLine(int number, const QString& description);

} // namespace mv
