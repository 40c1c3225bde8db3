#pragma once

#include "ui/messagebox.h"

#include <QList>

namespace mvtest {

// Records every message box and answers it from a script (OK, or Yes for questions, once
// the script is used up).
struct MessageRecorder {
    QList<mv::MessageRequest> shown;
    QList<int> answers;
    // Sees each box before it is answered (it may change the script).
    std::function<void(const mv::MessageRequest&)> onShow;

    mv::MessageBoxFunction function();
    mv::MessageRequest last() const;
};

} // namespace mvtest
