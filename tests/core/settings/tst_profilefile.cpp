#include "settings/codepage.h"
#include "settings/profilefile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <sys/resource.h>
#include <unistd.h>

using namespace mv;
using namespace Qt::StringLiterals;

namespace {

const QChar kNul(0);
const QChar kBel(7);

QByteArray readBytes(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeBytes(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(f.write(bytes), bytes.size());
}

} // namespace

class TestProfileFile : public QObject {
    Q_OBJECT
private slots:
    void init();
    void readKey_data();
    void readKey();
    void readKeyCutsToNMinusOne_data();
    void readKeyCutsToNMinusOne();
    void missingFileGivesDefaults();
    void readSectionLinesEndWithNul();
    void readSectionWhole();
    void utf8BomFile();
    void writeKeyCreatesFileAndSectionWithCrLf();
    void writeKeyReplacesKeepingOtherLines();
    void writeKeyCp1252Umlauts();
    void writeRefusesWhatWouldNotReadBack_data();
    void writeRefusesWhatWouldNotReadBack();
    void deleteSection();
    void replaceSectionInOneWrite();
    void writeSectionKeepsPosition();
    void emptyBlockLeavesEmptySection();
    void writeIntoMissingFolderFails();
    void readOnlyFolderKeepsOldFile();
    void failedWriteKeepsOldFile();
    void malformedFixture();

private:
    QTemporaryDir dir_;
    QString path_;
};

void TestProfileFile::init() {
    path_ = dir_.filePath(QStringLiteral("Feiertage.ini"));
    QFile::remove(path_);
}

// A small file with the shapes the platform accepts: LF and CR LF, blanks around names
// and values, case differences, duplicates.
void TestProfileFile::readKey_data() {
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("expected");
    QTest::newRow("exact") << "GroupWise"
                           << "Version"
                           << "GW65";
    QTest::newRow("section case") << "groupwise"
                                  << "Version"
                                  << "GW65";
    QTest::newRow("key case") << "GROUPWISE"
                              << "VERSION"
                              << "GW65";
    QTest::newRow("umlaut key, other case") << "GroupWise"
                                            << "SCHLÜSSEL"
                                            << "abc;xyz";
    QTest::newRow("blanks around name and value") << "Einstellungen"
                                                  << "Standardtermin Ort"
                                                  << "Raum 1";
    QTest::newRow("empty value is not the default") << "Einstellungen"
                                                    << "Sprache"
                                                    << "";
    QTest::newRow("first duplicate key wins") << "Feiertage"
                                              << "Jahr"
                                              << "2011";
    QTest::newRow("first duplicate section wins") << "Feiertage"
                                                  << "alsNotiz"
                                                  << "1";
    QTest::newRow("key only in second duplicate section") << "Feiertage"
                                                          << "Land"
                                                          << "def";
    QTest::newRow("line without = is no key") << "Feiertage"
                                              << "nur Text"
                                              << "def";
    QTest::newRow("commented key") << "Feiertage"
                                   << "Definition"
                                   << "def";
    QTest::newRow("missing section") << "Nirgends"
                                     << "Jahr"
                                     << "def";
    QTest::newRow("missing key") << "GroupWise"
                                 << "IPPort"
                                 << "def";
    QTest::newRow("value with = inside") << "GroupWise"
                                         << "IPAdresse"
                                         << "a=b";
    QTest::newRow("last line without line end") << "Ende"
                                                << "Letzte"
                                                << "zuletzt";
}

void TestProfileFile::readKey() {
    QFETCH(QString, section);
    QFETCH(QString, key);
    QFETCH(QString, expected);
    writeBytes(path_, "[GroupWise]\r\n"
                      "Version=GW65\n"
                      "Schl\xFCssel=abc;xyz\r\n"
                      "IPAdresse=a=b\r\n"
                      "  [ Einstellungen ]  \r\n"
                      "  Standardtermin Ort  =  Raum 1 \t\r\n"
                      "Sprache=\r\n"
                      "[Feiertage]\r\n"
                      "Jahr=2011\r\n"
                      "JAHR=2012\r\n"
                      "alsNotiz=1\r\n"
                      "nur Text\r\n"
                      ";Definition=000000000000\r\n"
                      "[feiertage]\r\n"
                      "alsNotiz=0\r\n"
                      "Land=USA\r\n"
                      "[Ende]\r\n"
                      "Letzte=zuletzt");
    QCOMPARE(ProfileFile(path_).readKey(section, key, QStringLiteral("def"), 300), expected);
}

void TestProfileFile::readKeyCutsToNMinusOne_data() {
    QTest::addColumn<QString>("key");
    QTest::addColumn<int>("n");
    QTest::addColumn<QString>("expected");
    QTest::newRow("stored value cut") << "Jahr" << 5 << "2011";
    QTest::newRow("stored value fits") << "Kurz" << 5 << "ab";
    QTest::newRow("default cut as well") << "Fehlt" << 3 << "de";
    QTest::newRow("n = 1 gives empty") << "Jahr" << 1 << "";
    QTest::newRow("n = 0 gives empty") << "Jahr" << 0 << "";
    QTest::newRow("negative n gives empty") << "Jahr" << -5 << "";
}

void TestProfileFile::readKeyCutsToNMinusOne() {
    QFETCH(QString, key);
    QFETCH(int, n);
    QFETCH(QString, expected);
    writeBytes(path_, "[Feiertage]\r\nJahr=201199\r\nKurz=ab\r\n");
    QCOMPARE(ProfileFile(path_).readKey(u"Feiertage"_s, key, u"default"_s, n), expected);
}

void TestProfileFile::missingFileGivesDefaults() {
    ProfileFile f(dir_.filePath(u"nope.ini"_s));
    QCOMPARE(f.readKey(u"GroupWise"_s, u"Version"_s, u"GW702"_s, 257), QStringLiteral("GW702"));
    QCOMPARE(f.readSection(u"User"_s), QString());
    QCOMPARE(f.deleteSection(u"User"_s), 1);
    QVERIFY(!QFile::exists(dir_.filePath(u"nope.ini"_s))); // deleting nothing creates nothing
}

void TestProfileFile::readSectionLinesEndWithNul() {
    writeBytes(path_, "[Weitere Tage]\r\n"
                      "24.12.*\aHeiligabend\a07:00 - 20:00\a\r\n"
                      "\r\n"
                      "; comment\r\n"
                      "31.12.2011\aSilvester\aNote\a\a\n"
                      " key = value \r\n"
                      "[User]\r\n"
                      "u1\aUser\r\n");
    const QString expected = QStringLiteral("24.12.*") + kBel + u"Heiligabend"_s + kBel +
                             u"07:00 - 20:00"_s + kBel + kNul + u"31.12.2011"_s + kBel +
                             u"Silvester"_s + kBel + u"Note"_s + kBel + kBel + kNul +
                             u"key = value"_s + kNul;
    QCOMPARE(ProfileFile(path_).readSection(u"weitere tage"_s), expected);
    QCOMPARE(ProfileFile(path_).readSection(u"USER"_s),
             QStringLiteral("u1") + kBel + u"User"_s + kNul);
    QCOMPARE(ProfileFile(path_).readSection(u"Nirgends"_s), QString());
}

void TestProfileFile::readSectionWhole() {
    // 20,000 short rows and a few rows of 9,000 characters: far beyond the platform's
    // 32,000-character buffer, and every one of them must come back.
    QByteArray content = "[User]\r\n";
    QString expected;
    for (int i = 0; i < 20000; ++i) {
        const QByteArray line = QByteArray::number(10000 + i) + "\aUser\aDom\aPO";
        content += line + "\r\n";
        expected += QString::fromLatin1(line) + kNul;
    }
    content += "[Weitere Tage]\r\n";
    QString long9k;
    for (int i = 0; i < 8; ++i) {
        const QByteArray line = "24.12.*\a" + QByteArray(9000, char('a' + i));
        content += line + "\r\n";
        long9k += QString::fromLatin1(line) + kNul;
    }
    writeBytes(path_, content);
    QCOMPARE(ProfileFile(path_).readSection(u"User"_s), expected);
    QCOMPARE(ProfileFile(path_).readSection(u"Weitere Tage"_s), long9k);
}

void TestProfileFile::utf8BomFile() {
    writeBytes(path_,
               "\xEF\xBB\xBF[GroupWise]\r\nSchl\xC3\xBCssel=\xE2\x82\xAC\xD0\x96\r\nA=b\r\n");
    ProfileFile f(path_);
    QCOMPARE(f.readKey(u"GroupWise"_s, u"Schlüssel"_s, u""_s, 10), QStringLiteral("€Ж"));
    // A write keeps the file UTF-8 and keeps what Windows-1252 could not hold.
    QCOMPARE(f.writeKey(u"GroupWise"_s, u"A"_s, u"ä"_s), 1);
    QCOMPARE(readBytes(path_), QByteArray("\xEF\xBB\xBF[GroupWise]\r\nSchl\xC3\xBCssel=\xE2\x82\xAC"
                                          "\xD0\x96\r\nA=\xC3\xA4\r\n"));
}

void TestProfileFile::writeKeyCreatesFileAndSectionWithCrLf() {
    ProfileFile f(path_);
    QCOMPARE(f.writeKey(u"Feiertage"_s, u"Jahr"_s, u"2011"_s), 1);
    QCOMPARE(f.writeKey(u"Einstellungen"_s, u"Sprache"_s, u"Deutsch"_s), 1);
    QCOMPARE(f.writeKey(u"Feiertage"_s, u"alsNotiz"_s, u"0"_s), 1);
    QCOMPARE(readBytes(path_), QByteArray("[Feiertage]\r\nJahr=2011\r\nalsNotiz=0\r\n\r\n"
                                          "[Einstellungen]\r\nSprache=Deutsch\r\n"));
    QCOMPARE(QFile::permissions(path_) & (QFile::ReadOther | QFile::ReadGroup),
             QFileDevice::Permissions());
}

void TestProfileFile::writeKeyReplacesKeepingOtherLines() {
    const QByteArray before = "; Kopf\r\n"
                              "lose Zeile\r\n"
                              "[Feiertage]\r\n"
                              "  jahr = 1999\r\n"
                              "Unbekannt=bleibt \r\n"
                              "\xA0\x81 Junk \x8D\r\n"
                              "\r\n"
                              "[User]\r\n"
                              "u\aUser\r\n";
    writeBytes(path_, before);
    ProfileFile f(path_);
    QCOMPARE(f.writeKey(u"FEIERTAGE"_s, u"Jahr"_s, u"2011"_s), 1);
    QCOMPARE(f.writeKey(u"Feiertage"_s, u"Neu"_s, u" x "_s), 1);
    QCOMPARE(readBytes(path_), QByteArray("; Kopf\r\n"
                                          "lose Zeile\r\n"
                                          "[Feiertage]\r\n"
                                          "Jahr=2011\r\n"
                                          "Unbekannt=bleibt \r\n"
                                          "\xA0\x81 Junk \x8D\r\n"
                                          "Neu= x \r\n"
                                          "\r\n"
                                          "[User]\r\n"
                                          "u\aUser\r\n"));
    QCOMPARE(f.readKey(u"Feiertage"_s, u"neu"_s, u""_s, 10), QStringLiteral("x"));
}

void TestProfileFile::writeKeyCp1252Umlauts() {
    ProfileFile f(path_);
    QCOMPARE(f.writeKey(u"GroupWise"_s, u"Schlüssel"_s, u"Anwendung nicht definiert"_s), 1);
    QCOMPARE(f.writeKey(u"Einstellungen"_s, u"Land"_s, u"Östereich"_s), 1);
    const QByteArray bytes = readBytes(path_);
    QVERIFY(bytes.contains("Schl\xFCssel=Anwendung nicht definiert\r\n"));
    QVERIFY(bytes.contains("Land=\xD6stereich\r\n"));
    QCOMPARE(f.readKey(u"groupwise"_s, u"SCHLÜSSEL"_s, u"12345"_s, 249),
             QStringLiteral("Anwendung nicht definiert"));
    QCOMPARE(f.readKey(u"Einstellungen"_s, u"Land"_s, u""_s, 300), QStringLiteral("Östereich"));
}

void TestProfileFile::writeRefusesWhatWouldNotReadBack_data() {
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("value");
    QTest::newRow("line feed in value") << "Feiertage"
                                        << "Jahr"
                                        << "2011\n[GroupWise]";
    QTest::newRow("carriage return in value") << "Feiertage"
                                              << "Jahr"
                                              << "20\r11";
    QTest::newRow("NUL in value") << "Feiertage"
                                  << "Jahr" << u"20"_s + kNul + u"11"_s;
    QTest::newRow("= in key") << "Feiertage"
                              << "a=b"
                              << "x";
    QTest::newRow("empty key") << "Feiertage"
                               << " "
                               << "x";
    QTest::newRow("comment key") << "Feiertage"
                                 << ";x"
                                 << "x";
    QTest::newRow("] in section") << "Fei]ertage"
                                  << "Jahr"
                                  << "x";
    QTest::newRow("empty section") << ""
                                   << "Jahr"
                                   << "x";
}

void TestProfileFile::writeRefusesWhatWouldNotReadBack() {
    QFETCH(QString, section);
    QFETCH(QString, key);
    QFETCH(QString, value);
    const QByteArray before = "[Feiertage]\r\nJahr=1999\r\n";
    writeBytes(path_, before);
    ProfileFile f(path_);
    QCOMPARE(f.writeKey(section, key, value), 0);
    QCOMPARE(readBytes(path_), before);
    // Section lines: line breaks and lines that read as headers or comments.
    for (const QString& bad : {QStringLiteral("a\nb"), QStringLiteral("[x]y"),
                               QStringLiteral(" ;c"), QStringLiteral("  ")}) {
        QCOMPARE(f.replaceSection(u"User"_s, bad + kNul + kNul), 0);
        QCOMPARE(f.writeSection(u"User"_s, bad + kNul + kNul), 0);
    }
    QCOMPARE(readBytes(path_), before);
}

void TestProfileFile::deleteSection() {
    writeBytes(path_, "[User]\r\na\ab\r\n\r\n[Feiertage]\r\nJahr=2011\r\n[user]\r\nc\ad\r\n");
    ProfileFile f(path_);
    QCOMPARE(f.deleteSection(u"User"_s), 1);
    QCOMPARE(readBytes(path_), QByteArray("[Feiertage]\r\nJahr=2011\r\n"));
    QCOMPARE(f.readSection(u"User"_s), QString());
}

void TestProfileFile::replaceSectionInOneWrite() {
    writeBytes(path_, "[Weitere Tage]\r\nalt1\ax\r\nalt2\ax\r\n\r\n[Feiertage]\r\nJahr=2011\r\n"
                      "[weitere tage]\r\ndoppelt\ax\r\n");
    ProfileFile f(path_);
    const QString block = QStringLiteral("neu1\ay") + kNul + u"neu2\ay"_s + kNul + kNul;
    QCOMPARE(f.replaceSection(u"Weitere Tage"_s, block), 1);
    QCOMPARE(readBytes(path_), QByteArray("[Weitere Tage]\r\nneu1\ay\r\nneu2\ay\r\n\r\n"
                                          "[Feiertage]\r\nJahr=2011\r\n"));
    QCOMPARE(f.readSection(u"Weitere Tage"_s), block.chopped(1));
    // Everything after the closing NUL is not part of the block.
    QCOMPARE(f.replaceSection(u"Weitere Tage"_s, QStringLiteral("a\ab") + kNul + kNul + u"junk"_s),
             1);
    QCOMPARE(f.readSection(u"Weitere Tage"_s), QStringLiteral("a\ab") + kNul);
}

void TestProfileFile::writeSectionKeepsPosition() {
    writeBytes(path_, "[User]\r\nalt\ax\r\n[Feiertage]\r\nJahr=2011\r\n");
    ProfileFile f(path_);
    QCOMPARE(f.writeSection(u"user"_s, QStringLiteral("u\aUser") + kNul + kNul), 1);
    QCOMPARE(readBytes(path_), QByteArray("[User]\r\nu\aUser\r\n[Feiertage]\r\nJahr=2011\r\n"));
    QCOMPARE(f.writeSection(u"Neu"_s, QStringLiteral("k=v") + kNul + kNul), 1);
    QCOMPARE(f.readKey(u"Neu"_s, u"k"_s, u""_s, 5), QStringLiteral("v"));
}

void TestProfileFile::emptyBlockLeavesEmptySection() {
    writeBytes(path_, "[Weitere Tage]\r\na\ab\r\n");
    ProfileFile f(path_);
    QCOMPARE(f.replaceSection(u"Weitere Tage"_s, QString(kNul)), 1);
    QCOMPARE(readBytes(path_), QByteArray("[Weitere Tage]\r\n"));
    QCOMPARE(f.readSection(u"Weitere Tage"_s), QString());
}

void TestProfileFile::writeIntoMissingFolderFails() {
    ProfileFile f(dir_.filePath(u"fehlt/Feiertage.ini"_s));
    QCOMPARE(f.writeKey(u"Feiertage"_s, u"Jahr"_s, u"2011"_s), 0);
    QCOMPARE(f.replaceSection(u"User"_s, QString(kNul)), 0);
    QCOMPARE(f.writeSection(u"User"_s, QString(kNul)), 0);
}

void TestProfileFile::readOnlyFolderKeepsOldFile() {
    if (geteuid() == 0)
        QSKIP("root may write into a read-only folder");
    QTemporaryDir ro;
    const QString path = ro.filePath(u"Feiertage.ini"_s);
    const QByteArray before = "[Feiertage]\r\nJahr=1999\r\n";
    writeBytes(path, before);
    QVERIFY(QFile::setPermissions(ro.path(), QFile::ReadOwner | QFile::ExeOwner));
    ProfileFile f(path);
    const int key = f.writeKey(u"Feiertage"_s, u"Jahr"_s, u"2011"_s);
    const int section = f.replaceSection(u"User"_s, QString(kNul));
    QFile::setPermissions(ro.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QCOMPARE(key, 0);
    QCOMPARE(section, 0);
    QCOMPARE(readBytes(path), before);
}

void TestProfileFile::failedWriteKeepsOldFile() {
    QByteArray before = "[Feiertage]\r\nJahr=1999\r\n";
    writeBytes(path_, before);
    struct rlimit saved {};
    QCOMPARE(getrlimit(RLIMIT_FSIZE, &saved), 0);
    auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit small = saved;
    small.rlim_cur = before.size() + 8;
    QCOMPARE(setrlimit(RLIMIT_FSIZE, &small), 0);
    ProfileFile f(path_);
    const int key = f.writeKey(u"Feiertage"_s, u"Definition speichern unter"_s, QString(200, u'x'));
    const int section = f.replaceSection(u"User"_s, QString(300, u'u') + kNul + kNul);
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);
    QCOMPARE(key, 0);
    QCOMPARE(section, 0);
    QCOMPARE(readBytes(path_), before);
    QCOMPARE(QDir(dir_.path()).entryList(QDir::Files | QDir::Hidden),
             QStringList{u"Feiertage.ini"_s});
}

void TestProfileFile::malformedFixture() {
    const QString fixture = QStringLiteral(MV_FIXTURES "/malformed.ini");
    const QByteArray original = readBytes(fixture);
    QVERIFY(!original.isEmpty());
    writeBytes(path_, original);
    ProfileFile f(path_);
    QCOMPARE(f.readKey(u"Feiertage"_s, u"Jahr"_s, u"x"_s, 5), QStringLiteral("2011"));
    QCOMPARE(f.readKey(u"GroupWise"_s, u"Version"_s, u"x"_s, 257), QStringLiteral("GW65"));
    QCOMPARE(f.readKey(u"[kaputt"_s, u"a"_s, u"x"_s, 5), QStringLiteral("x"));
    const QString users = f.readSection(u"User"_s);
    QVERIFY(users.startsWith(QStringLiteral("u1\aUser\aDom\aPO") + kNul));
    QVERIFY(users.endsWith(kNul));
    // A write changes its one line; every other byte stays, line ends become CR LF.
    QCOMPARE(f.writeKey(u"Feiertage"_s, u"Jahr"_s, u"2012"_s), 1);
    QByteArray expected = original;
    expected.replace("\r\n", "\n").replace("\n", "\r\n");
    if (!expected.endsWith("\r\n"))
        expected += "\r\n";
    expected.replace("Jahr = 2011", "Jahr=2012");
    QCOMPARE(readBytes(path_), expected);
}

QTEST_GUILESS_MAIN(TestProfileFile)
#include "tst_profilefile.moc"
