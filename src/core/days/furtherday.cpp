#include "days/furtherday.h"

#include "calendar/dates.h"

namespace mv {

namespace {

constexpr QChar kBel(7);

// A stored line is one line of a profile section with BEL between its fields: a
// line break or NUL inside a cell would cut the section, a BEL would shift the fields.
QString storable(const QString& cell, bool allowBel) {
    QString text = cell;
    for (QChar& ch : text) {
        if (ch == QChar(0) || ch == QLatin1Char('\r') || ch == QLatin1Char('\n') ||
            (!allowBel && ch == kBel))
            ch = QLatin1Char(' ');
    }
    return text;
}

} // namespace

QString appointmentTimeCell(const QString& from, const QString& to) {
    return from.trimmed() + QStringLiteral(" - ") + to.trimmed();
}

std::optional<DayEntry> furtherDayFromLine(const QString& line) {
    const qsizetype first = line.indexOf(kBel);
    if (first < 0)
        return std::nullopt;
    DayEntry row;
    row.date = line.left(first);
    const qsizetype second = line.indexOf(kBel, first + 1);
    if (second < 0) {
        row.designation = line.mid(first + 1);
        row.time = QStringLiteral("07:00-20:00");
        return row;
    }
    row.designation = line.mid(first + 1, second - first - 1);
    const qsizetype third = line.indexOf(kBel, second + 1);
    if (third < 0) {
        row.time = line.mid(second + 1);
        return row;
    }
    row.time = line.mid(second + 1, third - second - 1);
    row.place = line.mid(third + 1);
    return row;
}

QString furtherDayToLine(const DayEntry& row) {
    const QDate date = parseDate(row.date);
    const QString dateText = date.isValid() ? formatDate(date) : row.date;
    return storable(dateText, false) + kBel + storable(row.designation, false) + kBel +
           storable(row.time, false) + kBel + storable(row.place, true);
}

std::optional<std::pair<QString, QString>> splitTimeCell(const QString& cell) {
    const qsizetype dash = cell.indexOf(QLatin1Char('-'));
    if (dash < 0)
        return std::nullopt;
    return std::make_pair(cell.left(dash), cell.mid(dash + 1));
}

double timeTextMinutes(const QString& text) {
    const qsizetype colon = text.indexOf(QLatin1Char(':'));
    if (colon < 0)
        return leadingNumber(text) * 60.0;
    return leadingNumber(text.left(colon)) * 60.0 + leadingNumber(text.mid(colon + 1));
}

} // namespace mv
