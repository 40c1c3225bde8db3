#include "files/safefile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <functional>
#include <grp.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

using namespace mv;

class TestSafeFile : public QObject {
    Q_OBJECT
private slots:
    void atomicWriteNewFileOwnerOnly();
    void atomicWriteKeepsPermissionsOfExistingFile();
    void atomicWriteMissingFolderFails();
    void atomicWriteFailureKeepsOldFile();
    void atomicWriteSharedFile_data();
    void atomicWriteSharedFile();
};

namespace {

constexpr uid_t kNobody = 65534;

// Runs write as the user nobody when the test runs as root, who may write anywhere.
bool asNobody(const std::function<bool()>& write) {
    if (geteuid() != 0)
        return write();
    const pid_t pid = fork();
    if (pid == 0) {
        if (setgroups(0, nullptr) != 0 || setgid(kNobody) != 0 || setuid(kNobody) != 0)
            _exit(2);
        _exit(write() ? 0 : 1);
    }
    int status = 0;
    return pid > 0 && waitpid(pid, &status, 0) == pid && WIFEXITED(status) &&
           WEXITSTATUS(status) == 0;
}

} // namespace

void TestSafeFile::atomicWriteNewFileOwnerOnly() {
    QTemporaryDir dir;
    const QString path = dir.filePath(u"new.ini"_s);
    QVERIFY(atomicWrite(path, "a\r\n", true));
    QFile f(path);
    QCOMPARE(f.permissions() &
                 (QFile::ReadGroup | QFile::ReadOther | QFile::WriteGroup | QFile::WriteOther),
             QFileDevice::Permissions());
    QVERIFY(f.permissions() & QFile::ReadOwner);
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.readAll(), QByteArray("a\r\n"));
}

void TestSafeFile::atomicWriteKeepsPermissionsOfExistingFile() {
    QTemporaryDir dir;
    const QString path = dir.filePath(u"old.txt"_s);
    QVERIFY(atomicWrite(path, "old", false));
    const auto perms = QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther;
    QVERIFY(QFile::setPermissions(path, perms));
    QVERIFY(atomicWrite(path, "new", true));
    QCOMPARE(QFile::permissions(path) & ~(QFile::ReadUser | QFile::WriteUser),
             perms & ~(QFile::ReadUser | QFile::WriteUser));
}

void TestSafeFile::atomicWriteMissingFolderFails() {
    QTemporaryDir dir;
    QVERIFY(!atomicWrite(dir.filePath(u"missing/x.ini"_s), "x"));
    QVERIFY(!QFile::exists(dir.filePath(u"missing"_s)));
}

void TestSafeFile::atomicWriteFailureKeepsOldFile() {
    // A file size limit makes the write fail halfway, even for root.
    QTemporaryDir dir;
    const QString path = dir.filePath(u"keep.ini"_s);
    const QByteArray old = "[GroupWise]\r\nVersion=GW702\r\n";
    QVERIFY(atomicWrite(path, old));
    struct rlimit saved {};
    QCOMPARE(getrlimit(RLIMIT_FSIZE, &saved), 0);
    auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit small = saved;
    small.rlim_cur = 64;
    QCOMPARE(setrlimit(RLIMIT_FSIZE, &small), 0);
    const bool written = atomicWrite(path, QByteArray(4096, 'x'));
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);
    QVERIFY(!written);
    QFile f(path);
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.readAll(), old);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{u"keep.ini"_s});
}

// A settings file that others share: the folder takes no new file from this user, or the
// file belongs to another owner and group.
void TestSafeFile::atomicWriteSharedFile_data() {
    QTest::addColumn<bool>("otherOwner");   // the file belongs to nobody:nobody, mode 0640
    QTest::addColumn<bool>("openFolder");   // folder mode 0777 instead of writable by root only
    QTest::addColumn<bool>("unprivileged"); // written by a user other than root
    QTest::newRow("writable file in a folder the user cannot write") << false << false << true;
    QTest::newRow("file of another owner and group") << true << false << false;
    QTest::newRow("another owner's file in an open folder") << false << true << true;
}

void TestSafeFile::atomicWriteSharedFile() {
    QFETCH(bool, otherOwner);
    QFETCH(bool, openFolder);
    QFETCH(bool, unprivileged);
    if ((otherOwner || openFolder) && geteuid() != 0)
        QSKIP("needs root to give the file or the writer another owner");
    QTemporaryDir dir;
    const QString path = dir.filePath(u"Feiertage.ini"_s);
    const QByteArray native = QFile::encodeName(path);
    const QByteArray folder = QFile::encodeName(dir.path());
    QVERIFY(atomicWrite(path, "old"));
    if (otherOwner) {
        QCOMPARE(::chown(native.constData(), kNobody, kNobody), 0);
        QCOMPARE(::chmod(native.constData(), 0640), 0);
    } else {
        QCOMPARE(::chmod(native.constData(), 0666), 0);
    }
    struct stat before {};
    QCOMPARE(::stat(native.constData(), &before), 0);
    // Root's folder is open to all but writable by root only; a user's by nobody.
    QCOMPARE(::chmod(folder.constData(), openFolder ? 0777 : geteuid() == 0 ? 0755 : 0555), 0);
    const QByteArray bytes = "[Feiertage]\r\nJahr=2012\r\n";
    const bool written = unprivileged ? asNobody([&] { return atomicWrite(path, bytes); })
                                      : atomicWrite(path, bytes);
    ::chmod(folder.constData(), 0700);
    QVERIFY(written);
    QFile f(path);
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.readAll(), bytes);
    struct stat after {};
    QCOMPARE(::stat(native.constData(), &after), 0);
    QCOMPARE(after.st_uid, before.st_uid);
    QCOMPARE(after.st_gid, before.st_gid);
    QCOMPARE(after.st_mode, before.st_mode);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden),
             QStringList{u"Feiertage.ini"_s});
}

QTEST_GUILESS_MAIN(TestSafeFile)
#include "tst_safefile.moc"
