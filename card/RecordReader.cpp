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
    return records::readRecord(
        file_, [&card](Field field, std::string_view line) { card.field(field) = line; }, trace);
}

// The fields read so far that still look at the file's buffer move here.
void RecordReader::keepPieces()
{
    if (!card_)
        return;
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
