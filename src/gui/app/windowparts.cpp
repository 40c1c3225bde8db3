#include "app/windowparts.h"

#include "days/checktime.h"

#include <QEvent>
#include <QFocusEvent>
#include <QLineEdit>

namespace mv {

namespace {

bool isLostFocus(const QEvent* event) {
    if (event->type() != QEvent::FocusOut)
        return false;
    const auto reason = static_cast<const QFocusEvent*>(event)->reason();
    return reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason;
}

class LostFocusWatch : public QObject {
public:
    LostFocusWatch(QWidget* watched, std::function<void()> handler)
        : QObject(watched), handler_(std::move(handler)) {
        watched->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (isLostFocus(event))
            QMetaObject::invokeMethod(this, handler_, Qt::QueuedConnection);
        return QObject::eventFilter(watched, event);
    }

private:
    std::function<void()> handler_;
};

} // namespace

void watchLostFocus(QWidget* w, std::function<void()> handler) {
    new LostFocusWatch(w, std::move(handler));
}

QString checkTimeField(QLineEdit* field, const QLineEdit* partner, const WindowMessages& messages) {
    QString text = field->text();
    const TimeCheck r = CheckTime(text, field->objectName(), partner->text());
    if (text != field->text())
        field->setText(text);
    switch (r) {
    case TimeCheck::Ok:
        return {};
    case TimeCheck::Invalid:
        return messages.msg(Msg::TimeInvalid);
    case TimeCheck::EndBeforeStart:
        return messages.msg(Msg::EndBeforeStart);
    }
    return {};
}

} // namespace mv
