#include "calendar/dates.h"
#include "calendar/daylist.h"
#include "ical/icalendar.h"

#include <QDir>
#include <QStringDecoder>
#include <QTemporaryDir>
#include <QTest>
#include <QTimeZone>
#include <libical/ical.h>

#include <memory>

using namespace mv;
using namespace Qt::StringLiterals;

namespace {

struct Free {
    void operator()(icalcomponent* c) const { icalcomponent_free(c); }
};
using Component = std::unique_ptr<icalcomponent, Free>;

Component parse(const QByteArray& text) {
    return Component(icalparser_parse_string(text.constData()));
}

int count(icalcomponent* c, icalcomponent_kind kind) {
    return icalcomponent_count_components(c, kind);
}

icalcomponent* eventWithUid(icalcomponent* cal, const QString& uid) {
    for (icalcomponent* e = icalcomponent_get_first_component(cal, ICAL_VEVENT_COMPONENT); e;
         e = icalcomponent_get_next_component(cal, ICAL_VEVENT_COMPONENT)) {
        if (QString::fromUtf8(icalcomponent_get_uid(e)) == uid)
            return e;
    }
    return nullptr;
}

QString xValue(icalcomponent* c, const char* name) {
    for (icalproperty* p = icalcomponent_get_first_property(c, ICAL_X_PROPERTY); p;
         p = icalcomponent_get_next_property(c, ICAL_X_PROPERTY)) {
        if (qstrcmp(icalproperty_get_x_name(p), name) == 0)
            return QString::fromUtf8(icalproperty_get_x(p));
    }
    return QString();
}

QString tzidOf(icalcomponent* ev, icalproperty_kind kind) {
    icalproperty* p = icalcomponent_get_first_property(ev, kind);
    icalparameter* tz = p ? icalproperty_get_first_parameter(p, ICAL_TZID_PARAMETER) : nullptr;
    return tz ? QString::fromUtf8(icalparameter_get_tzid(tz)) : QString();
}

QDateTime wallClock(const icaltimetype& t) {
    return QDateTime(QDate(t.year, t.month, t.day), QTime(t.hour, t.minute, t.second));
}

// Seconds east of UTC of a parsed time, by the zone the file itself carries.
int utcOffset(icaltimetype t) {
    if (icaltime_is_utc(t) || !t.zone)
        return 0;
    int daylight = 0;
    return icaltimezone_get_utc_offset(const_cast<icaltimezone*>(t.zone), &t, &daylight);
}

ical::ExportOptions options(const QString& zone = QStringLiteral("Europe/Berlin")) {
    ical::ExportOptions o;
    o.year = 2026;
    o.timeZoneId = zone;
    o.stamp = QDateTime(QDate(2026, 12, 10), QTime(11, 0), Qt::UTC);
    return o;
}

DayEntry yearlyFurtherDay() {
    DayListInput in;
    in.country = Country::fromStored(QStringLiteral("USA"));
    in.year = 2026;
    in.yearText = QStringLiteral("2026");
    in.furtherDays = {{u"24.12.*"_s, u"Heiligabend"_s, u"13:00 - 18:00"_s, u"Kirche"_s}};
    return BuildDayList(in).value(0);
}

const QString kSpecial = QStringLiteral("Komma, Semikolon; Backslash\\ \"Zitat\" Äöü ß");
const QString kLong = QStringLiteral("Jahrestag der Gründung des Vereins für Heimatkunde und "
                                     "Brauchtumspflege zu Großmöllenbüttel-Süd, Festakt");

} // namespace

class TestICalendar : public QObject {
    Q_OBJECT
private slots:
    void roundTrip_data();
    void roundTrip();
    void calendarFrame();
    void sameDayAndDesignationIsOneObject();
    void uidStability_data();
    void uidStability();
    void badInput_data();
    void badInput();
    void failureLanguage_data();
    void failureLanguage();
    void resourceBody();
    void mark();
};

void TestICalendar::roundTrip_data() {
    QTest::addColumn<DayEntry>("row");
    QTest::addColumn<QString>("zone");
    QTest::addColumn<bool>("dateOnly");
    QTest::addColumn<QDateTime>("start"); // wall clock; a date-only row: the date at 00:00
    QTest::addColumn<QDateTime>("end");
    QTest::addColumn<int>("offset"); // of the start, seconds east of UTC
    QTest::addColumn<QString>("expectedTzid");

    const QString berlin = QStringLiteral("Europe/Berlin");
    auto at = [](int m, int d, int h, int min) {
        return QDateTime(QDate(2026, m, d), QTime(h, min));
    };
    QTest::newRow("holiday whole-day")
        << DayEntry{u"01.01.2026"_s, u"Neujahr"_s, u"00:00 - 24:00"_s, u""_s} << berlin << true
        << at(1, 1, 0, 0) << at(1, 2, 0, 0) << 0 << QString();
    QTest::newRow("day before the change to summer time")
        << DayEntry{u"28.03.2026"_s, u"Vorabend"_s, u"08:00 - 17:30"_s, u""_s} << berlin << false
        << at(3, 28, 8, 0) << at(3, 28, 17, 30) << 3600 << berlin;
    QTest::newRow("day of the change to summer time")
        << DayEntry{u"29.03.2026"_s, u"Umstellung"_s, u"08:00 - 17:30"_s, u""_s} << berlin << false
        << at(3, 29, 8, 0) << at(3, 29, 17, 30) << 7200 << berlin;
    QTest::newRow("day of the change in New York")
        << DayEntry{u"08.03.2026"_s, u"Spring forward"_s, u"09:15 - 10:00"_s, u""_s}
        << QStringLiteral("America/New_York") << false << at(3, 8, 9, 15) << at(3, 8, 10, 0)
        << -4 * 3600 << QStringLiteral("America/New_York");
    QTest::newRow("unknown zone: UTC")
        << DayEntry{u"29.03.2026"_s, u"Umstellung"_s, u"08:00 - 17:30"_s, u""_s}
        << QStringLiteral("Mars/Olympus_Mons") << false << at(3, 29, 8, 0) << at(3, 29, 17, 30) << 0
        << QString();
    QTest::newRow("note with a place")
        << DayEntry{u"03.10.2026"_s, u"Tag der Deutschen Einheit"_s, u"Note"_s, u"Berlin"_s}
        << berlin << true << at(10, 3, 0, 0) << at(10, 4, 0, 0) << 0 << QString();
    QTest::newRow("yearly further day with a place")
        << yearlyFurtherDay() << berlin << false << at(12, 24, 13, 0) << at(12, 24, 18, 0) << 3600
        << berlin;
    QTest::newRow("special characters")
        << DayEntry{u"05.05.2026"_s, kSpecial, u"10:00 - 11:30"_s, u"Saal; 2, \"Nord\""_s} << berlin
        << false << at(5, 5, 10, 0) << at(5, 5, 11, 30) << 7200 << berlin;
    QTest::newRow("long designation, whole day of the last day")
        << DayEntry{u"31.12.2026"_s, kLong, u"00:00 - 24:00"_s, kLong} << berlin << true
        << at(12, 31, 0, 0) << QDateTime(QDate(2027, 1, 1), QTime(0, 0)) << 0 << QString();
}

void TestICalendar::roundTrip() {
    QFETCH(DayEntry, row);
    QFETCH(QString, zone);
    QFETCH(bool, dateOnly);
    QFETCH(QDateTime, start);
    QFETCH(QDateTime, end);
    QFETCH(int, offset);
    QFETCH(QString, expectedTzid);
    QVERIFY(!row.date.isEmpty());

    const DayEntry neighbour{u"02.02.2026"_s, u"Nachbar"_s, u"Note"_s, u""_s};
    const auto text = ical::calendarText({neighbour, row}, options(zone));
    QVERIFY2(text.ok(), qPrintable(text.ok() ? QString() : text.error()));

    // Folded lines stay within 75 octets and never split a character.
    for (const QByteArray& line : text->split('\n')) {
        QVERIFY2(line.size() <= 76, line.constData()); // 75 and the CR
        QStringDecoder utf8(QStringDecoder::Utf8);
        const QString decoded = utf8(line);
        QVERIFY2(!utf8.hasError(), line.constData());
        Q_UNUSED(decoded);
    }

    Component cal = parse(*text);
    QVERIFY(cal);
    QCOMPARE(count(cal.get(), ICAL_VEVENT_COMPONENT), 2);
    icalcomponent* ev = eventWithUid(cal.get(), ical::uidFor(row));
    QVERIFY(ev);

    const icaltimetype s = icalcomponent_get_dtstart(ev);
    const icaltimetype e = icalcomponent_get_dtend(ev);
    QCOMPARE(bool(s.is_date), dateOnly);
    QCOMPARE(bool(e.is_date), dateOnly);
    QCOMPARE(wallClock(s), start);
    QCOMPARE(wallClock(e), end);
    QCOMPARE(tzidOf(ev, ICAL_DTSTART_PROPERTY), expectedTzid);
    QCOMPARE(tzidOf(ev, ICAL_DTEND_PROPERTY), expectedTzid);
    if (!dateOnly) {
        QCOMPARE(utcOffset(s), offset);
        QCOMPARE(bool(icaltime_is_utc(s)), expectedTzid.isEmpty());
    }
    QCOMPARE(count(cal.get(), ICAL_VTIMEZONE_COMPONENT), expectedTzid.isEmpty() ? 0 : 1);

    QCOMPARE(
        icalcomponent_get_first_property(ev, ICAL_TRANSP_PROPERTY)
            ? icalproperty_get_transp(icalcomponent_get_first_property(ev, ICAL_TRANSP_PROPERTY))
            : ICAL_TRANSP_NONE,
        dateOnly ? ICAL_TRANSP_TRANSPARENT : ICAL_TRANSP_OPAQUE);
    QCOMPARE(QString::fromUtf8(icalcomponent_get_summary(ev)), row.designation);
    icalproperty* location = icalcomponent_get_first_property(ev, ICAL_LOCATION_PROPERTY);
    QCOMPARE(location != nullptr, !row.place.isEmpty());
    if (location)
        QCOMPARE(QString::fromUtf8(icalproperty_get_location(location)), row.place);
    QCOMPARE(xValue(ev, "X-MARVOLINGEN-SENDER"), QStringLiteral("Marvolingen"));
    QCOMPARE(wallClock(icalcomponent_get_dtstamp(ev)),
             QDateTime(QDate(2026, 12, 10), QTime(11, 0)));
    QVERIFY(icaltime_is_utc(icalcomponent_get_dtstamp(ev)));
    for (icalproperty_kind k : {ICAL_ORGANIZER_PROPERTY, ICAL_ATTENDEE_PROPERTY})
        QVERIFY(!icalcomponent_get_first_property(ev, k));
    QCOMPARE(count(ev, ICAL_VALARM_COMPONENT), 0);
}

void TestICalendar::calendarFrame() {
    const auto text = ical::calendarText({}, options());
    QVERIFY(text.ok());
    Component cal = parse(*text);
    QVERIFY(cal);
    QCOMPARE(icalcomponent_isa(cal.get()), ICAL_VCALENDAR_COMPONENT);
    QCOMPARE(count(cal.get(), ICAL_VEVENT_COMPONENT), 0);
    QCOMPARE(QByteArray(icalproperty_get_version(
                 icalcomponent_get_first_property(cal.get(), ICAL_VERSION_PROPERTY))),
             QByteArray("2.0"));
    QVERIFY(QByteArray(icalproperty_get_prodid(
                           icalcomponent_get_first_property(cal.get(), ICAL_PRODID_PROPERTY)))
                .contains("Marvolingen"));
    QCOMPARE(QByteArray(icalproperty_get_calscale(
                 icalcomponent_get_first_property(cal.get(), ICAL_CALSCALE_PROPERTY))),
             QByteArray("GREGORIAN"));
    QVERIFY(xValue(cal.get(), "X-WR-CALNAME").contains(QLatin1String("2026")));
}

void TestICalendar::sameDayAndDesignationIsOneObject() {
    // The write run leaves one entry of a date and subject: the last row's.
    const DayList rows{{u"01.05.2026"_s, u"Feier"_s, u"08:00 - 09:00"_s, u""_s},
                       {u"01.05.2026"_s, u"Feier"_s, u"10:00 - 12:00"_s, u""_s},
                       {u"01.05.2026"_s, u"Himmelfahrt"_s, u"Note"_s, u""_s}};
    const auto text = ical::calendarText(rows, options());
    QVERIFY(text.ok());
    Component cal = parse(*text);
    QCOMPARE(count(cal.get(), ICAL_VEVENT_COMPONENT), 2);
    icalcomponent* ev = eventWithUid(cal.get(), ical::uidFor(rows[0]));
    QVERIFY(ev);
    QCOMPARE(wallClock(icalcomponent_get_dtstart(ev)).time(), QTime(10, 0));
}

void TestICalendar::uidStability_data() {
    QTest::addColumn<DayEntry>("first");
    QTest::addColumn<DayEntry>("second");
    QTest::addColumn<bool>("same");
    const DayEntry base{u"24.12.2026"_s, u"Heiligabend"_s, u"13:00 - 18:00"_s, u"Kirche"_s};
    QTest::newRow("same row") << base << base << true;
    QTest::newRow("changed time") << base << DayEntry{base.date, base.designation, u"Note"_s, u""_s}
                                  << true;
    QTest::newRow("changed place")
        << base << DayEntry{base.date, base.designation, base.time, u"Dom"_s} << true;
    QTest::newRow("date without leading zeros")
        << DayEntry{u"01.05.2026"_s, u"Tag der Arbeit"_s, u"Note"_s, u""_s}
        << DayEntry{u"1.5.2026"_s, u"Tag der Arbeit"_s, u"Note"_s, u""_s} << true;
    QTest::newRow("changed designation")
        << base << DayEntry{base.date, u"Heiligabend "_s, base.time, base.place} << false;
    QTest::newRow("changed date") << base
                                  << DayEntry{u"25.12.2026"_s, base.designation, base.time,
                                              base.place}
                                  << false;
}

void TestICalendar::uidStability() {
    QFETCH(DayEntry, first);
    QFETCH(DayEntry, second);
    QFETCH(bool, same);
    ical::ExportOptions later = options();
    later.stamp = later.stamp.addDays(30);
    const auto a = ical::calendarText({first}, options());
    const auto b = ical::calendarText({second}, later);
    QVERIFY(a.ok() && b.ok());
    Component ca = parse(*a), cb = parse(*b);
    const QString uidA = QString::fromUtf8(
        icalcomponent_get_uid(icalcomponent_get_first_component(ca.get(), ICAL_VEVENT_COMPONENT)));
    const QString uidB = QString::fromUtf8(
        icalcomponent_get_uid(icalcomponent_get_first_component(cb.get(), ICAL_VEVENT_COMPONENT)));
    QCOMPARE(uidA, ical::uidFor(first));
    QVERIFY(uidA.endsWith(QLatin1String("@marvolingen")));
    QVERIFY(uidA.startsWith(parseDate(first.date).toString(QStringLiteral("yyyyMMdd-"))));
    QCOMPARE(uidA == uidB, same);
}

void TestICalendar::badInput_data() {
    QTest::addColumn<int>("year");
    QTest::addColumn<DayEntry>("row");
    QTest::addColumn<QString>("inMessage");
    const DayEntry good{u"01.01.2026"_s, u"Neujahr"_s, u"00:00 - 24:00"_s, u""_s};
    QTest::newRow("year before 1583") << 1582 << good << QStringLiteral("1583");
    QTest::newRow("year after 8202") << 8203 << good << QStringLiteral("8202");
    QTest::newRow("no year") << 0 << good << QStringLiteral("1583");
    QTest::newRow("time without colon")
        << 2026 << DayEntry{u"02.01.2026"_s, u"Fest"_s, u"0800 - 1700"_s, u""_s}
        << QStringLiteral("0800");
    QTest::newRow("time words") << 2026 << DayEntry{u"02.01.2026"_s, u"Fest"_s, u"morgens"_s, u""_s}
                                << QStringLiteral("morgens");
    QTest::newRow("end before start")
        << 2026 << DayEntry{u"02.01.2026"_s, u"Fest"_s, u"17:00 - 08:00"_s, u""_s}
        << QStringLiteral("17:00");
    QTest::newRow("date that is none")
        << 2026 << DayEntry{u"31.02.2026"_s, u"Fest"_s, u"Note"_s, u""_s}
        << QStringLiteral("31.02.2026");
}

void TestICalendar::badInput() {
    QFETCH(int, year);
    QFETCH(DayEntry, row);
    QFETCH(QString, inMessage);
    ical::ExportOptions o = options();
    o.year = year;
    const auto text =
        ical::calendarText({{u"01.01.2026"_s, u"Neujahr"_s, u"Note"_s, u""_s}, row}, o);
    QVERIFY(!text.ok());
    QVERIFY2(text.error().contains(inMessage), qPrintable(text.error()));
}

// Where: "text" builds the calendar text; "no folder" and "folder" write a file whose folder
// is missing, or whose name is taken by a folder (%1 in the message is that file).
void TestICalendar::failureLanguage_data() {
    QTest::addColumn<bool>("english");
    QTest::addColumn<QString>("where");
    QTest::addColumn<DayEntry>("row");
    QTest::addColumn<QString>("message"); // the whole text; "folder": its beginning
    const DayEntry badDate{u"31.02.2026"_s, u"Fest"_s, u"Note"_s, u""_s};
    const DayEntry badTime{u"02.01.2026"_s, u"Fest"_s, u"morgens"_s, u""_s};
    const DayEntry good{u"01.01.2026"_s, u"Neujahr"_s, u"00:00 - 24:00"_s, u""_s};
    QTest::newRow("date, German") << false << u"text"_s << badDate
                                  << u"Das Datum \"31.02.2026\" von \"Fest\" ist nicht lesbar."_s;
    QTest::newRow("date, English")
        << true << u"text"_s << badDate << u"The date \"31.02.2026\" of \"Fest\" cannot be read."_s;
    QTest::newRow("time, English") << true << u"text"_s << badTime
                                   << u"The time \"morgens\" of 02.01.2026 Fest cannot be read."_s;
    QTest::newRow("no folder, German")
        << false << u"no folder"_s << good
        << u"Die Datei \"%1\" konnte nicht erstellt werden: Der Ordner existiert nicht."_s;
    QTest::newRow("no folder, English")
        << true << u"no folder"_s << good
        << u"Cannot create the file \"%1\": the folder does not exist."_s;
    QTest::newRow("folder, English")
        << true << u"folder"_s << good << u"Cannot create the file \"%1\": "_s;
}

void TestICalendar::failureLanguage() {
    QFETCH(bool, english);
    QFETCH(QString, where);
    QFETCH(DayEntry, row);
    QFETCH(QString, message);
    ical::ExportOptions o = options();
    o.language = english ? Language::English : Language::German;
    if (where == u"text"_s) {
        const auto text = ical::calendarText({row}, o);
        QVERIFY(!text.ok());
        QCOMPARE(text.error(), message);
        return;
    }
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QString path = dir.filePath(u"missing/Marvolingen-2026.ics"_s);
    if (where == u"folder"_s) {
        path = dir.filePath(u"Marvolingen-2026.ics"_s);
        QVERIFY(QDir(dir.path()).mkdir(u"Marvolingen-2026.ics"_s));
    }
    const auto written = ical::writeCalendarFile(path, {row}, o);
    QVERIFY(!written.ok());
    const QString expected = message.arg(QDir::toNativeSeparators(path));
    if (where == u"folder"_s)
        QVERIFY2(written.error().startsWith(expected) && written.error() != expected,
                 qPrintable(written.error()));
    else
        QCOMPARE(written.error(), expected);
}

void TestICalendar::resourceBody() {
    const DayEntry timed{u"29.03.2026"_s, u"Umstellung"_s, u"08:00 - 17:30"_s, u"Raum 1"_s};
    const DayEntry note{u"03.10.2026"_s, u"Einheit"_s, u"Note"_s, u""_s};
    for (const auto& [row, zones] : {std::pair{timed, 1}, std::pair{note, 0}}) {
        const auto text = ical::eventText(row, options());
        QVERIFY(text.ok());
        Component cal = parse(*text);
        QCOMPARE(count(cal.get(), ICAL_VEVENT_COMPONENT), 1);
        QCOMPARE(count(cal.get(), ICAL_VTIMEZONE_COMPONENT), zones);
        QCOMPARE(QString::fromUtf8(icalcomponent_get_uid(
                     icalcomponent_get_first_component(cal.get(), ICAL_VEVENT_COMPONENT))),
                 ical::uidFor(row));
    }
    QVERIFY(!ical::eventText({u"03.10.2026"_s, u"Einheit"_s, u"8 Uhr"_s, u""_s}, options()).ok());
}

void TestICalendar::mark() {
    const auto text = ical::eventText({u"03.10.2026"_s, u"Einheit"_s, u"Note"_s, u""_s}, options());
    QVERIFY(text.ok());
    QVERIFY(ical::isMarvolingenObject(*text));

    Component cal = parse(*text);
    icalcomponent* ev = icalcomponent_get_first_component(cal.get(), ICAL_VEVENT_COMPONENT);
    icalproperty* x = icalcomponent_get_first_property(ev, ICAL_X_PROPERTY);
    icalproperty_set_x(x, "Someone else");
    char* foreign = icalcomponent_as_ical_string_r(cal.get());
    QVERIFY(!ical::isMarvolingenObject(QByteArray(foreign)));
    icalmemory_free_buffer(foreign);
    QVERIFY(!ical::isMarvolingenObject("not a calendar"));
    QVERIFY(!ical::isMarvolingenObject(QByteArray()));
}

QTEST_GUILESS_MAIN(TestICalendar)
#include "tst_icalendar.moc"
