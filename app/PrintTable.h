// SPDX-License-Identifier: MIT
#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

// One line of a printed table: a card with its cells under the columns and
// a box to tick by hand, or a heading or note across the whole width.
struct PrintRow {
    enum class Kind { Card, Heading, Note };
    Kind kind = Kind::Card;
    QStringList cells;  // a heading or note: its one text
};

// What a printed list or deck shows: the title line, the columns with their
// shares of the width, and the rows, read one at a time (a list may hold a
// million cards, which are not copied for printing).
struct PrintTable {
    QString title;
    QStringList columns;
    QList<qreal> shares;  // of the width after the check column, one a column
    int rowCount = 0;
    std::function<PrintRow(int)> row;
};
