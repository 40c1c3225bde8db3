// The GroupWise side of the main window: address book, runs, trusted application key.
#include "app/frmdef.h"

#include <QPushButton>
#include <QTreeWidget>

namespace mv {

namespace {

bool sameCells(const QTreeWidgetItem* a, const QTreeWidgetItem* b, int cells) {
    for (int c = 0; c < cells; ++c)
        if (a->text(c) != b->text(c))
            return false;
    return true;
}

bool holds(const QTreeWidget* list, const QTreeWidgetItem* row, int cells) {
    for (int i = 0; i < list->topLevelItemCount(); ++i)
        if (sameCells(list->topLevelItem(i), row, cells))
            return true;
    return false;
}

void appendCopy(QTreeWidget* list, const QTreeWidgetItem* row) {
    auto* item = new QTreeWidgetItem(list);
    for (int c = 0; c < 4; ++c)
        item->setText(c, row->text(c));
}

} // namespace

void frmDef::cmdListAdressen_Click() {}

void frmDef::cmdAdresseWählen_Click() {
    for (int i = 0; i < lstAddressBookEntries_->topLevelItemCount(); ++i) {
        const QTreeWidgetItem* row = lstAddressBookEntries_->topLevelItem(i);
        if (row->isSelected() && !holds(lvAdressen_, row, 4))
            appendCopy(lvAdressen_, row);
    }
}

void frmDef::cmdAlleAdressen_Click() {
    for (int i = 0; i < lstAddressBookEntries_->topLevelItemCount(); ++i) {
        const QTreeWidgetItem* row = lstAddressBookEntries_->topLevelItem(i);
        if (!holds(lvAdressen_, row, 1))
            appendCopy(lvAdressen_, row);
    }
}

void frmDef::cmdAdresseEntfernen_Click() {
    for (int i = lvAdressen_->topLevelItemCount() - 1; i >= 0; --i)
        if (lvAdressen_->topLevelItem(i)->isSelected())
            delete lvAdressen_->topLevelItem(i);
}

void frmDef::cmdEintragen_Click() {}

void frmDef::cmddeleteall_Click() {}

void frmDef::cmdTAppErzeugen_Click() {}

void frmDef::cmdTAppLöschen_Click() {}

bool frmDef::cmdLöschen_GroupWise(QTreeWidgetItem* /*day*/) {
    return true;
}

} // namespace mv
