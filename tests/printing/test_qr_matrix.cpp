// The component's mask penalty, its tie rule and the format information.
#include <gtest/gtest.h>

#include <cstring>

#include "printing/QrMatrix.h"

using qr::Matrix;

namespace {

Matrix fromRows(const std::vector<const char*>& rows) {
    Matrix m;
    m.setSize(static_cast<int>(rows.size()));
    for (int r = 0; r < static_cast<int>(rows.size()); ++r)
        for (int c = 0; c < static_cast<int>(std::strlen(rows[static_cast<std::size_t>(r)])); ++c)
            m.setDark(r, c, rows[static_cast<std::size_t>(r)][c] == '#');
    return m;
}

} // namespace

TEST(QrMatrix, MaskPenaltyCountsRunsBlocksFinderLikeSequencesAndBalance) {
    struct Case {
        const char* name;
        std::vector<const char*> rows;
        int penalty;
    } cases[] = {
        // Runs of 5 in 5 rows and 5 columns (3 each), 16 blocks (3 each),
        // no dark module (10 x 10).
        {"all light", {".....", ".....", ".....", ".....", "....."}, 30 + 48 + 100},
        {"checkerboard", {".#.#.#.#.#", "#.#.#.#.#.", ".#.#.#.#.#", "#.#.#.#.#.", ".#.#.#.#.#",
                          "#.#.#.#.#.", ".#.#.#.#.#", "#.#.#.#.#.", ".#.#.#.#.#", "#.#.#.#.#."}, 0},
        // A run of 10 (3 + 5) and 55 % dark (10).
        {"dark first row", {"##########", "#.#.#.#.#.", ".#.#.#.#.#", "#.#.#.#.#.", ".#.#.#.#.#",
                            "#.#.#.#.#.", ".#.#.#.#.#", "#.#.#.#.#.", ".#.#.#.#.#", "#.#.#.#.#."}, 8 + 10},
        // The sequence in row 4 with one light module each side, and the one
        // it makes in column 4.
        {"finder-like, light each side", {".#.#.#.#.", "#.#.#.#.#", ".#.#.#.#.", "#.#.#.#.#", ".#.###.#.",
                                          "#.#.#.#.#", ".#.#.#.#.", "#.#.#.#.#", ".#.#.#.#."}, 80},
        // Row 4 has a dark module before the sequence: it does not count;
        // columns 0 and 4 do.
        {"finder-like, dark before", {".#.#.#.#.", "#.#.#.#.#", ".#.#.#.#.", "#.#.#.#.#", "##.###.#.",
                                      "#.#.#.#.#", ".#.#.#.#.", "#.#.#.#.#", ".#.#.#.#."}, 80},
        // The edges count as light.
        {"finder-like, edge to edge", {"#.###.#", ".#.#.#.", "#.#.#.#", ".#.#.#.", "#.#.#.#", ".#.#.#.", "#.#.#.#"}, 40},
    };
    for (const Case& c : cases) EXPECT_EQ(qr::maskPenalty(fromRows(c.rows)), c.penalty) << c.name;
}

TEST(QrMatrix, AutomaticMaskTakesTheLowestPenaltyAndOnTiesTheLowerPattern) {
    struct Case {
        int scores[8];
        int winner;
    } cases[] = {
        {{9, 9, 4, 9, 9, 4, 9, 9}, 2},   // equal for 2 and 5 and lowest for both
        {{3, 3, 3, 3, 3, 3, 3, 3}, 0},
        {{9, 8, 7, 6, 5, 4, 3, 2}, 7},
        {{5, 1, 5, 5, 5, 5, 5, 1}, 1},
    };
    for (const Case& c : cases) {
        Matrix m;
        m.placeFunctionPatterns(2);
        const std::uint8_t cw[44] = {0x40, 0x76, 0xB6, 0x56, 0xC7, 0x66, 0xF7, 0x26, 0x10, 0xEC, 0x11};
        m.placeCodewords(cw, 44);
        Matrix expected = m;
        expected.applyMask(c.winner);

        int call = 0;
        const int chosen = m.chooseMask(-1, [&](const Matrix&) { return c.scores[call++]; });
        EXPECT_EQ(chosen, c.winner);
        EXPECT_EQ(call, 8);
        for (int r = 0; r < m.size(); ++r)
            for (int col = 0; col < m.size(); ++col) ASSERT_EQ(m.dark(r, col), expected.dark(r, col)) << r << "," << col;
    }
}

TEST(QrMatrix, FormatInformationCarriesLevelAndMaskUnderItsBchCode) {
    struct Case {
        int level, mask;
        std::uint32_t bits;
    } cases[] = {
        {0, 0, 0b111011111000100},
        {1, 0, 0b101010000010010},
        {2, 0, 0b011010101011111},
        {3, 0, 0b001011010001001},
        {3, 7, 0b000100000111011},
    };
    for (const Case& c : cases) EXPECT_EQ(Matrix::formatBits(c.level, c.mask), c.bits) << c.level << " " << c.mask;
}
