// The CalDAV side of the window: the server frame of frmEinstellungen and the calendar
// actions of frmDef against a Radicale the test starts.
#include "caldav/caldavsettings.h"
#include "caldav/calendarops.h"
#include "caldav/discovery.h"
#include "settings/profilefile.h"
#include "support/radicaleserver.h"
#include "treetable.h"
#include "ui/frmeinstellungen.h"
#include "ui/messages.h"
#include "windowfixture.h"

#include <QDir>
#include <QLabel>
#include <QTreeWidget>

#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QtTest>

using namespace mv;
using namespace mv::caldav;

namespace {

// Rows written as "a|b|c" lists.
QStringList rows(std::initializer_list<const char*> texts) {
    QStringList out;
    for (const char* t : texts)
        out.append(QString::fromUtf8(t));
    return out;
}

template <typename T> T* child(QWidget& parent, const char* name) {
    T* w = parent.findChild<T*>(QString::fromLatin1(name));
    if (!w)
        qFatal("control %s is missing", name);
    return w;
}

QByteArray readAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

class TstCalDavWindow : public QObject {
    Q_OBJECT

    mv::testsupport::RadicaleServer server_;

    void connectTo(mvtest::Program& p, const QString& password) {
        ProfileFile file(p.iniPath());
        CalDavSettings s;
        s.kind = ServerKind::CalDAV;
        s.url = server_.url();
        s.user = QStringLiteral("service");
        s.password = password;
        QVERIFY(SaveCalDavSettings(file, s, Language::German).ok());
    }

private slots:
    void initTestCase() {
        const QString problem = server_.start();
        QVERIFY2(problem.isEmpty(), qPrintable(problem));
        QVERIFY(server_.makeCalendar(QStringLiteral("alice"), QStringLiteral("home"),
                                     QStringLiteral("Alice privat")));
        QVERIFY(server_.makeCalendar(QStringLiteral("carol"), QStringLiteral("cal"),
                                     QStringLiteral("Carol")));
    }

    void windowActsOnCalendars() {
        mvtest::Program p;
        p.writeIni(QStringLiteral("[User]\r\nakeller\x07User\x07QTXDOM\x07PO-NORD\r\n"));
        connectTo(p, QStringLiteral("svcpw"));
        mv::frmDef& w = p.start();
        auto button = [&](const char* name) { return p.get<QPushButton>(QString::fromUtf8(name)); };
        auto list = [&](const char* name) { return p.get<QTreeWidget>(QString::fromUtf8(name)); };
        // The stored GroupWise users are not the calendars.
        QCOMPARE(list("lvAdressen")->topLevelItemCount(), 0);

        button("cmdListAdressen")->click();
        QCOMPARE(p.boxes.shown.size(), 0);
        QCOMPARE(mvtest::joinedRows(list("lstAddressBookEntries")),
                 rows({"/alice/home/|alice|Alice privat|", "/carol/cal/|carol|Carol|"}));
        QTreeWidget* entries = list("lstAddressBookEntries");
        entries->topLevelItem(0)->setSelected(true);
        button("cmdAdresseWählen")->click();
        entries->topLevelItem(0)->setSelected(false);
        entries->topLevelItem(1)->setSelected(true);
        emit entries->itemDoubleClicked(entries->topLevelItem(1), 0);
        QCOMPARE(mvtest::joinedRows(list("lvAdressen")),
                 rows({"/alice/home/|alice|Alice privat|", "/carol/cal/|carol|Carol|"}));
        button("cmdBenutzerSpeichern")->click();
        QCOMPARE(LoadCalDavSettings(ProfileFile(p.iniPath())).calendars.size(), 2);
        QVERIFY(p.readIni().contains(QStringLiteral("akeller"))); // the users stay

        QTreeWidget* further = list("lvWeitereTage");
        QTreeWidgetItem* party =
            mvtest::addRow(further, rows({"24.06.*", "Betriebsfest", "08:00 - 12:00", "Kantine"}));
        for (int run = 0; run < 2; ++run) {
            button("cmdEintragen")->click();
            QCOMPARE(p.boxes.shown.size(), 0);
            QCOMPARE(mvtest::joinedRows(list("lvVerarbeitung")),
                     rows({"/alice/home/|OK|OK", "/carol/cal/|OK|--"}));
            QVERIFY(!p.get<QLabel>(QStringLiteral("lblBezeichnung"))->isVisible());
        }
        const int days = list("lvListe")->topLevelItemCount();
        QVERIFY(days > 5);
        QCOMPARE(server_.objects(QStringLiteral("alice"), QStringLiteral("home")).size(), days);
        QCOMPARE(server_.objects(QStringLiteral("carol"), QStringLiteral("cal")).size(), 0);
        const QStringList logs =
            QDir(p.dir.path()).entryList({QStringLiteral("PR-*.txt")}, QDir::Files, QDir::Name);
        QCOMPARE(logs.size(), 2);

        // Removing the further day takes its object out of the calendars.
        further->setCurrentItem(party); // highlighted
        p.boxes.answers = {QMessageBox::Yes};
        button("cmdLöschen")->click();
        QCOMPARE(further->topLevelItemCount(), 0);
        QCOMPARE(server_.objects(QStringLiteral("alice"), QStringLiteral("home")).size(), days - 1);

        p.boxes.answers = {QMessageBox::Yes};
        button("cmddeleteall")->click();
        QCOMPARE(mvtest::joinedRows(list("lvVerarbeitung")),
                 rows({"/alice/home/|OK|DEL", "/carol/cal/|OK|N/A"}));
        QCOMPARE(server_.objects(QStringLiteral("alice"), QStringLiteral("home")).size(), 0);
        Q_UNUSED(w)
    }

    // Removing a further day asks about the calendars of the server in use.
    void removalQuestion_data() {
        QTest::addColumn<bool>("calDav");
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("question");
        QTest::newRow("server, German")
            << true << "Deutsch"
            << "Soll dieser Termin auch aus den Kalendern des Kalenderservers gelöscht werden?";
        QTest::newRow("server, English")
            << true << "English"
            << "Should this date also be deleted from the calendars of the calendar server?";
        QTest::newRow("GroupWise, German")
            << false << "Deutsch"
            << "Soll dieser Termin auch aus dem Novell Group Wise Kalender gelöscht werden?";
        QTest::newRow("GroupWise, English")
            << false << "English"
            << "Should this date also be deleted from the Novell Group Wise calender?";
    }
    void removalQuestion() {
        QFETCH(bool, calDav);
        QFETCH(QString, language);
        QFETCH(QString, question);
        mvtest::Program p;
        p.writeIni(QStringLiteral("[Einstellungen]\r\nSprache=") + language +
                   QStringLiteral("\r\n"));
        if (calDav)
            connectTo(p, QStringLiteral("svcpw"));
        p.start();
        QTreeWidget* further = p.get<QTreeWidget>(QStringLiteral("lvWeitereTage"));
        further->setCurrentItem(
            mvtest::addRow(further, rows({"24.06.*", "Betriebsfest", "08:00 - 12:00", "Kantine"})));
        p.boxes.answers = {QMessageBox::No};
        p.get<QPushButton>(QStringLiteral("cmdLöschen"))->click();
        QCOMPARE(p.boxes.shown.size(), 1);
        QCOMPARE(p.boxes.last().text, question);
        QCOMPARE(p.boxes.last().title, QStringLiteral("Marvolingen"));
        QCOMPARE(further->topLevelItemCount(), 0);
    }

    // A calendar selection the settings file refuses: the message in the interface language.
    void userListSaveFailure_data() {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("text"); // %1: the file's return code
        QTest::addColumn<QString>("title");
        QTest::newRow("German") << "Deutsch"
                                << "Einstellungen konnten nicht gespeichert werden! (%1)"
                                << "Benutzerliste";
        QTest::newRow("English") << "English"
                                 << "Can`t save settings! (%1)"
                                 << "Userlist";
    }
    void userListSaveFailure() {
        QFETCH(QString, language);
        QFETCH(QString, text);
        QFETCH(QString, title);
        mvtest::Program p;
        p.writeIni(QStringLiteral("[Einstellungen]\r\nSprache=") + language +
                   QStringLiteral("\r\n"));
        connectTo(p, QStringLiteral("svcpw"));
        p.start();
        // A folder in place of the settings file: it can be neither read nor written.
        QVERIFY(QFile::remove(p.iniPath()));
        QVERIFY(QDir().mkdir(p.iniPath()));
        const int code =
            ProfileFile(p.iniPath()).replaceSection(QStringLiteral("CalDAV"), QString(QChar(0)));
        QVERIFY(code != 1);
        p.get<QPushButton>(QStringLiteral("cmdBenutzerSpeichern"))->click();
        QCOMPARE(p.boxes.shown.size(), 1);
        QCOMPARE(p.boxes.last().text, text.arg(code));
        QCOMPARE(p.boxes.last().title, title);
        QCOMPARE(p.boxes.last().icon, QMessageBox::Critical);
    }

    void windowWrongPassword() {
        mvtest::Program p;
        connectTo(p, QStringLiteral("falsch"));
        {
            ProfileFile file(p.iniPath());
            CalDavSettings s = LoadCalDavSettings(file);
            s.calendars = {{QStringLiteral("/alice/home/"), QStringLiteral("alice"), {}}};
            QVERIFY(SaveCalDavSettings(file, s, Language::German).ok());
        }
        p.start();
        p.get<QPushButton>(QStringLiteral("cmdEintragen"))->click();
        QCOMPARE(p.boxes.shown.size(), 1);
        QCOMPARE(p.boxes.last().icon, QMessageBox::Critical);
        QCOMPARE(p.boxes.last().text, loginRefusedText(Language::German));
        QCOMPARE(p.get<QTreeWidget>(QStringLiteral("lvVerarbeitung"))->topLevelItemCount(), 0);
        QCOMPARE(server_.objects(QStringLiteral("alice"), QStringLiteral("home")).size(), 0);
        p.get<QPushButton>(QStringLiteral("cmdListAdressen"))->click();
        QCOMPARE(p.boxes.shown.size(), 2);
        QCOMPARE(p.boxes.last().text, loginRefusedText(Language::German));
    }

    // The server revokes the password once the first object is stored: one critical box
    // with the login message, and the second calendar is not tried.
    void windowPasswordRevokedMidRun() {
        mv::testsupport::RadicaleServer revoking(
            mv::testsupport::RadicaleServer::revokingOptions());
        const QString problem = revoking.start();
        QVERIFY2(problem.isEmpty(), qPrintable(problem));
        for (const char* name : {"first", "second"})
            QVERIFY(revoking.makeCalendar(QStringLiteral("alice"), QString::fromLatin1(name),
                                          QString::fromLatin1(name)));
        // The service account's first request makes its principal, a change of its own.
        QVERIFY(revoking.makeCalendar(QStringLiteral("service"), QStringLiteral("own"),
                                      QStringLiteral("Own")));
        mvtest::Program p;
        {
            ProfileFile file(p.iniPath());
            CalDavSettings s;
            s.kind = ServerKind::CalDAV;
            s.url = revoking.url();
            s.user = QStringLiteral("service");
            s.password = QStringLiteral("svcpw");
            s.calendars = {{QStringLiteral("/alice/first/"), QStringLiteral("alice"), {}},
                           {QStringLiteral("/alice/second/"), QStringLiteral("alice"), {}}};
            QVERIFY(SaveCalDavSettings(file, s, Language::German).ok());
        }
        p.start();
        QVERIFY(revoking.revokeAtNextChange());
        p.get<QPushButton>(QStringLiteral("cmdEintragen"))->click();
        // More days than requests under way: some are sent after the refusal.
        QVERIFY(p.get<QTreeWidget>(QStringLiteral("lvListe"))->topLevelItemCount() > kInFlight);
        QCOMPARE(p.boxes.shown.size(), 1);
        QCOMPARE(p.boxes.last().icon, QMessageBox::Critical);
        QCOMPARE(p.boxes.last().text, loginRefusedText(Language::German));
        QCOMPARE(mvtest::joinedRows(p.get<QTreeWidget>(QStringLiteral("lvVerarbeitung"))),
                 rows({"/alice/first/|OK|--"}));
        QCOMPARE(revoking.objects(QStringLiteral("alice"), QStringLiteral("second")).size(), 0);
    }

    void dialogStoresServer() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("Feiertage.ini"));
        ProfileFile settings(path);
        QString address, port;
        MessageTable messages;
        messages.fill(Language::German);
        QList<MessageRequest> shown;
        auto boxes = [&shown](const MessageRequest& r) {
            shown.append(r);
            return int(QMessageBox::Ok);
        };

        {
            frmEinstellungen dlg(nullptr, settings, address, port, messages, Language::German);
            dlg.setMessageBox(boxes);
            dlg.show();
            // A file without the section: GroupWise, the CalDAV fields locked.
            QVERIFY(child<QRadioButton>(dlg, "optServerart_0")->isChecked());
            QVERIFY(!child<QLineEdit>(dlg, "txtCalDavUrl")->isEnabled());
            child<QRadioButton>(dlg, "optServerart_1")->setChecked(true);
            QVERIFY(child<QLineEdit>(dlg, "txtCalDavUrl")->isEnabled());
            child<QLineEdit>(dlg, "txtCalDavUrl")
                ->setText(QStringLiteral("http://cal.example.org/"));
            child<QLineEdit>(dlg, "txtCalDavBenutzer")->setText(QStringLiteral("service"));
            child<QLineEdit>(dlg, "txtCalDavPasswort")->setText(QStringLiteral("geheim"));
            child<QPushButton>(dlg, "cmdOK")->click();
            // Plain http to another machine: refused, the dialog stays, nothing written.
            QCOMPARE(shown.size(), 1);
            QVERIFY(dlg.isVisible());
            QVERIFY(!QFile::exists(path));

            child<QLineEdit>(dlg, "txtCalDavUrl")
                ->setText(QStringLiteral(" https://cal.example.org/dav/ "));
            child<QPushButton>(dlg, "cmdOK")->click();
            QCOMPARE(shown.size(), 1);
            QCOMPARE(dlg.result(), int(QDialog::Accepted));
        }
        CalDavSettings stored = LoadCalDavSettings(settings);
        QCOMPARE(stored.kind, ServerKind::CalDAV);
        QCOMPARE(stored.url, QStringLiteral("https://cal.example.org/dav/"));
        QCOMPARE(stored.user, QStringLiteral("service"));
        QCOMPARE(stored.password, QStringLiteral("geheim"));
        QVERIFY(!readAll(path).contains("geheim"));

        // Cancel after changes leaves the file as it was.
        const QByteArray before = readAll(path);
        {
            frmEinstellungen dlg(nullptr, settings, address, port, messages, Language::German);
            dlg.setMessageBox(boxes);
            dlg.show();
            QVERIFY(child<QRadioButton>(dlg, "optServerart_1")->isChecked());
            QCOMPARE(child<QLineEdit>(dlg, "txtCalDavPasswort")->text(), QStringLiteral("geheim"));
            child<QRadioButton>(dlg, "optServerart_0")->setChecked(true);
            child<QLineEdit>(dlg, "txtCalDavBenutzer")->setText(QStringLiteral("other"));
            child<QPushButton>(dlg, "cmdAbbrechen")->click();
        }
        QCOMPARE(readAll(path), before);

        // Back to GroupWise: the connection stays stored for later.
        {
            frmEinstellungen dlg(nullptr, settings, address, port, messages, Language::German);
            dlg.setMessageBox(boxes);
            dlg.show();
            child<QRadioButton>(dlg, "optServerart_0")->setChecked(true);
            child<QPushButton>(dlg, "cmdOK")->click();
        }
        stored = LoadCalDavSettings(settings);
        QCOMPARE(stored.kind, ServerKind::GroupWise);
        QCOMPARE(stored.url, QStringLiteral("https://cal.example.org/dav/"));
    }

    // A refused text left in the year field reaches no calendar: delete-all refuses it
    // instead of deleting the year its leading number names.
    void refusedYearReachesNoCalendar() {
        QVERIFY(server_.makeCalendar(QStringLiteral("alice"), QStringLiteral("years"),
                                     QStringLiteral("Alice years")));
        mvtest::Program p;
        connectTo(p, QStringLiteral("svcpw"));
        {
            ProfileFile file(p.iniPath());
            CalDavSettings s = LoadCalDavSettings(file);
            s.calendars = {{QStringLiteral("/alice/years/"), QStringLiteral("alice"), {}}};
            QVERIFY(SaveCalDavSettings(file, s, Language::German).ok());
        }
        mv::frmDef& w = p.start();
        auto* jahr = p.get<QLineEdit>(QStringLiteral("txtJahr"));
        for (const QString& year : {QStringLiteral("2012"), QStringLiteral("2011")}) {
            mvtest::focus(jahr);
            jahr->setText(year);
            mvtest::focus(p.get(QStringLiteral("txtPfad")));
            QCOMPARE(w.selectedYear(), year.toInt());
            p.get<QPushButton>(QStringLiteral("cmdEintragen"))->click();
        }
        QCOMPARE(p.boxes.shown.size(), 0);
        const auto objects = [this] {
            return server_.objects(QStringLiteral("alice"), QStringLiteral("years")).size();
        };
        const auto written = objects();
        QVERIFY(written > 10); // the holidays of both years

        jahr->setText(QStringLiteral("2012x"));
        p.boxes.answers = {QMessageBox::Yes};
        p.get<QPushButton>(QStringLiteral("cmddeleteall"))->click();
        p.settle();
        QCOMPARE(objects(), written);
        QCOMPARE(p.boxes.shown.size(), 1);
        QCOMPARE(p.boxes.last().text,
                 QStringLiteral("Das Jahr darf nur zwischen 1583 und 8202 liegen."));
        QCOMPARE(w.selectedYear(), 2011);
    }
};

QTEST_MAIN(TstCalDavWindow)
#include "tst_caldav_window.moc"
