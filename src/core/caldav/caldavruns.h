#pragma once

#include "caldav/caldavsettings.h"
#include "calendar/dayentry.h"
#include "runs/run.h"
#include "ui/environment.h"
#include "ui/messages.h"

#include <QStringList>

namespace mv::caldav {

// What a run cost on the wire.
struct RunStats {
    int requests = 0;    // sent, redirects included
    int maxInFlight = 0; // requests under way at once, at most
};

struct CalDavRunInput {
    Environment environment;              // program folder (logs) and clock
    MessageTable messages;                // in the current language
    Language language = Language::German; // of the CalDAV messages
    CalDavSettings settings;              // the connection and the selected calendars (the targets)
    DayList days;                         // write run: the rows of the year
    int year = 0;
    QString timeZoneId; // of timed rows; empty: the machine's
    int timeoutMs = 30000;
    RunStats* stats = nullptr; // filled at the end when given
};

// The write and delete-all runs on the selected calendars, with the GroupWise runs' rows,
// observer and log files ("PR-", "PR-DEL-"; the calendar path where a user ID stands).
// A refused login stops the run before anything is written: status Aborted,
// errorDescription the one message. A login refused later (a password changed or revoked
// during the run) ends the run after that calendar: status Stopped, the same message, the
// later calendars not tried. Any other failure of a calendar fails its row and the run goes
// on.
RunResult CalDavWriteRun(const CalDavRunInput& input, RunObserver& observer);
RunResult CalDavDeleteAllRun(const CalDavRunInput& input, RunObserver& observer);

// Removing a further day (a yearly date in input.year): its objects leave every selected
// calendar.
struct RemoveDayResult {
    bool ok = true;
    QString problem;             // the refused login or connection, when !ok
    QStringList failedCalendars; // path and reason of each calendar that failed
};
RemoveDayResult CalDavRemoveDay(const CalDavRunInput& input, const DayEntry& furtherDay);

} // namespace mv::caldav
