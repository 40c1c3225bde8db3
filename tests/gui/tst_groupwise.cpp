// The GroupWise actions of the main window on a local GroupWise system in a temporary
// program folder: address book, key, write run, removal of a further day, delete-all, a
// missing GroupWise, and commands clicked while a run processes events.
#include "treetable.h"
#include "windowfixture.h"

#include "groupwise/local.h"
#include "settings/profilefile.h"

#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTreeWidget>

using namespace mvtest;
using mv::gw::CalendarEntry;
using mv::gw::LocalSystem;

namespace {

const QString kTitle = QStringLiteral("Marvolingen");
const QString kNoGroupWise =
    QStringLiteral("Groupwise ist nicht oder nur fehelerhaft installiert. Programm wird beendet.");
const QString kKeyCreated =
    QStringLiteral("Anwendungschlüssel wurde in die Groupwise Datenbank erstellt.");
const QString kConfirmDeleteEntry =
    QStringLiteral("Soll dieser Termin auch aus dem Novell Group Wise Kalender gelöscht werden?");

// "date|subject" of the entries of a year, by sender: Marvolingen's or everyone else's.
QStringList calendar(const QString& folder, const QString& user, bool marvolingen,
                     int year = 2011) {
    QStringList out;
    for (const CalendarEntry& e : LocalSystem::open(folder).entries(user, {}, year))
        if ((e.from == kTitle) == marvolingen)
            out << e.start.date().toString(QStringLiteral("dd.MM.yyyy")) + QLatin1Char('|') +
                       e.subject;
    out.sort();
    return out;
}

QStringList logFiles(const QString& folder) {
    return QDir(folder).entryList({QStringLiteral("PR-*.txt")}, QDir::Files, QDir::Name);
}

} // namespace

class TestGroupWise : public QObject {
    Q_OBJECT

    std::unique_ptr<Program> p;

    QString folder() const { return p->dir.path(); }
    void makeSystem() {
        LocalSystem::create(folder(), mv::gw::SystemVersion::V7_0, true, QDate(2011, 6, 15));
    }
    mv::frmDef& start() { return p->start(); }
    QPushButton* button(const char* name) { return p->get<QPushButton>(QString::fromUtf8(name)); }
    QTreeWidget* list(const char* name) { return p->get<QTreeWidget>(QString::fromUtf8(name)); }
    QLabel* label(const char* name) { return p->get<QLabel>(QString::fromUtf8(name)); }
    void createKey() {
        p->get<QLineEdit>("txtDomainPfad")->setText(LocalSystem::domainPath(folder()));
        button("cmdTAppErzeugen")->click();
    }
    QString storedKey() const { return mvtest::storedKey(p->iniPath()); }
    void select(QTreeWidget* from, const QStringList& wanted) {
        for (int i = 0; i < from->topLevelItemCount(); ++i)
            from->topLevelItem(i)->setSelected(wanted.contains(from->topLevelItem(i)->text(0)));
    }
    // "date|designation" of every row the write run took from the day list.
    QStringList dayList() {
        QStringList out;
        QTreeWidget* l = list("lvListe");
        for (int i = 0; i < l->topLevelItemCount(); ++i)
            out << l->topLevelItem(i)->text(0) + QLatin1Char('|') + l->topLevelItem(i)->text(1);
        out.sort();
        return out;
    }
    bool labelsHidden() {
        return label("lblName")->isHidden() && label("lblDatum")->isHidden() &&
               label("lblBezeichnung")->isHidden();
    }

private slots:
    void init() {
        p = std::make_unique<Program>();
        QVERIFY(p->dir.isValid());
    }
    void cleanup() { p.reset(); }

    void addressBook_data();
    void addressBook();
    void writeRemoveAndDeleteAll();
    void noToDeleteAllChangesNothing();
    void furtherDayStaysWhenCalendarsCannotBeSearched();
    void refusedYearReachesNoCalendar_data();
    void refusedYearReachesNoCalendar();
    void warningsWithoutKeyAndUsers();
    void missingGroupWise_data();
    void missingGroupWise();
    void commandsDuringRunAreIgnored();
    void processingListHandsFocusOn();
};

void TestGroupWise::addressBook_data() {
    QTest::addColumn<QString>("address");
    QTest::addColumn<QString>("port");
    QTest::addColumn<bool>("debug");
    QTest::addColumn<bool>("brokenEntry");
    QTest::addColumn<QStringList>("labels");
    QTest::addColumn<QStringList>("boxes"); // icon|title|text
    QTest::addColumn<int>("listed");

    const QStringList nord{" 7.0", "/srv/groupwise/po-nord", "10.1.1.5", "1677"};
    QTest::newRow("own post office") << ""
                                     << "" << false << false << nord << QStringList() << 7;
    QTest::newRow("debug mode") << ""
                                << "" << true << false << nord
                                << QStringList{"0|Marvolingen|Adressbuch: GroupWise Address Book",
                                               "0|Marvolingen|Anzahl Einträge: 10"}
                                << 7;
    QTest::newRow("address and port of the client's post office")
        << "10.1.1.5"
        << "1677" << false << false << nord << QStringList() << 7;
    QTest::newRow("unknown address: labels keep the version")
        << "10.9.9.9"
        << "" << false << false << QStringList{" 7.0", "", "", ""}
        << QStringList{QStringLiteral("3|Marvolingen|Error: %1: No post office at TCP/IP address "
                                      "\"10.9.9.9\", port \"\"; GroupWise")
                           .arg(mv::gw::kErrPostOffice)}
        << 0;
    QTest::newRow("user without ID: rows so far stay")
        << ""
        << "" << false << true << nord
        << QStringList{QStringLiteral("1|Marvolingen|Erst einen Adressbucheintrag auswählen, %1")
                           .arg(mv::gw::kErrNoItem)}
        << 7;
}

void TestGroupWise::addressBook() {
    QFETCH(QString, address);
    QFETCH(QString, port);
    QFETCH(bool, debug);
    QFETCH(bool, brokenEntry);
    QFETCH(int, listed);
    makeSystem();
    if (brokenEntry) {
        LocalSystem sys = LocalSystem::open(folder());
        sys.addAddressEntry(mv::gw::kKindUser, {{mv::gw::kFieldDomain, "QTXDOM"}});
        sys.addMember(mv::gw::kKindUser, "spaet", "PO-NORD");
    }
    p->writeIni(QStringLiteral("[GroupWise]\r\nIPAdresse=%1\r\nIPPort=%2\r\n").arg(address, port));
    mv::frmDef& w = start();
    w.setDebugMode(debug);
    list("lstAddressBookEntries")->addTopLevelItem(new QTreeWidgetItem({"alt"}));

    button("cmdListAdressen")->click();

    QStringList shown;
    for (const mv::MessageRequest& r : p->boxes.shown) {
        QCOMPARE(r.buttons, QMessageBox::Ok);
        shown << QString::number(r.icon) + QLatin1Char('|') + r.title + QLatin1Char('|') + r.text;
    }
    QTEST(shown, "boxes");
    QTEST((QStringList{label("lblGWVersion")->text(), label("lblPathToHost")->text(),
                       label("lblTCPIPAddress")->text(), label("lblTCPIPPort")->text()}),
          "labels");
    // Users and resources only, in address-book order: no group, company or kind 0.
    const QStringList all{"mmueller|User|QTXDOM|PO-NORD",  "akeller|User|QTXDOM|PO-NORD",
                          "bschmidt|User|QTXDOM|PO-NORD",  "cweber|User|QTXDOM|PO-SUED",
                          "bschmidt|User|QTXDOM|PO-SUED",  "raum1|Resource|QTXDOM|PO-NORD",
                          "beamer|Resource|QTXDOM|PO-SUED"};
    QCOMPARE(joinedRows(list("lstAddressBookEntries")), all.mid(0, listed));
    QCOMPARE(QApplication::overrideCursor(), nullptr);
    QVERIFY(p->exits.isEmpty());
    QVERIFY(button("cmdListAdressen")->isEnabled());
}

void TestGroupWise::writeRemoveAndDeleteAll() {
    makeSystem();
    {
        // Marvolingen's entry of another year: no run of 2011 touches it.
        CalendarEntry later;
        later.start = QDateTime(QDate(2012, 1, 1), QTime(0, 0));
        later.durationDays = 1;
        later.subject = QStringLiteral("Neujahr");
        later.from = kTitle;
        LocalSystem::open(folder()).addEntry("akeller", "PO-NORD", later);
    }
    start();
    QTreeWidget* further = list("lvWeitereTage");
    QTreeWidgetItem* yearly =
        addRow(further, {"24.06.*", "Betriebsfest", "08:00 - 12:00", "Kantine"});
    addRow(further, {"15.07.2011", "Sommerfest", "Note", ""});

    button("cmdListAdressen")->click();
    select(list("lstAddressBookEntries"), {"akeller", "raum1", "cweber"});
    button("cmdAdresseWählen")->click();
    QCOMPARE(joinedRows(list("lvAdressen")),
             (QStringList{"akeller|User|QTXDOM|PO-NORD", "cweber|User|QTXDOM|PO-SUED",
                          "raum1|Resource|QTXDOM|PO-NORD"}));
    const QStringList users{"akeller", "cweber", "raum1"};

    createKey();
    QCOMPARE(p->boxes.shown.size(), 1);
    QCOMPARE(p->boxes.last().text, kKeyCreated);
    QCOMPARE(p->boxes.last().icon, QMessageBox::Information);
    QCOMPARE(p->boxes.last().title, kTitle);

    QHash<QString, QStringList> foreign;
    for (const QString& u : users)
        foreign[u] = calendar(folder(), u, false);
    QVERIFY(foreign["akeller"].contains("01.01.2011|Neujahr"));

    // Written twice: the second run replaces every entry of the first.
    for (int run = 0; run < 2; ++run) {
        button("cmdEintragen")->click();
        QCOMPARE(p->boxes.shown.size(), 1);
        QCOMPARE(joinedRows(list("lvVerarbeitung")),
                 (QStringList{"akeller|OK|OK", "cweber|OK|OK", "raum1|OK|OK"}));
        QVERIFY(labelsHidden());
        const QStringList days = dayList();
        QVERIFY(days.contains("24.06.2011|Betriebsfest"));
        QVERIFY(days.contains("15.07.2011|Sommerfest"));
        QVERIFY(days.contains("01.01.2011|Neujahr"));
        for (const QString& u : users) {
            QCOMPARE(calendar(folder(), u, true), days);
            QCOMPARE(calendar(folder(), u, false), foreign[u]);
        }
    }
    // Both runs ended in the same second: the second log does not replace the first.
    QCOMPARE(logFiles(folder()),
             (QStringList{"PR-15.06.2011 10-0-0 (2).txt", "PR-15.06.2011 10-0-0.txt"}));
    const QStringList written = dayList();

    // Removing the yearly further day takes its entries of the year out of the calendars.
    further->setCurrentItem(yearly); // highlighted
    p->boxes.answers = {QMessageBox::Yes};
    button("cmdLöschen")->click();
    QCOMPARE(p->boxes.last().text, kConfirmDeleteEntry);
    QCOMPARE(joinedRows(further), QStringList{"15.07.2011|Sommerfest|Note|"});
    QStringList left = written;
    left.removeOne("24.06.2011|Betriebsfest");
    for (const QString& u : users) {
        QCOMPARE(calendar(folder(), u, true), left);
        QCOMPARE(calendar(folder(), u, false), foreign[u]);
    }

    p->boxes.shown.clear();
    p->boxes.answers = {QMessageBox::Yes};
    button("cmddeleteall")->click();
    QCOMPARE(p->boxes.shown.size(), 1);
    QCOMPARE(p->boxes.last().text,
             QString("Bei diesem Vorgang werden sämtliche von Marvolingen erzeugten Termine aus "
                     "dem Jahr aktuellen Jahr gelöscht! Fortfahren?"));
    QCOMPARE(p->boxes.last().title, QString("Marvolingen - Sicherheitsabfrage"));
    QCOMPARE(p->boxes.last().buttons, QMessageBox::Yes | QMessageBox::No);
    QCOMPARE(joinedRows(list("lvVerarbeitung")),
             (QStringList{"akeller|OK|DEL", "cweber|OK|DEL", "raum1|OK|DEL"}));
    QVERIFY(labelsHidden());
    for (const QString& u : users) {
        QCOMPARE(calendar(folder(), u, true), QStringList());
        QCOMPARE(calendar(folder(), u, false), foreign[u]);
    }
    QCOMPARE(calendar(folder(), "akeller", true, 2012), QStringList{"01.01.2012|Neujahr"});
    QCOMPARE(logFiles(folder()),
             (QStringList{"PR-15.06.2011 10-0-0 (2).txt", "PR-15.06.2011 10-0-0.txt",
                          "PR-DEL-15.06.2011 10-0-0.txt"}));

    button("cmdTAppLöschen")->click();
    QCOMPARE(p->boxes.last().text,
             QString("Anwendungschlüssel wurde aus der Groupwise Datenbank gelöscht.."));
    QCOMPARE(p->boxes.last().icon, QMessageBox::Information);
    QCOMPARE(storedKey(), QString("Anwendung nicht definiert"));
    QVERIFY(p->exits.isEmpty());
    QCOMPARE(QApplication::overrideCursor(), nullptr);
}

void TestGroupWise::noToDeleteAllChangesNothing() {
    makeSystem();
    start();
    addRow(list("lvAdressen"), {"akeller", "User", "QTXDOM", "PO-NORD"});
    addRow(list("lvVerarbeitung"), {"vorher", "OK", "OK"});
    p->boxes.answers = {QMessageBox::No};
    button("cmddeleteall")->click();
    QCOMPARE(p->boxes.shown.size(), 1);
    QCOMPARE(logFiles(folder()), QStringList());
    QCOMPARE(joinedRows(list("lvVerarbeitung")), QStringList{"vorher|OK|OK"});
    QVERIFY(labelsHidden());
    QVERIFY(button("cmddeleteall")->isEnabled());
}

void TestGroupWise::furtherDayStaysWhenCalendarsCannotBeSearched() {
    makeSystem();
    start(); // no key stored: every login fails
    addRow(list("lvAdressen"), {"akeller", "User", "QTXDOM", "PO-NORD"});
    QTreeWidgetItem* day = addRow(list("lvWeitereTage"), {"24.06.*", "Betriebsfest", "Note", ""});
    list("lvWeitereTage")->setCurrentItem(day); // highlighted
    p->boxes.answers = {QMessageBox::Yes};
    button("cmdLöschen")->click();
    QCOMPARE(p->boxes.shown.size(), 1);
    QCOMPARE(joinedRows(list("lvWeitereTage")), QStringList{"24.06.*|Betriebsfest|Note|"});
    QVERIFY(p->exits.isEmpty());
    QCOMPARE(QApplication::overrideCursor(), nullptr);

    // With nobody selected there is no calendar to search: the day goes at once.
    delete list("lvAdressen")->topLevelItem(0);
    p->boxes.answers = {QMessageBox::Yes};
    button("cmdLöschen")->click();
    QCOMPARE(list("lvWeitereTage")->topLevelItemCount(), 0);
}

// A refused text left in the year field, the field not left yet: the command refuses it
// like leaving the field would, and no calendar loses an entry of any year.
void TestGroupWise::refusedYearReachesNoCalendar_data() {
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QStringList>("asked"); // the questions before the refusal
    QTest::newRow("delete-all, year below the range") << "cmddeleteall"
                                                      << "1500" << QStringList();
    QTest::newRow("delete-all, number with a tail") << "cmddeleteall"
                                                    << "2012x" << QStringList();
    QTest::newRow("yearly day removed, year below the range")
        << "cmdLöschen"
        << "1500" << QStringList{kConfirmDeleteEntry};
}

void TestGroupWise::refusedYearReachesNoCalendar() {
    QFETCH(QString, command);
    QFETCH(QString, typed);
    QFETCH(QStringList, asked);
    makeSystem();
    const QList<int> years{1500, 2011, 2012};
    for (int year : years) {
        CalendarEntry e;
        e.start = QDateTime(QDate(year, 6, 24), QTime(0, 0));
        e.durationDays = 1;
        e.subject = QStringLiteral("Betriebsfest");
        e.from = kTitle;
        LocalSystem::open(folder()).addEntry("akeller", "PO-NORD", e);
    }
    QHash<int, QStringList> before;
    for (int year : years) {
        before[year] = calendar(folder(), "akeller", true, year);
        QVERIFY(before[year].contains(QStringLiteral("24.06.%1|Betriebsfest").arg(year)));
    }
    mv::frmDef& w = start();
    createKey();
    addRow(list("lvAdressen"), {"akeller", "User", "QTXDOM", "PO-NORD"});
    QTreeWidgetItem* day = addRow(list("lvWeitereTage"), {"24.06.*", "Betriebsfest", "Note", ""});
    list("lvWeitereTage")->setCurrentItem(day); // highlighted
    // each command from its own tab: delete-all from "Aktion", the removal from "Einstellungen"
    p->get<QTabWidget>("Tab1")->setCurrentIndex(command == "cmddeleteall" ? 4 : 2);
    p->settle();
    auto* jahr = p->get<QLineEdit>("txtJahr");
    jahr->setText(typed);

    p->boxes.shown.clear();
    p->boxes.answers = {QMessageBox::Yes, QMessageBox::Yes};
    button(command.toUtf8().constData())->click();
    p->settle();

    for (int year : years)
        QCOMPARE(calendar(folder(), "akeller", true, year), before[year]);
    QCOMPARE(logFiles(folder()), QStringList());
    QStringList texts;
    for (const mv::MessageRequest& r : p->boxes.shown)
        texts << r.text;
    QCOMPARE(texts, asked + QStringList{"Das Jahr darf nur zwischen 1583 und 8202 liegen."});
    QCOMPARE(p->boxes.last().icon, QMessageBox::Warning);
    QCOMPARE(p->boxes.last().title, QString("Marvolingen - Einstellungsfehler"));
    QCOMPARE(joinedRows(list("lvWeitereTage")), QStringList{"24.06.*|Betriebsfest|Note|"});
    QCOMPARE(w.selectedYear(), 2011);
    QCOMPARE(jahr->text(), typed);
    QCOMPARE(p->get<QTabWidget>("Tab1")->currentIndex(), 2);
    QCOMPARE(QApplication::focusWidget(), jahr);
    QVERIFY(button(command.toUtf8().constData())->isEnabled());
    QCOMPARE(QApplication::overrideCursor(), nullptr);
}

void TestGroupWise::warningsWithoutKeyAndUsers() {
    makeSystem();
    QStringList labelsAtBox;
    p->boxes.onShow = [this, &labelsAtBox](const mv::MessageRequest&) {
        labelsAtBox << QString::number(label("lblBezeichnung")->isVisible()) + QLatin1Char('|') +
                           label("lblBezeichnung")->text();
    };
    start();
    p->get<QTabWidget>("Tab1")->setCurrentIndex(4);
    Program::settle();
    button("cmdEintragen")->click();

    QCOMPARE(p->boxes.shown.size(), 2);
    for (const mv::MessageRequest& r : p->boxes.shown) {
        QCOMPARE(r.icon, QMessageBox::Warning);
        QCOMPARE(r.title, kTitle);
        QCOMPARE(r.buttons, QMessageBox::Ok);
    }
    QCOMPARE(p->boxes.shown[0].text,
             QString("Kein Schlüssel gefunden! Dieser wird zum Eintrag benötigt."));
    QCOMPARE(p->boxes.shown[1].text, QString("Bitte min. einen Username angeben!"));
    // The wait notice shows before the first user; the labels go once the run ends.
    QCOMPARE(labelsAtBox,
             (QStringList{"0|Bezeichnung",
                          "1|Bitte Warten...\r\nVerbindung mit Datenbank wird aufgebaut"}));
    QVERIFY(labelsHidden());
    QCOMPARE(label("lblBezeichnung")->text(), QString());
    QCOMPARE(logFiles(folder()), QStringList{"PR-15.06.2011 10-0-0.txt"});
    QFile log(folder() + "/PR-15.06.2011 10-0-0.txt");
    QVERIFY(log.open(QIODevice::ReadOnly));
    QCOMPARE(log.readAll(), QByteArray("Eintragen der Feiertage am 15.06.2011 10:00:00\r\n\r\n"));
    // The focus is back on the button that started the run.
    Program::settle();
    QCOMPARE(QApplication::focusWidget(), button("cmdEintragen"));
}

void TestGroupWise::missingGroupWise_data() {
    QTest::addColumn<QString>("command");
    QTest::addColumn<QStringList>("boxes"); // icon|text
    QTest::addColumn<QList<int>>("exitCodes");
    QTest::addColumn<int>("furtherDays");

    const QString fatal = QStringLiteral("3|") + kNoGroupWise;
    QTest::newRow("address book") << "cmdListAdressen" << QStringList{fatal} << QList<int>{1} << 1;
    QTest::newRow("write run") << "cmdEintragen" << QStringList{fatal} << QList<int>{1} << 1;
    QTest::newRow("delete-all") << "cmddeleteall"
                                << QStringList{"0|Bei diesem Vorgang werden sämtliche von "
                                               "Marvolingen erzeugten Termine aus dem Jahr "
                                               "aktuellen Jahr gelöscht! Fortfahren?",
                                               fatal}
                                << QList<int>{1} << 1;
    QTest::newRow("further day: the row stays")
        << "cmdLöschen" << QStringList{"0|" + kConfirmDeleteEntry, fatal} << QList<int>{1} << 1;
    QTest::newRow("key: the library reports it, the program goes on")
        << "cmdTAppErzeugen"
        << QStringList{"0|Anwendungsschlüssel konnte nicht erstellt werden., "
                       "\"Verbindungsfehler\""}
        << QList<int>{} << 1;
}

void TestGroupWise::missingGroupWise() {
    QFETCH(QString, command);
    QFETCH(QList<int>, exitCodes);
    QFETCH(int, furtherDays);
    start();
    addRow(list("lvAdressen"), {"akeller", "User", "QTXDOM", "PO-NORD"});
    QTreeWidgetItem* day = addRow(list("lvWeitereTage"), {"24.06.*", "Betriebsfest", "Note", ""});
    list("lvWeitereTage")->setCurrentItem(day); // highlighted
    p->get<QLineEdit>("txtDomainPfad")->setText(LocalSystem::domainPath(folder()));

    p->get<QPushButton>(command)->click();

    QStringList shown;
    for (const mv::MessageRequest& r : p->boxes.shown) {
        if (r.icon == QMessageBox::Critical)
            QCOMPARE(r.title, kTitle);
        shown << QString::number(r.icon) + QLatin1Char('|') + r.text;
    }
    QTEST(shown, "boxes");
    QCOMPARE(p->exits, exitCodes);
    QCOMPARE(list("lvWeitereTage")->topLevelItemCount(), furtherDays);
    QCOMPARE(logFiles(folder()), QStringList());
    QVERIFY(labelsHidden());
    QCOMPARE(QApplication::overrideCursor(), nullptr);
}

void TestGroupWise::commandsDuringRunAreIgnored() {
    makeSystem();
    start();
    createKey();
    const QString key = storedKey();
    addRow(list("lvAdressen"), {"akeller", "User", "QTXDOM", "PO-NORD"});
    addRow(list("lvAdressen"), {"raum1", "Resource", "QTXDOM", "PO-NORD"});
    QTreeWidgetItem* day = addRow(list("lvWeitereTage"), {"24.06.*", "Betriebsfest", "Note", ""});
    list("lvWeitereTage")->setCurrentItem(day); // highlighted
    p->boxes.shown.clear();

    bool busy = false;
    QStringList lockedDuringRun;
    QString progress;
    QTimer::singleShot(0, this, [&] {
        busy = p->window->groupWiseBusy();
        for (const char* name : {"cmdListAdressen", "cmdEintragen", "cmddeleteall",
                                 "cmdTAppErzeugen", "cmdTAppLöschen", "cmdLöschen"})
            if (!button(name)->isEnabled())
                lockedDuringRun << QString::fromUtf8(name);
        progress = label("lblName")->text() + QLatin1Char('|') + label("lblDatum")->text();
        QVERIFY(!labelsHidden());
        // A click that reaches the handlers anyway starts nothing.
        for (const char* name : {"cmdEintragen", "cmddeleteall", "cmdListAdressen",
                                 "cmdTAppErzeugen", "cmdTAppLöschen", "cmdLöschen"})
            emit button(name)->clicked();
    });
    button("cmdEintragen")->click();

    QVERIFY(busy);
    QCOMPARE(lockedDuringRun.size(), 6);
    QCOMPARE(progress, QString("akeller|01.01.2011"));
    // Only the removal question: no second run, no key action, no address-book read.
    QCOMPARE(p->boxes.shown.size(), 1);
    QCOMPARE(p->boxes.last().text, kConfirmDeleteEntry);
    QCOMPARE(list("lvWeitereTage")->topLevelItemCount(), 1);
    QCOMPARE(joinedRows(list("lvVerarbeitung")), (QStringList{"akeller|OK|OK", "raum1|OK|OK"}));
    QCOMPARE(list("lstAddressBookEntries")->topLevelItemCount(), 0);
    QCOMPARE(storedKey(), key);
    QCOMPARE(logFiles(folder()), QStringList{"PR-15.06.2011 10-0-0.txt"});
    QCOMPARE(calendar(folder(), "akeller", true), dayList());
    QCOMPARE(calendar(folder(), "raum1", true), dayList());
    QVERIFY(!p->window->groupWiseBusy());
    for (const char* name : {"cmdListAdressen", "cmdEintragen", "cmddeleteall", "cmdTAppErzeugen",
                             "cmdTAppLöschen", "cmdLöschen"})
        QVERIFY2(button(name)->isEnabled(), name);
    QVERIFY(labelsHidden());
}

void TestGroupWise::processingListHandsFocusOn() {
    start();
    p->get<QTabWidget>("Tab1")->setCurrentIndex(4);
    Program::settle();
    focus(list("lvVerarbeitung"));
    QCOMPARE(QApplication::focusWidget(), button("cmdDefinitionsDatei"));
}

QTEST_MAIN(TestGroupWise)
#include "tst_groupwise.moc"
