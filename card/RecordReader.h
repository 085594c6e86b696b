// SPDX-License-Identifier: MIT
#pragma once

#include "Card.h"
#include "CardLayout.h"
#include "CardStore.h"
#include "CardView.h"
#include "TextModeFile.h"

#include <array>
#include <string_view>

namespace card {

// Reads records straight from a data file's read buffer, with exactly the
// rules, results and trace of Card::read: into a card store, each line going
// from the buffer into the store once with no string in between; or as a
// view of the buffer itself, copying nothing but the few records whose lines
// a refill of the buffer would move.
class RecordReader : private TextModeFile::PieceKeeper {
public:
    explicit RecordReader(TextModeFile& file) : file_(file) {}
    ~RecordReader();
    RecordReader(const RecordReader&) = delete;
    RecordReader& operator=(const RecordReader&) = delete;

    // Reads the next record as the store's pending card: 0 for a card (the
    // caller commits it or not), 1 when the file ended before a record was
    // complete, -1 when the line after `rate` was not "--".
    int read(CardStore& store, RecordTrace* trace = nullptr);
    // The same, the card's fields given as views valid until the next call.
    int readInPlace(CardView& card, RecordTrace* trace = nullptr);

private:
    void keepPieces() override;

    TextModeFile& file_;
    CardView* card_ = nullptr;  // the card readInPlace filled last, until read() is called
    // Where a record's fields go when the buffer is about to move them:
    // never more than a record's ten lines.
    std::array<char, kFieldCount * DataFile::kMaxPiece> kept_{};
    std::size_t keptBytes_ = 0;
};

}  // namespace card
