#pragma once

#include <QString>
#include <QStringList>

namespace mv {

// Runtime captions the language switch puts on the main window (German / English).
struct Caption {
    QString objectName;
    QString german;
    QString english;
};

const QList<Caption>& mainWindowCaptions();

} // namespace mv
