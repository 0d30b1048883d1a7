#include <gtest/gtest.h>

#include "platform/Gbk.h"

TEST(Gbk, EncodesChineseAsTwoBytesAndAsciiAsOne) {
    EXPECT_EQ(Gbk::encode(QStringLiteral("啊")), QByteArray("\xB0\xA1"));
    EXPECT_EQ(Gbk::byteLength(QStringLiteral("A啊1")), 4);
    EXPECT_EQ(Gbk::decode(QByteArray("\xB0\xA1" "b")), QStringLiteral("啊b"));
}

TEST(Gbk, CharacterWithoutGbkFormBecomesQuestionMark) {
    bool lossless = true;
    QByteArray b = Gbk::encode(QStringLiteral("a😀啊"), &lossless);
    EXPECT_FALSE(lossless);
    EXPECT_EQ(b, QByteArray("a?\xB0\xA1"));
}

TEST(Gbk, TruncateNeverCutsACharacterInHalf) {
    struct Case { const char* text; int max; const char* expected; } cases[] = {
        {"abc", 2, "ab"},
        {"a啊", 2, "a"},
        {"a啊", 3, "a啊"},
        {"啊啊", 3, "啊"},
        {"", 5, ""},
        {"abc", 0, ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Gbk::truncateToBytes(QString::fromUtf8(c.text), c.max), QString::fromUtf8(c.expected)) << c.text << " " << c.max;
}
