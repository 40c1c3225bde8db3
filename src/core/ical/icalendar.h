#pragma once

#include "calendar/dayentry.h"
#include "ui/language.h"
#include "ui/result.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>

namespace mv::ical {

struct ExportOptions {
    int year = 0;
    QString
        timeZoneId; // IANA id; empty → the machine's (QTimeZone::systemTimeZoneId()); unknown → UTC
    QDateTime stamp;                      // DTSTAMP; invalid → now (UTC)
    Language language = Language::German; // of the failure messages
};

// The object's identity: "yyyymmdd-" + the first 32 hex digits of the SHA-256 of the
// designation's UTF-8 bytes + "@marvolingen". The date is the row's expanded date; empty
// when it cannot be read.
QString uidFor(const DayEntry& row);

// One VCALENDAR, one VEVENT per row. Rows of the same date and designation are one object
// (the write run, too, leaves one entry for them): the last of them stands.
Result<QByteArray> calendarText(const DayList& rows, const ExportOptions& options);

// One VCALENDAR with one VEVENT (and its VTIMEZONE): a CalDAV resource body.
Result<QByteArray> eventText(const DayEntry& row, const ExportOptions& options);

// Whether the text holds an event carrying X-MARVOLINGEN-SENDER:Marvolingen.
bool isMarvolingenObject(const QByteArray& icalText);

// "Marvolingen-<year>.ics", the name the export offers.
QString calendarFileName(int year);

// Writes calendarText to path, replacing an old file atomically. When the text cannot be
// built, or the folder is missing or cannot be written, the old file stays as it was.
Result<void> writeCalendarFile(const QString& path, const DayList& rows,
                               const ExportOptions& options);

} // namespace mv::ical
