#include "CardListBox.h"

#include "CardLineDelegate.h"
#include "CardListModel.h"


CardListBox::CardListBox(const card::CardStore& cards, QWidget* parent)
    : QListView(parent), lines_(new CardListModel(cards, this))
{
    setObjectName(QStringLiteral("id100"));
    setModel(lines_);
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
    if (lines_->rowCount() == 0)
        return;
    const QModelIndex first = lines_->index(0);
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

int CardListBox::count() const
{
    return lines_->rowCount();
}
