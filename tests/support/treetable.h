#pragma once

#include <QStringList>

class QTreeWidget;
class QTreeWidgetItem;

// Reads and fills report lists cell by cell, as the user sees them.
namespace mvtest {

// The cells of row i, one per column.
QStringList rowCells(const QTreeWidget* list, int i);
// The cells of column c, top to bottom.
QStringList columnCells(const QTreeWidget* list, int c);
// Every row as its cells joined by "|".
QStringList joinedRows(const QTreeWidget* list);
QTreeWidgetItem* addRow(QTreeWidget* list, const QStringList& cells);

} // namespace mvtest
