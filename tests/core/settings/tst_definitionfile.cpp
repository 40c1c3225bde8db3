#include "settings/definitionfile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

using namespace mv;
using namespace Qt::StringLiterals;

namespace {

QByteArray readBytes(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

DayList threeRows() {
    return {{u"01.01.2011"_s, u"Neujahr"_s, u"00:00 - 24:00"_s, u""_s},
            {u"24.12.2011"_s, u"Heiligabend"_s, u"Note"_s, u"Kirche"_s},
            {u"24.12.2011"_s, u"Geschäftsschluss"_s, u"12:00 - 24:00"_s, u"Büro"_s}};
}

const QByteArray kThreeLines = "01.01.2011\aNeujahr\r\n"
                               "24.12.2011\aHeiligabend\r\n"
                               "24.12.2011\aGesch\xE4"
                               "ftsschluss\r\n";

} // namespace

class TestDefinitionFile : public QObject {
    Q_OBJECT
private slots:
    void path_data();
    void path();
    void writesDateBelDesignation_data();
    void writesDateBelDesignation();
    void secondWriteReplaces();
    void emptyListGivesEmptyFile();
    void missingFolder_data();
    void missingFolder();
    void otherFailureIsWriteFailed();
};

void TestDefinitionFile::path_data() {
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QString>("path");
    QTest::newRow("without separator") << "/srv/remote"
                                       << "/srv/remote/Marvolingen.txt";
    QTest::newRow("with separator") << "/srv/remote/"
                                    << "/srv/remote/Marvolingen.txt";
    QTest::newRow("blanks trimmed") << "  /srv/remote  "
                                    << "/srv/remote/Marvolingen.txt";
    QTest::newRow("trailing backslash") << "/srv/remote\\"
                                        << "/srv/remote/Marvolingen.txt";
    QTest::newRow("default text") << "Pfad eingeben"
                                  << "Pfad eingeben/Marvolingen.txt";
}

void TestDefinitionFile::path() {
    QFETCH(QString, folder);
    QFETCH(QString, path);
    QCOMPARE(definitionFilePath(folder), path);
}

void TestDefinitionFile::writesDateBelDesignation_data() {
    QTest::addColumn<QString>("suffix");
    QTest::newRow("folder without separator") << "";
    QTest::newRow("folder with separator") << "/";
    QTest::newRow("folder with blanks") << "/  ";
}

void TestDefinitionFile::writesDateBelDesignation() {
    QFETCH(QString, suffix);
    QTemporaryDir dir;
    QVERIFY(writeDefinitionFile(dir.path() + suffix, threeRows()).ok());
    QCOMPARE(readBytes(dir.filePath(u"Marvolingen.txt"_s)), kThreeLines);
}

void TestDefinitionFile::secondWriteReplaces() {
    QTemporaryDir dir;
    QVERIFY(writeDefinitionFile(dir.path(), threeRows()).ok());
    QVERIFY(writeDefinitionFile(dir.path(), threeRows()).ok());
    QCOMPARE(readBytes(dir.filePath(u"Marvolingen.txt"_s)), kThreeLines);
    QVERIFY(writeDefinitionFile(
                dir.path(), {{u"03.10.2011"_s, u"Tag der Deutschen Einheit"_s, u"u"_s, u"_s"_s}})
                .ok());
    QCOMPARE(readBytes(dir.filePath(u"Marvolingen.txt"_s)),
             QByteArray("03.10.2011\aTag der Deutschen Einheit\r\n"));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden),
             QStringList{u"Marvolingen.txt"_s});
}

void TestDefinitionFile::emptyListGivesEmptyFile() {
    QTemporaryDir dir;
    QVERIFY(writeDefinitionFile(dir.path(), threeRows()).ok());
    QVERIFY(writeDefinitionFile(dir.path(), {}).ok());
    QVERIFY(QFile::exists(dir.filePath(u"Marvolingen.txt"_s)));
    QCOMPARE(readBytes(dir.filePath(u"Marvolingen.txt"_s)), QByteArray());
}

void TestDefinitionFile::missingFolder_data() {
    QTest::addColumn<QString>("folder");
    QTest::newRow("default text") << "Pfad eingeben";
    QTest::newRow("empty field") << "   ";
    QTest::newRow("missing sub folder") << "fehlt/tiefer";
    QTest::newRow("a file, not a folder") << "datei";
}

void TestDefinitionFile::missingFolder() {
    QFETCH(QString, folder);
    QTemporaryDir dir;
    QVERIFY(QDir::setCurrent(dir.path()));
    QFile f(u"datei"_s);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.close();
    const auto written = writeDefinitionFile(folder, threeRows());
    QVERIFY(!written.ok());
    QCOMPARE(written.failure(), DefinitionFileFailure::FolderMissing);
    QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
             QStringList{u"datei"_s});
    QVERIFY(QDir::setCurrent(QDir::tempPath()));
}

void TestDefinitionFile::otherFailureIsWriteFailed() {
    // The file name taken by a folder: the folder exists, the file cannot be written.
    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkdir(u"Marvolingen.txt"_s));
    const auto written = writeDefinitionFile(dir.path(), threeRows());
    QVERIFY(!written.ok());
    QCOMPARE(written.failure(), DefinitionFileFailure::WriteFailed);
    QVERIFY(QFileInfo(dir.filePath(u"Marvolingen.txt"_s)).isDir());
}

QTEST_GUILESS_MAIN(TestDefinitionFile)
#include "tst_definitionfile.moc"
