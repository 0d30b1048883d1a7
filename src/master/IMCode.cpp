#include "master/IMCode.h"

#include "platform/Gbk.h"

#include <array>

namespace {

using Piece = std::array<char, 3>;  // at most two characters and a zero

// Single bytes: ASCII letters (upper-cased) and digits are kept, everything
// else maps to 0 and is dropped.
constexpr std::array<char, 256> makeSingleBytes() {
    std::array<char, 256> t{};
    for (int c = '0'; c <= '9'; ++c) t[c] = static_cast<char>(c);
    for (int c = 'A'; c <= 'Z'; ++c) t[c] = static_cast<char>(c);
    for (int c = 'a'; c <= 'z'; ++c) t[c] = static_cast<char>(c - 'a' + 'A');
    return t;
}
constexpr std::array<char, 256> kSingleBytes = makeSingleBytes();

// Lead 0xA2, trails 0xA1..0xFE: the numbers ⅰ..ⅹ, ⒈..⒛, ⑴..⒇, ①..⑩, ㈠..㈩
// and Ⅰ..Ⅻ give their value; the unassigned trails give nothing.
constexpr std::array<Piece, 94> makeNumberSymbols() {
    std::array<Piece, 94> t{};
    auto run = [&t](int firstTrail, int lastTrail) {
        for (int trail = firstTrail; trail <= lastTrail; ++trail) {
            const int value = trail - firstTrail + 1;
            Piece& p = t[trail - 0xA1];
            if (value < 10) {
                p[0] = static_cast<char>('0' + value);
            } else {
                p[0] = static_cast<char>('0' + value / 10);
                p[1] = static_cast<char>('0' + value % 10);
            }
        }
    };
    run(0xA1, 0xAA);  // ⅰ..ⅹ
    run(0xB1, 0xC4);  // ⒈..⒛
    run(0xC5, 0xD8);  // ⑴..⒇
    run(0xD9, 0xE2);  // ①..⑩
    run(0xE5, 0xEE);  // ㈠..㈩
    run(0xF1, 0xFC);  // Ⅰ..Ⅻ
    return t;
}
constexpr std::array<Piece, 94> kNumberSymbols = makeNumberSymbols();

// Lead 0xA6: Α..Ω at trails 0xA1..0xB8 and α..ω at 0xC1..0xD8.
constexpr std::array<Piece, 24> kGreek = {{
    {"A"}, {"B"}, {"G"}, {"D"}, {"E"}, {"Z"}, {"E"}, {"TH"}, {"I"}, {"K"}, {"L"}, {"M"},
    {"N"}, {"X"}, {"O"}, {"P"}, {"R"}, {"S"}, {"T"}, {"U"}, {"PH"}, {"KH"}, {"PS"}, {"O"},
}};

constexpr Piece kUnread = {"?"};
constexpr Piece kNothing = {};

// The piece of a double-byte character of the three symbol rows with their
// own rules, and of the pairs outside the reading table (lead or trail 0xFF).
const Piece& specialPiece(unsigned lead, unsigned trail) {
    switch (lead) {
    case 0xA2:
        if (trail < 0xA1 || trail > 0xFE) return kUnread;
        return kNumberSymbols[trail - 0xA1];
    case 0xA6:
        if (trail >= 0xA1 && trail <= 0xB8) return kGreek[trail - 0xA1];
        if (trail >= 0xC1 && trail <= 0xD8) return kGreek[trail - 0xC1];
        return kUnread;
    default:
        return kUnread;  // lead 0xFF or trail 0xFF: no character
    }
}

} // namespace

std::size_t PinyinCodeInto(const char* gbk, std::size_t size, char* out, std::size_t capacity) {
    const auto* p = reinterpret_cast<const unsigned char*>(gbk);
    std::size_t i = 0;
    std::size_t len = 0;
    while (i < size && len < capacity) {
        const unsigned lead = p[i];
        if (lead < 0x81 || i + 1 == size || p[i + 1] < 0x40) {
            // A single-byte character; a lead byte without a trail is dropped.
            if (const char c = kSingleBytes[lead]) out[len++] = c;
            ++i;
            continue;
        }
        const unsigned trail = p[i + 1];
        i += 2;
        if (lead == 0xA3) {
            // Full-width ASCII: letters and digits keep their case.
            const unsigned c = trail - 0x80;
            if ((c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'))
                out[len++] = static_cast<char>(c);
            continue;
        }
        if (lead != 0xA2 && lead != 0xA6 && lead != 0xFF && trail != 0xFF) {
            const char c = PinyinTable::kInitials[(lead - PinyinTable::kFirstLead) * PinyinTable::kColumns +
                                                  (trail - PinyinTable::kFirstTrail)];
            out[len++] = c == ' ' ? '?' : c;
            continue;
        }
        for (const char* s = specialPiece(lead, trail).data(); *s && len < capacity; ++s) out[len++] = *s;
    }
    return len;
}

QByteArray PinyinCodeOf(const QByteArray& gbkBytes) {
    char buf[kPinyinCodeMaxLength];
    const std::size_t n = PinyinCodeInto(gbkBytes.constData(), static_cast<std::size_t>(gbkBytes.size()), buf,
                                         sizeof buf);
    return QByteArray(buf, static_cast<qsizetype>(n));
}

namespace {

// The GBK form of a text in which some characters have none. The seam writes
// '?' for those, which the code would drop like a typed question mark; here
// they become the pair 0xFF 0xFF instead, a double-byte character without a
// reading, so that they give '?'.
QByteArray gbkMarkingUnencodable(const QString& text) {
    QByteArray out;
    out.reserve(text.size() * 2);
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n;) {
        const qsizetype units = (text[i].isHighSurrogate() && i + 1 < n && text[i + 1].isLowSurrogate()) ? 2 : 1;
        bool ok = true;
        const QByteArray bytes = Gbk::encode(text.mid(i, units), &ok);
        if (ok)
            out.append(bytes);
        else
            out.append("\xFF\xFF", 2);
        i += units;
    }
    return out;
}

} // namespace

QString PinyinCodeOf(const QString& text) {
    bool lossless = true;
    QByteArray gbk = Gbk::encode(text, &lossless);
    if (!lossless) gbk = gbkMarkingUnencodable(text);
    char buf[kPinyinCodeMaxLength];
    const std::size_t n = PinyinCodeInto(gbk.constData(), static_cast<std::size_t>(gbk.size()), buf, sizeof buf);
    return QString::fromLatin1(buf, static_cast<qsizetype>(n));
}
