#pragma once

#include <QByteArray>
#include <QString>

namespace mv {

QString fromCp1252(const QByteArray& bytes);
QByteArray toCp1252(const QString& text); // unmappable characters become '?'

// Replaces a file atomically with the given bytes (temporary file beside it, then
// rename). New files get owner-only permissions when ownerOnly is set.
bool atomicWrite(const QString& path, const QByteArray& bytes, bool ownerOnly = false);

} // namespace mv
