// SPDX-License-Identifier: MIT
#include "DeckTable.h"

#include "DeckModel.h"

#include <QHeaderView>
#include <QKeyEvent>

DeckTable::DeckTable(DeckModel& model, QWidget* parent) : QTreeView(parent), model_(model)
{
    setObjectName(QStringLiteral("deckTable"));
    setModel(&model);
    setRootIsDecorated(false);
    setUniformRowHeights(true);
    setAllColumnsShowFocus(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::AnyKeyPressed | QAbstractItemView::EditKeyPressed |
                    QAbstractItemView::SelectedClicked);
    // The name takes what the others leave; the others are as wide as their
    // longest usual text, never measured over every row (a deck of two
    // thousand cards would lay out each row's text at every change).
    header()->setStretchLastSection(false);
    header()->setSectionResizeMode(DeckModel::Name, QHeaderView::Stretch);
    const auto width = [this](const char* text) { return fontMetrics().horizontalAdvance(QString::fromUtf8(text)) + 24; };
    header()->resizeSection(DeckModel::Count, width("枚数"));
    header()->resizeSection(DeckModel::Type, width("プログラム：侵入具"));
    header()->resizeSection(DeckModel::Rate, width("Uncommon"));
    header()->setMinimumSectionSize(fontMetrics().horizontalAdvance(QStringLiteral("枚数")) + 8);
    setMinimumWidth(fontMetrics().horizontalAdvance(QStringLiteral("枚数 第七都市再開発計画 プログラム：侵入具 Uncommon")));
    connect(&model, &QAbstractItemModel::modelReset, this, &DeckTable::spanGroupLines);
    connect(this, &QAbstractItemView::doubleClicked, this, [this](const QModelIndex& index) {
        if (model_.isFoundCard(index.row()))
            emit detailsWanted(model_.lineOf(index.row()));
    });
    spanGroupLines();
}

// A group's line names the side and its count across the whole width.
void DeckTable::spanGroupLines()
{
    for (int row = 0; row < model_.rowCount(); ++row)
        setFirstColumnSpanned(row, QModelIndex(), model_.isGroupLine(row));
}

std::size_t DeckTable::selectedLine() const
{
    return currentIndex().isValid() ? model_.lineOf(currentIndex().row()) : DeckModel::kNoLine;
}

bool DeckTable::isDigit(const QKeyEvent& key)
{
    return key.text().size() == 1 && key.text()[0].isDigit();
}

bool DeckTable::isTableKey(const QKeyEvent& key)
{
    switch (key.key()) {
    case Qt::Key_Plus:
    case Qt::Key_Minus:
    case Qt::Key_Delete:
    case Qt::Key_Return:
    case Qt::Key_Enter: return (key.modifiers() & ~(Qt::KeypadModifier | Qt::ShiftModifier)) == 0;
    default: return false;
    }
}

// Enter is the window's 詳細表示 of the card list; here it is this card's,
// or, while a count is typed, the end of the typing.
bool DeckTable::event(QEvent* event)
{
    if (event->type() == QEvent::ShortcutOverride && isTableKey(*static_cast<QKeyEvent*>(event))) {
        event->accept();
        return true;
    }
    return QTreeView::event(event);
}

void DeckTable::keyPressEvent(QKeyEvent* event)
{
    const std::size_t line = selectedLine();
    if ((!isTableKey(*event) && !isDigit(*event)) || state() == EditingState) {
        QTreeView::keyPressEvent(event);
        return;
    }
    if (line == DeckModel::kNoLine)
        return;
    const bool card = model_.isFoundCard(currentIndex().row());
    if (card && isDigit(*event)) {  // typed over the count, wherever the row's focus is
        const QModelIndex count = model_.index(currentIndex().row(), DeckModel::Count);
        setCurrentIndex(count);
        edit(count, AnyKeyPressed, event);
        return;
    }
    switch (event->key()) {
    case Qt::Key_Plus:
        if (card)
            emit countStep(line, +1);
        break;
    case Qt::Key_Minus:
        if (card)
            emit countStep(line, -1);
        break;
    case Qt::Key_Delete: emit removeLine(line); break;
    default:
        if (card)
            emit detailsWanted(line);
        break;
    }
}
