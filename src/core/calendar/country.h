#pragma once

#include <QString>

namespace mv {

// The holiday country. Its stored texts are "Deutschland", "USA" and "Östereich"; any
// other text (a hand-edited settings file) is kept as it is, so a save writes it back.
class Country {
public:
    enum class Kind { Germany, Usa, Austria, Other };

    Country() = default; // the empty text, an Other country
    static Country fromStored(const QString& text);
    static Country germany() { return Country(Kind::Germany); }
    static Country usa() { return Country(Kind::Usa); }
    static Country austria() { return Country(Kind::Austria); }

    Kind kind() const { return kind_; }
    bool isGermany() const { return kind_ == Kind::Germany; }
    bool isUsa() const { return kind_ == Kind::Usa; }
    bool isAustria() const { return kind_ == Kind::Austria; }
    QString storedText() const;

    friend bool operator==(const Country&, const Country&) = default;

private:
    explicit Country(Kind kind) : kind_(kind) {}

    Kind kind_ = Kind::Other;
    QString other_; // the text of an Other country
};

} // namespace mv
