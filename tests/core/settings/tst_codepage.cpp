#include "settings/codepage.h"

#include <QFile>
#include <QStringDecoder>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <sys/resource.h>

using namespace mv;

class TestCodepage : public QObject {
    Q_OBJECT
private slots:
    void everyByteRoundTrips();
    void agreesWithQtDecoder();
    void unmappableBecomesQuestionMark_data();
    void unmappableBecomesQuestionMark();
    void atomicWriteNewFileOwnerOnly();
    void atomicWriteKeepsPermissionsOfExistingFile();
    void atomicWriteMissingFolderFails();
    void atomicWriteFailureKeepsOldFile();
};

void TestCodepage::everyByteRoundTrips() {
    QByteArray all;
    for (int i = 0; i < 256; ++i)
        all.append(char(i));
    const QString text = fromCp1252(all);
    QCOMPARE(text.size(), 256);
    QCOMPARE(toCp1252(text), all);
}

void TestCodepage::agreesWithQtDecoder() {
    QStringDecoder qt("windows-1252");
    QVERIFY(qt.isValid());
    QByteArray all;
    for (int i = 0; i < 256; ++i)
        all.append(char(i));
    QCOMPARE(fromCp1252(all), QString(qt.decode(all)));
    QCOMPARE(fromCp1252("Schl\xFC"
                        "ssel \x80"),
             QStringLiteral("Schlüssel €"));
}

void TestCodepage::unmappableBecomesQuestionMark_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("cyrillic") << QStringLiteral("aЖb") << QByteArray("a?b");
    QTest::newRow("surrogate pair is one character") << QStringLiteral("a😀b") << QByteArray("a?b");
    QTest::newRow("lone surrogate") << QString(QChar(0xD800)) << QByteArray("?");
    QTest::newRow("umlauts and euro")
        << QStringLiteral("Östereich €") << QByteArray("\xD6stereich \x80");
}

void TestCodepage::unmappableBecomesQuestionMark() {
    QFETCH(QString, text);
    QFETCH(QByteArray, bytes);
    QCOMPARE(toCp1252(text), bytes);
}

void TestCodepage::atomicWriteNewFileOwnerOnly() {
    QTemporaryDir dir;
    const QString path = dir.filePath("new.ini");
    QVERIFY(atomicWrite(path, "a\r\n", true));
    QFile f(path);
    QCOMPARE(f.permissions() &
                 (QFile::ReadGroup | QFile::ReadOther | QFile::WriteGroup | QFile::WriteOther),
             QFileDevice::Permissions());
    QVERIFY(f.permissions() & QFile::ReadOwner);
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.readAll(), QByteArray("a\r\n"));
}

void TestCodepage::atomicWriteKeepsPermissionsOfExistingFile() {
    QTemporaryDir dir;
    const QString path = dir.filePath("old.txt");
    QVERIFY(atomicWrite(path, "old", false));
    const auto perms = QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther;
    QVERIFY(QFile::setPermissions(path, perms));
    QVERIFY(atomicWrite(path, "new", true));
    QCOMPARE(QFile::permissions(path) & ~(QFile::ReadUser | QFile::WriteUser),
             perms & ~(QFile::ReadUser | QFile::WriteUser));
}

void TestCodepage::atomicWriteMissingFolderFails() {
    QTemporaryDir dir;
    QVERIFY(!atomicWrite(dir.filePath("missing/x.ini"), "x"));
    QVERIFY(!QFile::exists(dir.filePath("missing")));
}

void TestCodepage::atomicWriteFailureKeepsOldFile() {
    // A file size limit makes the write fail halfway, even for root.
    QTemporaryDir dir;
    const QString path = dir.filePath("keep.ini");
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
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"keep.ini"});
}

QTEST_GUILESS_MAIN(TestCodepage)
#include "tst_codepage.moc"
