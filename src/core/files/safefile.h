#pragma once

#include <QByteArray>
#include <QFileDevice>
#include <QString>

namespace mv {

// Forces what was written to the file onto the disk.
bool syncFile(QFileDevice& file);

// Forces the folder's entries onto the disk, so that a file renamed into it stays there
// after a crash.
void syncFolder(const QString& folder);

// Replaces a file atomically with the given bytes (temporary file beside it, then
// rename); the replacement keeps owner, group and mode of the old file. Where the folder
// takes no new file, or the old owner cannot be kept, the file is written in place.
// New files get owner-only permissions when ownerOnly is set.
bool atomicWrite(const QString& path, const QByteArray& bytes, bool ownerOnly = false);

} // namespace mv
