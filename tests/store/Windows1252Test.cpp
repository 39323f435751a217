#include <gtest/gtest.h>

#include "records/Windows1252.h"

TEST(Windows1252, GermanLettersAndTheEuroTakeOneByteEachAndComeBack)
{
    const QString text = QStringLiteral("Jörg Müßig €5 – “ok”");
    ASSERT_TRUE(Windows1252::CanEncode(text));
    const std::string bytes = Windows1252::FromUnicode(text);
    EXPECT_EQ(bytes.size(), static_cast<size_t>(text.size()));
    EXPECT_EQ(static_cast<unsigned char>(bytes[1]), 0xF6);
    EXPECT_EQ(static_cast<unsigned char>(bytes[11]), 0x80);
    EXPECT_EQ(Windows1252::ToUnicode(bytes), text);
}

TEST(Windows1252, CharactersOutsideTheCodePageAreRefused)
{
    EXPECT_FALSE(Windows1252::CanEncode(QStringLiteral("Ω")));
    EXPECT_FALSE(Windows1252::CanEncode(QStringLiteral("名前")));
    EXPECT_EQ(Windows1252::FromUnicode(QStringLiteral("aΩb")), "a?b");
}

TEST(Windows1252, EveryByteReadsAsACharacterThatWritesBackToIt)
{
    for (int byte = 1; byte < 256; ++byte) {
        const std::string one(1, static_cast<char>(byte));
        const QString text = Windows1252::ToUnicode(one);
        EXPECT_TRUE(Windows1252::CanEncode(text)) << "byte " << byte;
        EXPECT_EQ(Windows1252::FromUnicode(text), one) << "byte " << byte;
    }
}
