#pragma once
// The fixed tables of QR code symbols (Model 2, versions 1 to 40) and the
// arithmetic of their Reed-Solomon error correction.
//
// The version table is typed in from the published symbol tables; the field
// tables and the generator polynomials are computed. tests/printing checks the
// typed values against each other (block sizes against codeword totals, data
// codewords against character capacities, module counts against codewords
// and remainder bits, version information against its BCH code).

#include <cstdint>

namespace qr {

// Modes in the order the component numbers them (the Emode property).
enum Mode : int { ModeNumeric = 0, ModeAlnum = 1, ModeByte = 2, ModeKanji = 3 };

// Error-correction levels in the order the component numbers them (Eclevel).
enum Level : int { LevelL = 0, LevelM = 1, LevelQ = 2, LevelH = 3 };

constexpr int kMaxVersion = 40;
constexpr int kMaxModules = 177;          // modules per side of version 40
constexpr int kMaxDataCodewords = 2956;   // version 40-L
constexpr int kMaxEccCodewords = 2430;    // version 40-H
constexpr int kMaxCodewords = 3706;       // version 40
constexpr int kMaxBlockData = 123;        // the longest data part of one block
constexpr int kMaxSymbolBytes = 7089;     // the largest numeric capacity
constexpr int kMaxGeneratorDegree = 68;

// One group of equal error-correction blocks.
struct BlockGroup {
    int blocks;       // number of blocks in the group (0 for an unused group)
    int codewords;    // codewords per block
    int data;         // data codewords per block
    int correction;   // codewords each block can correct
};

struct LevelInfo {
    int dataCodewords;
    int capacity[4];      // characters: numeric, alphanumeric, byte, Kanji
    BlockGroup group[2];
};

struct VersionInfo {
    int version;
    int totalCodewords;
    int remainderBits;
    LevelInfo level[4];   // L, M, Q, H
    int align[7];         // alignment pattern centre coordinates
    int alignCount;
    int modules;          // 17 + 4 * version
    int countBits[4];     // character-count indicator length per mode
};

// The table entry of version v (1..40).
const VersionInfo& versionInfo(int v);

// The 18-bit version information of version v (7..40): six version bits
// followed by their BCH(18,6) remainder.
std::uint32_t versionBits(int v);

// GF(256) over x^8 + x^4 + x^3 + x^2 + 1.
struct Galois {
    std::uint8_t exp[512];   // exp[i] = alpha^i, doubled so sums of two logs need no reduction
    std::uint8_t log[256];   // log[0] is unused
};
const Galois& galois();

// The Reed-Solomon generator polynomial of the given degree (2..68),
// (x - a^0)(x - a^1)...(x - a^(degree-1)), as exponents of alpha of its
// coefficients from x^(degree-1) down to x^0 (the leading 1 is implied).
const std::uint8_t* generator(int degree);

// Remainder of data (n codewords) divided by the generator of the given
// degree: the block's error-correction codewords, written to ecc.
void reedSolomon(const std::uint8_t* data, int n, int degree, std::uint8_t* ecc);

} // namespace qr
