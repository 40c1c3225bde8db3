#include "caldav/discovery.h"

#include "caldav/davxml.h"
#include "ui/messages.h"

#include <QSet>
#include <algorithm>

namespace mv::caldav {

namespace {

const QString kPrincipal = clark(kDav, "principal");
const QString kCalendar = clark(kCalDav, "calendar");
const QString kCurrentUserPrincipal = clark(kDav, "current-user-principal");
const QString kPrincipalCollectionSet = clark(kDav, "principal-collection-set");
const QString kCalendarHomeSet = clark(kCalDav, "calendar-home-set");
const QString kDisplayName = clark(kDav, "displayname");
const QString kResourceType = clark(kDav, "resourcetype");
const QString kComponents = clark(kCalDav, "supported-calendar-component-set");

Request propfind(const QUrl& url, int depth, const QList<QPair<const char*, const char*>>& props) {
    Request r;
    r.verb = "PROPFIND";
    r.url = url;
    r.depth = depth;
    r.contentType = "application/xml; charset=utf-8";
    r.body = propfindBody(props);
    return r;
}

struct Failed {
    QString message;
    bool unauthorized = false;
};

QString problemText(const Client& client, const Response& r, const QString& what) {
    if (r.unauthorized())
        return loginRefusedText(client.language());
    return what + QStringLiteral(": ") + r.describe(client.language());
}

QString lastSegment(const QString& href) {
    QString path = QUrl(href, QUrl::TolerantMode).path();
    while (path.endsWith(u'/'))
        path.chop(1);
    return path.section(u'/', -1);
}

// Normalised path of an href, for comparing two hrefs of one server.
QString pathKey(const Client& client, const QString& href) {
    QString path = client.resolve(href).path(QUrl::FullyDecoded);
    if (!path.endsWith(u'/'))
        path += u'/';
    return path;
}

struct Principal {
    QString href;
    QString name;
    QStringList homes;
};

bool acceptsEvents(const DavResponse& r) {
    if (!r.has(kComponents))
        return true; // no restriction declared
    const QStringList comps = r.prop(kComponents).components;
    return std::any_of(comps.begin(), comps.end(), [](const QString& c) {
        return c.compare(u"VEVENT", Qt::CaseInsensitive) == 0;
    });
}

} // namespace

QString loginRefusedText(Language language, const QString& user) {
    QString text = MessageTable::in(language, Msg::CalDavLoginRefused);
    if (!user.isEmpty())
        text += QStringLiteral(" (") + user + u')';
    return text;
}

Result<CalendarList> discoverCalendars(Client& client) {
    const Language language = client.language();
    // The principal of the account: from the given URL, else from the well-known address.
    QString principalHref;
    QStringList collectionSets;
    QList<QUrl> starts{client.serverUrl()};
    QUrl wellKnown = client.serverUrl();
    wellKnown.setPath(QStringLiteral("/.well-known/caldav"));
    wellKnown.setQuery(QString());
    starts.append(wellKnown);
    QString lastProblem;
    for (const QUrl& start : starts) {
        const Response r = client.send(propfind(
            start, 0, {{kDav, "current-user-principal"}, {kDav, "principal-collection-set"}}));
        if (r.unauthorized())
            return fail(loginRefusedText(language));
        if (!r.success()) {
            lastProblem = problemText(client, r, start.toString());
            continue;
        }
        auto parsed = parseMultistatus(r.body);
        if (!parsed) {
            lastProblem = start.toString() + QStringLiteral(": ") + parsed.error();
            continue;
        }
        for (const DavResponse& d : *parsed) {
            if (principalHref.isEmpty() && !d.prop(kCurrentUserPrincipal).hrefs.isEmpty())
                principalHref = d.prop(kCurrentUserPrincipal).hrefs.first();
            collectionSets += d.prop(kPrincipalCollectionSet).hrefs;
        }
        if (!principalHref.isEmpty())
            break;
    }
    if (principalHref.isEmpty())
        return fail(
            MessageTable::in(language, Msg::CalDavNoAccount) +
            (lastProblem.isEmpty() ? QString() : QStringLiteral(" (") + lastProblem + u')'));

    const QList<QPair<const char*, const char*>> principalProps{
        {kDav, "resourcetype"}, {kDav, "displayname"}, {kCalDav, "calendar-home-set"}};
    QList<Principal> principals;
    QSet<QString> seenPrincipals;
    auto addPrincipal = [&](const DavResponse& d, bool withHome) {
        const QString key = pathKey(client, d.href);
        if (seenPrincipals.contains(key))
            return;
        seenPrincipals.insert(key);
        Principal p;
        p.href = d.href;
        p.name = d.prop(kDisplayName).text.trimmed();
        if (p.name.isEmpty())
            p.name = lastSegment(d.href);
        if (withHome)
            p.homes = d.prop(kCalendarHomeSet).hrefs;
        principals.append(p);
    };

    // The account's own principal first.
    {
        const Response r = client.send(propfind(client.resolve(principalHref), 0, principalProps));
        if (r.unauthorized())
            return fail(loginRefusedText(language));
        if (!r.success())
            return fail(problemText(client, r, principalHref));
        auto parsed = parseMultistatus(r.body);
        if (!parsed)
            return fail(principalHref + QStringLiteral(": ") + parsed.error());
        for (DavResponse d : *parsed) {
            d.href = principalHref;
            addPrincipal(d, true);
            break;
        }
    }
    // Everyone the account may list; a collection it may not read is passed over.
    collectionSets.removeDuplicates();
    for (const QString& set : std::as_const(collectionSets)) {
        const Response r = client.send(propfind(client.resolve(set), 1, principalProps));
        if (r.unauthorized())
            return fail(loginRefusedText(language));
        if (!r.success())
            continue;
        auto parsed = parseMultistatus(r.body);
        if (!parsed)
            continue;
        for (const DavResponse& d : *parsed) {
            if (d.prop(kResourceType).children.contains(kPrincipal))
                addPrincipal(d, false);
        }
    }
    // A listing may name the listed collection as everyone's home (Radicale does), so each
    // principal is asked for its own.
    QList<Request> lookups;
    QList<qsizetype> lookupOf;
    for (qsizetype i = 0; i < principals.size(); ++i) {
        if (principals[i].homes.isEmpty()) {
            lookups.append(
                propfind(client.resolve(principals[i].href), 0, {{kCalDav, "calendar-home-set"}}));
            lookupOf.append(i);
        }
    }
    bool refused = false;
    client.sendAll(lookups, 6, [&](qsizetype index, const Response& r) {
        if (r.unauthorized()) {
            refused = true;
            return false;
        }
        if (auto parsed = r.success() ? parseMultistatus(r.body)
                                      : Result<QList<DavResponse>>(fail(QString()))) {
            for (const DavResponse& d : *parsed)
                principals[lookupOf[index]].homes += d.prop(kCalendarHomeSet).hrefs;
        }
        return true;
    });
    if (refused)
        return fail(loginRefusedText(language));

    // The calendars in every home.
    QList<Request> homes;
    QList<qsizetype> homeOf;
    QSet<QString> seenHomes;
    for (qsizetype i = 0; i < principals.size(); ++i) {
        for (const QString& home : std::as_const(principals[i].homes)) {
            if (seenHomes.contains(pathKey(client, home)))
                continue;
            seenHomes.insert(pathKey(client, home));
            homes.append(propfind(client.resolve(home), 1,
                                  {{kDav, "resourcetype"},
                                   {kDav, "displayname"},
                                   {kCalDav, "supported-calendar-component-set"}}));
            homeOf.append(i);
        }
    }
    CalendarList calendars;
    QSet<QString> seenCalendars;
    client.sendAll(homes, 6, [&](qsizetype index, const Response& r) {
        if (r.unauthorized()) {
            refused = true;
            return false;
        }
        if (!r.success())
            return true;
        auto parsed = parseMultistatus(r.body);
        if (!parsed)
            return true;
        for (const DavResponse& d : *parsed) {
            if (!d.prop(kResourceType).children.contains(kCalendar) || !acceptsEvents(d))
                continue;
            const QString key = pathKey(client, d.href);
            if (seenCalendars.contains(key))
                continue;
            seenCalendars.insert(key);
            calendars.append(
                {d.href, principals[homeOf[index]].name, d.prop(kDisplayName).text.trimmed()});
        }
        return true;
    });
    if (refused)
        return fail(loginRefusedText(language));
    std::sort(calendars.begin(), calendars.end(),
              [](const CalendarRef& a, const CalendarRef& b) { return a.path < b.path; });
    return calendars;
}

CalendarCheck checkCalendar(Client& client, const QString& path) {
    CalendarCheck out;
    const Response r = client.send(
        propfind(client.resolve(path), 0,
                 {{kDav, "resourcetype"}, {kCalDav, "supported-calendar-component-set"}}));
    if (r.unauthorized()) {
        out.unauthorized = true;
        out.problem = loginRefusedText(client.language());
        return out;
    }
    if (!r.success()) {
        out.problem = r.describe(client.language());
        return out;
    }
    auto parsed = parseMultistatus(r.body);
    if (!parsed) {
        out.problem = parsed.error();
        return out;
    }
    for (const DavResponse& d : *parsed) {
        if (d.prop(kResourceType).children.contains(kCalendar) && acceptsEvents(d)) {
            out.ok = true;
            return out;
        }
    }
    out.problem = MessageTable::in(client.language(), Msg::CalDavNoEventCalendar);
    return out;
}

} // namespace mv::caldav
