#include "settings/codepage.h"

#include <QStringDecoder>
#include <QTest>

using namespace mv;
using namespace Qt::StringLiterals;

class TestCodepage : public QObject {
    Q_OBJECT
private slots:
    void everyByteRoundTrips();
    void agreesWithQtDecoder();
    void unmappableBecomesQuestionMark_data();
    void unmappableBecomesQuestionMark();
    void firstUnstorable_data();
    void firstUnstorable();
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

void TestCodepage::firstUnstorable_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("character"); // empty: every character can be stored
    QTest::newRow("greek") << QStringLiteral("Σ Ωmega € Ä") << QStringLiteral("Σ");
    QTest::newRow("snowman after umlaut") << QStringLiteral("Straße ☃") << QStringLiteral("☃");
    QTest::newRow("polish and japanese") << QStringLiteral("Łódź 東京") << QStringLiteral("Ł");
    QTest::newRow("surrogate pair whole") << QStringLiteral("a😀b") << QStringLiteral("😀");
    QTest::newRow("question mark itself") << QStringLiteral("wer?") << QString();
    QTest::newRow("code page 1252 only") << QStringLiteral("Östereich € ‰ ß") << QString();
}

void TestCodepage::firstUnstorable() {
    QFETCH(QString, text);
    QFETCH(QString, character);
    QCOMPARE(mv::firstUnstorable(text), character);
    // What it lets pass survives the code page unchanged.
    if (character.isEmpty())
        QCOMPARE(fromCp1252(toCp1252(text)), text);
}

QTEST_GUILESS_MAIN(TestCodepage)
#include "tst_codepage.moc"
