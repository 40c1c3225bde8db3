#include "settings/cipher.h"

#include "settings/codepage.h"

#include <bit>
#include <cstdint>

namespace mv {

float RuntimeRandom::next(float n) {
    if (n != 0.0f) {
        if (n < 0.0f) {
            const quint32 b = std::bit_cast<quint32>(n);
            state_ = (b + (b >> 24)) & 0xFFFFFF;
        }
        state_ = (state_ * 0x43FD43FDu + 0xC39EC3u) & 0xFFFFFF;
    }
    return float(state_) / 16777216.0f;
}

void RuntimeRandom::randomize(double d) {
    const auto h = quint32(std::bit_cast<std::uint64_t>(d) >> 32);
    state_ = ((((h & 0xFFFF) ^ (h >> 16)) & 0xFFFF) << 8) | (state_ & 0xFF);
}

namespace detail {

void seedFromKey(RuntimeRandom& rnd, const QByteArray& key) {
    rnd.randomize(rnd.next(-1.0f));
    for (const char c : key) {
        const float r = rnd.next();
        // One single-precision product: a double here changes the key stream.
        const float x = -(r * float(static_cast<unsigned char>(c)));
        rnd.randomize(rnd.next(x));
    }
}

void cryptMitXor(RuntimeRandom& rnd, QByteArray& text) {
    for (char& c : text) {
        const int r = int(rnd.next() * 256.0f);
        c = char(static_cast<unsigned char>(c) ^ r);
    }
}

QByteArray stretch(const QByteArray& text) {
    const qsizetype len = text.size();
    QByteArray out;
    out.reserve(len + (len + 2) / 3);
    int g = 0;
    for (qsizetype i = 1; i <= len; ++i) {
        const int b = static_cast<unsigned char>(text[i - 1]);
        out.append(char((b & 63) + 59));
        switch (i % 3) {
        case 1:
            g |= (b / 64) * 16;
            break;
        case 2:
            g |= (b / 64) * 4;
            break;
        default:
            g |= b / 64;
            out.append(char(g + 59));
            g = 0;
        }
    }
    if (len % 3 != 0)
        out.append(char(g + 59));
    return out;
}

QByteArray doCd(const QByteArray& text) {
    const qsizetype len = text.size();
    if (len == 0)
        return {};
    const qsizetype n = (len - 1) - (len - 1) / 4;
    auto code = [&](qsizetype pos) { // 1-based, 0 outside the text
        return pos >= 1 && pos <= len ? int(static_cast<unsigned char>(text[pos - 1])) : 0;
    };
    QByteArray out(n, ' ');
    qsizetype k = 0, p = 0;
    int a = 0;
    for (qsizetype i = 1; i <= n; ++i) {
        ++k;
        const int lo = code(k) - 59;
        int hi = 0;
        switch (i % 3) {
        case 1:
            p = std::min(p + 4, len);
            a = code(p) - 59;
            hi = ((a / 16) & 3) * 64;
            break;
        case 2:
            hi = ((a / 4) & 3) * 64;
            break;
        default:
            hi = (a & 3) * 64;
            ++k;
        }
        // A character below ';' has no code: its place keeps the blank.
        if (lo >= 0)
            out[i - 1] = char(lo | hi);
    }
    return out;
}

} // namespace detail

QByteArray EncryptText(const QByteArray& text, const QByteArray& passPhrase) {
    RuntimeRandom rnd;
    detail::seedFromKey(rnd, passPhrase);
    QByteArray t = text;
    detail::cryptMitXor(rnd, t);
    return detail::stretch(t);
}

QByteArray DecryptText(const QByteArray& text, const QByteArray& passPhrase) {
    RuntimeRandom rnd;
    detail::seedFromKey(rnd, passPhrase);
    QByteArray t = detail::doCd(text);
    detail::cryptMitXor(rnd, t);
    return t;
}

QString EncryptText(const QString& text, const QString& passPhrase) {
    return fromCp1252(EncryptText(toCp1252(text), toCp1252(passPhrase)));
}

QString DecryptText(const QString& text, const QString& passPhrase) {
    return fromCp1252(DecryptText(toCp1252(text), toCp1252(passPhrase)));
}

} // namespace mv
