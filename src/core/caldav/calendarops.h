#pragma once

#include "caldav/client.h"
#include "calendar/dayentry.h"

#include <QDate>
#include <QList>
#include <QString>
#include <optional>

namespace mv::caldav {

// A day's or a deletion's failure as the run log shows it: number (the HTTP status, 0 when
// none came) and description.
struct OpError {
    int number = 0;
    QString description;
};

// What a stored object says about itself, read with libical.
struct ObjectInfo {
    QString uid;
    QString summary;
    QDate start;       // the wall-clock date of DTSTART
    bool ours = false; // X-MARVOLINGEN-SENDER:Marvolingen
};
std::optional<ObjectInfo> readObject(const QByteArray& icalText);

// Requests kept under way at once for one calendar.
inline constexpr int kInFlight = 6;

struct CalendarOutcome {
    bool unauthorized = false;      // 401: the run stops
    std::optional<OpError> failure; // the calendar could not be read or written at all
};

// Creates or replaces the object of every row by its UID. An object with the UID that is
// not this program's is never overwritten: that day fails. Outcomes in row order.
struct WriteOutcome : CalendarOutcome {
    QList<std::optional<OpError>> days;
};
WriteOutcome writeDays(Client& client, const QString& calendarPath, const DayList& rows, int year,
                       const QString& timeZoneId = QString());

// This program's objects of the year (checked on the client: the mark and the start date),
// each deleted unless it changed since it was read.
struct Deletion {
    QString summary;
    std::optional<OpError> failure;
};
struct DeleteOutcome : CalendarOutcome {
    QList<Deletion> deletions;
};
DeleteOutcome deleteYear(Client& client, const QString& calendarPath, int year);

// This program's object of one day and designation (a further day being removed).
DeleteOutcome deleteDay(Client& client, const QString& calendarPath, const DayEntry& row, int year);

} // namespace mv::caldav
