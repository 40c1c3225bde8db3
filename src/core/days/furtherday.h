#pragma once

#include "calendar/dayentry.h"

#include <optional>

namespace mv {

// Time cell of an appointment: trimmed start, " - ", trimmed end.
QString appointmentTimeCell(const QString& from, const QString& to);

// A stored "Weitere Tage" line (fields split by BEL): four, three or two fields.
// Two fields get the time "07:00-20:00". A line without BEL gives nothing.
std::optional<DayEntry> furtherDayFromLine(const QString& line);

// The stored line of a row: the date passed through dd.MM.yyyy formatting when it is a
// date (unchanged otherwise), then the other three cells, joined by BEL.
QString furtherDayToLine(const DayEntry& row);

// Splits a time cell at its first "-" into start and end, untrimmed; nullopt without "-".
std::optional<std::pair<QString, QString>> splitTimeCell(const QString& cell);

// Minutes after midnight of a time text as the editor reads it (h*60 + m, leading numbers).
double timeTextMinutes(const QString& text);

} // namespace mv
