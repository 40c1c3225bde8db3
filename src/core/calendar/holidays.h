#pragma once

#include <QDate>
#include <QString>
#include <QStringList>
#include <array>

namespace mv {

// Index order is that of the holiday check boxes; a zeroDate() means "not this year".
using GermanHolidayDates = std::array<QDate, 12>;
using UsHolidayDates = std::array<QDate, 15>;

QDate EasterSunday(int year); // invalid outside 1583..8202
GermanHolidayDates ComputeGermanHolidays(int year);
UsHolidayDates ComputeUsHolidays(int year);
int DaysInMonth(int month, int year); // 0 when the date cannot be formed

// Check-box captions (12) and day-list designations (12) of the German holidays.
const QStringList& germanCaptionNames();
const QStringList& germanDesignations();
// The 15 US designations by index (0..9 also the check-box captions).
const QStringList& usDesignations();

// Observed days in the order the lists add them: {date index, check box}.
struct ObservedDay {
    int index;
    int box;
};
const std::array<ObservedDay, 5>& usObservedOrder();

} // namespace mv
