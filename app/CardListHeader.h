// SPDX-License-Identifier: MIT
#pragma once

#include "CardLayout.h"

#include <QHeaderView>

#include <array>

class QFontMetrics;

// The names of the card list's columns over them. A click on a column sorts
// by it, a second click reverses the order and a third returns to the file
// order; the arrow shows which. The columns can be dragged wider or
// narrower; they start at the list's tab stops, and the last one fills what
// is left of the width.
class CardListHeader : public QHeaderView {
    Q_OBJECT
public:
    // Where each column after the first starts, in quarters of the font's
    // average letter width, as dialog units are.
    static constexpr std::array<int, 4> kTabStops = {48, 200, 376, 516};
    static_assert(kTabStops.size() == card::kListColumnCount - 1, "a tab stop ends each column but the last");
    static constexpr int kMaxStoredWidth = 10000;  // pixels; wider was not dragged here

    explicit CardListHeader(QWidget* parent);

    // Column edges at the tab stops of a list drawn with `metrics`.
    void fitToTabStops(const QFontMetrics& metrics);
    // The columns' widths as the settings keep them: pixels, separated by
    // spaces.
    QString storedWidths() const;
    // Takes widths kept by storedWidths; anything else (another count, no
    // decimal number, narrower than a column may be or wider than
    // kMaxStoredWidth) was not written here and changes nothing: false.
    bool restoreWidths(const QString& stored);
    // No column sorted: the lines stand in the order of their files.
    void showFileOrder();
};
