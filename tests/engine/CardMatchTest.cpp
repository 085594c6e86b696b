// SPDX-License-Identifier: MIT
#include "Card.h"
#include "ShiftJis.h"

#include <gtest/gtest.h>

namespace {

using enum card::search_type;

struct MatchCase {
    std::string field;
    std::string text;
    int match, fmatch, pmatch;
};

const std::string kA = "\x83\x41";   // katakana A
const std::string kDi = "\x83\x61";  // katakana DI: second byte is 'a'

const MatchCase kMatchCases[] = {
    {"ABC", "abc", 1, 1, 1},
    {"ABCD", "abc", 0, 1, 1},
    {"xABC", "abc", 0, 0, 2},
    {"PORTAL", "ort", 0, 0, 2},
    {"", "", 1, 1, 1},
    {"abc", "", 0, 1, 1},
    {" ", " ", 1, 1, 1},
    {"b", "bc", 0, 0, 0},
    // Only A-Z fold: the neighbours of the range and of its image stay apart.
    {"Zz", "zZ", 1, 1, 1},
    {"[", "{", 0, 0, 0},
    // A double-byte character is whole and never folded, and no match starts on its second byte.
    {kDi, kA, 0, 0, 0},
    {kA, kA, 1, 1, 1},
    {kA + kA, "A", 0, 0, 0},
    {kA + "a", "A", 0, 0, 3},
    {"\x83\x83\x41", kA, 0, 0, 0},
    {"\x83\x83\x41", "a", 0, 0, 3},
    {"\x82\xa0PORTAL", "ort", 0, 0, 4},
    // A lead byte that ends a string is a single-byte character.
    {"x\x83", "X\x83", 1, 1, 1},
    {kA, "\x83", 0, 0, 0},
    // The edges of the lead-byte ranges 0x81-0x9F and 0xE0-0xFC: inside, the 'A' after them is a second byte; outside,
    // a letter of its own.
    {"\x81" "A", "a", 0, 0, 0},
    {"\x9F" "A", "a", 0, 0, 0},
    {"\xE0" "A", "a", 0, 0, 0},
    {"\xFC" "A", "a", 0, 0, 0},
    {"\x80" "A", "a", 0, 0, 2},
    {"\xA0" "A", "a", 0, 0, 2},
    {"\xFD" "A", "a", 0, 0, 2},
};

void PrintTo(const MatchCase& c, std::ostream* os) { *os << ::testing::PrintToString(c.field + " / " + c.text); }

class CardMatch : public ::testing::TestWithParam<MatchCase> {};

}  // namespace

TEST_P(CardMatch, ExactPrefixAndPartial)
{
    const MatchCase& c = GetParam();
    card::Card card;
    card.name = c.field;
    EXPECT_EQ(card.match(Name, c.text), c.match);
    EXPECT_EQ(card.fmatch(Name, c.text), c.fmatch);
    EXPECT_EQ(card.pmatch(Name, c.text), c.pmatch);
}

INSTANTIATE_TEST_SUITE_P(Table, CardMatch, ::testing::ValuesIn(kMatchCases));

TEST(ShiftJis, TruncationNeverSplitsADoubleByteCharacter)
{
    EXPECT_EQ(card::sjis::truncateToBytes("ab" + kA, 3), "ab");
    EXPECT_EQ(card::sjis::truncateToBytes("ab" + kA, 4), "ab" + kA);
    EXPECT_EQ(card::sjis::truncateToBytes("abc", 10), "abc");
    EXPECT_EQ(card::sjis::truncateToBytes(kA + kA, 1), "");
    EXPECT_EQ(card::sjis::truncateToBytes("\xB1\xB2\xB3", 2), "\xB1\xB2");  // half-width katakana
}
