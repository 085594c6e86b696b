// SPDX-License-Identifier: MIT
#include "DeckEditCommand.h"

DeckEditCommand::DeckEditCommand(card::Deck& deck, card::Deck::Edit edit, const QString& text,
                                 std::function<void()> changed)
    : QUndoCommand(text), deck_(deck), edit_(std::move(edit)), changed_(std::move(changed))
{
}

// Each apply gives back its inverse: redo and undo swap the two.
void DeckEditCommand::redo()
{
    edit_ = deck_.apply(std::move(edit_));
    changed_();
}

void DeckEditCommand::undo()
{
    redo();
}
