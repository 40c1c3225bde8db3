#pragma once

#include "calendar/daylist.h"
#include "settings/settings.h"

#include <array>

namespace mv {

// The holiday boxes as the window shows them after the settings load: the country switch
// puts the table of "Deutschland" or "USA" on them; other countries keep the loaded flags.
std::array<bool, 12> holidayBoxes(const Settings& settings, const QString& country);

// The day-list input of a year from loaded settings: the appearance of the holiday rows,
// the further days and the given country and boxes.
DayListInput dayListInput(const Settings& settings, int year, const QString& country,
                          const std::array<bool, 12>& boxes);

// The rows a write run writes for the year from the loaded settings, with the stored
// country and selection.
DayList storedDayList(const Settings& settings, int year);

} // namespace mv
