#pragma once

#include <QStringList>

namespace mv::cli {

// Runs one command line (without the program name); returns the exit code.
// Exit codes: 0 success, 1 failure, 2 usage error.
int run(const QStringList& args, const QString& defaultFolder);

} // namespace mv::cli
