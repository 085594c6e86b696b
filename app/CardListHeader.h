// SPDX-License-Identifier: MIT
#pragma once

#include <QHeaderView>

class QFontMetrics;

// The names of the card list's five fields over their columns, each column
// running from one tab stop to the next. A click on a column sorts by it, a
// second click reverses the order and a third returns to the file order;
// the arrow shows which.
class CardListHeader : public QHeaderView {
    Q_OBJECT
public:
    explicit CardListHeader(QWidget* parent);

    // Column edges at the tab stops of a list drawn with `metrics`.
    void fitToTabStops(const QFontMetrics& metrics);
    // No column sorted: the lines stand in the order of their files.
    void showFileOrder();
};
