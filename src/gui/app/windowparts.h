#pragma once

#include "ui/messagebox.h"
#include "ui/messages.h"

#include <functional>

class QLineEdit;
class QWidget;

namespace mv {

// The message boxes and the message table that the parts of the main window share with it.
class WindowMessages {
public:
    // The table is the window's own; it is refilled whenever the language changes.
    WindowMessages(MessageBoxFunction show, const MessageTable& messages)
        : show_(std::move(show)), messages_(&messages) {}

    int box(QMessageBox::Icon icon, const QString& title, const QString& text,
            QMessageBox::StandardButtons buttons = QMessageBox::Ok) const {
        return show_(MessageRequest{text, title, icon, buttons});
    }
    QString msg(Msg m) const { return messages_->text(m); }

private:
    MessageBoxFunction show_;
    const MessageTable* messages_;
};

// Calls handler when w loses the focus to another control of the program (not to a
// message box or another application), once the focus has settled on the new widget.
void watchLostFocus(QWidget* w, std::function<void()> handler);

// Checks and normalises a time field against its partner (the other end of the span);
// the message to show, or "" when the time is fine.
QString checkTimeField(QLineEdit* field, const QLineEdit* partner, const WindowMessages& messages);

} // namespace mv
