// SPDX-License-Identifier: MIT
#pragma once

#include "CardLayout.h"

#include <QHeaderView>

#include <array>
#include <vector>

class QFontMetrics;
class QMenu;

// The names of the card list's columns over them. A click on a column sorts
// by it, a second click reverses the order and a third returns to the file
// order; the arrow shows which. The columns can be dragged wider or
// narrower; until then they stand at the list's tab stops, and the last one
// fills what is left of the width. Its context menu shows and hides columns;
// the rules-text column after the list's columns is hidden at first.
class CardListHeader : public QHeaderView {
    Q_OBJECT
public:
    // Where each column after the first starts, in quarters of the font's
    // average letter width, as dialog units are.
    static constexpr std::array<int, 4> kTabStops = {48, 200, 376, 516};
    static_assert(kTabStops.size() == card::kListColumnCount - 1, "a tab stop ends each column but the last");
    static constexpr int kMaxStoredWidth = 10000;  // pixels; wider was not dragged here

    explicit CardListHeader(QWidget* parent);

    // Column edges at the tab stops of a list drawn with `metrics`, the last
    // column as wide as the one before; in a list narrower than that, at the
    // same proportions of `width`, each column at least as wide as its name
    // (the rarity column as the rarities offered too).
    // The last column takes the rest: nothing is cut and no scroll bar shows
    // sideways.
    void fitToWidth(int width, const QFontMetrics& metrics);
    // Fitted, or restored from the settings: the columns have their widths.
    bool hasWidths() const { return hasWidths_; }
    // The columns' widths as the settings keep them: pixels, separated by
    // spaces, a hidden column's after "-".
    QString storedWidths() const;
    // Takes widths kept by storedWidths, or the list's columns alone as an
    // earlier version kept them; anything else (another count, no decimal
    // number, narrower than a column may be or wider than kMaxStoredWidth)
    // was not written here and changes nothing: false.
    bool restoreWidths(const QString& stored);
    // Shows or hides a column, keeping its width for when it shows again.
    void showColumn(int column, bool show);
    // The context menu: a checked item for each column shown; the last
    // column shown cannot be hidden.
    QMenu* columnMenu();
    // No column sorted: the lines stand in the order of their files.
    void showFileOrder();

private:
    int widthOf(int column) const;
    int rulesTextWidth() const;

    std::vector<int> hiddenWidths_;  // by column; what a hidden column had
    QMenu* menu_;
    int leastWidth(int column, const QFontMetrics& metrics) const;

    bool hasWidths_ = false;
};
