#pragma once

#include "settings/settings.h"

#include <QString>

namespace mv {

class ProfileFile;

// The section "GroupWise" of Feiertage.ini: the post office the logins reach, the
// GroupWise version that picks the write run, and the enciphered trusted-application key.

inline constexpr const char* kVersion65 = "GW65";   // GroupWise 6.5 to 7.01
inline constexpr const char* kVersion702 = "GW702"; // 7.02 and later, also when missing
inline constexpr const char* kNoKey = "12345";      // the key when none was ever created
inline constexpr const char* kKeyDeletedValue = "Anwendung nicht definiert"; // in plain

// "IPAdresse" and "IPPort".
struct GroupWiseConnection {
    QString address;
    QString port;
};

// How many characters of "IPAdresse" and "IPPort" a reader takes.
struct ConnectionLimits {
    int address = 0;
    int port = 0;
};
// The settings load keeps the values for the address-book login; the write run passes
// them cut shorter in its login options.
inline constexpr ConnectionLimits kConnectionAtLoad{256, 256};
inline constexpr ConnectionLimits kConnectionInWriteRun{29, 9};

GroupWiseConnection readGroupWiseConnection(const ProfileFile& file, ConnectionLimits limits);
// Writes the address, then the port; stops at the first failing write.
SaveResult writeGroupWiseConnection(ProfileFile& file, const GroupWiseConnection& connection);

// "Version" as stored, kVersion702 when missing.
QString readGroupWiseVersion(const ProfileFile& file);
SaveResult writeGroupWiseVersion(ProfileFile& file, const QString& version);

// "Schlüssel" as stored (enciphered), kNoKey when missing.
QString readStoredKey(const ProfileFile& file);
SaveResult writeStoredKey(ProfileFile& file, const QString& enciphered);
// Leaves kKeyDeletedValue in place of the key.
SaveResult removeStoredKey(ProfileFile& file);

} // namespace mv
