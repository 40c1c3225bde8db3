#include "settings/codepage.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace {

struct Result {
    int code = -1;
    QString out;
    QString err;
    QByteArray rawOut;
};

Result cli(const QString& folder, const QStringList& args, const QByteArray& input = {}) {
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("LC_ALL", "C.UTF-8"); // no territory: English and USA unless stored
    p.setProcessEnvironment(env);
    p.start(MV_CLI, QStringList{"--folder", folder} + args);
    p.waitForStarted();
    if (!input.isNull())
        p.write(input);
    p.closeWriteChannel();
    p.waitForFinished(60000);
    Result r;
    r.code = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    r.rawOut = p.readAllStandardOutput();
    r.out = QString::fromUtf8(r.rawOut);
    r.err = QString::fromUtf8(p.readAllStandardError());
    return r;
}

void writeIni(const QString& folder, const QString& text) {
    QFile f(folder + "/Feiertage.ini");
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(mv::toCp1252(QString(text).replace("\n", "\r\n")));
}

} // namespace

class TestCli : public QObject {
    Q_OBJECT
private slots:
    void germanDefaultSelection() {
        QTemporaryDir dir;
        const Result r = cli(
            dir.path(), {"days", "--year", "2011", "--country", "Deutschland", "--format", "tsv"});
        QCOMPARE(r.code, 0);
        const QStringList lines = r.out.split('\n', Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 11);
        QCOMPARE(lines.first(), QString("01.01.2011\tNeujahr\t00:00 - 24:00\t"));
        QCOMPARE(lines.last(), QString("26.12.2011\tZweiter Weihnachtstag\t00:00 - 24:00\t"));
        QVERIFY(!r.out.contains("Fronleichnam"));
    }

    void usaExampleInDateOrder() {
        QTemporaryDir dir;
        const Result r =
            cli(dir.path(), {"days", "--year", "2010", "--country", "USA", "--format", "tsv"});
        QCOMPARE(r.code, 0);
        QStringList dates, names;
        for (const QString& line : r.out.split('\n', Qt::SkipEmptyParts)) {
            const QStringList f = line.split('\t');
            QCOMPARE(f.size(), 4);
            dates << f[0];
            names << f[1];
        }
        QCOMPARE(dates, (QStringList{"01.01.2010", "15.02.2010", "31.05.2010", "04.07.2010",
                                     "05.07.2010", "06.09.2010", "11.11.2010", "25.11.2010",
                                     "24.12.2010", "31.12.2010"}));
        QCOMPARE(names[4], QString("Independenceday  (observed)"));
        QCOMPARE(names[9], QString("New Year (observed)"));
    }

    void storedValuesAndOverrides() {
        QTemporaryDir dir;
        writeIni(dir.path(), "[Feiertage]\nJahr=2011\nDefinition=000000000001\n"
                             "[Einstellungen]\nSprache=Deutsch\nLand=Deutschland\n"
                             "Darstellung 24h=0\nDarstellung Von=08:00\nDarstellung Bis=12:00\n"
                             "Darstellung Ort=Büro\n"
                             "[Weitere Tage]\n24.12.*\aHeiligabend\aNote\a\n");
        Result r = cli(dir.path(), {"days", "--format", "tsv"});
        QCOMPARE(r.code, 0);
        QCOMPARE(r.out, QString("24.12.2011\tHeiligabend\tNote\t\n"
                                "26.12.2011\tZweiter Weihnachtstag\t08:00 - 12:00\tBüro\n"));
        // --selection replaces the stored mask for this call only.
        r = cli(dir.path(),
                {"days", "--year", "2012", "--selection", "100000000000", "--format", "tsv"});
        QCOMPARE(r.code, 0);
        QCOMPARE(r.out.split('\n', Qt::SkipEmptyParts).size(), 2);
        QVERIFY(r.out.startsWith("01.01.2012\tNeujahr\t"));
        // The USA gets its own selection from the load: the default mask.
        r = cli(dir.path(), {"days", "--country", "USA", "--format", "tsv"});
        QCOMPARE(r.code, 0);
        QVERIFY(r.out.contains("Memorial Day"));
        QVERIFY(!r.out.contains("Columbus Day"));
    }

    // Tabs and line ends inside a field become blanks: every row keeps its four fields.
    void tsvKeepsFields() {
        QTemporaryDir dir;
        writeIni(dir.path(), "[Feiertage]\nDefinition=000000000000\n"
                             "[Einstellungen]\nLand=Deutschland\n"
                             "[Weitere Tage]\n24.12.*\aHeilig\tAbend\a08:00 - 12:00\aRaum\t1\v2\n");
        const Result r = cli(dir.path(), {"days", "--year", "2012", "--format", "tsv"});
        QCOMPARE(r.code, 0);
        QCOMPARE(r.out, QString("24.12.2012\tHeilig Abend\t08:00 - 12:00\tRaum 1 2\n"));
    }

    void usageErrors_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("stderrText");
        QTest::newRow("year low") << QStringList{"days", "--year", "1582"}
                                  << "The year must be one between 1583 and 8202";
        QTest::newRow("year high") << QStringList{"days", "--year", "8203"}
                                   << "The year must be one between 1583 and 8202";
        QTest::newRow("year text") << QStringList{"days", "--year", "zwei"}
                                   << "The year must be one between 1583 and 8202";
        QTest::newRow("year sign") << QStringList{"days", "--year", "+2012"}
                                   << "The year must be one between 1583 and 8202";
        QTest::newRow("year leading zero") << QStringList{"definition-file", "--year", "02012"}
                                           << "The year must be one between 1583 and 8202";
        QTest::newRow("country") << QStringList{"days", "--country", "Frankreich"} << "--country";
        QTest::newRow("mask short") << QStringList{"days", "--selection", "0101"} << "--selection";
        QTest::newRow("mask chars")
            << QStringList{"days", "--selection", "1111111111x1"} << "--selection";
        QTest::newRow("option") << QStringList{"days", "--colour", "red"} << "unknown option";
        QTest::newRow("command") << QStringList{"holidays"} << "unknown command";
        QTest::newRow("cipher verb") << QStringList{"cipher", "rot13"} << "cipher";
    }
    void usageErrors() {
        QFETCH(QStringList, args);
        QFETCH(QString, stderrText);
        QTemporaryDir dir;
        const Result r = cli(dir.path(), args);
        QCOMPARE(r.code, 2);
        QVERIFY2(r.err.contains(stderrText), qPrintable(r.err));
        QVERIFY(r.out.isEmpty());
    }

    void yearMessageInStoredLanguage() {
        QTemporaryDir dir;
        writeIni(dir.path(), "[Einstellungen]\nSprache=Deutsch\n");
        const Result r = cli(dir.path(), {"days", "--year", "99999"});
        QCOMPARE(r.code, 2);
        QCOMPARE(r.err.trimmed(), QString("Das Jahr darf nur zwischen 1583 und 8202 liegen."));
    }

    void definitionFile() {
        QTemporaryDir dir;
        QDir(dir.path()).mkdir("out");
        Result r =
            cli(dir.path(), {"definition-file", "--year", "2011", "--out", dir.path() + "/out"});
        QCOMPARE(r.code, 0);
        const QString path = dir.path() + "/out/Marvolingen.txt";
        QVERIFY(r.out.contains("\"" + path + "\""));
        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QByteArray content = f.readAll();
        // Default country here is the USA: nine holidays and one observed day in 2011.
        QVERIFY(content.startsWith("01.01.2011\aNew Year`s Day\r\n"));
        QVERIFY(content.endsWith("\r\n"));
        QVERIFY(!content.contains("\n\n"));

        // The stored default path names no folder: a message, no file, non-zero exit.
        r = cli(dir.path(), {"definition-file"});
        QVERIFY(r.code != 0);
        QCOMPARE(r.err.trimmed(), QString("Can`t create file!"));
        QVERIFY(!QFile::exists(dir.path() + "/Pfad eingeben/Marvolingen.txt"));
    }

    void groupwiseRoundTrip() {
        QTemporaryDir dir;
        const QString f = dir.path();
        QCOMPARE(cli(f, {"write"}).code, 1); // no GroupWise system yet
        QCOMPARE(cli(f, {"groupwise", "init", "--demo"}).code, 0);
        QCOMPARE(cli(f, {"groupwise", "init"}).code, 1); // never over an existing system

        const Result book = cli(f, {"groupwise", "address-book"});
        QCOMPARE(book.code, 0);
        for (const QString& line : book.out.split('\n', Qt::SkipEmptyParts))
            QCOMPARE(line.split('\t').size(), 4);
        QVERIFY(book.out.contains("\tGroup\t"));
        QVERIFY(book.out.contains("\tResource\t"));

        QCOMPARE(cli(f, {"key", "create", "--domain", f + "/GroupWise"}).code, 0);
        const Result again = cli(f, {"key", "create", "--domain", f + "/GroupWise"});
        QCOMPARE(again.code, 1);
        QVERIFY(again.err.contains("Application still there"));

        // Append users and a further day with a double quote in its designation.
        QFile ini(f + "/Feiertage.ini");
        QVERIFY(ini.open(QIODevice::Append));
        ini.write(
            mv::toCp1252("[User]\r\nmmueller\aUser\r\nniemand\aUser\r\n"
                         "[Weitere Tage]\r\n24.12.*\aHeilig \"Abend\"\a08:00 - 12:00\aBüro\r\n"
                         "30.12.*\aJahres\tende\a08:00 - 12:00\aRaum\t1\r\n"));
        ini.close();

        const QStringList before = cli(f, {"groupwise", "entries", "mmueller", "--year", "2011"})
                                       .out.split('\n', Qt::SkipEmptyParts);
        Result w = cli(f, {"write", "--year", "2011"});
        QCOMPARE(w.code, 1); // one user cannot log in
        QVERIFY(w.out.contains("mmueller\tOK\tOK\n"));
        QVERIFY(w.out.contains("niemand\t--\t\n"));
        w = cli(f, {"write", "--year", "2011"});
        const QStringList after = cli(f, {"groupwise", "entries", "mmueller", "--year", "2011"})
                                      .out.split('\n', Qt::SkipEmptyParts);
        // USA default days and both further days of 2011, written once however often the run goes.
        QCOMPARE(after.size(), before.size() + 11);
        // A tab inside a subject or place must not add a field.
        QVERIFY(after.contains("30.12.2011 08:00:00\t0.166667\tGW.MESSAGE.APPOINTMENT\t"
                               "Jahres ende\tRaum 1\tMarvolingen\t0"));
        for (const QString& line : after)
            QCOMPARE(line.split('\t').size(), 7);
        QVERIFY(after.contains("24.12.2011 08:00:00\t0.166667\tGW.MESSAGE.APPOINTMENT\t"
                               "Heilig \"Abend\"\tBüro\tMarvolingen\t0"));

        // Without --yes nothing is deleted and no log is left.
        const int logs = int(QDir(f).entryList({"PR-DEL-*"}).size());
        QCOMPARE(cli(f, {"delete-all", "--year", "2011"}).code, 2);
        QCOMPARE(int(QDir(f).entryList({"PR-DEL-*"}).size()), logs);
        Result d = cli(f, {"delete-all", "--year", "2011", "--yes"});
        QVERIFY(d.out.contains("mmueller\tOK\tDEL\n"));
        const QStringList left = cli(f, {"groupwise", "entries", "mmueller", "--year", "2011"})
                                     .out.split('\n', Qt::SkipEmptyParts);
        QCOMPARE(left, before); // other senders' entries stay
        QCOMPARE(int(QDir(f).entryList({"PR-DEL-*"}).size()), logs + 1);
    }

    // The local system's failures reach standard error as the program's texts.
    void groupwiseFailures() {
        QTemporaryDir dir;
        const Result none = cli(dir.path(), {"groupwise", "address-book"});
        QCOMPARE(none.code, 1);
        QVERIFY(
            none.err.startsWith("Groupwise is not or not correct installed. Program is exiting."));
        QCOMPARE(cli(dir.path(), {"groupwise", "init"}).code, 0);
        const Result twice = cli(dir.path(), {"groupwise", "init"});
        QCOMPARE(twice.code, 1);
        QVERIFY(twice.err.startsWith(QStringLiteral("Error: %1, ").arg(0xD10A)));
    }

    void cipherRoundTrip() {
        QTemporaryDir dir;
        QByteArray all;
        for (int c = 0; c < 256; ++c)
            all.append(char(c));
        const Result enc = cli(dir.path(), {"cipher", "encrypt"}, all);
        QCOMPARE(enc.code, 0);
        for (char c : enc.rawOut)
            QVERIFY(c >= ';' && c <= 'z');
        QCOMPARE(enc.rawOut.size(), qsizetype(256 + (256 + 2) / 3));
        const Result dec = cli(dir.path(), {"cipher", "decrypt"}, enc.rawOut);
        QCOMPARE(dec.code, 0);
        QCOMPARE(dec.rawOut, all);
        // Another pass phrase gives another text.
        const Result other = cli(dir.path(), {"cipher", "encrypt", "--passphrase", "geheim"}, all);
        QVERIFY(other.rawOut != enc.rawOut);
        QCOMPARE(
            cli(dir.path(), {"cipher", "decrypt", "--passphrase", "geheim"}, other.rawOut).rawOut,
            all);
    }
};

QTEST_GUILESS_MAIN(TestCli)
#include "tst_cli.moc"
