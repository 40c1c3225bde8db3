#include "ui/captions.h"

namespace mv {

namespace {
QString u(const char* s) {
    return QString::fromUtf8(s);
}
} // namespace

const QList<Caption>& mainWindowCaptions() {
    static const QList<Caption> table = {
        {u("mnuDatei"), u("Datei"), u("File")},
        {u("mnuEnde"), u("Ende"), u("Quit")},
        {u("mnuICalendar"), u("iCalendar-Datei speichern..."), u("Save iCalendar file...")},
        {u("mnulanguage"), u("Land/Sprache Einstellungen"), u("Language/Country settings")},
        {u("mnuÜber"), u("Über"), u("About")},
        {u("frmListederTage"), u("Liste der Tage"), u("List of days")},
        {u("frmDaten"), u("Daten"), u("Datas")},
        {u("lblJahr"), u("Jahr"), u("Year")},
        {u("lblDefinitionSpeichern"), u("Definition speichern unter"), u("Save definition under")},
        {u("frmVerbürgteAnwendung"), u("Verbürgte Anwendung"), u("Trusted Application")},
        {u("cmdTAppErzeugen"), u("Erzeugen"), u("Create")},
        {u("cmdTAppLöschen"), u("Löschen"), u("Delete")},
        {u("cmdSpeichern"), u("Einstellungen speichern"), u("Save settings")},
        {u("frmFeiertage"), u("Feiertage"), u("Holidays")},
        {u("frmDarstellungFeiertage"), u("Darstellung"), u("View")},
        {u("frmDarstellungTermin"), u("Darstellung"), u("View")},
        {u("frmWeitereTage"), u("Weitere Tage"), u("Other days")},
        {u("chkGanztägig"), u("Ganztägig"), u("Whole day")},
        {u("chkGanztägigTermin"), u("Ganztägig"), u("Whole day")},
        {u("chkStandartAkt"), u("Als Standard"), u("Use as standard")},
        {u("lblTerminVon"), u("Von"), u("From")},
        {u("lblStandardVon"), u("Von:"), u("From:")},
        {u("lblfeiertagevon"), u("Von:"), u("From:")},
        {u("lblTerminBis"), u("Bis"), u("To")},
        {u("lblStandardBis"), u("Bis:"), u("To:")},
        {u("lblfeiertagebis"), u("Bis:"), u("To:")},
        {u("lblTerminOrt"), u("Ort"), u("Place")},
        {u("lblStandardOrt"), u("Ort:"), u("Place:")},
        {u("lblfeiertageort"), u("Ort:"), u("Place:")},
        {u("lblTerminDatum"), u("Datum"), u("Date")},
        {u("lblTerminBezeichnung"), u("Bezeichnung"), u("Designation")},
        {u("lblPfadZurDatenbank"), u("Pfad zur Domain-Datenbank"), u("Path to domain-database")},
        {u("lbluhr_0"), u("Uhr"), u("o`clock")},
        {u("lbluhr_1"), u("Uhr"), u("o`clock")},
        {u("lbluhr_2"), u("Uhr"), u("o`clock")},
        {u("lbluhr_3"), u("Uhr"), u("o`clock")},
        {u("cmdListAdressen"), u("System-Adressbuch auslesen"), u("Read System-Addressbook")},
        {u("lblSystemAdressbuchEinträge"), u("System-Adressbuch Einträge"),
         u("System-Addressbook entrys")},
        {u("lblGewählteAdressen"), u("Gewählte Adressen"), u("Selected addresses")},
        {u("cmdAlleAdressen"), u("Alles wählen"), u("Take all")},
        {u("cmdBenutzerSpeichern"), u("Benutzerliste speichern"), u("Save userlist")},
        {u("frmAnmeldeInfo"), u("Anmelde Informationen"), u("Login information")},
        {u("lblTCPIP"), u("TCP/IP Adresse:"), u("TCP/IP adress:")},
        {u("lblPfadZumHost"), u("Pfad zum Host:"), u("Path to host:")},
        {u("cmdEintragen"), u("Eintragen"), u("Write into calender")},
        {u("cmddeleteall"), u("Marvolingen Termine löschen"), u("Delete Marvolingen dates")},
        {u("cmdDefinitionsDatei"), u("Datei erzeugen"), u("Create file")},
        {u("frmdefinitionsdatei"), u("Definitionsdatei"), u("Definitionfile")},
        {u("frmTermineLöschen"), u("Löschen"), u("Delete")},
        {u("frmeintragen"), u("Feiertage für ausgewählte Benutzer eintragen"),
         u("Write holidays for selected users/resources into GroupWise calender")},
        {u("frmverarbeitung"), u("Verarbeitung"), u("Processing")},
        {u("lblDefinitionsdatei"), u("Definitionsdatei für Remote User"),
         u("Definitionfile for remote user")},
        {u("lblTermineLöschen"), u("Alle Termine die von Marvolingen eingetragen wurden löschen."),
         u("Delete all dates defined by Marvolingen")},
    };
    return table;
}

const QList<DesignedCaption>& mainWindowDesignedCaptions() {
    static const QList<DesignedCaption> table = {
        {u("frmDef"), u("Feiertage festlegen")},
        {u("mnuDatei"), u("&Datei")},
        {u("mnulanguage"), u("&Sprache/Land")},
        {u("mnuEinstellungen"), u("&Einstellungen")},
        {u("mnuICalendar"), u("iCalendar-Datei speichern...")},
        {u("mnutrennstrich"), u("-")},
        {u("mnuEnde"), u("&Ende")},
        {u("mnuHilfe"), u("?")},
        {u("mnuÜber"), u("Über")},
        {u("frmListederTage"), u("Liste der Tage")},
        {u("frmDaten"), u("Daten")},
        {u("lblJahr"), u("Jahr")},
        {u("lblDefinitionSpeichern"), u("Definition speichern unter")},
        {u("cmdSpeichern"), u("Einstellungen Speichern")},
        {u("frmFeiertage"), u("Feiertage")},
        {u("frmDarstellungFeiertage"), u("Darstellung")},
        {u("chkFeiertageAlsNotiz"), u("als Notiz")},
        {u("lblfeiertagevon"), u("Von:")},
        {u("lblfeiertagebis"), u("Bis:")},
        {u("lblfeiertageort"), u("Ort:")},
        {u("chkGanztägig"), u("Ganztägig")},
        {u("lbluhr_0"), u("Uhr")},
        {u("lbluhr_1"), u("Uhr")},
        {u("lbluhr_2"), u("Uhr")},
        {u("lbluhr_3"), u("Uhr")},
        {u("frmDarstellungTermin"), u("Darstellung")},
        {u("lblStandardVon"), u("Von:")},
        {u("lblStandardBis"), u("Bis:")},
        {u("lblStandardOrt"), u("Ort:")},
        {u("chkGanztägigTermin"), u("Ganztägig")},
        {u("chkStandartAkt"), u("Als Standard")},
        {u("frmWeitereTage"), u("Weitere Tage")},
        {u("lblTerminDatum"), u("Datum")},
        {u("lblTerminBezeichnung"), u("Bezeichnung")},
        {u("optEintragenIn_0"), u("Termin")},
        {u("optEintragenIn_1"), u("Notiz")},
        {u("lblTerminVon"), u("Von")},
        {u("lblTerminBis"), u("Bis")},
        {u("lblTerminOrt"), u("Ort")},
        {u("frmVerbürgteAnwendung"), u("verbürgte Anwendung")},
        {u("cmdTAppErzeugen"), u("Erzeugen")},
        {u("cmdTAppLöschen"), u("Löschen")},
        {u("lblPfadZurDatenbank"), u("Pfad zur Domain-Datenbank")},
        {u("cmdListAdressen"), u("System-Adressbuch auslesen")},
        {u("lblSystemAdressbuchEinträge"), u("System-Addressbuch Einträge")},
        {u("cmdAdresseWählen"), u("-->")},
        {u("cmdAdresseEntfernen"), u("<--")},
        {u("cmdAlleAdressen"), u("Alle wählen")},
        {u("lblGewählteAdressen"), u("Gewählte Adressen")},
        {u("cmdBenutzerSpeichern"), u("Benutzerliste speichern")},
        {u("frmAnmeldeInfo"), u("Anmelde Information")},
        {u("Label1"), u("Object:")},
        {u("lblPfadZumHost"), u("Pfad zum Host:")},
        {u("lblTCPIP"), u("TCP/IP Addresse:")},
        {u("lblPort"), u("TCP/IP Port:")},
        {u("frmeintragen"), u("Feiertage für ausgewählte Benutzer eintragen")},
        {u("cmdEintragen"), u("Eintragen")},
        {u("frmverarbeitung"), u("Verarbeitung")},
        {u("lblName"), u("Name")},
        {u("lblDatum"), u("Datum")},
        {u("lblBezeichnung"), u("Bezeichnung")},
        {u("frmdefinitionsdatei"), u("Definitionsdatei")},
        {u("lblDefinitionsdatei"), u("Definitionsdatei für Remote User")},
        {u("cmdDefinitionsDatei"), u("Datei erzeugen")},
        {u("frmTermineLöschen"), u("Löschen")},
        {u("lblTermineLöschen"), u("Alle Termine die von Marvolingen eingetragen wurden löschen.")},
        {u("cmddeleteall"), u("Marvolingen Termine löschen")},
        {u("chkFeiertage_0"), u("Neujahr")},
        {u("chkFeiertage_1"), u("Karfreitag")},
        {u("chkFeiertage_2"), u("Ostersonntag")},
        {u("chkFeiertage_3"), u("Ostermontag")},
        {u("chkFeiertage_4"), u("Tag der Arbeit")},
        {u("chkFeiertage_5"), u("Christi Himmelfahrt")},
        {u("chkFeiertage_6"), u("Pfingstsonntag")},
        {u("chkFeiertage_7"), u("Pfingstmontag")},
        {u("chkFeiertage_8"), u("Fronleichnam")},
        {u("chkFeiertage_9"), u("Tag der Deutschen Einheit")},
        {u("chkFeiertage_10"), u("1. Weihnachtstag")},
        {u("chkFeiertage_11"), u("2. Weihnachstag")},
    };
    return table;
}

const CaptionList& tabCaptions() {
    static const CaptionList list{
        {u("Liste"), u("Jahresüberblick"), u("Einstellungen"), u("Benutzer"), u("Aktion")},
        {u("List"), u("Year overview"), u("Options"), u("User"), u("Action")}};
    return list;
}

const CaptionList& dayColumnCaptions() {
    static const CaptionList list{{u("Datum"), u("Bezeichnung"), u("Zeit"), u("Ort")},
                                  {u("Date"), u("Designation"), u("Time"), u("Place")}};
    return list;
}

const CaptionList& addressColumnCaptions() {
    static const CaptionList list{{u("Name"), u("Typ"), u("Domain"), u("PostOffice")},
                                  {u("Name"), u("Type"), u("Domain"), u("PostOffice")}};
    return list;
}

const CaptionList& processingColumnCaptions() {
    static const CaptionList list{{u("UserID"), u("Login"), u("Eintrag")},
                                  {u("UserID"), u("Login"), u("Entry")}};
    return list;
}

const CaptionList& weekdayInitials() {
    static const CaptionList list{QString::fromUtf8("S M D M D F S").split(QLatin1Char(' ')),
                                  QString::fromUtf8("S M T W T F S").split(QLatin1Char(' '))};
    return list;
}

const CaptionList& monthNames() {
    static const CaptionList list{
        u("Januar Februar März April Mai Juni Juli August September Oktober November Dezember")
            .split(QLatin1Char(' ')),
        u("January February March April May June July August September October November "
          "December")
            .split(QLatin1Char(' '))};
    return list;
}

const QStringList& designedFurtherDayColumns() {
    static const QStringList list{u("Datum"), u("Bezeichnung"), u("Uhrzeit"), u("Ort")};
    return list;
}

QString windowCaption(Language language) {
    return language == Language::English ? u("Define holidays") : u("Feiertage festlegen");
}

QString windowCaptionWithYear(Language language, const QString& year) {
    return (language == Language::English ? u("Define Holidays (") : u("Feiertage festlegen (")) +
           year + u(")");
}

} // namespace mv
