// SPDX-License-Identifier: MIT
#include "Utf8Transcoder.h"

#include "Utf8Sequence.h"

#include <algorithm>
#include <optional>

namespace card {

namespace {

constexpr std::string_view kGeta = "\x81\xAC";  // "〓", which stands for a character that is missing

bool isContinuation(unsigned char b)
{
    return (b & 0xC0) == 0x80;
}

// The bytes of `text` up to the last character that it holds whole: a
// sequence cut off at its end stays for the next block.
std::size_t wholeCharactersIn(std::string_view text)
{
    std::size_t last = text.size() - 1;
    while (last > 0 && text.size() - last < 4 && isContinuation(static_cast<unsigned char>(text[last])))
        --last;
    return utf8::leadLength(static_cast<unsigned char>(text[last])) > text.size() - last ? last : text.size();
}

}  // namespace

bool Utf8Transcoder::isUtf8(std::string_view head)
{
    if (head.starts_with(kByteOrderMark))
        return true;
    bool multiByte = false;
    for (std::size_t pos = 0; pos < head.size();) {
        bool cut = false;
        const std::size_t length = utf8::characterAt(head, pos, &cut);
        if (length == 0)
            return cut && multiByte;
        multiByte = multiByte || length > 1;
        pos += length;
    }
    return multiByte;
}

void Utf8Transcoder::convert(std::string& raw, bool final, std::string& out)
{
    std::size_t start = 0;
    std::size_t end = final ? raw.size() : raw.rfind('\n') + 1;  // npos + 1: no whole line yet
    // A line longer than any card line (no line feed in a block of the file)
    // is converted as far as its last whole character, so that the reader
    // gets its pieces and the file is never held whole.
    if (end == 0 && raw.size() >= kSniffedBytes)
        end = wholeCharactersIn(raw);
    // A block of lines in one call, nearly always; line by line only when
    // some character of the block does not come through.
    const std::string_view block = std::string_view(raw).substr(0, end);
    if (std::optional<std::string> bytes = converter_.fromUtf8(block)) {
        out += *bytes;
        line_ += std::count(block.begin(), block.end(), '\n');
        start = end;
    }
    while (start < end) {
        std::size_t lineFeed = raw.find('\n', start);
        const std::size_t next = lineFeed < end ? lineFeed + 1 : end;
        convertLine(std::string_view(raw).substr(start, next - start), out);
        if (lineFeed < end)
            ++line_;
        start = next;
    }
    raw.erase(0, end);
}

// A line that does not convert at once goes character by character, each
// that fails becoming "〓".
void Utf8Transcoder::convertLine(std::string_view line, std::string& out)
{
    if (std::optional<std::string> bytes = converter_.fromUtf8(line)) {
        out += *bytes;
        return;
    }
    Problem problem{line_, false};
    for (std::size_t pos = 0; pos < line.size();) {
        const std::size_t length = utf8::characterAt(line, pos);
        std::optional<std::string> bytes = length ? converter_.fromUtf8(line.substr(pos, length)) : std::nullopt;
        problem.invalid = problem.invalid || length == 0;
        out += bytes ? std::string_view(*bytes) : kGeta;
        pos += length ? length : 1;
    }
    problems_.push_back(problem);
}

}  // namespace card
