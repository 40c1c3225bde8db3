#include "calendar/datesort.h"

#include "calendar/dates.h"
#include "calendar/daylist.h"

#include <algorithm>
#include <numeric>
#include <vector>

namespace mv {

QString dateSortKey(const QString& dateText, const QString& yearText) {
    QDate date;
    if (dateText.endsWith(QLatin1Char('*'))) {
        date = parseDate(dateText.left(6) + yearText);
        // A yearly day written with one-digit day or month (1.5.*) has no six-character
        // prefix; read it the way the day list reads it instead of sorting it first.
        if (!date.isValid())
            date = parseDate(expandYearly(dateText, yearText));
    } else {
        date = parseDate(dateText);
    }
    if (!date.isValid())
        return QString();
    return date.toString(QStringLiteral("yyyy.MM.dd"));
}

void sortByDate(DayList& rows, const QString& yearText) {
    std::vector<QString> keys;
    keys.reserve(size_t(rows.size()));
    for (const DayEntry& row : rows)
        keys.push_back(dateSortKey(row.date, yearText));
    std::vector<size_t> order(keys.size());
    std::iota(order.begin(), order.end(), size_t(0));
    std::stable_sort(order.begin(), order.end(),
                     [&](size_t a, size_t b) { return keys[a] < keys[b]; });
    DayList sorted;
    sorted.reserve(rows.size());
    for (size_t i : order)
        sorted.append(rows.at(qsizetype(i)));
    rows = std::move(sorted);
}

} // namespace mv
