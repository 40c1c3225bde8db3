#include "cli/context.h"

#include "groupwise/addressbookread.h"
#include "groupwise/keyactions.h"
#include "groupwise/local.h"
#include "groupwise/runs.h"

namespace mv::cli {
namespace {

void show(const Notice& notice) {
    if (notice.icon == Notice::Icon::Critical || notice.icon == Notice::Icon::Exclamation)
        printError(notice.text);
    else
        print(notice.text + QLatin1Char('\n'));
}

// One progress line per user: user ID, login column, entry column.
class PrintingObserver : public RunObserver {
public:
    void warning(Msg, const Notice& notice) override { printError(notice.text); }
    void targetFinished(const ProcessingRow& row) override {
        print(tsvRow({row.userId, row.login, row.entry}));
    }
};

int finishRun(const Context& ctx, const RunResult& r) {
    if (r.status == RunStatus::NoGroupWise) {
        printError(r.noGroupWiseNotice(ctx.messages).text);
        return kFailure;
    }
    if (r.status == RunStatus::Aborted) {
        printError(errorLine(r.errorNumber, r.errorDescription));
        return kFailure;
    }
    if (r.logWritten)
        print(r.logFilePath + QLatin1Char('\n'));
    else
        printError(QStringLiteral("warning: the run log was not written: ") + r.logError);
    return r.failed() ? kFailure : kOk;
}

bool checkArgs(const Options& o, int positional) {
    if (!o.error.isEmpty()) {
        usage(o.error);
        return false;
    }
    if (o.positional.size() != positional) {
        usage(o.positional.size() > positional
                  ? QStringLiteral("unexpected argument: ") + o.positional.value(positional)
                  : QStringLiteral("missing argument"));
        return false;
    }
    return true;
}

} // namespace

int cmdKey(Context& ctx, const QStringList& args) {
    const Options o = parseOptions(args, {QStringLiteral("domain")}, {});
    if (!checkArgs(o, 1))
        return kUsage;
    const QString verb = o.positional.first();
    if (verb != QLatin1String("create") && verb != QLatin1String("delete"))
        return usage(QStringLiteral("key needs create or delete"));
    if (!o.values.contains(QStringLiteral("domain")))
        return usage(QStringLiteral("key needs --domain PATH"));
    const QString domain = o.values.value(QStringLiteral("domain"));
    const KeyActionResult r =
        verb == QLatin1String("create")
            ? CreateTrustedAppKey(ctx.env, domain, ctx.messages, ctx.settings.language)
            : DeleteTrustedAppKey(ctx.env, domain, ctx.messages, ctx.settings.language);
    Notice n = keyActionNotice(r);
    if (!r.ok())
        n.icon = Notice::Icon::Critical; // failures belong on standard error
    show(n);
    return r.ok() ? kOk : kFailure;
}

int cmdWrite(Context& ctx, const QStringList& args) {
    const Options o = parseOptions(args, {QStringLiteral("year")}, {});
    if (!checkArgs(o, 0))
        return kUsage;
    const auto year = ctx.yearFrom(o);
    if (!year)
        return kUsage;
    WriteRunInput in;
    in.environment = ctx.env;
    in.messages = ctx.messages;
    in.users = ctx.settings.users;
    const int y = *year;
    in.buildDayList = [&ctx, y] { return ctx.storedDayList(y); };
    PrintingObserver observer;
    return finishRun(ctx, WriteRun(in, observer));
}

int cmdDeleteAll(Context& ctx, const QStringList& args) {
    const Options o = parseOptions(args, {QStringLiteral("year")}, {QStringLiteral("yes")});
    if (!checkArgs(o, 0))
        return kUsage;
    const auto year = ctx.yearFrom(o);
    if (!year)
        return kUsage;
    if (!o.flags.contains(QStringLiteral("yes"))) {
        printError(ctx.messages.text(Msg::ConfirmDeleteAll));
        return usage(QStringLiteral("delete-all deletes only when confirmed with --yes"));
    }
    DeleteAllInput in;
    in.environment = ctx.env;
    in.messages = ctx.messages;
    in.users = ctx.settings.users;
    in.yearText = QString::number(*year);
    PrintingObserver observer;
    return finishRun(ctx, DeleteAllRun(in, observer));
}

namespace {

int gwInit(Context& ctx, const QStringList& args) {
    const Options o = parseOptions(args, {QStringLiteral("version")}, {QStringLiteral("demo")});
    if (!checkArgs(o, 0))
        return kUsage;
    const QString version = o.values.value(QStringLiteral("version"), QStringLiteral("7.0"));
    if (version != QLatin1String("7.0") && version != QLatin1String("7") &&
        version != QLatin1String("6.5"))
        return usage(QStringLiteral("--version must be 7.0 or 6.5"));
    const Result<void> created = gw::createLocalSystem(
        ctx.env.programFolder,
        version == QLatin1String("6.5") ? gw::SystemVersion::V6_5 : gw::SystemVersion::V7_0,
        o.flags.contains(QStringLiteral("demo")), ctx.env.today());
    if (!created) {
        printError(created.error());
        return kFailure;
    }
    print(gw::LocalSystem::domainPath(ctx.env.programFolder) + QLatin1Char('\n'));
    return kOk;
}

// Runs a listing on the local system and prints its lines; a missing system or a failing
// store is reported on standard error.
template <typename List> int listSystem(const Context& ctx, List list) {
    const Result<void> listed =
        gw::withLocalSystem(ctx.env.programFolder, ctx.messages,
                            [&list](gw::LocalSystem& system) { print(list(system)); });
    if (!listed) {
        printError(listed.error());
        return kFailure;
    }
    return kOk;
}

int gwAddressBook(Context& ctx, const QStringList& args) {
    const Options o = parseOptions(args, {}, {});
    if (!checkArgs(o, 0))
        return kUsage;
    return listSystem(ctx, [](const gw::LocalSystem& system) {
        const QStringList& kinds = entryTypeNames();
        QString out;
        for (const gw::AddressEntry& e : system.addressBook()) {
            out += tsvRow({e.field(gw::kFieldUserId), kinds.value(e.kind),
                           e.field(gw::kFieldDomain), e.field(gw::kFieldPostOffice)});
        }
        return out;
    });
}

int gwEntries(Context& ctx, const QStringList& args) {
    const Options o =
        parseOptions(args, {QStringLiteral("year"), QStringLiteral("post-office")}, {});
    if (!checkArgs(o, 1))
        return kUsage;
    std::optional<int> year;
    if (o.values.contains(QStringLiteral("year"))) {
        year = ctx.yearFrom(o);
        if (!year)
            return kUsage;
    }
    const QString user = o.positional.first();
    const QString postOffice = o.values.value(QStringLiteral("post-office"));
    return listSystem(ctx, [&](const gw::LocalSystem& system) {
        QString out;
        for (const gw::CalendarEntry& e : system.entries(user, postOffice, year)) {
            out += tsvRow({e.start.toString(QStringLiteral("dd.MM.yyyy HH:mm:ss")),
                           QString::number(e.durationDays, 'f', 6), e.messageClass, e.subject,
                           e.place, e.from, e.allDay ? QStringLiteral("1") : QStringLiteral("0")});
        }
        return out;
    });
}

// Removes a trusted application whose key is lost, so that a new key can be created.
int gwRemoveApplication(Context& ctx, const QStringList& args) {
    const Options o = parseOptions(args, {}, {QStringLiteral("yes")});
    if (!checkArgs(o, 1))
        return kUsage;
    const QString name = o.positional.first();
    if (!o.flags.contains(QStringLiteral("yes")))
        return usage(QStringLiteral("remove-application removes \"") + name +
                     QStringLiteral("\" from the domain only when confirmed with --yes"));
    bool removed = false;
    const int rc = listSystem(ctx, [&](gw::LocalSystem& system) {
        removed = system.removeTrustedApp(name);
        return QString();
    });
    if (rc != kOk)
        return rc;
    if (!removed) {
        printError(QStringLiteral("The domain has no trusted application \"") + name +
                   QStringLiteral("\""));
        return kFailure;
    }
    print(QStringLiteral("Removed the trusted application \"") + name + QStringLiteral("\"\n"));
    return kOk;
}

} // namespace

int cmdGroupWise(Context& ctx, const QStringList& args) {
    if (args.isEmpty())
        return usage(
            QStringLiteral("groupwise needs init, address-book, entries or remove-application"));
    const QString sub = args.first();
    const QStringList rest = args.mid(1);
    if (sub == QLatin1String("init"))
        return gwInit(ctx, rest);
    if (sub == QLatin1String("address-book"))
        return gwAddressBook(ctx, rest);
    if (sub == QLatin1String("entries"))
        return gwEntries(ctx, rest);
    if (sub == QLatin1String("remove-application"))
        return gwRemoveApplication(ctx, rest);
    return usage(QStringLiteral("unknown groupwise command: ") + sub);
}

} // namespace mv::cli
