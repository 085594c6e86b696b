// SPDX-License-Identifier: MIT
#include "CardFilter.h"
#include "CardStore.h"
#include "FilterText.h"
#include "MecabAnalyser.h"
#include "ReadingOrder.h"
#include "Sjis.h"
#include "TempDir.h"
#include "ReadingPool.h"
#include "TextReadings.h"
#include "WorkPair.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>

namespace {

std::unique_ptr<card::ReadingAnalyser> dictionary()
{
    std::string error;
    auto analyser = card::MecabAnalyser::open({}, error);
    EXPECT_TRUE(analyser) << error;
    return analyser;
}

std::string utf8(std::string_view cp932)
{
    return card::Cp932Converter().toUtf8(cp932);
}

std::string readingOf(card::TextReadings& readings, const char* name)
{
    readings.add(sjis(name));
    return utf8(readings.shownReading(sjis(name)));
}

constexpr const char* kCorrections = "# the dictionary's slips\n深海\tしんかい\n都\tミヤコ\n\n黒曜\tこくよう\n";

struct ReadingCase {
    const char* name;
    const char* dictionary;  // what the dictionary alone reads
    const char* corrected;   // with kCorrections
};

// Invented names: rendaku (星空, 月影, 手紙, 雨傘), a kanji the dictionary
// lacks (曜), and 深海 and 都 read one way in one name and another in the next.
const ReadingCase kReadings[] = {
    {"星空の門番", "ホシゾラノモンバン", "ホシゾラノモンバン"},
    {"月影の手紙", "ツキカゲノテガミ", "ツキカゲノテガミ"},
    {"雨傘の盾", "アマガサノタテ", "アマガサノタテ"},
    {"深海の都", "シンカイノト", "シンカイノミヤコ"},
    {"深海ケーブル敷設", "フカウミケーブルフセツ", "シンカイケーブルフセツ"},
    {"黒曜の城門", "クロ曜ノジョウモン", "コクヨウノジョウモン"},
    {"ひかりの剣", "ヒカリノケン", "ヒカリノケン"},
    {"ミラーハウス", "ミラーハウス", "ミラーハウス"},
    {"ﾐﾗｰ館", "ミラーカン", "ミラーカン"},
    {"都都", "ミヤコト", "ミヤコミヤコ"},
};

}  // namespace

TEST(Readings, TheDictionaryReadsAndTheCorrectionsWin)
{
    card::TextReadings plain(dictionary(), {});
    card::TextReadings corrected(dictionary(), card::ReadingCorrections(kCorrections));
    for (const ReadingCase& c : kReadings) {
        EXPECT_EQ(readingOf(plain, c.name), c.dictionary) << c.name;
        EXPECT_EQ(readingOf(corrected, c.name), c.corrected) << c.name;
    }
}

TEST(Readings, CorrectionLinesGoodWrongAndEmpty)
{
    const card::ReadingCorrections read("\xEF\xBB\xBF# comment\n"
                                        "深海\tしんかい\r\n"
                                        "\n"
                                        "   \n"
                                        "都 ミヤコ\n"
                                        "\tかな\n"
                                        "鋼線\t\n"
                                        "鋼線\tkousen\n"
                                        "\xFF\tかな\n"
                                        " 合わせ鏡 \t あわせかがみ ");
    const std::vector<card::ReadingCorrections::Problem> problems{
        {5, "no tab between the word and its reading"},
        {6, "no word before the tab"},
        {7, "no reading after the tab"},
        {8, "the reading is not all kana"},
        {9, "not UTF-8"},
    };
    ASSERT_EQ(read.problems().size(), problems.size());
    for (std::size_t i = 0; i < problems.size(); ++i) {
        EXPECT_EQ(read.problems()[i].line, problems[i].line);
        EXPECT_EQ(read.problems()[i].reason, problems[i].reason);
    }
    ASSERT_EQ(read.words().size(), 2u);
    // The longest first.
    EXPECT_EQ(read.words()[0].text, "合わせ鏡");
    EXPECT_EQ(read.words()[0].kana, "アワセカガミ");
    EXPECT_EQ(read.words()[1].kana, "シンカイ");

    // From the data folder: none there is no problem; a folder or a FIFO by
    // that name is unreadable, and the FIFO never waits for a writer.
    const TempDir none, folder;
    std::filesystem::create_directory(folder.path() / "readings.txt");
    EXPECT_FALSE(card::ReadingCorrections::load(none.path()).unreadable());
    EXPECT_TRUE(card::ReadingCorrections::load(folder.path()).unreadable());
#if !defined(_WIN32)
    const TempDir fifo;
    fifo.fifo("readings.txt");
    EXPECT_TRUE(card::ReadingCorrections::load(fifo.path()).unreadable());
#endif
    EXPECT_EQ(card::ReadingCorrections::load(TempDir().write("readings.txt", "深海\tしんかい\n").parent_path()).words().size(), 1u);
}

// Kana and kanji names together in the order of the syllabary; voiced after
// unvoiced, small before large, the long vowel mark as its vowel, ties by the
// text itself. Signs, numbers by value and Latin letters come before kana,
// a kanji the dictionary cannot read after them.
TEST(Readings, SortMixedNamesByReading)
{
    const std::vector<std::string> sorted{
        "「鍵」",       "2番目の鍵",    "10番目の鍵",   "Alpha回路",      "雨宿りの約束", "カアド",   "カード",
        "ガード",       "キャンプ",     "キヤンプ",     "黒曜の城門",     "コンパス",     "ハンマー", "バンマー",
        "パンマー",     "見えない手袋", "ミラーハウス", "夜明けの研究棟", "ン",           "曜",
    };
    card::TextReadings readings(dictionary(), card::ReadingCorrections(kCorrections));
    auto keyOf = [&](const char* name) {
        const std::string text = sjis(name);
        readings.add(text);
        card::textfold::FoldedText folded;
        std::string key;
        EXPECT_TRUE(readings.readingOf(text, folded));
        card::readingorder::appendKey(folded, key);
        card::textfold::fold(text, folded);
        card::readingorder::appendKey(folded, key);
        return key;
    };
    std::vector<std::pair<std::string, std::string>> keyed;
    for (auto it = sorted.rbegin(); it != sorted.rend(); ++it)
        keyed.emplace_back(keyOf(it->c_str()), *it);
    // Given backwards: a key that held two names equal would leave them backwards.
    std::stable_sort(keyed.begin(), keyed.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    std::vector<std::string> got;
    for (const auto& [key, name] : keyed)
        got.push_back(name);
    EXPECT_EQ(got, sorted);
    // A kana takes one byte of a key, so that a key's first bytes, which a
    // sort keeps, tell most readings apart: ハンマー's sounds, then two zeros.
    EXPECT_EQ(keyOf("ハンマー").find(std::string(2, '\0')), 4u);
}

namespace {

struct KanaCase {
    const char* text;
    bool fold;
    const char* shown;   // the cards' numbers, from 1
    const char* marked;  // in the cards shown, what the highlight marks, "|" between
};

// name, type, rules text, illustrator.
const std::array<std::array<const char*, 4>, 4> kKanaCards{{
    {"黒曜の城門", "アイス：城壁", "", "Illus. 深川 灯"},
    {"氷結の門番", "アイス：錠前", "", ""},
    {"ミラーハウス", "施設", "", ""},
    {"雨宿りの約束", "イベント", "モンバン", ""},
}};

const KanaCase kKanaCases[] = {
    {"こくよう", false, "1", "黒曜"},
    {"コクヨウ", true, "1", "黒曜"},
    {"ｺｸﾖｳ", false, "1", "黒曜"},
    {"うの", false, "1", "黒曜の"},
    {"もんばん", false, "2", "門番"},
    {"もんばん", true, "24", "門番|モンバン"},
    {"x:もんばん", false, "", ""},
    {"-もんばん", false, "134", ""},
    {"n=ひょうけつのもんばん", false, "2", "氷結の門番"},
    {"n=ひょうけつ", false, "", ""},
    {"t:じょうへき", false, "1", "城壁"},
    {"ふかわ", false, "1", "深川"},  // the dictionary reads the place name 深川 so
    {"みらー", false, "3", "ミラー"},
    {"ハウス 約束", false, "", ""},
    {"やくそく|じょうもん", false, "14", "城門|約束"},
};

class KanaFinds : public ::testing::TestWithParam<KanaCase> {};

}  // namespace

TEST_P(KanaFinds, KanaWordsMatchReadings)
{
    const KanaCase& c = GetParam();
    card::CardStore store;
    card::TextReadings readings(dictionary(), card::ReadingCorrections(kCorrections));
    for (const auto& fields : kKanaCards) {
        store.beginCard();
        store.addField(sjis(fields[0]));
        store.addField(sjis(fields[1]));
        for (std::size_t i = 0; i < 5; ++i)
            store.addField(i == 0 ? sjis(fields[2]) : "");
        for (const char* last : {"", fields[3], "Rare"})
            store.addField(sjis(last));
        store.commitCard();
        for (const char* read : {fields[0], fields[1], fields[3]})
            readings.add(sjis(read));
    }
    card::Cp932Converter converter;
    card::CardFilter filter(card::FilterText(c.text, c.fold, converter), &store, &readings);
    std::string shown, marked;
    for (std::size_t i = 0; i < store.size(); ++i) {
        if (!filter.accepts(store[i]))
            continue;
        shown += std::to_string(i + 1);
        for (const card::MatchedText& piece : filter.matchedTexts(store[i]))
            marked += (marked.empty() ? "" : "|") + utf8(store[i].field(piece.field).substr(piece.begin, piece.end - piece.begin));
    }
    EXPECT_EQ(shown, c.shown);
    EXPECT_EQ(marked, c.marked);
}

INSTANTIATE_TEST_SUITE_P(Table, KanaFinds, ::testing::ValuesIn(kKanaCases));

namespace {

// Every card's read fields, each with its reading and the bytes each piece of it was read from.
std::string readingsOfCards(const card::TextReadings& readings, const card::CardStore& store)
{
    std::string out;
    for (const card::CardView card : store) {
        for (const card::Field field : card::TextReadings::kReadFields) {
            const std::string_view text = card.field(field);
            card::textfold::FoldedText folded;
            out += utf8(readings.shownReading(text)) + (readings.readingOf(text, folded) ? "" : "?");
            for (const auto& [first, last] : readings.sourceOf(text, 0, folded.size()))
                out += " " + std::to_string(first) + "-" + std::to_string(last);
            out += "\n";
        }
    }
    return out;
}

}  // namespace

// Two threads read as one and as texts added one at a time: across the edges of the threads' chunks, of a batch, of
// the pool's blocks and of its table's growth, with texts repeated within a batch and between threads; a reading cut
// by the clock goes on where it stopped.
TEST(Readings, TwoThreadsReadAsOne)
{
    card::CardStore store;
    const std::array<const char*, 3> types{"作戦", "アイス：城壁", "施設"};
    for (int i = 0; i < 17000; ++i) {
        store.beginCard();
        store.addField(sjis("深海の都" + std::to_string(i % 9000) + (i % 3 ? "番の門" : "ー黒曜")));
        store.addField(sjis(types[std::size_t(i) % types.size()]));
        for (int line = 0; line < 6; ++line)
            store.addField("");
        store.addField(sjis(i % 2 ? "Illus. 深川 灯" : "Illus. 桐谷 澪"));
        store.addField("Rare");
        store.commitCard();
    }
    card::TextReadings oneByOne(dictionary(), card::ReadingCorrections(kCorrections));
    for (const card::CardView card : store) {
        for (const card::Field field : card::TextReadings::kReadFields)
            oneByOne.add(card.field(field));
    }
    const std::string expected = readingsOfCards(oneByOne, store);
    ASSERT_EQ(expected.find('?'), std::string::npos);
    for (const std::size_t cores : {1, 2}) {
        for (const bool cut : {false, true}) {
            const card::WorkPair::PretendedCores pretended(cores);
            card::TextReadings readings(dictionary(), card::ReadingCorrections(kCorrections));
            std::size_t read = 0, slices = 0;
            while (read < store.size()) {
                const std::size_t before = read;
                read = readings.addCards(store, read, store.size(),
                                         cut ? card::TextReadings::Clock::now() + std::chrono::milliseconds(2)
                                             : card::TextReadings::Clock::time_point::max());
                ASSERT_GT(read, before);
                ++slices;
            }
            EXPECT_EQ(read, store.size());
            EXPECT_EQ(slices > 2, cut) << cores;  // 2 ms never reads a batch, let alone the two here
            EXPECT_EQ(readings.size(), oneByOne.size()) << cores << cut;
            EXPECT_TRUE(readingsOfCards(readings, store) == expected) << cores << cut;
        }
    }
}

// Entries keep what they were given, and take what no byte of theirs can say in longer forms: runs of more one-kana
// pieces than a byte counts, pieces longer than a nibble, readings of any character, a piece read from no byte, and
// the longest text; longer texts and readings are refused.
TEST(Readings, PoolEntriesGiveBackWhatTheyHold)
{
    using Pieces = std::vector<card::PieceEnd>;
    auto ends = [](std::initializer_list<int> pairs) {
        Pieces out;
        for (auto it = pairs.begin(); it != pairs.end(); it += 2)
            out.push_back({std::uint8_t(it[0]), std::uint8_t(it[1])});
        return out;
    };
    struct Case {
        std::string text;
        card::textfold::FoldedText reading;
        Pieces pieces, kept;  // kept: what comes back, when not `pieces`
    };
    auto kana = [](std::size_t count) {
        card::textfold::FoldedText out;
        for (std::size_t i = 0; i < count; ++i)
            out.push_back(card::textfold::FoldedChar(0x8340 + i % 0x57));
        return out;
    };
    Pieces run;
    for (int i = 1; i <= 17; ++i)
        run.push_back({std::uint8_t(2 * i), std::uint8_t(i)});
    const std::vector<Case> cases{
        {std::string(34, 'x'), kana(17), run, {}},
        {std::string(40, 'x'), {'a', 0x815B, 0x8396, 0x8340, 0x88A0, 0x8146, 0x00FF, 0x7F}, ends({16, 2, 20, 8, 40, 8}), {}},
        {"xxxx", kana(20), ends({1, 0, 2, 16, 4, 20}), {}},
        {"yyyy", kana(3), ends({0, 1, 2, 2, 2, 3, 4, 3}), ends({2, 3, 4, 3})},
        {std::string(255, 'x'), kana(255), ends({255, 255}), {}},
    };
    std::string pool;
    for (const Case& c : cases)
        ASSERT_TRUE(card::ReadingPool::encode(c.text, c.reading, c.pieces, pool));
    card::ReadingPool read;
    const char* entry = pool.data();
    for (const Case& c : cases) {
        EXPECT_TRUE(read.insert(entry));
        EXPECT_FALSE(read.insert(entry));
        entry = card::ReadingPool::endOf(entry);
        const char* found = read.find(c.text);
        ASSERT_TRUE(found);
        card::textfold::FoldedText reading;
        Pieces pieces;
        card::ReadingPool::readingOf(found, reading);
        card::ReadingPool::piecesOf(found, pieces);
        EXPECT_EQ(reading, c.reading) << c.text;
        EXPECT_EQ(pieces, c.kept.empty() ? c.pieces : c.kept) << c.text;
    }
    EXPECT_EQ(entry, pool.data() + pool.size());
    EXPECT_EQ(read.size(), cases.size());
    for (const auto& [text, reading] : {std::pair(std::string(256, 'x'), kana(1)), std::pair(std::string("x"), kana(256))})
        EXPECT_FALSE(card::ReadingPool::encode(text, reading, ends({int(text.size()), int(reading.size())}), pool));
    EXPECT_EQ(entry, pool.data() + pool.size());
}

// Readings made after a filter was made let it match more: it is no
// narrowing of the earlier one.
TEST(Readings, ANewReadingMakesNoNarrowing)
{
    card::TextReadings readings(dictionary(), {});
    card::Cp932Converter converter;
    const card::CardFilter before(card::FilterText("もん", false, converter), nullptr, &readings);
    readings.add(sjis("門"));
    const card::CardFilter after(card::FilterText("もんばん", false, converter), nullptr, &readings);
    EXPECT_FALSE(after.narrows(before));
    EXPECT_TRUE(card::CardFilter(card::FilterText("もんばん", false, converter), nullptr, &readings)
                    .narrows(card::CardFilter(card::FilterText("もん", false, converter), nullptr, &readings)));
}
