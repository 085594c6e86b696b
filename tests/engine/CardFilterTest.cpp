// SPDX-License-Identifier: MIT
#include "CardFilter.h"
#include "CardStore.h"
#include "Cp932Converter.h"
#include "Sjis.h"
#include "FilterRun.h"
#include "FilterText.h"

#include <gtest/gtest.h>

namespace {

// name, type, the rules text, note, illust, rate (UTF-8).
struct Fields {
    const char* name;
    const char* type;
    std::vector<const char*> text;
    const char* note;
    const char* illust;
    const char* rate;
};

const Fields kCards[] = {
    {"黒い 犬", "アイス：城壁", {"A: クレジットを得る。"}, "", "Illus. 深川 灯", "Rare"},
    {"白い猫", "アイス：錠前", {"* 侵入を終了する。"}, "クレジットは要らない", "Illus. 桐谷 澪", "Common"},
    {"ｶﾞｰﾄﾞ", "施設", {}, "", "Ａｒｔ ｂｙ Ｚ", "Uncommon"},
    {"がーど", "プログラム", {"T: カードを2枚引く。", "- 2: 追跡する"}, "", "h", "Vital"},
    {"n:x y", "イベント", {"a", "b", "c", "d", "e"}, "末尾", "i", "RARE"},
};

struct FilterCase {
    const char* text;
    bool fold;
    const char* shown;       // the shown cards' numbers in kCards, from 1
    const char* unholdable = "";
};

const FilterCase kCases[] = {
    {"", false, "12345"},
    {" \t\u3000 ", false, "12345"},
    // Every field, never across two.
    {"アイス", false, "12"},
    {"クレジット", false, "12"},
    {"猫ア", false, ""},
    {"末尾", false, "5"},
    {"ILLUS.", false, "12"},
    {"rare", false, "15"},
    // Prefixes in both spellings, either letter case, either colon.
    {"x:クレジット", false, "12"},
    {"文：クレジット", false, "12"},
    {"X:illus", false, ""},
    {"n:クレジット", false, ""},
    {"t:アイス x:クレジット r:rare", false, "1"},
    {"T:アイス R:RARE", false, "1"},
    {"i:深川", false, "1"},
    {"絵:深川", false, "1"},
    {"名:い", false, "12"},
    {"種：施設", false, "3"},
    {"頻:on", false, "23"},
    {"q:x", false, ""},
    // Every word must match; "-" leaves out.
    {"い アイス -猫", false, "1"},
    {"-t:アイス", false, "345"},
    {"-頻:common", false, "145"},
    {"-", false, "4"},
    {"--", false, "1235"},
    // Words at every kind of space; quotes hold a phrase, text only.
    {"黒い　犬", false, "1"},
    {"黒い\t犬", false, "1"},
    {"\"黒い 犬\"", false, "1"},
    {"\"い 犬\" 黒", false, "1"},
    {"\"n:x y\"", false, "5"},
    {"n:x", false, "5"},
    {"\"黒い 犬", false, "1"},
    {"\"\"", false, "12345"},
    // A prefix with nothing after it is no word.
    {"n:", false, "12345"},
    {"-t:", false, "12345"},
    // Folding kana and width as the search folds them.
    {"がーど", false, "4"},
    {"がーど", true, "34"},
    {"ｶﾞ", true, "34"},
    {"ｶ", true, "4"},
    {"ａｒｔ", false, ""},
    {"art", true, "3"},
    {"-ガ", true, "125"},
    {"ゔ", true, ""},
    // A text Shift-JIS cannot hold: no card holds it, no card is left out for it.
    {"犬😀", false, "", "😀"},
    {"-😀 -猫😀", false, "12345", "😀"},
    {"アイス ゔ", false, "", "ゔ"},
};

void PrintTo(const FilterCase& c, std::ostream* os) { *os << ::testing::PrintToString(std::string(c.text)); }

class Filter : public ::testing::TestWithParam<FilterCase> {};

// The sample cards, in a store (fields back to back) and as Cards.
const card::CardStore& store()
{
    static const card::CardStore* cards = [] {
        auto* out = new card::CardStore;
        for (const Fields& fields : kCards) {
            out->beginCard();
            out->addField(sjis(fields.name));
            out->addField(sjis(fields.type));
            for (std::size_t i = 0; i < 5; ++i)
                out->addField(i < fields.text.size() ? sjis(fields.text[i]) : "");
            for (const char* last : {fields.note, fields.illust, fields.rate})
                out->addField(sjis(last));
            out->commitCard();
        }
        return out;
    }();
    return *cards;
}

std::string shownBy(const card::FilterText& text, bool asCards)
{
    card::CardFilter filter(text, &store());
    std::string shown;
    for (std::size_t i = 0; i < store().size(); ++i) {
        const card::Card copy = store()[i].toCard();
        if (asCards ? filter.accepts(card::CardView(copy)) : filter.accepts(store()[i]))
            shown += std::to_string(i + 1);
    }
    return shown;
}

}  // namespace

// The store's cards are looked for byte by byte, separate Cards field by field: both must show the same.
TEST_P(Filter, ShowsTheCardsEveryWordMatches)
{
    const FilterCase& c = GetParam();
    card::Cp932Converter converter;
    const card::FilterText text(c.text, c.fold, converter);
    EXPECT_EQ(shownBy(text, false), c.shown);
    EXPECT_EQ(shownBy(text, true), c.shown);
    EXPECT_EQ(text.unholdable(), c.unholdable);
}

INSTANTIATE_TEST_SUITE_P(Table, Filter, ::testing::ValuesIn(kCases));

TEST(Filter, NarrowsOnlyWhenEveryCardShownWasShownBefore)
{
    struct Change {
        const char* before;
        const char* after;
        bool fold, narrows;
    };
    const Change changes[] = {
        {"", "クレ", false, true},         {"クレ", "クレジ", false, true},    {"レジ", "クレジ", false, true},
        {"クレジ", "クレ", false, false},   {"クレ", "クレ 猫", false, true},    {"クレ 猫", "猫", false, false},
        {"アイス", "t:アイス", false, true}, {"t:アイス", "アイス", false, false}, {"-クレジ", "-クレ", false, true},
        {"-クレ", "-クレジ", false, false}, {"-t:クレ", "-クレ", false, true},   {"-クレ", "-t:クレ", false, false},
        {"クレ", "-クレ", false, false},    {"クレ", "クレ😀", false, true},    {"😀", "クレ", false, false},
        {"a", "A", false, true},            {"ｶ", "ｶﾞ", true, false},         {"か", "カー", true, true},
    };
    card::Cp932Converter converter;
    for (const Change& change : changes) {
        const card::CardFilter before(card::FilterText(change.before, change.fold, converter));
        const card::CardFilter after(card::FilterText(change.after, change.fold, converter));
        EXPECT_EQ(after.narrows(before), change.narrows) << change.before << " -> " << change.after;
    }
    const card::CardFilter plain(card::FilterText("a", false, converter));
    EXPECT_FALSE(card::CardFilter(card::FilterText("a", true, converter)).narrows(plain));
}

// Slices end after a few thousand cards each: the cards on both sides of every slice's end are tested once.
TEST(Filter, ARunInSlicesShowsWhatOneRunShows)
{
    card::CardStore many;
    for (int i = 0; i < 10000; ++i) {
        many.beginCard();
        for (int field = 0; field < 10; ++field)
            many.addField(field == 8 && i % 3 == 0 ? "hit" : std::to_string(i));
        many.commitCard();
    }
    card::Cp932Converter converter;
    card::FilterRun whole(many, card::CardFilter(card::FilterText("i:hit", false, converter)));
    ASSERT_TRUE(whole.runUntil(card::FilterRun::Clock::time_point::max()));
    EXPECT_EQ(whole.result().size(), 3334u);
    card::FilterRun sliced(many, card::CardFilter(card::FilterText("i:hit -5", false, converter)), whole.result());
    int slices = 1;
    while (!sliced.runUntil({}))
        ++slices;
    EXPECT_GT(slices, 1);
    std::vector<std::uint32_t> expected;
    for (std::uint32_t card : whole.result()) {
        if (std::to_string(card).find('5') == std::string::npos)
            expected.push_back(card);
    }
    EXPECT_EQ(sliced.result(), expected);
}

// A pasted page is cut at its 1,000th word (the window's test cuts one at 10,000 characters), and its run looks at the
// clock after every two cards.
TEST(Filter, ALongTextIsCutAndRunsInShortSlices)
{
    std::string words;
    for (int i = 0; i < 1001; ++i)
        words += "-w" + std::to_string(i) + " ";
    card::Cp932Converter converter;
    const card::FilterText text(words, false, converter);
    EXPECT_TRUE(text.cut() && text.words().size() == 1000 && text.words().back().text == "w999");
    card::FilterRun run(store(), card::CardFilter(text));
    EXPECT_FALSE(run.runUntil({}));
    EXPECT_EQ(run.tested(), 2u);
    EXPECT_TRUE(run.runUntil(card::FilterRun::Clock::time_point::max()));
    EXPECT_EQ(run.result().size(), store().size());
}
