// SPDX-License-Identifier: MIT
#include "TextReadings.h"

#include "CardStore.h"
#include "Cp932Converter.h"
#include "KanaText.h"
#include "ReadingMaker.h"
#include "ShiftJis.h"
#include "WorkPair.h"

namespace card {

namespace {

// Cards a thread takes at a time, and cards between two joins with the
// pool: what the threads make waits in memory until the join.
constexpr std::size_t kChunkCards = 32;
constexpr std::size_t kBatchCards = 16384;

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
    : corrections_(std::move(corrections))
{
    useAnalyser(std::move(analyser));
}

TextReadings::~TextReadings() = default;

void TextReadings::restart(ReadingCorrections corrections)
{
    corrections_ = std::move(corrections);
    pool_.clear();
}

// The second thread's analyser shares the first one's dictionary: both go,
// and the batches' buffers with them.
void TextReadings::useAnalyser(std::unique_ptr<ReadingAnalyser> analyser)
{
    makers_[1].reset();
    noSecondAnalyser_ = false;
    makers_[0] = std::make_unique<ReadingMaker>(std::move(analyser), corrections_);
    made_ = {};
}

bool TextReadings::hasAnalyser() const
{
    return makers_[0]->analyser() != nullptr;
}

bool TextReadings::needs(std::string_view cp932) const
{
    return cp932.size() <= ReadingPool::kMaxSize && holdsKanji(cp932) && !pool_.find(cp932);
}

void TextReadings::add(std::string_view cp932)
{
    if (!needs(cp932))
        return;
    made_[0].entries.clear();
    makers_[0]->make(cp932, made_[0].entries);
    join(made_[0]);
}

// The second thread's analyser is made when it is first needed: with one
// core there is none.
bool TextReadings::secondWorkerReady()
{
    if (!makers_[1] && !noSecondAnalyser_) {
        std::unique_ptr<ReadingAnalyser> analyser;
        if (ReadingAnalyser* first = makers_[0]->analyser())
            analyser = first->another();
        if (analyser || !makers_[0]->analyser())
            makers_[1] = std::make_unique<ReadingMaker>(std::move(analyser), corrections_);
        noSecondAnalyser_ = !makers_[1];
    }
    return makers_[1] != nullptr;
}

// Takes chunks of cards until none is left or the time is up, and makes the
// readings the pool lacks; the pool is only looked at meanwhile.
void TextReadings::readChunks(std::size_t worker, const CardStore& cards, std::atomic<std::size_t>& next,
                              std::size_t end, Clock::time_point until)
{
    Made& made = made_[worker];
    do {
        const std::size_t begin = next.fetch_add(kChunkCards);
        if (begin >= end)
            return;
        for (std::size_t i = begin; i < std::min(end, begin + kChunkCards); ++i) {
            const CardView card = cards[i];
            for (const Field field : kReadFields) {
                const std::string_view text = card.field(field);
                if (needs(text) && made.texts.insert(text).second)
                    makers_[worker]->make(text, made.entries);
            }
        }
    } while (Clock::now() < until);
}

void TextReadings::join(Made& made)
{
    for (const char* entry = made.entries.data(); entry < made.entries.data() + made.entries.size();
         entry = ReadingPool::endOf(entry))
        pool_.insert(entry);
    made.entries.clear();
    made.texts.clear();
}

std::size_t TextReadings::addCards(const CardStore& cards, std::size_t from, std::size_t to, Clock::time_point until)
{
    while (from < to) {
        const std::size_t end = std::min(to, from + kBatchCards);
        std::atomic<std::size_t> next{from};
        WorkPair::runBoth([&] { readChunks(0, cards, next, end, until); },
                          [&] {
                              if (next.load() < end && Clock::now() < until && secondWorkerReady())
                                  readChunks(1, cards, next, end, until);
                          });
        // If the second had no analyser the first read on alone.
        join(made_[0]);
        join(made_[1]);
        from = std::min(next.load(), end);
        if (Clock::now() >= until)
            break;
    }
    return from;
}

bool TextReadings::readingOf(std::string_view cp932, textfold::FoldedText& out) const
{
    if (!holdsKanji(cp932)) {
        textfold::fold(cp932, out);
        return true;
    }
    const char* entry = pool_.find(cp932);
    if (!entry)
        return false;
    ReadingPool::readingOf(entry, out);
    return true;
}

std::vector<std::pair<std::size_t, std::size_t>> TextReadings::sourceOf(std::string_view cp932, std::size_t begin,
                                                                       std::size_t end) const
{
    std::vector<std::pair<std::size_t, std::size_t>> out;
    const char* entry = holdsKanji(cp932) ? pool_.find(cp932) : nullptr;
    if (!entry) {
        textfold::FoldedText folded;
        std::vector<std::size_t> starts;
        textfold::fold(cp932, folded, starts);
        if (end <= folded.size() && begin < end)
            out.emplace_back(starts[begin], starts[end]);
        return out;
    }
    std::vector<PieceEnd> pieces;
    ReadingPool::piecesOf(entry, pieces);
    PieceEnd before;
    for (const PieceEnd piece : pieces) {
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

std::size_t TextReadings::memoryBytes() const
{
    std::size_t bytes = pool_.memoryBytes();
    for (const Made& made : made_)
        bytes += made.entries.capacity();
    return bytes;
}

}  // namespace card
