#pragma once

#include "calendar/country.h"

#include <QString>
#include <array>

namespace mv {

struct HolidayRow {
    QString name;
    QString flag; // "1", "0" or "" (mask too short)
};
using HolidayTable = std::array<HolidayRow, 13>;
using HolidayBoxes = std::array<bool, 12>;

inline constexpr const char* kMaskDE = "111111110111";
inline constexpr const char* kMaskUS = "101111011100";

struct HolidayTables {
    HolidayTable de, us, at;

    // Names as the window loads them: German captions, US names, none for "Östereich".
    static HolidayTables withNames();
    // Flags from the stored "Definition" mask of the current country; the other two
    // tables take their own defaults.
    void loadFlags(const Country& country, const QString& storedMask);
    // The table of a country: de, us, or at for "Östereich" and every other text.
    HolidayTable* forCountry(const Country& country);
    const HolidayTable* forCountry(const Country& country) const;
    // The table the country switch puts on the boxes: de or us; none for other countries.
    HolidayTable* shownTable(const Country& country);
    const HolidayTable* shownTable(const Country& country) const;
};

QString defaultMask(const Country& country);

// The holiday boxes once the settings of `loaded` are loaded and `country` is applied. A
// country with a shown table ticks its flags "1" and clears a box without a name; any
// other country keeps the boxes of the load, where such a country ticks its stored flags.
HolidayBoxes boxesFor(const HolidayTables& tables, const Country& loaded, const Country& country);

} // namespace mv
