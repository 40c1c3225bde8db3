#include "settings/storeddaylist.h"

namespace mv {

DayListInput dayListInput(const Settings& settings, int year, const Country& country,
                          const HolidayBoxes& boxes) {
    DayListInput in;
    in.country = country;
    in.year = year;
    in.yearText = QString::number(year);
    in.selected = boxes;
    in.asNote = settings.asNote;
    in.holidayFrom = settings.holidayFrom;
    in.holidayTo = settings.holidayTo;
    in.holidayPlace = settings.holidayPlace;
    in.furtherDays = settings.furtherDays;
    return in;
}

DayList storedDayList(const Settings& settings, int year) {
    return BuildDayList(
        dayListInput(settings, year, settings.country,
                     boxesFor(settings.holidays, settings.country, settings.country)));
}

} // namespace mv
