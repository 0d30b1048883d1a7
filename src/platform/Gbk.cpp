#include "platform/Gbk.h"

#include <iconv.h>

#include <algorithm>
#include <cerrno>
#include <mutex>
#include <stdexcept>

namespace {

// iconv descriptors are not thread-safe; the program has one UI thread, but
// benchmarks and tests may call from others, so each thread keeps its own.
struct Converter {
    iconv_t cd;
    Converter(const char* to, const char* from) : cd(iconv_open(to, from)) {
        if (cd == reinterpret_cast<iconv_t>(-1))
            throw std::runtime_error(std::string("iconv cannot convert ") + from + " to " + to);
    }
    ~Converter() { iconv_close(cd); }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;
};

Converter& toGbk() { thread_local Converter c("GBK", "UTF-16LE"); return c; }
Converter& fromGbk() { thread_local Converter c("UTF-16LE", "GBK"); return c; }

bool isAsciiOnly(const QString& s) {
    for (QChar c : s)
        if (c.unicode() >= 0x80) return false;
    return true;
}

} // namespace

namespace Gbk {

QByteArray encode(const QString& text, bool* lossless) {
    if (lossless) *lossless = true;
    if (isAsciiOnly(text)) return text.toLatin1();

    // Converts the whole text in one call; a character without a GBK form
    // stops iconv, becomes '?' and the conversion goes on after it.
    const qsizetype n = text.size();
    QByteArray out(n * 2 + 4, Qt::Uninitialized);
    iconv_t cd = toGbk().cd;
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    const char16_t* data = reinterpret_cast<const char16_t*>(text.utf16());
    char* inp = reinterpret_cast<char*>(const_cast<char16_t*>(data));
    size_t inLeft = static_cast<size_t>(n) * 2;
    char* outp = out.data();
    size_t outLeft = static_cast<size_t>(out.size());
    while (inLeft > 0) {
        size_t r = iconv(cd, &inp, &inLeft, &outp, &outLeft);
        if (r != static_cast<size_t>(-1)) break;
        // EILSEQ or EINVAL: the character at inp has no GBK form.
        const qsizetype at = (reinterpret_cast<const char16_t*>(inp) - data);
        const qsizetype units = (QChar::isHighSurrogate(data[at]) && at + 1 < n && QChar::isLowSurrogate(data[at + 1])) ? 2 : 1;
        *outp++ = '?';
        --outLeft;
        if (lossless) *lossless = false;
        inp += units * 2;
        inLeft -= std::min(inLeft, static_cast<size_t>(units * 2));
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
    }
    out.truncate(outp - out.data());
    return out;
}

QString decode(const QByteArray& bytes) {
    bool ascii = true;
    for (char c : bytes)
        if (static_cast<unsigned char>(c) >= 0x80) { ascii = false; break; }
    if (ascii) return QString::fromLatin1(bytes);

    QString out;
    iconv_t cd = fromGbk().cd;
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    const qsizetype n = bytes.size();
    qsizetype i = 0;
    while (i < n) {
        unsigned char b = static_cast<unsigned char>(bytes[i]);
        int len = (b >= 0x81 && b <= 0xFE && i + 1 < n) ? 2 : 1;
        char in[2] = {bytes[i], len == 2 ? bytes[i + 1] : '\0'};
        char* inp = in;
        size_t inLeft = len;
        char16_t u[4];
        char* outp = reinterpret_cast<char*>(u);
        size_t outLeft = sizeof u;
        size_t r = iconv(cd, &inp, &inLeft, &outp, &outLeft);
        if (r == static_cast<size_t>(-1)) {
            out.append(QChar(0xFFFD));
            iconv(cd, nullptr, nullptr, nullptr, nullptr);
        } else {
            out.append(QString::fromUtf16(u, (reinterpret_cast<char16_t*>(outp) - u)));
        }
        i += len;
    }
    return out;
}

int byteLength(const QString& text) {
    return static_cast<int>(encode(text).size());
}

QString truncateToBytes(const QString& text, int maxBytes) {
    if (maxBytes <= 0) return QString();
    if (isAsciiOnly(text)) return text.left(maxBytes);
    int used = 0;
    qsizetype i = 0;
    while (i < text.size()) {
        int units = (text[i].isHighSurrogate() && i + 1 < text.size()) ? 2 : 1;
        int w = static_cast<int>(encode(text.mid(i, units)).size());
        if (used + w > maxBytes) break;
        used += w;
        i += units;
    }
    return text.left(i);
}

} // namespace Gbk
