// SPDX-License-Identifier: MIT
#include "Cp932Converter.h"
#include "Sjis.h"
#include "TempDir.h"
#include "TextModeFile.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace {

using Piece = std::pair<std::string, long>;  // the bytes and the line number

std::vector<Piece> allPieces(card::DataFile& file)
{
    std::vector<Piece> pieces;
    for (std::string piece; file.readPiece(piece);)
        pieces.push_back({piece, file.lineNumber()});
    return pieces;
}

struct PieceCase {
    std::string bytes;
    std::vector<Piece> pieces;
};

const std::string k255(255, 'x');

// `count` times the line `bytes`, and the pieces they read as.
PieceCase sameLines(const std::string& bytes, const std::string& piece, int count)
{
    PieceCase lines;
    for (int i = 1; i <= count; ++i) {
        lines.bytes += bytes;
        lines.pieces.push_back({piece, i});
    }
    return lines;
}

const PieceCase kPieceCases[] = {
    {"a\r\nb\n", {{"a\n", 1}, {"b\n", 2}}},
    // A lone CR stays, also right before the end; CR CR LF keeps one CR.
    {"a\rb\r\r\nc\r", {{"a\rb\r\n", 1}, {"c\r", 2}}},
    {"x\ny", {{"x\n", 1}, {"y", 2}}},
    {"", {}},
    // Ctrl-Z ends the file; NUL bytes are kept.
    {"a\nb\x1A" "c\nd\n", {{"a\n", 1}, {"b", 2}}},
    {"\x1A" "card\n", {}},
    {std::string("a\0b\n", 4), {{std::string("a\0b\n", 4), 1}}},
    // At most 255 bytes a piece; the pieces of one line share its number.
    {k255 + "xxx\nnext\n", {{k255, 1}, {"xxx\n", 1}, {"next\n", 2}}},
    {k255.substr(1) + "\n", {{k255.substr(1) + "\n", 1}}},
    {k255 + "\n", {{k255, 1}, {"\n", 1}}},
    // A dropped CR does not count towards the 255 bytes.
    {k255.substr(1) + "\r\n", {{k255.substr(1) + "\n", 1}}},
    // Line breaks are looked for 64 bytes at a time: a CR LF across two of them; a lone CR and a Ctrl-Z after
    // windows of LF alone, one at the first byte of a window; CR LF in every window.
    {std::string(63, 'a') + "\r\nb\n", {{std::string(63, 'a') + "\n", 1}, {"b\n", 2}}},
    {std::string(63, 'a') + "\n" + std::string(70, 'b') + "\rc\nd\n\x1A" "e\n",
     {{std::string(63, 'a') + "\n", 1}, {std::string(70, 'b') + "\rc\n", 2}, {"d\n", 3}}},
    {std::string(63, 'a') + "\n\x1A" "b\n", {{std::string(63, 'a') + "\n", 1}}},
    sameLines("ab\r\n", "ab\n", 50),
};

void PrintTo(const PieceCase& c, std::ostream* os) { *os << ::testing::PrintToString(c.bytes); }

class TextMode : public ::testing::TestWithParam<PieceCase> {};

}  // namespace

TEST_P(TextMode, Pieces)
{
    EXPECT_EQ(allPieces(*card::TextModeFile::fromBytes(GetParam().bytes)), GetParam().pieces);
}

INSTANTIATE_TEST_SUITE_P(Table, TextMode, ::testing::ValuesIn(kPieceCases));

TEST(TextModeFile, ReadsFromDiskAcrossBlockEdges)
{
    TempDir dir;
    // The reader takes the file in blocks of 64 KiB: a CR LF pair lies before, across and after the edge of the first
    // block.
    for (std::size_t crAt : {65534, 65535, 65536}) {
        auto file = card::TextModeFile::open(dir.write("edge.txt", std::string(crAt, 'a') + "\r\nb\r\n"));
        ASSERT_NE(file, nullptr);
        std::string joined;
        long lastLine = 0;
        for (std::string piece; file->readPiece(piece); lastLine = file->lineNumber())
            joined += piece;
        EXPECT_EQ(joined, std::string(crAt, 'a') + "\nb\n") << crAt;
        EXPECT_EQ(lastLine, 2);
        EXPECT_FALSE(file->readFailed());
    }
}

// A file saved as UTF-8 reads as the same Shift-JIS bytes, line by line; a character that Shift-JIS lacks, or a byte
// that is no UTF-8 after the first 64 KiB, becomes 〓 and its line is noted (true: no UTF-8). Anything else is read
// byte for byte.
struct Utf8Case {
    std::string bytes, read;
    std::vector<std::pair<long, bool>> problems;
};

const std::string k64k(64 * 1024 - 1, 'a');  // the last byte of the first 64 KiB comes next
const std::string kGeta = "\x81\xAC";

const Utf8Case kUtf8Cases[] = {
    {"名\r\nT\n", sjis("名\nT\n"), {}},
    {"\xEF\xBB\xBF" "名\nT", sjis("名\nT"), {}},
    {"\xEF\xBB\xBF" "N\xFF\n", "N" + kGeta + "\n", {{1, true}}},          // the mark alone says UTF-8
    {"名\n札😀é\nT\n", sjis("名\n札") + kGeta + kGeta + "\nT\n", {{2, false}}},
    {"名\n" + k64k.substr(4) + "札\n", sjis("名\n") + k64k.substr(4) + sjis("札\n"), {}},  // 札 cut at 64 KiB
    {"名\n" + k64k + "x\xFFy\n", sjis("名\n") + k64k + "x" + kGeta + "y\n", {{2, true}}},
    {"名\n\x1A" "札\n", sjis("名\n"), {}},                              // Ctrl-Z ends it as ever
    {sjis("名\n札\n"), sjis("名\n札\n"), {}},                           // Shift-JIS
    {"a\xFF名\n", "a\xFF名\n", {}},                                     // no UTF-8 within 64 KiB
    {"名\xE0\x80\xAF\n", "名\xE0\x80\xAF\n", {}},  // an overlong form is no UTF-8
    {"名\xED\xA0\x80\n", "名\xED\xA0\x80\n", {}},  // nor a surrogate
    {"名\n" + k64k + "\xC0\xAF\xF0\x80\x80\xAF\n", sjis("名\n") + k64k + kGeta + kGeta + kGeta + kGeta + kGeta + kGeta + "\n", {{2, true}}},
    {"ascii\n", "ascii\n", {}},                                         // no multi-byte character
    // After 64 KiB of ASCII the first other bytes decide, and the lines are numbered on.
    {k64k + "\n名\n札😀\n", k64k + sjis("\n名\n札") + kGeta + "\n", {{3, false}}},
    {k64k + sjis("\n名\n札\n"), k64k + sjis("\n名\n札\n"), {}},
};

void PrintTo(const Utf8Case& c, std::ostream* os) { *os << ::testing::PrintToString(c.bytes.substr(0, 40)); }

class Utf8Reading : public ::testing::TestWithParam<Utf8Case> {};

TEST_P(Utf8Reading, ReadsTheSameShiftJis)
{
    const Utf8Case& c = GetParam();
    auto file = card::TextModeFile::fromBytes(c.bytes);
    std::string read;
    for (const auto& [piece, line] : allPieces(*file))
        read += piece;
    EXPECT_EQ(read, c.read);
    std::vector<std::pair<long, bool>> problems;
    for (const card::Utf8Transcoder::Problem& problem : file->utf8() ? file->utf8()->problems() : decltype(file->utf8()->problems()){})
        problems.push_back({problem.line, problem.invalid});
    EXPECT_EQ(problems, c.problems);
}

INSTANTIATE_TEST_SUITE_P(Table, Utf8Reading, ::testing::ValuesIn(kUtf8Cases));

// From disk, block by block: the UTF-8 copy of a Shift-JIS file gives the same pieces with the same line numbers.
TEST(TextModeFile, Utf8FromDiskGivesTheShiftJisPieces)
{
    TempDir dir;
    std::string cards;
    for (int i = 0; cards.size() < 300 * 1024; ++i)
        cards += sjis("カード") + std::to_string(i) + (i % 7 ? "\n" : "\r\n") + (i % 500 ? "" : std::string(300, 'x') + "\n");
    auto shiftJis = card::TextModeFile::open(dir.write("sjis.txt", cards + kGeta + "\n"));
    auto utf8 = card::TextModeFile::open(dir.write("utf8.txt", card::Cp932Converter().toUtf8(cards) + "😀\n"));
    EXPECT_TRUE(utf8->utf8() && !shiftJis->utf8());
    EXPECT_EQ(allPieces(*utf8), allPieces(*shiftJis));
    EXPECT_EQ(utf8->bytesRead(), std::filesystem::file_size(dir.path() / "utf8.txt"));  // the progress ends at 100 %
    // Named by its line, the last, after the blocks that converted whole.
    const long last = std::count(cards.begin(), cards.end(), '\n') + 1;
    ASSERT_EQ(utf8->utf8()->problems().size(), 1u);
    EXPECT_EQ(utf8->utf8()->problems()[0].line, last);
    // ASCII up to the edge of the first block, and the first character of UTF-8 before, across or after it.
    for (std::size_t ascii : {65533, 65534, 65535, 65536}) {
        const std::string head = std::string(ascii - 1, '#') + "\n";
        auto late = card::TextModeFile::open(dir.write("late.txt", head + "名札\n"));
        std::string read;
        for (const auto& [piece, line] : allPieces(*late))
            read += piece;
        EXPECT_EQ(read, head + sjis("名札\n")) << ascii;
    }
    // A line without end is read block by block, never held whole, and no character is split between blocks.
    std::string endless = "x";  // one byte first, so that the blocks' ends fall inside characters
    while (endless.size() < 3 * 1024 * 1024)
        endless += "名";
    auto line = card::TextModeFile::open(dir.write("endless.txt", endless));
    std::string_view piece;
    ASSERT_TRUE(line->nextPiece(piece));
    EXPECT_LT(line->bytesRead(), endless.size() / 2);
    std::string read(piece);
    while (line->nextPiece(piece))
        read += piece;
    EXPECT_EQ(read, sjis(endless));
    EXPECT_TRUE(line->utf8()->problems().empty());
}

// Only a regular file, after following links, is a data file; anything else
// is refused at once, never a read that blocks or never ends.
TEST(TextModeFile, OnlyRegularFilesOpen)
{
    TempDir dir;
    const std::filesystem::path file = dir.write("corp.txt", "C\n");
    const std::pair<std::filesystem::path, bool> rows[] = {
        {file, true},
        {dir.path(), false},
        {dir.path() / "missing.txt", false},
#if defined(_WIN32)
        {"NUL", false},
        {"CON", false},
#else
        {dir.link("to-file", file), true},
        {dir.link("to-zero", "/dev/zero"), false},
        {dir.fifo("fifo"), false},
#endif
    };
    for (const auto& [path, opens] : rows)
        EXPECT_EQ(card::TextModeFile::open(path) != nullptr, opens) << path;
}
