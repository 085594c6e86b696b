// SPDX-License-Identifier: MIT
#include "ReadingPool.h"

#include <cstring>
#include <functional>
#include <limits>

namespace card {

namespace {

// Blocks grow from 4 KB to 256 KB, so that a few readings take little; an
// offset is the block's number times the largest block, and where in it.
constexpr std::size_t kBlockBytes = std::size_t(1) << 18;
constexpr std::size_t kFirstBlockBytes = std::size_t(1) << 12;
constexpr std::size_t kMaxBlocks = (std::size_t(std::numeric_limits<std::uint32_t>::max()) + 1) / kBlockBytes;
constexpr std::size_t kFirstSlots = 1024;

// Piece ends, each as the bytes and the characters it adds: one byte of two
// nibbles for a piece of up to 15 of both; 1 to 15 for a run of that many
// pieces of one character in two bytes read as one kana (the kana of a
// name); 0 before two bytes for any other.
constexpr std::uint8_t kPieceEscape = 0;
constexpr std::size_t kMaxRun = 15;

// Reading characters: ASCII as itself, the katakana of CP932 (0x8340 to
// 0x8396) from 0x80, the long vowel mark after them; any other behind 0xFF.
constexpr textfold::FoldedChar kFirstKatakana = 0x8340, kLastKatakana = 0x8396;
constexpr std::uint8_t kKatakanaCodes = 0x80, kLongVowelCode = 0x80 + (kLastKatakana - kFirstKatakana) + 1,
                       kCharEscape = 0xFF;

std::uint8_t byteAt(const char* p)
{
    return static_cast<std::uint8_t>(*p);
}

// The ends without a piece that reads from no byte of the text: its reading
// joins the piece before it (or, first, the one after).
std::vector<PieceEnd> withoutEmptyPieces(const std::vector<PieceEnd>& pieces)
{
    std::vector<PieceEnd> out;
    for (const PieceEnd& piece : pieces) {
        if (!out.empty() && piece.source == out.back().source)
            out.back().reading = piece.reading;
        else if (piece.source > 0)
            out.push_back(piece);
    }
    return out;
}

void encodePieces(const std::vector<PieceEnd>& pieces, std::string& out)
{
    PieceEnd before;
    std::size_t run = 0;
    auto endRun = [&] {
        if (run > 0)
            out += char(run);
        run = 0;
    };
    for (const PieceEnd& piece : pieces) {
        const unsigned source = piece.source - before.source, reading = piece.reading - before.reading;
        before = piece;
        if (source == 2 && reading == 1) {
            if (++run == kMaxRun)
                endRun();
            continue;
        }
        endRun();
        if (source <= 15 && reading <= 15) {
            out += char(source << 4 | reading);
        } else {
            out += char(kPieceEscape);
            out += char(source);
            out += char(reading);
        }
    }
    endRun();
}

void encodeReading(const textfold::FoldedText& reading, std::string& out)
{
    for (const textfold::FoldedChar c : reading) {
        if (c < 0x80) {
            out += char(c);
        } else if (c >= kFirstKatakana && c <= kLastKatakana) {
            out += char(kKatakanaCodes + (c - kFirstKatakana));
        } else if (c == textfold::kLongVowelMark) {
            out += char(kLongVowelCode);
        } else {
            out += char(kCharEscape);
            out += char(c >> 8);
            out += char(c & 0xFF);
        }
    }
}

// Calls `each` with every piece's end of the entry whose pieces begin at
// `p`, the text being `textSize` bytes; returns where the reading begins.
template <typename Each>
const char* walkPieces(const char* p, std::size_t textSize, Each each)
{
    PieceEnd end;
    while (end.source < textSize) {
        const std::uint8_t code = byteAt(p++);
        if (code == kPieceEscape) {
            end.source = std::uint8_t(end.source + byteAt(p));
            end.reading = std::uint8_t(end.reading + byteAt(p + 1));
            p += 2;
            each(end);
        } else if (code <= kMaxRun) {
            for (std::size_t i = 0; i < code; ++i) {
                end.source = std::uint8_t(end.source + 2);
                end.reading = std::uint8_t(end.reading + 1);
                each(end);
            }
        } else {
            end.source = std::uint8_t(end.source + (code >> 4));
            end.reading = std::uint8_t(end.reading + (code & 0x0F));
            each(end);
        }
    }
    return p;
}

// Calls `each` with the reading's `count` characters from `p`; returns
// where they end.
template <typename Each>
const char* walkReading(const char* p, std::size_t count, Each each)
{
    for (std::size_t i = 0; i < count; ++i) {
        const std::uint8_t code = byteAt(p++);
        if (code < kKatakanaCodes) {
            each(textfold::FoldedChar(code));
        } else if (code < kLongVowelCode) {
            each(textfold::FoldedChar(kFirstKatakana + (code - kKatakanaCodes)));
        } else if (code == kLongVowelCode) {
            each(textfold::kLongVowelMark);
        } else {
            each(textfold::FoldedChar(byteAt(p) << 8 | byteAt(p + 1)));
            p += 2;
        }
    }
    return p;
}

std::size_t readingSizeOf(const char* entry, const char** readingAt)
{
    std::size_t size = 0;
    *readingAt = walkPieces(entry + 1 + byteAt(entry), byteAt(entry), [&](PieceEnd end) { size = end.reading; });
    return size;
}

std::size_t blockBytes(std::size_t block)
{
    static_assert(kFirstBlockBytes << 6 == kBlockBytes);
    return block >= 6 ? kBlockBytes : kFirstBlockBytes << block;
}

std::size_t hashOf(std::string_view text)
{
    return std::hash<std::string_view>{}(text);
}

std::uint8_t tagOf(std::size_t hash)
{
    return std::uint8_t(0x80 | (hash >> (std::numeric_limits<std::size_t>::digits - 7)));
}

}  // namespace

bool ReadingPool::encode(std::string_view text, const textfold::FoldedText& reading,
                         const std::vector<PieceEnd>& pieces, std::string& out)
{
    if (text.empty() || text.size() > kMaxSize || reading.size() > kMaxSize)
        return false;
    out += char(text.size());
    out += text;
    encodePieces(withoutEmptyPieces(pieces), out);
    encodeReading(reading, out);
    return true;
}

std::string_view ReadingPool::textOf(const char* entry)
{
    return {entry + 1, byteAt(entry)};
}

const char* ReadingPool::endOf(const char* entry)
{
    const char* reading = nullptr;
    const std::size_t size = readingSizeOf(entry, &reading);
    return walkReading(reading, size, [](textfold::FoldedChar) {});
}

void ReadingPool::readingOf(const char* entry, textfold::FoldedText& out)
{
    const char* reading = nullptr;
    const std::size_t size = readingSizeOf(entry, &reading);
    out.resize(size);
    std::size_t i = 0;
    walkReading(reading, size, [&](textfold::FoldedChar c) { out[i++] = c; });
}

void ReadingPool::piecesOf(const char* entry, std::vector<PieceEnd>& out)
{
    out.clear();
    walkPieces(entry + 1 + byteAt(entry), byteAt(entry), [&](PieceEnd end) { out.push_back(end); });
}

ReadingPool::ReadingPool() : offsets_(kFirstSlots), tags_(kFirstSlots, 0)
{
}

ReadingPool::~ReadingPool() = default;

void ReadingPool::clear()
{
    blocks_.clear();
    lastUsed_ = 0;
    count_ = 0;
    offsets_.assign(kFirstSlots, 0);
    offsets_.shrink_to_fit();
    tags_.assign(kFirstSlots, 0);
    tags_.shrink_to_fit();
}

const char* ReadingPool::at(std::uint32_t offset) const
{
    return blocks_[offset / kBlockBytes].get() + offset % kBlockBytes;
}

const char* ReadingPool::find(std::string_view text) const
{
    const std::size_t hash = hashOf(text);
    const std::uint8_t tag = tagOf(hash);
    for (std::size_t slot = slotOf(hash);; slot = (slot + 1) & (tags_.size() - 1)) {
        if (tags_[slot] == 0)
            return nullptr;
        if (tags_[slot] == tag) {
            const char* entry = at(offsets_[slot]);
            if (textOf(entry) == text)
                return entry;
        }
    }
}

void ReadingPool::place(std::size_t hash, std::uint32_t offset)
{
    std::size_t slot = slotOf(hash);
    while (tags_[slot] != 0)
        slot = (slot + 1) & (tags_.size() - 1);
    tags_[slot] = tagOf(hash);
    offsets_[slot] = offset;
}

// At most 70% full: the tags keep a look-up past other entries cheap.
void ReadingPool::grow()
{
    const std::vector<std::uint32_t> offsets = std::move(offsets_);
    const std::vector<std::uint8_t> tags = std::move(tags_);
    offsets_.assign(offsets.size() * 2, 0);
    tags_.assign(tags.size() * 2, 0);
    for (std::size_t slot = 0; slot < tags.size(); ++slot) {
        if (tags[slot] != 0)
            place(hashOf(textOf(at(offsets[slot]))), offsets[slot]);
    }
}

bool ReadingPool::insert(const char* entry)
{
    const std::string_view text = textOf(entry);
    if (find(text))
        return false;
    const std::size_t bytes = std::size_t(endOf(entry) - entry);
    if (blocks_.empty() || lastUsed_ + bytes > blockBytes(blocks_.size() - 1)) {
        if (blocks_.size() == kMaxBlocks)
            return false;  // 4 GB of readings: the texts past them stay unread
        blocks_.push_back(std::make_unique_for_overwrite<char[]>(blockBytes(blocks_.size())));
        lastUsed_ = 0;
    }
    std::memcpy(blocks_.back().get() + lastUsed_, entry, bytes);
    const auto offset = std::uint32_t((blocks_.size() - 1) * kBlockBytes + lastUsed_);
    lastUsed_ += bytes;
    if ((count_ + 1) * 10 > tags_.size() * 7)
        grow();
    place(hashOf(text), offset);
    ++count_;
    return true;
}

std::size_t ReadingPool::memoryBytes() const
{
    std::size_t bytes = 0;
    for (std::size_t block = 0; block < blocks_.size(); ++block)
        bytes += blockBytes(block);
    return bytes + offsets_.capacity() * sizeof(std::uint32_t) + tags_.capacity();
}

}  // namespace card
