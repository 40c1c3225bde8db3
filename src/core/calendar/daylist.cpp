#include "calendar/daylist.h"

#include "calendar/dates.h"
#include "calendar/datesort.h"
#include "calendar/holidays.h"

namespace mv {

namespace {

// A zero date (year outside the computed range, or an observed day that does not
// occur) is never listed or marked.
bool listable(const QDate& date) {
    return date.isValid() && date != zeroDate();
}

DayEntry holidayRow(const DayListInput& input, const QDate& date, const QString& designation) {
    const QString time = input.asNote ? QStringLiteral("Note")
                                      : input.holidayFrom + QStringLiteral(" - ") + input.holidayTo;
    return DayEntry{formatDate(date), designation, time, input.holidayPlace};
}

// The further days of the chosen year, each with its date and its yearly text expanded.
template <typename Visit> void forFurtherDaysOfYear(const DayListInput& input, Visit visit) {
    for (const DayEntry& day : input.furtherDays) {
        const QString text = expandYearly(day.date, input.yearText);
        const QDate date = parseDate(text);
        if (date.isValid() && date.year() == input.year)
            visit(day, text, date);
    }
}

} // namespace

QString expandYearly(const QString& dateText, const QString& yearText) {
    if (!dateText.endsWith(QLatin1String(".*")))
        return dateText;
    QString text = dateText;
    return text.replace(QLatin1Char('*'), yearText);
}

DayList BuildDayList(const DayListInput& input) {
    DayList rows;
    if (!input.country.isUsa()) {
        const GermanHolidayDates dates = ComputeGermanHolidays(input.year);
        const QStringList& names = germanDesignations();
        for (int i = 0; i < 12; ++i) {
            if (input.selected[size_t(i)] && listable(dates[size_t(i)]))
                rows.append(holidayRow(input, dates[size_t(i)], names.at(i)));
        }
    } else {
        const UsHolidayDates dates = ComputeUsHolidays(input.year);
        const QStringList& names = usDesignations();
        for (int i = 0; i < 10; ++i) {
            if (input.selected[size_t(i)] && listable(dates[size_t(i)]))
                rows.append(holidayRow(input, dates[size_t(i)], names.at(i)));
        }
        for (const ObservedDay& observed : usObservedOrder()) {
            const QDate& date = dates[size_t(observed.index)];
            if (input.selected[size_t(observed.box)] && listable(date))
                rows.append(holidayRow(input, date, names.at(observed.index)));
        }
    }

    forFurtherDaysOfYear(input, [&](const DayEntry& day, const QString& text, const QDate&) {
        rows.append(DayEntry{text, day.designation, day.time, day.place});
    });

    if (!rows.isEmpty())
        sortByDate(rows, input.yearText);
    return rows;
}

YearMarks BuildYearMarks(const DayListInput& input) {
    YearMarks marks;
    for (int m = 0; m < 12; ++m) {
        const QDate first(input.year, m + 1, 1);
        const int days = first.isValid() ? first.daysInMonth() : 0;
        QList<int>& month = marks[size_t(m)];
        month.reserve(days);
        for (int d = 1; d <= days; ++d) {
            const int dow = QDate(input.year, m + 1, d).dayOfWeek();
            month.append(dow == 6 || dow == 7 ? 1 : 0);
        }
    }

    auto mark = [&](const QDate& date) {
        if (!listable(date) || date.year() != input.year)
            return;
        QList<int>& month = marks[size_t(date.month() - 1)];
        if (date.day() <= month.size())
            month[date.day() - 1] = 2;
    };

    if (input.country.isGermany()) {
        const GermanHolidayDates dates = ComputeGermanHolidays(input.year);
        for (int i = 0; i < 12; ++i) {
            if (input.selected[size_t(i)])
                mark(dates[size_t(i)]);
        }
    } else if (input.country.isUsa()) {
        const UsHolidayDates dates = ComputeUsHolidays(input.year);
        for (int i = 0; i < 10; ++i) {
            if (input.selected[size_t(i)])
                mark(dates[size_t(i)]);
        }
        for (const ObservedDay& observed : usObservedOrder()) {
            if (input.selected[size_t(observed.box)])
                mark(dates[size_t(observed.index)]);
        }
    }

    forFurtherDaysOfYear(input,
                         [&](const DayEntry&, const QString&, const QDate& date) { mark(date); });
    return marks;
}

} // namespace mv
