#include "Card.h"
#include "RecordWriter.h"
#include "TextModeFile.h"

#include <gtest/gtest.h>

namespace {

struct ReadOutcome {
    int result;
    Card card;
};

ReadOutcome readOne(const std::string& bytes)
{
    auto file = TextModeFile::fromBytes(bytes);
    ReadOutcome outcome;
    outcome.result = outcome.card.read(*file);
    return outcome;
}

}  // namespace

TEST(CardRead, RulesTextBlockEndsAtAnEmptyLineOrAfterFiveLines)
{
    auto three = readOne("N\nT\nt1\nt2\nt3\n\nnote\nill\nRare\n--\n");
    ASSERT_EQ(three.result, 0);
    EXPECT_EQ(three.card.name, "N");
    EXPECT_EQ(three.card.type, "T");
    EXPECT_EQ(three.card.text[2], "t3");
    EXPECT_EQ(three.card.text[3], "");
    EXPECT_EQ(three.card.note, "note");
    EXPECT_EQ(three.card.illust, "ill");
    EXPECT_EQ(three.card.rate, "Rare");

    auto none = readOne("N\nT\n\nnote\nill\nRare\n--\n");
    ASSERT_EQ(none.result, 0);
    for (const auto& line : none.card.text)
        EXPECT_EQ(line, "");
    EXPECT_EQ(none.card.note, "note");

    auto five = readOne("N\nT\n1\n2\n3\n4\n5\nnote\nill\nRare\n--\n");
    ASSERT_EQ(five.result, 0);
    EXPECT_EQ(five.card.text[4], "5");
    EXPECT_EQ(five.card.note, "note");

    // An empty line after five text lines is the note; the rest shifts.
    EXPECT_EQ(readOne("N\nT\n1\n2\n3\n4\n5\n\nnote\nill\nRare\n--\n").result, -1);
}

TEST(CardRead, CommentsAreSkippedAnywhereButOnlyWhenFirstByteIsHash)
{
    auto card = readOne("# head\nN\n#x\nT\nt1\n# inside the text\nt2\n\nnote\n ill\n#\nRare\n--\n");
    ASSERT_EQ(card.result, 0);
    EXPECT_EQ(card.card.text[0], "t1");
    EXPECT_EQ(card.card.text[1], "t2");
    EXPECT_EQ(card.card.text[2], "");
    EXPECT_EQ(card.card.illust, " ill");

    auto blank = readOne("N\nT\n # not a comment\n\nnote\nill\nRare\n--\n");
    ASSERT_EQ(blank.result, 0);
    EXPECT_EQ(blank.card.text[0], " # not a comment");
}

TEST(CardRead, TerminatorMustBeExactlyTwoDashes)
{
    EXPECT_EQ(readOne("N\nT\n\nn\ni\nr\n--\r\n").result, 0);
    EXPECT_EQ(readOne("N\nT\n\nn\ni\nr\n-- \n").result, -1);
    EXPECT_EQ(readOne("N\nT\n\nn\ni\nr\n---\n").result, -1);
    EXPECT_EQ(readOne("N\nT\n\nn\ni\nr\n--").result, 0);
    EXPECT_EQ(readOne("N\nT\n\nn\ni\nr\n").result, 1);
    EXPECT_EQ(readOne("").result, 1);
    EXPECT_EQ(readOne("# only\n# comments\n").result, 1);
}

TEST(CardRead, ScratchCardCarriesNothingOverAndTraceGivesLines)
{
    auto file = TextModeFile::fromBytes(
        "# c\nA\nT\n1\n2\n3\n4\n5\nn\ni\nr\n--\nB\nT\n\nn\ni\nr\n--\nC\nT\n\nn\ni\nr\nXX\n");
    Card card;
    RecordTrace trace;
    ASSERT_EQ(card.read(*file, &trace), 0);
    EXPECT_EQ(trace.firstLine, 2);
    EXPECT_EQ(trace.lastLine, 12);
    ASSERT_EQ(card.read(*file, &trace), 0);
    EXPECT_EQ(card.name, "B");
    for (const auto& line : card.text)
        EXPECT_EQ(line, "");
    EXPECT_EQ(card.read(*file, &trace), -1);
    EXPECT_EQ(trace.firstLine, 20);
    EXPECT_EQ(trace.lastLine, 26);
}

TEST(CardRead, LongLinesAreReadInPiecesAndDisplaceFields)
{
    auto card = readOne("N\n" + std::string(300, 't') + "\n\nn\ni\nr\n--\n");
    // The type takes 255 bytes, the rules text the other 45, then the block
    // ends at the empty line and the fields follow as usual.
    ASSERT_EQ(card.result, 0);
    EXPECT_EQ(card.card.type, std::string(255, 't'));
    EXPECT_EQ(card.card.text[0], std::string(45, 't'));
}

TEST(CardCopy, CopiesRulesTextUpToTheFirstEmptyEntry)
{
    Card source;
    source.name = "N";
    source.text = {"a", "b", "", "stray", ""};
    source.rate = "Rare";
    Card target;
    target.text = {"x", "x", "x", "x", "x"};
    target = source;
    EXPECT_EQ(target.name, "N");
    EXPECT_EQ(target.rate, "Rare");
    EXPECT_EQ(target.text, (std::array<std::string, 5>{"a", "b", "", "", ""}));
    Card copy(source);
    EXPECT_EQ(copy.text[3], "");
}

TEST(RecordWriter, WrittenRecordsReadBackAsTheSameCards)
{
    Card plain;
    plain.name = "N";
    plain.type = "T";
    plain.text = {"a", "b", "", "", ""};
    plain.rate = "Rare";
    std::string out;
    appendRecord(out, plain);
    EXPECT_EQ(out, "N\nT\na\nb\n\n\n\nRare\n--\n");

    // Fields only an overlong line or a stray CR can make.
    Card odd;
    odd.name = std::string(254, 'n') + "\r";   // a whole piece ending in CR...
    odd.type = "";                             // ...before an empty line
    odd.text = {"x\r", "y", "z", "w", std::string(255, 'v')};
    odd.note = "";
    odd.illust = std::string(255, 'i');
    odd.rate = "r";
    for (const Card& card : {plain, odd}) {
        std::string record;
        appendRecord(record, card);
        auto outcome = readOne(record);
        ASSERT_EQ(outcome.result, 0);
        EXPECT_EQ(outcome.card.name, card.name);
        EXPECT_EQ(outcome.card.type, card.type);
        EXPECT_EQ(outcome.card.text, card.text);
        EXPECT_EQ(outcome.card.note, card.note);
        EXPECT_EQ(outcome.card.illust, card.illust);
        EXPECT_EQ(outcome.card.rate, card.rate);
    }
}
