// SPDX-License-Identifier: MIT
#include "CardFilter.h"
#include "CardStore.h"
#include "Cp932Converter.h"
#include "Sjis.h"
#include "FilterPass.h"
#include "WorkPair.h"
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
    {"がーど", "プログラム", {"T: カードを2枚引く(任意)。", "- 2: 追跡する"}, "", "h", "Vital"},
    {"n:x y", "イベント", {"a", "b", "c", "d", "e | OR"}, "末尾", "i", "RARE"},
    {"枠", "ノード", {}, "亜亜q", "", "Legend"},
};

struct FilterCase {
    const char* text;
    bool fold;
    const char* shown;       // the shown cards' numbers in kCards, from 1
    const char* unholdable = "";
    const char* ignored = "";  // what the text leaves out, as said
};

const FilterCase kCases[] = {
    {"", false, "123456"},
    {" \t\u3000 ", false, "123456"},
    // Every field, never across two.
    {"アイス", false, "12"},
    {"クレジット", false, "12"},
    {"猫ア", false, ""},
    {"末尾", false, "5"},
    {"ILLUS.", false, "12"},
    {"rare", false, "15"},
    // The four rarities the store names rather than keeps, and the illustrator before them: never one word across both.
    {"ＣＯＭＭＯＮ", true, "23"},
    {"tal", false, "4"},
    {"灯", false, "1"},
    {"灯 are", true, "1"},
    {"灯R", false, ""},
    {"r=vital", false, "4"},
    {"r=ｖｉｔａｌ", true, "4"},
    {"-r=ｖｉｔａｌ", true, "12356"},
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
    {"-t:アイス", false, "3456"},
    {"-頻:common", false, "1456"},
    {"-", false, "4"},
    {"--", false, "12356"},
    // Words at every kind of space; quotes hold a phrase, text only, also after "-" and a prefix.
    {"黒い　犬", false, "1"},
    {"黒い\t犬", false, "1"},
    {"\"黒い 犬\"", false, "1"},
    {"\"い 犬\" 黒", false, "1"},
    {"\"n:x y\"", false, "5"},
    {"n:x", false, "5"},
    {"\"黒い 犬", false, "1"},
    {"\"\"", false, "123456"},
    {"-\"黒い 犬\"", false, "23456"},
    {"x:\"2: 追跡\"", false, "4"},
    {"x:\"2: 追", false, "4"},
    {"-t:\"アイス：城壁\"", false, "23456"},
    {"n:\"い 犬\"", false, "1"},
    {"A\":", false, ""},
    {"\"e | OR\"", false, "5"},
    {"\"|\" \"OR\"", false, "5"},
    // A prefix with nothing after it is no word.
    {"n:", false, "123456"},
    {"-t:", false, "123456"},
    // OR binds looser than the space; parentheses group, "-(" leaves out what the group matches.
    {"アイス | 施設", false, "123"},
    {"アイス OR 施設", false, "123"},
    {"施設|猫", false, "23"},
    {"アイス or 施設", false, ""},
    {"施設 | アイス 猫", false, "23"},
    {"t:アイス r:rare | r:vital", false, "14"},
    {"(アイス | 施設) -r:common", false, "1"},
    {"(アイス | 施設) -r=common", false, "13"},
    {"-(アイス | 施設)", false, "456"},
    {"(施設 | (t:アイス -猫)) r:rare | 末尾", false, "15"},
    {"(黒い|白い) 犬)", false, "1", "", "10文字目の )"},
    {"(x:(任意))", false, "4"},
    {"(アイス | 施設", false, "123"},
    {"アイス (", false, "12"},
    // Left out and said: a ")" without "(", an OR with nothing on one side, an empty group, an unknown rarity.
    {"アイス 猫)", false, "2", "", "6文字目の )"},
    {") アイス", false, "12", "", "1文字目の )"},
    {"アイス |", false, "12", "", "5文字目の |"},
    {"OR アイス", false, "12", "", "1文字目の OR"},
    {"アイス | | 施設", false, "123", "", "7文字目の |"},
    {"() アイス -( )", false, "12", "", "1文字目の ()、8文字目の -()"},
    {"r>=x", false, "123456", "", "1文字目の r>=x"},
    {"r>=", false, "123456"},
    // "=" compares whole fields (x= any one line or the note); A-Z match a-z, folding when it is on.
    {"r=common", false, "2"},
    {"-r=common", false, "13456"},
    {"R=RARE", false, "15"},
    {"n=がーど", false, "4"},
    {"n=がーど", true, "34"},
    {"n=がー", false, ""},
    {"t=アイス：城壁", false, "1"},
    {"x=b", false, "5"},
    {"x=末尾", false, "5"},
    {"x=クレジット", false, ""},
    // Rarities in the order Common, Uncommon, Vital, Rare, named in any case or by their beginning; Legend is none.
    {"r>=uncommon", false, "1345"},
    {"r>uncommon", false, "145"},
    {"r<=vital", false, "234"},
    {"r<rare", false, "234"},
    {"r>=U", false, "1345"},
    {"頻<=v", false, "234"},
    {"-r>=vital", false, "236"},
    {"n>=a", false, ""},
    // Folding kana and width as the search folds them.
    {"がーど", false, "4"},
    {"がーど", true, "34"},
    {"ｶﾞ", true, "34"},
    {"ｶ", true, "4"},
    {"ａｒｔ", false, ""},
    {"art", true, "3"},
    {"-ガ", true, "1256"},
    {"ゔ", true, ""},
    {"ド", true, "346"},
    // A byte that looks like ASCII is no letter as the second byte of プ (83 76), but is after 亜亜 (88 9F 88 9F).
    {"t:v", false, ""},
    {"t:v", true, ""},
    {"Q", false, "6"},
    {"ｑ", true, "6"},
    // A text Shift-JIS cannot hold: no card holds it, no card is left out for it.
    {"犬😀", false, "", "😀"},
    {"-😀 -猫😀", false, "123456", "😀"},
    {"アイス ゔX", false, "", "ゔ"},
    {"施設 | 犬😀", false, "3", "😀"},
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

enum class Asked { Packed, StoreView, Card };

std::string shownBy(const card::FilterText& text, Asked asked)
{
    card::CardFilter filter(text, &store());
    std::string shown;
    for (std::size_t i = 0; i < store().size(); ++i) {
        const card::Card copy = store()[i].toCard();
        if (asked == Asked::Card        ? filter.accepts(card::CardView(copy))
            : asked == Asked::StoreView ? filter.accepts(store()[i])
                                        : filter.accepts(store().packed(i)))
            shown += std::to_string(i + 1);
    }
    return shown;
}

}  // namespace

// The store's cards (as it holds them, or as views) are looked for byte by byte, separate Cards field by field:
// all must show the same.
TEST_P(Filter, ShowsTheCardsEveryWordMatches)
{
    const FilterCase& c = GetParam();
    card::Cp932Converter converter;
    const card::FilterText text(c.text, c.fold, converter);
    for (Asked asked : {Asked::Packed, Asked::StoreView, Asked::Card})
        EXPECT_EQ(shownBy(text, asked), c.shown) << int(asked);
    EXPECT_EQ(text.unholdable(), c.unholdable);
    EXPECT_EQ(text.ignoredText(), c.ignored);
}

INSTANTIATE_TEST_SUITE_P(Table, Filter, ::testing::ValuesIn(kCases));

// A card's bytes are looked at 16 at a time: a word at every place of a rules text that ends the card, after
// ヒ (83 71), whose second byte is "q", and 亜 (88 9F), whose second byte is a lead byte; never in ブ (83 75),
// whose second byte is "u".
TEST(Filter, FindsAWordAtEveryPlaceOfACard)
{
    card::Cp932Converter converter;
    for (std::size_t at = 0; at <= 40; ++at) {
        std::string filler = at >= 2 ? sjis("ヒ") : "";
        while (filler.size() + 2 <= at)
            filler += sjis("亜");
        filler.resize(at, 'x');
        card::CardStore cards;
        // The same cards as the finder reads them in place: their lines a
        // line break apart in its buffer, the rules text ended by an empty line.
        std::array<std::string, 2> buffers;
        std::array<card::CardView, 2> inPlace;
        for (std::size_t i = 0; i < 2; ++i) {
            cards.beginCard();
            std::array<std::size_t, card::kFieldCount> starts{};
            for (int field = 0; field < card::kFieldCount; ++field) {
                const std::string line = field == int(card::Field::Text1)    ? filler + sjis(i ? "ブ" : "q")
                                         : field == int(card::Field::Illust) ? "w"
                                         : field < int(card::Field::Text3) || field > int(card::Field::Text5) ? "x"
                                                                                                             : "";
                cards.addField(line);
                starts[std::size_t(field)] = buffers[i].size();
                if (!line.empty() || field == int(card::Field::Text3))  // the empty line that ends the rules text
                    buffers[i] += line + (i ? "\r\n" : "\n");
            }
            cards.commitCard();
            for (int field = 0; field < card::kFieldCount; ++field) {
                if (const std::size_t length = cards[i].field(card::Field(field)).size())
                    inPlace[i].field(card::Field(field)) = std::string_view(buffers[i]).substr(starts[std::size_t(field)], length);
            }
        }
        for (const auto& [text, fold, shown] : {std::tuple("Q", false, "q"), {"ｑ", true, "q"}, {"u", true, ""}, {"ブ", false, "u"}, {"W", false, "qu"}}) {
            card::CardFilter filter(card::FilterText(text, fold, converter));
            std::string found, foundInPlace;
            for (std::size_t i = 0; i < cards.size(); ++i) {
                if (filter.accepts(cards.packed(i)))
                    found += cards[i].text[0].substr(cards[i].text[0].size() - 1);
                if (filter.accepts(inPlace[i]))
                    foundInPlace += cards[i].text[0].substr(cards[i].text[0].size() - 1);
            }
            EXPECT_EQ(found, shown) << text << " at " << at;
            EXPECT_EQ(foundInPlace, shown) << text << " at " << at << ", read in place";
        }
    }
}

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
        {"アイス | 施設", "アイス | 施設 猫", false, true}, {"アイス", "アイス | 施設", false, false},
        {"アイス | 施設", "アイス", false, true},  {"-(アイス | 施設)", "-(アイス | 施設) 猫", false, true},
        {"-(アイス 猫)", "-アイス", false, true}, {"-アイス", "-(アイス 猫)", false, false},
        {"n=がー", "n=がーど", false, false},   {"r>=rare", "r>=rare 猫", false, true},
        {"(a | b) c", "(a | b) c)", false, true},
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

// Each word that keeps cards marks where it stands, as typed or folded; field:begin-end in bytes, overlaps joined.
TEST(Filter, MarksWhereTheWordsThatKeepCardsStand)
{
    struct Marks {
        const char* text;
        bool fold;
        int card;  // from 1
        const char* marked;
    };
    const Marks cases[] = {
        {"アイス", false, 1, "1:0-6"},
        {"ｶﾞ", true, 3, "0:0-2"},
        {"が", true, 3, "0:0-2"},
        {"が", false, 3, ""},
        {"アイス -(猫 | 錠)", false, 1, "1:0-6"},
        {"x:クレジット", false, 2, "7:0-10"},
        {"l", false, 2, "8:1-3"},
        {"クレ レジ", false, 2, "7:0-6"},
        {"r>=vital t=アイス：城壁", false, 1, "1:0-12 9:0-4"},
        {"r>=vital", false, 2, ""},
        {"a | 追跡", false, 4, "3:5-9 9:3-4"},
        {"a", false, 5, "2:0-1 9:1-2"},
        {"mo", false, 2, "9:3-5"},
        {"ＭＯ", true, 3, "9:5-7"},
        {"灯 rare", false, 1, "8:12-14 9:0-4"},
    };
    card::Cp932Converter converter;
    for (const Marks& c : cases) {
        const card::CardFilter filter(card::FilterText(c.text, c.fold, converter));
        std::string marked;
        for (const card::MatchedText& piece : filter.matchedTexts(store()[std::size_t(c.card - 1)]))
            marked += (marked.empty() ? "" : " ") + std::to_string(int(piece.field)) + ":" + std::to_string(piece.begin) +
                      "-" + std::to_string(piece.end);
        EXPECT_EQ(marked, c.marked) << c.text;
    }
}

// Slices end after a few thousand cards each: the cards on both sides of every slice's end, and of the
// halves two cores test, are tested once, and come in store order as on one core.
TEST(Filter, ARunInSlicesShowsWhatOneRunShows)
{
    card::CardStore many;
    for (int i = 0; i < 30000; ++i) {
        many.beginCard();
        for (int field = 0; field < 10; ++field)
            many.addField(field == 8 && i % 3 == 0 ? "hit" : std::to_string(i));
        many.commitCard();
    }
    struct Cores {
        std::size_t cores;
        std::size_t firstSlice;  // cards tested by the first slice: 1024 a thread for two words
    };
    const Cores rows[] = {{1, 1024}, {2, 2048}};
    card::Cp932Converter converter;
    for (const Cores& row : rows) {
        const card::WorkPair::PretendedCores pretended(row.cores);
        card::FilterPass whole(many, card::CardFilter(card::FilterText("i:hit", false, converter)));
        ASSERT_TRUE(whole.runUntil(card::FilterPass::Clock::time_point::max()));
        EXPECT_EQ(whole.result().size(), 10000u);
        card::FilterPass sliced(many, card::CardFilter(card::FilterText("i:hit -5", false, converter)), whole.result());
        EXPECT_FALSE(sliced.runUntil({}));
        EXPECT_EQ(sliced.tested(), row.firstSlice) << row.cores;
        int slices = 2;
        while (!sliced.runUntil({}))
            ++slices;
        EXPECT_GT(slices, 2);
        std::vector<std::uint32_t> expected;
        for (std::uint32_t card : whole.result()) {
            if (std::to_string(card).find('5') == std::string::npos)
                expected.push_back(card);
        }
        EXPECT_EQ(sliced.result(), expected) << row.cores;
    }
}

// A pasted page is cut at 1,000 words or 10,000 characters, and its run looks at the clock after each few cards.
TEST(Filter, ALongTextIsCutAndRunsInShortSlices)
{
    struct Long {
        std::string text;
        std::size_t words;
        bool cut;
    };
    std::string words999, words1001, chars10000 = "\"";
    for (int i = 0; i < 1001; ++i)
        (i < 999 ? words999 : words1001) += "-w" + std::to_string(i) + " ";
    words1001 = words999 + words1001;
    for (int i = 1; i < 10000; ++i)
        chars10000 += "あ";
    const Long texts[] = {{words999 + "  \u3000", 999, false}, {words1001, 1000, true},
                          {chars10000, 1, false},          {chars10000 + "あ", 1, true},
                          {words999 + chars10000, 1000, true}};
    card::Cp932Converter converter;
    for (const Long& text : texts) {
        const card::FilterText parsed(text.text, false, converter);
        EXPECT_EQ(parsed.root().parts.size(), text.words) << text.text.size();
        EXPECT_EQ(parsed.cut(), text.cut) << text.text.size();
        if (parsed.root().parts.size() == 1) {
            EXPECT_EQ(parsed.root().parts[0].word.text.size(), 2 * (card::FilterText::kMaxCharacters - 1));
        }
    }
    card::FilterPass run(store(), card::CardFilter(card::FilterText(words1001, false, converter)));
    EXPECT_FALSE(run.runUntil({}));
    EXPECT_EQ(run.tested(), 2u);
    EXPECT_TRUE(run.runUntil(card::FilterPass::Clock::time_point::max()));
    EXPECT_EQ(run.result().size(), store().size());
}
