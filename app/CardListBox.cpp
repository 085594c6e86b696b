// SPDX-License-Identifier: MIT
#include "CardListBox.h"

#include "CardLineDelegate.h"
#include "CardListHeader.h"
#include "CardListModel.h"
#include "SortedCardLines.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QScrollBar>

CardListBox::CardListBox(const card::CardStore& cards, QWidget* parent)
    : QListView(parent), lines_(new CardListModel(cards, this)), shown_(new SortedCardLines(lines_, this)),
      header_(new CardListHeader(this))
{
    setObjectName(QStringLiteral("id100"));
    setModel(shown_);
    setItemDelegate(new CardLineDelegate(this));
    // Every row as tall and as wide as the first: the view then lays out a
    // million lines without asking for each one.
    setUniformItemSizes(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setFrameShape(QFrame::NoFrame);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setFocusPolicy(Qt::StrongFocus);

    header_->fitToTabStops(fontMetrics());
    setViewportMargins(0, header_->sizeHint().height(), 0, 0);
    connect(horizontalScrollBar(), &QScrollBar::valueChanged, header_, &QHeaderView::setOffset);
    connect(header_, &QHeaderView::sortIndicatorChanged, this, &CardListBox::sortByColumn);
    connect(shown_, &QAbstractItemModel::modelReset, header_, &CardListHeader::showFileOrder);
    addCopyAction();
}

void CardListBox::addCopyAction()
{
    auto* copy = new QAction(QStringLiteral("コピー"), this);
    copy->setObjectName(QStringLiteral("copyLine"));
    copy->setShortcut(QKeySequence::Copy);
    copy->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    connect(copy, &QAction::triggered, this, &CardListBox::copySelectedLine);
    addAction(copy);
    setContextMenuPolicy(Qt::ActionsContextMenu);
}

// The header stands above the lines, in the margin left for it, and
// scrolls sideways with them.
void CardListBox::updateGeometries()
{
    const QRect lines = viewport()->geometry();
    const int height = lines.top();
    header_->setGeometry(lines.left(), 0, lines.width(), height);
    QListView::updateGeometries();
}

void CardListBox::sortByColumn(int column, Qt::SortOrder order)
{
    shown_->sortBy(column, order);
    scrollTo(currentIndex());
}

void CardListBox::resetContent()
{
    lines_->clear();
}

void CardListBox::addString(std::string_view line)
{
    lines_->append(line);
}

void CardListBox::selectFirstLine()
{
    if (lines_->updatesSuspended())
        selectFirstPending_ = true;  // the view knows no rows before the reset
    else
        applyFirstLineSelection();
}

void CardListBox::applyFirstLineSelection()
{
    selectFirstPending_ = false;
    if (shown_->rowCount() == 0)
        return;
    const QModelIndex first = shown_->index(0);
    selectionModel()->setCurrentIndex(first, QItemSelectionModel::ClearAndSelect);
    scrollTo(first);
}

void CardListBox::setRedraw(bool on)
{
    if (!on) {
        setUpdatesEnabled(false);
        lines_->suspendUpdates();
        return;
    }
    lines_->resumeUpdates();
    if (selectFirstPending_)
        applyFirstLineSelection();
    setUpdatesEnabled(true);
}

int CardListBox::currentSelection() const
{
    const QModelIndexList rows = selectionModel()->selectedRows();
    return rows.isEmpty() ? -1 : rows.first().row();
}

int CardListBox::selectedCard() const
{
    const int row = currentSelection();
    return row < 0 ? -1 : shown_->sourceRow(row);
}

int CardListBox::count() const
{
    return shown_->rowCount();
}

void CardListBox::copySelectedLine() const
{
    const int row = currentSelection();
    if (row >= 0)
        QGuiApplication::clipboard()->setText(shown_->index(row).data().toString());
}
