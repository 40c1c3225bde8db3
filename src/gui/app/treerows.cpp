#include "app/treerows.h"

#include "calendar/datesort.h"

#include <QTreeWidget>
#include <vector>

namespace mv {

DayEntry dayRow(const QTreeWidgetItem* item) {
    return {item->text(0), item->text(1), item->text(2), item->text(3)};
}

void setDayRow(QTreeWidgetItem* item, const DayEntry& row) {
    item->setText(0, row.date);
    item->setText(1, row.designation);
    item->setText(2, row.time);
    item->setText(3, row.place);
}

DayList dayRows(const QTreeWidget* list) {
    DayList rows;
    rows.reserve(list->topLevelItemCount());
    for (int i = 0; i < list->topLevelItemCount(); ++i)
        rows.append(dayRow(list->topLevelItem(i)));
    return rows;
}

void setDayRows(QTreeWidget* list, const DayList& rows) {
    list->clear();
    QList<QTreeWidgetItem*> items;
    items.reserve(rows.size());
    for (const DayEntry& row : rows) {
        auto* item = new QTreeWidgetItem;
        setDayRow(item, row);
        items.append(item);
    }
    list->addTopLevelItems(items);
}

AddressRow addressRow(const QTreeWidgetItem* item) {
    return {item->text(0), item->text(1), item->text(2), item->text(3)};
}

AddressList addressRows(const QTreeWidget* list) {
    AddressList rows;
    rows.reserve(list->topLevelItemCount());
    for (int i = 0; i < list->topLevelItemCount(); ++i)
        rows.append(addressRow(list->topLevelItem(i)));
    return rows;
}

namespace {

QTreeWidgetItem* addressItem(const AddressRow& row) {
    auto* item = new QTreeWidgetItem;
    item->setText(0, row.userId);
    item->setText(1, row.kind);
    item->setText(2, row.domain);
    item->setText(3, row.postOffice);
    return item;
}

} // namespace

void setAddressRows(QTreeWidget* list, const AddressList& rows) {
    list->clear();
    QList<QTreeWidgetItem*> items;
    items.reserve(rows.size());
    for (const AddressRow& row : rows)
        items.append(addressItem(row));
    list->addTopLevelItems(items);
}

void appendAddressRow(QTreeWidget* list, const AddressRow& row) {
    list->addTopLevelItem(addressItem(row));
}

void sortDayRowsByDate(QTreeWidget* list, const QString& yearText) {
    const int n = list->topLevelItemCount();
    if (n == 0)
        return;
    const DayList rows = dayRows(list);
    DayList sorted = rows;
    sortByDate(sorted, yearText);
    QList<QTreeWidgetItem*> taken;
    taken.reserve(n);
    while (list->topLevelItemCount() > 0)
        taken.append(list->takeTopLevelItem(0));
    // The sort is stable and equal rows have equal keys, so taking the first unused item
    // of equal content keeps equal rows in their order.
    std::vector<bool> used(size_t(n), false);
    QList<QTreeWidgetItem*> items;
    items.reserve(n);
    for (const DayEntry& row : sorted) {
        for (int i = 0; i < n; ++i) {
            if (!used[size_t(i)] && rows.at(i) == row) {
                used[size_t(i)] = true;
                items.append(taken.at(i));
                break;
            }
        }
    }
    list->addTopLevelItems(items);
    list->setCurrentItem(items.first());
    list->scrollToItem(items.first());
}

} // namespace mv
