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
using namespace Qt::StringLiterals;
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
        p->get<QLineEdit>(u"txtDomainPfad"_s)->setText(LocalSystem::domainPath(folder()));
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

    const QStringList nord{u" 7.0"_s, u"/srv/groupwise/po-nord"_s, u"10.1.1.5"_s, u"1677"_s};
    QTest::newRow("own post office") << ""
                                     << "" << false << false << nord << QStringList() << 7;
    QTest::newRow("debug mode")
        << ""
        << "" << true << false << nord
        << QStringList{u"0|Marvolingen|Adressbuch: GroupWise Address Book"_s,
                       u"0|Marvolingen|Anzahl Einträge: 10"_s}
        << 7;
    QTest::newRow("address and port of the client's post office")
        << "10.1.1.5"
        << "1677" << false << false << nord << QStringList() << 7;
    QTest::newRow("unknown address: labels keep the version")
        << "10.9.9.9"
        << "" << false << false << QStringList{u" 7.0"_s, u""_s, u""_s, u""_s}
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
        sys.addAddressEntry(mv::gw::kKindUser, {{mv::gw::kFieldDomain, u"QTXDOM"_s}});
        sys.addMember(mv::gw::kKindUser, u"spaet"_s, u"PO-NORD"_s);
    }
    p->writeIni(QStringLiteral("[GroupWise]\r\nIPAdresse=%1\r\nIPPort=%2\r\n").arg(address, port));
    mv::frmDef& w = start();
    w.setDebugMode(debug);
    list("lstAddressBookEntries")->addTopLevelItem(new QTreeWidgetItem({u"alt"_s}));

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
    const QStringList all{u"mmueller|User|QTXDOM|PO-NORD"_s,  u"akeller|User|QTXDOM|PO-NORD"_s,
                          u"bschmidt|User|QTXDOM|PO-NORD"_s,  u"cweber|User|QTXDOM|PO-SUED"_s,
                          u"bschmidt|User|QTXDOM|PO-SUED"_s,  u"raum1|Resource|QTXDOM|PO-NORD"_s,
                          u"beamer|Resource|QTXDOM|PO-SUED"_s};
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
        LocalSystem::open(folder()).addEntry(u"akeller"_s, u"PO-NORD"_s, later);
    }
    start();
    QTreeWidget* further = list("lvWeitereTage");
    QTreeWidgetItem* yearly =
        addRow(further, {u"24.06.*"_s, u"Betriebsfest"_s, u"08:00 - 12:00"_s, u"Kantine"_s});
    addRow(further, {u"15.07.2011"_s, u"Sommerfest"_s, u"Note"_s, u""_s});

    button("cmdListAdressen")->click();
    select(list("lstAddressBookEntries"), {u"akeller"_s, u"raum1"_s, u"cweber"_s});
    button("cmdAdresseWählen")->click();
    QCOMPARE(joinedRows(list("lvAdressen")),
             (QStringList{u"akeller|User|QTXDOM|PO-NORD"_s, u"cweber|User|QTXDOM|PO-SUED"_s,
                          u"raum1|Resource|QTXDOM|PO-NORD"_s}));
    const QStringList users{u"akeller"_s, u"cweber"_s, u"raum1"_s};

    createKey();
    QCOMPARE(p->boxes.shown.size(), 1);
    QCOMPARE(p->boxes.last().text, kKeyCreated);
    QCOMPARE(p->boxes.last().icon, QMessageBox::Information);
    QCOMPARE(p->boxes.last().title, kTitle);

    QHash<QString, QStringList> foreign;
    for (const QString& u : users)
        foreign[u] = calendar(folder(), u, false);
    QVERIFY(foreign[u"akeller"_s].contains(u"01.01.2011|Neujahr"_s));

    // Written twice: the second run replaces every entry of the first.
    for (int run = 0; run < 2; ++run) {
        button("cmdEintragen")->click();
        QCOMPARE(p->boxes.shown.size(), 1);
        QCOMPARE(joinedRows(list("lvVerarbeitung")),
                 (QStringList{u"akeller|OK|OK"_s, u"cweber|OK|OK"_s, u"raum1|OK|OK"_s}));
        QVERIFY(labelsHidden());
        const QStringList days = dayList();
        QVERIFY(days.contains(u"24.06.2011|Betriebsfest"_s));
        QVERIFY(days.contains(u"15.07.2011|Sommerfest"_s));
        QVERIFY(days.contains(u"01.01.2011|Neujahr"_s));
        for (const QString& u : users) {
            QCOMPARE(calendar(folder(), u, true), days);
            QCOMPARE(calendar(folder(), u, false), foreign[u]);
        }
    }
    // Both runs ended in the same second: the second log does not replace the first.
    QCOMPARE(logFiles(folder()),
             (QStringList{u"PR-15.06.2011 10-0-0 (2).txt"_s, u"PR-15.06.2011 10-0-0.txt"_s}));
    const QStringList written = dayList();

    // Removing the yearly further day takes its entries of the year out of the calendars.
    further->setCurrentItem(yearly); // highlighted
    p->boxes.answers = {QMessageBox::Yes};
    button("cmdLöschen")->click();
    QCOMPARE(p->boxes.last().text, kConfirmDeleteEntry);
    QCOMPARE(joinedRows(further), QStringList{u"15.07.2011|Sommerfest|Note|"_s});
    QStringList left = written;
    left.removeOne(u"24.06.2011|Betriebsfest"_s);
    for (const QString& u : users) {
        QCOMPARE(calendar(folder(), u, true), left);
        QCOMPARE(calendar(folder(), u, false), foreign[u]);
    }

    p->boxes.shown.clear();
    p->boxes.answers = {QMessageBox::Yes};
    button("cmddeleteall")->click();
    QCOMPARE(p->boxes.shown.size(), 1);
    QCOMPARE(p->boxes.last().text,
             QString(u"Bei diesem Vorgang werden sämtliche von Marvolingen erzeugten Termine aus "_s
                     u"dem Jahr aktuellen Jahr gelöscht! Fortfahren?"_s));
    QCOMPARE(p->boxes.last().title, u"Marvolingen - Sicherheitsabfrage"_s);
    QCOMPARE(p->boxes.last().buttons, QMessageBox::Yes | QMessageBox::No);
    QCOMPARE(joinedRows(list("lvVerarbeitung")),
             (QStringList{u"akeller|OK|DEL"_s, u"cweber|OK|DEL"_s, u"raum1|OK|DEL"_s}));
    QVERIFY(labelsHidden());
    for (const QString& u : users) {
        QCOMPARE(calendar(folder(), u, true), QStringList());
        QCOMPARE(calendar(folder(), u, false), foreign[u]);
    }
    QCOMPARE(calendar(folder(), u"akeller"_s, true, 2012), QStringList{u"01.01.2012|Neujahr"_s});
    QCOMPARE(logFiles(folder()),
             (QStringList{u"PR-15.06.2011 10-0-0 (2).txt"_s, u"PR-15.06.2011 10-0-0.txt"_s,
                          u"PR-DEL-15.06.2011 10-0-0.txt"_s}));

    button("cmdTAppLöschen")->click();
    QCOMPARE(p->boxes.last().text,
             u"Anwendungschlüssel wurde aus der Groupwise Datenbank gelöscht.."_s);
    QCOMPARE(p->boxes.last().icon, QMessageBox::Information);
    QCOMPARE(storedKey(), u"Anwendung nicht definiert"_s);
    QVERIFY(p->exits.isEmpty());
    QCOMPARE(QApplication::overrideCursor(), nullptr);
}

void TestGroupWise::noToDeleteAllChangesNothing() {
    makeSystem();
    start();
    addRow(list("lvAdressen"), {u"akeller"_s, u"User"_s, u"QTXDOM"_s, u"PO-NORD"_s});
    addRow(list("lvVerarbeitung"), {u"vorher"_s, u"OK"_s, u"OK"_s});
    p->boxes.answers = {QMessageBox::No};
    button("cmddeleteall")->click();
    QCOMPARE(p->boxes.shown.size(), 1);
    QCOMPARE(logFiles(folder()), QStringList());
    QCOMPARE(joinedRows(list("lvVerarbeitung")), QStringList{u"vorher|OK|OK"_s});
    QVERIFY(labelsHidden());
    QVERIFY(button("cmddeleteall")->isEnabled());
}

void TestGroupWise::furtherDayStaysWhenCalendarsCannotBeSearched() {
    makeSystem();
    start(); // no key stored: every login fails
    addRow(list("lvAdressen"), {u"akeller"_s, u"User"_s, u"QTXDOM"_s, u"PO-NORD"_s});
    QTreeWidgetItem* day =
        addRow(list("lvWeitereTage"), {u"24.06.*"_s, u"Betriebsfest"_s, u"Note"_s, u""_s});
    list("lvWeitereTage")->setCurrentItem(day); // highlighted
    p->boxes.answers = {QMessageBox::Yes};
    button("cmdLöschen")->click();
    QCOMPARE(p->boxes.shown.size(), 1);
    QCOMPARE(joinedRows(list("lvWeitereTage")), QStringList{u"24.06.*|Betriebsfest|Note|"_s});
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
        LocalSystem::open(folder()).addEntry(u"akeller"_s, u"PO-NORD"_s, e);
    }
    QHash<int, QStringList> before;
    for (int year : years) {
        before[year] = calendar(folder(), u"akeller"_s, true, year);
        QVERIFY(before[year].contains(QStringLiteral("24.06.%1|Betriebsfest").arg(year)));
    }
    mv::frmDef& w = start();
    createKey();
    addRow(list("lvAdressen"), {u"akeller"_s, u"User"_s, u"QTXDOM"_s, u"PO-NORD"_s});
    QTreeWidgetItem* day =
        addRow(list("lvWeitereTage"), {u"24.06.*"_s, u"Betriebsfest"_s, u"Note"_s, u""_s});
    list("lvWeitereTage")->setCurrentItem(day); // highlighted
    // each command from its own tab: delete-all from "Aktion", the removal from "Einstellungen"
    p->get<QTabWidget>(u"Tab1"_s)->setCurrentIndex(command == u"cmddeleteall"_s ? 4 : 2);
    p->settle();
    auto* jahr = p->get<QLineEdit>(u"txtJahr"_s);
    jahr->setText(typed);

    p->boxes.shown.clear();
    p->boxes.answers = {QMessageBox::Yes, QMessageBox::Yes};
    button(command.toUtf8().constData())->click();
    p->settle();

    for (int year : years)
        QCOMPARE(calendar(folder(), u"akeller"_s, true, year), before[year]);
    QCOMPARE(logFiles(folder()), QStringList());
    QStringList texts;
    for (const mv::MessageRequest& r : p->boxes.shown)
        texts << r.text;
    QCOMPARE(texts, asked + QStringList{u"Das Jahr darf nur zwischen 1583 und 8202 liegen."_s});
    QCOMPARE(p->boxes.last().icon, QMessageBox::Warning);
    QCOMPARE(p->boxes.last().title, u"Marvolingen - Einstellungsfehler"_s);
    QCOMPARE(joinedRows(list("lvWeitereTage")), QStringList{u"24.06.*|Betriebsfest|Note|"_s});
    QCOMPARE(w.selectedYear(), 2011);
    QCOMPARE(jahr->text(), typed);
    QCOMPARE(p->get<QTabWidget>(u"Tab1"_s)->currentIndex(), 2);
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
    p->get<QTabWidget>(u"Tab1"_s)->setCurrentIndex(4);
    Program::settle();
    button("cmdEintragen")->click();

    QCOMPARE(p->boxes.shown.size(), 2);
    for (const mv::MessageRequest& r : p->boxes.shown) {
        QCOMPARE(r.icon, QMessageBox::Warning);
        QCOMPARE(r.title, kTitle);
        QCOMPARE(r.buttons, QMessageBox::Ok);
    }
    QCOMPARE(p->boxes.shown[0].text,
             u"Kein Schlüssel gefunden! Dieser wird zum Eintrag benötigt."_s);
    QCOMPARE(p->boxes.shown[1].text, u"Bitte min. einen Username angeben!"_s);
    // The wait notice shows before the first user; the labels go once the run ends.
    QCOMPARE(labelsAtBox,
             (QStringList{u"0|Bezeichnung"_s,
                          u"1|Bitte Warten...\r\nVerbindung mit Datenbank wird aufgebaut"_s}));
    QVERIFY(labelsHidden());
    QCOMPARE(label("lblBezeichnung")->text(), QString());
    QCOMPARE(logFiles(folder()), QStringList{u"PR-15.06.2011 10-0-0.txt"_s});
    QFile log(folder() + u"/PR-15.06.2011 10-0-0.txt"_s);
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
                                << QStringList{u"0|Bei diesem Vorgang werden sämtliche von "_s
                                               u"Marvolingen erzeugten Termine aus dem Jahr "_s
                                               u"aktuellen Jahr gelöscht! Fortfahren?"_s,
                                               fatal}
                                << QList<int>{1} << 1;
    QTest::newRow("further day: the row stays")
        << "cmdLöschen" << QStringList{u"0|"_s + kConfirmDeleteEntry, fatal} << QList<int>{1} << 1;
    QTest::newRow("key: the library reports it, the program goes on")
        << "cmdTAppErzeugen"
        << QStringList{u"0|Anwendungsschlüssel konnte nicht erstellt werden., "_s
                       u"\"Verbindungsfehler\""_s}
        << QList<int>{} << 1;
}

void TestGroupWise::missingGroupWise() {
    QFETCH(QString, command);
    QFETCH(QList<int>, exitCodes);
    QFETCH(int, furtherDays);
    start();
    addRow(list("lvAdressen"), {u"akeller"_s, u"User"_s, u"QTXDOM"_s, u"PO-NORD"_s});
    QTreeWidgetItem* day =
        addRow(list("lvWeitereTage"), {u"24.06.*"_s, u"Betriebsfest"_s, u"Note"_s, u""_s});
    list("lvWeitereTage")->setCurrentItem(day); // highlighted
    p->get<QLineEdit>(u"txtDomainPfad"_s)->setText(LocalSystem::domainPath(folder()));

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
    addRow(list("lvAdressen"), {u"akeller"_s, u"User"_s, u"QTXDOM"_s, u"PO-NORD"_s});
    addRow(list("lvAdressen"), {u"raum1"_s, u"Resource"_s, u"QTXDOM"_s, u"PO-NORD"_s});
    QTreeWidgetItem* day =
        addRow(list("lvWeitereTage"), {u"24.06.*"_s, u"Betriebsfest"_s, u"Note"_s, u""_s});
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
    QCOMPARE(progress, u"akeller|01.01.2011"_s);
    // Only the removal question: no second run, no key action, no address-book read.
    QCOMPARE(p->boxes.shown.size(), 1);
    QCOMPARE(p->boxes.last().text, kConfirmDeleteEntry);
    QCOMPARE(list("lvWeitereTage")->topLevelItemCount(), 1);
    QCOMPARE(joinedRows(list("lvVerarbeitung")),
             (QStringList{u"akeller|OK|OK"_s, u"raum1|OK|OK"_s}));
    QCOMPARE(list("lstAddressBookEntries")->topLevelItemCount(), 0);
    QCOMPARE(storedKey(), key);
    QCOMPARE(logFiles(folder()), QStringList{u"PR-15.06.2011 10-0-0.txt"_s});
    QCOMPARE(calendar(folder(), u"akeller"_s, true), dayList());
    QCOMPARE(calendar(folder(), u"raum1"_s, true), dayList());
    QVERIFY(!p->window->groupWiseBusy());
    for (const char* name : {"cmdListAdressen", "cmdEintragen", "cmddeleteall", "cmdTAppErzeugen",
                             "cmdTAppLöschen", "cmdLöschen"})
        QVERIFY2(button(name)->isEnabled(), name);
    QVERIFY(labelsHidden());
}

void TestGroupWise::processingListHandsFocusOn() {
    start();
    p->get<QTabWidget>(u"Tab1"_s)->setCurrentIndex(4);
    Program::settle();
    focus(list("lvVerarbeitung"));
    QCOMPARE(QApplication::focusWidget(), button("cmdDefinitionsDatei"));
}

QTEST_MAIN(TestGroupWise)
#include "tst_groupwise.moc"
