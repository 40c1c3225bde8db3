#include "cli/context.h"

#include "caldav/caldavruns.h"
#include "caldav/caldavsettings.h"
#include "caldav/client.h"
#include "caldav/discovery.h"

#include <QFile>
#include <QSet>
#include <cstdio>

namespace mv::cli {

using namespace mv::caldav;

namespace {

Connection connectionOf(const Context& ctx, const CalDavSettings& s) {
    Connection c;
    c.url = s.url;
    c.user = s.user;
    c.password = s.password;
    c.caFile = s.caFile;
    c.language = ctx.settings.language;
    return c;
}

QByteArray readStandardInput() {
    QFile in;
    if (!in.open(stdin, QIODevice::ReadOnly))
        return {};
    return in.readAll();
}

int caldavSet(Context& ctx, const QStringList& args) {
    const Options o = parseOptions(
        args, {QStringLiteral("url"), QStringLiteral("user"), QStringLiteral("ca-file")},
        {QStringLiteral("password-stdin")});
    if (!o.error.isEmpty())
        return usage(o.error);
    if (!o.positional.isEmpty())
        return usage(QStringLiteral("unexpected argument: ") + o.positional.first());
    if (!o.values.contains(QStringLiteral("url")) || !o.values.contains(QStringLiteral("user")))
        return usage(QStringLiteral("caldav set needs --url URL and --user NAME"));
    CalDavSettings s = LoadCalDavSettings(ctx.file);
    s.url = o.values.value(QStringLiteral("url")).trimmed();
    s.user = o.values.value(QStringLiteral("user")).trimmed();
    if (o.values.contains(QStringLiteral("ca-file")))
        s.caFile = o.values.value(QStringLiteral("ca-file")).trimmed();
    if (o.flags.contains(QStringLiteral("password-stdin"))) {
        QByteArray bytes = readStandardInput();
        if (bytes.endsWith('\n'))
            bytes.chop(1);
        if (bytes.endsWith('\r'))
            bytes.chop(1);
        s.password = QString::fromUtf8(bytes);
    }
    s.kind = ServerKind::CalDAV;
    // Refused before anything is stored: an unsafe address or an unreadable CA file.
    if (auto client = Client::create(connectionOf(ctx, s)); !client) {
        printError(client.error());
        return kFailure;
    }
    if (auto saved = SaveCalDavSettings(ctx.file, s, ctx.settings.language); !saved) {
        printError(saved.error());
        return kFailure;
    }
    return kOk;
}

Result<CalendarList> discover(const Context& ctx, const CalDavSettings& s) {
    auto client = Client::create(connectionOf(ctx, s));
    if (!client)
        return client.failure();
    return discoverCalendars(**client);
}

int caldavCalendars(Context& ctx, const QStringList& args) {
    const Options o = parseOptions(args, {}, {});
    if (!o.error.isEmpty() || !o.positional.isEmpty())
        return usage(o.error.isEmpty()
                         ? QStringLiteral("unexpected argument: ") + o.positional.first()
                         : o.error);
    const auto calendars = discover(ctx, LoadCalDavSettings(ctx.file));
    if (!calendars) {
        printError(calendars.error());
        return kFailure;
    }
    QString out;
    for (const CalendarRef& c : *calendars)
        out += tsvRow({c.path, c.owner, c.displayName});
    print(out);
    return kOk;
}

int caldavSelect(Context& ctx, const QStringList& args) {
    const Options o = parseOptions(args, {}, {});
    if (!o.error.isEmpty())
        return usage(o.error);
    if (o.positional.isEmpty())
        return usage(QStringLiteral("caldav select needs at least one calendar PATH"));
    CalDavSettings s = LoadCalDavSettings(ctx.file);
    // Owner and display name come from the server where it lists the path; a path typed
    // by hand that it does not list is kept as it is.
    const auto known = discover(ctx, s);
    if (!known)
        printError(QStringLiteral("warning: ") + known.error());
    s.calendars.clear();
    QSet<QString> seen;
    for (const QString& path : o.positional) {
        if (seen.contains(path))
            continue;
        seen.insert(path);
        CalendarRef ref{path, {}, {}};
        if (known) {
            for (const CalendarRef& c : *known) {
                if (c.path == path)
                    ref = c;
            }
            if (ref.owner.isEmpty() && ref.displayName.isEmpty())
                printError(QStringLiteral("warning: the server does not list ") + path);
        }
        s.calendars.append(ref);
    }
    if (auto saved = SaveCalDavSettings(ctx.file, s, ctx.settings.language); !saved) {
        printError(saved.error());
        return kFailure;
    }
    return kOk;
}

// One line per calendar: path, login column, entry column.
class PrintingObserver : public RunObserver {
public:
    void targetFinished(const ProcessingRow& row) override {
        print(tsvRow({row.userId, row.login, row.entry}));
    }
};

std::optional<CalDavRunInput> runInput(Context& ctx, const Options& o) {
    const auto year = ctx.yearFrom(o);
    if (!year)
        return std::nullopt;
    CalDavRunInput in;
    in.environment = ctx.env;
    in.messages = ctx.messages;
    in.language = ctx.settings.language;
    in.settings = LoadCalDavSettings(ctx.file);
    in.year = *year;
    return in;
}

int finishRun(const RunResult& r) {
    if (r.status != RunStatus::Finished && r.status != RunStatus::Stopped) {
        printError(r.errorDescription);
        return kFailure;
    }
    if (r.logWritten)
        print(r.logFilePath + u'\n');
    else
        printError(QStringLiteral("warning: the run log was not written: ") + r.logError);
    if (r.status == RunStatus::Stopped)
        printError(r.errorDescription);
    return r.failed() ? kFailure : kOk;
}

int caldavWrite(Context& ctx, const QStringList& args) {
    const Options o = parseOptions(args, {QStringLiteral("year")}, {});
    if (!o.error.isEmpty() || !o.positional.isEmpty())
        return usage(o.error.isEmpty()
                         ? QStringLiteral("unexpected argument: ") + o.positional.first()
                         : o.error);
    auto in = runInput(ctx, o);
    if (!in)
        return kUsage;
    if (in->settings.calendars.isEmpty())
        printError(ctx.messages.text(Msg::NoUserSelected));
    in->days = ctx.storedDayList(in->year);
    PrintingObserver observer;
    return finishRun(CalDavWriteRun(*in, observer));
}

int caldavDeleteAll(Context& ctx, const QStringList& args) {
    const Options o = parseOptions(args, {QStringLiteral("year")}, {QStringLiteral("yes")});
    if (!o.error.isEmpty() || !o.positional.isEmpty())
        return usage(o.error.isEmpty()
                         ? QStringLiteral("unexpected argument: ") + o.positional.first()
                         : o.error);
    auto in = runInput(ctx, o);
    if (!in)
        return kUsage;
    if (!o.flags.contains(QStringLiteral("yes"))) {
        printError(ctx.messages.text(Msg::ConfirmDeleteAll));
        return usage(QStringLiteral("delete-all deletes only when confirmed with --yes"));
    }
    PrintingObserver observer;
    return finishRun(CalDavDeleteAllRun(*in, observer));
}

} // namespace

int cmdCalDav(Context& ctx, const QStringList& args) {
    if (args.isEmpty())
        return usage(QStringLiteral("caldav needs set, calendars, select, write or delete-all"));
    const QString sub = args.first();
    const QStringList rest = args.mid(1);
    if (sub == QLatin1String("set"))
        return caldavSet(ctx, rest);
    if (sub == QLatin1String("calendars"))
        return caldavCalendars(ctx, rest);
    if (sub == QLatin1String("select"))
        return caldavSelect(ctx, rest);
    if (sub == QLatin1String("write"))
        return caldavWrite(ctx, rest);
    if (sub == QLatin1String("delete-all"))
        return caldavDeleteAll(ctx, rest);
    return usage(QStringLiteral("unknown caldav command: ") + sub);
}

} // namespace mv::cli
