#include "treetable.h"

#include <QTreeWidget>

namespace mvtest {

QStringList rowCells(const QTreeWidget* list, int i) {
    QStringList out;
    for (int c = 0; c < list->columnCount(); ++c)
        out << list->topLevelItem(i)->text(c);
    return out;
}

QStringList columnCells(const QTreeWidget* list, int c) {
    QStringList out;
    for (int i = 0; i < list->topLevelItemCount(); ++i)
        out << list->topLevelItem(i)->text(c);
    return out;
}

QStringList joinedRows(const QTreeWidget* list) {
    QStringList out;
    for (int i = 0; i < list->topLevelItemCount(); ++i)
        out << rowCells(list, i).join(QLatin1Char('|'));
    return out;
}

QTreeWidgetItem* addRow(QTreeWidget* list, const QStringList& cells) {
    auto* item = new QTreeWidgetItem(list);
    for (int c = 0; c < cells.size(); ++c)
        item->setText(c, cells[c]);
    return item;
}

} // namespace mvtest
