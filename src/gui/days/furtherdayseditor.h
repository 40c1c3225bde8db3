#pragma once

#include "app/windowparts.h"
#include "calendar/dayentry.h"
#include "days/appearanceswitches.h"
#include "ui/language.h"

#include <QGroupBox>
#include <array>

class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace mv {

// The further-day editor (frmWeitereTage): the fields of one day, the list of further
// days, and the edit mode in which an add writes back into the row loaded by a double click.
class FurtherDaysEditor : public QGroupBox {
    Q_OBJECT
public:
    struct Links {
        // The text of the year field; "*" of a yearly day stands for it.
        std::function<QString()> yearText;
        // The default appointment the fields return to after an add.
        std::function<std::optional<DefaultAppointment>()> defaultAppointment;
        // The calendar part of removing a day the user confirmed; false keeps the day.
        std::function<bool(const DayEntry&)> removeFromCalendars;
        // The question before a removal, naming the calendars the day would also leave.
        std::function<Msg()> removalQuestion;
    };

    FurtherDaysEditor(WindowMessages messages, QWidget* parent = nullptr);
    // Given once the window's other parts exist.
    void setLinks(Links links) { links_ = std::move(links); }

    DayList days() const;
    void setDays(const DayList& rows);
    void setColumnCaptions(const QStringList& captions);
    // Tool tips and accessible names of the picture buttons.
    void setLanguage(Language language);
    AppointmentFields appointmentFields() const;
    // The remove command, locked while a GroupWise action runs.
    QPushButton* removeCommand() const { return cmdLöschen_; }

private:
    void txtDatum_LostFocus();
    void txtTerminVon_LostFocus();
    void txtTerminBis_LostFocus();
    void optEintragenIn_Click(int index);
    void cmdHinzu_Click();
    void cmdLöschen_Click();
    void lvWeitereTage_ItemClick(QTreeWidgetItem* item);
    void lvWeitereTage_DblClick();
    void lvWeitereTage_ColumnClick(int column);
    void endEditMode();
    // Refuses a field whose text the settings file cannot hold; false after the message.
    bool storable(const QList<QLineEdit*>& fields);

    WindowMessages messages_;
    Links links_;

    // The highlighted row, however it was selected.
    QTreeWidgetItem* itmSelectedDay_ = nullptr;
    bool bEditMode_ = false;
    // The row being edited; it stays this row when the list is sorted.
    QTreeWidgetItem* itmEditedDay_ = nullptr;

    QLabel* lblTerminDatum_ = nullptr;
    QLabel* lblTerminBezeichnung_ = nullptr;
    QLineEdit* txtDatum_ = nullptr;
    QLineEdit* txtBezeichnung_ = nullptr;
    std::array<QRadioButton*, 2> optEintragenIn_{};
    QLabel* lblTerminVon_ = nullptr;
    QLabel* lblTerminBis_ = nullptr;
    QLabel* lblTerminOrt_ = nullptr;
    QLineEdit* txtTerminVon_ = nullptr;
    QLineEdit* txtTerminBis_ = nullptr;
    QLineEdit* txtTerminOrt_ = nullptr;
    QPushButton* cmdHinzu_ = nullptr;
    QPushButton* cmdLöschen_ = nullptr;
    QTreeWidget* lvWeitereTage_ = nullptr;
};

} // namespace mv
