#pragma once

#include "calendar/dayentry.h"
#include "settings/addressrow.h"

class QTreeWidget;
class QTreeWidgetItem;

// The lists of the window are the stores of their rows; these move typed rows in and out.
namespace mv {

DayEntry dayRow(const QTreeWidgetItem* item);
void setDayRow(QTreeWidgetItem* item, const DayEntry& row);
DayList dayRows(const QTreeWidget* list);
// Replaces every row of the list.
void setDayRows(QTreeWidget* list, const DayList& rows);

AddressRow addressRow(const QTreeWidgetItem* item);
AddressList addressRows(const QTreeWidget* list);
void setAddressRows(QTreeWidget* list, const AddressList& rows);
void appendAddressRow(QTreeWidget* list, const AddressRow& row);

// Sorts the rows ascending by date; the items move with their rows (selection, current
// item and pointers held elsewhere stay with their row). The first row becomes current.
void sortDayRowsByDate(QTreeWidget* list, const QString& yearText);

} // namespace mv
