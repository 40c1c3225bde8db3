// Builds the filter of a day and a subject and parses it again: whatever the subject, the
// terms must give back exactly that day and that subject, and the Marvolingen sender, since
// this parse is what keeps a deletion from reaching other entries.
#include "groupwise/filter.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

using mv::gw::FilterTerm;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 3)
        return 0;
    // Three bytes choose the day between 1 January 1583 and 31 December 8202.
    const QDate first(1583, 1, 1);
    const qint64 span = first.daysTo(QDate(8202, 12, 31)) + 1;
    const qint64 pick = (qint64(data[0]) << 16 | qint64(data[1]) << 8 | qint64(data[2])) % span;
    const QDate day = first.addDays(pick);
    // The rest is the subject as UTF-16 code units, lone surrogates included.
    std::u16string units((size - 3) / 2, u'\0');
    if (!units.empty())
        std::memcpy(units.data(), data + 3, units.size() * sizeof(char16_t));
    const QString subject = QString::fromStdU16String(units);

    QList<FilterTerm> terms;
    try {
        terms = mv::gw::parseFilter(mv::gw::dayFilter(day, subject));
    } catch (...) {
        std::abort();
    }
    if (terms.size() != 4)
        std::abort();
    const FilterTerm& from = terms[0];
    const FilterTerm& to = terms[1];
    if (from.field != FilterTerm::Field::StartDate || from.op != FilterTerm::Op::AtLeast ||
        from.when.date() != day || from.when.time() != QTime(0, 0))
        std::abort();
    if (to.field != FilterTerm::Field::StartDate || to.op != FilterTerm::Op::Before ||
        to.when.date() != day || to.when.time() != QTime(23, 59, 59))
        std::abort();
    if (terms[2].field != FilterTerm::Field::Subject || terms[2].op != FilterTerm::Op::Matches ||
        terms[2].text != subject)
        std::abort();
    if (terms[3].field != FilterTerm::Field::From || terms[3].op != FilterTerm::Op::Matches ||
        terms[3].text != QLatin1String("Marvolingen"))
        std::abort();
    return 0;
}
