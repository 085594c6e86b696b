// SPDX-License-Identifier: MIT
#include "TempDir.h"
#include "TextModeFile.h"

#include <gtest/gtest.h>

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
