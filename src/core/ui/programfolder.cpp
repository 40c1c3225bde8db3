#include "ui/programfolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <cstring>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#if !defined(MV_INSTALL_BINDIR) || !defined(MV_INSTALL_DATADIR)
#error "The install layout must be passed in as MV_INSTALL_BINDIR and MV_INSTALL_DATADIR"
#endif

namespace mv {

namespace {

constexpr QFile::Permissions kOwnerOnly = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner;

QString homeFromPasswd() {
    // cron and services may start us without HOME.
    if (const passwd* pw = getpwuid(getuid()); pw && pw->pw_dir)
        return QFile::decodeName(pw->pw_dir);
    return {};
}

} // namespace

ProgramFolderInput ProgramFolderInput::fromProcess() {
    ProgramFolderInput in;
    in.executableFolder = QCoreApplication::applicationDirPath();
    in.xdgConfigHome = qEnvironmentVariable("XDG_CONFIG_HOME");
    in.home = qEnvironmentVariable("HOME");
    if (in.home.isEmpty())
        in.home = homeFromPasswd();
    in.binDir = QStringLiteral(MV_INSTALL_BINDIR);
    in.dataDir = QStringLiteral(MV_INSTALL_DATADIR);
    return in;
}

QString installMarkerPath(const ProgramFolderInput& in) {
    const QString exe = QDir::cleanPath(in.executableFolder);
    QString dataDir;
    if (QDir::isAbsolutePath(in.binDir)) {
        if (exe != QDir::cleanPath(in.binDir) || !QDir::isAbsolutePath(in.dataDir))
            return {};
        dataDir = in.dataDir;
    } else {
        const QString bin = QDir::cleanPath(in.binDir);
        if (!QDir::isAbsolutePath(exe) || !exe.endsWith(QLatin1Char('/') + bin))
            return {};
        const QString prefix = exe.left(exe.size() - bin.size() - 1);
        dataDir =
            QDir::isAbsolutePath(in.dataDir) ? in.dataDir : prefix + QLatin1Char('/') + in.dataDir;
    }
    return QDir::cleanPath(dataDir + QStringLiteral("/marvolingen/installed"));
}

ProgramFolder resolveProgramFolder(const ProgramFolderInput& in) {
    const QString marker = installMarkerPath(in);
    if (marker.isEmpty() || !QFileInfo(marker).isFile())
        return {in.executableFolder, false};
    // A relative XDG_CONFIG_HOME is invalid and ignored, as the base directory rules say.
    QString base = in.xdgConfigHome;
    if (!QDir::isAbsolutePath(base)) {
        if (!QDir::isAbsolutePath(in.home))
            return {QString(), true};
        base = in.home + QStringLiteral("/.config");
    }
    return {QDir::cleanPath(base + QStringLiteral("/marvolingen")), true};
}

Result<void> prepareProgramFolder(const ProgramFolder& folder) {
    if (!folder.perUser)
        return {};
    if (folder.path.isEmpty())
        return fail(QStringLiteral("no home folder (HOME is not set)"));
    if (QFileInfo(folder.path).isDir())
        return {};
    // Missing parents as well, each private, as the base directory rules ask.
    QStringList missing;
    for (QString p = folder.path; !QFileInfo::exists(p); p = QFileInfo(p).path()) {
        missing.prepend(p);
        if (p == QFileInfo(p).path())
            break;
    }
    for (const QString& p : missing) {
        const QByteArray name = QFile::encodeName(p);
        if (::mkdir(name.constData(), 0700) != 0) {
            if (errno == EEXIST) // another start was quicker
                continue;
            return fail(QString::fromLocal8Bit(std::strerror(errno)));
        }
        // The umask may have taken bits away; the folder must stay usable by its owner.
        if (p == folder.path && !QFile::setPermissions(p, kOwnerOnly))
            return fail(QStringLiteral("cannot set the folder's permissions"));
    }
    if (!QFileInfo(folder.path).isDir())
        return fail(QStringLiteral("not a folder"));
    return {};
}

} // namespace mv
