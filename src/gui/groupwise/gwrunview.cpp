#include "groupwise/gwrunview.h"

#include <QCoreApplication>
#include <QLabel>
#include <QTreeWidget>

namespace mv {

RunView::RunView(Widgets widgets, MessageTable messages,
                 std::function<void(const Notice&)> showWarning)
    : list_(widgets.list), name_(widgets.name), date_(widgets.date),
      designation_(widgets.designation), messages_(std::move(messages)),
      showWarning_(std::move(showWarning)) {}

void RunView::warning(Msg /*message*/, const Notice& notice) {
    if (showWarning_)
        showWarning_(notice);
}

void RunView::runStarted(RunKind kind, int /*targets*/) {
    kind_ = kind;
    if (list_)
        list_->clear();
    if (kind == RunKind::Write) {
        for (QLabel* l : {name_.data(), date_.data()})
            if (l)
                l->show();
    }
    if (designation_) {
        designation_->show();
        designation_->setText(messages_[Msg::PleaseWait]);
    }
}

void RunView::targetStarted(const QString& target) {
    if (!list_)
        return;
    auto* item = new QTreeWidgetItem(list_);
    item->setText(0, target);
    scrollPending_ = true;
    if (kind_ != RunKind::Write)
        list_->scrollToItem(item);
}

void RunView::loginResult(const QString& /*target*/, bool ok) {
    setLastRow(1, ok ? QStringLiteral("OK") : QStringLiteral("--"));
    if (!ok)
        setLabel(kind_ == RunKind::Write ? name_.data() : designation_.data(),
                 messages_[Msg::NoLogin]);
}

void RunView::dayStarted(const QString& target, const DayEntry& day) {
    // The labels follow appointments; a note leaves them as they are.
    if (!day.isNote()) {
        target_ = target;
        day_ = day;
        dayPending_ = true;
    }
    refresh();
}

void RunView::dayResult(const QString& /*target*/, const DayEntry& /*day*/, bool /*ok*/) {
    refresh();
}

void RunView::entryDeleted(const QString& /*target*/, int number, bool /*ok*/) {
    setLabel(designation_.data(), QStringLiteral("Eintrag/Entry Nr.") + QString::number(number) +
                                      messages_[Msg::WillBeDeleted]);
}

void RunView::targetFinished(const ProcessingRow& row) {
    if (!row.entry.isEmpty())
        setLastRow(2, row.entry);
}

void RunView::runFinished() {
    if (scrollPending_ && list_)
        list_->scrollToItem(list_->topLevelItem(list_->topLevelItemCount() - 1));
    scrollPending_ = false;
    for (QLabel* l : {name_.data(), date_.data(), designation_.data()}) {
        if (l) {
            l->clear();
            l->hide();
        }
    }
}

void RunView::setLastRow(int column, const QString& text) {
    if (!list_)
        return;
    if (QTreeWidgetItem* last = list_->topLevelItem(list_->topLevelItemCount() - 1))
        last->setText(column, text);
}

void RunView::setLabel(QLabel* label, const QString& text) {
    if (label)
        label->setText(text);
}

void RunView::refresh() {
    if (kind_ != RunKind::Write)
        return;
    if (sinceRefresh_.isValid() && sinceRefresh_.elapsed() < kRefreshMs)
        return;
    if (scrollPending_ && list_) {
        list_->scrollToItem(list_->topLevelItem(list_->topLevelItemCount() - 1));
        scrollPending_ = false;
    }
    if (dayPending_) {
        setLabel(name_.data(), target_);
        setLabel(date_.data(), day_.date);
        setLabel(designation_.data(), day_.designation);
        dayPending_ = false;
    }
    QCoreApplication::processEvents();
    sinceRefresh_.restart();
}

} // namespace mv
