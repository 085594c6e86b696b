// SPDX-License-Identifier: MIT
#pragma once

#include "Card.h"
#include "CardStore.h"
#include "TextModeFile.h"

#include <string_view>

namespace card {

// Reads records straight from a data file's read buffer into a card store,
// with exactly the rules, results and trace of Card::read: each line goes
// from the buffer into the store once, with no string in between.
class RecordReader {
public:
    explicit RecordReader(TextModeFile& file) : file_(file) {}

    // Reads the next record as the store's pending card: 0 for a card (the
    // caller commits it or not), 1 when the file ended before a record was
    // complete, -1 when the line after `rate` was not "--".
    int read(CardStore& store, RecordTrace* trace = nullptr);

private:
    TextModeFile& file_;
};

}  // namespace card
