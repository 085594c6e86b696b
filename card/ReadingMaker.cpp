// SPDX-License-Identifier: MIT
#include "ReadingMaker.h"

#include "KanaText.h"

namespace card {

ReadingMaker::ReadingMaker(std::unique_ptr<ReadingAnalyser> analyser, const ReadingCorrections& corrections)
    : analyser_(std::move(analyser)), corrections_(corrections)
{
}

ReadingMaker::~ReadingMaker() = default;

// The player's words where they stand, the analyser's reading between them.
void ReadingMaker::readPieces(std::string_view utf8)
{
    analysed_.clear();
    auto readBetween = [&](std::size_t from, std::size_t to) {
        if (from == to)
            return;
        const std::string_view part = utf8.substr(from, to - from);
        if (!analyser_ || !analyser_->read(part, between_))
            between_ = {{0, part.size(), kana::toKatakana(part)}};
        for (ReadingPiece& piece : between_)
            analysed_.push_back({piece.sourceBegin + from, piece.sourceEnd + from, std::move(piece.kana)});
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
        analysed_.push_back({firstAt, firstAt + first->text.size(), first->kana});
        at = firstAt + first->text.size();
    }
}

void ReadingMaker::make(std::string_view cp932, std::string& out)
{
    const std::string utf8 = converter_.toUtf8(cp932);
    readPieces(utf8);
    reading_.clear();
    pieces_.clear();
    std::size_t source = 0;
    bool whole = true;
    for (const ReadingPiece& piece : analysed_) {
        const auto text = converter_.fromUtf8(std::string_view(utf8).substr(piece.sourceBegin, piece.sourceEnd - piece.sourceBegin));
        const auto kana = converter_.fromUtf8(piece.kana);
        if (!text) {
            whole = false;
            break;
        }
        textfold::fold(kana ? *kana : *text, folded_);
        reading_.insert(reading_.end(), folded_.begin(), folded_.end());
        source += text->size();
        if (source > ReadingPool::kMaxSize || reading_.size() > ReadingPool::kMaxSize) {
            whole = false;
            break;
        }
        pieces_.push_back({std::uint8_t(source), std::uint8_t(reading_.size())});
    }
    // A character the converter does not give back the same, or a reading
    // too long to keep: the text is its own reading.
    if (!whole || source != cp932.size() || !ReadingPool::encode(cp932, reading_, pieces_, out)) {
        textfold::fold(cp932, reading_);
        pieces_.assign(1, {std::uint8_t(cp932.size()), std::uint8_t(reading_.size())});
        ReadingPool::encode(cp932, reading_, pieces_, out);
    }
}

}  // namespace card
