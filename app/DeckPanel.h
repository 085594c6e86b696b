// SPDX-License-Identifier: MIT
#pragma once

#include <QDockWidget>

#include <cstddef>

class DeckDocument;
class DeckModel;
class DeckTable;
class QLabel;

// The dock beside the card list that shows the deck: its table, under it
// the totals of each side and a line per side counting each type. Its title
// names the deck's file and marks unsaved changes ("デッキ: 速攻.txt *").
// Cards dropped on it from the card list go into the deck.
class DeckPanel : public QDockWidget {
    Q_OBJECT
public:
    // Takes drops from `cardList` alone.
    DeckPanel(DeckDocument& document, QWidget* cardList, QWidget* parent);

    DeckTable* table() const { return table_; }
    DeckModel* model() const { return model_; }

signals:
    // Lines of the card list were dropped here: its selected card goes in.
    void listLineDropped();
    void detailsWanted(std::size_t line);

protected:
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void deckChanged();
    void countStep(std::size_t line, int step);

    DeckDocument& document_;
    DeckModel* model_;
    DeckTable* table_;
    QLabel* totals_;
    QLabel* types_;
    QWidget* cardList_;
};
