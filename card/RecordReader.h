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
    // The bytes of the card readInPlace read last as they lie in the read
    // buffer, when they are exactly the record appendRecord writes for it
    // (line feeds alone, no comment inside, no line of a whole piece, nothing
    // moved by a refill): a printer of whole records copies them at once.
    // Empty otherwise; valid as long as the card.
    std::string_view recordBytes() const;

private:
    void keepPieces() override;

    // The file as readRecord reads it, the last piece handed out noted: the
    // closing "--" of a card read in place.
    struct WatchedFile {
        TextModeFile& file;
        std::string_view lastPiece;

        bool nextPiece(std::string_view& piece)
        {
            const bool got = file.nextPiece(piece);
            lastPiece = piece;
            return got;
        }
        long lineNumber() const { return file.lineNumber(); }
    };

    TextModeFile& file_;
    CardView* card_ = nullptr;  // the card readInPlace filled last, until read() is called
    std::string_view closing_;  // its "--" line as handed out, line feed and all
    bool moved_ = false;        // some of its lines were copied aside
    // Where a record's fields go when the buffer is about to move them:
    // never more than a record's ten lines.
    std::array<char, kFieldCount * DataFile::kMaxPiece> kept_{};
    std::size_t keptBytes_ = 0;
};

}  // namespace card
