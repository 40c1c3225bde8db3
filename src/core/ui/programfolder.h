#pragma once

#include "ui/result.h"

#include <QString>

namespace mv {

// The folder that holds Feiertage.ini, the run logs, GroupWise/ and the default definition
// file folder.
struct ProgramFolder {
    QString path;
    // An installed program never writes under its prefix: it keeps a folder per user, which
    // is created on first use.
    bool perUser = false;
};

// What decides the folder, gathered from the running process or given by a test.
struct ProgramFolderInput {
    QString executableFolder;
    QString xdgConfigHome; // $XDG_CONFIG_HOME, may be empty or unset
    QString home;          // $HOME
    // Install layout relative to the prefix (GNUInstallDirs), as the build configured it.
    QString binDir = QStringLiteral("bin");
    QString dataDir = QStringLiteral("share");

    static ProgramFolderInput fromProcess();
};

// Run from a build tree or an unpacked folder: beside the program. Installed under a prefix
// (recognised by the marker the installation puts into <datadir>/marvolingen):
// $XDG_CONFIG_HOME/marvolingen, or ~/.config/marvolingen.
ProgramFolder resolveProgramFolder(const ProgramFolderInput& in);

// The marker that makes a program in <prefix>/<bindir> count as installed.
QString installMarkerPath(const ProgramFolderInput& in);

// Creates a missing per-user folder with mode 0700 (missing parents as well); fails with
// the problem as a text.
Result<void> prepareProgramFolder(const ProgramFolder& folder);

} // namespace mv
