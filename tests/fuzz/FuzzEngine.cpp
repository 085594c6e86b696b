// Feeds arbitrary bytes through the record reader and writer, the list
// loading, the file check, the comparisons with and without folding and the
// CP932 converter, and checks what must hold whatever the input.
#include "Card.h"
#include "CardLister.h"
#include "Cp932Converter.h"
#include "DataFileChecker.h"
#include "RecordWriter.h"
#include "SearchCriteria.h"
#include "ShiftJis.h"
#include "TextFold.h"
#include "TextModeFile.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

void require(bool condition, const char* what)
{
    if (!condition) {
        std::fprintf(stderr, "fuzz check failed: %s\n", what);
        std::abort();
    }
}

// --- the plain character-by-character search the comparisons must agree with

struct Character {
    std::size_t offset;
    std::string bytes;
};

std::vector<Character> characters(const std::string& s)
{
    std::vector<Character> chars;
    for (std::size_t i = 0; i < s.size();) {
        auto b = static_cast<unsigned char>(s[i]);
        bool lead = ((b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC)) && i + 1 < s.size();
        std::size_t len = lead ? 2 : 1;
        std::string bytes = s.substr(i, len);
        if (len == 1 && b >= 'A' && b <= 'Z')
            bytes[0] = static_cast<char>(b + 32);
        chars.push_back({i, bytes});
        i += len;
    }
    return chars;
}

int referenceFind(const std::string& field, const std::string& text)
{
    auto f = characters(field);
    auto t = characters(text);
    for (std::size_t start = 0; start + t.size() <= f.size(); ++start) {
        bool same = true;
        for (std::size_t k = 0; k < t.size() && same; ++k)
            same = f[start + k].bytes == t[k].bytes;
        if (same)
            return static_cast<int>(start < f.size() ? f[start].offset : field.size()) + 1;
    }
    return 0;
}

// --- the folded comparisons against folding each character on its own

// The folded characters of `s`, found by folding one character at a time
// with the table: a half-width letter and the voiced mark after it are one
// character when they fold to one.
std::vector<textfold::FoldedChar> foldEachCharacter(const std::string& s)
{
    const std::vector<Character> chars = characters(s);
    std::vector<textfold::FoldedChar> out;
    textfold::FoldedText one;
    for (std::size_t k = 0; k < chars.size(); ++k) {
        const std::string& bytes = chars[k].bytes;
        if (k + 1 < chars.size() && bytes.size() == 1 && (chars[k + 1].bytes == "\xDE" || chars[k + 1].bytes == "\xDF")) {
            textfold::fold(bytes + chars[k + 1].bytes, one);
            if (one.size() == 1) {
                out.push_back(one[0]);
                ++k;
                continue;
            }
        }
        textfold::fold(bytes, one);
        require(one.size() == 1, "a character folds to one");
        out.push_back(one[0]);
    }
    return out;
}

bool referenceFoldedMatch(const std::string& field, const std::string& text, int mode)
{
    const auto f = foldEachCharacter(field);
    const auto t = foldEachCharacter(text);
    for (std::size_t start = 0; start + t.size() <= f.size(); ++start) {
        bool same = true;
        for (std::size_t k = 0; k < t.size() && same; ++k)
            same = f[start + k] == t[k];
        if (same && (mode == Partial || (start == 0 && (mode == Prefix || t.size() == f.size()))))
            return true;
        if (mode != Partial)
            return false;
    }
    return false;
}

void checkFoldedComparisons(const Card& card, const std::string& text)
{
    if (text.empty())
        return;  // an empty text is no criterion
    for (int mode : {Exact, Prefix, Partial}) {
        const SearchCriteria folded{text, "", "", 0, mode, true};
        require(folded.accepts(card) == referenceFoldedMatch(card.name, text, mode),
                "the folded comparison equals folding each character");
    }
    if (card.match(Name, text))
        require(SearchCriteria{text, "", "", 0, Exact, true}.accepts(card), "equal texts stay equal folded");
    const std::string typed = textfold::withKatakanaForMissingHiragana(text);
    require(typed.size() == text.size() && typed.find("\xE3\x82\x94") == std::string::npos,
            "a typed hiragana vu becomes katakana in place");
}

void checkComparisons(const std::string& data)
{
    std::size_t cut = data.find('\n');
    Card card;
    card.name = data.substr(0, cut);
    std::string text = cut == std::string::npos ? std::string() : data.substr(cut + 1, 24);
    int position = card.pmatch(Name, text);
    require(position == referenceFind(card.name, text), "pmatch equals the plain search");
    require(card.fmatch(Name, text) == (position == 1 ? 1 : 0), "fmatch is a match at the start");
    if (card.match(Name, text))
        require(card.fmatch(Name, text) == 1, "match implies fmatch");
    require(sjis::truncateToBytes(card.name, text.size()).size() <= text.size(), "truncation stays in bounds");
    checkFoldedComparisons(card, text);
}

// --- the reader, the check and the list loading

// A card written as a record reads back as the same card.
void checkRecordRoundTrip(const Card& card)
{
    std::string record;
    appendRecord(record, card);
    auto file = TextModeFile::fromBytes(record);
    Card again;
    require(again.read(*file) == 0, "a written record reads back");
    require(again.name == card.name && again.type == card.type && again.text == card.text &&
                again.note == card.note && again.illust == card.illust && again.rate == card.rate,
            "a written record reads back as the same card");
}

void checkReading(const std::string& data)
{
    auto file = TextModeFile::fromBytes(data);
    Card card;
    RecordTrace trace;
    long cards = 0;
    int result;
    while ((result = card.read(*file, &trace)) == 0) {
        ++cards;
        for (const auto& field : {card.name, card.type, card.note, card.illust, card.rate})
            require(field.size() <= DataFile::kMaxPiece && field.find('\n') == std::string::npos,
                    "fields are single lines of at most 255 bytes");
        checkRecordRoundTrip(card);
    }
    require(result == 1 || result == -1, "read ends with 1 or -1");

    auto again = TextModeFile::fromBytes(data);
    CheckResult checked = checkDataFile(*again);
    require(checked.cards >= cards, "the check resumes after bad records, never counts fewer");
    if (checked.problems.empty())
        require(checked.cards == cards, "a clean file reads the same cards");
}

class CountingScreen : public CardListView, public FinderUi {
public:
    std::size_t lines = 0;
    int notices = 0;
    void resetContent() override { lines = 0; }
    void addString(std::string) override { ++lines; }
    void selectFirstLine() override {}
    void setRedraw(bool) override {}
    void showMessage(const EngineMessage&) override {}
    void showNotice() override { ++notices; }
    void hideNotice() override { --notices; }
};

const std::filesystem::path& scratchDir()
{
    static const std::filesystem::path dir = [] {
        char name[] = "/tmp/voxtarn-fuzz-XXXXXX";
        const char* made = mkdtemp(name);
        require(made != nullptr, "scratch folder");
        return std::filesystem::path(made);
    }();
    return dir;
}

void checkListing(const std::string& data)
{
    std::ofstream(scratchDir() / "corp.txt", std::ios::binary | std::ios::trunc) << data;
    std::ofstream(scratchDir() / "runner.txt", std::ios::binary | std::ios::trunc) << data.substr(data.size() / 2);
    CountingScreen screen;
    CardLister lister(screen, screen, scratchDir());
    lister.OnListAll();
    require(screen.lines == lister.cards().size(), "one line per listed card");
    require(screen.notices == 0, "the notice is gone after the command");
    SearchCriteria criteria;
    criteria.name = data.substr(0, 3);
    criteria.type = data.size() > 3 ? data.substr(3, 2) : std::string();
    criteria.side = data.empty() ? 0 : data[0] & 1;
    criteria.mode = data.size() < 2 ? 0 : static_cast<unsigned char>(data[1]) % 4;
    criteria.fold = data.size() > 1 && (data[1] & 4) != 0;
    lister.RunSearch(criteria);
    require(screen.lines == lister.cards().size(), "one line per hit");
    for (const auto& card : lister.cards())
        require(criteria.accepts(*card), "every hit is accepted");
}

// --- the converter

bool isValidUtf8(const std::string& s)
{
    for (std::size_t i = 0; i < s.size();) {
        auto b = static_cast<unsigned char>(s[i]);
        std::size_t len = b < 0x80 ? 1 : (b >> 5) == 6 ? 2 : (b >> 4) == 14 ? 3 : (b >> 3) == 30 ? 4 : 0;
        if (len == 0 || i + len > s.size())
            return false;
        for (std::size_t k = 1; k < len; ++k)
            if ((static_cast<unsigned char>(s[i + k]) >> 6) != 2)
                return false;
        i += len;
    }
    return true;
}

void checkConverter(const std::string& data)
{
    static Cp932Converter converter;
    std::string utf8 = converter.toUtf8(data);
    require(isValidUtf8(utf8), "decoding gives valid UTF-8");
    if (converter.isValidCp932(data)) {
        auto bytes = converter.fromUtf8(utf8);
        require(bytes.has_value(), "valid CP932 text encodes back");
        require(converter.toUtf8(*bytes) == utf8, "and decodes to the same text");
    }
    if (auto encoded = converter.fromUtf8(data))
        require(converter.isValidCp932(*encoded), "encoding gives valid CP932");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size)
{
    std::string data(reinterpret_cast<const char*>(bytes), size);
    checkComparisons(data);
    checkReading(data);
    checkListing(data);
    checkConverter(data);
    return 0;
}
