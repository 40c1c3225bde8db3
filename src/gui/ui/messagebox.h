#pragma once

#include <QMessageBox>
#include <QString>
#include <functional>

namespace mv {

// One message box as the program wants it shown; kept as data so tests can answer it.
struct MessageRequest {
    QString text;
    QString title;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QMessageBox::StandardButtons buttons = QMessageBox::Ok;
};

// Shows a request and returns the QMessageBox::StandardButton chosen.
using MessageBoxFunction = std::function<int(const MessageRequest&)>;

inline int showMessageBox(QWidget* parent, const MessageRequest& request) {
    QMessageBox box(request.icon, request.title, request.text, request.buttons, parent);
    return box.exec();
}

} // namespace mv
