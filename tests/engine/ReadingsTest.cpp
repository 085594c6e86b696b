// SPDX-License-Identifier: MIT
#include "CardFilter.h"
#include "CardStore.h"
#include "FilterText.h"
#include "MecabAnalyser.h"
#include "ReadingOrder.h"
#include "Sjis.h"
#include "TextReadings.h"

#include <gtest/gtest.h>

#include <algorithm>

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
}

// Kana and kanji names together in the order of the syllabary; voiced after
// unvoiced, small before large, the long vowel mark as its vowel, ties by the
// text itself.
TEST(Readings, SortMixedNamesByReading)
{
    const std::vector<std::string> sorted{
        "雨宿りの約束", "カアド",   "カード",   "ガード",       "キャンプ",     "キヤンプ",       "黒曜の城門", "コンパス",
        "ハンマー",     "バンマー", "パンマー", "見えない手袋", "ミラーハウス", "夜明けの研究棟", "ン",
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
    std::sort(keyed.begin(), keyed.end());
    std::vector<std::string> got;
    for (const auto& [key, name] : keyed)
        got.push_back(name);
    EXPECT_EQ(got, sorted);
}
