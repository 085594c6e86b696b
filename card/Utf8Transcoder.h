// SPDX-License-Identifier: MIT
#pragma once

#include "Cp932Converter.h"

#include <string>
#include <string_view>
#include <vector>

namespace card {

// Turns a data file saved as UTF-8 into the Shift-JIS bytes the card reader
// takes, line by line, so that line numbers stay those of the file. A
// character that CP932 cannot hold, or a byte that is no UTF-8 after all,
// becomes "〓"; the lines where that happened are kept for `check`.
class Utf8Transcoder {
public:
    struct Problem {
        long line = 0;         // 1-based physical line
        bool invalid = false;  // no UTF-8 there; else a character CP932 lacks
    };

    static constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
    // Bytes at the start of a file that decide how it is read.
    static constexpr std::size_t kSniffedBytes = 64 * 1024;

    // Whether a file that begins with `head` (its first kSniffedBytes, or
    // all of it) is UTF-8: the byte order mark, or valid UTF-8 holding at
    // least one multi-byte character. A character cut off at the end of
    // `head` does not count against it.
    static bool isUtf8(std::string_view head);

    // `firstLine`: the line of the file that the first bytes given belong to.
    explicit Utf8Transcoder(long firstLine = 1) : line_(firstLine) {}

    // Converts the complete lines at the start of `raw`, which begins after
    // the byte order mark (all of it when
    // `final`), appends their CP932 bytes to `out` and drops them from `raw`.
    void convert(std::string& raw, bool final, std::string& out);

    const std::vector<Problem>& problems() const { return problems_; }

private:
    void convertLine(std::string_view line, std::string& out);

    Cp932Converter converter_;
    std::vector<Problem> problems_;
    long line_ = 1;
};

}  // namespace card
