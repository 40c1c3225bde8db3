#include "days/furtherdayseditor.h"

#include "app/controls.h"
#include "app/treerows.h"
#include "app/waitcursor.h"
#include "calendar/dates.h"
#include "days/checktime.h"
#include "days/furtherday.h"
#include "settings/codepage.h"
#include "ui/captions.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>

namespace mv {

using namespace controls;

FurtherDaysEditor::FurtherDaysEditor(WindowMessages messages, QWidget* parent)
    : QGroupBox(parent), messages_(std::move(messages)) {
    setObjectName(QStringLiteral("frmWeitereTage"));
    txtDatum_ = field(QStringLiteral("txtDatum"));
    txtBezeichnung_ = field(QStringLiteral("txtBezeichnung"));
    optEintragenIn_[0] = named<QRadioButton>(QStringLiteral("optEintragenIn_0"));
    optEintragenIn_[1] = named<QRadioButton>(QStringLiteral("optEintragenIn_1"));
    optEintragenIn_[0]->setChecked(true);
    lblTerminVon_ = label(QStringLiteral("lblTerminVon"));
    lblTerminBis_ = label(QStringLiteral("lblTerminBis"));
    lblTerminOrt_ = label(QStringLiteral("lblTerminOrt"));
    txtTerminVon_ = timeField(QStringLiteral("txtTerminVon"));
    txtTerminBis_ = timeField(QStringLiteral("txtTerminBis"));
    txtTerminOrt_ = field(QStringLiteral("txtTerminOrt"));
    txtTerminVon_->setText(QStringLiteral("07:00"));
    txtTerminBis_->setText(QStringLiteral("20:00"));
    cmdHinzu_ = named<QPushButton>(QStringLiteral("cmdHinzu"));
    cmdHinzu_->setIcon(style()->standardIcon(QStyle::SP_ArrowDown));
    cmdLöschen_ = named<QPushButton>(QStringLiteral("cmdLöschen"));
    cmdLöschen_->setIcon(style()->standardIcon(QStyle::SP_DialogDiscardButton));
    setLanguage(Language::German);
    lvWeitereTage_ = reportList(QStringLiteral("lvWeitereTage"), designedFurtherDayColumns());
    // Date, time and a short place fit beside the designation without a horizontal scroll
    // bar: the columns are as wide as their usual content, the list somewhat wider.
    const QFontMetrics fm = lvWeitereTage_->fontMetrics();
    const int pad = 2 * fm.horizontalAdvance(QLatin1Char('0'));
    lvWeitereTage_->header()->setMinimumSectionSize(fm.horizontalAdvance(QStringLiteral("Ort")) +
                                                    pad);
    lvWeitereTage_->setColumnWidth(0, fm.horizontalAdvance(QStringLiteral("00.00.0000")) + pad);
    lvWeitereTage_->setColumnWidth(1,
                                   fm.horizontalAdvance(QStringLiteral("Neujahrsempfang")) + pad);
    lvWeitereTage_->setColumnWidth(2, fm.horizontalAdvance(QStringLiteral("00:00 - 00:00")) + pad);
    // The stretched last column never gets narrower than its own width.
    lvWeitereTage_->setColumnWidth(3, fm.horizontalAdvance(QStringLiteral("Rathaus")) + pad);
    int columns = 0;
    for (int c = 0; c < 4; ++c)
        columns += lvWeitereTage_->columnWidth(c);
    // room for the vertical scroll bar of a long list
    lvWeitereTage_->setMinimumWidth(columns + 2 * lvWeitereTage_->frameWidth() +
                                    style()->pixelMetric(QStyle::PM_ScrollBarExtent));

    lblTerminDatum_ = label(QStringLiteral("lblTerminDatum"));
    lblTerminBezeichnung_ = label(QStringLiteral("lblTerminBezeichnung"));
    auto* g = new QGridLayout(this);
    g->addWidget(lblTerminDatum_, 0, 0);
    g->addWidget(txtDatum_, 0, 1, 1, 3);
    g->addWidget(lblTerminBezeichnung_, 1, 0);
    g->addWidget(txtBezeichnung_, 1, 1, 1, 3);
    auto* opts = new QHBoxLayout;
    opts->addWidget(optEintragenIn_[0]);
    opts->addWidget(optEintragenIn_[1]);
    opts->addStretch();
    g->addLayout(opts, 2, 1, 1, 3);
    auto* times = new QHBoxLayout;
    times->addWidget(txtTerminVon_);
    times->addWidget(lblTerminBis_);
    times->addWidget(txtTerminBis_);
    times->addStretch();
    g->addWidget(lblTerminVon_, 3, 0);
    g->addLayout(times, 3, 1, 1, 3);
    g->addWidget(lblTerminOrt_, 4, 0);
    g->addWidget(txtTerminOrt_, 4, 1, 1, 3);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdHinzu_);
    buttons->addWidget(cmdLöschen_);
    g->addLayout(buttons, 5, 0, 1, 4);
    g->addWidget(lvWeitereTage_, 6, 0, 1, 4);
    g->setRowStretch(6, 1);
    g->setColumnStretch(3, 1);

    for (int i = 0; i < 2; ++i)
        connect(optEintragenIn_[i], &QRadioButton::clicked, this,
                [this, i] { optEintragenIn_Click(i); });
    connect(cmdHinzu_, &QPushButton::clicked, this, &FurtherDaysEditor::cmdHinzu_Click);
    connect(cmdLöschen_, &QPushButton::clicked, this, &FurtherDaysEditor::cmdLöschen_Click);
    // The highlighted row is the one acted on, whether it was clicked or reached by keys.
    connect(lvWeitereTage_, &QTreeWidget::itemSelectionChanged, this,
            [this] { lvWeitereTage_ItemClick(lvWeitereTage_->selectedItems().value(0)); });
    connect(lvWeitereTage_, &QTreeWidget::itemDoubleClicked, this,
            [this] { lvWeitereTage_DblClick(); });
    connect(lvWeitereTage_->header(), &QHeaderView::sectionClicked, this,
            &FurtherDaysEditor::lvWeitereTage_ColumnClick);
    watchLostFocus(txtTerminVon_, [this] { txtTerminVon_LostFocus(); });
    watchLostFocus(txtTerminBis_, [this] { txtTerminBis_LostFocus(); });
    watchLostFocus(txtDatum_, [this] { txtDatum_LostFocus(); });
}

DayList FurtherDaysEditor::days() const {
    return dayRows(lvWeitereTage_);
}

void FurtherDaysEditor::setDays(const DayList& rows) {
    endEditMode();
    setDayRows(lvWeitereTage_, rows);
}

void FurtherDaysEditor::setColumnCaptions(const QStringList& captions) {
    lvWeitereTage_->setHeaderLabels(captions);
}

void FurtherDaysEditor::setLanguage(Language language) {
    const bool english = language == Language::English;
    const QString add = english ? QStringLiteral("Add the day, or apply the changes to the "
                                                 "day being edited")
                                : QStringLiteral("Tag hinzufügen oder die Änderungen am "
                                                 "bearbeiteten Tag übernehmen");
    const QString remove = english ? QStringLiteral("Remove the selected day")
                                   : QStringLiteral("Markierten Tag entfernen");
    cmdHinzu_->setToolTip(add);
    cmdHinzu_->setAccessibleName(english ? QStringLiteral("Add day")
                                         : QStringLiteral("Tag hinzufügen"));
    cmdHinzu_->setAccessibleDescription(add);
    cmdLöschen_->setToolTip(remove);
    cmdLöschen_->setAccessibleName(english ? QStringLiteral("Remove day")
                                           : QStringLiteral("Tag entfernen"));
    cmdLöschen_->setAccessibleDescription(remove);
}

AppointmentFields FurtherDaysEditor::appointmentFields() const {
    return {txtTerminVon_, txtTerminBis_, txtTerminOrt_};
}

void FurtherDaysEditor::lvWeitereTage_ColumnClick(int column) {
    if (column != 0) {
        lvWeitereTage_->sortItems(column, Qt::AscendingOrder);
        lvWeitereTage_->header()->setSortIndicatorShown(false);
        return;
    }
    WaitCursor wait;
    QCoreApplication::processEvents();
    sortDayRowsByDate(lvWeitereTage_, links_.yearText());
}

void FurtherDaysEditor::txtTerminVon_LostFocus() {
    txtTerminVon_->setText(txtTerminVon_->text().trimmed());
    txtTerminBis_->setText(txtTerminBis_->text().trimmed());
    const QString m = checkTimeField(txtTerminVon_, txtTerminBis_, messages_);
    if (m.isEmpty())
        return;
    messages_.box(QMessageBox::NoIcon, QString::fromLatin1(kAppTitle), m);
    txtTerminVon_->clear();
}

void FurtherDaysEditor::txtTerminBis_LostFocus() {
    txtTerminVon_->setText(txtTerminVon_->text().trimmed());
    txtTerminBis_->setText(txtTerminBis_->text().trimmed());
    const QString m = checkTimeField(txtTerminBis_, txtTerminVon_, messages_);
    if (m.isEmpty())
        return;
    messages_.box(QMessageBox::NoIcon, QString::fromLatin1(kAppTitle), m);
    txtTerminBis_->clear();
}

void FurtherDaysEditor::txtDatum_LostFocus() {
    if (txtDatum_->text().isEmpty())
        return;
    const QString s = txtDatum_->text().trimmed();
    const QString yearText = links_.yearText();
    const bool yearly = s.endsWith(QLatin1String(".*"));
    QString text = s;
    if (yearly)
        text.replace(QLatin1Char('*'), yearText);
    const QDate date = parseDate(text);
    if (!date.isValid()) {
        messages_.box(QMessageBox::Warning, messages_.msg(Msg::TitleDateTime),
                      messages_.msg(Msg::DateInvalid));
        txtDatum_->clear();
        txtDatum_->setFocus();
        return;
    }
    text = formatDate(date);
    if (yearly && !yearText.isEmpty())
        text.replace(yearText, QStringLiteral("*"));
    txtDatum_->setText(text);
}

void FurtherDaysEditor::optEintragenIn_Click(int index) {
    const bool appointment = index == 0;
    for (QWidget* w : {static_cast<QWidget*>(lblTerminVon_), static_cast<QWidget*>(lblTerminBis_),
                       static_cast<QWidget*>(lblTerminOrt_), static_cast<QWidget*>(txtTerminVon_),
                       static_cast<QWidget*>(txtTerminBis_), static_cast<QWidget*>(txtTerminOrt_)})
        w->setVisible(appointment);
}

void FurtherDaysEditor::endEditMode() {
    bEditMode_ = false;
    itmEditedDay_ = nullptr;
}

bool FurtherDaysEditor::storable(const QList<QLineEdit*>& fields) {
    const std::pair<QLineEdit*, QLabel*> names[] = {
        {txtDatum_, lblTerminDatum_},   {txtBezeichnung_, lblTerminBezeichnung_},
        {txtTerminVon_, lblTerminVon_}, {txtTerminBis_, lblTerminBis_},
        {txtTerminOrt_, lblTerminOrt_},
    };
    for (const auto& [field, caption] : names) {
        if (!fields.contains(field))
            continue;
        if (const auto u = findUnstorable({{caption->text(), field->text()}})) {
            messages_.box(QMessageBox::Warning, QString::fromLatin1(kAppTitle),
                          messages_.msg(Msg::Unstorable).arg(u->field, u->character));
            field->setFocus();
            return false;
        }
    }
    return true;
}

void FurtherDaysEditor::cmdHinzu_Click() {
    const QString title = messages_.msg(Msg::TitleDateTime);
    if (txtBezeichnung_->text().isEmpty()) {
        messages_.box(QMessageBox::Warning, messages_.msg(Msg::TitleDesignation),
                      messages_.msg(Msg::EnterDesignation));
        txtBezeichnung_->setFocus();
        return;
    }

    // The row to write: the one being edited, else a new one at the end.
    auto targetRow = [this]() -> QTreeWidgetItem* {
        if (bEditMode_ && itmEditedDay_)
            return itmEditedDay_;
        return new QTreeWidgetItem(lvWeitereTage_);
    };

    // What the settings file cannot hold is refused before it reaches the list; edit mode
    // stays, so the text can be mended.
    QList<QLineEdit*> written{txtDatum_, txtBezeichnung_};
    if (optEintragenIn_[0]->isChecked())
        written << txtTerminVon_ << txtTerminBis_ << txtTerminOrt_;
    if (!storable(written))
        return;

    if (!optEintragenIn_[0]->isChecked()) {
        // A note without a date could never be placed in a year.
        if (txtDatum_->text().trimmed().isEmpty()) {
            messages_.box(QMessageBox::Warning, title, messages_.msg(Msg::DateInvalid));
            txtDatum_->setFocus();
            endEditMode();
            return;
        }
        QTreeWidgetItem* item = targetRow();
        item->setText(0, txtDatum_->text());
        item->setText(1, txtBezeichnung_->text());
        item->setText(2, QStringLiteral("Note"));
        endEditMode();
        return;
    }

    if (txtTerminVon_->text().isEmpty() || txtTerminBis_->text().isEmpty()) {
        messages_.box(QMessageBox::Warning, title, messages_.msg(Msg::TimeInvalid));
        txtDatum_->setFocus();
        return;
    }
    const double start = timeTextMinutes(txtTerminVon_->text());
    const int end = roundToInt16(timeTextMinutes(txtTerminBis_->text()));
    if (end < start) {
        messages_.box(QMessageBox::Warning, title, messages_.msg(Msg::EndBeforeStart));
        endEditMode();
        return;
    }
    if (txtDatum_->text().isEmpty()) {
        messages_.box(QMessageBox::Warning, title, messages_.msg(Msg::DateInvalid));
        txtDatum_->setFocus();
        endEditMode();
        return;
    }
    setDayRow(targetRow(), {txtDatum_->text(), txtBezeichnung_->text(),
                            appointmentTimeCell(txtTerminVon_->text(), txtTerminBis_->text()),
                            txtTerminOrt_->text()});

    for (QLineEdit* f : {txtDatum_, txtBezeichnung_, txtTerminVon_, txtTerminBis_, txtTerminOrt_})
        f->clear();
    txtDatum_->setFocus();
    if (const auto standard = links_.defaultAppointment()) {
        txtTerminVon_->setText(standard->from);
        txtTerminBis_->setText(standard->to);
        txtTerminOrt_->setText(standard->place);
    }
    endEditMode();
}

void FurtherDaysEditor::lvWeitereTage_ItemClick(QTreeWidgetItem* item) {
    itmSelectedDay_ = item;
}

void FurtherDaysEditor::lvWeitereTage_DblClick() {
    if (!itmSelectedDay_)
        return;
    const DayEntry row = dayRow(itmSelectedDay_);
    txtDatum_->setText(row.date);
    txtBezeichnung_->setText(row.designation);
    if (row.isNote()) {
        optEintragenIn_[1]->setChecked(true);
        optEintragenIn_Click(1);
    } else {
        optEintragenIn_[0]->setChecked(true);
        optEintragenIn_Click(0);
        txtTerminOrt_->setText(row.place);
        if (const auto parts = splitTimeCell(row.time)) {
            txtTerminVon_->setText(parts->first);
            txtTerminBis_->setText(parts->second);
        } else {
            // Nothing to split: the end stays empty and the add refuses the row.
            txtTerminVon_->setText(row.time);
            txtTerminBis_->clear();
        }
    }
    bEditMode_ = true;
    itmEditedDay_ = itmSelectedDay_;
}

void FurtherDaysEditor::cmdLöschen_Click() {
    if (!itmSelectedDay_)
        return;
    const Msg question =
        links_.removalQuestion ? links_.removalQuestion() : Msg::ConfirmDeleteEntry;
    if (messages_.box(QMessageBox::NoIcon, QString::fromLatin1(kAppTitle), messages_.msg(question),
                      QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes) {
        if (!links_.removeFromCalendars(dayRow(itmSelectedDay_)))
            return;
    }
    QTreeWidgetItem* removed = itmSelectedDay_;
    itmSelectedDay_ = nullptr;
    // The edited row may be gone; an update must not overwrite another row.
    endEditMode();
    delete removed;
}

} // namespace mv
