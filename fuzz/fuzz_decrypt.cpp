// Deciphers arbitrary bytes, and checks that enciphering any text gives printable
// output of the documented length that deciphers to the text again.
#include "settings/cipher.h"
#include "settings/settings.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray all(reinterpret_cast<const char*>(data), qsizetype(size));
    // First byte: length of a pass phrase taken from the input; the rest is the text.
    const qsizetype passLen = all.isEmpty() ? 0 : qsizetype(uint8_t(all[0]) % 24);
    const QByteArray pass = all.mid(1, passLen);
    const QByteArray text = all.mid(1 + passLen);

    const QByteArray junk = mv::DecryptText(all, QByteArray(mv::kPassPhrase));
    const qsizetype n = all.size();
    if (junk.size() != (n == 0 ? 0 : (n - 1) - (n - 1) / 4))
        std::abort();

    for (const QByteArray& p : {pass, QByteArray(mv::kPassPhrase)}) {
        const QByteArray enc = mv::EncryptText(text, p);
        const qsizetype l = text.size();
        if (enc.size() != l + (l + 2) / 3)
            std::abort();
        for (char c : enc) {
            if (c < ';' || c > 'z')
                std::abort();
        }
        if (mv::DecryptText(enc, p) != text)
            std::abort();
    }
    return 0;
}
