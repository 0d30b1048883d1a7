#include "printing/QrEncoder.h"

#include <algorithm>

namespace qr {

namespace {

const char* const kModeNames[4] = {"numeric", "alphanumeric", "byte", "Kanji"};
const char kLevelNames[4] = {'L', 'M', 'Q', 'H'};

bool isHexDigit(char c) {
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f');
}

int hexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return c - 'a' + 10;
}

// A byte that an escape marks as binary data: control characters other than
// tab, line feed and carriage return, and the upper half from 161.
bool isBinaryByte(int b) {
    return b <= 8 || b == 11 || b == 12 || (b >= 14 && b <= 31) || b >= 161;
}

bool isTrailRange(std::uint8_t b) {
    return (b >= 0x40 && b <= 0x7E) || (b >= 0x80 && b <= 0xFE);
}

// A double-byte character that Kanji mode can hold: leads 0x81-0x9F and
// 0xE0-0xEB with trails 0x40-0x7E and 0x80-0xFC, up to 0xEBBF (the largest
// value the 13 bits of a Kanji character hold).
bool isKanjiPair(std::uint8_t lead, std::uint8_t trail) {
    const bool leadOk = (lead >= 0x81 && lead <= 0x9F) || (lead >= 0xE0 && lead <= 0xEB);
    const bool trailOk = (trail >= 0x40 && trail <= 0x7E) || (trail >= 0x80 && trail <= 0xFC);
    return leadOk && trailOk && !(lead == 0xEB && trail > 0xBF);
}

bool isKanjiLead(std::uint8_t b) { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xEB); }

} // namespace

Encoder::Encoder() {
    data_ = QByteArray(4, '\0');
}

bool Encoder::setVersion(int v) {
    if (v < 1 || v > kMaxVersion) return false;
    version_ = v;
    return true;
}

bool Encoder::setEclevel(int level) {
    if (level < 0 || level > 3) return false;
    eclevel_ = level;
    return true;
}

bool Encoder::setEmode(int mode) {
    if (mode < -1 || mode > 3) return false;
    emode_ = mode;
    emodeR_ = mode;
    return true;
}

bool Encoder::setMasktype(int mask) {
    if (mask < -1 || mask > 7) return false;
    masktype_ = mask;
    masktypeR_ = mask;
    return true;
}

bool Encoder::setMode(int mode) {
    switch (mode) {
    case SeqSingle: count_ = 1; break;
    case SeqConnect: count_ = std::clamp(count_, 2, 16); break;
    case SeqPlus: count_ = std::clamp(count_, 2, 1024); break;
    default: return false;
    }
    mode_ = mode;
    return true;
}

bool Encoder::setCount(int count) {
    if (count < 1 || count > 1024) return false;
    count_ = count;
    return true;
}

bool Encoder::decodeEscapes(const QByteArray& text, bool escapes) {
    binary_ = false;
    bool ok = true;
    QByteArray out;
    if (!escapes) {
        out = text;
    } else {
        const int n = static_cast<int>(text.size());
        const char* s = text.constData();
        // The next "~" from position i that is a character of its own, not the
        // second byte of a double-byte character.
        auto findTilde = [&](int i) {
            while (i < n) {
                const auto b = static_cast<std::uint8_t>(s[i]);
                if (b >= 0x81 && b <= 0xFE && i + 1 < n) { i += 2; continue; }
                if (s[i] == '~') return i;
                ++i;
            }
            return -1;
        };
        out.reserve(n);
        bool binary = false;
        int pos = 0;
        while (ok) {
            const int open = findTilde(pos);
            if (open < 0) {
                out.append(s + pos, n - pos);
                break;
            }
            const int close = findTilde(open + 1);
            if (close < 0 || (close - open - 1) % 2 != 0) {
                ok = false;
                break;
            }
            out.append(s + pos, open - pos);
            if (close == open + 1) {
                out.append('~');
            } else {
                for (int i = open + 1; i < close; i += 2) {
                    if (!isHexDigit(s[i]) || !isHexDigit(s[i + 1])) {
                        ok = false;
                        break;
                    }
                    const int b = hexValue(s[i]) * 16 + hexValue(s[i + 1]);
                    out.append(static_cast<char>(b));
                    if (isBinaryByte(b)) binary = true;
                }
            }
            pos = close + 1;
        }
        if (ok) binary_ = binary;
        else out = text;
    }
    len_ = static_cast<int>(out.size());
    data_ = out;
    data_.append(4, '\0');
    return ok;
}

void Encoder::splitData() {
    if (len_ < count_) count_ = len_;
    count_ = std::clamp(count_, 1, 1024);

    int n = len_ / count_;
    if (n * count_ < len_ && (n + 1) * (count_ - 1) < len_) ++n;

    // Second bytes of double-byte GBK characters, found by walking the data
    // from its start (a byte's role depends on everything before it).
    std::vector<bool> trailing(static_cast<std::size_t>(len_), false);
    const auto* d = reinterpret_cast<const std::uint8_t*>(data_.constData());
    for (int i = 0; i < len_;) {
        if (d[i] >= 0x81 && d[i] <= 0xFE && i + 1 < len_) {
            trailing[static_cast<std::size_t>(i + 1)] = isTrailRange(d[i + 1]);
            i += 2;
        } else {
            ++i;
        }
    }

    offset_[0] = 0;
    int k = 1;
    int p = n;
    while (k < count_ && p < len_) {
        if (trailing[static_cast<std::size_t>(p)]) {
            // Never cut a character: end the part before it, or, when that
            // would leave the part empty, after it.
            if (p - 1 > offset_[static_cast<std::size_t>(k - 1)]) {
                p = p - 1;
            } else if (p + 1 >= len_) {
                break;
            } else {
                p = p + 1;
            }
        }
        offset_[static_cast<std::size_t>(k)] = p;
        ++k;
        p += n;
    }
    offset_[static_cast<std::size_t>(k)] = len_;
    count_ = k;
    parts_ = k;

    if (count_ == 1) mode_ = SeqSingle;
    else if (count_ <= 16) { if (mode_ == SeqSingle) mode_ = SeqConnect; }
    else mode_ = SeqPlus;
}

void Encoder::checkParameters(int column) {
    auto fail = [](const QString& name, int value) {
        throw QRCodeError(QStringLiteral("Illegal %1 : %2").arg(name).arg(value));
    };
    auto offsetName = [](int k) { return QStringLiteral("Offset[%1]").arg(k); };

    if (len_ < 0) fail(QStringLiteral("Len"), len_);
    if (count_ < 1 || count_ > 1024) fail(QStringLiteral("Count"), count_);
    if (mode_ < 0 || mode_ > 2) fail(QStringLiteral("Mode"), mode_);
    if (column < 1 || column > 1024) fail(QStringLiteral("Column"), column);
    if (len_ > 0) {
        if (len_ < count_ || (mode_ == SeqSingle && count_ != 1) ||
            (mode_ == SeqConnect && (count_ < 2 || count_ > 16)) ||
            (mode_ == SeqPlus && (count_ < 2 || count_ > 1024)))
            fail(QStringLiteral("Count"), count_);
        if (offset(0) != 0) fail(offsetName(0), offset(0));
        if (offset(count_) == len_) {
            for (int k = 1; k <= count_; ++k)
                if (offset(k - 1) >= offset(k)) fail(offsetName(k), offset(k));
        } else {
            fail(offsetName(count_), offset(count_));
        }
    } else {
        if (count_ != 1) fail(QStringLiteral("Count"), count_);
        if (mode_ != SeqSingle) fail(QStringLiteral("Mode"), mode_);
        if (offset(0) != 0) fail(offsetName(0), offset(0));
        if (offset(1) != 0) fail(offsetName(1), offset(1));
    }
    if (mode_ == SeqConnect && len_ / count_ <= kMaxSymbolBytes) {
        int x = 0;
        for (int i = 0; i < len_; ++i) x ^= static_cast<std::uint8_t>(data_[i]);
        parity_ = x;
    }
}

int Encoder::alnumValue(std::uint8_t c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'Z') return c - 'A' + 10;
    switch (c) {
    case ' ': return 36;
    case '$': return 37;
    case '%': return 38;
    case '*': return 39;
    case '+': return 40;
    case '-': return 41;
    case '.': return 42;
    case '/': return 43;
    case ':': return 44;
    default: return -1;
    }
}

int Encoder::charClass(const std::uint8_t* p, int remaining) const {
    if (!usejis_) return ModeByte;
    const std::uint8_t c = p[0];
    if (c >= '0' && c <= '9') return ModeNumeric;
    if (alnumValue(c) >= 0) return ModeAlnum;
    if (isKanjiLead(c) && remaining >= 2 && isKanjiPair(c, p[1])) return ModeKanji;
    return ModeByte;
}

int Encoder::segmentCost(int mode, int n) const {
    int bits = 4 + versionInfo(version_).countBits[mode];
    switch (mode) {
    case ModeNumeric: bits += 10 * (n / 3) + (n % 3 == 1 ? 4 : n % 3 == 2 ? 7 : 0); break;
    case ModeAlnum: bits += 11 * (n / 2) + (n % 2 ? 6 : 0); break;
    case ModeByte: bits += 8 * n; break;
    default: bits += 13 * (n / 2); break;
    }
    return bits;
}

int Encoder::runLength(const std::uint8_t* p, int remaining, int cls) const {
    int len = 0;
    while (len < remaining && charClass(p + len, remaining - len) == cls) len += cls == ModeKanji ? 2 : 1;
    return len;
}

Encoder::Segment Encoder::nextSegment(const std::uint8_t* p, int remaining) const {
    const int cur = charClass(p, remaining);
    int len = 0;
    for (;;) {
        len += runLength(p + len, remaining - len, cur);
        if (len >= remaining) return {cur, len};
        const int nxt = charClass(p + len, remaining - len);
        if (cur == ModeKanji || nxt == ModeKanji) return {cur, len};
        const int m = runLength(p + len, remaining - len, nxt);
        if (nxt > cur) {
            // A narrow run before a wide one: keep it apart only when that is
            // strictly cheaper than encoding both in the wide mode.
            if (segmentCost(cur, len) + segmentCost(nxt, m) < segmentCost(nxt, len + m)) return {cur, len};
            return {nxt, len + m};
        }
        // A narrow run inside a wide segment: split only when strictly cheaper,
        // counting the header of the wide segment that would follow it.
        const bool wideFollows = len + m < remaining && charClass(p + len + m, remaining - len - m) == cur;
        int separate = segmentCost(cur, len) + segmentCost(nxt, m);
        if (wideFollows) separate += segmentCost(cur, 0);
        if (separate < segmentCost(cur, len + m)) return {cur, len};
        len += m;
    }
}

void Encoder::putBits(std::uint32_t value, int n) {
    for (int i = n - 1; i >= 0; --i) {
        if ((value >> i) & 1) dataArea_[static_cast<std::size_t>(bytePos_)] |= static_cast<std::uint8_t>(1u << bitPos_);
        if (--bitPos_ < 0) {
            bitPos_ = 7;
            ++bytePos_;
        }
    }
}

bool Encoder::suits(int mode, const std::uint8_t* p, int n) const {
    switch (mode) {
    case ModeNumeric:
        return std::all_of(p, p + n, [](std::uint8_t c) { return c >= '0' && c <= '9'; });
    case ModeAlnum:
        return std::all_of(p, p + n, [](std::uint8_t c) { return alnumValue(c) >= 0; });
    case ModeByte:
        return true;
    default:
        if (n % 2 != 0) return false;
        for (int i = 0; i < n; i += 2)
            if (!isKanjiPair(p[i], p[i + 1])) return false;
        return true;
    }
}

bool Encoder::writeSegment(int mode, const std::uint8_t* p, int n, QString* reason) {
    const VersionInfo& info = versionInfo(version_);
    const int capacity = info.level[eclevel_].dataCodewords * 8;
    const int cost = segmentCost(mode, n);
    if (cost > capacity - bitsWritten()) {
        if (reason)
            *reason = QStringLiteral("the data do not fit in version %1-%2 (%3 bits more needed than the %4 it holds)")
                          .arg(version_).arg(QLatin1Char(kLevelNames[eclevel_]))
                          .arg(cost - (capacity - bitsWritten())).arg(capacity);
        return false;
    }
    putBits(1u << mode, 4);
    putBits(static_cast<std::uint32_t>(mode == ModeKanji ? n / 2 : n), info.countBits[mode]);
    switch (mode) {
    case ModeNumeric: {
        int i = 0;
        for (; i + 3 <= n; i += 3)
            putBits(static_cast<std::uint32_t>((p[i] - '0') * 100 + (p[i + 1] - '0') * 10 + (p[i + 2] - '0')), 10);
        if (n - i == 1) putBits(static_cast<std::uint32_t>(p[i] - '0'), 4);
        else if (n - i == 2) putBits(static_cast<std::uint32_t>((p[i] - '0') * 10 + (p[i + 1] - '0')), 7);
        break;
    }
    case ModeAlnum: {
        int i = 0;
        for (; i + 2 <= n; i += 2) putBits(static_cast<std::uint32_t>(alnumValue(p[i]) * 45 + alnumValue(p[i + 1])), 11);
        if (i < n) putBits(static_cast<std::uint32_t>(alnumValue(p[i])), 6);
        break;
    }
    case ModeByte:
        for (int i = 0; i < n; ++i) putBits(p[i], 8);
        break;
    default:
        for (int i = 0; i + 1 < n; i += 2) {
            const int lead = p[i];
            const int base = (lead <= 0x9F ? lead - 0x81 : lead - 0xC1) * 0xC0;
            putBits(static_cast<std::uint32_t>(base + p[i + 1] - 0x40), 13);
        }
        break;
    }
    return true;
}

bool Encoder::encodeSymbol(const std::uint8_t* bytes, int n, QString* reason) {
    const int capBytes = versionInfo(version_).level[eclevel_].dataCodewords;
    std::fill_n(dataArea_.begin(), capBytes, std::uint8_t{0});
    bytePos_ = 0;
    bitPos_ = 7;

    if (mode_ == SeqConnect) {
        // Structured append: indicator 0011, position, total - 1, parity.
        putBits(3, 4);
        putBits(static_cast<std::uint32_t>(current_ - 1), 4);
        putBits(static_cast<std::uint32_t>(count_ - 1), 4);
        putBits(static_cast<std::uint32_t>(parity_), 8);
    }

    if (emode_ < 0) {
        emodeR_ = -1;
        for (int i = 0; i < n;) {
            const Segment s = nextSegment(bytes + i, n - i);
            if (!writeSegment(s.mode, bytes + i, s.length, reason)) return false;
            emodeR_ = s.mode;
            i += s.length;
        }
    } else {
        if (!suits(emode_, bytes, n)) {
            if (reason) *reason = QStringLiteral("the data cannot be written in %1 mode").arg(QLatin1String(kModeNames[emode_]));
            return false;
        }
        if (!writeSegment(emode_, bytes, n, reason)) return false;
    }

    // Terminator (up to four zero bits), zero bits to the byte boundary, then
    // the pad codewords 0xEC and 0x11 in turn.
    const int r = capBytes * 8 - bitsWritten();
    putBits(0, std::min(4, r));
    const int rest = r < 4 ? 0 : r - 4;
    putBits(0, rest % 8);
    for (bool ec = true; bytePos_ < capBytes; ec = !ec) putBits(ec ? 0xEC : 0x11, 8);
    return true;
}

void Encoder::addErrorCorrection() {
    const LevelInfo& lv = versionInfo(version_).level[eclevel_];
    int dataPos = 0;
    int eccPos = 0;
    for (const BlockGroup& g : lv.group) {
        const int degree = g.codewords - g.data;
        for (int b = 0; b < g.blocks; ++b) {
            reedSolomon(dataArea_.data() + dataPos, g.data, degree, eccArea_.data() + eccPos);
            dataPos += g.data;
            eccPos += degree;
        }
    }
}

void Encoder::interleaveCodewords() {
    const LevelInfo& lv = versionInfo(version_).level[eclevel_];
    const BlockGroup& g1 = lv.group[0];
    const BlockGroup& g2 = lv.group[1];
    const int blocks = g1.blocks + g2.blocks;
    const int maxData = g2.blocks > 0 ? g2.data : g1.data;
    const int ecPer = g1.codewords - g1.data;
    int idx = 0;
    for (int j = 0; j < maxData; ++j) {
        int start = 0;
        for (int b = 0; b < blocks; ++b) {
            const int dataLen = b < g1.blocks ? g1.data : g2.data;
            if (j < dataLen) final_[static_cast<std::size_t>(idx++)] = dataArea_[static_cast<std::size_t>(start + j)];
            start += dataLen;
        }
    }
    for (int j = 0; j < ecPer; ++j)
        for (int b = 0; b < blocks; ++b)
            final_[static_cast<std::size_t>(idx++)] = eccArea_[static_cast<std::size_t>(b * ecPer + j)];
}

bool Encoder::buildSymbol(int k, Matrix& matrix, QString* reason) {
    if (k < 1 || k > parts_ || offset(k) > len_ || offset(k - 1) > offset(k)) {
        if (reason) *reason = QStringLiteral("symbol %1: the data have not been divided for it").arg(k);
        return false;
    }
    const int n = offset(k) - offset(k - 1);
    if (n > kMaxSymbolBytes) {
        if (reason) *reason = QStringLiteral("symbol %1: %2 bytes, more than the %3 one symbol can hold").arg(k).arg(n).arg(kMaxSymbolBytes);
        return false;
    }
    current_ = k;
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(data_.constData()) + offset(k - 1);
    QString why;
    if (!encodeSymbol(bytes, n, &why)) {
        if (reason) *reason = QStringLiteral("symbol %1: %2").arg(k).arg(why);
        return false;
    }
    addErrorCorrection();
    interleaveCodewords();
    matrix.placeFunctionPatterns(version_);
    matrix.placeCodewords(final_.data(), finalCount());
    masktypeR_ = matrix.chooseMask(masktype_);
    matrix.placeFormatInfo(eclevel_, masktypeR_);
    return true;
}

QStringList Encoder::buildPbm(int pxmag, QString* failure) {
    static const char* const kModeLine[3] = {"Single Mode (Count = ", "Connect Mode (Count = ", "Plus Mode (Count = "};
    const int m = versionInfo(version_).modules;
    const int side = (m + 8) * pxmag;
    const int quiet = 4 * pxmag;

    QStringList out;
    out << QStringLiteral("P1");
    out << QString::fromLatin1(kModeLine[std::clamp(mode_, 0, 2)]) + QString::number(count_) + QLatin1Char(')');
    out << QStringLiteral("%1 %1").arg(side);

    const QString lightRow = QStringLiteral(" 0").repeated(side);
    Matrix matrix;
    for (int k = 1; k <= count_; ++k) {
        QString reason;
        if (!buildSymbol(k, matrix, &reason)) {
            if (failure) *failure = reason;
            break;
        }
        out << QString() << QString();
        for (int i = 0; i < quiet; ++i) out << lightRow;
        for (int r = 0; r < m; ++r) {
            QString row;
            row.reserve(side * 2);
            for (int i = 0; i < quiet; ++i) row += QLatin1String(" 0");
            for (int c = 0; c < m; ++c) {
                const QLatin1String item = matrix.dark(r, c) ? QLatin1String(" 1") : QLatin1String(" 0");
                for (int i = 0; i < pxmag; ++i) row += item;
            }
            for (int i = 0; i < quiet; ++i) row += QLatin1String(" 0");
            for (int i = 0; i < pxmag; ++i) out << row;
        }
        for (int i = 0; i < quiet; ++i) out << lightRow;
    }
    return out;
}

} // namespace qr
