// SPDX-License-Identifier: MIT
#pragma once

#include <QObject>
#include <QString>

#include <cstddef>
#include <optional>

namespace card {
class CardStore;
}  // namespace card
class CardFilterRunner;
class CardListBox;
class FilterBar;
class QAction;
class QMainWindow;
class ReadingSession;

// The filter bar over the card list and the runner of its filter: what is
// typed in the bar narrows the list, a slice of the cards at a time. Ctrl+F
// shows the bar (checking its menu item) and puts the cursor in it.
class ListFilter : public QObject {
    Q_OBJECT
public:
    // The bar shows when `shown`, with its check box as `fold`; `barItem`
    // is the menu item that shows and hides it.
    ListFilter(QMainWindow& window, CardListBox& list, const card::CardStore& cards, const ReadingSession& session,
               QAction& barItem, bool shown, bool fold);

    FilterBar* bar() const { return bar_; }
    // Follows the menu item; hidden, the bar filters nothing.
    void showBar(bool show);
    void focusText();
    // A command has filled the list afresh.
    void cardsChanged();

    // The lines the filter lets through, while it narrows the list.
    std::optional<std::size_t> shownLines() const;
    // The typed characters no card can hold.
    const QString& unholdable() const;

signals:
    // The list now shows what the filter lets through.
    void listFiltered();

private:
    void textChanged();

    CardListBox& list_;
    const ReadingSession& session_;
    QAction& barItem_;
    FilterBar* bar_;
    CardFilterRunner* runner_;
};
