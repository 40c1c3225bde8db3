#pragma once

#include "ui/environment.h"
#include "ui/result.h"

#include <QDateTime>
#include <QString>

namespace mv {

// Program folder + prefix + "dd.MM.yyyy H-m-s" + ".txt".
QString runLogFilePath(const Environment& environment, const QString& prefix, const QDateTime& at);

// Saves a run log ("PR-", "PR-DEL-") named by the environment's clock, followed by one line
// end, in the 8-bit code page. The file appears complete or not at all and never replaces
// another run's log: a name already taken gets " (2)", " (3)", ... before ".txt".
// Gives the path written, or why nothing was.
Result<QString> saveRunLog(const Environment& environment, const QString& prefix,
                           const QString& runLog);

} // namespace mv
