// SPDX-License-Identifier: MIT
#pragma once

#include "SortedCardLines.h"

#include <QTreeView>

namespace card {
class CardStore;
class FinderUi;
}  // namespace card

class CardListHeader;
class CardListModel;

// The card list: a table of the listed cards, one line each, in the list's
// columns under a header that sorts them and whose columns the user
// resizes; no frame, one selected line at most, rows of one height. A field
// wider than its column ends in "…" and shows whole in a tooltip. Its
// operations are those the list commands need of a list box, plus copying
// the selected line.
class CardListBox : public QTreeView {
    Q_OBJECT
public:
    // The list shows the cards of `cards`, line i card i; a long sort shows
    // the notice of `ui`.
    CardListBox(const card::CardStore& cards, card::FinderUi& ui, QWidget* parent);

    void resetContent();
    // Appends the line of the store's next card.
    void addCard();
    void selectFirstLine();
    // Shows the lines of `cards` alone, or every line with nullopt; the
    // selected card stays selected while shown, else the first line is.
    void showOnly(std::optional<std::vector<std::uint32_t>> cards);
    // Off: the lines change without a repaint or a per-line model signal;
    // on: one reset, then the pending first-line selection.
    void setRedraw(bool on);

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

protected:
    bool viewportEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void applyFirstLineSelection();
    void fitColumnsOnce();
    void addCopyAction();
    void sortByColumn(int column, Qt::SortOrder order);
    void showWholeField(const QPoint& at, const QPoint& globalAt);

    CardListModel* lines_;
    SortedCardLines* shown_;
    CardListHeader* header_;
    bool selectFirstPending_ = false;
};
