#include "cli/commands.h"
#include "cli/context.h"

#include "calendar/dates.h"
#include "calendar/daylist.h"
#include "settings/cipher.h"
#include "settings/codepage.h"
#include "settings/definitionfile.h"
#include "settings/storeddaylist.h"

#include <QDir>
#include <QFile>
#include <cstdio>

namespace mv::cli {

void print(const QString& text) {
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stdout);
}

void printError(const QString& text) {
    const QByteArray bytes = (text + QLatin1Char('\n')).toUtf8();
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stderr);
}

namespace {

QString usageText() {
    return QStringLiteral("usage: marvolingen-cli [--folder DIR] COMMAND [options]\n"
                          "       marvolingen-cli --help | --version\n"
                          "  folder\n"
                          "  days [--year Y] [--country C] [--selection MASK] [--format text|tsv]\n"
                          "  definition-file [--year Y] [--out DIR]\n"
                          "  ics [--year Y] [--out FILE]\n"
                          "  cipher encrypt|decrypt [--passphrase P]\n"
                          "  key create|delete --domain PATH\n"
                          "  write [--year Y]\n"
                          "  delete-all [--year Y] --yes\n"
                          "  groupwise init [--demo] [--version 7.0|6.5]\n"
                          "  groupwise address-book\n"
                          "  groupwise entries USER [--year Y]\n"
                          "  caldav set --url URL --user NAME [--password-stdin] [--ca-file FILE]\n"
                          "  caldav calendars\n"
                          "  caldav select PATH...\n"
                          "  caldav write [--year Y]\n"
                          "  caldav delete-all [--year Y] --yes");
}

} // namespace

int usage(const QString& problem) {
    if (!problem.isEmpty())
        printError(problem);
    printError(usageText());
    return kUsage;
}

Options parseOptions(const QStringList& args, const QStringList& withValue,
                     const QStringList& flags) {
    Options o;
    for (qsizetype i = 0; i < args.size(); ++i) {
        QString a = args[i];
        if (!a.startsWith(QLatin1String("--")) || a == QLatin1String("--")) {
            o.positional << a;
            continue;
        }
        QString value;
        bool inlineValue = false;
        if (const qsizetype eq = a.indexOf(QLatin1Char('=')); eq > 0) {
            value = a.mid(eq + 1);
            a = a.left(eq);
            inlineValue = true;
        }
        const QString name = a.mid(2);
        if (withValue.contains(name)) {
            if (!inlineValue) {
                if (i + 1 >= args.size()) {
                    o.error = QStringLiteral("option --%1 needs a value").arg(name);
                    return o;
                }
                value = args[++i];
            }
            o.values.insert(name, value);
        } else if (flags.contains(name) && !inlineValue) {
            o.flags << name;
        } else {
            o.error = QStringLiteral("unknown option: %1").arg(args[i]);
            return o;
        }
    }
    return o;
}

Context::Context(const QString& folder) : file(QString()), settings() {
    env.programFolder = folder;
    env.systemCountryCode = Environment::systemCountryCodeFromLocale();
    file = ProfileFile(env.settingsPath());
    settings = LoadSettings(file, env.today(), env.systemCountryCode);
    messages.fill(settings.language);
}

std::optional<int> Context::yearFrom(const Options& o) const {
    const QString text =
        o.values.value(QStringLiteral("year"), QString::number(settings.selectedYear));
    const auto year = parseYear(text);
    if (!year)
        printError(messages.text(Msg::YearRange));
    return year;
}

QString tsvRow(const QStringList& fields) {
    QString row;
    for (qsizetype i = 0; i < fields.size(); ++i) {
        if (i > 0)
            row += QLatin1Char('\t');
        QString field = fields[i];
        for (QChar& c : field) {
            const char16_t u = c.unicode();
            if (u == u'\t' || u == u'\n' || u == u'\v' || u == u'\f' || u == u'\r' || u == 0x85 ||
                u == 0x2028 || u == 0x2029)
                c = QLatin1Char(' ');
        }
        row += field;
    }
    return row + QLatin1Char('\n');
}

HolidayBoxes Context::boxesFor(const Country& country) const {
    return mv::boxesFor(settings.holidays, settings.country, country);
}

DayListInput Context::dayListInput(int year, const Country& country,
                                   const HolidayBoxes& boxes) const {
    return mv::dayListInput(settings, year, country, boxes);
}

DayList Context::storedDayList(int year) const {
    return mv::storedDayList(settings, year);
}

namespace {

int cmdDays(Context& ctx, const QStringList& args) {
    const Options o = parseOptions(args,
                                   {QStringLiteral("year"), QStringLiteral("country"),
                                    QStringLiteral("selection"), QStringLiteral("format")},
                                   {});
    if (!o.error.isEmpty() || !o.positional.isEmpty())
        return usage(o.error.isEmpty()
                         ? QStringLiteral("unexpected argument: ") + o.positional.first()
                         : o.error);
    const bool countryGiven = o.values.contains(QStringLiteral("country"));
    const Country country = countryGiven
                                ? Country::fromStored(o.values.value(QStringLiteral("country")))
                                : ctx.settings.country;
    if (countryGiven && country.kind() == Country::Kind::Other)
        return usage(QStringLiteral("--country must be Deutschland, USA or Östereich"));
    const QString format = o.values.value(QStringLiteral("format"), QStringLiteral("text"));
    if (format != QLatin1String("text") && format != QLatin1String("tsv"))
        return usage(QStringLiteral("--format must be text or tsv"));
    HolidayBoxes boxes = ctx.boxesFor(country);
    if (o.values.contains(QStringLiteral("selection"))) {
        const QString mask = o.values.value(QStringLiteral("selection"));
        static const QRegularExpression maskForm(QStringLiteral("^[01]{12}$"));
        if (!maskForm.match(mask).hasMatch())
            return usage(QStringLiteral("--selection must be 12 characters of 0 and 1"));
        for (int i = 0; i < 12; ++i)
            boxes[size_t(i)] = mask[i] == QLatin1Char('1');
    }
    const auto year = ctx.yearFrom(o);
    if (!year)
        return kUsage;
    const DayList list = BuildDayList(ctx.dayListInput(*year, country, boxes));

    QString out;
    if (format == QLatin1String("tsv")) {
        for (const DayEntry& d : list)
            out += tsvRow({d.date, d.designation, d.time, d.place});
    } else {
        qsizetype w1 = 0, w2 = 0;
        for (const DayEntry& d : list) {
            w1 = std::max(w1, d.designation.size());
            w2 = std::max(w2, d.time.size());
        }
        for (const DayEntry& d : list) {
            QString line = d.date + QStringLiteral("  ") + d.designation.leftJustified(w1) +
                           QStringLiteral("  ") + d.time.leftJustified(w2) + QStringLiteral("  ") +
                           d.place;
            out += line.trimmed() + QLatin1Char('\n');
        }
    }
    print(out);
    return kOk;
}

int cmdDefinitionFile(Context& ctx, const QStringList& args) {
    const Options o = parseOptions(args, {QStringLiteral("year"), QStringLiteral("out")}, {});
    if (!o.error.isEmpty() || !o.positional.isEmpty())
        return usage(o.error.isEmpty()
                         ? QStringLiteral("unexpected argument: ") + o.positional.first()
                         : o.error);
    const auto year = ctx.yearFrom(o);
    if (!year)
        return kUsage;
    const QString folder = o.values.value(QStringLiteral("out"), ctx.settings.definitionPath);
    if (!writeDefinitionFile(folder, ctx.storedDayList(*year))) {
        printError(ctx.messages.text(Msg::FileNotCreated));
        return kFailure;
    }
    print(ctx.messages.text(Msg::FileCreated) + QLatin1Char('"') + definitionFilePath(folder) +
          QStringLiteral("\"\n"));
    return kOk;
}

int cmdCipher(const QStringList& args) {
    const Options o = parseOptions(args, {QStringLiteral("passphrase")}, {});
    if (!o.error.isEmpty())
        return usage(o.error);
    if (o.positional.size() != 1 || (o.positional[0] != QLatin1String("encrypt") &&
                                     o.positional[0] != QLatin1String("decrypt")))
        return usage(QStringLiteral("cipher needs encrypt or decrypt"));
    const QByteArray pass = o.values.contains(QStringLiteral("passphrase"))
                                ? toCp1252(o.values.value(QStringLiteral("passphrase")))
                                : QByteArray(kPassPhrase);
    QFile in;
    if (!in.open(stdin, QIODevice::ReadOnly))
        return kFailure;
    const QByteArray input = in.readAll();
    const QByteArray output = o.positional[0] == QLatin1String("encrypt")
                                  ? EncryptText(input, pass)
                                  : DecryptText(input, pass);
    std::fwrite(output.constData(), 1, size_t(output.size()), stdout);
    return kOk;
}

} // namespace

int run(const QStringList& argsIn, const ProgramFolder& defaultFolder) {
    QStringList args = argsIn;
    ProgramFolder folder = defaultFolder;
    while (!args.isEmpty() && args.first().startsWith(QLatin1String("--folder"))) {
        if (args.first() == QLatin1String("--folder")) {
            if (args.size() < 2)
                return usage(QStringLiteral("--folder needs a value"));
            folder = {args[1], false};
            args = args.mid(2);
        } else if (args.first().startsWith(QLatin1String("--folder="))) {
            folder = {args.first().mid(9), false};
            args = args.mid(1);
        } else {
            break;
        }
        // An empty folder would put every file into the root folder.
        if (folder.path.trimmed().isEmpty())
            return usage(QStringLiteral("--folder needs a value"));
    }
    if (args.isEmpty())
        return usage(QString());
    const QString command = args.takeFirst();
    if (command == QLatin1String("--help") || command == QLatin1String("-h")) {
        print(usageText() + QLatin1Char('\n'));
        return kOk;
    }
    if (command == QLatin1String("--version")) {
        print(QStringLiteral("marvolingen-cli " MV_VERSION "\n"));
        return kOk;
    }
    if (command == QLatin1String("cipher"))
        return cmdCipher(args);

    if (const Result<void> prepared = prepareProgramFolder(folder); !prepared) {
        printError(QStringLiteral("cannot create the program folder %1: %2")
                       .arg(folder.path, prepared.error()));
        return kFailure;
    }
    if (command == QLatin1String("folder")) {
        if (!args.isEmpty())
            return usage(QStringLiteral("folder takes no arguments"));
        print(QDir::cleanPath(QDir(folder.path.trimmed()).absolutePath()) + QLatin1Char('\n'));
        return kOk;
    }
    Context ctx(folder.path);
    if (command == QLatin1String("days"))
        return cmdDays(ctx, args);
    if (command == QLatin1String("definition-file"))
        return cmdDefinitionFile(ctx, args);
    if (command == QLatin1String("ics"))
        return cmdIcs(ctx, args);
    if (command == QLatin1String("key"))
        return cmdKey(ctx, args);
    if (command == QLatin1String("write"))
        return cmdWrite(ctx, args);
    if (command == QLatin1String("delete-all"))
        return cmdDeleteAll(ctx, args);
    if (command == QLatin1String("groupwise"))
        return cmdGroupWise(ctx, args);
    if (command == QLatin1String("caldav"))
        return cmdCalDav(ctx, args);
    return usage(QStringLiteral("unknown command: ") + command);
}

} // namespace mv::cli
