#include "app/frmdef.h"

#include "app/controls.h"
#include "app/treerows.h"
#include "app/waitcursor.h"
#include "app/windowparts.h"
#include "calendar/dates.h"
#include "days/appearanceswitches.h"
#include "days/furtherdayseditor.h"
#include "settings/definitionfile.h"
#include "settings/profilefile.h"
#include "settings/settings.h"
#include "ui/captions.h"
#include "ui/frmabout.h"
#include "ui/frmeinstellungen.h"
#include "ui/frmlanguage.h"

#include <QAction>
#include <QApplication>
#include <QCalendarWidget>
#include <QCheckBox>
#include <QCloseEvent>
#include <QHash>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QTextCharFormat>
#include <QTreeWidget>

namespace mv {

using namespace controls;

frmDef::frmDef(Environment env, MessageBoxFunction messageBox, QWidget* parent)
    : QMainWindow(parent), env_(std::move(env)), messageBox_(std::move(messageBox)) {
    if (!messageBox_)
        messageBox_ = [this](const MessageRequest& r) { return showMessageBox(this, r); };
    setObjectName(QStringLiteral("frmDef"));

    buildMenu();
    Tab1_ = named<QTabWidget>(QStringLiteral("Tab1"));
    Tab1_->addTab(buildListTab(), QString());
    Tab1_->addTab(buildOverviewTab(), QString());
    Tab1_->addTab(buildSettingsTab(), QString());
    Tab1_->addTab(buildUsersTab(), QString());
    Tab1_->addTab(buildActionTab(), QString());
    setCentralWidget(Tab1_);
    applyDesignedCaptions();
    connectHandlers();

    Form_Load();
}

frmDef::~frmDef() = default;

void frmDef::connectHandlers() {
    connect(mnulanguage_, &QAction::triggered, this, &frmDef::mnulanguage_Click);
    connect(mnuEinstellungen_, &QAction::triggered, this, &frmDef::mnuEinstellungen_Click);
    connect(mnuEnde_, &QAction::triggered, this, &frmDef::mnuEnde_Click);
    connect(mnuICalendar_, &QAction::triggered, this, &frmDef::mnuICalendar_Click);
    connect(mnuÜber_, &QAction::triggered, this, &frmDef::mnuÜber_Click);

    // Queued: a field on the page being left reports its LostFocus first, so the new page
    // is built from the checked values (a year typed just before the click, for one).
    connect(Tab1_, &QTabWidget::currentChanged, this, [this] {
        QMetaObject::invokeMethod(
            this, [this] { Tab1_Click(); }, Qt::QueuedConnection);
    });

    connect(cmdSpeichern_, &QPushButton::clicked, this, &frmDef::cmdSpeichern_Click);
    connect(cmdBenutzerSpeichern_, &QPushButton::clicked, this,
            &frmDef::cmdBenutzerSpeichern_Click);
    connect(cmdDefinitionsDatei_, &QPushButton::clicked, this, &frmDef::cmdDefinitionsDatei_Click);
    for (int i = 0; i < 12; ++i)
        connect(chkFeiertage_[i], &QCheckBox::clicked, this, [this, i] { chkFeiertage_Click(i); });

    furtherDays_->setLinks({
        [this] { return QString::number(selectedYear_); },
        [this] { return appearance_->activeDefault(); },
        [this](const DayEntry& day) { return cmdLöschen_GroupWise(day); },
        [this] { return calDavChosen() ? Msg::ConfirmDeleteEntryServer : Msg::ConfirmDeleteEntry; },
    });

    for (QTreeWidget* list : {lvListe_, lstAddressBookEntries_, lvAdressen_})
        connect(list->header(), &QHeaderView::sectionClicked, this,
                [this, list](int column) { headerClicked(list, column); });

    connect(cmdListAdressen_, &QPushButton::clicked, this, &frmDef::cmdListAdressen_Click);
    connect(cmdAdresseWählen_, &QPushButton::clicked, this, &frmDef::cmdAdresseWählen_Click);
    connect(lstAddressBookEntries_, &QTreeWidget::itemDoubleClicked, this,
            [this] { cmdAdresseWählen_Click(); });
    connect(cmdAlleAdressen_, &QPushButton::clicked, this, &frmDef::cmdAlleAdressen_Click);
    connect(cmdAdresseEntfernen_, &QPushButton::clicked, this, &frmDef::cmdAdresseEntfernen_Click);
    connect(cmdEintragen_, &QPushButton::clicked, this, &frmDef::cmdEintragen_Click);
    connect(cmddeleteall_, &QPushButton::clicked, this, &frmDef::cmddeleteall_Click);
    connect(cmdTAppErzeugen_, &QPushButton::clicked, this, &frmDef::cmdTAppErzeugen_Click);
    connect(cmdTAppLöschen_, &QPushButton::clicked, this, &frmDef::cmdTAppLöschen_Click);

    watchLostFocus(txtJahr_, [this] { txtJahr_LostFocus(); });
    watchLostFocus(cmdSpeichern_, [this] { cmdSpeichern_LostFocus(); });
    watchLostFocus(cmdBenutzerSpeichern_, [this] { cmdBenutzerSpeichern_LostFocus(); });
    connectGroupWise();
}

bool frmDef::eventFilter(QObject* watched, QEvent* event) {
    // The December calendar hands Tab on to January, closing the focus cycle.
    if (event->type() == QEvent::KeyPress && watched->parent() == calKalender_[11] &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Tab) {
        calKalender_[0]->setFocus(Qt::TabFocusReason);
        return true;
    }
    return QMainWindow::eventFilter(watched, event);
}

// ---------------------------------------------------------------- life cycle

void frmDef::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (!activated_)
        Form_Activate();
}

void frmDef::closeEvent(QCloseEvent* event) {
    Form_Unload();
    QMainWindow::closeEvent(event);
}

void frmDef::Form_Load() {
    selectedYear_ = env_.today().year();
    txtJahr_->setText(QString::number(selectedYear_));
    lblName_->hide();
    lblDatum_->hide();
    lblBezeichnung_->hide();
    holidays_ = HolidayTables::withNames();
    loadStoredSettings();
}

void frmDef::Form_Activate() {
    if (!activated_) {
        {
            const QSignalBlocker once(Tab1_);
            Tab1_->setCurrentIndex(2);
        }
        Tab1_Click();
        activated_ = true;
    }
    land(currentCountry_);
    Sprache(currentLanguage_);
}

void frmDef::Form_Unload() {
    // Nothing is saved.
    releaseGroupWise();
}

void frmDef::loadStoredSettings() {
    const ProfileFile file(env_.settingsPath());
    Settings s = mv::LoadSettings(file, env_.today(), env_.systemCountryCode);

    postOfficeAddress_ = s.postOfficeAddress;
    postOfficePort_ = s.postOfficePort;
    setWindowTitle(QStringLiteral("Feiertage festlegen (") + s.yearText + QStringLiteral(")"));
    selectedYear_ = s.selectedYear;
    txtPfad_->setText(s.definitionPath);
    appearance_->load(s);

    currentLanguage_ = s.language;
    currentCountry_ = s.country;
    txtJahr_->setText(QString::number(selectedYear_));

    furtherDays_->setDays(s.furtherDays);
    holidays_ = s.holidays;
    // The country switch puts only the German and the US table on the boxes. A stored
    // selection of another country stands on them from the start, so that a save writes
    // it back instead of an empty mask.
    if (!holidays_.shownTable(currentCountry_)) {
        const HolidayBoxes boxes = boxesFor(holidays_, currentCountry_, currentCountry_);
        for (int i = 0; i < 12; ++i)
            chkFeiertage_[i]->setChecked(boxes[size_t(i)]);
    }
    setAddressRows(lvAdressen_, s.users);
    showServerSelection();
}

int frmDef::box(QMessageBox::Icon icon, const QString& title, const QString& text,
                QMessageBox::StandardButtons buttons) {
    return messageBox_(MessageRequest{text, title, icon, buttons});
}

// ---------------------------------------------------------------- menu

void frmDef::mnulanguage_Click() {
    frmlanguage dialog(this, messages_, currentLanguage_, currentCountry_);
    dialog.setMessageBox(messageBox_);
    if (dialog.exec() == QDialog::Accepted) {
        Sprache(*dialog.chosenLanguage());
        land(*dialog.chosenCountry());
    }
    Form_Activate();
}

void frmDef::mnuEinstellungen_Click() {
    ProfileFile file(env_.settingsPath());
    frmEinstellungen dialog(this, file, postOfficeAddress_, postOfficePort_, messages_,
                            currentLanguage_);
    dialog.setMessageBox(messageBox_);
    if (dialog.exec() == QDialog::Accepted)
        showServerSelection();
    Form_Activate();
}

void frmDef::mnuÜber_Click() {
    frmAbout dialog(this);
    dialog.setMessageBox(messageBox_);
    if (dialog.exec() == QDialog::Accepted)
        showServerSelection();
    Form_Activate();
}

void frmDef::mnuEnde_Click() {
    // Ends at once: no unload handling, nothing saved.
    endProgram(0);
}

void frmDef::endProgram(int code) {
    if (exitProgram_)
        exitProgram_(code);
    else
        QCoreApplication::exit(code);
}

// ---------------------------------------------------------------- language and country

void frmDef::Sprache(Language sprach) {
    currentLanguage_ = sprach;
    const bool english = sprach == Language::English;

    for (const Caption& c : mainWindowCaptions()) {
        setCaption(findChild<QObject*>(c.objectName), english ? c.english : c.german);
    }
    setWindowTitle(windowCaption(sprach));

    const QStringList& tabs = tabCaptions().in(sprach);
    for (int i = 0; i < Tab1_->count(); ++i)
        Tab1_->setTabText(i, tabs.value(i));
    lvListe_->setHeaderLabels(dayColumnCaptions().in(sprach));
    furtherDays_->setColumnCaptions(dayColumnCaptions().in(sprach));
    furtherDays_->setLanguage(sprach);
    lvAdressen_->setHeaderLabels(addressColumnCaptions().in(sprach));
    lstAddressBookEntries_->setHeaderLabels(addressColumnCaptions().in(sprach));
    lvVerarbeitung_->setHeaderLabels(processingColumnCaptions().in(sprach));
    for (QCalendarWidget* cal : calKalender_) {
        cal->setLocale(calendarLocale(sprach)); // month and weekday names
        cal->setFirstDayOfWeek(Qt::Sunday);     // the locale change resets it
    }

    messages_.fill(sprach);
}

void frmDef::land(const Country& sland) {
    currentCountry_ = sland;
    if (const HolidayTable* table = holidays_.shownTable(sland)) {
        const HolidayBoxes boxes = boxesFor(holidays_, sland, sland);
        for (int i = 0; i < 12; ++i) {
            const HolidayRow& row = (*table)[i];
            QCheckBox* box = chkFeiertage_[i];
            box->setText(row.name);
            box->setChecked(boxes[size_t(i)]);
            box->setVisible(!row.name.isEmpty());
        }
    }
    Tab1_Click();
}

void frmDef::chkFeiertage_Click(int index) {
    if (HolidayTable* table = holidays_.shownTable(currentCountry_))
        (*table)[index].flag =
            chkFeiertage_[index]->isChecked() ? QStringLiteral("1") : QStringLiteral("0");
}

// ---------------------------------------------------------------- tabs, day list, overview

void frmDef::Tab1_Click() {
    switch (Tab1_->currentIndex()) {
    case 0:
        showDayList();
        lvListe_->setFocus();
        break;
    case 1:
        showYearOverview();
        break;
    case 2:
        txtJahr_->setFocus();
        break;
    case 3:
        cmdListAdressen_->setFocus();
        break;
    case 4:
        cmdEintragen_->setFocus();
        break;
    default:
        break;
    }
}

DayListInput frmDef::dayListInput() const {
    DayListInput in;
    in.country = currentCountry_;
    in.year = selectedYear_;
    // The year in use stands in for "*", never a refused text left in the year field.
    in.yearText = QString::number(selectedYear_);
    for (int i = 0; i < 12; ++i)
        in.selected[i] = chkFeiertage_[i]->isChecked();
    appearance_->fillDayListInput(in);
    in.furtherDays = furtherDays_->days();
    return in;
}

void frmDef::showDayList() {
    setDayRows(lvListe_, BuildDayList(dayListInput()));
    if (QTreeWidgetItem* first = lvListe_->topLevelItem(0)) {
        lvListe_->setCurrentItem(first);
        lvListe_->scrollToItem(first);
    }
}

void frmDef::showYearOverview() {
    calKalender_[0]->setFocus();
    const YearMarks marks = BuildYearMarks(dayListInput());
    QTextCharFormat weekend;
    weekend.setBackground(QColor(255, 192, 192));
    QTextCharFormat listed;
    listed.setBackground(QColor(255, 128, 0));
    for (int m = 0; m < 12; ++m) {
        QCalendarWidget* cal = calKalender_[m];
        const QDate first(selectedYear_, m + 1, 1);
        if (!first.isValid())
            continue; // a year the calendar cannot show leaves the overview as it was
        cal->setDateTextFormat(QDate(), QTextCharFormat());
        cal->setDateRange(first, first.addDays(first.daysInMonth() - 1));
        cal->setCurrentPage(first.year(), first.month());
        const QList<int>& days = marks[m];
        for (int d = 0; d < days.size() && d < first.daysInMonth(); ++d) {
            if (days[d] == 1)
                cal->setDateTextFormat(first.addDays(d), weekend);
            else if (days[d] == 2)
                cal->setDateTextFormat(first.addDays(d), listed);
        }
    }
}

void frmDef::headerClicked(QTreeWidget* list, int column) {
    if (column == 0 && list == lvListe_) {
        WaitCursor wait;
        sortDayRowsByDate(list, QString::number(selectedYear_));
        return;
    }
    list->sortItems(column, Qt::AscendingOrder);
    list->header()->setSortIndicatorShown(false);
}

// ---------------------------------------------------------------- settings

void frmDef::txtJahr_LostFocus() {
    const auto year = parseYear(txtJahr_->text());
    if (!year) {
        refuseYear();
        return;
    }
    selectedYear_ = *year;
    // The field shows the year as it is used (" 2012" becomes "2012").
    txtJahr_->setText(QString::number(*year));
    setWindowTitle(windowCaptionWithYear(currentLanguage_, QString::number(*year)));
}

void frmDef::refuseYear() {
    box(QMessageBox::Warning, msg(Msg::TitleSettings), msg(Msg::YearRange));
    txtJahr_->setFocus();
}

void frmDef::refuseYearOnItsTab() {
    if (Tab1_->currentIndex() == 2) {
        refuseYear();
        return;
    }
    Tab1_->setCurrentIndex(2);
    // after the tab's own handler, which gives the focus to the year
    QMetaObject::invokeMethod(
        this, [this] { refuseYear(); }, Qt::QueuedConnection);
}

std::optional<int> frmDef::checkedYear() {
    const auto year = parseYear(txtJahr_->text());
    if (!year)
        refuseYearOnItsTab();
    return year;
}

void frmDef::cmdSpeichern_LostFocus() {
    txtJahr_->setFocus();
}

void frmDef::cmdBenutzerSpeichern_LostFocus() {
    cmdListAdressen_->setFocus();
}

void frmDef::cmdSpeichern_Click() {
    // A refused year is not stored.
    const auto year = checkedYear();
    if (!year)
        return;
    SettingsToSave s;
    s.yearText = QString::number(*year);
    for (QCheckBox* box : chkFeiertage_)
        s.mask += box->isChecked() ? QLatin1Char('1') : QLatin1Char('0');
    s.definitionPath = txtPfad_->text();
    appearance_->save(s);
    s.language = currentLanguage_;
    s.country = currentCountry_;
    s.furtherDays = furtherDays_->days();

    ProfileFile file(env_.settingsPath());
    const SaveResult r = SaveSettings(file, s);
    if (r.ok())
        return;
    const SaveFailure& f = r.failure();
    if (refuseUnstorable(f))
        return;
    const QString title = f.key == QLatin1String("Standardtermin Zeit Bis")
                              ? QStringLiteral("Zeit")
                              : msg(Msg::TitleSettings);
    box(QMessageBox::Critical, title,
        msg(Msg::SaveFailed) + QStringLiteral(" (") + QString::number(f.code) +
            QStringLiteral(")"));
}

bool frmDef::refuseUnstorable(const SaveFailure& f) {
    if (!f.unstorable)
        return false;
    box(QMessageBox::Warning, msg(Msg::TitleSettings),
        msg(Msg::Unstorable).arg(f.unstorable->field, f.unstorable->character));
    // The field to mend.
    static const QHash<QString, QString> fieldOf{
        {QStringLiteral("Jahr"), QStringLiteral("txtJahr")},
        {QStringLiteral("Definition speichern unter"), QStringLiteral("txtPfad")},
        {QStringLiteral("Standardtermin Zeit Von"), QStringLiteral("txtStandartVon")},
        {QStringLiteral("Standardtermin Zeit Bis"), QStringLiteral("txtStandartBis")},
        {QStringLiteral("Standardtermin Ort"), QStringLiteral("txtStandartOrt")},
        {QStringLiteral("Darstellung Von"), QStringLiteral("txtDarstellungVon")},
        {QStringLiteral("Darstellung Bis"), QStringLiteral("txtDarstellungBis")},
        {QStringLiteral("Darstellung Ort"), QStringLiteral("txtDarstellungOrt")},
        {QStringLiteral("Weitere Tage"), QStringLiteral("lvWeitereTage")},
        {QStringLiteral("User"), QStringLiteral("lvAdressen")},
    };
    auto* w = findChild<QWidget*>(fieldOf.value(f.key));
    if (auto* list = qobject_cast<QTreeWidget*>(w); list && f.row >= 0)
        list->setCurrentItem(list->topLevelItem(f.row));
    if (w && w->isEnabled())
        w->setFocus();
    return true;
}

void frmDef::cmdBenutzerSpeichern_Click() {
    if (calDavChosen()) {
        cmdBenutzerSpeichern_CalDav();
        return;
    }
    ProfileFile file(env_.settingsPath());
    const SaveResult r = SaveUsers(file, selectedAddresses(), currentLanguage_);
    if (r.ok() || refuseUnstorable(r.failure()))
        return;
    // The section is replaced in one write; its failure is the list's own.
    const QString title = r.failure().key == QLatin1String("User") ? QStringLiteral("Benutzerliste")
                                                                   : msg(Msg::TitleSettings);
    box(QMessageBox::Critical, title,
        msg(Msg::SaveFailed) + QStringLiteral(" (") + QString::number(r.failure().code) +
            QStringLiteral(")"));
}

void frmDef::cmdDefinitionsDatei_Click() {
    // A year the window refuses (one stored out of range, for one) writes no file.
    if (!isYearInRange(selectedYear_)) {
        refuseYearOnItsTab();
        return;
    }
    WaitCursor wait;
    const DayList rows = mv::BuildDayList(dayListInput());
    const QString path = definitionFilePath(txtPfad_->text());
    const QString title = QStringLiteral("Definitionsdatei");
    const auto written = writeDefinitionFile(txtPfad_->text(), rows);
    if (written) {
        setDayRows(lvListe_, rows);
        box(QMessageBox::Information, title,
            msg(Msg::FileCreated) + QLatin1Char('"') + path + QLatin1Char('"'));
        return;
    }
    wait.release();
    switch (written.failure()) {
    case DefinitionFileFailure::FolderMissing:
        box(QMessageBox::Critical, title, msg(Msg::FileNotCreated));
        Tab1_->setCurrentIndex(2);
        // after the tab's own handler, which gives the focus to the year
        QMetaObject::invokeMethod(
            this, [this] { txtPfad_->setFocus(); }, Qt::QueuedConnection);
        break;
    case DefinitionFileFailure::WriteFailed:
        box(QMessageBox::Critical, title,
            msg(Msg::FileNotCreated) + QStringLiteral(" \"") + path + QLatin1Char('"'));
        break;
    }
}

} // namespace mv
