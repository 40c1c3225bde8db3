#pragma once

#include <QDate>
#include <QString>

#include <optional>

namespace mv {

// The runtime's "no date": day zero of its serial date type.
inline QDate zeroDate() {
    return QDate(1899, 12, 30);
}

// Recognises d.m.yyyy (one or two digits for day and month, four for the year)
// and yyyy-M-d. Anything else gives an invalid QDate.
QDate parseDate(const QString& text);

inline constexpr int kFirstYear = 1583;
inline constexpr int kLastYear = 8202;

// The years the program computes and accepts, 1583 to 8202.
constexpr bool isYearInRange(int year) {
    return year >= kFirstYear && year <= kLastYear;
}

// The year check of the year field and the command line: blanks around, then ASCII
// digits without a sign or leading zero, from 1583 to 8202. Only such a text can stand
// in for the "*" of a yearly date; anything else gives nullopt.
std::optional<int> parseYear(const QString& text);

// The program's short date format, dd.MM.yyyy.
QString formatDate(const QDate& date);

// The number at the start of a text as the runtime reads it: leading blanks skipped,
// an optional sign, decimal digits (and a decimal point), the rest ignored; 0 when none.
double leadingNumber(const QString& text);

// Rounds half to even into the 16-bit range, as the runtime's integer conversion does.
int roundToInt16(double value);

} // namespace mv
