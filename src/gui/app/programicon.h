#pragma once

#include <QIcon>

namespace mv {

// The icon the desktop entry names, for the title bars of all the program's windows.
QIcon programWindowIcon();

} // namespace mv
