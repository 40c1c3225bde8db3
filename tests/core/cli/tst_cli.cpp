#include "settings/codepage.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

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
    env.insert(u"LC_ALL"_s, u"C.UTF-8"_s); // no territory: English and USA unless stored
    p.setProcessEnvironment(env);
    p.start(QStringLiteral(MV_CLI), QStringList{u"--folder"_s, folder} + args);
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
    QFile f(folder + u"/Feiertage.ini"_s);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(mv::toCp1252(QString(text).replace(u"\n"_s, u"\r\n"_s)));
}

} // namespace

class TestCli : public QObject {
    Q_OBJECT
private slots:
    void germanDefaultSelection() {
        QTemporaryDir dir;
        const Result r = cli(dir.path(), {u"days"_s, u"--year"_s, u"2011"_s, u"--country"_s,
                                          u"Deutschland"_s, u"--format"_s, u"tsv"_s});
        QCOMPARE(r.code, 0);
        const QStringList lines = r.out.split(u'\n', Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 11);
        QCOMPARE(lines.first(), u"01.01.2011\tNeujahr\t00:00 - 24:00\t"_s);
        QCOMPARE(lines.last(), u"26.12.2011\tZweiter Weihnachtstag\t00:00 - 24:00\t"_s);
        QVERIFY(!r.out.contains(u"Fronleichnam"_s));
    }

    void usaExampleInDateOrder() {
        QTemporaryDir dir;
        const Result r = cli(dir.path(), {u"days"_s, u"--year"_s, u"2010"_s, u"--country"_s,
                                          u"USA"_s, u"--format"_s, u"tsv"_s});
        QCOMPARE(r.code, 0);
        QStringList dates, names;
        for (const QString& line : r.out.split(u'\n', Qt::SkipEmptyParts)) {
            const QStringList f = line.split(u'\t');
            QCOMPARE(f.size(), 4);
            dates << f[0];
            names << f[1];
        }
        QCOMPARE(dates,
                 (QStringList{u"01.01.2010"_s, u"15.02.2010"_s, u"31.05.2010"_s, u"04.07.2010"_s,
                              u"05.07.2010"_s, u"06.09.2010"_s, u"11.11.2010"_s, u"25.11.2010"_s,
                              u"24.12.2010"_s, u"31.12.2010"_s}));
        QCOMPARE(names[4], u"Independenceday  (observed)"_s);
        QCOMPARE(names[9], u"New Year (observed)"_s);
    }

    void storedValuesAndOverrides() {
        QTemporaryDir dir;
        writeIni(dir.path(), u"[Feiertage]\nJahr=2011\nDefinition=000000000001\n"_s
                             u"[Einstellungen]\nSprache=Deutsch\nLand=Deutschland\n"_s
                             u"Darstellung 24h=0\nDarstellung Von=08:00\nDarstellung Bis=12:00\n"_s
                             u"Darstellung Ort=Büro\n"_s
                             u"[Weitere Tage]\n24.12.*\aHeiligabend\aNote\a\n"_s);
        Result r = cli(dir.path(), {u"days"_s, u"--format"_s, u"tsv"_s});
        QCOMPARE(r.code, 0);
        QCOMPARE(r.out, QString(u"24.12.2011\tHeiligabend\tNote\t\n"_s
                                u"26.12.2011\tZweiter Weihnachtstag\t08:00 - 12:00\tBüro\n"_s));
        // --selection replaces the stored mask for this call only.
        r = cli(dir.path(), {u"days"_s, u"--year"_s, u"2012"_s, u"--selection"_s, u"100000000000"_s,
                             u"--format"_s, u"tsv"_s});
        QCOMPARE(r.code, 0);
        QCOMPARE(r.out.split(u'\n', Qt::SkipEmptyParts).size(), 2);
        QVERIFY(r.out.startsWith(u"01.01.2012\tNeujahr\t"_s));
        // The USA gets its own selection from the load: the default mask.
        r = cli(dir.path(), {u"days"_s, u"--country"_s, u"USA"_s, u"--format"_s, u"tsv"_s});
        QCOMPARE(r.code, 0);
        QVERIFY(r.out.contains(u"Memorial Day"_s));
        QVERIFY(!r.out.contains(u"Columbus Day"_s));
    }

    // Tabs and line ends inside a field become blanks: every row keeps its four fields.
    void tsvKeepsFields() {
        QTemporaryDir dir;
        writeIni(dir.path(),
                 u"[Feiertage]\nDefinition=000000000000\n"_s
                 u"[Einstellungen]\nLand=Deutschland\n"_s
                 u"[Weitere Tage]\n24.12.*\aHeilig\tAbend\a08:00 - 12:00\aRaum\t1\v2\n"_s);
        const Result r =
            cli(dir.path(), {u"days"_s, u"--year"_s, u"2012"_s, u"--format"_s, u"tsv"_s});
        QCOMPARE(r.code, 0);
        QCOMPARE(r.out, u"24.12.2012\tHeilig Abend\t08:00 - 12:00\tRaum 1 2\n"_s);
    }

    void usageErrors_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("stderrText");
        QTest::newRow("year low") << QStringList{u"days"_s, u"--year"_s, u"1582"_s}
                                  << "The year must be one between 1583 and 8202";
        QTest::newRow("year high") << QStringList{u"days"_s, u"--year"_s, u"8203"_s}
                                   << "The year must be one between 1583 and 8202";
        QTest::newRow("year text") << QStringList{u"days"_s, u"--year"_s, u"zwei"_s}
                                   << "The year must be one between 1583 and 8202";
        QTest::newRow("year sign") << QStringList{u"days"_s, u"--year"_s, u"+2012"_s}
                                   << "The year must be one between 1583 and 8202";
        QTest::newRow("year leading zero")
            << QStringList{u"definition-file"_s, u"--year"_s, u"02012"_s}
            << "The year must be one between 1583 and 8202";
        QTest::newRow("country") << QStringList{u"days"_s, u"--country"_s, u"Frankreich"_s}
                                 << "--country";
        QTest::newRow("mask short")
            << QStringList{u"days"_s, u"--selection"_s, u"0101"_s} << "--selection";
        QTest::newRow("mask chars")
            << QStringList{u"days"_s, u"--selection"_s, u"1111111111x1"_s} << "--selection";
        QTest::newRow("option") << QStringList{u"days"_s, u"--colour"_s, u"red"_s}
                                << "unknown option";
        QTest::newRow("command") << QStringList{u"holidays"_s} << "unknown command";
        QTest::newRow("cipher verb") << QStringList{u"cipher"_s, u"rot13"_s} << "cipher";
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
        writeIni(dir.path(), u"[Einstellungen]\nSprache=Deutsch\n"_s);
        const Result r = cli(dir.path(), {u"days"_s, u"--year"_s, u"99999"_s});
        QCOMPARE(r.code, 2);
        QCOMPARE(r.err.trimmed(), u"Das Jahr darf nur zwischen 1583 und 8202 liegen."_s);
    }

    void definitionFile() {
        QTemporaryDir dir;
        QDir(dir.path()).mkdir(u"out"_s);
        Result r = cli(dir.path(), {u"definition-file"_s, u"--year"_s, u"2011"_s, u"--out"_s,
                                    dir.path() + u"/out"_s});
        QCOMPARE(r.code, 0);
        const QString path = dir.path() + u"/out/Marvolingen.txt"_s;
        QVERIFY(r.out.contains(u"\""_s + path + u"\""_s));
        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QByteArray content = f.readAll();
        // Default country here is the USA: nine holidays and one observed day in 2011.
        QVERIFY(content.startsWith("01.01.2011\aNew Year`s Day\r\n"));
        QVERIFY(content.endsWith("\r\n"));
        QVERIFY(!content.contains("\n\n"));

        // The stored default path names no folder: a message, no file, non-zero exit.
        r = cli(dir.path(), {u"definition-file"_s});
        QVERIFY(r.code != 0);
        QCOMPARE(r.err.trimmed(), u"Can`t create file!"_s);
        QVERIFY(!QFile::exists(dir.path() + u"/Pfad eingeben/Marvolingen.txt"_s));
    }

    void groupwiseRoundTrip() {
        QTemporaryDir dir;
        const QString f = dir.path();
        QCOMPARE(cli(f, {u"write"_s}).code, 1); // no GroupWise system yet
        QCOMPARE(cli(f, {u"groupwise"_s, u"init"_s, u"--demo"_s}).code, 0);
        QCOMPARE(cli(f, {u"groupwise"_s, u"init"_s}).code, 1); // never over an existing system

        const Result book = cli(f, {u"groupwise"_s, u"address-book"_s});
        QCOMPARE(book.code, 0);
        for (const QString& line : book.out.split(u'\n', Qt::SkipEmptyParts))
            QCOMPARE(line.split(u'\t').size(), 4);
        QVERIFY(book.out.contains(u"\tGroup\t"_s));
        QVERIFY(book.out.contains(u"\tResource\t"_s));

        QCOMPARE(cli(f, {u"key"_s, u"create"_s, u"--domain"_s, f + u"/GroupWise"_s}).code, 0);
        const Result again = cli(f, {u"key"_s, u"create"_s, u"--domain"_s, f + u"/GroupWise"_s});
        QCOMPARE(again.code, 1);
        QVERIFY(again.err.contains(u"Application still there"_s));

        // Append users and a further day with a double quote in its designation.
        QFile ini(f + u"/Feiertage.ini"_s);
        QVERIFY(ini.open(QIODevice::Append));
        ini.write(
            mv::toCp1252(u"[User]\r\nmmueller\aUser\r\nniemand\aUser\r\n"_s
                         u"[Weitere Tage]\r\n24.12.*\aHeilig \"Abend\"\a08:00 - 12:00\aBüro\r\n"_s
                         u"30.12.*\aJahres\tende\a08:00 - 12:00\aRaum\t1\r\n"_s));
        ini.close();

        const QStringList before =
            cli(f, {u"groupwise"_s, u"entries"_s, u"mmueller"_s, u"--year"_s, u"2011"_s})
                .out.split(u'\n', Qt::SkipEmptyParts);
        Result w = cli(f, {u"write"_s, u"--year"_s, u"2011"_s});
        QCOMPARE(w.code, 1); // one user cannot log in
        QVERIFY(w.out.contains(u"mmueller\tOK\tOK\n"_s));
        QVERIFY(w.out.contains(u"niemand\t--\t\n"_s));
        w = cli(f, {u"write"_s, u"--year"_s, u"2011"_s});
        const QStringList after =
            cli(f, {u"groupwise"_s, u"entries"_s, u"mmueller"_s, u"--year"_s, u"2011"_s})
                .out.split(u'\n', Qt::SkipEmptyParts);
        // USA default days and both further days of 2011, written once however often the run goes.
        QCOMPARE(after.size(), before.size() + 11);
        // A tab inside a subject or place must not add a field.
        QVERIFY(after.contains(u"30.12.2011 08:00:00\t0.166667\tGW.MESSAGE.APPOINTMENT\t"_s
                               u"Jahres ende\tRaum 1\tMarvolingen\t0"_s));
        for (const QString& line : after)
            QCOMPARE(line.split(u'\t').size(), 7);
        QVERIFY(after.contains(u"24.12.2011 08:00:00\t0.166667\tGW.MESSAGE.APPOINTMENT\t"_s
                               u"Heilig \"Abend\"\tBüro\tMarvolingen\t0"_s));

        // Without --yes nothing is deleted and no log is left.
        const int logs = int(QDir(f).entryList({u"PR-DEL-*"_s}).size());
        QCOMPARE(cli(f, {u"delete-all"_s, u"--year"_s, u"2011"_s}).code, 2);
        QCOMPARE(int(QDir(f).entryList({u"PR-DEL-*"_s}).size()), logs);
        Result d = cli(f, {u"delete-all"_s, u"--year"_s, u"2011"_s, u"--yes"_s});
        QVERIFY(d.out.contains(u"mmueller\tOK\tDEL\n"_s));
        const QStringList left =
            cli(f, {u"groupwise"_s, u"entries"_s, u"mmueller"_s, u"--year"_s, u"2011"_s})
                .out.split(u'\n', Qt::SkipEmptyParts);
        QCOMPARE(left, before); // other senders' entries stay
        QCOMPARE(int(QDir(f).entryList({u"PR-DEL-*"_s}).size()), logs + 1);
    }

    // The local system's failures reach standard error as the program's texts.
    void groupwiseFailures() {
        QTemporaryDir dir;
        const Result none = cli(dir.path(), {u"groupwise"_s, u"address-book"_s});
        QCOMPARE(none.code, 1);
        QVERIFY(none.err.startsWith(
            u"Groupwise is not or not correct installed. Program is exiting."_s));
        QCOMPARE(cli(dir.path(), {u"groupwise"_s, u"init"_s}).code, 0);
        const Result twice = cli(dir.path(), {u"groupwise"_s, u"init"_s});
        QCOMPARE(twice.code, 1);
        QVERIFY(twice.err.startsWith(QStringLiteral("Error: %1, ").arg(0xD10A)));
    }

    void cipherRoundTrip() {
        QTemporaryDir dir;
        QByteArray all;
        for (int c = 0; c < 256; ++c)
            all.append(char(c));
        const Result enc = cli(dir.path(), {u"cipher"_s, u"encrypt"_s}, all);
        QCOMPARE(enc.code, 0);
        for (char c : enc.rawOut)
            QVERIFY(c >= ';' && c <= 'z');
        QCOMPARE(enc.rawOut.size(), qsizetype(256 + (256 + 2) / 3));
        const Result dec = cli(dir.path(), {u"cipher"_s, u"decrypt"_s}, enc.rawOut);
        QCOMPARE(dec.code, 0);
        QCOMPARE(dec.rawOut, all);
        // Another pass phrase gives another text.
        const Result other =
            cli(dir.path(), {u"cipher"_s, u"encrypt"_s, u"--passphrase"_s, u"geheim"_s}, all);
        QVERIFY(other.rawOut != enc.rawOut);
        QCOMPARE(cli(dir.path(), {u"cipher"_s, u"decrypt"_s, u"--passphrase"_s, u"geheim"_s},
                     other.rawOut)
                     .rawOut,
                 all);
    }
};

QTEST_GUILESS_MAIN(TestCli)
#include "tst_cli.moc"
