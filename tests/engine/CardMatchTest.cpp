#include "Card.h"
#include "ShiftJis.h"

#include <gtest/gtest.h>

namespace {

Card named(const std::string& name)
{
    Card card;
    card.name = name;
    card.type = "Ice";
    card.rate = "Rare";
    return card;
}

const std::string kA = "\x83\x41";   // katakana A
const std::string kDi = "\x83\x61";  // katakana DI: second byte is 'a'

struct MatchCase {
    std::string field;
    std::string text;
    int match, fmatch, pmatch;
};

}  // namespace

TEST(CardMatch, ExactPrefixAndPartialIgnoreAsciiCase)
{
    const MatchCase cases[] = {
        {"ABC", "abc", 1, 1, 1},
        {"ABCD", "abc", 0, 1, 1},
        {"xABC", "abc", 0, 0, 2},
        {"PORTAL", "ort", 0, 0, 2},
        {"a", "ab", 0, 0, 0},
        {"", "", 1, 1, 1},
        {"abc", "", 0, 1, 1},
        {" ", " ", 1, 1, 1},
        {"b", "bc", 0, 0, 0},
        // Only A-Z fold: '@' (0x40) and '`' (0x60) stay apart, as do [ and {.
        {"@[", "`{", 0, 0, 0},
    };
    for (const auto& c : cases) {
        Card card = named(c.field);
        EXPECT_EQ(card.match(Name, c.text), c.match) << c.field << " / " << c.text;
        EXPECT_EQ(card.fmatch(Name, c.text), c.fmatch) << c.field << " / " << c.text;
        EXPECT_EQ(card.pmatch(Name, c.text), c.pmatch) << c.field << " / " << c.text;
    }
}

TEST(CardMatch, DoubleByteCharactersAreWholeAndNeverFolded)
{
    const MatchCase cases[] = {
        // The second byte 0x41 is no letter: A and DI differ.
        {kDi, kA, 0, 0, 0},
        {kA, kA, 1, 1, 1},
        // A Latin A never matches inside a double-byte character.
        {kA + kA, "A", 0, 0, 0},
        {kA + "a", "A", 0, 0, 3},
        // A match never starts on a second byte: field bytes 83 83 41 are
        // the characters 83 83 and 41.
        {"\x83\x83\x41", kA, 0, 0, 0},
        {"\x83\x83\x41", "a", 0, 0, 3},
        // A lead byte that ends a string is a single-byte character.
        {"x\x83", "X\x83", 1, 1, 1},
        {kA, "\x83", 0, 0, 0},
    };
    for (const auto& c : cases) {
        Card card = named(c.field);
        EXPECT_EQ(card.match(Name, c.text), c.match);
        EXPECT_EQ(card.fmatch(Name, c.text), c.fmatch);
        EXPECT_EQ(card.pmatch(Name, c.text), c.pmatch);
    }
    EXPECT_EQ(strifind("\x82\xa0PORTAL", "ort"), 4);
}

TEST(CardMatch, GetmatchstrPicksTheFieldAndNothingForOtherValues)
{
    Card card = named("N");
    EXPECT_EQ(card.getmatchstr(Type), "Ice");
    EXPECT_EQ(card.getmatchstr(Rate), "Rare");
    auto other = static_cast<search_type>(3);
    EXPECT_EQ(card.getmatchstr(other), "");
    EXPECT_EQ(card.match(other, "N"), 0);
    EXPECT_EQ(card.fmatch(other, ""), 1);
    EXPECT_EQ(card.pmatch(other, ""), 1);
}

TEST(ShiftJis, TruncationNeverSplitsADoubleByteCharacter)
{
    EXPECT_EQ(sjis::truncateToBytes("ab" + kA, 3), "ab");
    EXPECT_EQ(sjis::truncateToBytes("ab" + kA, 4), "ab" + kA);
    EXPECT_EQ(sjis::truncateToBytes("abc", 10), "abc");
    EXPECT_EQ(sjis::truncateToBytes(kA + kA, 1), "");
    // Half-width katakana (0xA1-0xDF) are single bytes.
    EXPECT_EQ(sjis::truncateToBytes("\xB1\xB2\xB3", 2), "\xB1\xB2");
}
