#include "Cp932Converter.h"

#include <gtest/gtest.h>

TEST(Cp932Converter, DecodesEveryCharacterAndMarksInvalidBytes)
{
    Cp932Converter converter;
    EXPECT_EQ(converter.toUtf8("\x83\x41\x83\x93 ABC"), "アン ABC");
    EXPECT_EQ(converter.toUtf8("\xB1"), "ｱ");
    EXPECT_EQ(converter.toUtf8(std::string("a\0b", 3)), std::string("a\0b", 3));
    // Control codes stay what they are.
    EXPECT_EQ(converter.toUtf8("\x1A\x1C\x7F"), "\x1A\x1C\x7F");
    // Invalid single bytes, an unmapped pair and a lone lead byte each give one U+FFFD and the characters around them
    // survive.
    EXPECT_EQ(converter.toUtf8("a\x80" "b"), "a\xEF\xBF\xBD" "b");
    EXPECT_EQ(converter.toUtf8("a\x85\x40" "b"), "a\xEF\xBF\xBD" "b");
    EXPECT_EQ(converter.toUtf8("a\x83"), "a\xEF\xBF\xBD");
    EXPECT_EQ(converter.toUtf8("\x83 x"), "\xEF\xBF\xBD x");
    // Long input crosses the converter's internal chunks.
    std::string many;
    for (int i = 0; i < 5000; ++i)
        many += "\x83\x41";
    EXPECT_EQ(converter.toUtf8(many).size(), 15000u);
}

TEST(Cp932Converter, EncodesWhatCp932HoldsAndRefusesTheRest)
{
    Cp932Converter converter;
    EXPECT_EQ(converter.fromUtf8("アン ABC"), std::optional<std::string>("\x83\x41\x83\x93 ABC"));
    // Wave dash and minus sign, as Japanese input methods type them.
    EXPECT_EQ(converter.fromUtf8("\u301C"), std::optional<std::string>("\x81\x60"));
    EXPECT_EQ(converter.fromUtf8("\u2212"), std::optional<std::string>("\x81\x7C"));
    EXPECT_EQ(converter.fromUtf8("①"), std::optional<std::string>("\x87\x40"));
    EXPECT_EQ(converter.fromUtf8(""), std::optional<std::string>(""));
    // No substitute that could match other cards.
    EXPECT_EQ(converter.fromUtf8("a\U0001F600"), std::nullopt);
    EXPECT_EQ(converter.fromUtf8("\xFF"), std::nullopt);
    // The converter is reusable after a refusal.
    EXPECT_EQ(converter.fromUtf8("b"), std::optional<std::string>("b"));

    EXPECT_TRUE(converter.isValidCp932("\x83\x41x"));
    EXPECT_FALSE(converter.isValidCp932("\x83"));
    EXPECT_FALSE(converter.isValidCp932("\xA0"));
}
