#include "runs/runlog.h"

#include "files/safefile.h"
#include "settings/codepage.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>

namespace mv {

QString runLogFilePath(const Environment& environment, const QString& prefix, const QDateTime& at) {
    return environment.folderWithSeparator() + prefix +
           at.toString(QStringLiteral("dd.MM.yyyy H-m-s")) + QStringLiteral(".txt");
}

Result<QString> saveRunLog(const Environment& environment, const QString& prefix,
                           const QString& runLog) {
    const QString base = runLogFilePath(environment, prefix, environment.now());
    const QString stem = base.chopped(4);
    QTemporaryFile temp(stem + QStringLiteral(".XXXXXX.tmp"));
    const QByteArray bytes = toCp1252(runLog + QStringLiteral("\r\n"));
    if (!temp.open() || temp.write(bytes) != bytes.size() || !temp.flush() ||
        !temp.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                             QFileDevice::ReadGroup | QFileDevice::ReadOther))
        return fail(
            QStringLiteral("%1: %2").arg(QDir::toNativeSeparators(base), temp.errorString()));
    if (!syncFile(temp))
        return fail(
            QStringLiteral("%1: cannot be written to disk").arg(QDir::toNativeSeparators(base)));
    // rename never replaces an existing file, so a name is taken by exactly one run even when
    // two runs end in the same second.
    for (int n = 1; n < 1000; ++n) {
        const QString path = n == 1 ? base : stem + QStringLiteral(" (%1).txt").arg(n);
        if (QFileInfo::exists(path))
            continue;
        if (temp.rename(path)) {
            temp.setAutoRemove(false);
            syncFolder(QFileInfo(path).absolutePath());
            return path;
        }
        if (!QFileInfo::exists(path))
            return fail(
                QStringLiteral("%1: %2").arg(QDir::toNativeSeparators(path), temp.errorString()));
    }
    return fail(QStringLiteral("%1: no free name").arg(QDir::toNativeSeparators(base)));
}

} // namespace mv
