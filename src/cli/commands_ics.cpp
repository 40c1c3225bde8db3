#include "cli/commands.h"
#include "cli/context.h"

#include "ical/icalendar.h"

#include <QDir>
#include <cstdio>

namespace mv::cli {

int cmdIcs(Context& ctx, const QStringList& args) {
    const Options o = parseOptions(args, {QStringLiteral("year"), QStringLiteral("out")}, {});
    if (!o.error.isEmpty() || !o.positional.isEmpty())
        return usage(o.error.isEmpty()
                         ? QStringLiteral("unexpected argument: ") + o.positional.first()
                         : o.error);
    const bool english = ctx.settings.language == Language::English;
    // Without its folder the settings would silently be the defaults.
    if (!QDir(ctx.env.programFolder).exists()) {
        printError(english ? QStringLiteral("The folder \"%1\" does not exist.")
                                 .arg(QDir::toNativeSeparators(ctx.env.programFolder))
                           : QStringLiteral("Der Ordner \"%1\" existiert nicht.")
                                 .arg(QDir::toNativeSeparators(ctx.env.programFolder)));
        return kFailure;
    }
    const auto year = ctx.yearFrom(o);
    if (!year)
        return kUsage;

    ical::ExportOptions options;
    options.year = *year;
    options.language = ctx.settings.language;
    const DayList rows = ctx.storedDayList(*year);
    const QString out = o.values.value(QStringLiteral("out"), QStringLiteral("-"));
    if (out == QLatin1String("-")) {
        const Result<QByteArray> text = ical::calendarText(rows, options);
        if (!text) {
            printError(text.error());
            return kFailure;
        }
        std::fwrite(text->constData(), 1, size_t(text->size()), stdout);
        return std::fflush(stdout) == 0 ? kOk : kFailure;
    }
    const Result<void> written = ical::writeCalendarFile(out, rows, options);
    if (!written) {
        printError(written.error());
        return kFailure;
    }
    print(ctx.messages.text(Msg::FileCreated) + QLatin1Char('"') + QDir::toNativeSeparators(out) +
          QStringLiteral("\"\n"));
    return kOk;
}

} // namespace mv::cli
