// SPDX-License-Identifier: MIT
// Feeds arbitrary bytes through the record reader and writer, the file check, the comparisons with and without folding,
// the filter, the CP932 converter and the deck reader and writer, under the sanitizers: none may crash or read out of bounds on a bad file, and what must hold
// whatever the input is checked.
#include "Card.h"
#include "CardFilter.h"
#include "CardStore.h"
#include "Cp932Converter.h"
#include "DataFileChecker.h"
#include "Deck.h"
#include "DeckFile.h"
#include "FilterText.h"
#include "RecordReader.h"
#include "RecordWriter.h"
#include "SearchCriteria.h"
#include "TextFold.h"
#include "TextModeFile.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

using enum card::search_type;

using enum card::search_mode;

void require(bool condition, const char* what)
{
    if (!condition) {
        std::fprintf(stderr, "fuzz check failed: %s\n", what);
        std::abort();
    }
}

// The text's characters, A-Z folded: the plain character-by-character search
// that the comparisons must agree with.
std::vector<std::string> characters(const std::string& s)
{
    std::vector<std::string> chars;
    for (std::size_t i = 0; i < s.size(); i += chars.back().size()) {
        const auto b = static_cast<unsigned char>(s[i]);
        const bool lead = ((b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC)) && i + 1 < s.size();
        chars.push_back(s.substr(i, lead ? 2 : 1));
        if (!lead && b >= 'A' && b <= 'Z')
            chars.back()[0] = static_cast<char>(b + 32);
    }
    return chars;
}

// Folded one character at a time with the table, a half-width letter and the
// voiced mark after it as one when they fold to one.
std::vector<card::textfold::FoldedChar> foldEachCharacter(const std::string& s)
{
    const std::vector<std::string> chars = characters(s);
    std::vector<card::textfold::FoldedChar> out;
    card::textfold::FoldedText one;
    for (std::size_t k = 0; k < chars.size(); ++k) {
        if (k + 1 < chars.size() && chars[k].size() == 1 && (chars[k + 1] == "\xDE" || chars[k + 1] == "\xDF")) {
            card::textfold::fold(chars[k] + chars[k + 1], one);
            if (one.size() == 1) {
                out.push_back(one[0]);
                ++k;
                continue;
            }
        }
        card::textfold::fold(chars[k], one);
        require(one.size() == 1, "a character folds to one");
        out.push_back(one[0]);
    }
    return out;
}

// Where `text` stands in `field`, character by character (offset + 1), or 0.
template <typename Char>
std::size_t referenceFind(const std::vector<Char>& field, const std::vector<Char>& text, card::search_mode mode)
{
    for (std::size_t start = 0; start + text.size() <= field.size(); ++start) {
        if (std::equal(text.begin(), text.end(), field.begin() + start) &&
            (mode == Partial || (start == 0 && (mode == Prefix || text.size() == field.size()))))
            return start + 1;
        if (mode != Partial)
            break;
    }
    return 0;
}

void checkComparisons(const std::string& data)
{
    const std::size_t cut = data.find('\n');
    card::Card card;
    card.name = data.substr(0, cut);
    const std::string text = cut == std::string::npos ? std::string() : data.substr(cut + 1, 24);
    const std::vector<std::string> fieldChars = characters(card.name);
    const std::size_t at = referenceFind(fieldChars, characters(text), Partial);
    std::size_t offset = 0;
    for (std::size_t k = 0; k + 1 < at; ++k)
        offset += fieldChars[k].size();
    require(card.pmatch(Name, text) == (at ? int(offset) + 1 : 0), "pmatch equals the plain search");
    require(card.fmatch(Name, text) == (card.pmatch(Name, text) == 1), "fmatch is a match at the start");
    require(!card.match(Name, text) || card.fmatch(Name, text), "match implies fmatch");
    require(!card.match(Name, text) || card::SearchCriteria{text, "", "", 0, Exact, true}.accepts(card) || text.empty(),
            "equal texts stay equal folded");
    if (text.empty())
        return;  // an empty text is no criterion
    for (card::search_mode mode : {Exact, Prefix, Partial}) {
        const card::SearchCriteria folded{text, "", "", 0, mode, true};
        require(folded.accepts(card) == (referenceFind(foldEachCharacter(card.name), foldEachCharacter(text), mode) != 0),
                "the folded comparison equals folding each character");
    }
    const std::string typed = card::textfold::withKatakanaForMissingHiragana(text);
    require(typed.size() == text.size() && typed.find("\xE3\x82\x94") == std::string::npos,
            "a typed hiragana vu becomes katakana in place");
}

bool sameCard(const card::Card& card, const card::CardView& stored)
{
    const card::CardView fields(card);
    return fields.name == stored.name && fields.type == stored.type && fields.text == stored.text &&
           fields.note == stored.note && fields.illust == stored.illust && fields.rate == stored.rate;
}

// The filter, its text cut from the same bytes as the cards, finds a stored card (its fields back to back, looked for by
// anchor bytes) exactly when it finds the same card's fields one by one; a text that only narrows never shows more.
void checkFilter(const card::CardStore& store, const std::string& data)
{
    static card::Cp932Converter converter;
    const std::string text = data.substr(0, 40);
    for (bool fold : {false, true}) {
        card::CardFilter filter{card::FilterText(text, fold, converter), &store};
        card::CardFilter longer{card::FilterText(text + data.substr(std::min<std::size_t>(40, data.size()), 8), fold, converter)};
        for (std::size_t i = 0; i < std::min<std::size_t>(store.size(), 4); ++i) {
            const card::Card copy = store[i].toCard();
            const bool shown = filter.accepts(store[i]);
            require(shown == filter.accepts(card::CardView(copy)), "the filter finds the same in the store and field by field");
            require(!longer.narrows(filter) || shown || !longer.accepts(store[i]), "a narrowing text shows no card more");
        }
    }
}

bool sameTrace(const card::RecordTrace& a, const card::RecordTrace& b)
{
    return a.firstLine == b.firstLine && a.lastLine == b.lastLine && a.hasContent == b.hasContent &&
           a.closedByDashes == b.closedByDashes;
}

void checkReading(const std::string& data)
{
    auto file = card::TextModeFile::fromBytes(data);
    // The store's reader, straight on the buffer, against the simple one.
    auto direct = card::TextModeFile::fromBytes(data);
    card::RecordReader reader(*direct);
    card::CardStore store;
    card::RecordTrace trace, directTrace;
    card::Card card;
    long cards = 0;
    int result;
    while ((result = card.read(*file, &trace)) == 0) {
        require(reader.read(store, &directTrace) == 0 && sameTrace(trace, directTrace), "the direct reader reads a card too");
        store.commitCard();
        require(sameCard(card, store[store.size() - 1]), "the store holds the card that Card::read gives");
        ++cards;
        for (const auto& field : {card.name, card.type, card.note, card.illust, card.rate})
            require(field.size() <= card::DataFile::kMaxPiece && field.find('\n') == std::string::npos,
                    "fields are single lines of at most 255 bytes");
        std::string record;
        card::appendRecord(record, card);
        // Shift-JIS that happens to be UTF-8 as well (half-width kana alone) is read as UTF-8.
        const auto written = card::TextModeFile::fromBytes(record);
        if (written->utf8())
            continue;
        card::Card again;
        require(again.read(*written) == 0 && sameCard(again, card::CardView(card)),
                "a written record reads back as the same card");
    }
    require(result == 1 || result == -1, "read ends with 1 or -1");
    require(reader.read(store, &directTrace) == result && sameTrace(trace, directTrace),
            "the direct reader ends where Card::read ends, with the same trace");
    checkFilter(store, data);
    const card::CheckResult checked = card::checkDataFile(*card::TextModeFile::fromBytes(data));
    require(checked.cards >= cards, "the check resumes after bad records, never counts fewer");
    require(!checked.problems.empty() || checked.cards == cards, "a clean file reads the same cards");
}

// The converter on arbitrary text: every byte is decoded, and valid CP932 encodes back to the same text.
void checkConversion(const std::string& data)
{
    static card::Cp932Converter converter;
    const std::string utf8 = converter.toUtf8(data);
    if (converter.isValidCp932(data)) {
        const auto bytes = converter.fromUtf8(utf8);
        require(bytes && converter.toUtf8(*bytes) == utf8, "valid CP932 text encodes back to the same text");
    }
}

// A deck read and written back loses no line: the same text with LF ends, one after the last line (whose CR is its end
// too), and the count of
// every card line within 1 to 99.
void checkDeck(const std::string& data)
{
    const card::Deck deck = card::Deck::fromText(card::DeckFile::decode(data));
    std::string expected = card::DeckFile::decode(data);
    for (std::size_t at = 0; (at = expected.find("\r\n", at)) != std::string::npos; ++at)
        expected.erase(at, 1);
    if (expected.ends_with('\r'))  // a last line without LF may end in CR
        expected.back() = '\n';
    if (!expected.empty() && !expected.ends_with('\n'))
        expected += '\n';
    require(deck.toText() == expected, "a deck is written back as it was read");
    for (const card::DeckLine& line : deck.lines())
        require(line.kind != card::DeckLine::Kind::Card || (line.count >= 1 && line.count <= 99 && !line.name.empty()),
                "a card line has a count and a name");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size)
{
    const std::string data(reinterpret_cast<const char*>(bytes), size);
    checkComparisons(data);
    checkReading(data);
    checkConversion(data);
    checkDeck(data);
    return 0;
}
