#pragma once

#include "calendar/dayentry.h"
#include "groupwise/groupwise.h"
#include "runs/run.h"
#include "runs/runlog.h"
#include "settings/addressrow.h"
#include "ui/environment.h"
#include "ui/messages.h"

#include <QDate>
#include <QDateTime>
#include <QList>
#include <QString>
#include <functional>
#include <optional>

namespace mv {

inline constexpr const char* kTrustedAppName = "QTXMarvolingen";

// Creates the GroupWise session of a program folder; empty means gw::createSession.
using SessionFactory = std::function<std::unique_ptr<gw::Session>(const QString& programFolder)>;

enum class WriteVariant { GW65, GW702 };

// "GW65" exactly selects the 6.5 run; any other text the 7.02 run.
WriteVariant variantFromVersion(const QString& version);

struct WriteRunInput {
    Environment environment; // program folder (Feiertage.ini, GroupWise/, logs) and clock
    MessageTable messages;   // in the current language
    AddressList users;       // rows of lvAdressen
    // The day list; called once the credentials are set (the window's BuildDayList).
    std::function<DayList()> buildDayList;
    SessionFactory createSession;
};

// cmdEintragen: tests that a session can be created, reads "Version" and runs the variant.
RunResult WriteRun(const WriteRunInput& input, RunObserver& observer);
RunResult WriteRunGW65(const WriteRunInput& input, RunObserver& observer);
RunResult WriteRunGW702(const WriteRunInput& input, RunObserver& observer);

// Deletes the first entry that Marvolingen wrote on that day with that subject.
// Errors (gw::Error) reach the caller.
void DeleteExistingEntry(gw::Account& account, const QString& dateText, const QString& subject);
void DeleteExistingEntry(gw::Messages& messages, const QString& dateText, const QString& subject);

struct DeleteAllInput {
    Environment environment;
    MessageTable messages;
    AddressList users;
    QString yearText; // the year; its leading number counts (callers pass the accepted year)
    SessionFactory createSession;
};

// The delete-all run of the year. The caller asks MsgConfirmDeleteAll first and calls
// this only on Yes.
RunResult DeleteAllRun(const DeleteAllInput& input, RunObserver& observer);

struct DeleteDayInput {
    Environment environment;
    AddressList users;
    DayEntry furtherDay; // the removed row of lvWeitereTage
    QString yearText;    // replaces "*" of a yearly date
    SessionFactory createSession;
};

struct DeleteDayResult {
    enum class Status {
        Done,        // every user searched: remove the row from lvWeitereTage
        NoGroupWise, // MsgNoGroupWise, end the program
        Failed,      // stopped at a failure: the row stays, later users were not searched
    };
    Status status = Status::Done;
    int errorNumber = 0;
    QString errorCause;
    QString failedUser; // empty when the failure came before the first user
};

// The GroupWise part of removing a further day (after Yes to MsgConfirmDeleteEntry).
DeleteDayResult DeleteFurtherDayEntries(const DeleteDayInput& input);

// Start and duration of an appointment row "hh:mm - hh:mm" on a date text.
struct AppointmentTimes {
    QDateTime start;
    double durationDays = 0.0;
    bool wholeDay = false; // the time ended with "24:00"
};
// Throws gw::Error (13, type mismatch) when the date or start cannot be read.
AppointmentTimes appointmentTimes(const QString& dateText, const QString& time);

// The factory's session, or gw::createSession's when there is no factory.
std::unique_ptr<gw::Session> openSession(const SessionFactory& factory,
                                         const QString& programFolder);

} // namespace mv
