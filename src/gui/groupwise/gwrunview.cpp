#include "groupwise/gwrunview.h"

#include <QCoreApplication>
#include <QLabel>
#include <QTreeWidget>

namespace mv {

RunView::RunView(Widgets widgets, std::function<void(const Notice&)> showWarning)
    : list_(widgets.list), name_(widgets.name), date_(widgets.date),
      designation_(widgets.designation), showWarning_(std::move(showWarning)) {}

void RunView::warning(Msg /*message*/, const Notice& notice) {
    if (showWarning_)
        showWarning_(notice);
}

void RunView::clearRows() {
    if (list_)
        list_->clear();
}

void RunView::showLabels(Labels which) {
    for (QLabel* l : {name_.data(), date_.data()})
        if (l && which == Labels::All)
            l->show();
    if (designation_)
        designation_->show();
}

void RunView::hideLabels() {
    for (QLabel* l : {name_.data(), date_.data(), designation_.data()}) {
        if (l) {
            l->clear();
            l->hide();
        }
    }
}

void RunView::nameLabel(const QString& text) {
    if (name_)
        name_->setText(text);
}

void RunView::dateLabel(const QString& text) {
    if (date_)
        date_->setText(text);
}

void RunView::designationLabel(const QString& text) {
    if (designation_)
        designation_->setText(text);
}

void RunView::userStarted(const QString& userText) {
    if (!list_)
        return;
    auto* item = new QTreeWidgetItem(list_);
    item->setText(0, userText);
    list_->scrollToItem(item);
}

void RunView::loginColumn(const QString& text) {
    setLastRow(1, text);
}

void RunView::entryColumn(const QString& text) {
    setLastRow(2, text);
}

void RunView::setLastRow(int column, const QString& text) {
    if (!list_)
        return;
    if (QTreeWidgetItem* last = list_->topLevelItem(list_->topLevelItemCount() - 1))
        last->setText(column, text);
}

void RunView::processEvents() {
    QCoreApplication::processEvents();
}

} // namespace mv
