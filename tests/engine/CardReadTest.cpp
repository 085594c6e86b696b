#include "Card.h"
#include "RecordWriter.h"
#include "TextModeFile.h"

#include <gtest/gtest.h>

namespace {

// A card's fields joined by '|', the rules text by ','.
std::string fields(const card::Card& card)
{
    std::string text = card.text[0];
    for (int i = 1; i < card::Card::kTextLines; ++i)
        text += "," + card.text[i];
    return card.name + "|" + card.type + "|" + text + "|" + card.note + "|" + card.illust + "|" + card.rate;
}

struct ReadCase {
    std::string bytes;
    int result;
    std::string fields;  // when the result is 0
};

const std::string k300(300, 't');

const ReadCase kReadCases[] = {
    {"N\nT\nt1\nt2\nt3\n\nnote\nill\nRare\n--\n", 0, "N|T|t1,t2,t3,,|note|ill|Rare"},
    {"N\nT\n\nnote\nill\nRare\n--\n", 0, "N|T|,,,,|note|ill|Rare"},
    {"N\nT\n1\n2\n3\n4\n5\nnote\nill\nRare\n--\n", 0, "N|T|1,2,3,4,5|note|ill|Rare"},
    // An empty line after five text lines is the note; the rest shifts.
    {"N\nT\n1\n2\n3\n4\n5\n\nnote\nill\nRare\n--\n", -1, ""},
    // Comments anywhere, but only with '#' as the first byte.
    {"# head\nN\n#x\nT\nt1\n# in the text\nt2\n\nnote\n ill\n#\nRare\n--\n", 0, "N|T|t1,t2,,,|note| ill|Rare"},
    {"N\nT\n # no comment\n\nn\ni\nr\n--\n", 0, "N|T| # no comment,,,,|n|i|r"},
    // The terminator is exactly "--"; the last line may lack its line feed.
    {"N\nT\n\nn\ni\nr\n--\r\n", 0, "N|T|,,,,|n|i|r"},
    {"N\nT\n\nn\ni\nr\n-- \n", -1, ""},
    {"N\nT\n\nn\ni\nr\n---\n", -1, ""},
    {"N\nT\n\nn\ni\nr\n", 1, ""},
    {"", 1, ""},
    {"# only\n# comments\n", 1, ""},
    // A 300-byte line is read as 255 bytes and 45, which shift the fields.
    {"N\n" + k300 + "\n\nn\ni\nr\n--\n", 0, "N|" + std::string(255, 't') + "|" + std::string(45, 't') + ",,,,|n|i|r"},
};

void PrintTo(const ReadCase& c, std::ostream* os) { *os << ::testing::PrintToString(c.bytes); }

class CardRead : public ::testing::TestWithParam<ReadCase> {};

}  // namespace

TEST_P(CardRead, OneRecord)
{
    const ReadCase& c = GetParam();
    auto file = card::TextModeFile::fromBytes(c.bytes);
    card::Card card;
    ASSERT_EQ(card.read(*file), c.result);
    if (c.result == 0) {
        EXPECT_EQ(fields(card), c.fields);
    }
}

INSTANTIATE_TEST_SUITE_P(Table, CardRead, ::testing::ValuesIn(kReadCases));

TEST(CardRead, ScratchCardCarriesNothingOver)
{
    auto file = card::TextModeFile::fromBytes("# c\nA\nT\n1\n2\n3\n4\n5\nn\ni\nr\n--\nB\nT\n\nn\ni\nr\n--\n");
    card::Card card;
    ASSERT_EQ(card.read(*file), 0);
    ASSERT_EQ(card.read(*file), 0);
    EXPECT_EQ(fields(card), "B|T|,,,,|n|i|r");
}

TEST(CardCopy, CopiesRulesTextUpToTheFirstEmptyEntry)
{
    card::Card source;
    source.name = "N";
    source.text = {"a", "b", "", "stray", ""};
    source.rate = "Rare";
    card::Card target;
    target.text = {"x", "x", "x", "x", "x"};
    target = source;
    EXPECT_EQ(fields(target), "N||a,b,,,|||Rare");
    EXPECT_EQ(fields(card::Card(source)), "N||a,b,,,|||Rare");
}

TEST(RecordWriter, WrittenRecordsReadBackAsTheSameCards)
{
    card::Card plain;
    plain.name = "N";
    plain.text = {"a", "b", "", "", ""};
    std::string out;
    card::appendRecord(out, plain);
    EXPECT_EQ(out, "N\n\na\nb\n\n\n\n\n--\n");

    // Fields only an overlong line or a stray CR can make.
    card::Card odd;
    odd.name = std::string(254, 'n') + "\r";  // a whole piece ending in CR before an empty line
    odd.text = {"x\r", "y", "z", "w", std::string(255, 'v')};
    odd.illust = std::string(255, 'i');
    odd.rate = "r";
    for (const card::Card& card : {plain, odd}) {
        std::string record;
        card::appendRecord(record, card);
        card::Card again;
        ASSERT_EQ(again.read(*card::TextModeFile::fromBytes(record)), 0);
        EXPECT_EQ(fields(again), fields(card));
    }
}
