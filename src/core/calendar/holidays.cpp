#include "calendar/holidays.h"

#include "calendar/dates.h"

namespace mv {

namespace {

// Sunday = 1 ... Saturday = 7.
int weekday(const QDate& date) {
    return date.dayOfWeek() % 7 + 1;
}

constexpr int kMonday = 2;
constexpr int kThursday = 5;
constexpr int kSunday = 1;
constexpr int kSaturday = 7;

QDate nthWeekday(int year, int month, int wanted, int n) {
    int d = 1;
    for (int day = 1, last = DaysInMonth(month, year); day <= last; ++day) {
        d = day;
        if (weekday(QDate(year, month, day)) == wanted)
            break;
    }
    return QDate(year, month, d + 7 * (n - 1));
}

QDate lastMonday(int year, int month) {
    int d = DaysInMonth(month, year);
    for (; d >= 1; --d) {
        if (weekday(QDate(year, month, d)) == kMonday)
            break;
    }
    return QDate(year, month, d);
}

} // namespace

QDate EasterSunday(int year) {
    if (!isYearInRange(year))
        return QDate();
    const int a = year % 19;
    const int b = year % 4;
    const int c = year % 7;
    const int k = year / 100;
    const int p = (8 * k + 13) / 25;
    const int q = year / 400;
    const int M = (15 + k - p - q) % 30;
    const int N = (4 + k - q) % 7;
    int d = (19 * a + M) % 30;
    if (d == 29)
        d = 28;
    else if (d == 28 && a > 10)
        d = 27;
    const int e = (2 * b + 4 * c + 6 * d + N) % 7;
    return QDate(year, 3, 21).addDays(1 + d + e);
}

GermanHolidayDates ComputeGermanHolidays(int year) {
    GermanHolidayDates dates;
    dates.fill(zeroDate());
    if (!isYearInRange(year))
        return dates;
    const QDate easter = EasterSunday(year);
    dates[0] = QDate(year, 1, 1);
    dates[1] = easter.addDays(-2);
    dates[2] = easter;
    dates[3] = easter.addDays(1);
    dates[4] = QDate(year, 5, 1);
    dates[5] = easter.addDays(39);
    dates[6] = easter.addDays(49);
    dates[7] = easter.addDays(50);
    dates[8] = easter.addDays(60);
    dates[9] = QDate(year, 10, 3);
    dates[10] = QDate(year, 12, 25);
    dates[11] = QDate(year, 12, 26);
    return dates;
}

UsHolidayDates ComputeUsHolidays(int year) {
    UsHolidayDates dates;
    dates.fill(zeroDate());
    // Outside the Gregorian range the weekday rules mean nothing; like the German
    // record, the result then holds only zero dates.
    if (!isYearInRange(year))
        return dates;

    dates[0] = QDate(year, 1, 1);
    if (weekday(dates[0]) == kSunday)
        dates[10] = QDate(year, 1, 2);

    dates[1] = nthWeekday(year, 1, kMonday, 3);
    dates[2] = nthWeekday(year, 2, kMonday, 3);
    dates[3] = lastMonday(year, 5);

    const QDate july4(year, 7, 4);
    dates[4] = july4;
    if (weekday(july4) == kSaturday)
        dates[4] = QDate(year, 7, 3);
    else if (weekday(july4) == kSunday)
        dates[11] = QDate(year, 7, 5);

    dates[5] = nthWeekday(year, 9, kMonday, 1);
    dates[6] = nthWeekday(year, 10, kMonday, 2);

    dates[7] = QDate(year, 11, 11);
    if (weekday(dates[7]) == kSunday)
        dates[12] = QDate(year, 11, 12);

    dates[8] = nthWeekday(year, 11, kThursday, 4);

    const QDate christmas(year, 12, 25);
    dates[9] = christmas;
    if (weekday(christmas) == kSaturday)
        dates[9] = QDate(year, 12, 24);
    else if (weekday(christmas) == kSunday)
        dates[13] = QDate(year, 12, 26);

    if (weekday(QDate(year + 1, 1, 1)) == kSaturday)
        dates[14] = QDate(year, 12, 31);
    return dates;
}

int DaysInMonth(int month, int year) {
    const QDate first = parseDate(QStringLiteral("%1-%2-01").arg(year).arg(month));
    if (!first.isValid())
        return 0;
    const QDate last = first.addMonths(1).addDays(-1);
    return last.isValid() ? last.day() : 0;
}

const QStringList& germanCaptionNames() {
    static const QStringList names = {
        QStringLiteral("Neujahr"),          QStringLiteral("Karfreitag"),
        QStringLiteral("Ostersonntag"),     QStringLiteral("Ostermontag"),
        QStringLiteral("Tag der Arbeit"),   QStringLiteral("Christi Himmelfahrt"),
        QStringLiteral("Pfingstsonntag"),   QStringLiteral("Pfingstmontag"),
        QStringLiteral("Fronleichnam"),     QStringLiteral("Tag der Deutschen Einheit"),
        QStringLiteral("1. Weihnachtstag"), QStringLiteral("2. Weinachtstag"),
    };
    return names;
}

const QStringList& germanDesignations() {
    static const QStringList names = {
        QStringLiteral("Neujahr"),
        QStringLiteral("Karfreitag"),
        QStringLiteral("Ostersonntag"),
        QStringLiteral("Ostermontag"),
        QStringLiteral("Tag der Arbeit"),
        QStringLiteral("Himmelfahrt"),
        QStringLiteral("Pfingstsonntag"),
        QStringLiteral("Pfingstmontag"),
        QStringLiteral("Fronleichnam"),
        QStringLiteral("Tag der Deutschen Einheit"),
        QStringLiteral("Erster Weihnachtstag"),
        QStringLiteral("Zweiter Weihnachtstag"),
    };
    return names;
}

const QStringList& usDesignations() {
    static const QStringList names = {
        QStringLiteral("New Year`s Day"),         QStringLiteral("Martin Luther King jr. Day"),
        QStringLiteral("President`s Day"),        QStringLiteral("Memorial Day"),
        QStringLiteral("Independence Day"),       QStringLiteral("Labor Day"),
        QStringLiteral("Columbus Day"),           QStringLiteral("Veteran`s Day"),
        QStringLiteral("Thanksgiving Day"),       QStringLiteral("Christmas Day"),
        QStringLiteral("New Year (observed)"),    QStringLiteral("Independenceday  (observed)"),
        QStringLiteral("Veteransday (observed)"), QStringLiteral("Christmasday (observed)"),
        QStringLiteral("New Year (observed)"),
    };
    return names;
}

const std::array<ObservedDay, 5>& usObservedOrder() {
    static const std::array<ObservedDay, 5> order = {{
        {14, 0},
        {10, 0},
        {13, 9},
        {12, 7},
        {11, 4},
    }};
    return order;
}

} // namespace mv
