#pragma once

#include "caldav/caldavsettings.h"
#include "caldav/client.h"
#include "ui/result.h"

namespace mv::caldav {

// The calendars the account may see, sorted by path: those of its own calendar home and of
// every principal it may list under the server's principal collection. Only calendar
// collections that accept VEVENT. Fails on a refused login (one clear message) or when no
// principal can be found.
Result<CalendarList> discoverCalendars(Client& client);

// Checks the login and that the path is a calendar collection (PROPFIND, depth 0).
// unauthorized is set on 401.
struct CalendarCheck {
    bool ok = false;
    bool unauthorized = false;
    QString problem;
};
CalendarCheck checkCalendar(Client& client, const QString& path);

// The text of a refused login.
QString loginRefusedText(Language language, const QString& user = QString());

} // namespace mv::caldav
