#pragma once

#include <QListView>

#include <string_view>

namespace card {
class CardStore;
}

class CardListModel;

// The card list: one line per listed card, no frame, one selected line at
// most, tab-stopped columns and a horizontal extent of 2048 pixels. Its
// operations are those the list commands need of a list box.
class CardListBox : public QListView {
    Q_OBJECT
public:
    // The list shows the cards of `cards`, line i card i.
    CardListBox(const card::CardStore& cards, QWidget* parent);

    void resetContent();
    void addString(std::string_view line);
    void selectFirstLine();
    // Off: the lines change without a repaint or a per-line model signal;
    // on: one reset, then the pending first-line selection.
    void setRedraw(bool on);

    // Row of the selected line, or -1 when none is selected.
    int currentSelection() const;
    int count() const;
    CardListModel* lines() const { return lines_; }

private:
    void applyFirstLineSelection();

    CardListModel* lines_;
    bool selectFirstPending_ = false;
};
