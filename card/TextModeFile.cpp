// SPDX-License-Identifier: MIT
#include "TextModeFile.h"

#include <algorithm>
#include <array>
#include <cstring>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace card {

namespace {
constexpr std::size_t kBufferSize = 64 * 1024;
constexpr char kEndOfFileMark = 0x1A;  // Ctrl-Z: old Shift-JIS files end with it
}  // namespace

std::unique_ptr<TextModeFile> TextModeFile::open(const std::filesystem::path& path)
{
    os::FileHandle handle = os::openRegularFile(path);
    if (handle == os::kNoFile)
        return nullptr;
    auto file = std::unique_ptr<TextModeFile>(new TextModeFile(handle));
    file->buffer_.resize(kBufferSize);
    file->refill();
    file->readAsUtf8WhenItIs();
    return file;
}

std::unique_ptr<TextModeFile> TextModeFile::openAt(const std::filesystem::path& path, std::uint64_t offset)
{
    os::FileHandle handle = os::openRegularFile(path);
    if (handle == os::kNoFile)
        return nullptr;
    auto file = std::unique_ptr<TextModeFile>(new TextModeFile(handle));
    if (!os::seekFile(handle, offset))
        return nullptr;
    file->buffer_.resize(kBufferSize);
    file->refill();
    return file;
}

std::unique_ptr<TextModeFile> TextModeFile::fromBytes(std::string bytes)
{
    auto file = std::unique_ptr<TextModeFile>(new TextModeFile(os::kNoFile));
    file->buffer_.assign(bytes.begin(), bytes.end());
    file->end_ = file->buffer_.size();
    file->rawEnded_ = true;
    file->readAsUtf8WhenItIs();
    return file;
}

// Decided at the first byte that is not ASCII, which reads the same in
// both: on the bytes from there, when they are UTF-8, the rest of the file
// comes through the conversion; otherwise the Shift-JIS reading stays
// exactly as it was. A file that begins with the byte order mark is UTF-8.
void TextModeFile::readAsUtf8WhenItIs()
{
    const std::string_view head(buffer_.data(), end_);
    if (head.starts_with(Utf8Transcoder::kByteOrderMark)) {
        rawRead_ = end_;
        startTranscoding(head.substr(Utf8Transcoder::kByteOrderMark.size()));
        return;
    }
    asciiSoFar_ = true;
    readRestAsUtf8WhenItIs(0);
}

// While all before was ASCII: decides at the first other byte of the
// buffer from `from` on, if there is one. True when the rest is UTF-8.
bool TextModeFile::readRestAsUtf8WhenItIs(std::size_t from)
{
    const auto notAscii = [](char c) { return (c & 0x80) != 0; };
    const std::size_t first = static_cast<std::size_t>(
        std::find_if(buffer_.begin() + static_cast<std::ptrdiff_t>(from),
                     buffer_.begin() + static_cast<std::ptrdiff_t>(end_), notAscii) -
        buffer_.begin());
    if (first == end_)
        return false;
    asciiSoFar_ = false;
    readAhead(first + 4);  // a whole character at least, to tell
    const std::string_view rest(buffer_.data() + first, std::min(Utf8Transcoder::kSniffedBytes, end_ - first));
    if (!Utf8Transcoder::isUtf8(rest))
        return false;
    rawRead_ = consumedBefore_ + end_;
    startTranscoding(std::string_view(buffer_.data() + pos_, end_ - pos_));
    return true;
}

// Reads on until the buffer holds `end` bytes or the file ends.
void TextModeFile::readAhead(std::size_t end)
{
    forgetBreaks();
    if (buffer_.size() < end)
        buffer_.resize(end);
    while (file_ != os::kNoFile && end_ < end) {
        const std::ptrdiff_t n = os::readFile(file_, buffer_.data() + end_, end - end_);
        if (n <= 0)
            return;
        end_ += static_cast<std::size_t>(n);
    }
}

// The unread bytes, `raw`, go back in front of the file's: from here on the
// buffer is refilled with what they convert to, and the line numbers go on
// from where they are.
void TextModeFile::startTranscoding(std::string_view raw)
{
    forgetBreaks();
    transcoder_ = std::make_unique<Utf8Transcoder>(nextLine_);
    raw_.assign(raw);
    consumedBefore_ += pos_;
    pos_ = end_ = 0;
    buffer_.resize(std::max(buffer_.size(), kBufferSize));
}

TextModeFile::TextModeFile(os::FileHandle file) : file_(file) {}

std::optional<TextModeFile::EndMark> TextModeFile::endMarkBeforeText()
{
    if (endMarkLine_ == 0)
        return std::nullopt;
    EndMark mark{endMarkLine_, 0};
    bool inMarkLine = true, lineOpen = false, text = false;
    auto count = [&](std::string_view bytes) {
        for (char c : bytes) {
            if (c == '\n') {
                mark.linesAfter += inMarkLine ? 0 : 1;
                inMarkLine = lineOpen = false;
                continue;
            }
            lineOpen = !inMarkLine;
            text = text || (c != '\r' && c != kEndOfFileMark);
        }
    };
    // Conversion keeps LF, CR and Ctrl-Z as they were: the bytes count
    // alike before and after it.
    count(std::string_view(buffer_.data() + pos_, end_ - pos_));
    count(std::string_view(converted_).substr(convertedTaken_));
    count(raw_);
    pos_ = end_;
    raw_.clear();
    converted_.clear();
    convertedTaken_ = 0;
    std::vector<char> block(kBufferSize);
    for (std::ptrdiff_t n; file_ != os::kNoFile && !rawEnded_ && (n = os::readFile(file_, block.data(), block.size())) > 0;)
        count(std::string_view(block.data(), static_cast<std::size_t>(n)));
    rawEnded_ = true;
    mark.linesAfter += lineOpen ? 1 : 0;
    if (!text)
        return std::nullopt;
    return mark;
}

TextModeFile::~TextModeFile()
{
    if (file_ != os::kNoFile)
        os::closeFile(file_);
}

// The one way bytes come into the buffer, after its unread tail (at most a
// CR waiting for its LF), from the file or from the conversion in front of
// it.
bool TextModeFile::refill()
{
    if (ended_)
        return false;
    beforePiecesMove();
    forgetBreaks();
    const std::size_t kept = end_ - pos_;
    consumedBefore_ += pos_;
    std::copy(buffer_.begin() + static_cast<std::ptrdiff_t>(pos_), buffer_.begin() + static_cast<std::ptrdiff_t>(end_), buffer_.begin());
    pos_ = 0;
    end_ = kept;
    const std::ptrdiff_t n = readSource(buffer_.data() + end_, buffer_.size() - end_);
    if (n <= 0)
        return false;
    end_ += static_cast<std::size_t>(n);
    if (asciiSoFar_ && readRestAsUtf8WhenItIs(kept))
        return refill();  // the unread bytes went to the conversion
    return true;
}

// Bytes for the buffer: the file's own, or those the conversion made of
// them; 0 at the end, less at a read error.
std::ptrdiff_t TextModeFile::readSource(char* into, std::size_t room)
{
    if (!transcoder_) {
        if (file_ == os::kNoFile)
            return 0;
        const std::ptrdiff_t n = os::readFile(file_, into, room);
        readFailed_ = n < 0;
        return n;
    }
    while (convertedTaken_ == converted_.size())
        if (!convertNextBlock())
            return 0;
    const std::size_t n = std::min(room, converted_.size() - convertedTaken_);
    std::memcpy(into, converted_.data() + convertedTaken_, n);
    convertedTaken_ += n;
    return static_cast<std::ptrdiff_t>(n);
}

// Converts the lines that the next block of the file completes (none, while
// a line is longer than the block); false when nothing is left.
bool TextModeFile::convertNextBlock()
{
    if (rawEnded_ && raw_.empty())
        return false;
    converted_.clear();
    convertedTaken_ = 0;
    if (!rawEnded_) {
        const std::size_t before = raw_.size();
        raw_.resize(before + kBufferSize);
        const std::ptrdiff_t n = os::readFile(file_, raw_.data() + before, kBufferSize);
        raw_.resize(before + (n > 0 ? static_cast<std::size_t>(n) : 0));
        rawRead_ += raw_.size() - before;
        rawEnded_ = n <= 0;
        readFailed_ = n < 0;
    }
    transcoder_->convert(raw_, rawEnded_, converted_);
    return true;
}

bool TextModeFile::atEnd()
{
    if (ended_)
        return true;
    if (pos_ < end_ || refill()) {
        if (buffer_[pos_] == kEndOfFileMark) {
            ended_ = true;
            endMarkLine_ = nextLine_;
        }
        return ended_;
    }
    ended_ = true;
    return true;
}

// Next byte after text-mode translation, or -1 at the end.
int TextModeFile::nextByte()
{
    if (atEnd())
        return -1;
    char c = buffer_[pos_++];
    if (c == '\r') {
        // CR LF becomes LF; the LF may lie in the next block.
        if (pos_ == end_)
            refill();
        if (pos_ < end_ && buffer_[pos_] == '\n') {
            ++pos_;
            return '\n';
        }
    }
    return static_cast<unsigned char>(c);
}

bool TextModeFile::readPiece(std::string& piece)
{
    std::string_view view;
    if (!nextPiece(view)) {
        piece.clear();
        return false;
    }
    piece.assign(view);
    return true;
}

// The rare piece that crosses a refill or holds a lone CR or a Ctrl-Z.
bool TextModeFile::readPieceByteByByte(std::string& piece)
{
    beforePiecesMove();  // the piece before may be in `piece`
    piece.clear();
    if (atEnd())
        return false;
    pieceLine_ = nextLine_;
    do {
        const int c = nextByte();
        if (c < 0)
            break;
        piece.push_back(static_cast<char>(c));
        if (c == '\n') {
            ++nextLine_;
            break;
        }
    } while (piece.size() < kMaxPiece && !atEnd());
    return true;
}

// Offset of the first `byte` in the buffer from `from` on, or kNoWindow.
std::size_t TextModeFile::findByte(std::size_t from, char byte) const
{
    const void* at = std::memchr(buffer_.data() + from, byte, end_ - from);
    return at ? static_cast<std::size_t>(static_cast<const char*>(at) - buffer_.data()) : kNoWindow;
}

// A window that reaches past the buffer's end is read from a copy. CR and
// Ctrl-Z are rare: where the next of each lies is known, and a window
// without one looks for LF alone.
void TextModeFile::findBreaks(std::size_t base)
{
    windowBase_ = base;
    if (!rareBytesKnown_ || crAt_ < base)
        crAt_ = findByte(base, '\r');
    if (!rareBytesKnown_ || markAt_ < base)
        markAt_ = findByte(base, kEndOfFileMark);
    rareBytesKnown_ = true;
    const bool lineFeedsOnly = std::min(crAt_, markAt_) >= base + kWindow;
    // Bits past end_ come from bytes read before; nextBreak never looks that far.
    breaks_ = buffer_.size() - base < kWindow ? breaksInTail(base, lineFeedsOnly)
                                              : breaksAt(buffer_.data() + base, lineFeedsOnly);
}

std::uint64_t TextModeFile::breaksInTail(std::size_t base, bool lineFeedsOnly) const
{
    std::array<char, kWindow> tail{};
    std::memcpy(tail.data(), buffer_.data() + base, buffer_.size() - base);
    return breaksAt(tail.data(), lineFeedsOnly);
}

// One bit for each LF (and CR and Ctrl-Z, unless `lineFeedsOnly`) among the
// 64 bytes at `p`, sixteen at a time.
std::uint64_t TextModeFile::breaksAt(const char* p, bool lineFeedsOnly)
{
#if defined(__SSE2__)
    const __m128i lf = _mm_set1_epi8('\n');
    const __m128i cr = _mm_set1_epi8('\r');
    const __m128i mark = _mm_set1_epi8(kEndOfFileMark);
    const auto bitsOf = [&](std::size_t at) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + at));
        __m128i hit = _mm_cmpeq_epi8(v, lf);
        if (!lineFeedsOnly)
            hit = _mm_or_si128(hit, _mm_or_si128(_mm_cmpeq_epi8(v, cr), _mm_cmpeq_epi8(v, mark)));
        return static_cast<std::uint64_t>(static_cast<unsigned>(_mm_movemask_epi8(hit))) << at;
    };
    return bitsOf(0) | bitsOf(16) | bitsOf(32) | bitsOf(48);
#else
    std::uint64_t bits = 0;
    for (std::size_t i = 0; i < kWindow; ++i) {
        const char c = p[i];
        if (c == '\n' || (!lineFeedsOnly && (c == '\r' || c == kEndOfFileMark)))
            bits |= std::uint64_t{1} << i;
    }
    return bits;
#endif
}

// Ctrl-Z, a lone CR, or a line across the end of the buffer: the careful way.
bool TextModeFile::nextPieceApart(std::string_view& piece)
{
    if (!readPieceByteByByte(scratch_))
        return false;
    piece = scratch_;
    return true;
}

}  // namespace card
