// SPDX-License-Identifier: MIT
#pragma once

#include "Deck.h"

#include <QUndoCommand>

#include <functional>

// One change of the deck on the undo stack: the edit and the one that
// undoes it, each made by Deck::apply; `changed` is told after either.
class DeckEditCommand : public QUndoCommand {
public:
    DeckEditCommand(card::Deck& deck, card::Deck::Edit edit, const QString& text, std::function<void()> changed);

    void redo() override;
    void undo() override;

private:
    card::Deck& deck_;
    card::Deck::Edit edit_;
    std::function<void()> changed_;
};
