#pragma once

// Error numbers of the local GroupWise system (besides kErrNotInstalled, 429).
namespace mv::gw {

inline constexpr int kErrTrustedApp = 0xD101;   // no or wrong trusted-application credentials
inline constexpr int kErrUnknownUser = 0xD102;  // user ID not in the address book
inline constexpr int kErrPostOffice = 0xD103;   // no post office has that address or port
inline constexpr int kErrBadFilter = 0xD104;    // Find filter cannot be parsed
inline constexpr int kErrNoItem = 0xD105;       // index outside a collection
inline constexpr int kErrEntryGone = 0xD106;    // the entry was deleted
inline constexpr int kErrNotSupported = 0xD107; // attribute unknown to this version
inline constexpr int kErrBadValue = 0xD108;     // class, date or number out of range
inline constexpr int kErrStore = 0xD109;        // the domain database failed
inline constexpr int kErrExists = 0xD10A;       // a GroupWise system is already there
inline constexpr int kErrNoClientUser = 0xD10B; // the client has no user of its own

// Result codes of the trusted-application functions.
inline constexpr int kTAppOk = 0;
inline constexpr int kTAppNoDomain = 2;
inline constexpr int kTAppCannotCreate = 3;
inline constexpr int kTAppFieldError = 4;
inline constexpr int kTAppExists = 6;
inline constexpr int kTAppWrongKey = 8;
inline constexpr int kTAppNotDeleted = 10; // also: no such application

} // namespace mv::gw
