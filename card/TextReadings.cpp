// SPDX-License-Identifier: MIT
#include "TextReadings.h"

#include "Cp932Converter.h"
#include "KanaText.h"
#include "ShiftJis.h"

#include <functional>
#include <limits>

namespace card {

namespace {

constexpr std::size_t kMaxSize = std::numeric_limits<std::uint16_t>::max();

// Kanji, and 々 and 〆 that stand for kanji, are what need reading: CP932
// puts the kanji from lead byte 0x88 on.
bool holdsKanji(std::string_view cp932)
{
    for (std::size_t at = 0; at < cp932.size();) {
        const std::size_t length = sjis::charLength(cp932, at);
        const auto lead = static_cast<unsigned char>(cp932[at]);
        if (length == 2 && (lead >= 0x88 || cp932.substr(at, 2) == "\x81\x58" || cp932.substr(at, 2) == "\x81\x59"))
            return true;
        at += length;
    }
    return false;
}

void appendCode(std::string& out, textfold::FoldedChar c)
{
    if (c > 0xFF)
        out += char(c >> 8);
    out += char(c & 0xFF);
}

}  // namespace

TextReadings::TextReadings(std::unique_ptr<ReadingAnalyser> analyser, ReadingCorrections corrections)
    : analyser_(std::move(analyser)), corrections_(std::move(corrections)),
      converter_(std::make_unique<Cp932Converter>()), slots_(1024, 0)
{
}

TextReadings::~TextReadings() = default;

void TextReadings::restart(ReadingCorrections corrections)
{
    corrections_ = std::move(corrections);
    entries_.clear();
    texts_.clear();
    readings_.clear();
    pieces_.clear();
    slots_.assign(1024, 0);
}

std::size_t TextReadings::slotOf(std::string_view cp932) const
{
    return std::hash<std::string_view>{}(cp932) & (slots_.size() - 1);
}

const TextReadings::Entry* TextReadings::find(std::string_view cp932) const
{
    for (std::size_t slot = slotOf(cp932);; slot = (slot + 1) & (slots_.size() - 1)) {
        if (slots_[slot] == 0)
            return nullptr;
        const Entry& entry = entries_[slots_[slot] - 1];
        if (std::string_view(texts_).substr(entry.textAt, entry.textSize) == cp932)
            return &entry;
    }
}

bool TextReadings::needs(std::string_view cp932) const
{
    return cp932.size() <= kMaxSize && holdsKanji(cp932) && !find(cp932);
}

// Kept at most half full, so that a look-up seldom passes more than one
// other entry.
void TextReadings::grow()
{
    slots_.assign(slots_.size() * 2, 0);
    for (std::size_t i = 0; i < entries_.size(); ++i) {
        const Entry& entry = entries_[i];
        std::size_t slot = slotOf(std::string_view(texts_).substr(entry.textAt, entry.textSize));
        while (slots_[slot] != 0)
            slot = (slot + 1) & (slots_.size() - 1);
        slots_[slot] = std::uint32_t(i + 1);
    }
}

// The player's words where they stand, the analyser's reading between them.
void TextReadings::readPieces(std::string_view utf8, std::vector<ReadingPiece>& out)
{
    out.clear();
    std::vector<ReadingPiece> between;
    auto readBetween = [&](std::size_t from, std::size_t to) {
        if (from == to)
            return;
        const std::string_view part = utf8.substr(from, to - from);
        if (!analyser_ || !analyser_->read(part, between))
            between = {{0, part.size(), kana::toKatakana(part)}};
        for (ReadingPiece& piece : between)
            out.push_back({piece.sourceBegin + from, piece.sourceEnd + from, std::move(piece.kana)});
    };
    std::size_t at = 0;
    while (at < utf8.size()) {
        const ReadingCorrections::Word* first = nullptr;
        std::size_t firstAt = utf8.size();
        for (const ReadingCorrections::Word& word : corrections_.words()) {
            const std::size_t found = utf8.find(word.text, at);
            if (found < firstAt)
                first = &word, firstAt = found;
        }
        readBetween(at, firstAt);
        if (!first)
            break;
        out.push_back({firstAt, firstAt + first->text.size(), first->kana});
        at = firstAt + first->text.size();
    }
}

void TextReadings::add(std::string_view cp932)
{
    if (!needs(cp932))
        return;
    const std::string utf8 = converter_->toUtf8(cp932);
    readPieces(utf8, analysed_);
    Entry entry{std::uint32_t(texts_.size()), std::uint32_t(readings_.size()), std::uint32_t(pieces_.size()),
                std::uint16_t(cp932.size()), 0, 0};
    std::size_t source = 0;
    bool whole = true;
    for (const ReadingPiece& piece : analysed_) {
        const auto text = converter_->fromUtf8(std::string_view(utf8).substr(piece.sourceBegin, piece.sourceEnd - piece.sourceBegin));
        const auto kana = converter_->fromUtf8(piece.kana);
        if (!text) {
            whole = false;
            break;
        }
        textfold::fold(kana ? *kana : *text, folded_);
        readings_.insert(readings_.end(), folded_.begin(), folded_.end());
        source += text->size();
        pieces_.push_back({std::uint16_t(source), std::uint16_t(readings_.size() - entry.readingAt)});
    }
    // A character the converter does not give back the same: the text is
    // its own reading.
    if (!whole || source != cp932.size() || readings_.size() - entry.readingAt > kMaxSize) {
        readings_.resize(entry.readingAt);
        pieces_.resize(entry.piecesAt);
        textfold::fold(cp932, folded_);
        readings_.insert(readings_.end(), folded_.begin(), folded_.end());
        pieces_.push_back({std::uint16_t(cp932.size()), std::uint16_t(folded_.size())});
    }
    entry.readingSize = std::uint16_t(readings_.size() - entry.readingAt);
    entry.pieceCount = std::uint16_t(pieces_.size() - entry.piecesAt);
    texts_.append(cp932);
    if ((entries_.size() + 1) * 2 > slots_.size())
        grow();
    entries_.push_back(entry);
    std::size_t slot = slotOf(cp932);
    while (slots_[slot] != 0)
        slot = (slot + 1) & (slots_.size() - 1);
    slots_[slot] = std::uint32_t(entries_.size());
}

bool TextReadings::readingOf(std::string_view cp932, textfold::FoldedText& out) const
{
    if (!holdsKanji(cp932)) {
        textfold::fold(cp932, out);
        return true;
    }
    const Entry* entry = find(cp932);
    if (!entry)
        return false;
    out.assign(readings_.begin() + entry->readingAt, readings_.begin() + entry->readingAt + entry->readingSize);
    return true;
}

std::vector<std::pair<std::size_t, std::size_t>> TextReadings::sourceOf(std::string_view cp932, std::size_t begin,
                                                                       std::size_t end) const
{
    std::vector<std::pair<std::size_t, std::size_t>> out;
    const Entry* entry = holdsKanji(cp932) ? find(cp932) : nullptr;
    if (!entry) {
        textfold::FoldedText folded;
        std::vector<std::size_t> starts;
        textfold::fold(cp932, folded, starts);
        if (end <= folded.size() && begin < end)
            out.emplace_back(starts[begin], starts[end]);
        return out;
    }
    PieceEnd before{0, 0};
    for (std::size_t i = 0; i < entry->pieceCount; ++i) {
        const PieceEnd piece = pieces_[entry->piecesAt + i];
        if (piece.reading > begin && before.reading < end && piece.source > before.source) {
            if (!out.empty() && out.back().second == before.source)
                out.back().second = piece.source;
            else
                out.emplace_back(before.source, piece.source);
        }
        before = piece;
    }
    return out;
}

std::string TextReadings::shownReading(std::string_view cp932) const
{
    // A text without kanji reads as it is written, its hiragana as katakana.
    if (!holdsKanji(cp932)) {
        Cp932Converter converter;
        const std::optional<std::string> katakana = converter.fromUtf8(kana::toKatakana(converter.toUtf8(cp932)));
        return katakana ? *katakana : std::string(cp932);
    }
    textfold::FoldedText folded;
    std::string out;
    if (readingOf(cp932, folded)) {
        for (textfold::FoldedChar c : folded)
            appendCode(out, c);
    }
    return out;
}

void TextReadings::compact()
{
    entries_.shrink_to_fit();
    texts_.shrink_to_fit();
    readings_.shrink_to_fit();
    pieces_.shrink_to_fit();
}

std::size_t TextReadings::memoryBytes() const
{
    return entries_.capacity() * sizeof(Entry) + texts_.capacity() + readings_.capacity() * sizeof(textfold::FoldedChar) +
           pieces_.capacity() * sizeof(PieceEnd) + slots_.capacity() * sizeof(std::uint32_t);
}

}  // namespace card
