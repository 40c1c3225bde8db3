#include "calendar/holidaytables.h"

#include "calendar/holidays.h"

namespace mv {

namespace {

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

void HolidayTables::loadFlags(const Country& country, const QString& storedMask) {
    HolidayTable* current = forCountry(country);
    const QString mask = storedMask.left(12);
    setFlags(de, QLatin1String(kMaskDE));
    setFlags(us, QLatin1String(kMaskUS));
    setFlags(at, QLatin1String(kMaskDE));
    setFlags(*current, mask);
}

HolidayTable* HolidayTables::forCountry(const Country& country) {
    if (HolidayTable* shown = shownTable(country))
        return shown;
    // "Östereich" and any hand-edited country: the boxes show what was stored, and a
    // save writes it back instead of a cleared mask.
    return &at;
}

const HolidayTable* HolidayTables::forCountry(const Country& country) const {
    return const_cast<HolidayTables*>(this)->forCountry(country);
}

HolidayTable* HolidayTables::shownTable(const Country& country) {
    if (country.isGermany())
        return &de;
    if (country.isUsa())
        return &us;
    return nullptr;
}

const HolidayTable* HolidayTables::shownTable(const Country& country) const {
    return const_cast<HolidayTables*>(this)->shownTable(country);
}

QString defaultMask(const Country& country) {
    return QLatin1String(country.isUsa() ? kMaskUS : kMaskDE);
}

HolidayBoxes boxesFor(const HolidayTables& tables, const Country& loaded, const Country& country) {
    HolidayBoxes boxes{};
    const HolidayTable* shown = tables.shownTable(country);
    if (!shown)
        shown = tables.shownTable(loaded);
    if (shown) {
        for (size_t i = 0; i < boxes.size(); ++i)
            boxes[i] = !(*shown)[i].name.isEmpty() && (*shown)[i].flag == QLatin1String("1");
    } else {
        for (size_t i = 0; i < boxes.size(); ++i)
            boxes[i] = tables.at[i].flag == QLatin1String("1");
    }
    return boxes;
}

} // namespace mv
