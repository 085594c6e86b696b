// SPDX-License-Identifier: MIT
#include "RecordReader.h"

#include "RecordRules.h"

#include <cstring>
#include <functional>

namespace card {

RecordReader::~RecordReader()
{
    file_.setPieceKeeper(nullptr);
}

// Each line is stored before the next is read: the view points into the
// file's buffer, which the next read may refill.
int RecordReader::read(CardStore& store, RecordTrace* trace)
{
    card_ = nullptr;
    store.beginCard();
    return records::readRecord(
        file_, [&store](Field, std::string_view line) { store.addField(line); }, trace);
}

int RecordReader::readInPlace(CardView& card, RecordTrace* trace)
{
    file_.setPieceKeeper(this);
    card_ = &card;
    card = CardView();
    keptBytes_ = 0;
    moved_ = false;
    WatchedFile watched{file_, {}};
    const int result = records::readRecord(
        watched, [&card](Field field, std::string_view line) { card.field(field) = line; }, trace);
    closing_ = result == 0 ? watched.lastPiece : std::string_view();
    return result;
}

// The lines are checked where appendRecord would put them, from the name's
// first byte to the closing line's line feed, all in the buffer: each
// non-empty line at its place, a line feed after each. A CR LF file fails
// at its first line end, which holds two bytes.
std::string_view RecordReader::recordBytes() const
{
    if (!card_ || moved_ || closing_ != "--\n")
        return {};
    const std::string_view buffer = file_.buffered();
    const std::less<const char*> before;
    const char* start = card_->name.data();
    const char* end = closing_.data() + closing_.size();
    if (!start || before(start, buffer.data()) || before(buffer.data() + buffer.size(), end) || !before(start, end))
        return {};
    const std::string_view record(start, std::size_t(end - start));
    std::size_t at = 0;
    bool textEnded = false;
    for (int f = 0; f < kFieldCount; ++f) {
        const Field field = Field(f);
        if (textEnded && isTextField(field))
            continue;
        const std::string_view line = card_->field(field);
        textEnded = isTextField(field) && line.empty();
        const bool inPlace = line.empty() || (line.size() < DataFile::kMaxPiece && line.back() != '\r' &&
                                              at + line.size() < record.size() && line.data() == record.data() + at);
        if (!inPlace)
            return {};
        at += line.size();
        if (at >= record.size() || record[at] != '\n')
            return {};
        ++at;
    }
    return closing_.data() == record.data() + at ? record : std::string_view();
}

// The fields read so far that still look at the file's buffer move here.
void RecordReader::keepPieces()
{
    if (!card_)
        return;
    moved_ = true;
    const std::less<const char*> before;
    const char* keptEnd = kept_.data() + kept_.size();
    for (int field = 0; field < kFieldCount; ++field) {
        std::string_view& line = card_->field(Field(field));
        const bool kept = !before(line.data(), kept_.data()) && before(line.data(), keptEnd);
        if (line.empty() || kept)
            continue;
        std::memcpy(kept_.data() + keptBytes_, line.data(), line.size());
        line = std::string_view(kept_.data() + keptBytes_, line.size());
        keptBytes_ += line.size();
    }
}

}  // namespace card
