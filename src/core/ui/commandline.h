#pragma once

#include <QString>
#include <QStringList>

namespace mv {

struct CommandLineResult {
    bool debugMode = false;
    QString fileName;     // validated, otherwise unused
    QStringList messages; // message boxes to show, in order (debug notice last)
};

// Splits the command-line text at every single blank and reads the switches.
CommandLineResult ParseCommandLine(const QString& text);

} // namespace mv
