// SPDX-License-Identifier: MIT
#pragma once

#include "CardListOutput.h"
#include "SortedCardLines.h"

#include <QTableView>

namespace card {
class CardStore;
class FinderUi;
}  // namespace card

class CardListHeader;
class CardListModel;

// The card list: a table of the listed cards, one line each, in the list's
// columns under a header that sorts them and whose columns the user
// resizes; no frame, one selected line at most, rows of one height. A table
// view, whose rows are sections of one fixed height, keeps a few bytes a line
// where a tree view lays out an item for each. Home and End go to the first
// and last line, Left and Right scroll sideways. A field
// wider than its column ends in "…" and shows whole in a tooltip. The list
// commands put their cards here themselves; it also copies the selected line.
class CardListBox : public QTableView, public card::CardListOutput {
    Q_OBJECT
public:
    explicit CardListBox(QWidget* parent);
    // The list shows the cards of `cards`, line i card i; a long sort shows
    // the notice of `ui`. Called once, before the first command.
    void showCardsOf(const card::CardStore& cards, card::FinderUi& ui);

    // card::CardListOutput: the list commands fill the store and the list
    // together. The store's next card is the one added.
    void resetContent() override;
    void addCard(const card::CardView& card) override;
    void addCards(const card::CardStore& cards, std::size_t first) override;
    void selectFirstLine() override;
    // Shows the lines of `cards` alone, or every line with nullopt; the
    // selected card stays selected while shown, else the first line is.
    void showOnly(std::optional<std::vector<std::uint32_t>> cards);
    // Off: the lines change without a repaint or a per-line model signal;
    // on: one reset, then the pending first-line selection.
    void setRedraw(bool on) override;

    // Row of the selected line as shown, or -1 when none is selected.
    int currentSelection() const;
    // The listed card of the selected line (its row in the file order), or
    // -1 when none is selected.
    int selectedCard() const;
    int count() const;
    // The lines as shown, in the order chosen.
    SortedCardLines* lines() const { return shown_; }
    CardListHeader* header() const { return header_; }

    // Puts the selected line on the clipboard: its five fields joined by
    // tabs, which pastes into a spreadsheet as five cells.
    void copySelectedLine() const;

signals:
    // The store is about to be refilled: nothing may read it meanwhile.
    void contentReset();

protected:
    bool viewportEvent(QEvent* event) override;
    QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override;
    void changeEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void applyFirstLineSelection();
    void matchRowHeightToText();
    void fitColumnsOnce();
    void addCopyAction();
    void matchArrowToOrder();
    void showWholeField(const QPoint& at, const QPoint& globalAt);

    CardListModel* model_ = nullptr;  // every listed card, in file order
    SortedCardLines* shown_ = nullptr;
    CardListHeader* header_;
    bool selectFirstPending_ = false;
};
