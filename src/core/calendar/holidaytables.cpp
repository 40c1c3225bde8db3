#include "calendar/holidaytables.h"

#include "calendar/holidays.h"

namespace mv {

namespace {

const QString kGermany = QStringLiteral("Deutschland");
const QString kUsa = QStringLiteral("USA");

void setFlags(HolidayTable& table, const QString& mask) {
    for (int i = 0; i < 12; ++i)
        table[i].flag = mask.mid(i, 1);
}

} // namespace

HolidayTables HolidayTables::withNames() {
    HolidayTables tables;
    const QStringList& de = germanCaptionNames();
    for (int i = 0; i < 12; ++i)
        tables.de[i].name = de.at(i);
    const QStringList& us = usDesignations();
    for (int i = 0; i < 10; ++i)
        tables.us[i].name = us.at(i);
    return tables;
}

void HolidayTables::loadFlags(const QString& country, const QString& storedMask) {
    HolidayTable* current = forCountry(country);
    const QString mask = storedMask.left(12);
    setFlags(de, QLatin1String(kMaskDE));
    setFlags(us, QLatin1String(kMaskUS));
    setFlags(at, QLatin1String(kMaskDE));
    setFlags(*current, mask);
}

HolidayTable* HolidayTables::forCountry(const QString& country) {
    if (country == kGermany)
        return &de;
    if (country == kUsa)
        return &us;
    // "Östereich" and any hand-edited country: the boxes show what was stored, and a
    // save writes it back instead of a cleared mask.
    return &at;
}

const HolidayTable* HolidayTables::forCountry(const QString& country) const {
    return const_cast<HolidayTables*>(this)->forCountry(country);
}

QString defaultMask(const QString& country) {
    return QLatin1String(country == kUsa ? kMaskUS : kMaskDE);
}

} // namespace mv
