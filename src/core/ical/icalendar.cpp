#include "ical/icalendar.h"

#include "calendar/dates.h"
#include "groupwise/groupwise.h"
#include "groupwise/runs.h"
#include "ui/messages.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QSaveFile>
#include <QTimeZone>
#include <libical/ical.h>

#include <memory>
#include <optional>

namespace mv::ical {

namespace {

const char* const kSenderProperty = "X-MARVOLINGEN-SENDER";
const char* const kSenderText = "Marvolingen";

struct ComponentFree {
    void operator()(icalcomponent* c) const { icalcomponent_free(c); }
};
using Component = std::unique_ptr<icalcomponent, ComponentFree>;

QByteArray textOf(icalcomponent* c) {
    char* s = icalcomponent_as_ical_string_r(c);
    QByteArray text(s);
    icalmemory_free_buffer(s);
    return text;
}

icaltimetype dateValue(const QDate& d) {
    icaltimetype t = icaltime_null_date();
    t.year = d.year();
    t.month = d.month();
    t.day = d.day();
    return t;
}

// A local wall-clock time; its zone is named by a TZID parameter, not by the value.
icaltimetype dateTimeValue(const QDateTime& dt) {
    icaltimetype t = icaltime_null_time();
    t.year = dt.date().year();
    t.month = dt.date().month();
    t.day = dt.date().day();
    t.hour = dt.time().hour();
    t.minute = dt.time().minute();
    t.second = dt.time().second();
    return t;
}

icalproperty* xProperty(const char* name, const QByteArray& value) {
    icalproperty* p = icalproperty_new_x(value.constData());
    icalproperty_set_x_name(p, name);
    return p;
}

QString message(const ExportOptions& o, Msg m) {
    return MessageTable::in(o.language, m);
}

// The zone of timed rows: libical's built-in data under the IANA id, or UTC.
struct Zone {
    QByteArray id;                // empty for UTC
    icaltimezone* zone = nullptr; // owned by libical
};

Zone zoneFor(const ExportOptions& options) {
    const QByteArray id =
        options.timeZoneId.isEmpty() ? QTimeZone::systemTimeZoneId() : options.timeZoneId.toUtf8();
    if (id.isEmpty())
        return {};
    icaltimezone* z = icaltimezone_get_builtin_timezone(id.constData());
    if (!z || z == icaltimezone_get_utc_timezone())
        return {};
    return Zone{id, z};
}

// The zone's VTIMEZONE from the start of the earliest year on, under the IANA id, so that
// the TZID reads the same as Qt's and the file stays small.
icalcomponent* vtimezone(const Zone& zone, int fromYear) {
    icalcomponent* vtz = icalcomponent_new_clone(icaltimezone_get_component(zone.zone));
    icaltimetype start = icaltime_null_time();
    start.year = fromYear - 1;
    start.month = 12;
    start.day = 1;
    start.zone = icaltimezone_get_utc_timezone();
    icaltimezone_truncate_vtimezone(vtz, start, icaltime_null_time(), 0);
    icalproperty* tzid = icalcomponent_get_first_property(vtz, ICAL_TZID_PROPERTY);
    icalproperty_set_tzid(tzid, zone.id.constData());
    return vtz;
}

// A row read as the write run reads it.
struct Reading {
    QDate date;
    bool dateOnly = false; // note or whole-day
    bool note = false;
    QDateTime start, end; // wall-clock times of a timed appointment
};

QString rowText(const DayEntry& row) {
    return row.date + QStringLiteral(" ") + row.designation;
}

Result<Reading> readRow(const DayEntry& row, const ExportOptions& options) {
    Reading r;
    r.date = parseDate(row.date);
    if (!r.date.isValid())
        return fail(message(options, Msg::IcalDateUnreadable).arg(row.date, row.designation));
    if (row.isNote()) {
        r.note = true;
        r.dateOnly = true;
        return r;
    }
    auto timeFailure = [&] {
        return fail(message(options, Msg::IcalTimeUnreadable).arg(row.time, rowText(row)));
    };
    AppointmentTimes times;
    try {
        times = appointmentTimes(row.date, row.time);
    } catch (const gw::Error&) {
        return timeFailure();
    }
    if (times.wholeDay) {
        r.dateOnly = true;
        return r;
    }
    const qint64 seconds = qRound64(times.durationDays * 86400.0);
    if (seconds < 0)
        return timeFailure(); // an end before the start has no iCalendar form
    r.start = times.start;
    r.end = times.start.addSecs(seconds);
    return r;
}

icalproperty* timed(icalproperty* p, const Zone& zone, icaltimetype t) {
    if (zone.id.isEmpty()) {
        t.zone = icaltimezone_get_utc_timezone();
        icalproperty_set_value(p, icalvalue_new_datetime(t));
    } else {
        icalproperty_add_parameter(p, icalparameter_new_tzid(zone.id.constData()));
    }
    return p;
}

icalcomponent* vevent(const DayEntry& row, const Reading& r, const Zone& zone,
                      const QDateTime& stamp) {
    icalcomponent* ev = icalcomponent_new(ICAL_VEVENT_COMPONENT);
    icalcomponent_add_property(ev, icalproperty_new_uid(uidFor(row).toUtf8().constData()));
    icaltimetype st = dateTimeValue(stamp);
    st.zone = icaltimezone_get_utc_timezone();
    icalcomponent_add_property(ev, icalproperty_new_dtstamp(st));
    if (r.dateOnly) {
        icalcomponent_add_property(ev, icalproperty_new_dtstart(dateValue(r.date)));
        icalcomponent_add_property(ev, icalproperty_new_dtend(dateValue(r.date.addDays(1))));
    } else {
        const icaltimetype s = dateTimeValue(r.start), e = dateTimeValue(r.end);
        icalcomponent_add_property(ev, timed(icalproperty_new_dtstart(s), zone, s));
        icalcomponent_add_property(ev, timed(icalproperty_new_dtend(e), zone, e));
    }
    icalcomponent_add_property(ev, icalproperty_new_summary(row.designation.toUtf8().constData()));
    if (!row.place.isEmpty())
        icalcomponent_add_property(ev, icalproperty_new_location(row.place.toUtf8().constData()));
    icalcomponent_add_property(
        ev, icalproperty_new_transp(r.dateOnly ? ICAL_TRANSP_TRANSPARENT : ICAL_TRANSP_OPAQUE));
    icalcomponent_add_property(ev, xProperty(kSenderProperty, kSenderText));
    return ev;
}

Component vcalendar(const QString& name) {
    Component cal(icalcomponent_new(ICAL_VCALENDAR_COMPONENT));
    icalcomponent_add_property(cal.get(), icalproperty_new_version("2.0"));
    icalcomponent_add_property(
        cal.get(), icalproperty_new_prodid("-//Marvolingen//Marvolingen " MV_VERSION "//DE"));
    icalcomponent_add_property(cal.get(), icalproperty_new_calscale("GREGORIAN"));
    if (!name.isEmpty())
        icalcomponent_add_property(cal.get(), xProperty("X-WR-CALNAME", name.toUtf8()));
    return cal;
}

QDateTime stampOf(const ExportOptions& options) {
    const QDateTime stamp =
        options.stamp.isValid() ? options.stamp : QDateTime::currentDateTimeUtc();
    return stamp.toUTC();
}

Result<QByteArray> build(const DayList& rows, const ExportOptions& options,
                         const QString& calendarName) {
    const Zone zone = zoneFor(options);
    QList<Reading> readings;
    readings.reserve(rows.size());
    std::optional<int> firstTimedYear;
    for (const DayEntry& row : rows) {
        Result<Reading> r = readRow(row, options);
        if (!r)
            return r.failure();
        if (!r->dateOnly && (!firstTimedYear || r->date.year() < *firstTimedYear))
            firstTimedYear = r->date.year();
        readings.append(std::move(r).value());
    }
    // The last row of a date and designation stands, as after a write run.
    QHash<QString, qsizetype> lastOf;
    for (qsizetype i = 0; i < rows.size(); ++i)
        lastOf.insert(uidFor(rows[i]), i);

    const QDateTime stamp = stampOf(options);
    Component cal = vcalendar(calendarName);
    if (firstTimedYear && !zone.id.isEmpty())
        icalcomponent_add_component(cal.get(), vtimezone(zone, *firstTimedYear));
    for (qsizetype i = 0; i < rows.size(); ++i) {
        if (lastOf.value(uidFor(rows[i])) == i)
            icalcomponent_add_component(cal.get(), vevent(rows[i], readings[i], zone, stamp));
    }
    return textOf(cal.get());
}

bool carriesMark(icalcomponent* c) {
    for (icalproperty* p = icalcomponent_get_first_property(c, ICAL_X_PROPERTY); p;
         p = icalcomponent_get_next_property(c, ICAL_X_PROPERTY)) {
        const char* name = icalproperty_get_x_name(p);
        const char* value = icalproperty_get_x(p);
        if (name && value && qstricmp(name, kSenderProperty) == 0 &&
            qstrcmp(value, kSenderText) == 0)
            return true;
    }
    return false;
}

bool holdsMarkedEvent(icalcomponent* c) {
    if (icalcomponent_isa(c) == ICAL_VEVENT_COMPONENT && carriesMark(c))
        return true;
    for (icalcomponent* sub = icalcomponent_get_first_component(c, ICAL_ANY_COMPONENT); sub;
         sub = icalcomponent_get_next_component(c, ICAL_ANY_COMPONENT)) {
        if (holdsMarkedEvent(sub))
            return true;
    }
    return false;
}

} // namespace

QString uidFor(const DayEntry& row) {
    const QDate date = parseDate(row.date);
    if (!date.isValid())
        return QString();
    const QByteArray hash =
        QCryptographicHash::hash(row.designation.toUtf8(), QCryptographicHash::Sha256).toHex();
    return date.toString(QStringLiteral("yyyyMMdd")) + QLatin1Char('-') +
           QString::fromLatin1(hash.left(32)) + QStringLiteral("@marvolingen");
}

Result<QByteArray> calendarText(const DayList& rows, const ExportOptions& options) {
    if (!isYearInRange(options.year))
        return fail(message(options, Msg::YearRange));
    return build(rows, options, QStringLiteral("Marvolingen ") + QString::number(options.year));
}

Result<QByteArray> eventText(const DayEntry& row, const ExportOptions& options) {
    return build(DayList{row}, options, QString());
}

bool isMarvolingenObject(const QByteArray& icalText) {
    Component root(icalparser_parse_string(icalText.constData()));
    return root && holdsMarkedEvent(root.get());
}

QString calendarFileName(int year) {
    return QStringLiteral("Marvolingen-%1.ics").arg(year);
}

Result<void> writeCalendarFile(const QString& path, const DayList& rows,
                               const ExportOptions& options) {
    const Result<QByteArray> text = calendarText(rows, options);
    if (!text)
        return text.failure();
    const QString native = QDir::toNativeSeparators(path);
    const QFileInfo info(path);
    if (!info.absoluteDir().exists())
        return fail(message(options, Msg::IcalNoFolder).arg(native));
    QSaveFile file(path);
    // Unbuffered, so that a short write shows before the commit replaces the old file.
    bool written = file.open(QIODevice::WriteOnly | QIODevice::Unbuffered) &&
                   file.write(*text) == text->size();
    QString reason = file.errorString();
    if (written) {
        written = file.commit();
        reason = file.errorString();
    } else {
        file.cancelWriting();
    }
    if (!written)
        return fail(message(options, Msg::IcalFileNotWritten).arg(native, reason));
    return {};
}

} // namespace mv::ical
