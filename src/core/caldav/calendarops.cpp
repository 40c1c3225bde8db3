#include "caldav/calendarops.h"

#include "caldav/davxml.h"
#include "calendar/dates.h"
#include "ical/icalendar.h"
#include "ui/messages.h"

#include <QHash>
#include <libical/ical.h>

#include <memory>

namespace mv::caldav {

namespace {

struct ComponentFree {
    void operator()(icalcomponent* c) const { icalcomponent_free(c); }
};

// A day's objects start at most this far from the day in UTC, whatever their zone.
constexpr int kZoneSlackSecs = 15 * 3600;

QString utcStamp(const QDateTime& t) {
    return t.toUTC().toString(QStringLiteral("yyyyMMdd'T'HHmmss'Z'"));
}

const QString kMarkName = QStringLiteral("X-MARVOLINGEN-SENDER");
const QString kMarkValue = QStringLiteral("Marvolingen");

OpError errorOf(const Client& client, const Response& r) {
    return OpError{r.status, r.describe(client.language())};
}

struct Found {
    QString href;
    QByteArray etag;
    ObjectInfo info;
};

// The objects of the calendar starting in [from, to) that carry the mark. The server is
// asked to filter by the mark; the caller checks it again.
struct Listing {
    QList<Found> objects;
    std::optional<Response> refused;
};

Listing listMarked(Client& client, const QString& calendarPath, const QDate& from,
                   const QDate& to) {
    Request r;
    r.verb = "REPORT";
    r.url = client.resolve(calendarPath);
    r.depth = 1;
    r.contentType = "application/xml; charset=utf-8";
    const QString start = utcStamp(QDateTime(from, QTime(0, 0), Qt::UTC).addSecs(-kZoneSlackSecs));
    const QString end = utcStamp(QDateTime(to, QTime(0, 0), Qt::UTC).addSecs(kZoneSlackSecs));
    r.body = calendarQueryBody(start, end, kMarkName, kMarkValue);
    Response response = client.send(r);
    if (response.status == 400 || response.status == 422 || response.status == 501) {
        // A server that cannot filter by the property is asked for the whole range.
        r.body = calendarQueryBody(start, end, QString(), QString());
        response = client.send(r);
    }
    Listing out;
    if (!response.success()) {
        out.refused = response;
        return out;
    }
    auto parsed = parseMultistatus(response.body);
    if (!parsed) {
        response.status = 0;
        response.error = parsed.error();
        out.refused = response;
        return out;
    }
    const QString etagKey = clark(kDav, "getetag");
    const QString dataKey = clark(kCalDav, "calendar-data");
    for (const DavResponse& d : *parsed) {
        if (!d.has(dataKey))
            continue;
        const auto info = readObject(d.prop(dataKey).text.toUtf8());
        if (!info || !info->ours || info->start < from || info->start >= to)
            continue;
        out.objects.append({d.href, d.prop(etagKey).text.trimmed().toUtf8(), *info});
    }
    return out;
}

QString objectHref(const QString& calendarPath, const QString& uid) {
    QString base = calendarPath;
    if (!base.endsWith(u'/'))
        base += u'/';
    return base + QString::fromLatin1(QUrl::toPercentEncoding(uid, "@")) + QStringLiteral(".ics");
}

Request put(const Client& client, const QString& href, const QByteArray& body) {
    Request r;
    r.verb = "PUT";
    r.url = client.resolve(href);
    r.body = body;
    r.contentType = "text/calendar; charset=utf-8";
    return r;
}

DeleteOutcome deleteFound(Client& client, const QList<Found>& found) {
    DeleteOutcome out;
    QList<Request> requests;
    for (const Found& f : found) {
        Request r;
        r.verb = "DELETE";
        r.url = client.resolve(f.href);
        r.ifMatch = f.etag;
        requests.append(r);
        out.deletions.append({f.info.summary, std::nullopt});
    }
    QList<bool> answered(requests.size(), false);
    client.sendAll(requests, kInFlight, [&](qsizetype i, const Response& r) {
        answered[i] = true;
        if (r.unauthorized())
            out.unauthorized = true;
        // Gone already is what was wanted.
        if (!r.success() && r.status != 404)
            out.deletions[i].failure = errorOf(client, r);
        return !out.unauthorized;
    });
    for (qsizetype i = 0; i < answered.size(); ++i) {
        if (!answered[i])
            out.deletions[i].failure =
                OpError{401, MessageTable::in(client.language(), Msg::CalDavNotSent)};
    }
    return out;
}

} // namespace

std::optional<ObjectInfo> readObject(const QByteArray& icalText) {
    std::unique_ptr<icalcomponent, ComponentFree> root(
        icalparser_parse_string(icalText.constData()));
    if (!root)
        return std::nullopt;
    icalcomponent* event =
        icalcomponent_isa(root.get()) == ICAL_VEVENT_COMPONENT
            ? root.get()
            : icalcomponent_get_first_component(root.get(), ICAL_VEVENT_COMPONENT);
    if (!event)
        return std::nullopt;
    ObjectInfo info;
    if (const char* uid = icalcomponent_get_uid(event))
        info.uid = QString::fromUtf8(uid);
    if (const char* summary = icalcomponent_get_summary(event))
        info.summary = QString::fromUtf8(summary);
    const icaltimetype start = icalcomponent_get_dtstart(event);
    if (!icaltime_is_null_time(start))
        info.start = QDate(start.year, start.month, start.day);
    info.ours = ical::isMarvolingenObject(icalText);
    return info;
}

WriteOutcome writeDays(Client& client, const QString& calendarPath, const DayList& rows, int year,
                       const QString& timeZoneId) {
    WriteOutcome out;
    out.days.resize(rows.size());
    const Language language = client.language();
    const Listing listing =
        listMarked(client, calendarPath, QDate(year, 1, 1), QDate(year + 1, 1, 1));
    if (listing.refused) {
        out.unauthorized = listing.refused->unauthorized();
        out.failure = errorOf(client, *listing.refused);
        return out;
    }
    QHash<QString, Found> existing;
    for (const Found& f : listing.objects)
        existing.insert(f.info.uid, f);

    // One object per UID: rows of the same date and designation are one entry, the last
    // of them stands.
    struct Object {
        QString uid;
        QString href;
        QByteArray body;
        QList<qsizetype> rows;
    };
    QList<Object> objects;
    QHash<QString, qsizetype> objectOf;
    const QDateTime stamp = QDateTime::currentDateTimeUtc();
    for (qsizetype i = 0; i < rows.size(); ++i) {
        const QString uid = ical::uidFor(rows[i]);
        const auto body =
            ical::eventText(rows[i], ical::ExportOptions{year, timeZoneId, stamp, language});
        if (uid.isEmpty() || !body) {
            out.days[i] = OpError{13, body ? MessageTable::in(language, Msg::CalDavDateUnreadable)
                                           : body.error()};
            continue;
        }
        qsizetype index = objectOf.value(uid, -1);
        if (index < 0) {
            index = objects.size();
            objectOf.insert(uid, index);
            objects.append(
                {uid,
                 existing.contains(uid) ? existing[uid].href : objectHref(calendarPath, uid),
                 {},
                 {}});
        }
        objects[index].body = *body;
        objects[index].rows.append(i);
    }

    QList<Request> requests;
    for (const Object& o : objects) {
        Request r = put(client, o.href, o.body);
        if (existing.contains(o.uid))
            r.ifMatch = existing[o.uid].etag;
        else
            r.ifNoneMatch = true;
        requests.append(r);
    }
    QList<std::optional<OpError>> result(
        objects.size(), OpError{0, MessageTable::in(language, Msg::CalDavNotSent)});
    QList<qsizetype> conflicts;
    auto finish = [&](qsizetype i, const Response& r) {
        if (r.unauthorized())
            out.unauthorized = true;
        if (r.success())
            result[i].reset();
        else if (r.status == 412)
            conflicts.append(i); // there is an object under the name after all
        else
            result[i] = errorOf(client, r);
        return !out.unauthorized;
    };
    client.sendAll(requests, kInFlight, finish);

    // An object that changed or appeared since the listing is read once: this program's
    // own is replaced, anything else stays.
    if (!conflicts.isEmpty() && !out.unauthorized) {
        QList<Request> gets;
        for (qsizetype i : std::as_const(conflicts)) {
            Request g;
            g.verb = "GET";
            g.url = requests[i].url;
            gets.append(g);
        }
        QList<Request> replaces;
        QList<qsizetype> replaceOf;
        client.sendAll(gets, kInFlight, [&](qsizetype k, const Response& r) {
            const qsizetype i = conflicts[k];
            if (r.unauthorized()) {
                out.unauthorized = true;
                return false;
            }
            const auto info = r.success() ? readObject(r.body) : std::nullopt;
            if (!r.success()) {
                result[i] = errorOf(client, r);
            } else if (!info || !info->ours || info->uid != objects[i].uid || r.etag.isEmpty()) {
                result[i] = OpError{412, MessageTable::in(language, Msg::CalDavForeignEntry)};
            } else {
                Request p = requests[i];
                p.ifNoneMatch = false;
                p.ifMatch = r.etag;
                replaces.append(p);
                replaceOf.append(i);
            }
            return true;
        });
        client.sendAll(replaces, kInFlight, [&](qsizetype k, const Response& r) {
            finish(replaceOf[k], r);
            if (r.status == 412)
                result[replaceOf[k]] = errorOf(client, r); // changed again: no second try
            return !out.unauthorized;
        });
    }
    for (qsizetype o = 0; o < objects.size(); ++o) {
        for (qsizetype i : std::as_const(objects[o].rows))
            out.days[i] = result[o];
    }
    return out;
}

DeleteOutcome deleteYear(Client& client, const QString& calendarPath, int year) {
    const Listing listing =
        listMarked(client, calendarPath, QDate(year, 1, 1), QDate(year + 1, 1, 1));
    if (listing.refused) {
        DeleteOutcome out;
        out.unauthorized = listing.refused->unauthorized();
        out.failure = errorOf(client, *listing.refused);
        return out;
    }
    return deleteFound(client, listing.objects);
}

DeleteOutcome deleteDay(Client& client, const QString& calendarPath, const DayEntry& row,
                        int year) {
    DayEntry day = row;
    if (day.date.endsWith(QStringLiteral(".*")))
        day.date.replace(u'*', QString::number(year));
    const QDate date = parseDate(day.date);
    const QString uid = ical::uidFor(day);
    DeleteOutcome out;
    if (!date.isValid() || uid.isEmpty()) {
        out.failure = OpError{13, MessageTable::in(client.language(), Msg::CalDavDateUnreadable)};
        return out;
    }
    Listing listing = listMarked(client, calendarPath, date, date.addDays(1));
    if (listing.refused) {
        out.unauthorized = listing.refused->unauthorized();
        out.failure = errorOf(client, *listing.refused);
        return out;
    }
    QList<Found> mine;
    for (const Found& f : std::as_const(listing.objects)) {
        if (f.info.uid == uid)
            mine.append(f);
    }
    return deleteFound(client, mine);
}

} // namespace mv::caldav
