// SPDX-License-Identifier: MIT
#include "Deck.h"
#include "DeckFile.h"
#include "DeckLookup.h"
#include "Sjis.h"
#include "TempDir.h"

#include <gtest/gtest.h>

namespace {

using Kind = card::DeckLine::Kind;

// The deck's lines, one a word: "S0" a section, "C-1:3:name" a card line in
// section -1, "M" memo, "U" unreadable, "_" blank; a found card adds
// "=corp"/"=runner", "~" when only folding matched it.
std::string describe(const card::Deck& deck)
{
    std::string out;
    for (const card::DeckLine& line : deck.lines()) {
        out += out.empty() ? "" : " ";
        switch (line.kind) {
        case Kind::Blank: out += "_"; break;
        case Kind::Memo: out += "M"; break;
        case Kind::Unreadable: out += "U"; break;
        case Kind::Section: out += "S" + std::to_string(line.section); break;
        case Kind::Card:
            out += "C" + std::to_string(line.section) + ":" + std::to_string(line.count) + ":" + line.name;
            if (line.found())
                out += std::string(line.side == 0 ? "=corp" : "=runner") + (line.byFolding ? "~" : "");
        }
    }
    return out;
}

struct ReadCase {
    std::string text;
    std::string lines;
};

const ReadCase kReadCases[] = {
    {"3 黒曜の城門", "C-1:3:黒曜の城門"},
    {"3x 黒曜の城門", "C-1:3:黒曜の城門"},
    {"3X　黒曜の城門", "C-1:3:黒曜の城門"},  // ideographic space
    {"3 x 黒曜の城門", "C-1:3:黒曜の城門"},
    {"3 × 黒曜の城門", "C-1:3:黒曜の城門"},
    {"3枚 黒曜の城門", "C-1:3:黒曜の城門"},
    {"3枚黒曜の城門", "C-1:3:黒曜の城門"},
    {"３ 黒曜の城門", "C-1:3:黒曜の城門"},
    {"１２ｘ 黒曜の城門", "C-1:12:黒曜の城門"},
    {"黒曜の城門 x3", "C-1:3:黒曜の城門"},
    {"黒曜の城門 ×3", "C-1:3:黒曜の城門"},
    {"黒曜の城門 x ３", "C-1:3:黒曜の城門"},
    {"  黒曜の城門  ", "C-1:1:黒曜の城門"},
    {"99 A", "C-1:99:A"},
    // Digits that are part of the name.
    {"3D迷路", "C-1:1:3D迷路"},
    {"Max3", "C-1:1:Max3"},
    {"カード2", "C-1:1:カード2"},
    {"x3", "C-1:1:x3"},
    // A count without a name, or one no deck holds: kept as it was.
    {"3x", "U"},
    {"3", "U"},
    {"0 A", "U"},
    {"100 A", "U"},
    {"A x0", "U"},
    {"[Sideboard]", "U"},
    // Sections in any case, in Japanese too; memo and blank lines.
    {"[corporate]\n2 A\n[RUNNER]\nB", "S0 C0:2:A S1 C1:1:B"},
    {"[ コーポ ]\nA\n[ランナー]\n\nB", "S0 C0:1:A S1 _ C1:1:B"},
    {"# 速攻\nA\n  # memo\n   \n", "M C-1:1:A M _"},
    {"A\r\nB\r\n", "C-1:1:A C-1:1:B"},
    {"A\rB", "C-1:1:A\rB"},  // a lone CR is part of the line
};

void PrintTo(const ReadCase& c, std::ostream* os) { *os << ::testing::PrintToString(c.text); }

class DeckRead : public ::testing::TestWithParam<ReadCase> {};

}  // namespace

TEST_P(DeckRead, Line)
{
    EXPECT_EQ(describe(card::Deck::fromText(GetParam().text)), GetParam().lines);
}

INSTANTIATE_TEST_SUITE_P(Deck, DeckRead, ::testing::ValuesIn(kReadCases));

TEST(DeckFile, DecodesUtf8WithOrWithoutTheMarkAndShiftJisOtherwise)
{
    const std::string text = "# 速攻\n3 黒曜の城門\n";
    EXPECT_EQ(card::DeckFile::decode(text), text);
    EXPECT_EQ(card::DeckFile::decode("\xEF\xBB\xBF" + text), text);
    EXPECT_EQ(card::DeckFile::decode(sjis(text)), text);
    EXPECT_EQ(card::DeckFile::decode("3 A\n"), "3 A\n");
}

TEST(DeckFile, RefusesWhatIsNoDeckAndKeepsDecksOffCardFiles)
{
    TempDir dir;
    dir.write("data/corp.txt", sjis("黒曜の城門\nアイス\n\nn\ni\nRare\n--\n"));
    const struct {
        std::filesystem::path path;
        card::DeckFile::Refusal refusal;
    } rows[] = {
        {dir.write("deck.txt", "\xEF\xBB\xBF" "3 A\r\n"), card::DeckFile::Refusal::None},
        {dir.write("empty.txt", ""), card::DeckFile::Refusal::None},
        {dir.write("max.txt", std::string(card::DeckFile::kMaxBytes, 'a')), card::DeckFile::Refusal::None},
        {dir.write("big.txt", std::string(card::DeckFile::kMaxBytes + 1, 'a')), card::DeckFile::Refusal::TooLarge},
        {dir.write("zeros.txt", std::string("3 A\n\0", 5)), card::DeckFile::Refusal::HasNul},
        {dir.path() / "data", card::DeckFile::Refusal::Folder},
        {dir.path() / "missing.txt", card::DeckFile::Refusal::CannotOpen},
    };
    for (const auto& row : rows) {
        std::string text = "before";
        EXPECT_EQ(card::DeckFile::read(row.path, text), row.refusal) << row.path;
        EXPECT_EQ(text, row.refusal == card::DeckFile::Refusal::None ? text : "before");
    }
    std::string text;
    card::DeckFile::read(dir.path() / "deck.txt", text);
    EXPECT_EQ(text, "3 A\r\n");

    const std::filesystem::path data = dir.path() / "data";
    const struct {
        std::filesystem::path path;
        bool cardFile;
    } targets[] = {
        {data / "corp.txt", true},
        {data / ".." / "data" / "runner.txt", true},  // not there yet
        {dir.write("copy.txt", sjis("# cards\nA\nT\n\nn\ni\nr\n--\n")), true},
        {dir.path() / "deck.txt", false},
        {data / "new.txt", false},
    };
    for (const auto& target : targets)
        EXPECT_EQ(card::DeckFile::isCardFile(target.path, data), target.cardFile) << target.path;
}

namespace {

std::string record(const std::string& name, const std::string& type = "アイス")
{
    return name + "\n" + type + "\n\nnote\nillust\nRare\n--\n";
}

class DeckLookupTest : public ::testing::Test {
protected:
    DeckLookupTest()
    {
        dir.write("corp.txt", sjis(record("黒曜の城門") + record("ハンマー", "作戦") + record("ﾌｧｲｱｳｫｰﾙ")));
        dir.write("runner.txt", sjis(record("ハンマー", "プログラム") + record("灰色の取引", "イベント")));
    }
    std::string lookUp(card::Deck& deck, std::vector<card::EngineMessage>* messages = nullptr)
    {
        auto found = card::DeckLookup(dir.path()).lookUp(deck);
        if (messages)
            *messages = found;
        return describe(deck);
    }
    TempDir dir;
};

}  // namespace

TEST_F(DeckLookupTest, NamesAreFoundInTheirSectionsExactlyBeforeFolded)
{
    const struct {
        std::string text;
        std::string lines;
    } rows[] = {
        {"黒曜の城門\n灰色の取引", "C-1:1:黒曜の城門=corp C-1:1:灰色の取引=runner"},
        {"[Runner]\n2 ハンマー\n[Corporate]\nハンマー", "S1 C1:2:ハンマー=runner S0 C0:1:ハンマー=corp"},
        {"[Runner]\n黒曜の城門", "S1 C1:1:黒曜の城門"},  // a Corporate card in the Runner section
        {"ハンマー", "C-1:1:ハンマー=corp"},
        {"はんまー", "C-1:1:ハンマー=corp~"},
        {"ファイアウォール\n[Runner]\nﾊﾝﾏｰ", "C-1:1:ﾌｧｲｱｳｫｰﾙ=corp~ S1 C1:1:ハンマー=runner~"},
        {"灰色の取引 😀\nunknown", "C-1:1:灰色の取引 😀 C-1:1:unknown"},
        // The same card twice is one line, while the counts add up to a count.
        {"2 ハンマー\nA\n1 はんまー\nハンマー", "C-1:4:ハンマー=corp C-1:1:A"},
        {"98 黒曜の城門\n2 黒曜の城門", "C-1:98:黒曜の城門=corp C-1:2:黒曜の城門=corp"},
    };
    for (const auto& row : rows) {
        card::Deck deck = card::Deck::fromText(row.text);
        lookUp(deck);
        deck.mergeDuplicates();
        EXPECT_EQ(describe(deck), row.lines) << row.text;
    }
}

TEST_F(DeckLookupTest, DataFolderChangesFindTheNamesAgainAndMissingFilesAreReported)
{
    card::Deck deck = card::Deck::fromText("[Runner]\nハンマー\n");
    std::vector<card::EngineMessage> messages;
    EXPECT_EQ(lookUp(deck, &messages), "S1 C1:1:ハンマー=runner");
    EXPECT_TRUE(messages.empty());
    std::filesystem::remove(dir.path() / "runner.txt");
    dir.write("corp.txt", sjis(record("A") + "B\nT\n\nn\ni\nr\n-- \n"));
    EXPECT_EQ(lookUp(deck, &messages), "S1 C1:1:ハンマー");
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].kind, card::EngineMessage::OpenFailed);
    EXPECT_EQ(messages[0].file, "runner.txt");
    deck = card::Deck::fromText("Z");
    EXPECT_EQ(lookUp(deck, &messages), "C-1:1:Z");
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[0].kind, card::EngineMessage::FormatError);
    EXPECT_EQ(messages[0].line, 14);
}

// Opening and saving: the program's own file comes back byte for byte;
// a hand-written one keeps every line it could not read, and its memo.
TEST_F(DeckLookupTest, SavingKeepsEveryLine)
{
    const std::string own = "# 速攻\n[Corporate]\n3 黒曜の城門\n\n[Runner]\n2 ハンマー\nunknown\n";
    card::Deck deck = card::Deck::fromText(own);
    lookUp(deck);
    EXPECT_EQ(deck.toText(), own);

    const std::string hand = sjis("# 速攻コーポ\r\n3x 黒曜の城門\r\n[コーポ]\r\n\r\nはんまー ×2\r\nなぞの札 x 2\r\n???\r\n0 z\r\n");
    deck = card::Deck::fromText(card::DeckFile::decode(hand));
    lookUp(deck);
    EXPECT_EQ(deck.toText(), "# 速攻コーポ\n3 黒曜の城門\n[コーポ]\n\n2 ハンマー\nなぞの札 x 2\n???\n0 z\n");
    EXPECT_EQ(deck.notFoundCount(), 3u);
    EXPECT_EQ(deck.total(0), 5);
}

TEST_F(DeckLookupTest, EditsPutCardsInTheirSectionAndUndoRestoresTheText)
{
    card::Deck runner = card::Deck::fromText("[Runner]\nハンマー\n");
    card::Deck corp = card::Deck::fromText("[Corporate]\n黒曜の城門\n");
    lookUp(runner);
    lookUp(corp);
    const card::DeckLine hammer = runner.lines()[1];
    const card::DeckLine gate = corp.lines()[1];

    card::Deck deck = card::Deck::fromText("# memo\n");
    std::vector<card::Deck::Edit> undo;
    const auto add = [&](const card::DeckLine& line) {
        undo.push_back(deck.apply(deck.addCopyEdit(line.side, line.card, line.name)));
        return deck.toText();
    };
    EXPECT_EQ(add(hammer), "# memo\n[Runner]\n1 ハンマー\n");
    EXPECT_EQ(add(gate), "# memo\n[Corporate]\n1 黒曜の城門\n[Runner]\n1 ハンマー\n");
    EXPECT_EQ(add(gate), "# memo\n[Corporate]\n2 黒曜の城門\n[Runner]\n1 ハンマー\n");
    undo.push_back(deck.apply(deck.setCountEdit(2, 99)));
    EXPECT_EQ(add(gate), "# memo\n[Corporate]\n99 黒曜の城門\n[Runner]\n1 ハンマー\n");
    undo.push_back(deck.apply(deck.removeEdit(4)));
    EXPECT_EQ(deck.toText(), "# memo\n[Corporate]\n99 黒曜の城門\n[Runner]\n");
    EXPECT_EQ(deck.total(0), 99);
    EXPECT_EQ(deck.total(1), 0);
    const std::string expected[] = {
        "# memo\n[Corporate]\n99 黒曜の城門\n[Runner]\n1 ハンマー\n",
        "# memo\n[Corporate]\n99 黒曜の城門\n[Runner]\n1 ハンマー\n",
        "# memo\n[Corporate]\n2 黒曜の城門\n[Runner]\n1 ハンマー\n",
        "# memo\n[Corporate]\n1 黒曜の城門\n[Runner]\n1 ハンマー\n",
        "# memo\n[Runner]\n1 ハンマー\n",
        "# memo\n",
    };
    for (const std::string& text : expected) {
        deck.apply(undo.back());
        undo.pop_back();
        EXPECT_EQ(deck.toText(), text);
    }
}
