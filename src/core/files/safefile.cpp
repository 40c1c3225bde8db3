#include "files/safefile.h"

#include <QFile>
#include <QSaveFile>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace mv {

bool syncFile(QFileDevice& file) {
#ifdef Q_OS_UNIX
    return ::fsync(file.handle()) == 0;
#else
    Q_UNUSED(file);
    return true;
#endif
}

void syncFolder(const QString& folder) {
#ifdef Q_OS_UNIX
    const int fd = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
#else
    Q_UNUSED(folder);
#endif
}

namespace {

bool writeAll(QFileDevice& file, const QByteArray& bytes) {
    return file.write(bytes) == bytes.size();
}

// Truncates and writes the file itself: owner, group and mode stay as they are, but a
// crash meanwhile leaves a cut file. Only for files that cannot be replaced.
bool writeInPlace(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Unbuffered))
        return false;
    const bool ok = writeAll(file, bytes) && syncFile(file);
    file.close();
    return ok && file.error() == QFileDevice::NoError;
}

} // namespace

bool atomicWrite(const QString& path, const QByteArray& bytes, bool ownerOnly) {
    struct stat old {};
    const bool existed = ::stat(QFile::encodeName(path).constData(), &old) == 0;
    QSaveFile file(path);
    // A folder the user may not write (a shared one with a writable file in it) cannot
    // take the replacement beside the file; the file is then written in place.
    file.setDirectWriteFallback(true);
    // Unbuffered, so that a short write (file size limit, full disk) shows here: the
    // buffered path lets commit() succeed with a cut file.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return false;
    struct stat now {};
    if (::fstat(file.handle(), &now) != 0) {
        file.cancelWriting();
        return false;
    }
    const bool replacing = !existed || now.st_dev != old.st_dev || now.st_ino != old.st_ino;
    if (replacing && existed) {
        // The replacement takes the old file's owner, group and mode; where the user may
        // not give it that owner, the file is written in place instead.
        if ((now.st_uid != old.st_uid || now.st_gid != old.st_gid) &&
            ::fchown(file.handle(), old.st_uid, old.st_gid) != 0) {
            file.cancelWriting();
            return writeInPlace(path, bytes);
        }
        if (::fchmod(file.handle(), old.st_mode & 07777) != 0) {
            file.cancelWriting();
            return false;
        }
    }
    if (ownerOnly && !existed &&
        !file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner)) {
        file.cancelWriting();
        return false;
    }
    if (!writeAll(file, bytes)) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

} // namespace mv
