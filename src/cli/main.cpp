// marvolingen-cli: the program's core without a window, for scripted use.
#include "cli/commands.h"

#include <QCoreApplication>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    return mv::cli::run(QCoreApplication::arguments().mid(1),
                        mv::resolveProgramFolder(mv::ProgramFolderInput::fromProcess()));
}
