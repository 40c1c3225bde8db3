#include "ui/messages.h"

namespace mv {
namespace {

struct Texts {
    const char* german;
    const char* english;
};

// Order follows enum Msg.
constexpr Texts kTexts[] = {
    {"Bei diesem Vorgang werden sämtliche von Marvolingen erzeugten Termine aus dem Jahr "
     "aktuellen Jahr gelöscht! Fortfahren?",
     "Now all your dates written by Marvolingen 2.0 in this year will be deleted. Do?"},
    {"Soll dieser Termin auch aus dem Novell Group Wise Kalender gelöscht werden?",
     "Should this date also be deleted from the Novell Group Wise calender?"},
    {"Bitte Warten...\r\nVerbindung mit Datenbank wird aufgebaut",
     "Please wait...\r\nConnect to database."},
    {"Einstellungen konnten nicht gespeichert werden!", "Can`t save settings!"},
    {" wird gelöscht", " will be deleted"},
    {"Eintrag OK", "Entry written"},
    {"Anmeldung OK", "Login OK"},
    {"Eintragen der Feiertage am ", "Insert/Write all holidays on "},
    {"Löschen aller von Marvolingen eingetragenen Termine am ",
     "Deleting all holidays and dates written by Marvolingen on "},
    {"Eintrag gelöscht", "Entry deleted"},
    {"Termin beginnt erst wenn Termin schon zuende ist", "Date ends before it begins"},
    {"Uhrzeit ungültig! Bitte verbessern.", "Time wrong! Please correkt."},
    {"Keine Anmeldung", "No login"},
    {"Eintrag nicht gelöscht", "Entry not deleted"},
    {"Eintrag konnte nicht eingetragen werden!", "Can`t write entry!"},
    {"Datei erfolreich erstellt: ", "File created successfully: "},
    {"Datei konnte nicht erstellt werden!", "Can`t create file!"},
    {"Bitte min. einen Username angeben!", "Please selected at least one user/resource!"},
    {"Marvolingen - Sicherheitsabfrage", "Marvolingen - confirm delete"},
    {"Marvolingen - Datum oder Uhrzeit falsch", "Marvolingen - date or time wrong"},
    {"Marvolingen - Einstellungsfehler", "Marvolingen - setting error"},
    {"Bitte Bezeichnung eingeben", "Please enter designation"},
    {"Datum nicht korrekt", "Datum incorrect"},
    {"Bezeichnung", "Designation"},
    {"Erst einen Adressbucheintrag auswählen", "You must first select an Address Book."},
    {"Anwendungschlüssel wurde in die Groupwise Datenbank erstellt.",
     "Applicationkey was created into the GroupWise database"},
    {"Anwendungsschlüssel konnte nicht erstellt werden.", "Can`t create Applicationkey."},
    {"Anwendungschlüssel wurde aus der Groupwise Datenbank gelöscht.",
     "Applicationkey was deleted from the GroupWise database."},
    {"Anwendungsschlüssel konnte nicht gelöcht werden.", "Can`t delete Apllication key."},
    {"Das Jahr darf nur zwischen 1583 und 8202 liegen.",
     "The year must be one between 1583 and 8202"},
    {"Kein Schlüssel gefunden! Dieser wird zum Eintrag benötigt.",
     "No key found! You need the key for writing into the database."},
    {"Groupwise ist nicht oder nur fehelerhaft installiert. Programm wird beendet.",
     "Groupwise is not or not correct installed. Program is exiting."},
    {"Sprache", "Language"},
    {"Land", "Country"},
    {"Das Zeichen \"%2\" im Feld \"%1\" kann nicht gespeichert werden. Bitte ändern Sie den "
     "Text.",
     "The character \"%2\" in the field \"%1\" cannot be stored. Please change the text."},
    {"Soll dieser Termin auch aus den Kalendern des Kalenderservers gelöscht werden?",
     "Should this date also be deleted from the calendars of the calendar server?"},
    {"Keine gültige Server-Adresse: ", "Not a valid server URL: "},
    {"Unverschlüsseltes http ist nur zu dieser Maschine erlaubt; das Passwort würde lesbar "
     "übertragen. Bitte https verwenden: ",
     "Plain http is allowed only to this machine; the password would travel readable. Please "
     "use https: "},
    {"Nur https- oder http-Adressen sind möglich: ", "Only https or http URLs are possible: "},
    {"Die CA-Datei kann nicht gelesen werden: ", "The CA file cannot be read: "},
    {"Die CA-Datei enthält kein PEM-Zertifikat: ", "The CA file holds no PEM certificate: "},
    {"Anfrage an einen anderen Server abgelehnt: ", "Request to another server refused: "},
    {"Weiterleitung auf einen anderen Server abgelehnt: ", "Redirect to another server refused: "},
    {"Zu viele Weiterleitungen", "Too many redirects"},
    {"Zeitüberschreitung", "Timeout"},
    {"Anmeldung abgelehnt", "login refused"},
    {"keine Berechtigung", "forbidden"},
    {"nicht gefunden", "not found"},
    {"Konflikt", "conflict"},
    {"Objekt wurde geändert", "object was changed"},
    {"Serverfehler", "server error"},
    {"Anmeldung am CalDAV-Server abgelehnt: Benutzer oder Passwort falsch.",
     "The CalDAV server refused the login: wrong user or password."},
    {"Kein CalDAV-Konto unter dieser Adresse gefunden", "No CalDAV account found at this address"},
    {"kein Kalender für Termine", "no calendar for events"},
    {"nicht gesendet", "not sent"},
    {"Datum nicht lesbar", "date cannot be read"},
    {"Unter diesem Namen steht ein fremder Termin; er bleibt unverändert",
     "A foreign entry stands under this name; it stays unchanged"},
    {"Das Passwort enthält Zeichen, die nicht gespeichert werden können.",
     "The password holds characters that cannot be stored."},
    {"Benutzerliste", "Userlist"},
    {"Das Datum \"%1\" von \"%2\" ist nicht lesbar.", "The date \"%1\" of \"%2\" cannot be read."},
    {"Die Zeit \"%1\" von %2 ist nicht lesbar.", "The time \"%1\" of %2 cannot be read."},
    {"Die Datei \"%1\" konnte nicht erstellt werden: Der Ordner existiert nicht.",
     "Cannot create the file \"%1\": the folder does not exist."},
    {"Die Datei \"%1\" konnte nicht erstellt werden: %2", "Cannot create the file \"%1\": %2"},
};
static_assert(std::size(kTexts) == static_cast<size_t>(Msg::Count_));

} // namespace

QString MessageTable::german(Msg m) {
    return QString::fromUtf8(kTexts[static_cast<int>(m)].german);
}

QString MessageTable::english(Msg m) {
    return QString::fromUtf8(kTexts[static_cast<int>(m)].english);
}

QString MessageTable::in(Language language, Msg m) {
    return language == Language::English ? english(m) : german(m);
}

void MessageTable::fill(Language language) {
    for (int i = 0; i < static_cast<int>(Msg::Count_); ++i)
        texts_[i] = in(language, static_cast<Msg>(i));
}

} // namespace mv
