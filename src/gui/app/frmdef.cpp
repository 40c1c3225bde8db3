#include "app/frmdef.h"

#include "app/waitcursor.h"
#include "calendar/dates.h"
#include "calendar/datesort.h"
#include "days/checktime.h"
#include "days/furtherday.h"
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
#include <QFocusEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QStyle>
#include <QTabWidget>
#include <QTableView>
#include <QTextCharFormat>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>

namespace mv {

namespace {

template <class W> W* named(const QString& name, QWidget* parent = nullptr) {
    auto* w = new W(parent);
    w->setObjectName(name);
    return w;
}

QGroupBox* frame(const QString& name) {
    return named<QGroupBox>(name);
}

QLabel* label(const QString& name) {
    return named<QLabel>(name);
}

QLineEdit* field(const QString& name) {
    return named<QLineEdit>(name);
}

// Wide enough for "24:00" and nothing more, so the "Uhr" label sits right behind it.
QLineEdit* timeField(const QString& name) {
    auto* f = field(name);
    f->setMaxLength(32767);
    f->setFixedWidth(f->fontMetrics().horizontalAdvance(QStringLiteral("000:000")) + 16);
    return f;
}

QTreeWidget* reportList(const QString& name, const QStringList& columns) {
    auto* list = named<QTreeWidget>(name);
    list->setRootIsDecorated(false);
    list->setUniformRowHeights(true);
    list->setAllColumnsShowFocus(true);
    list->setSortingEnabled(false);
    list->setHeaderLabels(columns);
    list->header()->setSectionsClickable(true);
    list->header()->setSortIndicatorShown(false);
    list->header()->setStretchLastSection(true);
    return list;
}

DayEntry rowOf(const QTreeWidgetItem* item) {
    return {item->text(0), item->text(1), item->text(2), item->text(3)};
}

void setRow(QTreeWidgetItem* item, const DayEntry& row) {
    item->setText(0, row.date);
    item->setText(1, row.designation);
    item->setText(2, row.time);
    item->setText(3, row.place);
}

void fillDayList(QTreeWidget* list, const DayList& rows) {
    list->clear();
    QList<QTreeWidgetItem*> items;
    items.reserve(rows.size());
    for (const DayEntry& row : rows) {
        auto* item = new QTreeWidgetItem;
        setRow(item, row);
        items.append(item);
    }
    list->addTopLevelItems(items);
}

bool isLostFocus(const QEvent* event) {
    if (event->type() != QEvent::FocusOut)
        return false;
    const auto reason = static_cast<const QFocusEvent*>(event)->reason();
    return reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason;
}

QLocale calendarLocale(const QString& language) {
    if (language == QLatin1String("English"))
        return QLocale(QLocale::English, QLocale::UnitedStates);
    return QLocale(QLocale::German, QLocale::Germany);
}

} // namespace

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

// ---------------------------------------------------------------- construction

void frmDef::buildMenu() {
    mnuDatei_ = menuBar()->addMenu(QString());
    mnuDatei_->setObjectName(QStringLiteral("mnuDatei"));
    mnulanguage_ = mnuDatei_->addAction(QString());
    mnulanguage_->setObjectName(QStringLiteral("mnulanguage"));
    mnuEinstellungen_ = mnuDatei_->addAction(QString());
    mnuEinstellungen_->setObjectName(QStringLiteral("mnuEinstellungen"));
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
        auto* cal = named<QCalendarWidget>(QStringLiteral("calKalender_%1").arg(m));
        cal->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
        cal->setHorizontalHeaderFormat(QCalendarWidget::SingleLetterDayNames);
        cal->setLocale(calendarLocale(QStringLiteral("Deutsch")));
        cal->setFirstDayOfWeek(Qt::Sunday);
        cal->setSelectionMode(QCalendarWidget::NoSelection);
        // The overview selects nothing; a highlighted day would hide its mark.
        if (auto* view = cal->findChild<QTableView*>()) {
            QPalette pal = view->palette();
            pal.setColor(QPalette::Highlight, Qt::transparent);
            pal.setColor(QPalette::HighlightedText, pal.color(QPalette::Text));
            view->setPalette(pal);
            if (m == 11)
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

    // holiday appearance
    auto* darstFeiertage = frame(QStringLiteral("frmDarstellungFeiertage"));
    chkFeiertageAlsNotiz_ = named<QCheckBox>(QStringLiteral("chkFeiertageAlsNotiz"));
    txtDarstellungVon_ = timeField(QStringLiteral("txtDarstellungVon"));
    txtDarstellungBis_ = timeField(QStringLiteral("txtDarstellungBis"));
    txtDarstellungOrt_ = field(QStringLiteral("txtDarstellungOrt"));
    chkGanztägig_ = named<QCheckBox>(QStringLiteral("chkGanztägig"));
    {
        auto* g = new QGridLayout(darstFeiertage);
        g->addWidget(chkFeiertageAlsNotiz_, 0, 0, 1, 3);
        g->addWidget(label(QStringLiteral("lblfeiertagevon")), 1, 0);
        g->addWidget(txtDarstellungVon_, 1, 1);
        g->addWidget(label(QStringLiteral("lbluhr_0")), 1, 2);
        g->addWidget(label(QStringLiteral("lblfeiertagebis")), 2, 0);
        g->addWidget(txtDarstellungBis_, 2, 1);
        g->addWidget(label(QStringLiteral("lbluhr_2")), 2, 2);
        g->addWidget(label(QStringLiteral("lblfeiertageort")), 3, 0);
        g->addWidget(txtDarstellungOrt_, 3, 1, 1, 3);
        g->addWidget(chkGanztägig_, 4, 0, 1, 3);
        g->setColumnStretch(3, 1);
    }

    // default appointment
    auto* darstTermin = frame(QStringLiteral("frmDarstellungTermin"));
    txtStandartVon_ = timeField(QStringLiteral("txtStandartVon"));
    txtStandartBis_ = timeField(QStringLiteral("txtStandartBis"));
    txtStandartOrt_ = field(QStringLiteral("txtStandartOrt"));
    chkGanztägigTermin_ = named<QCheckBox>(QStringLiteral("chkGanztägigTermin"));
    chkStandartAkt_ = named<QCheckBox>(QStringLiteral("chkStandartAkt"));
    {
        auto* g = new QGridLayout(darstTermin);
        g->addWidget(label(QStringLiteral("lblStandardVon")), 0, 0);
        g->addWidget(txtStandartVon_, 0, 1);
        g->addWidget(label(QStringLiteral("lbluhr_1")), 0, 2);
        g->addWidget(label(QStringLiteral("lblStandardBis")), 1, 0);
        g->addWidget(txtStandartBis_, 1, 1);
        g->addWidget(label(QStringLiteral("lbluhr_3")), 1, 2);
        g->addWidget(label(QStringLiteral("lblStandardOrt")), 2, 0);
        g->addWidget(txtStandartOrt_, 2, 1, 1, 3);
        g->addWidget(chkGanztägigTermin_, 3, 0, 1, 4);
        g->addWidget(chkStandartAkt_, 4, 0, 1, 4);
        g->setColumnStretch(3, 1);
    }

    // further days
    auto* weitere = frame(QStringLiteral("frmWeitereTage"));
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
    lvWeitereTage_ = reportList(QStringLiteral("lvWeitereTage"), designedFurtherDayColumns());
    lvWeitereTage_->setColumnWidth(0, 80);
    lvWeitereTage_->setColumnWidth(1, 150);
    lvWeitereTage_->setColumnWidth(2, 100);
    lvWeitereTage_->setMinimumWidth(420);
    {
        auto* g = new QGridLayout(weitere);
        g->addWidget(label(QStringLiteral("lblTerminDatum")), 0, 0);
        g->addWidget(txtDatum_, 0, 1, 1, 3);
        g->addWidget(label(QStringLiteral("lblTerminBezeichnung")), 1, 0);
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
    }

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
    middle->addWidget(darstFeiertage);
    middle->addWidget(darstTermin);
    middle->addStretch();
    grid->addLayout(left, 0, 0);
    grid->addLayout(middle, 0, 1);
    grid->addWidget(weitere, 0, 2);
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
        QObject* o = findChild<QObject*>(c.objectName);
        if (auto* b = qobject_cast<QAbstractButton*>(o))
            b->setText(c.text);
        else if (auto* l = qobject_cast<QLabel*>(o))
            l->setText(c.text);
        else if (auto* g = qobject_cast<QGroupBox*>(o))
            g->setTitle(c.text);
        else if (auto* m = qobject_cast<QMenu*>(o))
            m->setTitle(c.text);
        else if (auto* a = qobject_cast<QAction*>(o); a && !a->isSeparator())
            a->setText(c.text);
    }
    const QStringList& tabs = tabCaptions().german;
    for (int i = 0; i < Tab1_->count(); ++i)
        Tab1_->setTabText(i, tabs.value(i));
}

void frmDef::watchLostFocus(QWidget* w, void (frmDef::*handler)()) {
    lostFocus_.insert(w, handler);
    w->installEventFilter(this);
}

void frmDef::connectHandlers() {
    connect(mnulanguage_, &QAction::triggered, this, &frmDef::mnulanguage_Click);
    connect(mnuEinstellungen_, &QAction::triggered, this, &frmDef::mnuEinstellungen_Click);
    connect(mnuEnde_, &QAction::triggered, this, &frmDef::mnuEnde_Click);
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

    connect(chkGanztägig_, &QCheckBox::clicked, this, &frmDef::chkGanztägig_Click);
    connect(chkGanztägigTermin_, &QCheckBox::clicked, this, &frmDef::chkGanztägigTermin_Click);
    connect(chkStandartAkt_, &QCheckBox::clicked, this, &frmDef::chkStandartAkt_Click);
    connect(txtStandartVon_, &QLineEdit::returnPressed, this, &frmDef::txtStandartVon_LostFocus);
    connect(txtStandartBis_, &QLineEdit::returnPressed, this, &frmDef::txtStandartBis_LostFocus);

    for (int i = 0; i < 2; ++i)
        connect(optEintragenIn_[i], &QRadioButton::clicked, this,
                [this, i] { optEintragenIn_Click(i); });
    connect(cmdHinzu_, &QPushButton::clicked, this, &frmDef::cmdHinzu_Click);
    connect(cmdLöschen_, &QPushButton::clicked, this, &frmDef::cmdLöschen_Click);
    connect(lvWeitereTage_, &QTreeWidget::itemClicked, this,
            [this](QTreeWidgetItem* item) { lvWeitereTage_ItemClick(item); });
    connect(lvWeitereTage_, &QTreeWidget::itemDoubleClicked, this,
            [this] { lvWeitereTage_DblClick(); });

    for (QTreeWidget* list : {lvListe_, lvWeitereTage_, lstAddressBookEntries_, lvAdressen_})
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

    watchLostFocus(txtJahr_, &frmDef::txtJahr_LostFocus);
    watchLostFocus(cmdSpeichern_, &frmDef::cmdSpeichern_LostFocus);
    watchLostFocus(cmdBenutzerSpeichern_, &frmDef::cmdBenutzerSpeichern_LostFocus);
    watchLostFocus(txtDarstellungVon_, &frmDef::txtDarstellungVon_LostFocus);
    watchLostFocus(txtDarstellungBis_, &frmDef::txtDarstellungBis_LostFocus);
    watchLostFocus(txtStandartVon_, &frmDef::txtStandartVon_LostFocus);
    watchLostFocus(txtStandartBis_, &frmDef::txtStandartBis_LostFocus);
    watchLostFocus(txtStandartOrt_, &frmDef::txtStandartOrt_LostFocus);
    watchLostFocus(txtTerminVon_, &frmDef::txtTerminVon_LostFocus);
    watchLostFocus(txtTerminBis_, &frmDef::txtTerminBis_LostFocus);
    watchLostFocus(txtDatum_, &frmDef::txtDatum_LostFocus);
    connectGroupWise();
}

bool frmDef::eventFilter(QObject* watched, QEvent* event) {
    if (isLostFocus(event)) {
        if (auto it = lostFocus_.constFind(watched); it != lostFocus_.constEnd()) {
            // Runs once the focus has settled on the new widget, so the handler may move it.
            auto handler = it.value();
            QMetaObject::invokeMethod(
                this, [this, handler] { (this->*handler)(); }, Qt::QueuedConnection);
        }
    }
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
    entryTypeNames_ = {QStringLiteral("Unknown"), QStringLiteral("User"), QStringLiteral("Company"),
                       QStringLiteral("Resource"), QStringLiteral("Group")};
    selectedYear_ = env_.today().year();
    txtJahr_->setText(QString::number(selectedYear_));
    lblName_->hide();
    lblDatum_->hide();
    lblBezeichnung_->hide();
    holidays_ = HolidayTables::withNames();
    LoadSettings();
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

void frmDef::LoadSettings() {
    const ProfileFile file(env_.settingsPath());
    Settings s = mv::LoadSettings(file, env_.today(), env_.systemCountryCode);

    postOfficeAddress_ = s.postOfficeAddress;
    postOfficePort_ = s.postOfficePort;
    setWindowTitle(QStringLiteral("Feiertage festlegen (") + s.yearText + QStringLiteral(")"));
    selectedYear_ = s.selectedYear;
    txtPfad_->setText(s.definitionPath);
    txtStandartVon_->setText(s.standardFrom);
    txtStandartBis_->setText(s.standardTo);
    txtStandartOrt_->setText(s.standardPlace);
    txtDarstellungVon_->setText(s.holidayFrom);
    txtDarstellungBis_->setText(s.holidayTo);
    txtDarstellungOrt_->setText(s.holidayPlace);

    chkGanztägig_->setChecked(s.holidayWholeDay);
    if (s.holidayWholeDay)
        chkGanztägig_Click();
    chkGanztägigTermin_->setChecked(s.standardWholeDay);
    if (s.standardWholeDay)
        chkGanztägigTermin_Click();
    chkStandartAkt_->setChecked(s.standardActive);
    if (s.standardActive)
        chkStandartAkt_Click();

    currentLanguage_ = s.language;
    currentCountry_ = s.country;
    txtJahr_->setText(QString::number(selectedYear_));

    fillDayList(lvWeitereTage_, s.furtherDays);
    holidays_ = s.holidays;
    // The country switch puts only the German and the US table on the boxes. A stored
    // selection of another country stands on them from the start, so that a save writes
    // it back instead of an empty mask.
    if (currentCountry_ != QLatin1String("USA") &&
        currentCountry_ != QLatin1String("Deutschland")) {
        for (int i = 0; i < 12; ++i)
            chkFeiertage_[i]->setChecked(holidays_.at[i].flag == QLatin1String("1"));
    }
    chkFeiertageAlsNotiz_->setChecked(s.asNote);

    lvAdressen_->clear();
    for (const AddressRow& a : s.users) {
        auto* item = new QTreeWidgetItem(lvAdressen_);
        item->setText(0, a.userId);
        item->setText(1, a.kind);
        item->setText(2, a.domain);
        item->setText(3, a.postOffice);
    }
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
        Sprache(dialog.chosenLanguage());
        land(dialog.chosenCountry());
    }
    Form_Activate();
}

void frmDef::mnuEinstellungen_Click() {
    ProfileFile file(env_.settingsPath());
    frmEinstellungen dialog(this, file, postOfficeAddress_, postOfficePort_, messages_);
    dialog.setMessageBox(messageBox_);
    dialog.exec();
    Form_Activate();
}

void frmDef::mnuÜber_Click() {
    frmAbout dialog(this);
    dialog.setMessageBox(messageBox_);
    dialog.exec();
    Form_Activate();
}

void frmDef::mnuEnde_Click() {
    // Ends at once: no unload handling, nothing saved.
    QCoreApplication::exit(0);
}

// ---------------------------------------------------------------- language and country

void frmDef::Sprache(const QString& sprach) {
    currentLanguage_ = sprach;
    const bool english = sprach == QLatin1String("English");
    if (!english && sprach != QLatin1String("Deutsch"))
        return;

    for (const Caption& c : mainWindowCaptions()) {
        const QString& text = english ? c.english : c.german;
        QObject* o = findChild<QObject*>(c.objectName);
        if (auto* b = qobject_cast<QAbstractButton*>(o))
            b->setText(text);
        else if (auto* l = qobject_cast<QLabel*>(o))
            l->setText(text);
        else if (auto* g = qobject_cast<QGroupBox*>(o))
            g->setTitle(text);
        else if (auto* m = qobject_cast<QMenu*>(o))
            m->setTitle(text);
        else if (auto* a = qobject_cast<QAction*>(o))
            a->setText(text);
    }
    setWindowTitle(windowCaption(sprach));

    const QStringList& tabs = tabCaptions().in(sprach);
    for (int i = 0; i < Tab1_->count(); ++i)
        Tab1_->setTabText(i, tabs.value(i));
    lvListe_->setHeaderLabels(dayColumnCaptions().in(sprach));
    lvWeitereTage_->setHeaderLabels(dayColumnCaptions().in(sprach));
    lvAdressen_->setHeaderLabels(addressColumnCaptions().in(sprach));
    lstAddressBookEntries_->setHeaderLabels(addressColumnCaptions().in(sprach));
    lvVerarbeitung_->setHeaderLabels(processingColumnCaptions().in(sprach));
    for (QCalendarWidget* cal : calKalender_) {
        cal->setLocale(calendarLocale(sprach)); // month and weekday names
        cal->setFirstDayOfWeek(Qt::Sunday);     // the locale change resets it
    }

    messages_.fill(sprach);
}

void frmDef::land(const QString& sland) {
    currentCountry_ = sland;
    HolidayTable* table = nullptr;
    if (sland == QLatin1String("USA"))
        table = &holidays_.us;
    else if (sland == QLatin1String("Deutschland"))
        table = &holidays_.de;
    if (table) {
        for (int i = 0; i < 12; ++i) {
            const HolidayRow& row = (*table)[i];
            QCheckBox* box = chkFeiertage_[i];
            box->setText(row.name);
            if (row.name.isEmpty()) {
                box->setChecked(false);
                box->hide();
            } else {
                box->setChecked(row.flag == QLatin1String("1"));
                box->show();
            }
        }
    }
    Tab1_Click();
}

void frmDef::chkFeiertage_Click(int index) {
    HolidayTable* table = nullptr;
    if (currentCountry_ == QLatin1String("USA"))
        table = &holidays_.us;
    else if (currentCountry_ == QLatin1String("Deutschland"))
        table = &holidays_.de;
    if (table)
        (*table)[index].flag =
            chkFeiertage_[index]->isChecked() ? QStringLiteral("1") : QStringLiteral("0");
}

// ---------------------------------------------------------------- tabs, day list, overview

void frmDef::Tab1_Click() {
    switch (Tab1_->currentIndex()) {
    case 0:
        BuildDayList();
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

DayList frmDef::furtherDays() const {
    DayList rows;
    rows.reserve(lvWeitereTage_->topLevelItemCount());
    for (int i = 0; i < lvWeitereTage_->topLevelItemCount(); ++i)
        rows.append(rowOf(lvWeitereTage_->topLevelItem(i)));
    return rows;
}

DayListInput frmDef::dayListInput() const {
    DayListInput in;
    in.country = currentCountry_;
    in.year = selectedYear_;
    in.yearText = txtJahr_->text();
    for (int i = 0; i < 12; ++i)
        in.selected[i] = chkFeiertage_[i]->isChecked();
    in.asNote = chkFeiertageAlsNotiz_->isChecked();
    in.holidayFrom = txtDarstellungVon_->text();
    in.holidayTo = txtDarstellungBis_->text();
    in.holidayPlace = txtDarstellungOrt_->text();
    in.furtherDays = furtherDays();
    return in;
}

void frmDef::BuildDayList() {
    fillDayList(lvListe_, mv::BuildDayList(dayListInput()));
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

void frmDef::sortByDate(QTreeWidget* list) {
    const int n = list->topLevelItemCount();
    if (n == 0)
        return;
    const QString yearText = txtJahr_->text();
    QList<std::pair<QString, QTreeWidgetItem*>> keyed;
    keyed.reserve(n);
    while (list->topLevelItemCount() > 0) {
        QTreeWidgetItem* item = list->takeTopLevelItem(0);
        keyed.append({dateSortKey(item->text(0), yearText), item});
    }
    std::stable_sort(keyed.begin(), keyed.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    QList<QTreeWidgetItem*> items;
    items.reserve(n);
    for (const auto& k : keyed)
        items.append(k.second);
    list->addTopLevelItems(items);
    list->setCurrentItem(items.first());
    list->scrollToItem(items.first());
}

void frmDef::headerClicked(QTreeWidget* list, int column) {
    if (column == 0 && (list == lvListe_ || list == lvWeitereTage_)) {
        WaitCursor wait;
        if (list == lvWeitereTage_)
            QCoreApplication::processEvents();
        sortByDate(list);
        return;
    }
    list->sortItems(column, Qt::AscendingOrder);
    list->header()->setSortIndicatorShown(false);
}

// ---------------------------------------------------------------- settings

void frmDef::txtJahr_LostFocus() {
    bool ok = false;
    const int year = txtJahr_->text().trimmed().toInt(&ok);
    if (!ok || year < 1583 || year > 8202) {
        box(QMessageBox::Warning, msg(Msg::TitleSettings), msg(Msg::YearRange));
        txtJahr_->setFocus();
        return;
    }
    selectedYear_ = year;
    const QString caption = windowCaptionWithYear(currentLanguage_, QString::number(year));
    if (!caption.isEmpty())
        setWindowTitle(caption);
}

void frmDef::cmdSpeichern_LostFocus() {
    txtJahr_->setFocus();
}

void frmDef::cmdBenutzerSpeichern_LostFocus() {
    cmdListAdressen_->setFocus();
}

void frmDef::cmdSpeichern_Click() {
    SettingsToSave s;
    s.yearText = txtJahr_->text();
    for (QCheckBox* box : chkFeiertage_)
        s.mask += box->isChecked() ? QLatin1Char('1') : QLatin1Char('0');
    s.asNote = chkFeiertageAlsNotiz_->isChecked();
    s.definitionPath = txtPfad_->text();
    s.standardFrom = txtStandartVon_->text();
    s.standardTo = txtStandartBis_->text();
    s.standardPlace = txtStandartOrt_->text();
    s.holidayFrom = txtDarstellungVon_->text();
    s.holidayTo = txtDarstellungBis_->text();
    s.holidayPlace = txtDarstellungOrt_->text();
    s.holidayWholeDay = chkGanztägig_->isChecked();
    s.standardWholeDay = chkGanztägigTermin_->isChecked();
    s.standardActive = chkStandartAkt_->isChecked();
    s.language = currentLanguage_;
    s.country = currentCountry_;
    s.furtherDays = furtherDays();

    ProfileFile file(env_.settingsPath());
    const SaveResult r = SaveSettings(file, s);
    if (r.ok())
        return;
    const QString title = r.failedKey == QLatin1String("Standardtermin Zeit Bis")
                              ? QStringLiteral("Zeit")
                              : msg(Msg::TitleSettings);
    box(QMessageBox::Critical, title,
        msg(Msg::SaveFailed) + QStringLiteral(" (") + QString::number(r.code) +
            QStringLiteral(")"));
}

void frmDef::cmdBenutzerSpeichern_Click() {
    AddressList users;
    for (int i = 0; i < lvAdressen_->topLevelItemCount(); ++i) {
        const QTreeWidgetItem* item = lvAdressen_->topLevelItem(i);
        users.append({item->text(0), item->text(1), item->text(2), item->text(3)});
    }
    ProfileFile file(env_.settingsPath());
    const SaveResult r = SaveUsers(file, users);
    if (r.ok())
        return;
    // The section is replaced in one write; its failure is the list's own.
    const QString title = r.failedKey == QLatin1String("User") ? QStringLiteral("Benutzerliste")
                                                               : msg(Msg::TitleSettings);
    box(QMessageBox::Critical, title,
        msg(Msg::SaveFailed) + QStringLiteral(" (") + QString::number(r.code) +
            QStringLiteral(")"));
}

void frmDef::cmdDefinitionsDatei_Click() {
    WaitCursor wait;
    const DayList rows = mv::BuildDayList(dayListInput());
    const QString path = definitionFilePath(txtPfad_->text());
    const QString title = QStringLiteral("Definitionsdatei");
    switch (writeDefinitionFile(txtPfad_->text(), rows)) {
    case DefinitionFileResult::Ok:
        fillDayList(lvListe_, rows);
        box(QMessageBox::Information, title,
            msg(Msg::FileCreated) + QLatin1Char('"') + path + QLatin1Char('"'));
        break;
    case DefinitionFileResult::FolderMissing:
        wait.release();
        box(QMessageBox::Critical, title, msg(Msg::FileNotCreated));
        Tab1_->setCurrentIndex(2);
        // after the tab's own handler, which gives the focus to the year
        QMetaObject::invokeMethod(
            this, [this] { txtPfad_->setFocus(); }, Qt::QueuedConnection);
        break;
    case DefinitionFileResult::WriteFailed:
        wait.release();
        box(QMessageBox::Critical, title,
            msg(Msg::FileNotCreated) + QStringLiteral(" \"") + path + QLatin1Char('"'));
        break;
    }
}

// ---------------------------------------------------------------- appearance

QString frmDef::checkTime(QLineEdit* field, QLineEdit* partner) {
    QString text = field->text();
    const TimeCheck r = CheckTime(text, field->objectName(), partner->text());
    if (text != field->text())
        field->setText(text);
    switch (r) {
    case TimeCheck::Ok:
        return {};
    case TimeCheck::Invalid:
        return msg(Msg::TimeInvalid);
    case TimeCheck::EndBeforeStart:
        return msg(Msg::EndBeforeStart);
    }
    return {};
}

void frmDef::txtDarstellungVon_LostFocus() {
    const QString m = checkTime(txtDarstellungVon_, txtDarstellungBis_);
    if (m.isEmpty())
        return;
    box(QMessageBox::NoIcon, msg(Msg::TitleDateTime), m);
    txtDarstellungVon_->clear();
}

void frmDef::txtDarstellungBis_LostFocus() {
    const QString m = checkTime(txtDarstellungBis_, txtDarstellungVon_);
    if (m.isEmpty())
        return;
    box(QMessageBox::NoIcon, QString::fromLatin1(kAppTitle), m);
    txtDarstellungBis_->clear();
}

void frmDef::txtStandartVon_LostFocus() {
    const QString m = checkTime(txtStandartVon_, txtStandartBis_);
    if (!m.isEmpty()) {
        box(QMessageBox::Warning, QString::fromLatin1(kAppTitle), m);
        txtStandartVon_->clear();
        return;
    }
    if (chkStandartAkt_->isChecked() && !txtStandartVon_->text().isEmpty())
        txtTerminVon_->setText(txtStandartVon_->text());
}

void frmDef::txtStandartBis_LostFocus() {
    const QString m = checkTime(txtStandartBis_, txtStandartVon_);
    if (!m.isEmpty()) {
        box(QMessageBox::Warning, QString::fromLatin1(kAppTitle), m);
        txtStandartBis_->clear();
        return;
    }
    if (chkStandartAkt_->isChecked() && !txtStandartBis_->text().isEmpty())
        txtTerminBis_->setText(txtStandartBis_->text());
}

void frmDef::txtStandartOrt_LostFocus() {
    if (chkStandartAkt_->isChecked() && !txtStandartOrt_->text().isEmpty())
        txtTerminOrt_->setText(txtStandartOrt_->text());
}

void frmDef::txtTerminVon_LostFocus() {
    txtTerminVon_->setText(txtTerminVon_->text().trimmed());
    txtTerminBis_->setText(txtTerminBis_->text().trimmed());
    const QString m = checkTime(txtTerminVon_, txtTerminBis_);
    if (m.isEmpty())
        return;
    box(QMessageBox::NoIcon, QString::fromLatin1(kAppTitle), m);
    txtTerminVon_->clear();
}

void frmDef::txtTerminBis_LostFocus() {
    txtTerminVon_->setText(txtTerminVon_->text().trimmed());
    txtTerminBis_->setText(txtTerminBis_->text().trimmed());
    const QString m = checkTime(txtTerminBis_, txtTerminVon_);
    if (m.isEmpty())
        return;
    box(QMessageBox::NoIcon, QString::fromLatin1(kAppTitle), m);
    txtTerminBis_->clear();
}

void frmDef::chkGanztägig_Click() {
    const bool on = chkGanztägig_->isChecked();
    if (on) {
        txtDarstellungVon_->setText(QStringLiteral("00:00"));
        txtDarstellungBis_->setText(QStringLiteral("24:00"));
    }
    txtDarstellungVon_->setEnabled(!on);
    txtDarstellungBis_->setEnabled(!on);
}

void frmDef::chkGanztägigTermin_Click() {
    if (chkGanztägigTermin_->isChecked()) {
        txtStandartVon_->setText(QStringLiteral("00:00"));
        txtStandartBis_->setText(QStringLiteral("24:00"));
        txtStandartVon_->setEnabled(false);
        txtStandartBis_->setEnabled(false);
        if (chkStandartAkt_->isChecked()) {
            txtTerminVon_->setEnabled(false);
            txtTerminBis_->setEnabled(false);
        }
    } else {
        txtStandartVon_->setEnabled(true);
        txtStandartBis_->setEnabled(true);
        txtTerminVon_->setEnabled(true);
        txtTerminBis_->setEnabled(true);
    }
    if (chkStandartAkt_->isChecked())
        chkStandartAkt_Click();
}

void frmDef::chkStandartAkt_Click() {
    if (!chkStandartAkt_->isChecked()) {
        txtTerminVon_->setEnabled(true);
        txtTerminBis_->setEnabled(true);
        return;
    }
    if (chkGanztägigTermin_->isChecked()) {
        txtTerminVon_->setText(QStringLiteral("00:00"));
        txtTerminBis_->setText(QStringLiteral("24:00"));
        txtTerminVon_->setEnabled(false);
        txtTerminBis_->setEnabled(false);
    } else {
        if (!txtStandartVon_->text().isEmpty())
            txtTerminVon_->setText(txtStandartVon_->text());
        if (!txtStandartBis_->text().isEmpty())
            txtTerminBis_->setText(txtStandartBis_->text());
    }
    if (!txtStandartOrt_->text().isEmpty())
        txtTerminOrt_->setText(txtStandartOrt_->text());
}

// ---------------------------------------------------------------- further days

void frmDef::txtDatum_LostFocus() {
    if (txtDatum_->text().isEmpty())
        return;
    const QString s = txtDatum_->text().trimmed();
    const QString yearText = txtJahr_->text();
    const bool yearly = s.endsWith(QLatin1String(".*"));
    QString text = s;
    if (yearly)
        text.replace(QLatin1Char('*'), yearText);
    const QDate date = parseDate(text);
    if (!date.isValid()) {
        box(QMessageBox::Warning, msg(Msg::TitleDateTime), msg(Msg::DateInvalid));
        txtDatum_->clear();
        txtDatum_->setFocus();
        return;
    }
    text = formatDate(date);
    if (yearly && !yearText.isEmpty())
        text.replace(yearText, QStringLiteral("*"));
    txtDatum_->setText(text);
}

void frmDef::optEintragenIn_Click(int index) {
    const bool appointment = index == 0;
    for (QWidget* w : {static_cast<QWidget*>(lblTerminVon_), static_cast<QWidget*>(lblTerminBis_),
                       static_cast<QWidget*>(lblTerminOrt_), static_cast<QWidget*>(txtTerminVon_),
                       static_cast<QWidget*>(txtTerminBis_), static_cast<QWidget*>(txtTerminOrt_)})
        w->setVisible(appointment);
}

void frmDef::endEditMode() {
    bEditMode_ = false;
    iEditIndex_ = 0;
}

void frmDef::cmdHinzu_Click() {
    const QString title = msg(Msg::TitleDateTime);
    if (txtBezeichnung_->text().isEmpty()) {
        box(QMessageBox::Warning, msg(Msg::TitleDesignation), msg(Msg::EnterDesignation));
        txtBezeichnung_->setFocus();
        return;
    }

    // The row to write: the one being edited, else a new one at the end.
    auto targetRow = [this]() -> QTreeWidgetItem* {
        if (bEditMode_ && iEditIndex_ >= 1 && iEditIndex_ <= lvWeitereTage_->topLevelItemCount())
            return lvWeitereTage_->topLevelItem(iEditIndex_ - 1);
        return new QTreeWidgetItem(lvWeitereTage_);
    };

    if (!optEintragenIn_[0]->isChecked()) {
        // A note without a date could never be placed in a year.
        if (txtDatum_->text().trimmed().isEmpty()) {
            box(QMessageBox::Warning, title, msg(Msg::DateInvalid));
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
        box(QMessageBox::Warning, title, msg(Msg::TimeInvalid));
        txtDatum_->setFocus();
        return;
    }
    const double start = timeTextMinutes(txtTerminVon_->text());
    const int end = roundToInt16(timeTextMinutes(txtTerminBis_->text()));
    if (end < start) {
        box(QMessageBox::Warning, title, msg(Msg::EndBeforeStart));
        endEditMode();
        return;
    }
    if (txtDatum_->text().isEmpty()) {
        box(QMessageBox::Warning, title, msg(Msg::DateInvalid));
        txtDatum_->setFocus();
        endEditMode();
        return;
    }
    QTreeWidgetItem* item = targetRow();
    item->setText(0, txtDatum_->text());
    item->setText(1, txtBezeichnung_->text());
    item->setText(2, appointmentTimeCell(txtTerminVon_->text(), txtTerminBis_->text()));
    item->setText(3, txtTerminOrt_->text());

    for (QLineEdit* f : {txtDatum_, txtBezeichnung_, txtTerminVon_, txtTerminBis_, txtTerminOrt_})
        f->clear();
    txtDatum_->setFocus();
    if (chkStandartAkt_->isChecked()) {
        txtTerminVon_->setText(txtStandartVon_->text());
        txtTerminBis_->setText(txtStandartBis_->text());
        txtTerminOrt_->setText(txtStandartOrt_->text());
    }
    endEditMode();
}

void frmDef::lvWeitereTage_ItemClick(QTreeWidgetItem* item) {
    itmSelectedDay_ = item;
}

void frmDef::lvWeitereTage_DblClick() {
    if (!itmSelectedDay_)
        return;
    const DayEntry row = rowOf(itmSelectedDay_);
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
    iEditIndex_ = lvWeitereTage_->indexOfTopLevelItem(itmSelectedDay_) + 1;
}

void frmDef::cmdLöschen_Click() {
    if (!itmSelectedDay_)
        return;
    if (box(QMessageBox::NoIcon, QString::fromLatin1(kAppTitle), msg(Msg::ConfirmDeleteEntry),
            QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes) {
        if (!cmdLöschen_GroupWise(itmSelectedDay_))
            return;
    }
    delete itmSelectedDay_;
    itmSelectedDay_ = nullptr;
    // The edited row may be gone or have moved; an update must not overwrite another row.
    endEditMode();
}

} // namespace mv
