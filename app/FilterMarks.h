// SPDX-License-Identifier: MIT
#pragma once

#include "CardLayout.h"

#include <QList>
#include <QString>

namespace card {
class CardFilter;
class CardStore;
}  // namespace card

class FilterBoxWorker;

// What the filter's words matched in a listed card, as the window shows
// it: the pieces of a cell's text to mark, the rules-text lines for the
// line's tooltip, the fields for the status bar. Worked out when asked,
// for the lines on the screen, never while the list is filtered.
class FilterMarks {
public:
    // A piece of a text shown: its start and length in UTF-16 units.
    struct Piece {
        int start, length;
        bool operator==(const Piece&) const = default;
    };

    FilterMarks(const card::CardStore& cards, const FilterBoxWorker& runner);

    // The pieces of field `field` of listed card `card` that a word matched.
    QList<Piece> pieces(int card, card::Field field) const;
    // The same in the card's rules-text lines joined as the list's テキスト
    // column joins them.
    QList<Piece> rulesTextPieces(int card) const;
    // The fields a word matched, as the status bar names them:
    // "テキスト2行目, 注記"; empty when none did or nothing filters.
    QString matchedFields(int card) const;
    // The rules-text lines a word matched, the matches in bold, as rich
    // text (the card's text escaped); empty when no line matched.
    QString rulesTextToolTip(int card) const;

private:
    const card::CardFilter* filter() const;

    const card::CardStore& cards_;
    const FilterBoxWorker& runner_;
};
