#include "settings/storeddaylist.h"

namespace mv {

std::array<bool, 12> holidayBoxes(const Settings& settings, const QString& country) {
    std::array<bool, 12> boxes{};
    auto apply = [&boxes](const HolidayTable& t) {
        for (int i = 0; i < 12; ++i)
            boxes[size_t(i)] =
                !t[size_t(i)].name.isEmpty() && t[size_t(i)].flag == QLatin1String("1");
    };
    auto applyCountry = [&](const QString& c) {
        if (c == QLatin1String("USA"))
            apply(settings.holidays.us);
        else if (c == QLatin1String("Deutschland"))
            apply(settings.holidays.de);
        else
            return false;
        return true;
    };
    if (!applyCountry(settings.country)) {
        for (int i = 0; i < 12; ++i)
            boxes[size_t(i)] = settings.holidays.at[size_t(i)].flag == QLatin1String("1");
    }
    if (country != settings.country)
        applyCountry(country);
    return boxes;
}

DayListInput dayListInput(const Settings& settings, int year, const QString& country,
                          const std::array<bool, 12>& boxes) {
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
        dayListInput(settings, year, settings.country, holidayBoxes(settings, settings.country)));
}

} // namespace mv
