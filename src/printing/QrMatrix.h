#pragma once
// The module matrix of one QR code symbol: function patterns, codeword
// placement, the eight data masks with the component's penalty rule, and the
// format and version information.

#include <cstdint>
#include <functional>

#include "printing/QrTables.h"

namespace qr {

class Matrix {
public:
    // Bits of a module's byte.
    static constexpr std::uint8_t kData = 1;      // the data bit as placed, before masking
    static constexpr std::uint8_t kDark = 2;      // the final colour, 1 = dark
    static constexpr std::uint8_t kFunction = 4;  // finder, separator, timing, alignment, reserved areas

    Matrix() = default;

    int size() const { return m_; }
    int version() const { return version_; }
    std::uint8_t at(int row, int col) const { return cell_[row * kMaxModules + col]; }
    bool dark(int row, int col) const { return (at(row, col) & kDark) != 0; }
    bool isFunction(int row, int col) const { return (at(row, col) & kFunction) != 0; }

    // Clears the matrix and lays out the finder patterns, separators,
    // alignment patterns and timing patterns of the version, and reserves the
    // format areas, the dark module and (from version 7) the version areas.
    void placeFunctionPatterns(int version);

    // Places the codewords in two-module columns from the bottom-right corner,
    // skipping function modules and the vertical timing column. Modules left
    // over (the remainder bits) stay clear.
    void placeCodewords(const std::uint8_t* codewords, int count);

    // Copies the data bit of every non-function module into its colour and
    // inverts it where pattern p (0..7) holds.
    void applyMask(int p);

    // A fixed pattern (0..7) is applied as it is. With -1 every pattern is
    // applied and scored by penalty; the lowest score wins, on equal scores
    // the lower pattern number. Returns the pattern applied.
    using Penalty = std::function<int(const Matrix&)>;
    int chooseMask(int masktype, const Penalty& penalty = {});

    // Writes both copies of the format information for the level and mask,
    // the dark module, and from version 7 both copies of the version
    // information.
    void placeFormatInfo(int eclevel, int mask);

    // For tests and tools: set a module's colour directly.
    void setSize(int m) { m_ = m; }
    void setDark(int row, int col, bool dark);

    // The 15-bit format information (after the XOR with 0x5412).
    static std::uint32_t formatBits(int eclevel, int mask);

private:
    void set(int row, int col, std::uint8_t bits) { cell_[row * kMaxModules + col] = bits; }
    std::uint8_t& ref(int row, int col) { return cell_[row * kMaxModules + col]; }
    void finder(int row, int col);
    void alignment(int row, int col);

    int m_ = 21;
    int version_ = 1;
    std::uint8_t cell_[kMaxModules * kMaxModules] = {};
};

// The component's penalty of the final colours of an m x m matrix:
// runs of five or more modules of one colour in a row or column
// (3 + length - 5 each), 2 x 2 blocks of one colour (3 each, overlapping
// blocks counted), the finder-like sequence dark, light, dark x3, light, dark
// in a row or column bounded by a light module or the edge on each side (40
// each), and the balance 10 x (|d - 50| div 5) with d the integer percentage
// of dark modules.
int maskPenalty(const Matrix& matrix);

} // namespace qr
