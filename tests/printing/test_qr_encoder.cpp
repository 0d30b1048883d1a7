// The encoding half of the QR code component: escapes, division into
// symbols, the parameter check, segmentation and the codeword streams.
#include <gtest/gtest.h>

#include "printing/QrEncoder.h"

using qr::Encoder;

namespace {

QByteArray bytesOf(const Encoder& e) { return e.data().left(e.len()); }

QByteArray hex(const std::uint8_t* p, int n) { return QByteArray(reinterpret_cast<const char*>(p), n).toHex(' ').toUpper(); }

} // namespace

TEST(QrEncoder, DecodeEscapes) {
    struct Case {
        QByteArray text;
        bool escapes;
        QByteArray bytes;
        bool binary;
        bool ok;
    } cases[] = {
        {"A~4142~C", true, "AABC", false, true},
        {"A~4142~C", false, "A~4142~C", false, true},
        {"~~", true, "~", false, true},
        {"a~~b~~", true, "a~b~", false, true},
        {"~0d0A~", true, "\r\n", false, true},
        {"~00~", true, QByteArray(1, '\0'), true, true},
        {"~1F~", true, "\x1F", true, true},
        {"~A0~", true, "\xA0", false, true},
        {"~a1~", true, "\xA1", true, true},
        {"~414~", true, "~414~", false, false},     // odd number of digits
        {"~4G~", true, "~4G~", false, false},       // not hexadecimal
        {"ab~41", true, "ab~41", false, false},     // no closing "~"
        {"", true, "", false, true},
        // The second byte of a double-byte character may be 0x7E; it is not an escape.
        {"\x81\x7E~41~", true, "\x81\x7E" "A", false, true},
    };
    for (const Case& c : cases) {
        Encoder e;
        EXPECT_EQ(e.decodeEscapes(c.text, c.escapes), c.ok) << c.text.toStdString();
        EXPECT_EQ(bytesOf(e), c.bytes) << c.text.toStdString();
        EXPECT_EQ(e.len(), c.bytes.size());
        EXPECT_EQ(e.binary(), c.binary) << c.text.toStdString();
        EXPECT_EQ(e.data().right(4), QByteArray(4, '\0'));
    }
}

TEST(QrEncoder, SplitDataDividesEvenlyWithoutCuttingGbkCharacters) {
    struct Case {
        const char* name;
        QByteArray bytes;
        int count;
        int modeBefore;
        std::vector<int> offsets;
        int modeAfter;
    } cases[] = {
        {"ten bytes in three", "abcdefghij", 3, qr::SeqSingle, {0, 4, 8, 10}, qr::SeqConnect},
        {"ten bytes in four", "abcdefghij", 4, qr::SeqPlus, {0, 3, 6, 9, 10}, qr::SeqPlus},
        {"more symbols than bytes", "abcde", 8, qr::SeqConnect, {0, 1, 2, 3, 4, 5}, qr::SeqConnect},
        {"one symbol", "abcde", 1, qr::SeqConnect, {0, 5}, qr::SeqSingle},
        {"empty", "", 3, qr::SeqConnect, {0, 0}, qr::SeqSingle},
        {"above 16 is plus", QByteArray(40, 'x'), 20, qr::SeqSingle,
         {0, 2, 4, 6, 8, 10, 12, 14, 16, 18, 20, 22, 24, 26, 28, 30, 32, 34, 36, 38, 40}, qr::SeqPlus},
        // Boundary on the second byte of a character: one byte back.
        {"GBK boundary moves back", "\xB0\xA1\xB0\xA1\xB0\xA1", 2, qr::SeqSingle, {0, 2, 6}, qr::SeqConnect},
        // Second bytes 0xFD and 0xFE are GBK second bytes too.
        {"GBK 0xFE second byte", "a\xB0\xFE" "b", 2, qr::SeqSingle, {0, 1, 4}, qr::SeqConnect},
        // Moving back would empty the part: one byte on instead, and when that
        // reaches the end, the division stops.
        {"GBK boundary moves on", "\x81\x40\x81\x40", 4, qr::SeqPlus, {0, 2, 4}, qr::SeqPlus},
        {"GBK division stops", "a\xB0\xA1", 3, qr::SeqSingle, {0, 1, 3}, qr::SeqConnect},
    };
    for (const Case& c : cases) {
        Encoder e;
        e.decodeEscapes(c.bytes, false);
        e.setCount(c.count);
        ASSERT_TRUE(e.setMode(c.modeBefore));
        e.setCount(c.count);
        e.splitData();
        const int parts = static_cast<int>(c.offsets.size()) - 1;
        EXPECT_EQ(e.count(), parts) << c.name;
        std::vector<int> got;
        for (int k = 0; k <= e.count(); ++k) got.push_back(e.offset(k));
        EXPECT_EQ(got, c.offsets) << c.name;
        EXPECT_EQ(e.mode(), c.modeAfter) << c.name;
        EXPECT_NO_THROW(e.checkParameters(16)) << c.name;
    }
}

TEST(QrEncoder, ModeSettingClampsCount) {
    Encoder e;
    ASSERT_TRUE(e.setCount(20));
    ASSERT_TRUE(e.setMode(qr::SeqConnect));
    EXPECT_EQ(e.count(), 16);
    ASSERT_TRUE(e.setMode(qr::SeqPlus));
    EXPECT_EQ(e.count(), 16);
    ASSERT_TRUE(e.setMode(qr::SeqSingle));
    EXPECT_EQ(e.count(), 1);
    ASSERT_TRUE(e.setMode(qr::SeqPlus));
    EXPECT_EQ(e.count(), 2);
    EXPECT_FALSE(e.setMode(3));
    EXPECT_EQ(e.mode(), qr::SeqPlus);
}

TEST(QrEncoder, CheckParametersNamesTheFirstInconsistency) {
    struct Case {
        const char* name;
        std::function<void(Encoder&)> setup;
        int column;
        const char* message;
    } cases[] = {
        {"consistent", [](Encoder&) {}, 16, nullptr},
        {"column", [](Encoder&) {}, 0, "Illegal Column : 0"},
        {"count without data", [](Encoder& e) { e.setCount(3); }, 16, "Illegal Count : 3"},
        {"connect without data", [](Encoder& e) { e.setMode(qr::SeqConnect); }, 16, "Illegal Count : 2"},
        {"mode without data", [](Encoder& e) { e.setMode(qr::SeqConnect); e.setCount(1); }, 16, "Illegal Mode : 1"},
        {"data never divided", [](Encoder& e) { e.decodeEscapes("abc", false); }, 16, "Illegal Offset[1] : 0"},
        {"data changed after dividing", [](Encoder& e) { e.decodeEscapes("abc", false); e.splitData(); e.decodeEscapes("abcdef", false); },
         16, "Illegal Offset[1] : 3"},
        {"single with several", [](Encoder& e) { e.decodeEscapes("abcdef", false); e.setCount(3); e.splitData(); e.setMode(qr::SeqSingle); e.setCount(3); },
         16, "Illegal Count : 3"},
    };
    for (const Case& c : cases) {
        Encoder e;
        c.setup(e);
        if (!c.message) {
            EXPECT_NO_THROW(e.checkParameters(c.column)) << c.name;
            continue;
        }
        try {
            e.checkParameters(c.column);
            ADD_FAILURE() << c.name << ": no exception";
        } catch (const qr::QRCodeError& err) {
            EXPECT_EQ(err.message().toStdString(), c.message) << c.name;
        }
    }
}

TEST(QrEncoder, ParityIsTheXorOfAllDataInConnectMode) {
    Encoder e;
    e.decodeEscapes("ABCD", false);
    e.setCount(2);
    e.splitData();
    e.checkParameters(16);
    EXPECT_EQ(e.mode(), qr::SeqConnect);
    EXPECT_EQ(e.parity(), 'A' ^ 'B' ^ 'C' ^ 'D');

    // Each symbol starts with 0011, its position, the total less one and the parity.
    qr::Matrix m;
    ASSERT_TRUE(e.buildSymbol(1, m));
    EXPECT_EQ(hex(e.dataCodewords(), 3), "30 10 44");
    ASSERT_TRUE(e.buildSymbol(2, m));
    EXPECT_EQ(hex(e.dataCodewords(), 3), "31 10 44");
}

TEST(QrEncoder, AutomaticSegmentation) {
    using Segs = std::vector<std::pair<int, int>>;   // mode, length
    struct Case {
        QByteArray bytes;
        bool usejis;
        Segs segments;
    } cases[] = {
        {"12345", false, {{2, 5}}},
        {"12345", true, {{0, 5}}},
        {"ABC1", true, {{1, 4}}},                          // the single digit is cheaper inside
        {"abc", true, {{2, 3}}},
        {"ABCDEFGH12345678901234", true, {{1, 8}, {0, 14}}},
        {"1234567890abc", true, {{0, 10}, {2, 3}}},
        {"12ab", true, {{2, 4}}},                          // narrow run before a wide one, merged
        {"ab123cd", true, {{2, 7}}},                       // narrow run inside a wide segment, merged
        {"abc12345678901234567890def", true, {{2, 3}, {0, 20}, {2, 3}}},
        {"\x93\xfa\x96\x7b", true, {{3, 4}}},              // Shift JIS double-byte characters
        {"A\x93\xfa", true, {{1, 1}, {3, 2}}},
        {"\x93\xfa", false, {{2, 2}}},
        {"\xEB\xC0", true, {{2, 2}}},                      // beyond the 13 bits of Kanji mode
        {"\x93", true, {{2, 1}}},                          // a lone first byte
    };
    for (const Case& c : cases) {
        Encoder e;
        e.setUsejis(c.usejis);
        Segs got;
        const auto* p = reinterpret_cast<const std::uint8_t*>(c.bytes.constData());
        for (int i = 0; i < c.bytes.size();) {
            const Encoder::Segment s = e.nextSegment(p + i, static_cast<int>(c.bytes.size()) - i);
            got.emplace_back(s.mode, s.length);
            i += s.length;
        }
        EXPECT_EQ(got, c.segments) << c.bytes.toHex().toStdString() << (c.usejis ? " usejis" : "");
    }
}

TEST(QrEncoder, EmodeRIsTheModeOfTheLastSegment) {
    struct Case {
        QByteArray bytes;
        bool usejis;
        int emodeR;
    } cases[] = {{"12345", false, 2}, {"12345", true, 0}, {"abc123456789012345678", true, 0}, {"", true, -1}};
    for (const Case& c : cases) {
        Encoder e;
        e.setUsejis(c.usejis);
        e.decodeEscapes(c.bytes, false);
        e.splitData();
        e.checkParameters(16);
        qr::Matrix m;
        ASSERT_TRUE(e.buildSymbol(1, m));
        EXPECT_EQ(e.emodeR(), c.emodeR) << c.bytes.toStdString();
    }
}

TEST(QrEncoder, CodewordStreams) {
    struct Case {
        const char* name;
        int version, level, emode;
        QByteArray bytes;
        const char* data;   // data codewords
        const char* ecc;    // error-correction codewords at the end of the final sequence (or null)
    } cases[] = {
        // The worked example of the standard: 01234567 at 1-M in numeric mode.
        {"numeric 1-M", 1, 1, 0, "01234567", "10 20 0C 56 61 80 EC 11 EC 11 EC 11 EC 11 EC 11", "A5 24 D4 C1 ED 36 C7 87 2C 55"},
        // No data: the terminator, zero bits to the byte boundary, then the pad codewords.
        {"empty 1-L", 1, 0, -1, "", "00 EC 11 EC 11 EC 11 EC 11 EC 11 EC 11 EC 11 EC 11 EC 11", nullptr},
        {"alphanumeric 1-H", 1, 3, 1, "AC-42", "20 29 CE E7 21 00 EC 11 EC", nullptr},
        {"byte 1-Q", 1, 2, 2, "ab", "40 26 16 20 EC 11 EC 11 EC 11 EC 11 EC", nullptr},
        {"Kanji 1-L", 1, 0, 3, "\x93\x5F\xE4\xAA", "80 26 CF EA A8 00 EC 11 EC 11 EC 11 EC 11 EC 11 EC 11 EC", nullptr},
    };
    for (const Case& c : cases) {
        Encoder e;
        e.setVersion(c.version);
        e.setEclevel(c.level);
        e.setEmode(c.emode);
        e.decodeEscapes(c.bytes, false);
        e.splitData();
        e.checkParameters(16);
        qr::Matrix m;
        ASSERT_TRUE(e.buildSymbol(1, m)) << c.name;
        const int dataCount = qr::versionInfo(c.version).level[c.level].dataCodewords;
        EXPECT_EQ(hex(e.dataCodewords(), dataCount).toStdString(), c.data) << c.name;
        if (c.ecc) {
            const int eccCount = static_cast<int>(QByteArray(c.ecc).split(' ').size());
            EXPECT_EQ(hex(e.finalCodewords() + e.finalCount() - eccCount, eccCount).toStdString(), c.ecc) << c.name;
        }
    }
}

TEST(QrEncoder, CapacityAndSuitability) {
    struct Case {
        const char* name;
        int version, level, emode;
        bool usejis;
        QByteArray bytes;
        bool fits;
    } cases[] = {
        {"151 bytes at 10-Q", 10, 2, -1, false, QByteArray(151, 'x'), true},
        {"152 bytes at 10-Q", 10, 2, -1, false, QByteArray(152, 'x'), false},
        {"41 digits at 1-L", 1, 0, 0, false, QByteArray(41, '7'), true},
        {"42 digits at 1-L", 1, 0, 0, false, QByteArray(42, '7'), false},
        {"7089 digits at 40-L", 40, 0, -1, true, QByteArray(7089, '1'), true},
        {"numeric with a letter", 1, 0, 0, false, "12a", false},
        {"alphanumeric with lower case", 1, 0, 1, false, "ABc", false},
        {"alphanumeric with a high byte", 1, 0, 1, false, "AB\xC1", false},
        {"byte takes anything", 1, 0, 2, false, "\x01\xFF~", true},
        {"Kanji with an odd count", 1, 0, 3, false, "\x93\x5F\xE4", false},
        {"Kanji beyond 13 bits", 1, 0, 3, false, "\xEB\xC0", false},
        {"Kanji with a bad second byte", 1, 0, 3, false, "\x93\x7F", false},
        {"Kanji at the top of its range", 1, 0, 3, false, "\xEB\xBF", true},
    };
    for (const Case& c : cases) {
        Encoder e;
        e.setVersion(c.version);
        e.setEclevel(c.level);
        e.setEmode(c.emode);
        e.setUsejis(c.usejis);
        e.decodeEscapes(c.bytes, false);
        e.splitData();
        e.checkParameters(16);
        qr::Matrix m;
        QString reason;
        EXPECT_EQ(e.buildSymbol(1, m, &reason), c.fits) << c.name;
        EXPECT_EQ(reason.isEmpty(), c.fits) << c.name;
    }
}
