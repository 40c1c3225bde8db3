// Start-up order, year field, settings file round trip, language and country, definition
// file, day list and year overview of the main window.
#include "settings/codepage.h"
#include "treetable.h"
#include "ui/captions.h"
#include "windowfixture.h"

#include <QAbstractItemView>
#include <QCalendarWidget>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QScrollBar>
#include <QSet>
#include <QTabWidget>
#include <QTreeWidget>

using namespace mvtest;
using namespace Qt::StringLiterals;

namespace {

// The caption a control shows; a null string for a kind that carries none.
QString shownCaption(const QObject* o) {
    if (auto* b = qobject_cast<const QAbstractButton*>(o))
        return b->text();
    if (auto* l = qobject_cast<const QLabel*>(o))
        return l->text();
    if (auto* g = qobject_cast<const QGroupBox*>(o))
        return g->title();
    if (auto* m = qobject_cast<const QMenu*>(o))
        return m->title();
    if (auto* a = qobject_cast<const QAction*>(o))
        return a->text();
    return QString();
}

QColor background(QCalendarWidget* cal, QDate d) {
    const QBrush b = cal->dateTextFormat(d).background();
    return b.style() == Qt::NoBrush ? QColor() : b.color();
}

} // namespace

class TestMainWindow : public QObject {
    Q_OBJECT

private slots:
    void firstStartWithoutSettingsFile_data();
    void firstStartWithoutSettingsFile();
    void loadShowsStoredYearUntilActivation_data();
    void loadShowsStoredYearUntilActivation();
    void connectionDialogThroughMenu();
    void namedControlsExist();
    void everyCaptionNamesAControl_data();
    void everyCaptionNamesAControl();
    void menuEndEndsAtOnce();
    void yearCheck_data();
    void yearCheck();
    void saveButtonSendsFocusToYear();
    void saveAndLoadRoundTrip();
    void storedMaskOfOtherCountryFallsBackToDefault();
    void austrianSelectionSurvivesSave_data();
    void austrianSelectionSurvivesSave();
    void saveFailureReportsCodeAndTitle_data();
    void saveFailureReportsCodeAndTitle();
    void userListSaveFailure();
    void countryAndLanguageSwitchThroughDialog();
    void englishInterfaceWithGermany();
    void unknownLanguageFallsBackToGerman();
    void activationAfterDialogKeepsTabAndDropsYear();
    void definitionFileWritten();
    void definitionFileFolderMissing();
    void definitionFileCannotBeWritten();
    void dayListAndHeaderSorts();
    void yearOverviewMarks();
    void yearOverviewUsa();
    void yearOverviewShowsMarkOnSelectedDay_data();
    void yearOverviewShowsMarkOnSelectedDay();
    void refusedYearNeitherStoredNorUsed();
    void saveRefusesUnstorableText_data();
    void saveRefusesUnstorableText();
    void pictureButtonsExplainThemselves_data();
    void pictureButtonsExplainThemselves();
    void furtherDaysFitWithoutScrollBar();
};

void TestMainWindow::firstStartWithoutSettingsFile_data() {
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("tab2");
    QTest::addColumn<int>("boxesShown");
    QTest::addColumn<QString>("box0");
    QTest::newRow("49 Germany") << "49"
                                << "Feiertage festlegen"
                                << "Einstellungen" << 12 << "Neujahr";
    QTest::newRow("1 USA") << "1"
                           << "Define holidays"
                           << "Options" << 10 << "New Year`s Day";
    QTest::newRow("unknown") << ""
                             << "Define holidays"
                             << "Options" << 10 << "New Year`s Day";
}

void TestMainWindow::firstStartWithoutSettingsFile() {
    QFETCH(QString, code);
    Program p;
    p.countryCode = code;
    mv::frmDef& w = p.start();

    QCOMPARE(p.boxes.shown.size(), 0);
    QCOMPARE(p.get<QTabWidget>(u"Tab1"_s)->currentIndex(), 2);
    QTEST(w.windowTitle(), "caption");
    QTEST(p.get<QTabWidget>(u"Tab1"_s)->tabText(2), "tab2");
    QCOMPARE(QApplication::focusWidget(), p.get(u"txtJahr"_s));
    QCOMPARE(p.get<QLineEdit>(u"txtJahr"_s)->text(), u"2011"_s);
    QCOMPARE(p.get<QLineEdit>(u"txtPfad"_s)->text(), u"Pfad eingeben"_s);
    // "Darstellung 24h" defaults on: whole-day times, locked
    QCOMPARE(p.get<QLineEdit>(u"txtDarstellungVon"_s)->text(), u"00:00"_s);
    QCOMPARE(p.get<QLineEdit>(u"txtDarstellungBis"_s)->text(), u"24:00"_s);
    QVERIFY(!p.get(u"txtDarstellungVon"_s)->isEnabled());
    QVERIFY(p.get<QCheckBox>(u"chkStandartAkt"_s)->isChecked());
    QVERIFY(!p.get<QCheckBox>(u"chkGanztägigTermin"_s)->isChecked());
    QVERIFY(!p.get<QCheckBox>(u"chkFeiertageAlsNotiz"_s)->isChecked());
    // default appointment "00:00" - "00:00" copied into the further-day fields
    QCOMPARE(p.get<QLineEdit>(u"txtTerminVon"_s)->text(), u"00:00"_s);
    QCOMPARE(p.get<QLineEdit>(u"txtTerminBis"_s)->text(), u"00:00"_s);
    QCOMPARE(p.get<QTreeWidget>(u"lvWeitereTage"_s)->topLevelItemCount(), 0);
    QCOMPARE(p.get<QTreeWidget>(u"lvAdressen"_s)->topLevelItemCount(), 0);
    QVERIFY(p.get(u"lblName"_s)->isHidden());
    QVERIFY(p.get(u"lblBezeichnung"_s)->isHidden());

    int shown = 0;
    QString mask;
    for (int i = 0; i < 12; ++i) {
        auto* box = p.get<QCheckBox>(u"chkFeiertage_%1"_s.arg(i));
        shown += !box->isHidden();
        mask += box->isChecked() ? u'1' : u'0';
    }
    QTEST(shown, "boxesShown");
    QTEST(p.get<QCheckBox>(u"chkFeiertage_0"_s)->text(), "box0");
    QCOMPARE(mask, code == u"49"_s ? u"111111110111"_s : u"101111011100"_s);
}

void TestMainWindow::loadShowsStoredYearUntilActivation_data() {
    QTest::addColumn<QString>("stored");
    QTest::newRow("in range") << "2012";
    QTest::newRow("below range") << "1500";
    QTest::newRow("zero") << "0";
    QTest::newRow("negative") << "-5";
}

void TestMainWindow::loadShowsStoredYearUntilActivation() {
    QFETCH(QString, stored);
    Program p;
    p.writeIni(u"[Feiertage]\r\nJahr="_s + stored + u"\r\n"_s);
    mv::frmDef& w = p.load();
    QCOMPARE(w.windowTitle(), u"Feiertage festlegen ("_s + stored + u")"_s);
    QCOMPARE(w.selectedYear(), stored.toInt()); // no range check at load
    w.show();
    p.settle();
    QCOMPARE(w.windowTitle(), u"Feiertage festlegen"_s);
    QCOMPARE(p.boxes.shown.size(), 0);
    QCOMPARE(p.get<QLineEdit>(u"txtJahr"_s)->text(), stored);
    // the list and the overview of such a year are shown without failing; leaving the
    // year field on the way refuses an out-of-range year
    p.get<QTabWidget>(u"Tab1"_s)->setCurrentIndex(0);
    p.settle();
    p.get<QTabWidget>(u"Tab1"_s)->setCurrentIndex(1);
    p.settle();
    const int year = stored.toInt();
    QCOMPARE(p.boxes.shown.isEmpty(), year >= 1583);
    for (const mv::MessageRequest& r : p.boxes.shown)
        QCOMPARE(r.text, u"Das Jahr darf nur zwischen 1583 und 8202 liegen."_s);
    QCOMPARE(w.selectedYear(), year);
}

void TestMainWindow::connectionDialogThroughMenu() {
    Program p;
    mv::frmDef& w = p.start();
    whenDialogOpens([](QWidget* d) {
        d->findChild<QLineEdit*>(u"txtIPAdresse"_s)->setText(u"10.0.0.7"_s);
        d->findChild<QLineEdit*>(u"txtIPPort"_s)->setText(u"1677"_s);
        d->findChild<QPushButton*>(u"cmdOK"_s)->click();
    });
    w.findChild<QAction*>(u"mnuEinstellungen"_s)->trigger();
    p.settle();
    QVERIFY(p.readIni().contains(u"IPAdresse=10.0.0.7"_s));
    QVERIFY(p.readIni().contains(u"IPPort=1677"_s));
    QCOMPARE(w.windowTitle(), u"Feiertage festlegen"_s);
}

void TestMainWindow::namedControlsExist() {
    Program p;
    mv::frmDef& w = p.start();
    QCOMPARE(w.objectName(), u"frmDef"_s);
    // The controls no caption table names; every captioned one is checked from the tables.
    const QStringList names = {u"Tab1"_s,
                               u"lvListe"_s,
                               u"txtJahr"_s,
                               u"txtPfad"_s,
                               u"txtDarstellungVon"_s,
                               u"txtDarstellungBis"_s,
                               u"txtDarstellungOrt"_s,
                               u"txtStandartVon"_s,
                               u"txtStandartBis"_s,
                               u"txtStandartOrt"_s,
                               u"txtDatum"_s,
                               u"txtBezeichnung"_s,
                               u"txtTerminVon"_s,
                               u"txtTerminBis"_s,
                               u"txtTerminOrt"_s,
                               u"cmdHinzu"_s,
                               u"cmdLöschen"_s,
                               u"lvWeitereTage"_s,
                               u"txtDomainPfad"_s,
                               u"lstAddressBookEntries"_s,
                               u"lvAdressen"_s,
                               u"lblGWVersion"_s,
                               u"lblPathToHost"_s,
                               u"lblTCPIPAddress"_s,
                               u"lblTCPIPPort"_s,
                               u"lvVerarbeitung"_s};
    for (const QString& n : names)
        QVERIFY2(w.findChild<QWidget*>(n), qPrintable(n));
    for (int i = 0; i < 12; ++i) {
        QVERIFY(w.findChild<QCheckBox*>(u"chkFeiertage_%1"_s.arg(i)));
        QVERIFY(w.findChild<QCalendarWidget*>(u"calKalender_%1"_s.arg(i)));
    }
    for (int i = 0; i < 4; ++i)
        QVERIFY(w.findChild<QLabel*>(u"lbluhr_%1"_s.arg(i)));
    for (const char* a : {"mnulanguage", "mnuEinstellungen", "mnuEnde", "mnuÜber"})
        QVERIFY2(w.findChild<QAction*>(QString::fromUtf8(a)), a);
    QCOMPARE(w.findChild<QMenu*>(u"mnuDatei"_s)->title(), u"Datei"_s);
    QCOMPARE(w.findChild<QMenu*>(u"mnuHilfe"_s)->title(), u"?"_s);
    QCOMPARE(w.findChild<QAction*>(u"mnuEinstellungen"_s)->text(), u"&Einstellungen"_s);
    QCOMPARE(w.findChild<QAction*>(u"mnulanguage"_s)->text(), u"Land/Sprache Einstellungen"_s);
    // designed captions that the language never touches
    QCOMPARE(p.get<QPushButton>(u"cmdAdresseWählen"_s)->text(), u"-->"_s);
    QCOMPARE(p.get<QLabel>(u"lblPort"_s)->text(), u"TCP/IP Port:"_s);
    QCOMPARE(p.get<QTreeWidget>(u"lvWeitereTage"_s)->headerItem()->text(2), u"Zeit"_s);
    QVERIFY(!p.get<QTreeWidget>(u"lvListe"_s)->header()->isSortIndicatorShown());
}

void TestMainWindow::everyCaptionNamesAControl_data() {
    QTest::addColumn<QString>("language");
    QTest::newRow("Deutsch") << "Deutsch";
    QTest::newRow("English") << "English";
}

// A caption whose name no control carries, or a control of a kind the language switch
// cannot caption, would leave a text of the other language standing.
void TestMainWindow::everyCaptionNamesAControl() {
    QFETCH(QString, language);
    Program p;
    p.writeIni(u"[Einstellungen]\r\nSprache="_s + language + u"\r\n"_s);
    mv::frmDef& w = p.start();
    QSet<QString> switched;
    for (const mv::Caption& c : mv::mainWindowCaptions()) {
        const QObject* o = w.findChild<QObject*>(c.objectName);
        QVERIFY2(o, qPrintable(c.objectName));
        QCOMPARE(shownCaption(o), language == u"English"_s ? c.english : c.german);
        switched.insert(c.objectName);
    }
    for (const mv::DesignedCaption& c : mv::mainWindowDesignedCaptions()) {
        if (c.objectName == w.objectName())
            continue;
        const QObject* o = w.findChild<QObject*>(c.objectName);
        QVERIFY2(o, qPrintable(c.objectName));
        // The country puts the holiday names on its boxes; a separator shows no text.
        const auto* action = qobject_cast<const QAction*>(o);
        QVERIFY2(action || !shownCaption(o).isNull(), qPrintable(c.objectName));
        if (switched.contains(c.objectName) || c.objectName.startsWith(u"chkFeiertage_"_s) ||
            (action && action->isSeparator()))
            continue;
        QCOMPARE(shownCaption(o), c.text);
    }
}

void TestMainWindow::menuEndEndsAtOnce() {
    Program p;
    p.start();
    p.window->findChild<QAction*>(u"mnuEnde"_s)->trigger();
    QCOMPARE(p.exits, QList<int>{0});
    QVERIFY(!QFile::exists(p.iniPath())); // nothing saved
}

void TestMainWindow::yearCheck_data() {
    QTest::addColumn<QString>("language");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<QString>("caption");
    QTest::newRow("lowest") << "Deutsch"
                            << "1583" << true << "Feiertage festlegen (1583)";
    QTest::newRow("highest") << "Deutsch"
                             << "8202" << true << "Feiertage festlegen (8202)";
    QTest::newRow("english") << "English"
                             << "2012" << true << "Define Holidays (2012)";
    QTest::newRow("below") << "Deutsch"
                           << "1582" << false << "Feiertage festlegen";
    QTest::newRow("above") << "English"
                           << "8203" << false << "Define holidays";
    QTest::newRow("letters") << "Deutsch"
                             << "zwei" << false << "Feiertage festlegen";
    QTest::newRow("number and letters") << "Deutsch"
                                        << "2012a" << false << "Feiertage festlegen";
    QTest::newRow("empty") << "Deutsch"
                           << "" << false << "Feiertage festlegen";
    // what the check accepts must stand in for "*"; odd texts are refused
    QTest::newRow("sign") << "Deutsch"
                          << "+2012" << false << "Feiertage festlegen";
    QTest::newRow("leading zero") << "Deutsch"
                                  << "02012" << false << "Feiertage festlegen";
}

void TestMainWindow::yearCheck() {
    QFETCH(QString, language);
    QFETCH(QString, typed);
    QFETCH(bool, accepted);
    Program p;
    p.writeIni(u"[Einstellungen]\r\nSprache="_s + language + u"\r\n"_s);
    mv::frmDef& w = p.start();
    auto* jahr = p.get<QLineEdit>(u"txtJahr"_s);
    focus(jahr);
    jahr->clear();
    QTest::keyClicks(jahr, typed);
    focus(p.get(u"txtPfad"_s));

    QTEST(w.windowTitle(), "caption");
    if (accepted) {
        QCOMPARE(p.boxes.shown.size(), 0);
        QCOMPARE(w.selectedYear(), typed.toInt());
        QCOMPARE(QApplication::focusWidget(), p.get(u"txtPfad"_s));
    } else {
        QCOMPARE(p.boxes.shown.size(), 1);
        const bool en = language == u"English"_s;
        QCOMPARE(p.boxes.last().text, en ? u"The year must be one between 1583 and 8202"_s
                                         : QString(u"Das Jahr darf nur zwischen 1583 und 8202 "_s
                                                   u"liegen."_s));
        QCOMPARE(p.boxes.last().title,
                 en ? u"Marvolingen - setting error"_s : u"Marvolingen - Einstellungsfehler"_s);
        QCOMPARE(p.boxes.last().icon, QMessageBox::Warning);
        QCOMPARE(p.boxes.last().buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
        QCOMPARE(w.selectedYear(), 2011);
        QCOMPARE(QApplication::focusWidget(), jahr);
    }
}

void TestMainWindow::saveButtonSendsFocusToYear() {
    Program p;
    p.start();
    auto* save = p.get<QPushButton>(u"cmdSpeichern"_s);
    focus(save);
    focus(p.get(u"txtDarstellungOrt"_s));
    QCOMPARE(QApplication::focusWidget(), p.get(u"txtJahr"_s));

    p.get<QTabWidget>(u"Tab1"_s)->setCurrentIndex(3);
    p.settle();
    focus(p.get(u"cmdBenutzerSpeichern"_s));
    focus(p.get(u"lvAdressen"_s));
    QCOMPARE(QApplication::focusWidget(), p.get(u"cmdListAdressen"_s));
}

void TestMainWindow::saveAndLoadRoundTrip() {
    Program p;
    p.writeIni(QString::fromUtf8("[Weitere Tage]\r\n24.12.*\aBüro zu\r\n"
                                 "[User]\r\nanna\aUser\adom\apo\r\nraum1\aResource\r\n"));
    p.start();
    // loaded rows: the two-field further day gets the day-long time
    QCOMPARE(rowCells(p.get<QTreeWidget>(u"lvWeitereTage"_s), 0),
             QStringList({u"24.12.*"_s, QString::fromUtf8("Büro zu"), u"07:00-20:00"_s, u""_s}));
    QCOMPARE(rowCells(p.get<QTreeWidget>(u"lvAdressen"_s), 1),
             QStringList({u"raum1"_s, u"Resource"_s, u""_s, u""_s}));

    p.get<QLineEdit>(u"txtPfad"_s)->setText(u"/tmp/out"_s);
    p.get<QCheckBox>(u"chkFeiertage_0"_s)->click();
    p.get<QCheckBox>(u"chkFeiertage_8"_s)->click();
    p.get<QCheckBox>(u"chkFeiertageAlsNotiz"_s)->click();
    p.get<QCheckBox>(u"chkGanztägig"_s)->click();
    p.get<QLineEdit>(u"txtDarstellungVon"_s)->setText(u"08:00"_s);
    p.get<QLineEdit>(u"txtDarstellungOrt"_s)->setText(u"Haus"_s);
    p.get<QCheckBox>(u"chkGanztägigTermin"_s)->click();
    p.get<QLineEdit>(u"txtStandartOrt"_s)->setText(u"Saal 2"_s);
    p.get<QCheckBox>(u"chkStandartAkt"_s)->click();
    auto* further = p.get<QTreeWidget>(u"lvWeitereTage"_s);
    auto* item = new QTreeWidgetItem(further);
    item->setText(0, u"03.10.2011"_s);
    item->setText(1, u"Fest"_s);
    item->setText(2, u"Note"_s);
    p.get<QPushButton>(u"cmdSpeichern"_s)->click();
    p.get<QPushButton>(u"cmdBenutzerSpeichern"_s)->click();
    QCOMPARE(p.boxes.shown.size(), 0);

    const QString ini = p.readIni();
    QVERIFY(ini.contains(u"Definition=011111111111"_s));
    QVERIFY(ini.contains(u"alsNotiz=1"_s));
    QVERIFY(ini.contains(u"Darstellung 24h=0"_s));
    QVERIFY(ini.contains(u"Standard 24h=1"_s));
    QVERIFY(ini.contains(u"Standard aktiv=0"_s));
    QVERIFY(ini.contains(u"Sprache=Deutsch"_s));
    QVERIFY(ini.contains(u"Land=Deutschland"_s));

    mv::frmDef& w = p.start();
    QCOMPARE(p.get<QLineEdit>(u"txtPfad"_s)->text(), u"/tmp/out"_s);
    QString mask;
    for (int i = 0; i < 12; ++i)
        mask += p.get<QCheckBox>(u"chkFeiertage_%1"_s.arg(i))->isChecked() ? u'1' : u'0';
    QCOMPARE(mask, u"011111111111"_s);
    QVERIFY(p.get<QCheckBox>(u"chkFeiertageAlsNotiz"_s)->isChecked());
    QVERIFY(!p.get<QCheckBox>(u"chkGanztägig"_s)->isChecked());
    QVERIFY(p.get(u"txtDarstellungVon"_s)->isEnabled());
    QCOMPARE(p.get<QLineEdit>(u"txtDarstellungVon"_s)->text(), u"08:00"_s);
    QCOMPARE(p.get<QLineEdit>(u"txtDarstellungOrt"_s)->text(), u"Haus"_s);
    QVERIFY(p.get<QCheckBox>(u"chkGanztägigTermin"_s)->isChecked());
    QVERIFY(!p.get(u"txtStandartVon"_s)->isEnabled());
    QVERIFY(!p.get<QCheckBox>(u"chkStandartAkt"_s)->isChecked());
    QCOMPARE(p.get<QLineEdit>(u"txtStandartOrt"_s)->text(), u"Saal 2"_s);
    QCOMPARE(columnCells(p.get<QTreeWidget>(u"lvWeitereTage"_s), 0),
             QStringList({u"24.12.*"_s, u"03.10.2011"_s}));
    QCOMPARE(rowCells(p.get<QTreeWidget>(u"lvWeitereTage"_s), 1),
             QStringList({u"03.10.2011"_s, u"Fest"_s, u"Note"_s, u""_s}));
    QCOMPARE(rowCells(p.get<QTreeWidget>(u"lvAdressen"_s), 0),
             QStringList({u"anna"_s, u"User"_s, u"dom"_s, u"po"_s}));
    QCOMPARE(rowCells(p.get<QTreeWidget>(u"lvAdressen"_s), 1),
             QStringList({u"raum1"_s, u"Resource"_s, u""_s, u""_s}));
    QCOMPARE(mv::storedText(w.currentLanguage()), u"Deutsch"_s);
}

void TestMainWindow::storedMaskOfOtherCountryFallsBackToDefault() {
    Program p;
    p.writeIni(
        u"[Feiertage]\r\nDefinition=000000000001\r\n[Einstellungen]\r\nLand=Deutschland\r\n"_s);
    p.start();
    QString mask;
    for (int i = 0; i < 12; ++i)
        mask += p.get<QCheckBox>(u"chkFeiertage_%1"_s.arg(i))->isChecked() ? u'1' : u'0';
    QCOMPARE(mask, u"000000000001"_s);
    p.get<QTabWidget>(u"Tab1"_s)->setCurrentIndex(0);
    p.settle();
    QCOMPARE(columnCells(p.get<QTreeWidget>(u"lvListe"_s), 1),
             QStringList({u"Zweiter Weihnachtstag"_s}));

    p.writeIni(u"[Feiertage]\r\nDefinition=000000000001\r\n[Einstellungen]\r\nLand=USA\r\n"_s);
    p.start();
    mask.clear();
    for (int i = 0; i < 12; ++i)
        mask += p.get<QCheckBox>(u"chkFeiertage_%1"_s.arg(i))->isChecked() ? u'1' : u'0';
    QCOMPARE(mask, u"000000000000"_s); // the US boxes follow the stored text
}

// "Östereich" (or a hand-edited country) has no table the country switch shows; its
// stored selection must not be replaced by an empty mask on the next save.
void TestMainWindow::austrianSelectionSurvivesSave_data() {
    QTest::addColumn<QString>("country");
    QTest::newRow("Östereich") << u"Östereich"_s;
    QTest::newRow("unknown country") << u"Frankreich"_s;
}

void TestMainWindow::austrianSelectionSurvivesSave() {
    QFETCH(QString, country);
    Program p;
    p.writeIni(u"[Feiertage]\r\nJahr=2011\r\nDefinition=100000000011\r\n"_s
               u"[Einstellungen]\r\nLand="_s +
               country + u"\r\nSprache=Deutsch\r\n"_s);
    p.start();
    p.get<QTabWidget>(u"Tab1"_s)->setCurrentIndex(0);
    p.settle();
    QCOMPARE(columnCells(p.get<QTreeWidget>(u"lvListe"_s), 1),
             QStringList({u"Neujahr"_s, u"Erster Weihnachtstag"_s, u"Zweiter Weihnachtstag"_s}));
    p.get<QTabWidget>(u"Tab1"_s)->setCurrentIndex(2);
    p.settle();
    QTest::mouseClick(p.get<QPushButton>(u"cmdSpeichern"_s), Qt::LeftButton);
    p.settle();
    QVERIFY2(p.readIni().contains(u"Definition=100000000011\r\n"_s), qPrintable(p.readIni()));
    QVERIFY(p.readIni().contains(u"Land="_s + country + u"\r\n"_s));
}

void TestMainWindow::saveFailureReportsCodeAndTitle_data() {
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("title");
    // a value with a line break cannot be stored; the save stops there
    QTest::newRow("Standardtermin Zeit Bis") << "txtStandartBis"
                                             << "1\n2"
                                             << "Zeit";
    QTest::newRow("Standardtermin Ort") << "txtStandartOrt"
                                        << "a\nb"
                                        << "Marvolingen - Einstellungsfehler";
    QTest::newRow("Definition speichern unter") << "txtPfad"
                                                << "a\nb"
                                                << "Marvolingen - Einstellungsfehler";
}

void TestMainWindow::saveFailureReportsCodeAndTitle() {
    QFETCH(QString, field);
    QFETCH(QString, value);
    Program p;
    p.start();
    p.get<QCheckBox>(u"chkGanztägigTermin"_s)->setChecked(false);
    p.get<QLineEdit>(field)->setText(value);
    QCOMPARE(p.get<QLineEdit>(field)->text(), value);
    p.get<QPushButton>(u"cmdSpeichern"_s)->click();
    QCOMPARE(p.boxes.shown.size(), 1);
    QCOMPARE(p.boxes.last().text, u"Einstellungen konnten nicht gespeichert werden! (0)"_s);
    QTEST(p.boxes.last().title, "title");
    QCOMPARE(p.boxes.last().icon, QMessageBox::Critical);
    // keys before the failing one are written, the rest not
    const QString ini = p.readIni();
    QVERIFY(ini.contains(u"Jahr=2011"_s));
    QVERIFY(!ini.contains(u"Land="_s));
}

void TestMainWindow::userListSaveFailure() {
    Program p;
    p.start();
    auto* item = new QTreeWidgetItem(p.get<QTreeWidget>(u"lvAdressen"_s));
    item->setText(0, u"[bad]"_s); // would read back as a section header
    item->setText(1, u"User"_s);
    p.get<QPushButton>(u"cmdBenutzerSpeichern"_s)->click();
    QCOMPARE(p.boxes.shown.size(), 1);
    QCOMPARE(p.boxes.last().title, u"Benutzerliste"_s);
    QCOMPARE(p.boxes.last().text, u"Einstellungen konnten nicht gespeichert werden! (0)"_s);
    QCOMPARE(p.boxes.last().icon, QMessageBox::Critical);
}

void TestMainWindow::countryAndLanguageSwitchThroughDialog() {
    Program p;
    mv::frmDef& w = p.start();
    // a German selection made in this run survives a trip to the USA
    p.get<QCheckBox>(u"chkFeiertage_8"_s)->click();
    auto choose = [&](const QString& language, const QString& country) {
        whenDialogOpens([=](QWidget* d) {
            d->findChild<QComboBox*>(u"cmbSprache"_s)->setCurrentText(language);
            d->findChild<QComboBox*>(u"cmbLand"_s)->setCurrentText(country);
            d->findChild<QPushButton*>(u"OKButton"_s)->click();
        });
        w.findChild<QAction*>(u"mnulanguage"_s)->trigger();
        p.settle();
    };

    choose(u"English"_s, u"USA"_s);
    QCOMPARE(mv::storedText(w.currentLanguage()), u"English"_s);
    QCOMPARE(w.currentCountry().storedText(), u"USA"_s);
    QCOMPARE(w.windowTitle(), u"Define holidays"_s);
    QCOMPARE(p.get<QTabWidget>(u"Tab1"_s)->tabText(4), u"Action"_s);
    QCOMPARE(p.get<QGroupBox>(u"frmWeitereTage"_s)->title(), u"Other days"_s);
    QCOMPARE(p.get<QLabel>(u"lblfeiertagevon"_s)->text(), u"From:"_s);
    QCOMPARE(p.get<QLabel>(u"lbluhr_3"_s)->text(), u"o`clock"_s);
    QCOMPARE(w.findChild<QAction*>(u"mnuÜber"_s)->text(), u"About"_s);
    QCOMPARE(p.get<QTreeWidget>(u"lvListe"_s)->headerItem()->text(1), u"Designation"_s);
    QCOMPARE(p.get<QTreeWidget>(u"lvVerarbeitung"_s)->headerItem()->text(2), u"Entry"_s);
    QCOMPARE(p.get<QCalendarWidget>(u"calKalender_0"_s)->locale().language(), QLocale::English);
    QCOMPARE(p.get<QCalendarWidget>(u"calKalender_0"_s)->firstDayOfWeek(), Qt::Sunday);
    QCOMPARE(p.get<QCheckBox>(u"chkFeiertage_9"_s)->text(), u"Christmas Day"_s);
    QVERIFY(p.get(u"chkFeiertage_10"_s)->isHidden());
    QVERIFY(p.get(u"chkFeiertage_11"_s)->isHidden());
    QVERIFY(!p.get<QCheckBox>(u"chkFeiertage_1"_s)->isChecked()); // US default mask
    QVERIFY(p.get<QCheckBox>(u"chkFeiertage_2"_s)->isChecked());
    QCOMPARE(w.messages().text(mv::Msg::SaveFailed), u"Can`t save settings!"_s);

    choose(u"Deutsch"_s, u"Deutschland"_s);
    QCOMPARE(w.windowTitle(), u"Feiertage festlegen"_s);
    QCOMPARE(p.get<QCheckBox>(u"chkFeiertage_10"_s)->text(), u"1. Weihnachtstag"_s);
    QVERIFY(!p.get(u"chkFeiertage_11"_s)->isHidden());
    QVERIFY(p.get<QCheckBox>(u"chkFeiertage_8"_s)->isChecked());
    QCOMPARE(p.get<QCalendarWidget>(u"calKalender_0"_s)->locale().language(), QLocale::German);
    QCOMPARE(p.get<QCalendarWidget>(u"calKalender_0"_s)->firstDayOfWeek(), Qt::Sunday);

    // the choice reaches the file only with "Einstellungen speichern"
    QVERIFY(!p.readIni().contains(u"Land="_s));
}

void TestMainWindow::englishInterfaceWithGermany() {
    Program p;
    p.writeIni(u"[Einstellungen]\r\nSprache=English\r\nLand=Deutschland\r\n"_s);
    mv::frmDef& w = p.start();
    QCOMPARE(w.windowTitle(), u"Define holidays"_s);
    QCOMPARE(p.get<QCheckBox>(u"chkFeiertage_0"_s)->text(), u"Neujahr"_s);
    QCOMPARE(p.get<QPushButton>(u"cmdSpeichern"_s)->text(), u"Save settings"_s);
    QCOMPARE(p.get<QPushButton>(u"cmdAlleAdressen"_s)->text(), u"Take all"_s);
}

// A hand-edited language the program does not speak falls back to German.
void TestMainWindow::unknownLanguageFallsBackToGerman() {
    Program p;
    p.writeIni(u"[Einstellungen]\r\nSprache=english\r\nLand=Östereich\r\n"_s);
    mv::frmDef& w = p.start();
    QCOMPARE(mv::storedText(w.currentLanguage()), u"Deutsch"_s);
    QCOMPARE(p.get<QPushButton>(u"cmdSpeichern"_s)->text(), u"Einstellungen speichern"_s);
    QCOMPARE(w.messages().text(mv::Msg::YearRange),
             u"Das Jahr darf nur zwischen 1583 und 8202 liegen."_s);
    p.get<QPushButton>(u"cmdSpeichern"_s)->click();
    QVERIFY(p.readIni().contains(u"Sprache=Deutsch"_s));
    QVERIFY(p.readIni().contains(QString::fromUtf8("Land=Östereich")));
}

void TestMainWindow::activationAfterDialogKeepsTabAndDropsYear() {
    Program p;
    mv::frmDef& w = p.start();
    auto* jahr = p.get<QLineEdit>(u"txtJahr"_s);
    focus(jahr);
    jahr->setText(u"2012"_s);
    focus(p.get(u"txtPfad"_s));
    QCOMPARE(w.windowTitle(), u"Feiertage festlegen (2012)"_s);
    p.get<QTabWidget>(u"Tab1"_s)->setCurrentIndex(4);
    p.settle();

    whenDialogOpens([](QWidget* d) { d->close(); });
    w.findChild<QAction*>(u"mnuÜber"_s)->trigger();
    p.settle();
    QCOMPARE(w.windowTitle(), u"Feiertage festlegen"_s);
    QCOMPARE(p.get<QTabWidget>(u"Tab1"_s)->currentIndex(), 4);
}

void TestMainWindow::definitionFileWritten() {
    Program p;
    p.writeIni(u"[Feiertage]\r\nDefinition=100000000011\r\n[Weitere Tage]\r\n"_s
               u"26.12.*\aInventur\a08:00 - 12:00\a\r\n"_s
               u"01.01.2010\aAlt\aNote\a\r\n"_s);
    p.start();
    QDir(p.dir.path()).mkdir(u"out"_s);
    const QString folder = p.dir.path() + u"/out"_s;
    const QString path = folder + u"/Marvolingen.txt"_s;
    for (const QString& typed : {folder, QString(folder + u"/"_s)}) {
        p.get<QLineEdit>(u"txtPfad"_s)->setText(u"  "_s + typed + u" "_s);
        p.get<QPushButton>(u"cmdDefinitionsDatei"_s)->click();
        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), mv::toCp1252(u"01.01.2011\aNeujahr\r\n"_s
                                           u"25.12.2011\aErster Weihnachtstag\r\n"_s
                                           u"26.12.2011\aZweiter Weihnachtstag\r\n"_s
                                           u"26.12.2011\aInventur\r\n"_s));
        QCOMPARE(p.boxes.last().text, u"Datei erfolreich erstellt: \""_s + path + u"\""_s);
        QCOMPARE(p.boxes.last().title, u"Definitionsdatei"_s);
        QCOMPARE(p.boxes.last().icon, QMessageBox::Information);
    }
    QCOMPARE(p.get<QTreeWidget>(u"lvListe"_s)->topLevelItemCount(), 4);
    QVERIFY(!QApplication::overrideCursor());
}

void TestMainWindow::definitionFileFolderMissing() {
    Program p;
    p.start();
    p.get<QTabWidget>(u"Tab1"_s)->setCurrentIndex(4);
    p.settle();
    p.get<QPushButton>(u"cmdDefinitionsDatei"_s)->click();
    p.settle();
    QCOMPARE(p.boxes.shown.size(), 1);
    QCOMPARE(p.boxes.last().text, u"Datei konnte nicht erstellt werden!"_s);
    QCOMPARE(p.boxes.last().title, u"Definitionsdatei"_s);
    QCOMPARE(p.boxes.last().icon, QMessageBox::Critical);
    QCOMPARE(p.get<QTabWidget>(u"Tab1"_s)->currentIndex(), 2);
    QCOMPARE(QApplication::focusWidget(), p.get(u"txtPfad"_s));
    QCOMPARE(p.get<QTreeWidget>(u"lvListe"_s)->topLevelItemCount(), 0); // not rebuilt
    QVERIFY(!QApplication::overrideCursor());
}

void TestMainWindow::definitionFileCannotBeWritten() {
    Program p;
    p.start();
    // a folder in place of the file: the folder exists, the file cannot be replaced
    QDir(p.dir.path()).mkpath(u"out/Marvolingen.txt"_s);
    p.get<QLineEdit>(u"txtPfad"_s)->setText(p.dir.path() + u"/out"_s);
    p.get<QTabWidget>(u"Tab1"_s)->setCurrentIndex(4);
    p.settle();
    p.get<QPushButton>(u"cmdDefinitionsDatei"_s)->click();
    p.settle();
    QCOMPARE(p.boxes.shown.size(), 1);
    QCOMPARE(p.boxes.last().text, u"Datei konnte nicht erstellt werden! \""_s + p.dir.path() +
                                      u"/out/Marvolingen.txt\""_s);
    QCOMPARE(p.boxes.last().title, u"Definitionsdatei"_s);
    QCOMPARE(p.boxes.last().icon, QMessageBox::Critical);
    QCOMPARE(p.get<QTabWidget>(u"Tab1"_s)->currentIndex(), 4);
    QVERIFY(!QApplication::overrideCursor());
}

void TestMainWindow::dayListAndHeaderSorts() {
    Program p;
    p.writeIni(u"[Weitere Tage]\r\n24.12.*\aAbend\aNote\a\r\n03.10.2010\aAlt\aNote\a\r\n"_s);
    p.start();
    auto* list = p.get<QTreeWidget>(u"lvListe"_s);
    p.get<QTabWidget>(u"Tab1"_s)->setCurrentIndex(0);
    p.settle();
    QCOMPARE(QApplication::focusWidget(), list);
    QCOMPARE(list->topLevelItemCount(), 12); // eleven holidays and the yearly day
    QCOMPARE(list->topLevelItem(0)->text(0), u"01.01.2011"_s);
    QCOMPARE(list->topLevelItem(0)->text(2), u"00:00 - 24:00"_s);
    QVERIFY(columnCells(list, 0).contains(u"24.12.2011"_s));
    QVERIFY(!columnCells(list, 1).contains(u"Alt"_s));
    QVERIFY(!columnCells(list, 1).contains(u"Fronleichnam"_s));

    list->header()->sectionClicked(1);
    QStringList names = columnCells(list, 1);
    QStringList sorted = names;
    sorted.sort();
    QCOMPARE(names, sorted);
    list->header()->sectionClicked(0);
    QCOMPARE(list->topLevelItem(0)->text(0), u"01.01.2011"_s);
    QCOMPARE(list->topLevelItem(11)->text(0), u"26.12.2011"_s);
    QCOMPARE(list->columnCount(), 4);

    // a year typed and left by switching straight to the list is checked before the build
    auto* jahr = p.get<QLineEdit>(u"txtJahr"_s);
    p.get<QCheckBox>(u"chkFeiertageAlsNotiz"_s)->click();
    p.get<QTabWidget>(u"Tab1"_s)->setCurrentIndex(2);
    p.settle();
    focus(jahr);
    jahr->setText(u"2010"_s);
    p.get<QTabWidget>(u"Tab1"_s)->setCurrentIndex(0);
    p.settle();
    QVERIFY(columnCells(list, 1).contains(u"Alt"_s));
    QCOMPARE(list->topLevelItem(0)->text(2), u"Note"_s);
}

void TestMainWindow::yearOverviewMarks() {
    Program p;
    p.writeIni(u"[Weitere Tage]\r\n24.12.*\aAbend\aNote\a\r\n15.03.2010\aAlt\aNote\a\r\n"_s);
    p.start();
    p.get<QTabWidget>(u"Tab1"_s)->setCurrentIndex(1);
    p.settle();
    const QColor red(255, 192, 192), orange(255, 128, 0);
    auto* jan = p.get<QCalendarWidget>(u"calKalender_0"_s);
    QCOMPARE(QApplication::focusWidget() == jan || jan->isAncestorOf(QApplication::focusWidget()),
             true);
    QCOMPARE(jan->minimumDate(), QDate(2011, 1, 1));
    QCOMPARE(jan->maximumDate(), QDate(2011, 1, 31));
    QCOMPARE(background(jan, QDate(2011, 1, 1)), orange); // holiday on a Saturday
    QCOMPARE(background(jan, QDate(2011, 1, 2)), red);
    QCOMPARE(background(jan, QDate(2011, 1, 3)), QColor());
    auto* jun = p.get<QCalendarWidget>(u"calKalender_5"_s);
    QCOMPARE(background(jun, QDate(2011, 6, 23)), QColor()); // Fronleichnam not selected
    auto* dec = p.get<QCalendarWidget>(u"calKalender_11"_s);
    QCOMPARE(background(dec, QDate(2011, 12, 24)), orange); // yearly further day
    QCOMPARE(background(dec, QDate(2011, 12, 25)), orange);
    QCOMPARE(background(p.get<QCalendarWidget>(u"calKalender_2"_s), QDate(2011, 3, 15)), QColor());

    // the calendars form a focus cycle: Tab in December goes back to January
    QWidget* decView = dec->findChild<QAbstractItemView*>();
    decView->setFocus(Qt::TabFocusReason);
    QTest::keyClick(decView, Qt::Key_Tab);
    QVERIFY(jan->isAncestorOf(QApplication::focusWidget()) || QApplication::focusWidget() == jan);
}

void TestMainWindow::yearOverviewUsa() {
    Program p;
    p.writeIni(u"[Feiertage]\r\nJahr=2010\r\n[Einstellungen]\r\nLand=USA\r\n"_s);
    p.start();
    p.get<QCheckBox>(u"chkFeiertage_4"_s)->click(); // Independence Day off
    p.get<QTabWidget>(u"Tab1"_s)->setCurrentIndex(1);
    p.settle();
    const QColor red(255, 192, 192), orange(255, 128, 0);
    auto* jul = p.get<QCalendarWidget>(u"calKalender_6"_s);
    QCOMPARE(background(jul, QDate(2010, 7, 4)), red);
    QCOMPARE(background(jul, QDate(2010, 7, 5)), QColor());
    auto* dec = p.get<QCalendarWidget>(u"calKalender_11"_s);
    QCOMPARE(background(dec, QDate(2010, 12, 24)), orange);
    QCOMPARE(background(dec, QDate(2010, 12, 25)), red);
    QCOMPARE(background(dec, QDate(2010, 12, 31)), orange);
}

// The calendar keeps a selected day (today clamped into its month); a mark must show on
// it all the same, in a past and in a future year.
void TestMainWindow::yearOverviewShowsMarkOnSelectedDay_data() {
    QTest::addColumn<QString>("country");
    QTest::addColumn<int>("year");
    QTest::addColumn<QDate>("day");
    QTest::addColumn<QColor>("colour");
    const QColor red(255, 192, 192), orange(255, 128, 0);
    QTest::newRow("USA 2010, observed New Year") << "USA" << 2010 << QDate(2010, 12, 31) << orange;
    QTest::newRow("USA 2010, a Saturday") << "USA" << 2010 << QDate(2010, 7, 31) << red;
    QTest::newRow("Germany 2027, Neujahr") << "Deutschland" << 2027 << QDate(2027, 1, 1) << orange;
    QTest::newRow("Germany 2027, Tag der Arbeit")
        << "Deutschland" << 2027 << QDate(2027, 5, 1) << orange;
}

void TestMainWindow::yearOverviewShowsMarkOnSelectedDay() {
    QFETCH(QString, country);
    QFETCH(int, year);
    QFETCH(QDate, day);
    QFETCH(QColor, colour);
    Program p;
    p.writeIni(
        u"[Feiertage]\r\nJahr=%1\r\n[Einstellungen]\r\nLand=%2\r\n"_s.arg(year).arg(country));
    p.start();
    p.get<QTabWidget>(u"Tab1"_s)->setCurrentIndex(1);
    p.settle();
    auto* cal = p.get<QCalendarWidget>(u"calKalender_%1"_s.arg(day.month() - 1));
    // as today would be clamped: the first day for a future year, the last for a past one
    cal->setSelectedDate(day);
    QCOMPARE(cal->selectedDate(), day);
    auto* view = cal->findChild<QAbstractItemView*>();
    QModelIndex cell;
    for (int r = 0; r < view->model()->rowCount() && !cell.isValid(); ++r) {
        for (int c = 0; c < view->model()->columnCount(); ++c) {
            const QModelIndex i = view->model()->index(r, c);
            if ((i.flags() & Qt::ItemIsEnabled) && i.data().toInt() == day.day()) {
                cell = i;
                break;
            }
        }
    }
    QVERIFY(cell.isValid());
    const QRect rect = view->visualRect(cell);
    const QImage image = view->viewport()->grab().toImage();
    QCOMPARE(image.pixelColor(rect.topLeft() + QPoint(2, 2)), colour);
}

// A year the window refuses is neither written by "Einstellungen speichern" nor used by
// "Datei erzeugen" (a stored one, after a restart).
void TestMainWindow::refusedYearNeitherStoredNorUsed() {
    Program p;
    p.start();
    auto* jahr = p.get<QLineEdit>(u"txtJahr"_s);
    focus(jahr);
    jahr->setText(u"1500"_s);
    p.get<QPushButton>(u"cmdSpeichern"_s)->click();
    p.settle();
    QVERIFY(!p.boxes.shown.isEmpty());
    QCOMPARE(p.boxes.last().text, u"Das Jahr darf nur zwischen 1583 und 8202 liegen."_s);
    QVERIFY(!QFile::exists(p.iniPath()));

    Program q;
    QDir(q.dir.path()).mkdir(u"out"_s);
    q.writeIni(u"[Feiertage]\r\nJahr=1500\r\nDefinition speichern unter="_s + q.dir.path() +
               u"/out\r\n"_s);
    q.start();
    q.get<QTabWidget>(u"Tab1"_s)->setCurrentIndex(4);
    q.settle();
    q.get<QPushButton>(u"cmdDefinitionsDatei"_s)->click();
    q.settle();
    QVERIFY(!QFile::exists(q.dir.path() + u"/out/Marvolingen.txt"_s));
    // each refusal of the year (also when the field is left) and nothing else
    QVERIFY(!q.boxes.shown.isEmpty());
    for (const mv::MessageRequest& b : q.boxes.shown)
        QCOMPARE(b.text, u"Das Jahr darf nur zwischen 1583 und 8202 liegen."_s);
    QCOMPARE(q.get<QTabWidget>(u"Tab1"_s)->currentIndex(), 2);
    QCOMPARE(QApplication::focusWidget(), q.get(u"txtJahr"_s));
}

// A text the settings file cannot hold is refused by the save, naming the field.
void TestMainWindow::saveRefusesUnstorableText_data() {
    QTest::addColumn<QString>("language");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("message");
    QTest::newRow("holiday place")
        << "Deutsch"
        << "txtDarstellungOrt"
        << "Łódź 東京"
        << "Das Zeichen \"Ł\" im Feld \"Feiertage Ort\" kann nicht gespeichert werden. Bitte "
           "ändern Sie den Text.";
    QTest::newRow("definition folder, English")
        << "English"
        << "txtPfad"
        << "/srv/東京"
        << "The character \"東\" in the field \"Save definition under\" cannot be stored. "
           "Please change the text.";
}

void TestMainWindow::saveRefusesUnstorableText() {
    QFETCH(QString, language);
    QFETCH(QString, field);
    QFETCH(QString, text);
    Program p;
    p.writeIni(u"[Einstellungen]\r\nSprache="_s + language + u"\r\n"_s);
    const QString before = p.readIni();
    p.start();
    p.get<QLineEdit>(field)->setText(text);
    p.get<QPushButton>(u"cmdSpeichern"_s)->click();
    p.settle();
    QCOMPARE(p.boxes.shown.size(), 1);
    QTEST(p.boxes.last().text, "message");
    QCOMPARE(p.boxes.last().icon, QMessageBox::Warning);
    QCOMPARE(p.readIni(), before);
    QCOMPARE(QApplication::focusWidget(), p.get(field));
}

void TestMainWindow::pictureButtonsExplainThemselves_data() {
    QTest::addColumn<QString>("language");
    QTest::addColumn<QStringList>("add");    // tool tip, accessible name
    QTest::addColumn<QStringList>("remove"); // tool tip, accessible name
    QTest::newRow("Deutsch") << "Deutsch"
                             << QStringList{u"Tag hinzufügen oder die Änderungen am bearbeiteten "_s
                                            u"Tag übernehmen"_s,
                                            u"Tag hinzufügen"_s}
                             << QStringList{u"Markierten Tag entfernen"_s, u"Tag entfernen"_s};
    QTest::newRow("English") << "English"
                             << QStringList{u"Add the day, or apply the changes to the day being "_s
                                            u"edited"_s,
                                            u"Add day"_s}
                             << QStringList{u"Remove the selected day"_s, u"Remove day"_s};
}

void TestMainWindow::pictureButtonsExplainThemselves() {
    QFETCH(QString, language);
    QFETCH(QStringList, add);
    QFETCH(QStringList, remove);
    Program p;
    p.writeIni(u"[Einstellungen]\r\nSprache="_s + language + u"\r\n"_s);
    p.start();
    auto* hinzu = p.get<QPushButton>(u"cmdHinzu"_s);
    auto* loeschen = p.get<QPushButton>(u"cmdLöschen"_s);
    QCOMPARE((QStringList{hinzu->toolTip(), hinzu->accessibleName()}), add);
    QCOMPARE((QStringList{loeschen->toolTip(), loeschen->accessibleName()}), remove);
}

// At the window's own size a usual further day fits the list without a horizontal bar.
void TestMainWindow::furtherDaysFitWithoutScrollBar() {
    Program p;
    QString days = u"[Weitere Tage]\r\n24.12.*\aHeiligabend\a07:00 - 20:00\aKirche\r\n"_s;
    // enough rows for a vertical scroll bar, which must not push a horizontal one in
    for (int i = 1; i <= 30; ++i)
        days +=
            u"%1.01.2011\aNeujahrsempfang\a10:00 - 12:00\aRathaus\r\n"_s.arg(i, 2, 10, QChar(u'0'));
    p.writeIni(days);
    p.start();
    p.settle();
    auto* list = p.get<QTreeWidget>(u"lvWeitereTage"_s);
    QVERIFY(list->isVisible());
    QVERIFY(list->verticalScrollBar()->isVisible());
    QVERIFY(!list->horizontalScrollBar()->isVisible());
}

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
