#include "settings/gwsettings.h"

#include "settings/profilefile.h"

namespace mv {

namespace {

const QString kSection = QStringLiteral("GroupWise");
const QString kAddress = QStringLiteral("IPAdresse");
const QString kPort = QStringLiteral("IPPort");
const QString kVersion = QStringLiteral("Version");
const QString kKey = QStringLiteral("Schlüssel");

constexpr int kVersionLength = 256;
constexpr int kKeyLength = 248;

// The profile read takes the buffer size, one more than the characters it gives back.
QString read(const ProfileFile& file, const QString& key, const QString& def, int length) {
    return file.readKey(kSection, key, def, length + 1);
}

SaveResult write(ProfileFile& file, const QString& key, const QString& value) {
    const int code = file.writeKey(kSection, key, value);
    if (code != 1)
        return SaveFailure{code, key};
    return {};
}

} // namespace

GroupWiseConnection readGroupWiseConnection(const ProfileFile& file, ConnectionLimits limits) {
    return {read(file, kAddress, QString(), limits.address),
            read(file, kPort, QString(), limits.port)};
}

SaveResult writeGroupWiseConnection(ProfileFile& file, const GroupWiseConnection& connection) {
    if (SaveResult r = write(file, kAddress, connection.address); !r)
        return r;
    return write(file, kPort, connection.port);
}

QString readGroupWiseVersion(const ProfileFile& file) {
    return read(file, kVersion, QString::fromLatin1(kVersion702), kVersionLength);
}

SaveResult writeGroupWiseVersion(ProfileFile& file, const QString& version) {
    return write(file, kVersion, version);
}

QString readStoredKey(const ProfileFile& file) {
    return read(file, kKey, QString::fromLatin1(kNoKey), kKeyLength);
}

SaveResult writeStoredKey(ProfileFile& file, const QString& enciphered) {
    return write(file, kKey, enciphered);
}

SaveResult removeStoredKey(ProfileFile& file) {
    return write(file, kKey, QString::fromLatin1(kKeyDeletedValue));
}

} // namespace mv
