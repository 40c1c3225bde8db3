#include "calendar/country.h"

namespace mv {

namespace {

// Constant-initialised: countries are made during static initialisation elsewhere.
constexpr QStringView kGermany = u"Deutschland";
constexpr QStringView kUsa = u"USA";
constexpr QStringView kAustria = u"Östereich";

} // namespace

Country Country::fromStored(const QString& text) {
    if (text == kGermany)
        return germany();
    if (text == kUsa)
        return usa();
    if (text == kAustria)
        return austria();
    Country other;
    other.other_ = text;
    return other;
}

QString Country::storedText() const {
    switch (kind_) {
    case Kind::Germany:
        return kGermany.toString();
    case Kind::Usa:
        return kUsa.toString();
    case Kind::Austria:
        return kAustria.toString();
    case Kind::Other:
        break;
    }
    return other_;
}

} // namespace mv
