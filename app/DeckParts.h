// SPDX-License-Identifier: MIT
#pragma once

#include <QObject>

#include <cstddef>
#include <filesystem>
#include <functional>

namespace card {
class CardLister;
}
class CardListBox;
class DeckDocument;
class DeckMenu;
class DeckPanel;
class QMainWindow;

// The deck's parts in the main window: the deck, its panel docked beside
// the card list and its menu with the deck's exports; and what joins them to the list: Insert or
// "+" on the list, its context menu's "デッキに入れる" and a line dragged
// onto the panel put the selected card in, identified by its side and name.
class DeckParts : public QObject {
    Q_OBJECT
public:
    using StatusText = std::function<void(const QString&)>;

    // `list` shows the cards of `lister`; `status` puts a text in the status bar.
    DeckParts(QMainWindow& window, CardListBox& list, const card::CardLister& lister, StatusText status);

    DeckDocument& document() const { return *document_; }
    DeckPanel& panel() const { return *panel_; }
    DeckMenu& menu() const { return *menu_; }

    // One copy of the list's selected card into the deck.
    void addSelectedCard();
    // The detail dialog of the deck's card on `line`, from its record.
    void showDetails(std::size_t line);
    // The data folder changed: the names are looked up in its files.
    void dataFolderChanged(const std::filesystem::path& folder);

private:
    void addListAction();
    void placeMenus();

    QMainWindow& window_;
    CardListBox& list_;
    const card::CardLister& lister_;
    DeckDocument* document_;
    DeckPanel* panel_;
    DeckMenu* menu_;
};
