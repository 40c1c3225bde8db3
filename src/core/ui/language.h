#pragma once

#include <QString>

#include <optional>

namespace mv {

// The interface language. Its stored texts are "Deutsch" and "English".
enum class Language { German, English };

// The language a text names, exactly (case matters); none for any other text.
inline std::optional<Language> languageFromText(const QString& text) {
    if (text == QLatin1String("Deutsch"))
        return Language::German;
    if (text == QLatin1String("English"))
        return Language::English;
    return std::nullopt;
}

// A stored "Sprache": a language the program does not speak would leave every message
// empty, so it reads as German.
inline Language languageFromStored(const QString& text) {
    return languageFromText(text).value_or(Language::German);
}

inline QString storedText(Language language) {
    return language == Language::English ? QStringLiteral("English") : QStringLiteral("Deutsch");
}

} // namespace mv
