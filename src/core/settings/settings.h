#pragma once

#include "calendar/dayentry.h"
#include "calendar/holidaytables.h"
#include "settings/addressrow.h"
#include "settings/codepage.h"
#include "ui/language.h"
#include "ui/result.h"

#include <QDate>

namespace mv {

class ProfileFile;

inline constexpr const char* kPassPhrase = "kav51KAV51";

// Everything the settings load puts into the program, with the defaults applied.
struct Settings {
    QString postOfficeAddress;
    QString postOfficePort;
    QString yearText;     // "Jahr" as read (caption and year field)
    int selectedYear = 0; // yearText as a whole number
    QString definitionPath;
    QString standardFrom, standardTo, standardPlace;
    QString holidayFrom, holidayTo, holidayPlace;
    bool holidayWholeDay = true; // "Darstellung 24h"
    bool standardWholeDay = false;
    bool standardActive = true;
    Language language = Language::German;
    Country country;
    DayList furtherDays;
    HolidayTables holidays = HolidayTables::withNames();
    QString storedMask; // "Definition" as read with the country's default
    bool asNote = false;
    AddressList users;
};

// Reads Feiertage.ini. A year that is no number counts as missing (today's year). A
// language other than "Deutsch" and "English" becomes "Deutsch"; a country without a
// table of its own keeps its stored mask (HolidayTables::loadFlags).
// "Darstellung 24h" = "1" sets the holiday times to "00:00" and "24:00" as its
// click does; "Standard 24h" likewise for the default appointment.
Settings LoadSettings(const ProfileFile& file, const QDate& today,
                      const QString& systemCountryCode);

// The values "Einstellungen speichern" writes, as texts from the controls.
struct SettingsToSave {
    QString yearText;
    QString mask; // 12 digits
    bool asNote = false;
    QString definitionPath;
    QString standardFrom, standardTo, standardPlace;
    QString holidayFrom, holidayTo, holidayPlace;
    bool holidayWholeDay = false, standardWholeDay = false, standardActive = false;
    Language language = Language::German;
    Country country;
    DayList furtherDays;
};

// A save of the settings file that did not get through.
struct SaveFailure {
    int code = 0; // the failing write's return value; 0 when a text was refused
    QString key;  // key (or section) of the failing write or of the refused text
    // A text the file's code page cannot hold: nothing was written; row is its row in the
    // section (0-based, else -1).
    std::optional<Unstorable> unstorable = std::nullopt;
    int row = -1;
};

using SaveResult = Result<void, SaveFailure>;

// Both saves refuse a text that Windows-1252 cannot hold before they write anything,
// naming the field in the language given.
SaveResult SaveSettings(ProfileFile& file, const SettingsToSave& s);
SaveResult SaveUsers(ProfileFile& file, const AddressList& users,
                     Language language = Language::German);

// Section blocks as stored: lines joined by BEL, each followed by NUL, then one NUL.
QString furtherDaysBlock(const DayList& rows);
QString usersBlock(const AddressList& rows);
AddressList usersFromBlock(const QString& block);

} // namespace mv
