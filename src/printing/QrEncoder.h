#pragma once
// The encoding half of the QR code component: the data bytes of its text
// (with the "~" escapes), their division into one or several symbols, the
// parameter check, and for each symbol the bit stream, the Reed-Solomon
// blocks, the interleaved codeword sequence and the module matrix.
//
// TQRCode (QRCode.h) holds one Encoder and paints what it builds; the
// command-line subcommand (QrTool.h) uses it directly.

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <array>
#include <cstdint>
#include <stdexcept>
#include <vector>

#include "printing/QrMatrix.h"
#include "printing/QrTables.h"

namespace qr {

// Raised by Encoder::checkParameters; what() is the fixed message, e.g.
// "Illegal Count : 0".
class QRCodeError : public std::runtime_error {
public:
    explicit QRCodeError(const QString& message) : std::runtime_error(message.toStdString()) {}
    QString message() const { return QString::fromStdString(what()); }
};

// Symbol-sequence modes, numbered as the component's Mode property.
enum SequenceMode : int { SeqSingle = 0, SeqConnect = 1, SeqPlus = 2 };

class Encoder {
public:
    Encoder();

    // Settings. Each setter returns false and changes nothing when the value
    // is outside its range.
    bool setVersion(int v);        // 1..40
    bool setEclevel(int level);    // 0..3 = L, M, Q, H
    bool setEmode(int mode);       // -1 automatic, 0 numeric, 1 alphanumeric, 2 byte, 3 Kanji; sets emodeR
    bool setMasktype(int mask);    // -1 automatic, 0..7 fixed; sets masktypeR
    bool setMode(int mode);        // single sets Count 1, connect clamps it into 2..16, plus into 2..1024
    bool setCount(int count);      // 1..1024
    void setUsejis(bool on) { usejis_ = on; }

    int version() const { return version_; }
    int eclevel() const { return eclevel_; }
    int emode() const { return emode_; }
    int emodeR() const { return emodeR_; }
    int masktype() const { return masktype_; }
    int masktypeR() const { return masktypeR_; }
    int mode() const { return mode_; }
    int count() const { return count_; }
    bool usejis() const { return usejis_; }

    // The data bytes of the text. Without escapes they are the bytes as they
    // stand. With escapes, "~~" gives one "~" and "~4142~" the bytes given in
    // hexadecimal; an unclosed escape, an odd number of digits or a character
    // that is not a hexadecimal digit fails the decoding, and the bytes are
    // then taken as they stand. Returns false when the decoding failed.
    bool decodeEscapes(const QByteArray& text, bool escapes);
    const QByteArray& data() const { return data_; }   // len() bytes, then four zero bytes
    int len() const { return len_; }
    bool binary() const { return binary_; }

    // Divides the data into Count parts of about equal size without cutting a
    // double-byte GBK character, and brings Count and Mode into line.
    void splitData();
    int offset(int k) const { return offset_[static_cast<std::size_t>(k)]; }
    // Number of parts of the last split (before the first: one empty part).
    int parts() const { return parts_; }

    // Checks Len, Count, Mode, Column and the offsets; throws QRCodeError.
    // Afterwards, in connect mode, the parity is the XOR of all data bytes.
    void checkParameters(int column);
    int parity() const { return parity_; }

    // Builds symbol k (1-based) of the last split into matrix. Returns false,
    // with the reason, when the part is longer than one symbol can hold, does
    // not fit in the version at the level, or does not suit the fixed mode.
    bool buildSymbol(int k, Matrix& matrix, QString* reason = nullptr);

    // The text image of all symbols of the last split (see the component's
    // PBM property). A symbol that cannot be built ends the list; failure
    // then holds the reason.
    QStringList buildPbm(int pxmag, QString* failure = nullptr);

    // The steps of buildSymbol, for tests and measurements.
    bool encodeSymbol(const std::uint8_t* bytes, int n, QString* reason = nullptr);
    void addErrorCorrection();
    void interleaveCodewords();
    const std::uint8_t* dataCodewords() const { return dataArea_.data(); }
    const std::uint8_t* finalCodewords() const { return final_.data(); }
    int finalCount() const { return versionInfo(version_).totalCodewords; }
    void setCurrent(int k) { current_ = k; }

    // Automatic segmentation.
    int charClass(const std::uint8_t* p, int remaining) const;   // 0 numeric, 1 alphanumeric, 2 byte, 3 Kanji
    int segmentCost(int mode, int n) const;                        // bits, for the current version
    struct Segment { int mode; int length; };
    Segment nextSegment(const std::uint8_t* p, int remaining) const;

    static int alnumValue(std::uint8_t c);   // -1 for a character outside the table

private:
    void putBits(std::uint32_t value, int n);
    int bitsWritten() const { return bytePos_ * 8 + (7 - bitPos_); }
    bool writeSegment(int mode, const std::uint8_t* p, int n, QString* reason);
    bool suits(int mode, const std::uint8_t* p, int n) const;
    int runLength(const std::uint8_t* p, int remaining, int cls) const;

    int version_ = 1;
    int eclevel_ = 0;
    int emode_ = -1;
    int emodeR_ = -1;
    int masktype_ = -1;
    int masktypeR_ = -1;
    int mode_ = SeqSingle;
    int count_ = 1;
    bool usejis_ = false;

    QByteArray data_;
    int len_ = 0;
    bool binary_ = true;
    int parity_ = 0;
    std::array<int, 1025> offset_{};
    int parts_ = 1;
    int current_ = 1;

    std::array<std::uint8_t, kMaxDataCodewords> dataArea_{};
    int bytePos_ = 0;
    int bitPos_ = 7;
    std::array<std::uint8_t, kMaxEccCodewords> eccArea_{};
    std::array<std::uint8_t, kMaxCodewords> final_{};
};

} // namespace qr
