#pragma once

#include "calendar/daylist.h"
#include "settings/profilefile.h"
#include "settings/settings.h"
#include "ui/environment.h"
#include "ui/messages.h"

#include <QMap>
#include <QRegularExpression>
#include <QStringList>
#include <optional>

namespace mv::cli {

inline constexpr int kOk = 0;
inline constexpr int kFailure = 1;
inline constexpr int kUsage = 2;

struct Options {
    QMap<QString, QString> values;
    QStringList flags;
    QStringList positional;
    QString error;
};

Options parseOptions(const QStringList& args, const QStringList& withValue,
                     const QStringList& flags);

// One tab-separated line: tabs and line ends inside a field become blanks, so that the
// row keeps exactly its fields.
QString tsvRow(const QStringList& fields);

void print(const QString& text);      // UTF-8 to standard output
void printError(const QString& text); // UTF-8 line to standard error
int usage(const QString& problem);

// The program folder with its settings, loaded as the window loads them.
struct Context {
    explicit Context(const QString& folder);

    Environment env;
    ProfileFile file;
    Settings settings;
    MessageTable messages;

    // --year or the stored year; prints MsgYearRange when out of range or no number.
    std::optional<int> yearFrom(const Options& o) const;
    HolidayBoxes boxesFor(const Country& country) const;
    DayListInput dayListInput(int year, const Country& country, const HolidayBoxes& boxes) const;
    DayList storedDayList(int year) const;
};

int cmdKey(Context& ctx, const QStringList& args);
int cmdWrite(Context& ctx, const QStringList& args);
int cmdDeleteAll(Context& ctx, const QStringList& args);
int cmdGroupWise(Context& ctx, const QStringList& args);
int cmdIcs(Context& ctx, const QStringList& args);
int cmdCalDav(Context& ctx, const QStringList& args);

} // namespace mv::cli
