#include "ui/messages.h"

#include <QTest>

using namespace Qt::StringLiterals;

using mv::Msg;

class TestMessages : public QObject {
    Q_OBJECT
private slots:
    void emptyUntilFilled() {
        mv::MessageTable t;
        for (int i = 0; i < static_cast<int>(Msg::Count_); ++i)
            QVERIFY(t.text(static_cast<Msg>(i)).isEmpty());
    }

    void fillRules() {
        mv::MessageTable t;
        t.fill(mv::Language::English);
        t.fill(mv::Language::German);
        for (int i = 0; i < static_cast<int>(Msg::Count_); ++i) {
            const auto m = static_cast<Msg>(i);
            QCOMPARE(t.text(m), mv::MessageTable::german(m));
            QVERIFY(!t.text(m).isEmpty());
        }
        // Case matters: a lower-case word names no language.
        QVERIFY(!mv::languageFromText(u"english"_s));
        QCOMPARE(t[Msg::YearRange], u"Das Jahr darf nur zwischen 1583 und 8202 liegen."_s);
        t.fill(*mv::languageFromText(u"English"_s));
        QCOMPARE(t[Msg::YearRange], u"The year must be one between 1583 and 8202"_s);
    }

    void exactTexts_data() {
        QTest::addColumn<int>("msg");
        QTest::addColumn<QString>("german");
        QTest::addColumn<QString>("english");
        QTest::newRow("wait") << int(Msg::PleaseWait)
                              << "Bitte Warten...\r\nVerbindung mit Datenbank wird aufgebaut"
                              << "Please wait...\r\nConnect to database.";
        QTest::newRow("grave") << int(Msg::SaveFailed)
                               << "Einstellungen konnten nicht gespeichert werden!"
                               << "Can`t save settings!";
        QTest::newRow("blank") << int(Msg::WillBeDeleted) << " wird gelöscht"
                               << " will be deleted";
        QTest::newRow("typo") << int(Msg::KeyNotDeleted)
                              << "Anwendungsschlüssel konnte nicht gelöcht werden."
                              << "Can`t delete Apllication key.";
        QTest::newRow("file") << int(Msg::FileCreated) << "Datei erfolreich erstellt: "
                              << "File created successfully: ";
        QTest::newRow("country") << int(Msg::Country) << "Land"
                                 << "Country";
        QTest::newRow("server question")
            << int(Msg::ConfirmDeleteEntryServer)
            << "Soll dieser Termin auch aus den Kalendern des Kalenderservers gelöscht werden?"
            << "Should this date also be deleted from the calendars of the calendar server?";
        QTest::newRow("server login")
            << int(Msg::CalDavLoginRefused)
            << "Anmeldung am CalDAV-Server abgelehnt: Benutzer oder Passwort falsch."
            << "The CalDAV server refused the login: wrong user or password.";
        QTest::newRow("server plain http")
            << int(Msg::CalDavPlainHttp)
            << "Unverschlüsseltes http ist nur zu dieser Maschine erlaubt; das Passwort würde "
               "lesbar übertragen. Bitte https verwenden: "
            << "Plain http is allowed only to this machine; the password would travel readable. "
               "Please use https: ";
        QTest::newRow("server password")
            << int(Msg::CalDavPasswordUnstorable)
            << "Das Passwort enthält Zeichen, die nicht gespeichert werden können."
            << "The password holds characters that cannot be stored.";
        QTest::newRow("user list title") << int(Msg::TitleUserList) << "Benutzerliste"
                                         << "Userlist";
        QTest::newRow("ical date")
            << int(Msg::IcalDateUnreadable) << "Das Datum \"%1\" von \"%2\" ist nicht lesbar."
            << "The date \"%1\" of \"%2\" cannot be read.";
        QTest::newRow("ical time")
            << int(Msg::IcalTimeUnreadable) << "Die Zeit \"%1\" von %2 ist nicht lesbar."
            << "The time \"%1\" of %2 cannot be read.";
        QTest::newRow("ical folder")
            << int(Msg::IcalNoFolder)
            << "Die Datei \"%1\" konnte nicht erstellt werden: Der Ordner existiert nicht."
            << "Cannot create the file \"%1\": the folder does not exist.";
        QTest::newRow("ical file")
            << int(Msg::IcalFileNotWritten) << "Die Datei \"%1\" konnte nicht erstellt werden: %2"
            << "Cannot create the file \"%1\": %2";
    }
    void exactTexts() {
        QFETCH(int, msg);
        QFETCH(QString, german);
        QFETCH(QString, english);
        QCOMPARE(mv::MessageTable::german(Msg(msg)), german);
        QCOMPARE(mv::MessageTable::english(Msg(msg)), english);
        QCOMPARE(mv::MessageTable::in(mv::Language::German, Msg(msg)), german);
        QCOMPARE(mv::MessageTable::in(mv::Language::English, Msg(msg)), english);
    }
};

QTEST_GUILESS_MAIN(TestMessages)
#include "tst_messages.moc"
