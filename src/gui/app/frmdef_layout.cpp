// The hand-built layout of the main window: menu, tabs, frames and controls.
#include "app/controls.h"
#include "app/frmdef.h"
#include "calendar/monthcalendar.h"
#include "days/appearanceswitches.h"
#include "days/furtherdayseditor.h"
#include "ui/captions.h"

#include <QAction>
#include <QCalendarWidget>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QTabWidget>
#include <QTableView>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace mv {

using namespace controls;

void frmDef::buildMenu() {
    mnuDatei_ = menuBar()->addMenu(QString());
    mnuDatei_->setObjectName(QStringLiteral("mnuDatei"));
    mnulanguage_ = mnuDatei_->addAction(QString());
    mnulanguage_->setObjectName(QStringLiteral("mnulanguage"));
    mnuEinstellungen_ = mnuDatei_->addAction(QString());
    mnuEinstellungen_->setObjectName(QStringLiteral("mnuEinstellungen"));
    mnuICalendar_ = mnuDatei_->addAction(QString());
    mnuICalendar_->setObjectName(QStringLiteral("mnuICalendar"));
    QAction* separator = mnuDatei_->addSeparator();
    separator->setObjectName(QStringLiteral("mnutrennstrich"));
    mnuEnde_ = mnuDatei_->addAction(QString());
    mnuEnde_->setObjectName(QStringLiteral("mnuEnde"));
    mnuHilfe_ = menuBar()->addMenu(QString());
    mnuHilfe_->setObjectName(QStringLiteral("mnuHilfe"));
    mnuÜber_ = mnuHilfe_->addAction(QString());
    mnuÜber_->setObjectName(QStringLiteral("mnuÜber"));
}

QWidget* frmDef::buildListTab() {
    auto* page = new QWidget;
    auto* box = frame(QStringLiteral("frmListederTage"));
    lvListe_ = reportList(QStringLiteral("lvListe"), dayColumnCaptions().german);
    lvListe_->setColumnWidth(0, 90);
    lvListe_->setColumnWidth(1, 260);
    lvListe_->setColumnWidth(2, 120);
    auto* inner = new QVBoxLayout(box);
    inner->addWidget(lvListe_);
    auto* outer = new QVBoxLayout(page);
    outer->addWidget(box);
    return page;
}

QWidget* frmDef::buildOverviewTab() {
    auto* page = new QWidget;
    auto* grid = new QGridLayout(page);
    for (int m = 0; m < 12; ++m) {
        auto* cal = named<MonthCalendar>(QStringLiteral("calKalender_%1").arg(m));
        cal->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
        cal->setHorizontalHeaderFormat(QCalendarWidget::SingleLetterDayNames);
        cal->setLocale(calendarLocale(Language::German));
        cal->setFirstDayOfWeek(Qt::Sunday);
        if (m == 11) {
            if (auto* view = cal->findChild<QTableView*>())
                view->installEventFilter(this);
        }
        calKalender_[m] = cal;
        grid->addWidget(cal, m / 4, m % 4);
    }
    return page;
}

QWidget* frmDef::buildSettingsTab() {
    auto* page = new QWidget;

    // Daten
    auto* daten = frame(QStringLiteral("frmDaten"));
    txtJahr_ = field(QStringLiteral("txtJahr"));
    txtJahr_->setFixedWidth(txtJahr_->fontMetrics().horizontalAdvance(QStringLiteral("000000")) +
                            16);
    txtPfad_ = field(QStringLiteral("txtPfad"));
    cmdSpeichern_ = named<QPushButton>(QStringLiteral("cmdSpeichern"));
    {
        auto* g = new QGridLayout(daten);
        g->addWidget(label(QStringLiteral("lblJahr")), 0, 0);
        g->addWidget(txtJahr_, 0, 1, Qt::AlignLeft);
        g->addWidget(label(QStringLiteral("lblDefinitionSpeichern")), 1, 0, 1, 2);
        g->addWidget(txtPfad_, 2, 0, 1, 2);
        g->addWidget(cmdSpeichern_, 3, 0, 1, 2);
        g->setColumnStretch(1, 1);
    }

    // Feiertage
    auto* feiertage = frame(QStringLiteral("frmFeiertage"));
    {
        auto* g = new QGridLayout(feiertage);
        for (int i = 0; i < 12; ++i) {
            chkFeiertage_[i] = named<QCheckBox>(QStringLiteral("chkFeiertage_%1").arg(i));
            g->addWidget(chkFeiertage_[i], i % 6, i / 6);
        }
        g->setRowStretch(6, 1);
    }

    // the appearance switches drive the editor's appointment fields
    furtherDays_ = new FurtherDaysEditor(WindowMessages(messageBox_, messages_));
    appearance_ = new AppearanceSwitches(WindowMessages(messageBox_, messages_),
                                         furtherDays_->appointmentFields());
    cmdLöschen_ = furtherDays_->removeCommand();

    // trusted application
    auto* tapp = frame(QStringLiteral("frmVerbürgteAnwendung"));
    cmdTAppErzeugen_ = named<QPushButton>(QStringLiteral("cmdTAppErzeugen"));
    cmdTAppLöschen_ = named<QPushButton>(QStringLiteral("cmdTAppLöschen"));
    txtDomainPfad_ = field(QStringLiteral("txtDomainPfad"));
    {
        auto* g = new QGridLayout(tapp);
        g->addWidget(label(QStringLiteral("lblPfadZurDatenbank")), 0, 0, 1, 2);
        g->addWidget(txtDomainPfad_, 1, 0, 1, 2);
        g->addWidget(cmdTAppErzeugen_, 2, 0);
        g->addWidget(cmdTAppLöschen_, 2, 1);
    }

    auto* grid = new QGridLayout(page);
    auto* left = new QVBoxLayout;
    left->addWidget(daten);
    left->addWidget(feiertage);
    left->addWidget(tapp);
    left->addStretch();
    auto* middle = new QVBoxLayout;
    middle->addWidget(appearance_);
    middle->addStretch();
    grid->addLayout(left, 0, 0);
    grid->addLayout(middle, 0, 1);
    grid->addWidget(furtherDays_, 0, 2);
    grid->setColumnStretch(2, 1);
    return page;
}

QWidget* frmDef::buildUsersTab() {
    auto* page = new QWidget;
    cmdListAdressen_ = named<QPushButton>(QStringLiteral("cmdListAdressen"));
    lstAddressBookEntries_ =
        reportList(QStringLiteral("lstAddressBookEntries"), addressColumnCaptions().german);
    lstAddressBookEntries_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    cmdAdresseWählen_ = named<QPushButton>(QStringLiteral("cmdAdresseWählen"));
    cmdAdresseEntfernen_ = named<QPushButton>(QStringLiteral("cmdAdresseEntfernen"));
    cmdAlleAdressen_ = named<QPushButton>(QStringLiteral("cmdAlleAdressen"));
    lvAdressen_ = reportList(QStringLiteral("lvAdressen"), addressColumnCaptions().german);
    lvAdressen_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    cmdBenutzerSpeichern_ = named<QPushButton>(QStringLiteral("cmdBenutzerSpeichern"));

    auto* anmelde = frame(QStringLiteral("frmAnmeldeInfo"));
    lblGWVersion_ = label(QStringLiteral("lblGWVersion"));
    lblPathToHost_ = label(QStringLiteral("lblPathToHost"));
    lblTCPIPAddress_ = label(QStringLiteral("lblTCPIPAddress"));
    lblTCPIPPort_ = label(QStringLiteral("lblTCPIPPort"));
    {
        auto* g = new QGridLayout(anmelde);
        g->addWidget(label(QStringLiteral("Label1")), 0, 0);
        g->addWidget(lblGWVersion_, 0, 1);
        g->addWidget(label(QStringLiteral("lblPfadZumHost")), 1, 0);
        g->addWidget(lblPathToHost_, 1, 1);
        g->addWidget(label(QStringLiteral("lblTCPIP")), 2, 0);
        g->addWidget(lblTCPIPAddress_, 2, 1);
        g->addWidget(label(QStringLiteral("lblPort")), 3, 0);
        g->addWidget(lblTCPIPPort_, 3, 1);
        g->setColumnStretch(1, 1);
    }

    auto* left = new QVBoxLayout;
    left->addWidget(cmdListAdressen_, 0, Qt::AlignLeft);
    left->addWidget(label(QStringLiteral("lblSystemAdressbuchEinträge")));
    left->addWidget(lstAddressBookEntries_);
    auto* middle = new QVBoxLayout;
    middle->addStretch();
    middle->addWidget(cmdAdresseWählen_);
    middle->addWidget(cmdAdresseEntfernen_);
    middle->addWidget(cmdAlleAdressen_);
    middle->addStretch();
    auto* right = new QVBoxLayout;
    right->addWidget(label(QStringLiteral("lblGewählteAdressen")));
    right->addWidget(lvAdressen_);
    right->addWidget(cmdBenutzerSpeichern_, 0, Qt::AlignRight);
    // Keeps the two lists level: the left column has the read button above its label.
    right->insertSpacing(0, cmdListAdressen_->sizeHint().height());

    auto* top = new QHBoxLayout;
    top->addLayout(left, 1);
    top->addLayout(middle);
    top->addLayout(right, 1);
    auto* outer = new QVBoxLayout(page);
    outer->addLayout(top, 1);
    outer->addWidget(anmelde);
    return page;
}

QWidget* frmDef::buildActionTab() {
    auto* page = new QWidget;

    auto* eintragen = frame(QStringLiteral("frmeintragen"));
    cmdEintragen_ = named<QPushButton>(QStringLiteral("cmdEintragen"));
    lblName_ = label(QStringLiteral("lblName"));
    lblDatum_ = label(QStringLiteral("lblDatum"));
    lblBezeichnung_ = label(QStringLiteral("lblBezeichnung"));
    lblBezeichnung_->setWordWrap(true);
    {
        auto* v = new QVBoxLayout(eintragen);
        v->addWidget(cmdEintragen_, 0, Qt::AlignLeft);
        v->addWidget(lblName_);
        v->addWidget(lblDatum_);
        v->addWidget(lblBezeichnung_);
        v->addStretch();
    }

    auto* verarbeitung = frame(QStringLiteral("frmverarbeitung"));
    lvVerarbeitung_ =
        reportList(QStringLiteral("lvVerarbeitung"), processingColumnCaptions().german);
    lvVerarbeitung_->setColumnWidth(0, 140);
    lvVerarbeitung_->setColumnWidth(1, 60);
    {
        auto* v = new QVBoxLayout(verarbeitung);
        v->addWidget(lvVerarbeitung_);
    }

    auto* definitions = frame(QStringLiteral("frmdefinitionsdatei"));
    cmdDefinitionsDatei_ = named<QPushButton>(QStringLiteral("cmdDefinitionsDatei"));
    {
        auto* v = new QVBoxLayout(definitions);
        auto* l = label(QStringLiteral("lblDefinitionsdatei"));
        l->setWordWrap(true);
        v->addWidget(l);
        v->addWidget(cmdDefinitionsDatei_, 0, Qt::AlignLeft);
    }

    auto* loeschen = frame(QStringLiteral("frmTermineLöschen"));
    cmddeleteall_ = named<QPushButton>(QStringLiteral("cmddeleteall"));
    {
        auto* v = new QVBoxLayout(loeschen);
        auto* l = label(QStringLiteral("lblTermineLöschen"));
        l->setWordWrap(true);
        v->addWidget(l);
        v->addWidget(cmddeleteall_, 0, Qt::AlignLeft);
    }

    auto* grid = new QGridLayout(page);
    grid->addWidget(eintragen, 0, 0);
    grid->addWidget(verarbeitung, 0, 1, 3, 1);
    grid->addWidget(definitions, 1, 0);
    grid->addWidget(loeschen, 2, 0);
    grid->setColumnStretch(1, 1);
    grid->setRowStretch(0, 1);
    return page;
}

void frmDef::applyDesignedCaptions() {
    for (const DesignedCaption& c : mainWindowDesignedCaptions()) {
        if (c.objectName == objectName()) {
            setWindowTitle(c.text);
            continue;
        }
        setCaption(findChild<QObject*>(c.objectName), c.text);
    }
    const QStringList& tabs = tabCaptions().german;
    for (int i = 0; i < Tab1_->count(); ++i)
        Tab1_->setTabText(i, tabs.value(i));
}

} // namespace mv
