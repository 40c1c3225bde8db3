#pragma once

#include "groupwise/runsnotice.h"
#include "ui/environment.h"
#include "ui/messages.h"
#include "ui/result.h"

#include <QString>

namespace mv {

inline constexpr const char* kTrustedAppDescription = "QTX GmbH Marvolingen";
inline constexpr int kKeyAreaSize = 129;

struct KeyActionFailure {
    int code = 0;     // result code of the library function; 0 when the settings write failed
    int saveCode = 1; // return value of the failing settings write
    Notice notice;    // the message box to show
};

// The success notice, or the failure.
using KeyActionResult = Result<Notice, KeyActionFailure>;

// The message box a key action ends with.
Notice keyActionNotice(const KeyActionResult& result);

// cmdTAppErzeugen: creates the trusted application in the domain database and stores the
// key enciphered under "GroupWise"/"Schlüssel" of Feiertage.ini in the program folder.
KeyActionResult CreateTrustedAppKey(const Environment& environment, const QString& domainPath,
                                    const MessageTable& messages, Language language);

// cmdTAppLöschen: deletes it with the stored key and stores "Anwendung nicht definiert".
KeyActionResult DeleteTrustedAppKey(const Environment& environment, const QString& domainPath,
                                    const MessageTable& messages, Language language);

// The failure reason of a library code, German or English;
// empty for codes without a reason.
QString createKeyReason(int code, bool german);
QString deleteKeyReason(int code, bool german);

// The failure message of a library code (OK only, no icon, title "Marvolingen").
Notice keyFailureNotice(bool creation, int code, const MessageTable& messages, Language language);

} // namespace mv
