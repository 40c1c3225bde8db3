#pragma once

#include <QString>
#include <array>

namespace mv {

struct HolidayRow {
    QString name;
    QString flag; // "1", "0" or "" (mask too short)
};
using HolidayTable = std::array<HolidayRow, 13>;

inline constexpr const char* kMaskDE = "111111110111";
inline constexpr const char* kMaskUS = "101111011100";

struct HolidayTables {
    HolidayTable de, us, at;

    // Names as the window loads them: German captions, US names, none for "Östereich".
    static HolidayTables withNames();
    // Flags from the stored "Definition" mask of the current country; the other two
    // tables take their own defaults.
    void loadFlags(const QString& country, const QString& storedMask);
    // The table of a country: de, us, or at for "Östereich" and every other text.
    HolidayTable* forCountry(const QString& country);
    const HolidayTable* forCountry(const QString& country) const;
};

QString defaultMask(const QString& country);

} // namespace mv
