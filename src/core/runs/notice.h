#pragma once

#include <QString>

namespace mv {

// A message box as an action wants it shown; the window and the command-line program only
// display it (OK button).
struct Notice {
    enum class Icon { None, Information, Exclamation, Critical };
    QString text;
    QString title;
    Icon icon = Icon::None;
};

} // namespace mv
