// The typed symbol tables checked against each other and against what they
// describe; the computed field and generator tables checked by their algebra.
#include <gtest/gtest.h>

#include "printing/QrMatrix.h"
#include "printing/QrTables.h"

using namespace qr;

namespace {

// Characters that fit in a data-codeword area after the 4-bit mode indicator
// and the count indicator.
int fitting(int mode, int bits, int countBits) {
    const int a = bits - 4 - countBits;
    switch (mode) {
    case ModeNumeric: return a / 10 * 3 + (a % 10 >= 7 ? 2 : a % 10 >= 4 ? 1 : 0);
    case ModeAlnum: return a / 11 * 2 + (a % 11 >= 6 ? 1 : 0);
    case ModeByte: return a / 8;
    default: return a / 13;
    }
}

} // namespace

TEST(QrTables, BlockStructureAddsUpAndMatchesCapacities) {
    for (int v = 1; v <= kMaxVersion; ++v) {
        const VersionInfo& info = versionInfo(v);
        EXPECT_EQ(info.modules, 17 + 4 * v);
        for (int l = 0; l < 4; ++l) {
            const LevelInfo& lv = info.level[l];
            const BlockGroup& g1 = lv.group[0];
            const BlockGroup& g2 = lv.group[1];
            SCOPED_TRACE(testing::Message() << "version " << v << " level " << "LMQH"[l]);
            EXPECT_EQ(g1.blocks * g1.codewords + g2.blocks * g2.codewords, info.totalCodewords);
            EXPECT_EQ(g1.blocks * g1.data + g2.blocks * g2.data, lv.dataCodewords);
            // Every block of a level has the same number of correction
            // codewords; a second group has blocks one codeword longer.
            if (g2.blocks > 0) {
                EXPECT_EQ(g2.codewords, g1.codewords + 1);
                EXPECT_EQ(g2.codewords - g2.data, g1.codewords - g1.data);
                EXPECT_EQ(g2.correction, g1.correction);
            }
            EXPECT_LE(2 * g1.correction, g1.codewords - g1.data);
            if (v > 3) {
                EXPECT_EQ(2 * g1.correction, g1.codewords - g1.data);
            }
            EXPECT_LE(g2.blocks > 0 ? g2.data : g1.data, kMaxBlockData);
            for (int mode = 0; mode < 4; ++mode)
                EXPECT_EQ(lv.capacity[mode], fitting(mode, lv.dataCodewords * 8, info.countBits[mode])) << "mode " << mode;
        }
        // Higher levels hold fewer data.
        for (int l = 1; l < 4; ++l) EXPECT_LT(info.level[l].dataCodewords, info.level[l - 1].dataCodewords);
    }
    EXPECT_EQ(versionInfo(40).level[LevelL].dataCodewords, kMaxDataCodewords);
    EXPECT_EQ(versionInfo(40).totalCodewords - versionInfo(40).level[LevelH].dataCodewords, kMaxEccCodewords);
    EXPECT_EQ(versionInfo(40).totalCodewords, kMaxCodewords);
    EXPECT_EQ(versionInfo(40).level[LevelL].capacity[ModeNumeric], kMaxSymbolBytes);
    EXPECT_EQ(versionInfo(10).level[LevelQ].capacity[ModeByte], 151);
}

TEST(QrTables, CodewordsAndRemainderFillTheFreeModules) {
    // With its function patterns laid out, a version has exactly
    // total codewords x 8 + remainder bits modules left for data; this
    // checks alignment positions, totals and remainder bits together.
    Matrix m;
    for (int v = 1; v <= kMaxVersion; ++v) {
        m.placeFunctionPatterns(v);
        int free = 0;
        for (int r = 0; r < m.size(); ++r)
            for (int c = 0; c < m.size(); ++c) free += m.isFunction(r, c) ? 0 : 1;
        const VersionInfo& info = versionInfo(v);
        EXPECT_EQ(free, info.totalCodewords * 8 + info.remainderBits) << "version " << v;
    }
}

TEST(QrTables, AlignmentPatternsRunFromColumnSixToTheFarEdge) {
    for (int v = 1; v <= kMaxVersion; ++v) {
        const VersionInfo& info = versionInfo(v);
        if (v == 1) {
            EXPECT_EQ(info.alignCount, 0);
            continue;
        }
        ASSERT_EQ(info.alignCount, v / 7 + 2) << v;
        EXPECT_EQ(info.align[0], 6);
        EXPECT_EQ(info.align[info.alignCount - 1], info.modules - 7) << v;
        // All steps from the second on are equal and even.
        if (info.alignCount > 2) {
            const int step = info.align[2] - info.align[1];
            EXPECT_EQ(step % 2, 0) << v;
            for (int i = 2; i < info.alignCount; ++i) EXPECT_EQ(info.align[i] - info.align[i - 1], step) << v;
        }
    }
}

TEST(QrTables, VersionInformationIsItsBchCode) {
    for (int v = 7; v <= kMaxVersion; ++v) {
        std::uint32_t rem = static_cast<std::uint32_t>(v) << 12;
        for (int i = 17; i >= 12; --i)
            if (rem & (1u << i)) rem ^= 0x1F25u << (i - 12);
        EXPECT_EQ(versionBits(v), (static_cast<std::uint32_t>(v) << 12) | rem) << v;
    }
}

TEST(QrTables, FieldTablesAndGeneratorsHoldTheirAlgebra) {
    const Galois& gf = galois();
    // alpha is primitive: its 255 powers are all the non-zero elements.
    bool seen[256] = {};
    for (int i = 0; i < 255; ++i) {
        EXPECT_FALSE(seen[gf.exp[i]]);
        seen[gf.exp[i]] = true;
        EXPECT_EQ(gf.log[gf.exp[i]], i);
    }
    EXPECT_FALSE(seen[0]);
    EXPECT_EQ(gf.exp[8], 0x1D);   // x^8 = x^4 + x^3 + x^2 + 1

    auto mul = [&](int a, int b) { return a && b ? gf.exp[gf.log[a] + gf.log[b]] : 0; };
    for (int degree = 2; degree <= kMaxGeneratorDegree; ++degree) {
        const std::uint8_t* g = generator(degree);
        // g(a^i) = 0 for i = 0..degree-1 (Horner's rule; coefficients are
        // exponents, the leading one 1).
        for (int i = 0; i < degree; ++i) {
            int acc = 1;
            for (int k = 0; k < degree; ++k) acc = mul(acc, gf.exp[i]) ^ gf.exp[g[k]];
            EXPECT_EQ(acc, 0) << "degree " << degree << " root " << i;
        }
    }
    // The generator of degree 7 as the published list of exponents.
    const std::uint8_t seven[7] = {87, 229, 146, 149, 238, 102, 21};
    for (int k = 0; k < 7; ++k) EXPECT_EQ(generator(7)[k], seven[k]);
}
