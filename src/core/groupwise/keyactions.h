#pragma once

#include "groupwise/runsnotice.h"
#include "ui/environment.h"
#include "ui/messages.h"

#include <QString>
#include <optional>

namespace mv {

inline constexpr const char* kTrustedAppDescription = "QTX GmbH Marvolingen";
inline constexpr const char* kKeyDeletedValue = "Anwendung nicht definiert";
inline constexpr int kKeyAreaSize = 129;

struct KeyActionResult {
    int code = 0;                 // result code of the library function, 0 success
    int saveCode = 1;             // return value of the settings write (1 success) after code 0
    std::optional<Notice> notice; // the message box to show; none for a failure in a
                                  // language other than "Deutsch" and "English"
    bool ok() const { return code == 0 && saveCode == 1; }
};

// cmdTAppErzeugen: creates the trusted application in the domain database and stores the
// key enciphered under "GroupWise"/"Schlüssel" of Feiertage.ini in the program folder.
KeyActionResult CreateTrustedAppKey(const Environment& environment, const QString& domainPath,
                                    const MessageTable& messages, const QString& language);

// cmdTAppLöschen: deletes it with the stored key and stores "Anwendung nicht definiert".
KeyActionResult DeleteTrustedAppKey(const Environment& environment, const QString& domainPath,
                                    const MessageTable& messages, const QString& language);

// The failure reason of a library code by language ("Deutsch" or anything else = English);
// empty for codes without a reason.
QString createKeyReason(int code, bool german);
QString deleteKeyReason(int code, bool german);

// The failure message of a library code (OK only, no icon, title "Marvolingen"); none for
// a language other than "Deutsch" and "English".
std::optional<Notice> keyFailureNotice(bool creation, int code, const MessageTable& messages,
                                       const QString& language);

} // namespace mv
