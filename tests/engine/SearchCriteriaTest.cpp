// SPDX-License-Identifier: MIT
#include "Sjis.h"
#include "SearchCriteria.h"

#include <gtest/gtest.h>

namespace {

using enum card::search_mode;

struct CriteriaCase {
    card::SearchCriteria criteria;  // name, type, rate, side, mode
    std::string name, type, rate;  // of the card
    bool hit;
};

const CriteriaCase kCases[] = {
    {{"abc", "", "", 0, Exact}, "ABCD", "T", "Rare", false},
    {{"ab", "", "", 0, Prefix}, "abx", "T", "Rare", true},
    {{"ab", "", "", 0, Prefix}, "xab", "T", "Rare", false},
    {{"bc", "", "", 0, Partial}, "xbcx", "T", "Rare", true},
    // A mode the program never writes matches nothing.
    {{"ABC", "", "", 0, card::search_mode(3)}, "ABC", "T", "Rare", false},
    {{"ABC", "", "", 0, card::search_mode(-1)}, "ABC", "T", "Rare", false},
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

// CP932 bytes of a UTF-8 literal.
// The card's name and the typed name (UTF-8), the mode, and whether the card
// is a hit with folding off and on.
struct FoldCase {
    const char* field;
    const char* text;
    card::search_mode mode;
    bool off, on;
};

const FoldCase kFoldCases[] = {
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
    // The last character of each range folded, and ミ, ム on both sides of the trail byte 0x7F.
    {"~!z@[", "～！Ｚ＠［", Exact, false, true},
    {"ミムン", "みむん", Exact, false, true},
    {"ﾎﾞﾎﾟﾟﾞ", "ぼぽ゜゛", Exact, false, true},
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
    // Boundaries: ｶﾞ is one character, ﾞ after a letter without a voiced
    // form is one of its own, a byte never starts a match.
    {"ｶﾞｲ", "ｶ", Partial, true, false},
    {"ｶﾞｲ", "ｲ", Partial, true, true},
    {"ｱﾞ", "ア゛", Exact, false, true},
    {"ｱﾞ", "あ", Prefix, false, true},
    {"ア", "A", Partial, false, false},
};

}  // namespace

// ASCII texts behave the same with folding on: it folds A-Z as always.
TEST_P(Criteria, Accepts)
{
    const CriteriaCase& c = GetParam();
    card::Card card;
    card.name = c.name;
    card.type = c.type;
    card.rate = c.rate;
    card::SearchCriteria folded = c.criteria;
    folded.fold = true;
    EXPECT_EQ(c.criteria.accepts(card), c.hit);
    EXPECT_EQ(folded.accepts(card), c.hit);
}

INSTANTIATE_TEST_SUITE_P(Table, Criteria, ::testing::ValuesIn(kCases));

TEST(SearchCriteria, FoldingKanaAndWidth)
{
    for (const FoldCase& row : kFoldCases) {
        card::Card card;
        card.name = sjis(row.field);
        card::SearchCriteria criteria{sjis(row.text), "", "", 0, row.mode};
        EXPECT_EQ(criteria.accepts(card), row.off) << row.field << " / " << row.text;
        criteria.fold = true;
        EXPECT_EQ(criteria.accepts(card), row.on) << row.field << " / " << row.text;
    }
    // The second codes CP932 gives a character (NEC row 13, IBM extensions, NEC's copies of them) fold to its first;
    // kanji under the lead bytes at the ends of both lead ranges stay themselves.
    const std::tuple<std::string, std::string, bool> kCodes[] = {
        {"\x87\x90", "\x81\xE0", true}, {"\xEE\xF9", "\xFA\x54", true}, {"\xED\x40", "\xFA\x5C", true},
        {"\xEE\xEC", "\xFC\x4B", true}, {"\x87\x54", "\xFA\x4A", true}, {"\x9F\x40", "\xE0\x40", false},
        {"\x81\x40", "\xFC\x40", false}, {"\x9F\xFC", "\xE0\xFC", false},
    };
    for (const auto& [field, text, same] : kCodes) {
        card::Card card;
        card.name = field;
        EXPECT_EQ((card::SearchCriteria{text, "", "", 0, Exact, true}.accepts(card)), same) << field << " / " << text;
    }
    // The type and the rarity fold too.
    card::Card card;
    card.type = sjis("プログラム");
    card.rate = "RARE";
    card::SearchCriteria criteria{"", sjis("ぷろぐらむ"), sjis("ｒａｒｅ"), 0, Exact};
    EXPECT_FALSE(criteria.accepts(card));
    criteria.fold = true;
    EXPECT_TRUE(criteria.accepts(card));
}

// A typed text: CP932 bytes cut to a record line's 254 without splitting a character; a hiragana CP932 lacks only when
// folded; anything else CP932 cannot hold is refused.
TEST(SearchCriteria, TypedText)
{
    const std::string a253(253, 'a');
    const std::tuple<std::string, bool, std::optional<std::string>> kTexts[] = {
        {"アイス", false, sjis("アイス")},      {std::string(300, 'x'), false, std::string(254, 'x')},
        {a253 + "あ", false, a253},             {a253 + "b", false, a253 + "b"},
        {"ゔぉい", true, sjis("ヴぉい")},       {"ゔぉい", false, std::nullopt},
        {"蜘蛛😀", true, std::nullopt},         {"\xff", false, std::nullopt},
    };
    for (const auto& [typed, fold, bytes] : kTexts)
        EXPECT_EQ(card::searchTextFromUtf8(typed, fold), bytes) << typed;
}
