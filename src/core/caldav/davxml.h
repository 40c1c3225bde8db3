#pragma once

#include "ui/result.h"

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

namespace mv::caldav {

inline constexpr const char* kDav = "DAV:";
inline constexpr const char* kCalDav = "urn:ietf:params:xml:ns:caldav";

// "{namespace}name", the key of a property.
QString clark(const char* ns, const char* name);

// One property of a 200 propstat, reduced to what the client reads.
struct DavProp {
    QString text;           // all text below the property
    QStringList hrefs;      // DAV:href elements below it
    QStringList children;   // clark names of its direct child elements
    QStringList components; // name attributes of CalDAV comp elements
};

struct DavResponse {
    QString href;
    int status = 0; // of the response itself, when it carries no propstat
    QHash<QString, DavProp> props;
    bool has(const QString& key) const { return props.contains(key); }
    DavProp prop(const QString& key) const { return props.value(key); }
};

// A WebDAV multistatus body (RFC 4918), namespaces resolved.
Result<QList<DavResponse>> parseMultistatus(const QByteArray& body);

// Request bodies.
QByteArray propfindBody(const QList<QPair<const char*, const char*>>& props);
// calendar-query for VEVENTs overlapping [start, end) (UTC "yyyyMMddTHHmmssZ"), asking
// for getetag and calendar-data; with a text-match on the mark property.
QByteArray calendarQueryBody(const QString& start, const QString& end, const QString& markName,
                             const QString& markValue);

} // namespace mv::caldav
