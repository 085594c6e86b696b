#include "Cp932Converter.h"
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

SearchCriteria criteria(const std::string& name, const std::string& type, const std::string& rate, int mode,
                        bool fold = false)
{
    return SearchCriteria{name, type, rate, 0, mode, fold};
}

// CP932 bytes of a UTF-8 literal.
std::string sjis(const std::string& utf8)
{
    static Cp932Converter converter;
    return converter.fromUtf8(utf8).value();
}

}  // namespace

// ASCII texts behave the same with folding on: it folds A-Z as always.
TEST(SearchCriteria, ModesDecideHowNameAndTypeMatch)
{
    for (bool fold : {false, true}) {
        auto exact = criteria("abc", "", "", Exact, fold);
        EXPECT_TRUE(exact.accepts(card("ABC"))) << fold;
        EXPECT_FALSE(exact.accepts(card("ABCD"))) << fold;
        EXPECT_FALSE(exact.accepts(card("xABC"))) << fold;

        auto prefix = criteria("ab", "", "", Prefix, fold);
        EXPECT_TRUE(prefix.accepts(card("ABC"))) << fold;
        EXPECT_TRUE(prefix.accepts(card("abx"))) << fold;
        EXPECT_FALSE(prefix.accepts(card("xab"))) << fold;
        EXPECT_FALSE(prefix.accepts(card("a"))) << fold;

        auto partial = criteria("bc", "", "", Partial, fold);
        EXPECT_TRUE(partial.accepts(card("ABC"))) << fold;
        EXPECT_TRUE(partial.accepts(card("xbcx"))) << fold;
        EXPECT_FALSE(partial.accepts(card("b"))) << fold;

        // A mode the program never writes matches nothing.
        EXPECT_FALSE(criteria("ABC", "", "", 7, fold).accepts(card("ABC"))) << fold;
        EXPECT_FALSE(criteria("ABC", "", "", -1, fold).accepts(card("ABC"))) << fold;
    }
}

TEST(SearchCriteria, NameOrTypeThenRarityAlwaysWhole)
{
    for (int mode : {Exact, Prefix, Partial}) {
        for (bool fold : {false, true}) {
            auto either = criteria("abc", "xyz", "", mode, fold);
            EXPECT_TRUE(either.accepts(card("abc", "other"))) << mode << fold;
            EXPECT_TRUE(either.accepts(card("other", "xyz"))) << mode << fold;
            EXPECT_FALSE(either.accepts(card("other", "other"))) << mode << fold;

            EXPECT_TRUE(criteria("abc", "", "rare", mode, fold).accepts(card("abc", "T", "Rare"))) << mode << fold;
            EXPECT_FALSE(criteria("abc", "", "Rar", mode, fold).accepts(card("abc", "T", "Rare"))) << mode << fold;
            EXPECT_FALSE(criteria("abc", "", "rare", mode, fold).accepts(card("abc", "T", "Common"))) << mode << fold;
        }
    }
    // Without a name or type text nothing is a hit, whatever the rarity.
    EXPECT_FALSE(criteria("", "", "Rare", Partial).accepts(card("abc")));
    EXPECT_FALSE(criteria("", "", "", Partial, true).accepts(card("abc")));
    // Texts are never trimmed.
    EXPECT_TRUE(criteria(" ", "", "", Exact).accepts(card(" ")));
    EXPECT_FALSE(criteria(" ", "", "", Exact).accepts(card("abc")));
}

// Each row: the card's name, the typed name (both UTF-8), the mode, and
// whether the card is a hit with folding off and on.
TEST(SearchCriteria, FoldingKanaAndWidth)
{
    struct Row {
        const char* field;
        const char* text;
        int mode;
        bool off, on;
    };
    const Row rows[] = {
        // Hiragana and katakana, the small ones too.
        {"アーカイブ", "あーかいぶ", Exact, false, true},
        {"ァィゥェォッャュョヮ", "ぁぃぅぇぉっゃゅょゎ", Exact, false, true},
        {"ヽヾ", "ゝゞ", Exact, false, true},
        // Half-width katakana, a voiced mark joined to its letter.
        {"アーカイブ", "ｱｰｶｲﾌﾞ", Exact, false, true},
        {"ｶﾞﾊﾟｳﾞ", "がぱヴ", Exact, false, true},
        {"｢ｧ｡､･｣", "「ぁ。、・」", Exact, false, true},
        // Full-width ASCII, then A-Z as always; the ideographic space.
        {"ＡＢＣ＋０", "abc+0", Exact, false, true},
        {"Ab c", "ａＢ　Ｃ", Exact, false, true},
        // What stays distinct.
        {"ア", "ァ", Exact, false, false},
        {"カ", "ガ", Exact, false, false},
        {"ｶﾞ", "ｶ", Exact, false, false},
        {"ヶ", "ケ", Exact, false, false},
        {"ー", "－", Exact, false, false},
        {"アー", "アア", Exact, false, false},
        {"灰", "炭", Exact, false, false},
        // The modes on folded texts.
        {"アーカイブ", "あー", Prefix, false, true},
        {"アーカイブ", "かいぶ", Prefix, false, false},
        {"アーカイブ", "かいぶ", Partial, false, true},
        {"アーカイブ", "あーかい", Exact, false, false},
        {"あ", "アーカイブ", Prefix, false, false},
        {"黒曜の城門", "曜の", Partial, true, true},
        // Boundaries: ｶﾞ is one character, ﾞ after a letter without a
        // voiced form is one of its own, a byte never starts a match.
        {"ｶﾞｲ", "ｶ", Partial, true, false},
        {"ｶﾞｲ", "ｲ", Partial, true, true},
        {"ｱﾞ", "ア゛", Exact, false, true},
        {"ｱﾞ", "あ", Prefix, false, true},
        {"ア", "A", Partial, false, false},
    };
    for (const Row& row : rows) {
        Card c = card(sjis(row.field));
        EXPECT_EQ(criteria(sjis(row.text), "", "", row.mode).accepts(c), row.off) << row.field << " / " << row.text;
        EXPECT_EQ(criteria(sjis(row.text), "", "", row.mode, true).accepts(c), row.on) << row.field << " / " << row.text;
    }
    // The type and the rarity fold too.
    EXPECT_TRUE(criteria("", sjis("ぷろぐらむ"), sjis("ＲＡＲＥ"), Exact, true).accepts(card("x", sjis("プログラム"))));
    EXPECT_FALSE(criteria("", sjis("ぷろぐらむ"), sjis("ＲＡＲＥ"), Exact).accepts(card("x", sjis("プログラム"))));
}
