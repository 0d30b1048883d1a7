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

void Matrix::applyMask(int p) {
    const int m = m_;
    for (int i = 0; i < m; ++i) {
        std::uint8_t* rowp = cell_ + i * kMaxModules;
        for (int j = 0; j < m; ++j) {
            std::uint8_t b = rowp[j];
            if (b & kFunction) continue;
            bool invert;
            switch (p) {
            case 0: invert = (i + j) % 2 == 0; break;
            case 1: invert = i % 2 == 0; break;
            case 2: invert = j % 3 == 0; break;
            case 3: invert = (i + j) % 3 == 0; break;
            case 4: invert = (i / 2 + j / 3) % 2 == 0; break;
            case 5: invert = (i * j) % 2 + (i * j) % 3 == 0; break;
            case 6: invert = ((i * j) % 2 + (i * j) % 3) % 2 == 0; break;
            default: invert = ((i + j) % 2 + (i * j) % 3) % 2 == 0; break;
            }
            const bool dark = ((b & kData) != 0) != invert;
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
    for (int p = 0; p < 8; ++p) {
        applyMask(p);
        const int score = penalty ? penalty(*this) : maskPenalty(*this);
        if (p == 0 || score < bestScore) {
            best = p;
            bestScore = score;
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

namespace {

// Runs, finder-like sequences of one line of colours (0/1).
int linePenalty(const std::uint8_t* c, int m) {
    int score = 0;
    int run = 1;
    for (int j = 1; j <= m; ++j) {
        if (j < m && c[j] == c[j - 1]) {
            ++run;
        } else {
            if (run >= 5) score += 3 + (run - 5);
            run = 1;
        }
    }
    // dark, light, dark, dark, dark, light, dark with a light module or the
    // edge just before and just after it.
    unsigned window = 0;
    for (int j = 0; j < m; ++j) {
        window = ((window << 1) | c[j]) & 0x7F;
        if (j < 6 || window != 0x5D) continue;
        const int s = j - 6;
        if ((s == 0 || c[s - 1] == 0) && (j == m - 1 || c[j + 1] == 0)) score += 40;
    }
    return score;
}

} // namespace

int maskPenalty(const Matrix& matrix) {
    const int m = matrix.size();
    // Colours row by row and, transposed, column by column.
    static thread_local std::uint8_t rows[kMaxModules * kMaxModules];
    static thread_local std::uint8_t cols[kMaxModules * kMaxModules];
    int darkCount = 0;
    for (int i = 0; i < m; ++i)
        for (int j = 0; j < m; ++j) {
            const std::uint8_t d = matrix.dark(i, j) ? 1 : 0;
            rows[i * m + j] = d;
            cols[j * m + i] = d;
            darkCount += d;
        }

    int score = 0;
    for (int i = 0; i < m; ++i) {
        score += linePenalty(rows + i * m, m);
        score += linePenalty(cols + i * m, m);
    }
    for (int i = 0; i + 1 < m; ++i) {
        const std::uint8_t* a = rows + i * m;
        const std::uint8_t* b = a + m;
        for (int j = 0; j + 1 < m; ++j) {
            const std::uint8_t v = a[j];
            if (a[j + 1] == v && b[j] == v && b[j + 1] == v) score += 3;
        }
    }
    const int d = darkCount * 100 / (m * m);
    score += 10 * (std::abs(d - 50) / 5);
    return score;
}

} // namespace qr
