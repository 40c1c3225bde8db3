#pragma once

#include "calendar/dayentry.h"

namespace mv {

// Sort key "yyyy.MM.dd" of a row's date text; a trailing "*" takes the year text.
// A text that is no date gets the empty key (sorts first).
QString dateSortKey(const QString& dateText, const QString& yearText);

// Stable ascending sort of rows by their date key.
void sortByDate(DayList& rows, const QString& yearText);

} // namespace mv
