#pragma once

#include "calendar/daylist.h"
#include "settings/settings.h"

namespace mv {

// The day-list input of a year from loaded settings: the appearance of the holiday rows,
// the further days and the given country and boxes.
DayListInput dayListInput(const Settings& settings, int year, const Country& country,
                          const HolidayBoxes& boxes);

// The rows a write run writes for the year from the loaded settings, with the stored
// country and selection.
DayList storedDayList(const Settings& settings, int year);

} // namespace mv
