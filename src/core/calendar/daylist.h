#pragma once

#include "calendar/country.h"
#include "calendar/dayentry.h"

#include <QDate>
#include <array>

namespace mv {

struct DayListInput {
    Country country;
    int year = 0;                    // SelectedYear
    QString yearText;                // replaces "*" of a yearly date
    std::array<bool, 12> selected{}; // holiday check boxes
    bool asNote = false;             // holidays written as notes
    QString holidayFrom;             // holiday appearance
    QString holidayTo;
    QString holidayPlace;
    DayList furtherDays; // rows of the further-days list
};

// The rows of the day list, sorted by date. Never holds a row with the zero date.
DayList BuildDayList(const DayListInput& input);

// Year overview marks: for month 0..11 the marks of days 1..n (index 0 = day 1):
// 0 plain, 1 weekend, 2 listed day.
using YearMarks = std::array<QList<int>, 12>;
YearMarks BuildYearMarks(const DayListInput& input);

// Expands a yearly "dd.mm.*" text with the year text; other texts unchanged.
QString expandYearly(const QString& dateText, const QString& yearText);

} // namespace mv
