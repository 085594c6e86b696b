#include "TextModeFile.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
constexpr std::size_t kBufferSize = 256 * 1024;
constexpr char kEndOfFileMark = 0x1A;  // Ctrl-Z: old Shift-JIS files end with it
}

std::unique_ptr<TextModeFile> TextModeFile::open(const std::filesystem::path& path)
{
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return nullptr;
    struct stat st {};
    if (::fstat(fd, &st) != 0 || S_ISDIR(st.st_mode)) {
        ::close(fd);
        return nullptr;
    }
    auto file = std::unique_ptr<TextModeFile>(new TextModeFile(fd));
    file->buffer_.resize(kBufferSize);
    return file;
}

std::unique_ptr<TextModeFile> TextModeFile::fromBytes(std::string bytes)
{
    auto file = std::unique_ptr<TextModeFile>(new TextModeFile(-1));
    file->buffer_.assign(bytes.begin(), bytes.end());
    file->end_ = file->buffer_.size();
    return file;
}

TextModeFile::TextModeFile(int fd) : fd_(fd) {}

TextModeFile::~TextModeFile()
{
    if (fd_ >= 0)
        ::close(fd_);
}

bool TextModeFile::refill()
{
    if (ended_ || fd_ < 0)
        return false;
    // Keep an unread tail (at most one byte: a CR waiting for its LF).
    std::size_t kept = end_ - pos_;
    for (std::size_t i = 0; i < kept; ++i)
        buffer_[i] = buffer_[pos_ + i];
    pos_ = 0;
    end_ = kept;
    for (;;) {
        ssize_t n = ::read(fd_, buffer_.data() + end_, buffer_.size() - end_);
        if (n > 0) {
            end_ += static_cast<std::size_t>(n);
            return true;
        }
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            readFailed_ = true;
        return false;
    }
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

bool TextModeFile::readPiece(std::string& piece)
{
    piece.clear();
    if (atEnd())
        return false;
    pieceLine_ = nextLine_;
    while (piece.size() < kMaxPiece) {
        // Fast path: copy plain bytes up to the next CR, LF or Ctrl-Z at once.
        if (atEnd())
            break;
        std::size_t room = kMaxPiece - piece.size();
        std::size_t run = 0;
        const char* p = buffer_.data() + pos_;
        std::size_t avail = end_ - pos_;
        while (run < avail && run < room) {
            char c = p[run];
            if (c == '\n' || c == '\r' || c == kEndOfFileMark)
                break;
            ++run;
        }
        if (run > 0) {
            piece.append(p, run);
            pos_ += run;
            continue;
        }
        int c = nextByte();
        if (c < 0)
            break;
        piece.push_back(static_cast<char>(c));
        if (c == '\n') {
            ++nextLine_;
            break;
        }
    }
    return true;
}
