#pragma once

#include <QByteArray>
#include <QString>

namespace mv {

// The platform runtime's pseudo-random generator, bit for bit.
class RuntimeRandom {
public:
    float next(float n = 1.0f); // Rnd(n)
    void randomize(double d);   // Randomize d
    quint32 state() const { return state_; }
    void setState(quint32 s) { state_ = s & 0xFFFFFF; }

private:
    quint32 state_ = 0x050000;
};

// The steps of the cipher, exposed for tests. Each encrypt or decrypt call uses a
// generator of its own, so calls never disturb one another.
namespace detail {
void seedFromKey(RuntimeRandom& rnd, const QByteArray& key);
void cryptMitXor(RuntimeRandom& rnd, QByteArray& text);
QByteArray stretch(const QByteArray& text); // 3 codes into 4 in ';'..'z'
QByteArray doCd(const QByteArray& text);    // the inverse; a code below ';' gives a blank
} // namespace detail

// The text cipher over single-byte codes. The output of encrypt is in ';'..'z'.
QByteArray EncryptText(const QByteArray& text, const QByteArray& passPhrase);
QByteArray DecryptText(const QByteArray& text, const QByteArray& passPhrase);

// The same on texts in Windows-1252.
QString EncryptText(const QString& text, const QString& passPhrase);
QString DecryptText(const QString& text, const QString& passPhrase);

} // namespace mv
