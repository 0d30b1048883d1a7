#include <gtest/gtest.h>

#include "master/IMCode.h"
#include "master/PinyinTool.h"
#include "platform/Gbk.h"

#include <map>
#include <sstream>
#include <string>
#include <utility>

namespace {

QByteArray bytes2(int lead, int trail) {
    QByteArray b;
    b.append(static_cast<char>(lead));
    b.append(static_cast<char>(trail));
    return b;
}

QString hexOf(const QByteArray& b) { return QString::fromLatin1(b.toHex(' ')); }

} // namespace

// Texts as the program holds them; each case also runs through the byte form
// when the text has one, so both entry points are held to the same result.
TEST(PinyinCode, Texts) {
    struct Case { const char* text; const char* code; } cases[] = {
        // names
        {"仓库", "CK"},
        {"办公用品", "BGYP"},
        {"中性笔", "ZXB"},
        {"A4打印纸", "A4DYZ"},
        {"仓库（一）", "CKY"},        // full-width brackets are dropped
        {"张　三", "Z?S"},            // ideographic space: a symbol without a reading
        {"①号库", "1HK"},
        {"张三", "ZS"},
        // nothing to keep
        {"", ""},
        {"，！？；：（）＋－＝", ""},        // full-width ASCII punctuation
        {"。、“”《》～", "???????"},      // CJK punctuation is a symbol without a reading
        {" -_.,;:'\"()[]{}!@#$%^&*+=/\\|<>`~", ""},
        {"?", ""},                    // a typed question mark is punctuation
        // ASCII
        {"abc xyz 0189", "ABCXYZ0189"},
        // characters without a reading, and readings that differ from the sort order
        {"佛", "?"}, {"给", "?"}, {"髟", "?"},
        {"长", "Z"}, {"行", "H"}, {"调", "T"}, {"宿", "X"}, {"曾", "C"},
        {"重单解朴仇藏还会觉角薄乐区沈率嗯", "ZDJPCCHHJJBLQSLE"},
        // level 2 and the GBK extension areas
        {"婷昊琦钰璐曦淼鑫", "THQYLXMX"},
        {"喆堃犇垚彧", "ZKBYY"},
        {"玥赟祎頔镕", "YYYDR"},
        // full-width letters and digits keep their case; full-width punctuation is dropped
        {"ＡＢＣ", "ABC"}, {"ａｂｃ", "abc"}, {"Ｚｚ０９", "Zz09"}, {"＃＠！", ""},
        // Greek, capital and small alike
        {"Ω", "O"}, {"ω", "O"}, {"θ", "TH"}, {"Θ", "TH"}, {"Αβγδ", "ABGD"},
        {"ζη", "ZE"}, {"φχψ", "PHKHPS"}, {"ΞΠΡΣΤΥ", "XPRSTU"},
        // numbers of the number-symbol row
        {"ⅰxⅹ", "1X10"}, {"⒈x⒛", "1X20"}, {"⑴x⒇", "1X20"}, {"①x⑩", "1X10"},
        {"㈠x㈩", "1X10"}, {"Ⅰx Ⅻ", "1X12"},
        // other symbols have no reading
        {"℃№※", "???"}, {"ā", "?"}, {"ㄅ", "?"}, {"ぁ", "?"}, {"─", "?"},
        // characters without a GBK form count as characters without a reading
        {"A😀B", "A?B"}, {"한글", "??"}, {"a?b😀", "AB?"},
    };
    for (const auto& c : cases) {
        const QString text = QString::fromUtf8(c.text);
        EXPECT_EQ(PinyinCodeOf(text), QString::fromUtf8(c.code)) << c.text;
        bool lossless = false;
        const QByteArray gbk = Gbk::encode(text, &lossless);
        if (lossless) {
            EXPECT_EQ(PinyinCodeOf(gbk), QByteArray(c.code)) << c.text;
        }
    }
}

// Byte sequences that no text encodes to, or that sit at the edges of the rules.
TEST(PinyinCode, Bytes) {
    struct Case { QByteArray gbk; const char* code; } cases[] = {
        {QByteArray("\xB2\xD6\xBF"), "C"},              // a lone lead byte at the end is dropped
        {QByteArray("\xFE"), ""},
        {QByteArray("\xB2" "1\xBF\xE2"), "1K"},         // a lead byte before a byte below 0x40 is dropped
        {QByteArray("\x80" "A"), "A"},                  // 0x80 is a single byte
        {QByteArray("A\0B", 3), "AB"},                  // a zero byte is just punctuation
        {QByteArray("\xFF\x41"), "?"},                  // lead 0xFF
        {QByteArray("\xB0\xFF"), "?"},                  // trail 0xFF
        {QByteArray("\xB0\x7F"), "?"},                  // trail 0x7F is no GBK character
        {QByteArray("\xFF\xFF" "A"), "?A"},
        {QByteArray("\xA2\x50"), "?"},                  // number row below trail 0xA1
        {QByteArray("\xA2\xFF"), "?"},
        {QByteArray("\xA2\xAB\xA2\xE3\xA2\xE4\xA2\xEF\xA2\xF0\xA2\xFD\xA2\xFE"), ""},  // unassigned numbers
        {QByteArray("\xA3\x41"), ""},                   // full-width row below trail 0x80
        {QByteArray("\xA3\xFF"), ""},
        {QByteArray("\xA6\xB9\xA6\xC0\xA6\xD9\xA6\x50\xA6\xFF"), "?????"},  // not a Greek letter
        {QByteArray("\xA1\xA1\xA8\x40\xA9\xA0\xAA\xA1\xF8\xA1\xFE\xFE\xA1\x40\xA7\xA0"), "????????"},
        {QByteArray("\xD7\xFA"), "?"},                  // the empty end of level 1
    };
    for (const auto& c : cases) EXPECT_EQ(PinyinCodeOf(c.gbk), QByteArray(c.code)) << hexOf(c.gbk).toStdString();
}

TEST(PinyinCode, IsCutTo255Characters) {
    const QString chinese = QString::fromUtf8("仓").repeated(300);
    EXPECT_EQ(PinyinCodeOf(chinese), QString(255, QLatin1Char('C')));
    EXPECT_EQ(PinyinCodeOf(Gbk::encode(chinese)), QByteArray(255, 'C'));
    EXPECT_EQ(PinyinCodeOf(QByteArray(300, 'a')), QByteArray(255, 'A'));

    // A piece of two characters that crosses the limit keeps its first one.
    const QByteArray a254(254, 'A');
    EXPECT_EQ(PinyinCodeOf(a254 + "\xA2\xE2"), a254 + "1");     // ⑩
    EXPECT_EQ(PinyinCodeOf(a254 + "\xA6\xC8"), a254 + "T");     // θ
    EXPECT_EQ(PinyinCodeOf(QByteArray(253, 'A') + "\xA2\xE2"), QByteArray(253, 'A') + "10");

    // Dropped characters do not count.
    EXPECT_EQ(PinyinCodeOf(QByteArray(1000, ',') + "ab"), QByteArray("AB"));

    // The low-level form writes no more than it is given room for.
    char out[4] = {'-', '-', '-', '-'};
    EXPECT_EQ(PinyinCodeInto("\xA2\xE2\xA6\xC8", 4, out, 3), 3u);
    EXPECT_EQ(std::string(out, 4), "10T-");
}

// Level 1 is ordered by pinyin: every character takes the initial of the code
// range it lies in, except the characters read otherwise.
TEST(PinyinCode, Level1FollowsCodeRangesAndExceptions) {
    const std::pair<char, int> ranges[] = {
        {'A', 0xB0A1}, {'B', 0xB0C5}, {'C', 0xB2C1}, {'D', 0xB4EE}, {'E', 0xB6EA}, {'F', 0xB7A2},
        {'G', 0xB8C1}, {'H', 0xB9FE}, {'J', 0xBBF7}, {'K', 0xBFA6}, {'L', 0xC0AC}, {'M', 0xC2E8},
        {'N', 0xC4C3}, {'O', 0xC5B6}, {'P', 0xC5BE}, {'Q', 0xC6DA}, {'R', 0xC8BB}, {'S', 0xC8F6},
        {'T', 0xCBFA}, {'W', 0xCDDA}, {'X', 0xCEF4}, {'Y', 0xD1B9}, {'Z', 0xD4D1},
    };
    const char* exceptions[][2] = {
        {"耙", "P"}, {"辟", "P"}, {"长", "Z"}, {"匙", "S"}, {"幢", "Z"}, {"翟", "Z"}, {"调", "T"},
        {"囤", "T"}, {"佛", "?"}, {"脯", "P"}, {"蛤", "H"}, {"给", "?"}, {"夯", "B"}, {"貉", "M"},
        {"槛", "K"}, {"侥", "Y"}, {"咯", "G"}, {"瀑", "B"}, {"刹", "C"}, {"宿", "X"}, {"厦", "S"},
        {"挟", "J"}, {"行", "H"}, {"畜", "C"}, {"吁", "X"}, {"曾", "C"}, {"栅", "S"},
    };
    std::map<int, char> exceptionAt;
    for (const auto& e : exceptions) {
        const QByteArray b = Gbk::encode(QString::fromUtf8(e[0]));
        ASSERT_EQ(b.size(), 2) << e[0];
        const int code = static_cast<unsigned char>(b[0]) << 8 | static_cast<unsigned char>(b[1]);
        ASSERT_TRUE(code >= 0xB0A1 && code <= 0xD7F9) << e[0];
        exceptionAt[code] = e[1][0];
    }
    ASSERT_EQ(exceptionAt.size(), 27u);

    int checked = 0;
    int unread = 0;
    for (int lead = 0xB0; lead <= 0xD7; ++lead) {
        for (int trail = 0xA1; trail <= 0xFE; ++trail) {
            const int code = lead << 8 | trail;
            if (code > 0xD7F9) break;
            char expected = 0;
            for (const auto& [initial, first] : ranges)
                if (code >= first) expected = initial;
            if (auto e = exceptionAt.find(code); e != exceptionAt.end()) expected = e->second;
            const QByteArray got = PinyinCodeOf(bytes2(lead, trail));
            EXPECT_EQ(got, QByteArray(1, expected)) << QString::number(code, 16).toStdString();
            ++checked;
            unread += got == "?";
        }
    }
    EXPECT_EQ(checked, 3755);
    EXPECT_EQ(unread, 2);
}

// Symbols, the GBK symbol area and the user-defined areas have no readings;
// every other character of level 2 has one except 髟.
TEST(PinyinCode, AreasWithAndWithoutReadings) {
    auto noReading = [](int lead, int trail) {
        if (lead == 0xA2 || lead == 0xA3 || lead == 0xA6) return;  // rows with rules of their own
        EXPECT_EQ(PinyinCodeOf(bytes2(lead, trail)), QByteArray("?")) << hexOf(bytes2(lead, trail)).toStdString();
    };
    for (int lead = 0xA1; lead <= 0xA9; ++lead)
        for (int trail = 0xA1; trail <= 0xFE; ++trail) noReading(lead, trail);
    for (int lead = 0xA1; lead <= 0xA9; ++lead)
        for (int trail = 0x40; trail <= 0xA0; ++trail) noReading(lead, trail);
    for (int lead = 0xAA; lead <= 0xAF; ++lead)
        for (int trail = 0xA1; trail <= 0xFE; ++trail) noReading(lead, trail);
    for (int lead = 0xF8; lead <= 0xFE; ++lead)
        for (int trail = 0xA1; trail <= 0xFE; ++trail) noReading(lead, trail);

    int unread = 0;
    for (int lead = 0xD8; lead <= 0xF7; ++lead) {
        for (int trail = 0xA1; trail <= 0xFE; ++trail) {
            const QByteArray got = PinyinCodeOf(bytes2(lead, trail));
            ASSERT_EQ(got.size(), 1);
            if (got == "?") {
                ++unread;
                EXPECT_EQ(bytes2(lead, trail), QByteArray("\xF7\xD4"));  // 髟
            } else {
                EXPECT_TRUE(got[0] >= 'A' && got[0] <= 'Z') << hexOf(bytes2(lead, trail)).toStdString();
            }
        }
    }
    EXPECT_EQ(unread, 1);

    for (char c : std::string(PinyinTable::kInitials))
        ASSERT_TRUE(c == ' ' || (c >= 'A' && c <= 'Z') ) << int(c);
}

// The table is indexed by bytes; the program's text goes through the GBK
// converter. Every character the converter knows must come out the same way
// by either road.
TEST(PinyinCode, TextAndBytesAgreeOnEveryGbkCharacter) {
    int characters = 0;
    for (int lead = 0x81; lead <= 0xFE; ++lead) {
        for (int trail = 0x40; trail <= 0xFE; ++trail) {
            const QByteArray b = bytes2(lead, trail);
            const QString text = Gbk::decode(b);
            if (text.size() != 1 || text[0] == QChar(0xFFFD) || Gbk::encode(text) != b) continue;
            ++characters;
            ASSERT_EQ(PinyinCodeOf(text), QString::fromLatin1(PinyinCodeOf(b))) << hexOf(b).toStdString();
        }
    }
    EXPECT_GT(characters, 21000);
}

TEST(PinyinTool, PrintsTheCodeOfEachArgument) {
    std::istringstream in("ignored\n");
    std::ostringstream out;
    const QStringList args = {QString::fromUtf8("仓库"), QString(), QString::fromUtf8("A4打印纸"), QString::fromUtf8("😀")};
    EXPECT_EQ(pinyinToolMain(args, in, out), 0);
    EXPECT_EQ(out.str(), "CK\n\nA4DYZ\n?\n");
}

TEST(PinyinTool, ReadsLinesFromStandardInput) {
    struct Case { std::string input; std::string output; } cases[] = {
        {"", ""},
        {"\n", "\n"},
        {"仓库\n\n张三\n", "CK\n\nZS\n"},
        {"仓库\r\n办公用品\r\n", "CK\nBGYP\n"},       // CRLF lines
        {"abc", "ABC\n"},                             // last line without a newline
        {"\xEF\xBB\xBF" "仓库\n", "CK\n"},            // byte-order mark
        {"a\xFF" "b\n", "A?B\n"},                     // invalid UTF-8 has no GBK form
    };
    for (const auto& c : cases) {
        std::istringstream in(c.input);
        std::ostringstream out;
        EXPECT_EQ(pinyinToolMain({}, in, out), 0) << c.input;
        EXPECT_EQ(out.str(), c.output) << c.input;
    }
}
