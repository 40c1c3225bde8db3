#pragma once

#include <QDate>
#include <QDateTime>
#include <QList>
#include <QString>

namespace mv::gw {

// The filter of one day and one subject for the entries Marvolingen wrote. A double quote in
// the subject is written as two, so that any subject stays one literal text.
QString dayFilter(const QDate& date, const QString& subject);

// The filter of every Marvolingen entry of a year, boundaries included as the runs expect.
QString yearFilter(int year);

// One term of a Find filter.
struct FilterTerm {
    enum class Field { StartDate, Subject, From };
    enum class Op { AtLeast, Before, Matches };
    Field field = Field::Subject;
    Op op = Op::Matches;
    QDateTime when; // START_DATE terms
    QString text;   // Matches terms, quotes undoubled
    friend bool operator==(const FilterTerm&, const FilterTerm&) = default;
};

// Terms joined by AND. parseFilter throws Error(kErrBadFilter) for anything else; there is
// no partial result.
QList<FilterTerm> parseFilter(const QString& filter);

} // namespace mv::gw
