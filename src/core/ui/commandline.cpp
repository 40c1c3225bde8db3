#include "ui/commandline.h"

namespace mv {

CommandLineResult ParseCommandLine(const QString& text) {
    CommandLineResult result;
    if (text.isEmpty())
        return result;
    const QStringList words = text.split(QLatin1Char(' '));
    for (qsizetype i = 0; i < words.size(); ++i) {
        const QString lower = words[i].toLower();
        if (lower == QLatin1String("-d") || lower == QLatin1String("/d")) {
            result.debugMode = true;
        } else if (lower == QLatin1String("-f") || lower == QLatin1String("/f")) {
            if (i == words.size() - 1) {
                result.messages << QStringLiteral("Kein Dateiname angegeben.");
                break;
            }
            ++i;
            const QString& name = words[i];
            if (name.startsWith(QLatin1Char('-')) || name.startsWith(QLatin1Char('/')))
                result.messages << QStringLiteral("Invalid filename.");
            else
                result.fileName = name;
        } else {
            result.messages << QStringLiteral("Ungültiger Parameter: ") + words[i];
        }
    }
    if (result.debugMode)
        result.messages << QStringLiteral("Debug Modus: True");
    return result;
}

} // namespace mv
