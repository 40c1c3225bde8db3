#include "messagerecorder.h"

namespace mvtest {

mv::MessageBoxFunction MessageRecorder::function() {
    return [this](const mv::MessageRequest& r) {
        shown.append(r);
        if (onShow)
            onShow(r);
        if (!answers.isEmpty())
            return answers.takeFirst();
        return int(r.buttons.testFlag(QMessageBox::Yes) ? QMessageBox::Yes : QMessageBox::Ok);
    };
}

mv::MessageRequest MessageRecorder::last() const {
    return shown.isEmpty() ? mv::MessageRequest{} : shown.last();
}

} // namespace mvtest
