// SPDX-License-Identifier: MIT
#pragma once

#include "DataFile.h"
#include "OperatingSystem.h"
#include "Utf8Transcoder.h"

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace card {

// A data file read the way a Windows text-mode stream reads it, on every
// platform: CR right before LF is dropped (a lone CR stays), a byte 0x1A
// ends the file, and at most kMaxPiece bytes come back per call. Every
// other byte, NUL included, is delivered unchanged. A file saved as UTF-8
// (Utf8Transcoder::isUtf8) is converted to Shift-JIS below all this, one
// line at a time as it is read; so is the rest of a file whose first
// block is plain ASCII when its first other bytes turn out to be UTF-8.
class TextModeFile : public DataFile {
public:
    // Told just before the bytes of the pieces handed out so far are moved
    // or overwritten (a refill, or a piece put together anew), while they
    // are still valid: a reader holding views of earlier pieces copies them
    // then, and copies nothing the rest of the time.
    class PieceKeeper {
    public:
        virtual void keepPieces() = 0;

    protected:
        ~PieceKeeper() = default;
    };

    // A Ctrl-Z that ended the file while something followed it.
    struct EndMark {
        long line = 0;        // the line it stands in
        long linesAfter = 0;  // the lines after that one, left unread
    };

    // Opens `path` for reading; nullptr when it cannot be opened or is no
    // regular file (a directory, FIFO, socket or device), at once.
    static std::unique_ptr<TextModeFile> open(const std::filesystem::path& path);
    // Opens `path` read as Shift-JIS from byte `offset` on, its lines and
    // bytes counted from there: the second half of a file whose first
    // bytes decided for Shift-JIS.
    static std::unique_ptr<TextModeFile> openAt(const std::filesystem::path& path, std::uint64_t offset);
    // Reads from bytes held in memory (tests, the fuzzer).
    static std::unique_ptr<TextModeFile> fromBytes(std::string bytes);

    ~TextModeFile() override;
    TextModeFile(const TextModeFile&) = delete;
    TextModeFile& operator=(const TextModeFile&) = delete;

    bool readPiece(std::string& piece) override;
    // The same piece as readPiece gives, as a view valid until the next
    // call: straight into the read buffer unless the piece crosses a refill
    // or holds a lone CR or a Ctrl-Z, which is nearly every line. A piece
    // that ends in CR LF comes back as a view too: the CR's place in the
    // buffer, which only this file reads, takes the LF.
    bool nextPiece(std::string_view& piece)
    {
        if (ended_ || pos_ == end_)
            return nextPieceApart(piece);
        char* p = buffer_.data() + pos_;
        const std::size_t available = end_ - pos_;
        const std::size_t at = nextBreak(std::min(available, kMaxPiece));
        std::size_t length = 0;  // of the piece in the buffer
        std::size_t taken = 0;   // bytes of the buffer it uses up
        if (at == kMaxPiece) {
            length = taken = kMaxPiece;  // a whole piece of a long line
            pieceLine_ = nextLine_;
        } else if (at < available && p[at] == '\n') {
            length = taken = at + 1;
            pieceLine_ = nextLine_++;
        } else if (at + 1 < available && p[at] == '\r' && p[at + 1] == '\n') {
            p[at] = '\n';
            length = at + 1;
            taken = at + 2;
            pieceLine_ = nextLine_++;
        } else {
            return nextPieceApart(piece);
        }
        pos_ += taken;
        piece = std::string_view(p, length);
        return true;
    }
    // Bytes of the file taken from the buffer so far; of a UTF-8 file, those
    // converted so far.
    std::uint64_t bytesRead() const { return transcoder_ ? rawRead_ - raw_.size() : consumedBefore_ + pos_; }
    long lineNumber() const override { return pieceLine_; }

    // The bytes in the read buffer now, read and unread: the pieces handed
    // out since the last refill lie in them.
    std::string_view buffered() const { return {buffer_.data(), end_}; }

    // The one keeper told before pieces move; nullptr for none.
    void setPieceKeeper(PieceKeeper* keeper) { keeper_ = keeper; }

    // Whether all the rest of the file is read as it is, its first bytes
    // that are not ASCII having been no UTF-8.
    bool readsAsShiftJis() const { return !transcoder_ && !asciiSoFar_; }

    // True when reading stopped on an I/O error rather than at the end.
    bool readFailed() const { return readFailed_; }

    // Set when the file is read as UTF-8: the lines whose characters did
    // not all come through.
    const Utf8Transcoder* utf8() const { return transcoder_.get(); }

    // Once the reading has ended: the Ctrl-Z that ended it, when anything
    // but line ends followed it, which this reads to the file's end to count.
    std::optional<EndMark> endMarkBeforeText();

private:
    explicit TextModeFile(os::FileHandle file);
    bool refill();
    void beforePiecesMove()
    {
        if (keeper_)
            keeper_->keepPieces();
    }
    std::ptrdiff_t readSource(char* into, std::size_t room);
    bool convertNextBlock();
    void readAsUtf8WhenItIs();
    bool readRestAsUtf8WhenItIs(std::size_t from);
    void readAhead(std::size_t end);
    void startTranscoding(std::string_view raw);
    bool atEnd();
    int nextByte();
    bool readPieceByteByByte(std::string& piece);
    bool nextPieceApart(std::string_view& piece);
    // Offset from pos_ of the first LF, CR or Ctrl-Z among the next `limit`
    // bytes (no more than the buffer holds), or `limit`. Lines are a few dozen bytes: the breaks of a
    // 64-byte window of the buffer are found at once and serve the lines
    // that start in it.
    std::size_t nextBreak(std::size_t limit)
    {
        std::size_t base = pos_ & ~(kWindow - 1);
        if (base != windowBase_)
            findBreaks(base);
        if (const std::uint64_t bits = breaks_ >> (pos_ - base))
            return std::min(static_cast<std::size_t>(__builtin_ctzll(bits)), limit);
        for (base += kWindow; base < pos_ + limit; base += kWindow) {
            findBreaks(base);
            if (breaks_)
                return std::min(base - pos_ + static_cast<std::size_t>(__builtin_ctzll(breaks_)), limit);
        }
        return limit;
    }
    void findBreaks(std::size_t base);
    std::size_t findByte(std::size_t from, char byte) const;
    std::uint64_t breaksInTail(std::size_t base, bool lineFeedsOnly) const;
    static std::uint64_t breaksAt(const char* p, bool lineFeedsOnly);
    // The window's bits no longer tell: the buffer's bytes or end moved.
    void forgetBreaks()
    {
        windowBase_ = kNoWindow;
        rareBytesKnown_ = false;
    }

    os::FileHandle file_ = os::kNoFile;
    std::vector<char> buffer_;
    std::size_t pos_ = 0;
    std::size_t end_ = 0;
    bool ended_ = false;  // 0x1A seen, end of data or read error
    long endMarkLine_ = 0;  // the line of the 0x1A that ended it
    bool asciiSoFar_ = false;  // all read was ASCII: UTF-8 or Shift-JIS is still open
    bool readFailed_ = false;
    long nextLine_ = 1;  // line the next byte belongs to
    long pieceLine_ = 0;
    std::uint64_t consumedBefore_ = 0;    // file bytes that came before buffer_[0]
    std::string scratch_;                 // a piece that nextPiece had to put together
    // The breaks (LF, CR, Ctrl-Z) among the 64 bytes of the buffer from
    // windowBase_, one bit each.
    static constexpr std::size_t kWindow = 64;
    static constexpr std::size_t kNoWindow = static_cast<std::size_t>(-1);
    std::size_t windowBase_ = kNoWindow;
    std::uint64_t breaks_ = 0;
    // The first CR and Ctrl-Z in the buffer from windowBase_ on (kNoWindow:
    // none), when known.
    bool rareBytesKnown_ = false;
    std::size_t crAt_ = kNoWindow;
    std::size_t markAt_ = kNoWindow;
    PieceKeeper* keeper_ = nullptr;
    // A UTF-8 file: its bytes not yet converted, and whether it has ended;
    // the converted bytes that the buffer has not taken yet.
    std::unique_ptr<Utf8Transcoder> transcoder_;
    std::string raw_;
    std::uint64_t rawRead_ = 0;
    bool rawEnded_ = false;
    std::string converted_;
    std::size_t convertedTaken_ = 0;
};

}  // namespace card
