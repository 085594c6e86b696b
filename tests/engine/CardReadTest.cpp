// SPDX-License-Identifier: MIT
#include "Card.h"
#include "CardStore.h"
#include "RecordReader.h"
#include "RecordWriter.h"
#include "TempDir.h"
#include "TextModeFile.h"

#include <gtest/gtest.h>

namespace {

// A card's fields joined by '|', the rules text by ','.
std::string fields(const card::CardView& card)
{
    std::string text(card.text[0]);
    for (int i = 1; i < card::Card::kTextLines; ++i)
        (text += ",") += card.text[i];
    std::string out;
    for (std::string_view part : {card.name, card.type, std::string_view(text), card.note, card.illust})
        (out += part) += "|";
    return out += card.rate;
}

std::string fields(const card::Card& card)
{
    return fields(card::CardView(card));
}

struct ReadCase {
    std::string bytes;
    int result;
    std::string fields;      // when the result is 0
    bool asInFile = false;   // the record's bytes in the buffer are the record as written
};

const std::string k300(300, 't');

const ReadCase kReadCases[] = {
    {"N\nT\nt1\nt2\nt3\n\nnote\nill\nRare\n--\n", 0, "N|T|t1,t2,t3,,|note|ill|Rare", true},
    {"N\nT\n\nnote\nill\nRare\n--\n", 0, "N|T|,,,,|note|ill|Rare", true},
    {"N\nT\n1\n2\n3\n4\n5\nnote\nill\nRare\n--\n", 0, "N|T|1,2,3,4,5|note|ill|Rare", true},
    {"\nT\n\n\n\nRare\n--\n", 0, "|T|,,,,|||Rare", true},
    // A CR LF line end is two bytes where the record as written has one.
    {"N\r\nT\n\nnote\nill\nRare\n--\n", 0, "N|T|,,,,|note|ill|Rare"},
    {"N\nT\n\nnote\nill\nRare\r\n--\n", 0, "N|T|,,,,|note|ill|Rare"},
    // An empty line after five text lines is the note; the rest shifts.
    {"N\nT\n1\n2\n3\n4\n5\n\nnote\nill\nRare\n--\n", -1, ""},
    // Comments anywhere, but only with '#' as the first byte.
    {"# head\nN\n#x\nT\nt1\n# in the text\nt2\n\nnote\n ill\n#\nRare\n--\n", 0, "N|T|t1,t2,,,|note| ill|Rare"},
    {"N\nT\n # no comment\n\nn\ni\nr\n--\n", 0, "N|T| # no comment,,,,|n|i|r", true},
    // The terminator is exactly "--"; the last line may lack its line feed.
    {"N\nT\n\nn\ni\nr\n--\r\n", 0, "N|T|,,,,|n|i|r", true},
    {"N\nT\n\nn\ni\nr\n--", 0, "N|T|,,,,|n|i|r"},
    // Lines put together apart from the buffer (a lone CR) stay each its own.
    {"N\rx\nT\r\n\n\rn\ni\r\nr\n--\n", 0, "N\rx|T|,,,,|\rn|i|r"},
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

// Card::read, the store's reader and the views of the buffer alike.
TEST_P(CardRead, OneRecord)
{
    const ReadCase& c = GetParam();
    auto file = card::TextModeFile::fromBytes(c.bytes);
    card::Card read;
    ASSERT_EQ(read.read(*file), c.result);
    auto direct = card::TextModeFile::fromBytes(c.bytes);
    card::CardStore store;
    ASSERT_EQ(card::RecordReader(*direct).read(store), c.result);
    auto inPlace = card::TextModeFile::fromBytes(c.bytes);
    card::RecordReader viewReader(*inPlace);
    card::CardView view;
    ASSERT_EQ(viewReader.readInPlace(view), c.result);
    if (c.result == 0) {
        EXPECT_EQ(fields(read), c.fields);
        EXPECT_EQ(fields(store.pendingCard()), c.fields);
        EXPECT_EQ(fields(view), c.fields);
        std::string written;
        card::appendRecord(written, view);
        EXPECT_EQ(viewReader.recordBytes(), c.asInFile ? written : "");
    }
}

// A file of many blocks, with CR LF ends, lone CRs, NUL bytes and overlong
// lines (but none of exactly 255 bytes, which would end the rules text) at
// every offset, so that records and lines, a CR and its LF stand across the
// edges of the buffer: the three readers give the same cards and the same
// ending.
TEST(CardRead, DirectReaderAgreesAcrossBufferRefills)
{
    std::string bytes;
    for (int i = 0; bytes.size() < 300'000; ++i) {
        const std::string name = "N" + std::to_string(i) + std::string(i % 7 == 0 ? 1 : 0, '\0');
        bytes += name + (i % 3 ? "\r\n" : "\n") + std::string(i % 254 + (i % 5 ? 0 : 256), 't') + "\nx" +
                 (i % 2 ? "\r\n" : "\n") + "\nno" +
                 (i % 11 ? "" : "\r") + "te\nill\nR\n--\n";
    }
    bytes += "N\nT\n\nn\ni\nr\n-- \n";
    TempDir dir;
    auto simple = card::TextModeFile::open(dir.write("cards.txt", bytes));
    auto direct = card::TextModeFile::open(dir.path() / "cards.txt");
    auto inPlace = card::TextModeFile::open(dir.path() / "cards.txt");
    card::RecordReader reader(*direct), viewReader(*inPlace);
    card::CardStore store;
    card::Card read;
    card::CardView view;
    card::RecordTrace trace, directTrace, viewTrace;
    int result;
    std::size_t asInFile = 0;
    std::string written;
    while ((result = read.read(*simple, &trace)) == 0) {
        ASSERT_EQ(reader.read(store, &directTrace), 0);
        ASSERT_EQ(viewReader.readInPlace(view, &viewTrace), 0);
        store.commitCard();
        ASSERT_EQ(fields(store[store.size() - 1]), fields(read));
        ASSERT_EQ(fields(view), fields(read));
        if (const std::string_view bytes = viewReader.recordBytes(); !bytes.empty()) {
            written.clear();
            card::appendRecord(written, view);
            ASSERT_EQ(bytes, written);
            ++asInFile;
        }
    }
    EXPECT_EQ(reader.read(store, &directTrace), result);
    EXPECT_EQ(viewReader.readInPlace(view, &viewTrace), result);
    EXPECT_EQ(result, -1);
    EXPECT_EQ(directTrace.lastLine, trace.lastLine);
    EXPECT_EQ(viewTrace.lastLine, trace.lastLine);
    EXPECT_GT(store.size(), 1000u);
    EXPECT_GT(asInFile, store.size() / 16);  // the records with line feeds alone and no long line
}

INSTANTIATE_TEST_SUITE_P(Table, CardRead, ::testing::ValuesIn(kReadCases));

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
    odd.note = std::string("a\0b", 3);
    odd.rate = "r";
    card::CardStore store;
    for (const card::Card& card : {plain, odd}) {
        std::string record;
        card::appendRecord(record, card);
        card::Card again;
        ASSERT_EQ(again.read(*card::TextModeFile::fromBytes(record)), 0);
        EXPECT_EQ(fields(again), fields(card));
        // Read into the store, kept and written from it, the same record.
        ASSERT_EQ(card::RecordReader(*card::TextModeFile::fromBytes(record)).read(store), 0);
        EXPECT_EQ(fields(store.pendingCard()), fields(card));
        store.commitCard();
        std::string fromStore;
        card::appendRecord(fromStore, store[store.size() - 1]);
        EXPECT_EQ(fromStore, record);
    }
}

// Blocks of a few cards, where the default ones hold about a million: cards of every size, whole records of ten 255-byte
// fields among them, fill many blocks of both kinds and meet the last bytes of each field block; after clear() the store
// fills again from nothing. Parts read on their own are appended and more cards committed behind them, and runs of
// entries reach few byte blocks, so that cards cross from one run to the next. The rarities the store names instead of
// keeping their bytes are among them, and those it must keep as they are.
TEST(CardStore, CardsAcrossTheEdgesOfTheirBlocks)
{
    struct Row {
        std::size_t count, parts, blocksInARun, blockBytes = 4096;
    };
    const std::string rarities[] = {"Common", "Uncommon", "Vital", "Rare", "common", "Rare ", "Uncommonx", "", "Rar",
                                    "Vita1", std::string(255, 'r'), "Commo", "Uncommo"};
    // The last row fills most of a default block, whose places take all the bits an entry has for them.
    for (const Row row : {Row{1, 1, 32}, {60, 1, 32}, {60, 3, 32}, {60, 1, 2}, {60, 4, 3}, {60, 2, 1}, {7000, 2, 32, 16u << 20}}) {
        card::CardStore store(row.blockBytes, 4, row.blocksInARun);
        std::vector<std::string> cards(row.count);  // as fields() shows them
        const auto add = [&](card::CardStore& into, std::size_t i) {
            into.beginCard();
            for (std::size_t f = 0; f < card::CardStore::kFields; ++f) {
                const std::string field = f == 9 ? rarities[(i + row.count) % std::size(rarities)]
                                                 : std::string(i % 4 == 3 ? 255 : (i * 37 + f * 11) % 120,
                                                               char('a' + (i + f + row.count) % 26));
                into.addField(field);
                cards[i] += field + (f == 9 ? "" : f >= 2 && f <= 5 ? "," : "|");
            }
            into.commitCard();
        };
        for (std::size_t i = 0; i < 5; ++i)
            add(store, i % row.count);
        store.clear();
        cards.assign(row.count, "");
        for (std::size_t part = 0; part < row.parts; ++part) {
            card::CardStore piece(row.blockBytes, 4, row.blocksInARun);
            for (std::size_t i = part * row.count / row.parts; i < (part + 1) * row.count / row.parts; ++i)
                add(part + 1 < row.parts ? piece : store, i);  // the last part straight behind the others
            store.append(piece);
        }
        ASSERT_EQ(store.size(), row.count);
        for (std::size_t i = 0; i < row.count; ++i)
            EXPECT_EQ(fields(store[i]), cards[i]) << i << " of " << row.count << " in " << row.parts;
    }
    // A rarity the store names takes no byte of a block: the next card starts right after the illustrator.
    card::CardStore store;
    for (const char* rate : {"Vital", "Vital!", "Rare"}) {
        store.beginCard();
        for (const char* field : {"n", "t", "", "", "", "", "", "", "i", rate})
            store.addField(field);
        EXPECT_EQ(fields(store.pendingCard()), std::string("n|t|,,,,||i|") + rate);
        store.commitCard();
    }
    EXPECT_EQ(store[1].name.data(), store[0].illust.data() + 1);
    EXPECT_EQ(store[2].name.data(), store[1].rate.data() + 6);
    // The pages past the last card given back keep every card, and take the next one.
    store.releaseUnusedTails();
    store.beginCard();
    for (const char* field : {"m", "u", "", "", "", "", "", "", "j", "Common"})
        store.addField(field);
    store.commitCard();
    std::string shown;
    for (std::size_t i = 0; i < store.size(); ++i)
        shown += fields(store[i]) + "/";
    EXPECT_EQ(shown, "n|t|,,,,||i|Vital/n|t|,,,,||i|Vital!/n|t|,,,,||i|Rare/m|u|,,,,||j|Common/");
    const std::string_view named = store[2].rate;
    store.clear();
    EXPECT_EQ(named, "Rare");  // a view of a named rarity outlives the cards
}
