#include "printing/QrMatrix.h"

#include <cstdlib>
#include <cstring>

namespace qr {

void Matrix::setDark(int row, int col, bool dark) {
    std::uint8_t& b = ref(row, col);
    b = static_cast<std::uint8_t>(dark ? (b | kDark) : (b & ~kDark));
}

void Matrix::finder(int row, int col) {
    for (int r = 0; r < 7; ++r)
        for (int c = 0; c < 7; ++c) {
            const bool ring = r == 0 || r == 6 || c == 0 || c == 6;
            const bool centre = r >= 2 && r <= 4 && c >= 2 && c <= 4;
            set(row + r, col + c, static_cast<std::uint8_t>(kFunction | ((ring || centre) ? kDark : 0)));
        }
}

void Matrix::alignment(int row, int col) {
    for (int r = -2; r <= 2; ++r)
        for (int c = -2; c <= 2; ++c) {
            const bool dark = std::abs(r) == 2 || std::abs(c) == 2 || (r == 0 && c == 0);
            set(row + r, col + c, static_cast<std::uint8_t>(kFunction | (dark ? kDark : 0)));
        }
}

void Matrix::placeFunctionPatterns(int version) {
    const VersionInfo& info = versionInfo(version);
    version_ = version;
    m_ = info.modules;
    const int m = m_;
    std::memset(cell_, 0, sizeof cell_);

    finder(0, 0);
    finder(0, m - 7);
    finder(m - 7, 0);

    // Separators: the light row and column of eight modules beside each finder.
    for (int i = 0; i < 8; ++i) {
        set(7, i, kFunction);
        set(i, 7, kFunction);
        set(7, m - 1 - i, kFunction);
        set(i, m - 8, kFunction);
        set(m - 8, i, kFunction);
        set(m - 1 - i, 7, kFunction);
    }

    // Alignment patterns before the timing patterns, so that a centre on row
    // or column 6 is not mistaken for a finder overlap.
    for (int a = 0; a < info.alignCount; ++a)
        for (int b = 0; b < info.alignCount; ++b) {
            const int r = info.align[a];
            const int c = info.align[b];
            if (isFunction(r, c)) continue;
            alignment(r, c);
        }

    for (int i = 7; i <= m - 9; ++i) {
        const std::uint8_t bits = static_cast<std::uint8_t>(kFunction | (i % 2 == 0 ? kDark : 0));
        set(6, i, bits);
        set(i, 6, bits);
    }

    // Format areas (both copies) and the dark module, reserved light.
    for (int k = 0; k <= 8; ++k) {
        if (k == 6) continue;   // the timing patterns cross here
        set(k, 8, kFunction);
        set(8, k, kFunction);
    }
    for (int k = 0; k < 8; ++k) set(8, m - 1 - k, kFunction);
    for (int k = 0; k < 8; ++k) set(m - 1 - k, 8, kFunction);

    if (version >= 7)
        for (int k = 0; k < 18; ++k) {
            set(m - 11 + k % 3, k / 3, kFunction);
            set(k / 3, m - 11 + k % 3, kFunction);
        }
}

void Matrix::placeCodewords(const std::uint8_t* codewords, int count) {
    const int m = m_;
    int row = m - 1, col = m - 1, step = -1, dir = -1;
    for (int i = 0; i < count; ++i) {
        for (int bit = 7; bit >= 0; --bit) {
            if ((codewords[i] >> bit) & 1) ref(row, col) |= kData;
            // Advance to the next module that is not a function module: the
            // cursor zigzags right-left in a two-module column and moves one
            // row after each right-hand module; at the top or bottom edge it
            // turns and moves to the next column pair, skipping column 6.
            do {
                col += step;
                if (step == +1) row += dir;
                step = -step;
                if (row < 0 || row >= m) {
                    row -= dir;
                    dir = -dir;
                    col -= 2;
                    if (col == 6) col = 5;
                }
                if (col < 0) return;   // past the last module: nothing left to place
            } while (isFunction(row, col));
        }
    }
}

namespace {

// Bit p of maskBits(i, j) tells whether data-mask pattern p inverts the
// module in row i, column j (i and j non-negative).
bool maskCondition(int p, int i, int j) {
    switch (p) {
    case 0: return (i + j) % 2 == 0;
    case 1: return i % 2 == 0;
    case 2: return j % 3 == 0;
    case 3: return (i + j) % 3 == 0;
    case 4: return (i / 2 + j / 3) % 2 == 0;
    case 5: return (i * j) % 2 + (i * j) % 3 == 0;
    case 6: return ((i * j) % 2 + (i * j) % 3) % 2 == 0;
    default: return ((i + j) % 2 + (i * j) % 3) % 2 == 0;
    }
}

struct MaskTable {
    std::uint8_t bits[kMaxModules * kMaxModules];
    MaskTable() {
        for (int i = 0; i < kMaxModules; ++i)
            for (int j = 0; j < kMaxModules; ++j) {
                std::uint8_t b = 0;
                for (int p = 0; p < 8; ++p)
                    if (maskCondition(p, i, j)) b = static_cast<std::uint8_t>(b | (1u << p));
                bits[i * kMaxModules + j] = b;
            }
    }
};

const MaskTable& maskTable() {
    static const MaskTable t;
    return t;
}

// One row or column of up to 177 modules as bits: bit j is module j (1 =
// dark); bits from the line's length on are always 0. The penalty is
// computed on whole lines at once.
struct Line {
    std::uint64_t w[3] = {0, 0, 0};

    void set(int j) { w[j >> 6] |= std::uint64_t{1} << (j & 63); }
    friend Line operator&(const Line& a, const Line& b) { return {{a.w[0] & b.w[0], a.w[1] & b.w[1], a.w[2] & b.w[2]}}; }
    friend Line operator|(const Line& a, const Line& b) { return {{a.w[0] | b.w[0], a.w[1] | b.w[1], a.w[2] | b.w[2]}}; }
    friend Line operator^(const Line& a, const Line& b) { return {{a.w[0] ^ b.w[0], a.w[1] ^ b.w[1], a.w[2] ^ b.w[2]}}; }
    Line operator~() const { return {{~w[0], ~w[1], ~w[2]}}; }
    // Bit j of the result is bit j + k (1 <= k <= 63).
    Line next(int k) const {
        return {{(w[0] >> k) | (w[1] << (64 - k)), (w[1] >> k) | (w[2] << (64 - k)), w[2] >> k}};
    }
    // Bit j of the result is bit j - 1 (0 for j = 0).
    Line previous() const { return {{w[0] << 1, (w[1] << 1) | (w[0] >> 63), (w[2] << 1) | (w[1] >> 63)}}; }
    int count() const { return __builtin_popcountll(w[0]) + __builtin_popcountll(w[1]) + __builtin_popcountll(w[2]); }
};

// Bits 0 to n - 1.
Line firstBits(int n) {
    Line l;
    for (int j = 0; j < n; ++j) l.set(j);
    return l;
}

// Runs of five or more and finder-like sequences of one line of m modules.
int linePenalty(const Line& x, const Line& valid1, const Line& valid6) {
    // eq: module j equals module j + 1; five: modules j..j+4 equal. A run of
    // length L >= 5 holds L - 4 such windows, one of them at its start, so
    // windows + 2 x starts = L - 2 = 3 + (L - 5).
    const Line eq = ~(x ^ x.next(1)) & valid1;
    const Line five = eq & eq.next(1) & eq.next(2) & eq.next(3);
    Line start = x ^ x.previous();
    start.w[0] |= 1;
    int score = five.count() + 2 * (five & start).count();
    // dark, light, dark, dark, dark, light, dark starting at j, with a light
    // module or the edge before it and after it (bits past the end are 0).
    const Line seq = x & ~x.next(1) & x.next(2) & x.next(3) & x.next(4) & ~x.next(5) & x.next(6) & valid6;
    score += 40 * (seq & ~x.previous() & ~x.next(7)).count();
    return score;
}

// The penalty of m rows and their m columns.
int linesPenalty(const Line* rows, const Line* cols, int m) {
    const Line valid1 = firstBits(m - 1);
    const Line valid6 = firstBits(m > 6 ? m - 6 : 0);
    int score = 0;
    int dark = 0;
    for (int i = 0; i < m; ++i) {
        score += linePenalty(rows[i], valid1, valid6) + linePenalty(cols[i], valid1, valid6);
        dark += rows[i].count();
        if (i + 1 < m) {
            const Line& a = rows[i];
            const Line& b = rows[i + 1];
            score += 3 * (~(a ^ a.next(1)) & ~(b ^ b.next(1)) & ~(a ^ b) & valid1).count();
        }
    }
    const int d = dark * 100 / (m * m);
    score += 10 * (std::abs(d - 50) / 5);
    return score;
}

// For every pattern, the modules it inverts, by row and by column.
struct MaskLines {
    Line row[8][kMaxModules];
    Line col[8][kMaxModules];
    MaskLines() {
        for (int p = 0; p < 8; ++p)
            for (int i = 0; i < kMaxModules; ++i)
                for (int j = 0; j < kMaxModules; ++j)
                    if (maskCondition(p, i, j)) {
                        row[p][i].set(j);
                        col[p][j].set(i);
                    }
    }
};

const MaskLines& maskLines() {
    static const MaskLines t;
    return t;
}

} // namespace

void Matrix::applyMask(int p) {
    const int m = m_;
    const std::uint8_t* masks = maskTable().bits;
    for (int i = 0; i < m; ++i) {
        std::uint8_t* rowp = cell_ + i * kMaxModules;
        const std::uint8_t* maskp = masks + i * kMaxModules;
        for (int j = 0; j < m; ++j) {
            const std::uint8_t b = rowp[j];
            if (b & kFunction) continue;
            const bool dark = ((b & kData) != 0) != (((maskp[j] >> p) & 1) != 0);
            rowp[j] = static_cast<std::uint8_t>((b & ~kDark) | (dark ? kDark : 0));
        }
    }
}

int Matrix::chooseMask(int masktype, const Penalty& penalty) {
    if (masktype >= 0 && masktype <= 7) {
        applyMask(masktype);
        return masktype;
    }
    int best = 0;
    int bestScore = 0;
    if (penalty) {
        for (int p = 0; p < 8; ++p) {
            applyMask(p);
            const int score = penalty(*this);
            if (p == 0 || score < bestScore) {
                best = p;
                bestScore = score;
            }
        }
    } else {
        // Score the colours each pattern gives without touching the matrix,
        // a whole row or column at a time: function modules keep their
        // colour, data modules take their data bit inverted where the
        // pattern holds.
        const int m = m_;
        Line funcRow[kMaxModules], darkRow[kMaxModules], dataRow[kMaxModules];
        Line funcCol[kMaxModules], darkCol[kMaxModules], dataCol[kMaxModules];
        for (int i = 0; i < m; ++i)
            for (int j = 0; j < m; ++j) {
                const std::uint8_t b = cell_[i * kMaxModules + j];
                if (b & kFunction) {
                    funcRow[i].set(j);
                    funcCol[j].set(i);
                    if (b & kDark) {
                        darkRow[i].set(j);
                        darkCol[j].set(i);
                    }
                } else if (b & kData) {
                    dataRow[i].set(j);
                    dataCol[j].set(i);
                }
            }
        const Line inside = firstBits(m);
        const MaskLines& ml = maskLines();
        Line rows[kMaxModules], cols[kMaxModules];
        for (int p = 0; p < 8; ++p) {
            for (int i = 0; i < m; ++i) {
                rows[i] = darkRow[i] | ((dataRow[i] ^ ml.row[p][i]) & ~funcRow[i] & inside);
                cols[i] = darkCol[i] | ((dataCol[i] ^ ml.col[p][i]) & ~funcCol[i] & inside);
            }
            const int score = linesPenalty(rows, cols, m);
            if (p == 0 || score < bestScore) {
                best = p;
                bestScore = score;
            }
        }
    }
    applyMask(best);
    return best;
}

std::uint32_t Matrix::formatBits(int eclevel, int mask) {
    const std::uint32_t data = (static_cast<std::uint32_t>(eclevel ^ 1) << 3) | static_cast<std::uint32_t>(mask);
    std::uint32_t rem = data << 10;
    for (int i = 14; i >= 10; --i)
        if (rem & (1u << i)) rem ^= 0x537u << (i - 10);
    return ((data << 10) | rem) ^ 0x5412u;
}

void Matrix::placeFormatInfo(int eclevel, int mask) {
    const int m = m_;
    const std::uint32_t bits = formatBits(eclevel, mask);
    for (int k = 0; k < 15; ++k) {
        if (!((bits >> k) & 1)) continue;
        if (k <= 5) ref(k, 8) |= kDark;
        else if (k == 6) ref(7, 8) |= kDark;
        else if (k == 7) ref(8, 8) |= kDark;
        else ref(m - 15 + k, 8) |= kDark;

        if (k <= 7) ref(8, m - 1 - k) |= kDark;
        else if (k == 8) ref(8, 7) |= kDark;
        else ref(8, 14 - k) |= kDark;
    }
    ref(m - 8, 8) |= kDark;

    if (version_ >= 7) {
        const std::uint32_t v = versionBits(version_);
        for (int k = 0; k < 18; ++k) {
            if (!((v >> k) & 1)) continue;
            ref(m - 11 + k % 3, k / 3) |= kDark;
            ref(k / 3, m - 11 + k % 3) |= kDark;
        }
    }
}

int maskPenalty(const Matrix& matrix) {
    const int m = matrix.size();
    Line rows[kMaxModules], cols[kMaxModules];
    for (int i = 0; i < m; ++i)
        for (int j = 0; j < m; ++j)
            if (matrix.dark(i, j)) {
                rows[i].set(j);
                cols[j].set(i);
            }
    return linesPenalty(rows, cols, m);
}

} // namespace qr
