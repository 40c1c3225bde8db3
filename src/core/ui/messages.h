#pragma once

#include "ui/language.h"

#include <QString>
#include <array>

namespace mv {

enum class Msg {
    ConfirmDeleteAll,
    ConfirmDeleteEntry,
    PleaseWait,
    SaveFailed,
    WillBeDeleted,
    EntryWritten,
    LoginOk,
    WriteRunHeader,
    DeleteRunHeader,
    EntryDeleted,
    EndBeforeStart,
    TimeInvalid,
    NoLogin,
    EntryNotDeleted,
    EntryNotWritten,
    FileCreated,
    FileNotCreated,
    NoUserSelected,
    TitleConfirm,
    TitleDateTime,
    TitleSettings,
    EnterDesignation,
    DateInvalid,
    TitleDesignation,
    SelectEntryFirst,
    KeyCreated,
    KeyNotCreated,
    KeyDeleted,
    KeyNotDeleted,
    YearRange,
    NoKey,
    NoGroupWise,
    Language,
    Country,
    Unstorable, // %1 the field, %2 the character
    // Removing a further day with a calendar server in place of GroupWise.
    ConfirmDeleteEntryServer,
    // The calendar server (CalDAV).
    CalDavInvalidUrl,          // followed by the URL
    CalDavPlainHttp,           // followed by the URL
    CalDavSchemeRefused,       // followed by the URL
    CalDavCaUnreadable,        // followed by the file
    CalDavCaNoCertificate,     // followed by the file
    CalDavOtherServer,         // followed by the URL
    CalDavRedirectOtherServer, // followed by the URL
    CalDavTooManyRedirects,
    CalDavTimeout,
    CalDavHttp401,
    CalDavHttp403,
    CalDavHttp404,
    CalDavHttp409,
    CalDavHttp412,
    CalDavHttp5xx,
    CalDavLoginRefused,
    CalDavNoAccount,
    CalDavNoEventCalendar,
    CalDavNotSent,
    CalDavDateUnreadable,
    CalDavForeignEntry,
    CalDavPasswordUnstorable,
    TitleUserList,
    // The calendar file (iCalendar).
    IcalDateUnreadable, // %1 the date, %2 the designation
    IcalTimeUnreadable, // %1 the time, %2 date and designation
    IcalNoFolder,       // %1 the file
    IcalFileNotWritten, // %1 the file, %2 the reason
    Count_
};

// The program's message texts in the language last applied; empty until then.
class MessageTable {
public:
    void fill(Language language);
    QString text(Msg m) const { return texts_[static_cast<int>(m)]; }
    QString operator[](Msg m) const { return text(m); }

    static QString german(Msg m);
    static QString english(Msg m);
    // For code that is given a language rather than a filled table.
    static QString in(Language language, Msg m);

private:
    std::array<QString, static_cast<int>(Msg::Count_)> texts_;
};

inline constexpr const char* kAppTitle = "Marvolingen";

} // namespace mv
