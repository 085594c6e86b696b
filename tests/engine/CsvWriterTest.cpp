// SPDX-License-Identifier: MIT
#include "CsvWriter.h"
#include "Deck.h"
#include "Sjis.h"

#include <gtest/gtest.h>

namespace {

struct FieldCase {
    std::string text;
    std::string written;
};

// Quoted as RFC 4180 says; a text a spreadsheet would run as a formula gets an apostrophe, rules text stays.
const FieldCase kFieldCases[] = {
    {"灰の門", "灰の門"},
    {"", ""},
    {"a,b", "\"a,b\""},
    {"「壁」と\"門\"", "\"「壁」と\"\"門\"\"\""},
    {"one\ntwo", "\"one\ntwo\""},
    {"one\rtwo", "\"one\rtwo\""},
    {"=1+1", "'=1+1"},
    {"@SUM(A1)", "'@SUM(A1)"},
    {"=HYPERLINK(\"x\",\"y\")", "\"'=HYPERLINK(\"\"x\"\",\"\"y\"\")\""},
    {"+A1", "'+A1"},
    {"-2+3+cmd|' /C calc'!A0", "'-2+3+cmd|' /C calc'!A0"},
    {"-h", "'-h"},
    {"--", "'--"},
    {"- 3: 拠点1つをトラッシュする。", "- 3: 拠点1つをトラッシュする。"},
    {"+ 強度", "+ 強度"},
    {"-", "-"},
    {"-1", "-1"},
    {"+2.5", "+2.5"},
    {"-1.", "'-1."},
    {"-1.2.3", "'-1.2.3"},
    {"a=b", "a=b"},
    {"[1]: 強度+1。", "[1]: 強度+1。"},
};

class CsvField : public ::testing::TestWithParam<FieldCase> {};

TEST_P(CsvField, Written)
{
    std::string out;
    card::CsvWriter::appendField(out, GetParam().text);
    EXPECT_EQ(out, GetParam().written);
}

INSTANTIATE_TEST_SUITE_P(Csv, CsvField, ::testing::ValuesIn(kFieldCases));

TEST(CsvWriter, RowsOfCardsAndDecksEndInCrLfAfterTheMarkAndHeader)
{
    card::Card spider;
    spider.name = sjis("蜘蛛の糸");
    spider.type = sjis("プログラム");
    spider.text[0] = sjis("[1]: 強度+1, 1回");
    spider.rate = "Uncommon";
    card::CsvWriter csv;
    std::string rows = card::CsvWriter::cardHeader();
    csv.appendCard(rows, card::CardView(spider));
    EXPECT_EQ(rows, "\xEF\xBB\xBFカード名,カード種類,テキスト1,テキスト2,テキスト3,テキスト4,テキスト5,注記,イラスト,入手頻度\r\n"
                    "蜘蛛の糸,プログラム,\"[1]: 強度+1, 1回\",,,,,,,Uncommon\r\n");

    card::Deck deck = card::Deck::fromText("# memo\n[Runner]\n2 蜘蛛の糸\n0 z\n1 なぞの札\n1 蜘蛛の糸\n");
    for (card::DeckLine& line : deck.lines()) {
        if (line.name == "蜘蛛の糸") {
            line.side = 1;
            line.card = spider;
        }
    }
    EXPECT_EQ(csv.deck(deck).substr(card::CsvWriter::deckHeader().size()),
              "3,Runner,蜘蛛の糸,プログラム,\"[1]: 強度+1, 1回\",,,,,,,Uncommon\r\n1,,なぞの札,,,,,,,,,\r\n");
}

}  // namespace
