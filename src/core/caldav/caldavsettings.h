#pragma once

#include "ui/language.h"
#include "ui/result.h"

#include <QList>
#include <QString>

namespace mv {
class ProfileFile;
}

namespace mv::caldav {

// One calendar as discovery lists it and the selection stores it.
struct CalendarRef {
    QString path;  // the server's href
    QString owner; // display name or last path segment of the owning principal
    QString displayName;
    friend bool operator==(const CalendarRef&, const CalendarRef&) = default;
};
using CalendarList = QList<CalendarRef>;

enum class ServerKind { GroupWise, CalDAV };

// The section [CalDAV] of Feiertage.ini.
struct CalDavSettings {
    QString url;
    QString user;
    QString password; // plain; stored enciphered
    QString caFile;
    ServerKind kind = ServerKind::GroupWise;
    CalendarList calendars; // the selection
};

// A file without the section gives the defaults: GroupWise, nothing else.
CalDavSettings LoadCalDavSettings(const ProfileFile& file);
// Replaces the whole section in one write of the file; other sections stay as they are.
// A failure reads in the given language.
Result<void> SaveCalDavSettings(ProfileFile& file, const CalDavSettings& settings,
                                Language language);

} // namespace mv::caldav
