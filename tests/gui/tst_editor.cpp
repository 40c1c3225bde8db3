// The further-days editor, the appearance switches with their time checks, and the
// address picks of the main window, driven as a user drives them.
#include "treetable.h"
#include "windowfixture.h"

#include <QCheckBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTreeWidget>

using namespace mvtest;
using namespace Qt::StringLiterals;

namespace {

void type(QLineEdit* f, const QString& text) {
    focus(f);
    f->clear();
    QTest::keyClicks(f, text);
}

void clickRow(QTreeWidget* list, int i) {
    const QRect r = list->visualItemRect(list->topLevelItem(i));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, r.center());
}

void doubleClickRow(QTreeWidget* list, int i) {
    const QRect r = list->visualItemRect(list->topLevelItem(i));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, r.center());
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, r.center());
}

const QString kTitleDateTime = QStringLiteral("Marvolingen - Datum oder Uhrzeit falsch");

} // namespace

class TestEditor : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup() { p.reset(); }

    void dateNormalisation_data();
    void dateNormalisation();
    void addRefusals_data();
    void addRefusals();
    void addAppointmentRefillsDefaults_data();
    void addAppointmentRefillsDefaults();
    void addNoteKeepsFields();
    void editLoadAndUpdate();
    void editNoteKeepsPlace();
    void editLoadWithoutClickedRowDoesNothing();
    void removeAsksAndEndsEditMode_data();
    void removeAsksAndEndsEditMode();
    void removeTakesHighlightedRow_data();
    void removeTakesHighlightedRow();
    void editStaysWithRowAfterSort();
    void sortByHeader();
    void noteOptionHidesAppointmentFields();
    void timeFieldChecks_data();
    void timeFieldChecks();
    void standardFieldsFollowIntoEditor();
    void wholeDaySwitches();
    void addressPicks();

private:
    Program& prog() { return *p; }
    QLineEdit* edit(const char* name) { return p->get<QLineEdit>(QString::fromUtf8(name)); }
    QTreeWidget* further() { return p->get<QTreeWidget>(u"lvWeitereTage"_s); }
    void add() { p->get<QPushButton>(u"cmdHinzu"_s)->click(); }

    std::unique_ptr<Program> p;
};

void TestEditor::init() {
    p = std::make_unique<Program>();
    // default appointment 09:00-17:00 in "Saal", whole day of holidays off
    p->writeIni(u"[Einstellungen]\r\nStandardtermin Zeit Von=09:00\r\n"_s
                u"Standardtermin Zeit Bis=17:00\r\nStandardtermin Ort=Saal\r\n"_s
                u"Darstellung 24h=0\r\nDarstellung Von=08:00\r\nDarstellung Bis=12:00\r\n"_s);
    p->start();
}

void TestEditor::dateNormalisation_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("result"); // empty: refused
    QTest::newRow("short") << "1.5.2011"
                           << "01.05.2011";
    QTest::newRow("yearly") << "24.12.*"
                            << "24.12.*";
    QTest::newRow("yearly short") << " 3.10.* "
                                  << "03.10.*";
    QTest::newRow("other year") << "24.12.2010"
                                << "24.12.2010";
    QTest::newRow("no day 32") << "32.1.2011"
                               << "";
    QTest::newRow("29 Feb in yearly 2011") << "29.02.*"
                                           << "";
    QTest::newRow("text") << "morgen"
                          << "";
}

void TestEditor::dateNormalisation() {
    QFETCH(QString, typed);
    QFETCH(QString, result);
    type(edit("txtDatum"), typed);
    focus(edit("txtBezeichnung"));
    QCOMPARE(edit("txtDatum")->text(), result);
    if (result.isEmpty()) {
        QCOMPARE(p->boxes.shown.size(), 1);
        QCOMPARE(p->boxes.last().text, u"Datum nicht korrekt"_s);
        QCOMPARE(p->boxes.last().title, kTitleDateTime);
        QCOMPARE(p->boxes.last().icon, QMessageBox::Warning);
        QCOMPARE(QApplication::focusWidget(), edit("txtDatum"));
    } else {
        QCOMPARE(p->boxes.shown.size(), 0);
    }
}

void TestEditor::addRefusals_data() {
    QTest::addColumn<bool>("note");
    QTest::addColumn<QString>("datum");
    QTest::addColumn<QString>("bezeichnung");
    QTest::addColumn<QString>("von");
    QTest::addColumn<QString>("bis");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("focused");
    QTest::newRow("no designation") << false << "01.05.2011"
                                    << ""
                                    << "10:00"
                                    << "11:00"
                                    << "Bitte Bezeichnung eingeben"
                                    << "Bezeichnung"
                                    << "txtBezeichnung";
    QTest::newRow("no start") << false << "01.05.2011"
                              << "X"
                              << ""
                              << "11:00"
                              << "Uhrzeit ungültig! Bitte verbessern." << kTitleDateTime
                              << "txtDatum";
    QTest::newRow("end before start")
        << false << "01.05.2011"
        << "X"
        << "20:00"
        << "07:00"
        << "Termin beginnt erst wenn Termin schon zuende ist" << kTitleDateTime << "";
    QTest::newRow("no date") << false << ""
                             << "X"
                             << "10:00"
                             << "11:00"
                             << "Datum nicht korrekt" << kTitleDateTime << "txtDatum";
    QTest::newRow("designation the settings file cannot hold")
        << false << "01.05.2011"
        << "Σ Ωmega € Ä"
        << "10:00"
        << "11:00"
        << "Das Zeichen \"Σ\" im Feld \"Bezeichnung\" kann nicht gespeichert werden. Bitte "
           "ändern Sie den Text."
        << "Marvolingen"
        << "txtBezeichnung";
    QTest::newRow("note without date") << true << ""
                                       << "X"
                                       << ""
                                       << ""
                                       << "Datum nicht korrekt" << kTitleDateTime << "txtDatum";
}

void TestEditor::addRefusals() {
    QFETCH(bool, note);
    QFETCH(QString, datum);
    QFETCH(QString, bezeichnung);
    QFETCH(QString, von);
    QFETCH(QString, bis);
    QFETCH(QString, focused);
    p->get<QRadioButton>(note ? u"optEintragenIn_1"_s : u"optEintragenIn_0"_s)->click();
    edit("txtDatum")->setText(datum);
    edit("txtBezeichnung")->setText(bezeichnung);
    edit("txtTerminVon")->setText(von);
    edit("txtTerminBis")->setText(bis);
    add();
    p->settle();
    QCOMPARE(further()->topLevelItemCount(), 0);
    QCOMPARE(p->boxes.shown.size(), 1);
    QTEST(p->boxes.last().text, "text");
    QTEST(p->boxes.last().title, "title");
    QCOMPARE(p->boxes.last().icon, QMessageBox::Warning);
    if (!focused.isEmpty())
        QCOMPARE(QApplication::focusWidget(), p->get(focused));
}

void TestEditor::addAppointmentRefillsDefaults_data() {
    QTest::addColumn<bool>("standard");
    QTest::newRow("default on") << true;
    QTest::newRow("default off") << false;
}

void TestEditor::addAppointmentRefillsDefaults() {
    QFETCH(bool, standard);
    if (!standard)
        p->get<QCheckBox>(u"chkStandartAkt"_s)->click();
    edit("txtDatum")->setText(u"24.12.*"_s);
    edit("txtBezeichnung")->setText(u"Abend"_s);
    edit("txtTerminVon")->setText(u" 10:00"_s);
    edit("txtTerminBis")->setText(u"10:00 "_s);
    edit("txtTerminOrt")->setText(u"Halle"_s);
    add();
    p->settle();
    QCOMPARE(p->boxes.shown.size(), 0);
    QCOMPARE(rowCells(further(), 0),
             QStringList({u"24.12.*"_s, u"Abend"_s, u"10:00 - 10:00"_s, u"Halle"_s}));
    QCOMPARE(edit("txtDatum")->text(), QString());
    QCOMPARE(edit("txtBezeichnung")->text(), QString());
    QCOMPARE(edit("txtTerminVon")->text(), standard ? u"09:00"_s : QString());
    QCOMPARE(edit("txtTerminBis")->text(), standard ? u"17:00"_s : QString());
    QCOMPARE(edit("txtTerminOrt")->text(), standard ? u"Saal"_s : QString());
    QCOMPARE(QApplication::focusWidget(), edit("txtDatum"));
}

void TestEditor::addNoteKeepsFields() {
    p->get<QRadioButton>(u"optEintragenIn_1"_s)->click();
    edit("txtDatum")->setText(u"01.08.2011"_s);
    edit("txtBezeichnung")->setText(u"Ausflug"_s);
    add();
    QCOMPARE(rowCells(further(), 0),
             QStringList({u"01.08.2011"_s, u"Ausflug"_s, u"Note"_s, u""_s}));
    QCOMPARE(edit("txtDatum")->text(), u"01.08.2011"_s);
    QCOMPARE(edit("txtBezeichnung")->text(), u"Ausflug"_s);
}

void TestEditor::editLoadAndUpdate() {
    for (const char* d : {"01.02.2011", "01.03.2011"}) {
        edit("txtDatum")->setText(QString::fromUtf8(d));
        edit("txtBezeichnung")->setText(u"T"_s);
        add();
    }
    doubleClickRow(further(), 1);
    QCOMPARE(edit("txtDatum")->text(), u"01.03.2011"_s);
    QCOMPARE(edit("txtTerminVon")->text(), u"09:00 "_s); // untrimmed until left
    QCOMPARE(edit("txtTerminBis")->text(), u" 17:00"_s);
    QCOMPARE(edit("txtTerminOrt")->text(), u"Saal"_s);

    // a refused time keeps edit mode; the next good click overwrites the row
    edit("txtTerminBis")->clear();
    add();
    QCOMPARE(p->boxes.shown.size(), 1);
    edit("txtTerminBis")->setText(u"18:00"_s);
    edit("txtBezeichnung")->setText(u"Neu"_s);
    add();
    QCOMPARE(further()->topLevelItemCount(), 2);
    QCOMPARE(rowCells(further(), 1),
             QStringList({u"01.03.2011"_s, u"Neu"_s, u"09:00 - 18:00"_s, u"Saal"_s}));

    // after the update edit mode is over: the next add appends
    edit("txtDatum")->setText(u"01.04.2011"_s);
    edit("txtBezeichnung")->setText(u"Dritte"_s);
    add();
    QCOMPARE(further()->topLevelItemCount(), 3);
}

void TestEditor::editNoteKeepsPlace() {
    edit("txtDatum")->setText(u"01.02.2011"_s);
    edit("txtBezeichnung")->setText(u"T"_s);
    add();
    doubleClickRow(further(), 0);
    p->get<QRadioButton>(u"optEintragenIn_1"_s)->click();
    add();
    QCOMPARE(rowCells(further(), 0), QStringList({u"01.02.2011"_s, u"T"_s, u"Note"_s, u"Saal"_s}));
    doubleClickRow(further(), 0);
    QVERIFY(p->get<QRadioButton>(u"optEintragenIn_1"_s)->isChecked());
    QVERIFY(edit("txtTerminVon")->isHidden());
}

void TestEditor::editLoadWithoutClickedRowDoesNothing() {
    auto* item = addRow(further(), {u"01.02.2011"_s, u"T"_s, u"Note"_s});
    emit further()->itemDoubleClicked(item, 0); // no ItemClick before
    QCOMPARE(edit("txtDatum")->text(), QString());
    edit("txtDatum")->setText(u"05.05.2011"_s);
    edit("txtBezeichnung")->setText(u"Neu"_s);
    add();
    QCOMPARE(further()->topLevelItemCount(), 2); // appended, nothing overwritten
}

void TestEditor::removeAsksAndEndsEditMode_data() {
    QTest::addColumn<int>("answer");
    QTest::newRow("yes") << int(QMessageBox::Yes);
    QTest::newRow("no") << int(QMessageBox::No);
}

void TestEditor::removeAsksAndEndsEditMode() {
    QFETCH(int, answer);
    p->get<QPushButton>(u"cmdLöschen"_s)->click(); // nothing clicked yet: nothing happens
    QCOMPARE(p->boxes.shown.size(), 0);
    for (const char* d : {"01.02.2011", "01.03.2011"}) {
        edit("txtDatum")->setText(QString::fromUtf8(d));
        edit("txtBezeichnung")->setText(QString::fromUtf8(d));
        add();
    }
    doubleClickRow(further(), 1);
    clickRow(further(), 0);
    p->boxes.answers = {answer};
    p->get<QPushButton>(u"cmdLöschen"_s)->click();
    QCOMPARE(p->boxes.shown.size(), 1);
    QCOMPARE(p->boxes.last().text,
             u"Soll dieser Termin auch aus dem Novell Group Wise Kalender gelöscht werden?"_s);
    QCOMPARE(p->boxes.last().title, u"Marvolingen"_s);
    QCOMPARE(p->boxes.last().buttons, QMessageBox::Yes | QMessageBox::No);
    QCOMPARE(further()->topLevelItemCount(), 1);
    QCOMPARE(further()->topLevelItem(0)->text(0), u"01.03.2011"_s);

    // edit mode ended with the removal: the loaded row is not overwritten
    edit("txtBezeichnung")->setText(u"Neu"_s);
    add();
    QCOMPARE(further()->topLevelItemCount(), 2);
    QCOMPARE(further()->topLevelItem(0)->text(1), u"01.03.2011"_s);
    // the next removal takes the row highlighted now, none when nothing is
    const QList<QTreeWidgetItem*> highlighted = further()->selectedItems();
    p->get<QPushButton>(u"cmdLöschen"_s)->click();
    QCOMPARE(p->boxes.shown.size(), highlighted.isEmpty() ? 1 : 2);
    QCOMPARE(further()->topLevelItemCount(), highlighted.isEmpty() ? 2 : 1);
}

// The row the user sees highlighted is the one removed, however it was selected.
void TestEditor::removeTakesHighlightedRow_data() {
    QTest::addColumn<int>("clicked");
    QTest::addColumn<int>("downKeys");
    QTest::newRow("mouse") << 2 << 0;
    QTest::newRow("mouse, then keys") << 0 << 2;
}

void TestEditor::removeTakesHighlightedRow() {
    QFETCH(int, clicked);
    QFETCH(int, downKeys);
    addRow(further(), {u"01.03.*"_s, u"Erster"_s, u"Note"_s, u""_s});
    addRow(further(), {u"02.03.*"_s, u"Zweiter"_s, u"Note"_s, u""_s});
    addRow(further(), {u"03.03.*"_s, u"Dritter"_s, u"Note"_s, u""_s});
    clickRow(further(), clicked);
    for (int i = 0; i < downKeys; ++i)
        QTest::keyClick(further()->viewport(), Qt::Key_Down);
    QCOMPARE(further()->selectedItems().value(0)->text(1), u"Dritter"_s);
    p->boxes.answers = {QMessageBox::No};
    p->get<QPushButton>(u"cmdLöschen"_s)->click();
    QCOMPARE(columnCells(further(), 1), QStringList({u"Erster"_s, u"Zweiter"_s}));
}

// An edit stays with its row when the list is sorted meanwhile; no other row changes.
void TestEditor::editStaysWithRowAfterSort() {
    addRow(further(), {u"24.12.*"_s, u"Heiligabend"_s, u"Note"_s, u""_s});
    addRow(further(), {u"01.01.2011"_s, u"Neujahrsempfang"_s, u"10:00 - 12:00"_s, u"Rathaus"_s});
    addRow(further(), {u"15.08.2011"_s, u"Sommerfest"_s, u"Note"_s, u""_s});
    doubleClickRow(further(), 1);
    further()->header()->sectionClicked(0);
    QCOMPARE(columnCells(further(), 1),
             QStringList({u"Neujahrsempfang"_s, u"Sommerfest"_s, u"Heiligabend"_s}));
    edit("txtBezeichnung")->setText(u"Empfang"_s);
    add();
    QCOMPARE(joinedRows(further()),
             QStringList({u"01.01.2011|Empfang|10:00 - 12:00|Rathaus"_s,
                          u"15.08.2011|Sommerfest|Note|"_s, u"24.12.*|Heiligabend|Note|"_s}));
}

void TestEditor::sortByHeader() {
    for (const char* d : {"03.10.2011", "01.01.2011", "24.12.*", "15.06.2010"}) {
        edit("txtDatum")->setText(QString::fromUtf8(d));
        edit("txtBezeichnung")->setText(QString::fromUtf8(d).left(2));
        add();
    }
    further()->header()->sectionClicked(0);
    QStringList dates;
    for (int i = 0; i < 4; ++i)
        dates << further()->topLevelItem(i)->text(0);
    QCOMPARE(dates, QStringList({u"15.06.2010"_s, u"01.01.2011"_s, u"03.10.2011"_s, u"24.12.*"_s}));
    QCOMPARE(further()->columnCount(), 4);
    further()->header()->sectionClicked(1);
    QStringList names;
    for (int i = 0; i < 4; ++i)
        names << further()->topLevelItem(i)->text(1);
    QCOMPARE(names, QStringList({u"01"_s, u"03"_s, u"15"_s, u"24"_s}));
    QVERIFY(!QApplication::overrideCursor());
}

void TestEditor::noteOptionHidesAppointmentFields() {
    edit("txtTerminVon")->setText(u"10:00"_s);
    p->get<QRadioButton>(u"optEintragenIn_1"_s)->click();
    for (const char* n : {"lblTerminVon", "lblTerminBis", "lblTerminOrt", "txtTerminVon",
                          "txtTerminBis", "txtTerminOrt"})
        QVERIFY2(p->get(QString::fromUtf8(n))->isHidden(), n);
    p->get<QRadioButton>(u"optEintragenIn_0"_s)->click();
    QVERIFY(!p->get(u"txtTerminOrt"_s)->isHidden());
    QCOMPARE(edit("txtTerminVon")->text(), u"10:00"_s);
}

void TestEditor::timeFieldChecks_data() {
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("partner");
    QTest::addColumn<QString>("partnerText");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("result");
    QTest::addColumn<QString>("message"); // empty: accepted
    QTest::addColumn<QString>("title");
    QTest::addColumn<int>("icon");
    const QString invalid = u"Uhrzeit ungültig! Bitte verbessern."_s;
    const QString order = u"Termin beginnt erst wenn Termin schon zuende ist"_s;
    const int none = QMessageBox::NoIcon, warn = QMessageBox::Warning;
    QTest::newRow("holiday start after end") << "txtDarstellungVon"
                                             << "txtDarstellungBis"
                                             << "17:00"
                                             << "18:00"
                                             << "" << order << kTitleDateTime << none;
    QTest::newRow("holiday end before start") << "txtDarstellungBis"
                                              << "txtDarstellungVon"
                                              << "18:00"
                                              << "17:00"
                                              << "" << order << "Marvolingen" << none;
    QTest::newRow("holiday short") << "txtDarstellungVon"
                                   << "txtDarstellungBis"
                                   << "17:00"
                                   << "7:5"
                                   << "07:05"
                                   << ""
                                   << "" << none;
    QTest::newRow("default no order check") << "txtStandartVon"
                                            << "txtStandartBis"
                                            << "17:00"
                                            << "18:00"
                                            << "18:00"
                                            << ""
                                            << "" << none;
    QTest::newRow("default no colon") << "txtStandartVon"
                                      << "txtStandartBis"
                                      << "17:00"
                                      << "1200"
                                      << "" << invalid << "Marvolingen" << warn;
    QTest::newRow("default 24:01") << "txtStandartBis"
                                   << "txtStandartVon"
                                   << ""
                                   << "24:01"
                                   << "" << invalid << "Marvolingen" << warn;
    QTest::newRow("editor trims") << "txtTerminVon"
                                  << "txtTerminBis"
                                  << "20:00"
                                  << " 7:00 "
                                  << "07:00"
                                  << ""
                                  << "" << none;
    QTest::newRow("editor 123:00") << "txtTerminBis"
                                   << "txtTerminVon"
                                   << "07:00"
                                   << "123:00"
                                   << "" << invalid << "Marvolingen" << none;
    QTest::newRow("editor empty part") << "txtTerminBis"
                                       << "txtTerminVon"
                                       << "07:00"
                                       << "7:"
                                       << "07:"
                                       << ""
                                       << "" << none;
}

void TestEditor::timeFieldChecks() {
    QFETCH(QString, field);
    QFETCH(QString, partner);
    QFETCH(QString, partnerText);
    QFETCH(QString, typed);
    QFETCH(QString, message);
    edit(qPrintable(partner))->setText(partnerText);
    type(edit(qPrintable(field)), typed);
    focus(edit("txtDatum"));
    QTEST(edit(qPrintable(field))->text(), "result");
    QCOMPARE(edit(qPrintable(partner))->text(), partnerText.trimmed());
    if (message.isEmpty()) {
        QCOMPARE(p->boxes.shown.size(), 0);
        return;
    }
    QCOMPARE(p->boxes.shown.size(), 1);
    QCOMPARE(p->boxes.last().text, message);
    QTEST(p->boxes.last().title, "title");
    QTEST(int(p->boxes.last().icon), "icon");
}

void TestEditor::standardFieldsFollowIntoEditor() {
    type(edit("txtStandartVon"), u"8:00"_s);
    QTest::keyClick(edit("txtStandartVon"), Qt::Key_Return);
    QCOMPARE(edit("txtStandartVon")->text(), u"08:00"_s);
    QCOMPARE(edit("txtTerminVon")->text(), u"08:00"_s);
    type(edit("txtStandartOrt"), u"Keller"_s);
    focus(edit("txtDatum"));
    QCOMPARE(edit("txtTerminOrt")->text(), u"Keller"_s);

    p->get<QCheckBox>(u"chkStandartAkt"_s)->click(); // off: copied texts stay
    QCOMPARE(edit("txtTerminVon")->text(), u"08:00"_s);
    type(edit("txtStandartBis"), u"19:00"_s);
    focus(edit("txtDatum"));
    QCOMPARE(edit("txtTerminBis")->text(), u"17:00"_s);
}

void TestEditor::wholeDaySwitches() {
    auto* ganz = p->get<QCheckBox>(u"chkGanztägig"_s);
    ganz->click();
    QCOMPARE(edit("txtDarstellungVon")->text(), u"00:00"_s);
    QCOMPARE(edit("txtDarstellungBis")->text(), u"24:00"_s);
    QVERIFY(!edit("txtDarstellungVon")->isEnabled());
    ganz->click();
    QVERIFY(edit("txtDarstellungBis")->isEnabled());
    QCOMPARE(edit("txtDarstellungBis")->text(), u"24:00"_s);

    auto* termin = p->get<QCheckBox>(u"chkGanztägigTermin"_s);
    termin->click(); // default appointment on: the editor follows
    for (const char* n : {"txtStandartVon", "txtTerminVon"})
        QCOMPARE(edit(n)->text(), u"00:00"_s);
    for (const char* n : {"txtStandartBis", "txtTerminBis"})
        QCOMPARE(edit(n)->text(), u"24:00"_s);
    for (const char* n : {"txtStandartVon", "txtStandartBis", "txtTerminVon", "txtTerminBis"})
        QVERIFY2(!edit(n)->isEnabled(), n);
    termin->click();
    for (const char* n : {"txtStandartVon", "txtStandartBis", "txtTerminVon", "txtTerminBis"})
        QVERIFY2(edit(n)->isEnabled(), n);
    QCOMPARE(edit("txtTerminBis")->text(), u"24:00"_s);

    // a whole-day further day: both switches on, the add refills 00:00 - 24:00
    termin->click();
    edit("txtDatum")->setText(u"01.02.2011"_s);
    edit("txtBezeichnung")->setText(u"Tag"_s);
    add();
    QCOMPARE(rowCells(further(), 0).at(2), u"00:00 - 24:00"_s);
    QCOMPARE(edit("txtTerminVon")->text(), u"00:00"_s);
}

void TestEditor::addressPicks() {
    auto* book = p->get<QTreeWidget>(u"lstAddressBookEntries"_s);
    auto* chosen = p->get<QTreeWidget>(u"lvAdressen"_s);
    p->get<QPushButton>(u"cmdAlleAdressen"_s)->click(); // empty book: nothing
    QCOMPARE(chosen->topLevelItemCount(), 0);
    const QList<QStringList> entries = {{u"anna"_s, u"User"_s, u"dom"_s, u"po1"_s},
                                        {u"anna"_s, u"User"_s, u"dom"_s, u"po2"_s},
                                        {u"raum"_s, u"Resource"_s, u"dom"_s, u"po1"_s}};
    for (const QStringList& e : entries)
        addRow(book, e);
    book->topLevelItem(0)->setSelected(true);
    book->topLevelItem(1)->setSelected(true);
    p->get<QPushButton>(u"cmdAdresseWählen"_s)->click();
    p->get<QPushButton>(u"cmdAdresseWählen"_s)->click();
    QCOMPARE(chosen->topLevelItemCount(), 2); // both post offices, each once

    chosen->clear();
    p->get<QPushButton>(u"cmdAlleAdressen"_s)->click();
    QCOMPARE(chosen->topLevelItemCount(), 2); // one "anna" only
    QCOMPARE(rowCells(chosen, 0), entries[0]);
    QCOMPARE(rowCells(chosen, 1), entries[2]);

    p->get<QPushButton>(u"cmdAdresseEntfernen"_s)->click(); // nothing selected
    QCOMPARE(chosen->topLevelItemCount(), 2);
    chosen->selectAll();
    p->get<QPushButton>(u"cmdAdresseEntfernen"_s)->click();
    QCOMPARE(chosen->topLevelItemCount(), 0);

    book->clearSelection();
    emit book->itemDoubleClicked(book->topLevelItem(2), 0);
    QCOMPARE(chosen->topLevelItemCount(), 0); // the double click adds the selection
    book->topLevelItem(2)->setSelected(true);
    emit book->itemDoubleClicked(book->topLevelItem(2), 0);
    QCOMPARE(rowCells(chosen, 0), entries[2]);
}

QTEST_MAIN(TestEditor)
#include "tst_editor.moc"
