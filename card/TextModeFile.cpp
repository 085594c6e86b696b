#include "TextModeFile.h"

#include <algorithm>
#include <cstring>

namespace card {

namespace {
constexpr std::size_t kBufferSize = 64 * 1024;
constexpr char kEndOfFileMark = 0x1A;  // Ctrl-Z: old Shift-JIS files end with it
}

std::unique_ptr<TextModeFile> TextModeFile::open(const std::filesystem::path& path)
{
    os::FileHandle handle = os::openRegularFile(path);
    if (handle == os::kNoFile)
        return nullptr;
    auto file = std::unique_ptr<TextModeFile>(new TextModeFile(handle));
    file->buffer_.resize(kBufferSize);
    return file;
}

std::unique_ptr<TextModeFile> TextModeFile::fromBytes(std::string bytes)
{
    auto file = std::unique_ptr<TextModeFile>(new TextModeFile(os::kNoFile));
    file->buffer_.assign(bytes.begin(), bytes.end());
    file->end_ = file->buffer_.size();
    return file;
}

TextModeFile::TextModeFile(os::FileHandle file) : file_(file) {}

TextModeFile::~TextModeFile()
{
    if (file_ != os::kNoFile)
        os::closeFile(file_);
}

bool TextModeFile::refill()
{
    if (ended_ || file_ == os::kNoFile)
        return false;
    // Keep an unread tail (at most one byte: a CR waiting for its LF).
    std::size_t kept = end_ - pos_;
    for (std::size_t i = 0; i < kept; ++i)
        buffer_[i] = buffer_[pos_ + i];
    pos_ = 0;
    end_ = kept;
    nextCr_ = nextEndMark_ = kUnknown;
    std::ptrdiff_t n = os::readFile(file_, buffer_.data() + end_, buffer_.size() - end_);
    if (n > 0) {
        end_ += static_cast<std::size_t>(n);
        return true;
    }
    readFailed_ = n < 0;
    return false;
}

bool TextModeFile::atEnd()
{
    if (ended_)
        return true;
    if (pos_ < end_ || refill()) {
        if (buffer_[pos_] == kEndOfFileMark)
            ended_ = true;
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

// Position of the next `byte` at or after pos_, or end_ when the buffer
// holds none. CR and Ctrl-Z are rare (CR once a line at most), so their
// places are remembered until passed: one scan per line for LF alone, where
// scanning for all three each time took a quarter of a large search.
std::size_t TextModeFile::nextOf(char byte, std::size_t& cached)
{
    if (cached == kUnknown || cached < pos_) {
        const char* from = buffer_.data() + pos_;
        const void* hit = std::memchr(from, byte, end_ - pos_);
        cached = hit ? pos_ + static_cast<std::size_t>(static_cast<const char*>(hit) - from) : end_;
    }
    return cached;
}

bool TextModeFile::readPiece(std::string& piece)
{
    piece.clear();
    if (atEnd())
        return false;
    pieceLine_ = nextLine_;
    // Most lines take one pass: the plain bytes up to the line feed, the
    // piece limit or the next CR or Ctrl-Z, copied at once.
    do {
        std::size_t stop = std::min({end_, pos_ + (kMaxPiece - piece.size()), nextOf('\r', nextCr_),
                                     nextOf(kEndOfFileMark, nextEndMark_)});
        const char* p = buffer_.data() + pos_;
        std::size_t run = stop - pos_;
        if (const void* lf = std::memchr(p, '\n', run)) {
            std::size_t length = static_cast<std::size_t>(static_cast<const char*>(lf) - p) + 1;
            piece.append(p, length);
            pos_ += length;
            ++nextLine_;
            break;
        }
        if (run > 0) {
            piece.append(p, run);
            pos_ += run;
            continue;
        }
        // At a CR: text mode turns CR LF into LF.
        int c = nextByte();
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

}  // namespace card
