#include "SearchCriteria.h"

#include <gtest/gtest.h>

namespace {

struct CriteriaCase {
    SearchCriteria criteria;  // name, type, rate, side, mode
    std::string name, type, rate;  // of the card
    bool hit;
};

const CriteriaCase kCases[] = {
    {{"abc", "", "", 0, Exact}, "ABCD", "T", "Rare", false},
    {{"ab", "", "", 0, Prefix}, "abx", "T", "Rare", true},
    {{"ab", "", "", 0, Prefix}, "xab", "T", "Rare", false},
    {{"bc", "", "", 0, Partial}, "xbcx", "T", "Rare", true},
    // A mode the program never writes matches nothing.
    {{"ABC", "", "", 0, 3}, "ABC", "T", "Rare", false},
    {{"ABC", "", "", 0, -1}, "ABC", "T", "Rare", false},
    // Name or type, in every mode.
    {{"abc", "xyz", "", 0, Exact}, "abc", "other", "Rare", true},
    {{"abc", "xyz", "", 0, Prefix}, "other", "xyz", "Rare", true},
    {{"abc", "xyz", "", 0, Partial}, "other", "other", "Rare", false},
    {{"", "ice", "", 0, Prefix}, "abc", "Ice: Wall", "Rare", true},
    // The rarity is compared whole in every mode, ignoring case.
    {{"abc", "", "rare", 0, Exact}, "abc", "T", "Rare", true},
    {{"abc", "", "Rar", 0, Prefix}, "abc", "T", "Rare", false},
    {{"abc", "", "rare", 0, Partial}, "abc", "T", "Common", false},
    // Without a name or type text nothing is a hit, whatever the rarity.
    {{"", "", "Rare", 0, Partial}, "abc", "T", "Rare", false},
    // Texts are never trimmed.
    {{" ", "", "", 0, Exact}, " ", "T", "Rare", true},
};

void PrintTo(const CriteriaCase& c, std::ostream* os) { *os << ::testing::PrintToString(c.name + " / " + c.type + " / " + c.rate); }

class Criteria : public ::testing::TestWithParam<CriteriaCase> {};

}  // namespace

TEST_P(Criteria, Accepts)
{
    const CriteriaCase& c = GetParam();
    Card card;
    card.name = c.name;
    card.type = c.type;
    card.rate = c.rate;
    EXPECT_EQ(c.criteria.accepts(card), c.hit);
}

INSTANTIATE_TEST_SUITE_P(Table, Criteria, ::testing::ValuesIn(kCases));
