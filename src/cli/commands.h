#pragma once

#include "ui/programfolder.h"

#include <QStringList>

namespace mv::cli {

// Runs one command line (without the program name); returns the exit code.
// Exit codes: 0 success, 1 failure, 2 usage error. --folder replaces the default folder.
int run(const QStringList& args, const ProgramFolder& defaultFolder);

} // namespace mv::cli
