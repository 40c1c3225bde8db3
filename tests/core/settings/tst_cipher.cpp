#include "settings/cipher.h"
#include "settings/settings.h"

#include <QRegularExpression>
#include <QTest>

#include <algorithm>
#include <bit>

using namespace mv;

namespace {

// Significant digits of a decimal text such as "0.01401764".
int significantDigits(const QString& text) {
    QString digits = text;
    digits.remove(u'-').remove(u'.');
    while (digits.startsWith(u'0'))
        digits.remove(0, 1);
    return int(digits.size());
}

QByteArray allCodes() {
    QByteArray b;
    for (int i = 0; i < 256; ++i)
        b.append(char(i));
    return b;
}

} // namespace

class TestCipher : public QObject {
    Q_OBJECT
private slots:
    void generatorSequence_data();
    void generatorSequence();
    void generatorDenormalReset();
    void stretchGroups_data();
    void stretchGroups();
    void doCdInvertsStretch();
    void doCdUndecodableGivesBlank();
    void roundTrip_data();
    void roundTrip();
    void outputPrintableAndLength();
    void emptyText();
    void independentCalls();
    void wrongPassPhraseGivesOtherText();
    void qstringOverloadsUseCp1252();
};

// Script tokens: "n" next value (recorded), "R<x>" reset from x (recorded),
// "r<x>" reset from x (not recorded), "m<d>" mix in d.
void TestCipher::generatorSequence_data() {
    QTest::addColumn<QString>("script");
    QTest::addColumn<QString>("expected");
    QTest::newRow("start state, ten values")
        << "n n n n n n n n n n"
        << "0.7055475 0.533424 0.5795186 0.2895625 0.301948 0.7747401 0.01401764 0.7607236 "
           "0.81449 0.7090379";
    QTest::newRow("resets -10..-1")
        << "R-10 R-9 R-8 R-7 R-6 R-5 R-4 R-3 R-2 R-1"
        << "0.3276443 0.5151443 0.7026443 0.08832568 0.4633257 0.8383257 0.2133257 0.9633257 "
           "0.7133257 0.224007";
    QTest::newRow("reset -1 full precision") << "R-1"
                                             << "0.2240070104598999";
    QTest::newRow("reset -10 mix 10") << "r-10 m10 n n n"
                                      << "0.2077829 0.4407803 0.6152623";
    QTest::newRow("start mix 0") << "m0 n n"
                                 << "0.7641413 0.3576428";
    QTest::newRow("reset -1 mix 1") << "r-1 m1 n n n"
                                    << "0.3335753 0.06816387 0.5938293";
    QTest::newRow("reset -1 mix 32") << "r-1 m32 n n n"
                                     << "0.5799132 0.5791502 0.3108703";
    QTest::newRow("reset -1 mix 327680") << "r-1 m327680 n n n"
                                         << "0.8827086 0.733264 0.661029";
    QTest::newRow("reset -1.2345E38") << "R-1.2345E38"
                                      << "0.0319542289";
    QTest::newRow("reset -8E9") << "R-8E9"
                                << "0.7537669";
    QTest::newRow("reset -79.4") << "R-79.4"
                                 << "0.828889251";
    QTest::newRow("reset -44.48306") << "R-44.48306"
                                     << "0.5418172";
}

void TestCipher::generatorSequence() {
    QFETCH(QString, script);
    QFETCH(QString, expected);
    RuntimeRandom rnd;
    QStringList got;
    const QStringList want = expected.split(u' ');
    for (const QString& op : script.split(u' ')) {
        const QString arg = op.mid(1);
        float v = 0;
        if (op == u"n")
            v = rnd.next();
        else if (op.startsWith(u'R') || op.startsWith(u'r'))
            v = rnd.next(arg.toFloat());
        else if (op.startsWith(u'm'))
            rnd.randomize(arg.toDouble());
        if (op == u"n" || op.startsWith(u'R')) {
            const int digits = significantDigits(want.value(got.size()));
            got.append(QString::number(double(v), 'g', digits));
        }
    }
    QCOMPARE(got, want);
}

void TestCipher::generatorDenormalReset() {
    RuntimeRandom rnd;
    rnd.setState(0x123456);
    rnd.next(std::bit_cast<float>(quint32(0x8076F5C1)));
    QCOMPARE(rnd.state(), quint32(0x050000));
}

void TestCipher::stretchGroups_data() {
    QTest::addColumn<QByteArray>("in");
    QTest::addColumn<QByteArray>("out");
    QTest::newRow("255 0 255") << QByteArray("\xFF\x00\xFF", 3) << QByteArray("\x7A\x3B\x7A\x6E");
    QTest::newRow("one code") << QByteArray("\xC1") << QByteArray("\x3C\x6B"); // 1+59, 48+59
    QTest::newRow("two codes") << QByteArray("\x40\x80") << QByteArray("\x3B\x3B\x53"); // 16+8+59
    QTest::newRow("empty") << QByteArray() << QByteArray();
}

void TestCipher::stretchGroups() {
    QFETCH(QByteArray, in);
    QFETCH(QByteArray, out);
    QCOMPARE(detail::stretch(in), out);
    QCOMPARE(detail::doCd(out), in);
}

void TestCipher::doCdInvertsStretch() {
    // Every length class and every code in every group position.
    const QByteArray all = allCodes();
    for (int len = 0; len <= 7; ++len) {
        for (int start = 0; start < 256; ++start) {
            QByteArray t;
            for (int i = 0; i < len; ++i)
                t.append(all[(start + i * 97) % 256]);
            QCOMPARE(detail::doCd(detail::stretch(t)), t);
        }
    }
}

void TestCipher::doCdUndecodableGivesBlank() {
    // Low-bit character 2 is below ';': a blank at output position 2, the rest decoded.
    QByteArray s = detail::stretch("abc");
    s[1] = '\x01';
    const QByteArray d = detail::doCd(s);
    QCOMPARE(d.size(), 3);
    QCOMPARE(d[0], 'a');
    QCOMPARE(d[1], ' ');
    QCOMPARE(d[2], 'c');
    // Arbitrary junk of every length decodes to the formula's length without error.
    for (int len = 0; len < 20; ++len) {
        const QByteArray junk(len, '\x05');
        QCOMPARE(detail::doCd(junk).size(), len == 0 ? 0 : (len - 1) - (len - 1) / 4);
    }
}

void TestCipher::roundTrip_data() {
    QTest::addColumn<QByteArray>("pass");
    QTest::newRow("program pass phrase") << QByteArray(kPassPhrase);
    QTest::newRow("empty pass phrase") << QByteArray();
    QTest::newRow("one NUL") << QByteArray(1, '\0');
    QTest::newRow("high codes") << QByteArray("\xFF\xFE\x80\xE4\xFC");
    QTest::newRow("long") << QByteArray(300, 'x');
}

void TestCipher::roundTrip() {
    QFETCH(QByteArray, pass);
    const QByteArray all = allCodes();
    // Every code, and every length class up to beyond a key's 129 characters.
    for (int len = 0; len <= 256; ++len) {
        const QByteArray t = all.left(len);
        QCOMPARE(DecryptText(EncryptText(t, pass), pass), t);
    }
    QByteArray reversed = all;
    std::reverse(reversed.begin(), reversed.end());
    QCOMPARE(DecryptText(EncryptText(reversed, pass), pass), reversed);
}

void TestCipher::outputPrintableAndLength() {
    const QByteArray all = allCodes();
    for (int len = 0; len <= 256; ++len) {
        const QByteArray e = EncryptText(all.right(len), QByteArray(kPassPhrase));
        QCOMPARE(e.size(), len + (len + 2) / 3);
        for (char c : e)
            QVERIFY2(c >= ';' && c <= 'z', qPrintable(QString::number(len)));
    }
    // 3m -> 4m, 3m+1 -> 4m+2, 3m+2 -> 4m+3; a key of 129 characters gives 172.
    QCOMPARE(EncryptText(QByteArray(129, 'k'), QByteArray(kPassPhrase)).size(), 172);
    QCOMPARE(EncryptText(QByteArray(130, 'k'), QByteArray(kPassPhrase)).size(), 174);
    QCOMPARE(EncryptText(QByteArray(131, 'k'), QByteArray(kPassPhrase)).size(), 175);
}

void TestCipher::emptyText() {
    QCOMPARE(EncryptText(QByteArray(), QByteArray(kPassPhrase)), QByteArray());
    QCOMPARE(DecryptText(QByteArray(), QByteArray(kPassPhrase)), QByteArray());
    QCOMPARE(DecryptText(QByteArray(";"), QByteArray(kPassPhrase)), QByteArray());
}

void TestCipher::independentCalls() {
    const QByteArray pass(kPassPhrase);
    const QByteArray first = EncryptText(QByteArray("Geheim"), pass);
    EncryptText(QByteArray("something else in between"), QByteArray("other"));
    QCOMPARE(EncryptText(QByteArray("Geheim"), pass), first);
}

void TestCipher::wrongPassPhraseGivesOtherText() {
    const QByteArray t("TrustedKey-0123456789");
    const QByteArray e = EncryptText(t, QByteArray(kPassPhrase));
    QVERIFY(DecryptText(e, QByteArray("kav51KAV52")) != t);
    QVERIFY(e != EncryptText(t, QByteArray("kav51KAV52")));
}

void TestCipher::qstringOverloadsUseCp1252() {
    const QString t = QStringLiteral("Schlüssel €äöüß");
    const QString e = EncryptText(t, QString::fromLatin1(kPassPhrase));
    QVERIFY(QRegularExpression(QStringLiteral("^[;-z]*$")).match(e).hasMatch());
    QCOMPARE(e.size(), t.size() + (t.size() + 2) / 3); // one code per character
    QCOMPARE(DecryptText(e, QString::fromLatin1(kPassPhrase)), t);
}

QTEST_GUILESS_MAIN(TestCipher)
#include "tst_cipher.moc"
