#include "TempDir.h"
#include "TextModeFile.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

struct Piece {
    std::string bytes;
    long line;
    bool operator==(const Piece&) const = default;
};

std::vector<Piece> allPieces(DataFile& file)
{
    std::vector<Piece> pieces;
    std::string piece;
    while (file.readPiece(piece))
        pieces.push_back({piece, file.lineNumber()});
    return pieces;
}

std::vector<Piece> piecesOf(const std::string& bytes)
{
    return allPieces(*TextModeFile::fromBytes(bytes));
}

}  // namespace

TEST(TextModeFile, TranslatesLineEndsLikeAWindowsTextModeRead)
{
    EXPECT_EQ(piecesOf("a\r\nb\n"), (std::vector<Piece>{{"a\n", 1}, {"b\n", 2}}));
    // A lone CR stays, also right before the end; CR CR LF keeps the first CR.
    EXPECT_EQ(piecesOf("a\rb\r\r\nc\r"), (std::vector<Piece>{{"a\rb\r\n", 1}, {"c\r", 2}}));
    // The last line may lack its line feed.
    EXPECT_EQ(piecesOf("x\ny"), (std::vector<Piece>{{"x\n", 1}, {"y", 2}}));
    EXPECT_TRUE(piecesOf("").empty());
}

TEST(TextModeFile, CtrlZEndsTheFileAndNulBytesAreKept)
{
    EXPECT_EQ(piecesOf("a\nb\x1A" "c\nd\n"), (std::vector<Piece>{{"a\n", 1}, {"b", 2}}));
    EXPECT_TRUE(piecesOf("\x1A" "card\n").empty());
    EXPECT_EQ(piecesOf(std::string("a\0b\n", 4)), (std::vector<Piece>{{std::string("a\0b\n", 4), 1}}));
}

TEST(TextModeFile, DeliversAtMost255BytesAndLongLinesKeepOneLineNumber)
{
    auto pieces = piecesOf(std::string(300, 'x') + "\nnext\n");
    ASSERT_EQ(pieces.size(), 3u);
    EXPECT_EQ(pieces[0], (Piece{std::string(255, 'x'), 1}));
    EXPECT_EQ(pieces[1], (Piece{std::string(45, 'x') + "\n", 1}));
    EXPECT_EQ(pieces[2], (Piece{"next\n", 2}));

    // 254 bytes and LF fit one piece; 255 bytes leave the LF to a piece of its own.
    EXPECT_EQ(piecesOf(std::string(254, 'y') + "\n").size(), 1u);
    auto exact = piecesOf(std::string(255, 'z') + "\n");
    ASSERT_EQ(exact.size(), 2u);
    EXPECT_EQ(exact[1], (Piece{"\n", 1}));
    // A dropped CR does not count towards the 255 bytes.
    EXPECT_EQ(piecesOf(std::string(254, 'w') + "\r\n").size(), 1u);
}

TEST(TextModeFile, ReadsFromDiskAcrossBufferBoundaries)
{
    TempDir dir;
    // Lines of 7 bytes plus CR LF put some CR LF pairs across the 256 KiB blocks.
    std::string bytes;
    const int lines = 100000;
    for (int i = 0; i < lines; ++i)
        bytes += "line" + std::to_string(1000 + i % 900) + "\r\n";
    auto file = TextModeFile::open(dir.write("big.txt", bytes));
    ASSERT_NE(file, nullptr);
    auto pieces = allPieces(*file);
    ASSERT_EQ(pieces.size(), static_cast<std::size_t>(lines));
    for (int i = 0; i < lines; ++i) {
        ASSERT_EQ(pieces[i].bytes, "line" + std::to_string(1000 + i % 900) + "\n") << i;
        ASSERT_EQ(pieces[i].line, i + 1);
    }
    EXPECT_FALSE(file->readFailed());
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
        EXPECT_EQ(TextModeFile::open(path) != nullptr, opens) << path;
}
