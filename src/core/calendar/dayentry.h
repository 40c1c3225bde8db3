#pragma once

#include <QList>
#include <QString>

namespace mv {

// One row of the day list or of the further-days list: four texts.
struct DayEntry {
    QString date;
    QString designation;
    QString time; // "Note" or "hh:mm - hh:mm"
    QString place;

    bool isNote() const { return time == QLatin1String("Note"); }
    friend bool operator==(const DayEntry&, const DayEntry&) = default;
};

using DayList = QList<DayEntry>;

} // namespace mv
