#pragma once

#include "DataFile.h"
#include "OperatingSystem.h"

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace card {

// A data file read the way a Windows text-mode stream reads it, on every
// platform: CR right before LF is dropped (a lone CR stays), a byte 0x1A
// ends the file, and at most kMaxPiece bytes come back per call. Every
// other byte, NUL included, is delivered unchanged.
class TextModeFile : public DataFile {
public:
    // Opens `path` for reading; nullptr when it cannot be opened or is no
    // regular file (a directory, FIFO, socket or device), at once.
    static std::unique_ptr<TextModeFile> open(const std::filesystem::path& path);
    // Reads from bytes held in memory (tests, the fuzzer).
    static std::unique_ptr<TextModeFile> fromBytes(std::string bytes);

    ~TextModeFile() override;
    TextModeFile(const TextModeFile&) = delete;
    TextModeFile& operator=(const TextModeFile&) = delete;

    bool readPiece(std::string& piece) override;
    long lineNumber() const override { return pieceLine_; }

    // True when reading stopped on an I/O error rather than at the end.
    bool readFailed() const { return readFailed_; }

private:
    explicit TextModeFile(os::FileHandle file);
    bool refill();
    bool atEnd();
    int nextByte();
    std::size_t nextOf(char byte, std::size_t& cached);

    static constexpr std::size_t kUnknown = static_cast<std::size_t>(-1);

    os::FileHandle file_ = os::kNoFile;
    std::vector<char> buffer_;
    std::size_t pos_ = 0;
    std::size_t end_ = 0;
    bool ended_ = false;       // 0x1A seen, end of data or read error
    bool readFailed_ = false;
    long nextLine_ = 1;        // line the next byte belongs to
    long pieceLine_ = 0;
    std::size_t nextCr_ = kUnknown;       // where the next CR stands, once looked up
    std::size_t nextEndMark_ = kUnknown;  // the same for Ctrl-Z
};

}  // namespace card
