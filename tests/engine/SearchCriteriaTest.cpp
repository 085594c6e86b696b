#include "SearchCriteria.h"

#include <gtest/gtest.h>

namespace {

Card card(const std::string& name, const std::string& type = "Program", const std::string& rate = "Rare")
{
    Card c;
    c.name = name;
    c.type = type;
    c.rate = rate;
    return c;
}

SearchCriteria criteria(const std::string& name, const std::string& type, const std::string& rate, int mode)
{
    return SearchCriteria{name, type, rate, 0, mode};
}

}  // namespace

TEST(SearchCriteria, ModesDecideHowNameAndTypeMatch)
{
    auto exact = criteria("abc", "", "", Exact);
    EXPECT_TRUE(exact.accepts(card("ABC")));
    EXPECT_FALSE(exact.accepts(card("ABCD")));
    EXPECT_FALSE(exact.accepts(card("xABC")));

    auto prefix = criteria("ab", "", "", Prefix);
    EXPECT_TRUE(prefix.accepts(card("ABC")));
    EXPECT_TRUE(prefix.accepts(card("abx")));
    EXPECT_FALSE(prefix.accepts(card("xab")));
    EXPECT_FALSE(prefix.accepts(card("a")));

    auto partial = criteria("bc", "", "", Partial);
    EXPECT_TRUE(partial.accepts(card("ABC")));
    EXPECT_TRUE(partial.accepts(card("xbcx")));
    EXPECT_FALSE(partial.accepts(card("b")));

    // A mode the program never writes matches nothing.
    EXPECT_FALSE(criteria("ABC", "", "", 7).accepts(card("ABC")));
    EXPECT_FALSE(criteria("ABC", "", "", -1).accepts(card("ABC")));
}

TEST(SearchCriteria, NameOrTypeThenRarityAlwaysWhole)
{
    for (int mode : {Exact, Prefix, Partial}) {
        auto either = criteria("abc", "xyz", "", mode);
        EXPECT_TRUE(either.accepts(card("abc", "other"))) << mode;
        EXPECT_TRUE(either.accepts(card("other", "xyz"))) << mode;
        EXPECT_FALSE(either.accepts(card("other", "other"))) << mode;

        EXPECT_TRUE(criteria("abc", "", "rare", mode).accepts(card("abc", "T", "Rare"))) << mode;
        EXPECT_FALSE(criteria("abc", "", "Rar", mode).accepts(card("abc", "T", "Rare"))) << mode;
        EXPECT_FALSE(criteria("abc", "", "rare", mode).accepts(card("abc", "T", "Common"))) << mode;
    }
    // Without a name or type text nothing is a hit, whatever the rarity.
    EXPECT_FALSE(criteria("", "", "Rare", Partial).accepts(card("abc")));
    EXPECT_FALSE(criteria("", "", "", Partial).accepts(card("abc")));
    // Texts are never trimmed.
    EXPECT_TRUE(criteria(" ", "", "", Exact).accepts(card(" ")));
    EXPECT_FALSE(criteria(" ", "", "", Exact).accepts(card("abc")));
}
