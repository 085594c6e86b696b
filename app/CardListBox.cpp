// SPDX-License-Identifier: MIT
#include "CardListBox.h"

#include "CardListHeader.h"
#include "CardListModel.h"
#include "Cp932Text.h"
#include "SortedCardLines.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QHelpEvent>
#include <QScrollBar>
#include <QStyle>
#include <QToolTip>

#include <algorithm>

CardListBox::CardListBox(QWidget* parent) : QTableView(parent), header_(new CardListHeader(this))
{
    setObjectName(QStringLiteral("cardList"));
    setHorizontalHeader(header_);
    header_->setHighlightSections(false);
    // Every row as tall as a line of text: the view then shows a million
    // lines without asking the model for each one.
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    matchRowHeightToText();
    setShowGrid(false);
    setWordWrap(false);
    setCornerButtonEnabled(false);
    setTabKeyNavigation(false);  // Tab leaves the list, as from any other control
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setTextElideMode(Qt::ElideRight);
    setFrameShape(QFrame::NoFrame);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setFocusPolicy(Qt::StrongFocus);

    addCopyAction();
}

void CardListBox::showCardsOf(const card::CardStore& cards, card::FinderUi& ui)
{
    model_ = new CardListModel(cards, this);
    shown_ = new SortedCardLines(model_, ui, this);
    setModel(shown_);
    // The header's clicks ask the model to sort; the arrow is set right
    // after, as the view's own connection comes first.
    setSortingEnabled(true);
    header_->setSectionsClickable(true);
    connect(header_, &QHeaderView::sortIndicatorChanged, this, &CardListBox::matchArrowToOrder);
    connect(shown_, &SortedCardLines::fileOrderBack, header_, &CardListHeader::showFileOrder);
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

// A sort the user stopped, or one asked for while another makes its keys,
// leaves the order as it was, and the arrow shows that order again.
void CardListBox::matchArrowToOrder()
{
    if (header_->sortIndicatorSection() != shown_->sortColumn() || header_->sortIndicatorOrder() != shown_->sortOrder()) {
        const QSignalBlocker quiet(header_);
        header_->setSortIndicator(shown_->sortColumn(), shown_->sortOrder());
        header_->viewport()->update();
    }
    scrollTo(currentIndex());
}

void CardListBox::resetContent()
{
    emit contentReset();
    model_->clear();
}

void CardListBox::addCard(const card::CardView&)
{
    model_->append();
}

// The rows read their cards from the store: only their number grows.
void CardListBox::addCards(const card::CardStore& cards, std::size_t first)
{
    for (std::size_t i = first; i < cards.size(); ++i)
        model_->append();
}

void CardListBox::selectFirstLine()
{
    if (model_->updatesSuspended())
        selectFirstPending_ = true;  // the view knows no rows before the reset
    else
        applyFirstLineSelection();
}

void CardListBox::showOnly(std::optional<std::vector<std::uint32_t>> cards)
{
    const int selected = selectedCard();
    shown_->showOnly(std::move(cards));
    const int row = shown_->rowOfCard(selected);
    if (row < 0) {
        applyFirstLineSelection();
        return;
    }
    const QModelIndex line = shown_->index(row);
    selectionModel()->setCurrentIndex(line, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    scrollTo(line);
}

void CardListBox::applyFirstLineSelection()
{
    selectFirstPending_ = false;
    if (shown_->rowCount() == 0)
        return;
    const QModelIndex first = shown_->index(0);
    selectionModel()->setCurrentIndex(first, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    scrollTo(first);
}

void CardListBox::setRedraw(bool on)
{
    if (!on) {
        setUpdatesEnabled(false);
        model_->suspendUpdates();
        return;
    }
    model_->resumeUpdates();
    // The scroll bars as the lines need them at once, not after the events
    // waiting (a table view lays out its rows in no time, whatever their
    // number): setting the policy again shows or hides them now.
    executeDelayedItemsLayout();
    setVerticalScrollBarPolicy(verticalScrollBarPolicy());
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
        QGuiApplication::clipboard()->setText(fromCp932(model_->line(shown_->sourceRow(row))));
}

// Columns not restored from the settings fit the list's width as it is first
// shown, which only the laid-out window knows. Room is kept for the vertical
// scroll bar that a filled list brings, so that it never pushes the last
// column out sideways; the last column fills that room while there is none.
void CardListBox::fitColumnsOnce()
{
    if (header_->hasWidths() || !isVisible())
        return;
    const int scrollBar = verticalScrollBar()->isVisible() ? 0 : style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
    header_->fitToWidth(viewport()->width() - scrollBar, fontMetrics());
}

void CardListBox::showEvent(QShowEvent* event)
{
    QTableView::showEvent(event);
    fitColumnsOnce();
}

void CardListBox::resizeEvent(QResizeEvent* event)
{
    QTableView::resizeEvent(event);
    fitColumnsOnce();
}

bool CardListBox::viewportEvent(QEvent* event)
{
    if (event->type() != QEvent::ToolTip)
        return QTableView::viewportEvent(event);
    auto* help = static_cast<QHelpEvent*>(event);
    // The delegate's own tooltip first: what the filter matched in the line.
    const QModelIndex cell = indexAt(help->pos());
    QStyleOptionViewItem option;
    initViewItemOption(&option);
    if (cell.isValid() && itemDelegateForIndex(cell)->helpEvent(help, this, option, cell))
        return true;
    showWholeField(help->pos(), help->globalPos());
    return true;
}

// Only a field cut short by its column has a tooltip: the whole field.
void CardListBox::showWholeField(const QPoint& at, const QPoint& globalAt)
{
    const QModelIndex cell = indexAt(at);
    const QString text = cell.data().toString();
    const QRect box = visualRect(cell);
    const int margin = 2 * (style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, this) + 1);
    if (cell.isValid() && fontMetrics().horizontalAdvance(text) > box.width() - margin)
        QToolTip::showText(globalAt, text, viewport(), box);
    else
        QToolTip::hideText();
}

// A line's height as the item delegate draws one line of text in the list's
// font, Japanese text included, whose fallback faces may stand taller.
void CardListBox::matchRowHeightToText()
{
    QStyleOptionViewItem option;
    initViewItemOption(&option);
    option.features |= QStyleOptionViewItem::HasDisplay;
    option.text = QStringLiteral("Ag漢字カード");
    const int height = style()->sizeFromContents(QStyle::CT_ItemViewItem, &option, QSize(), this).height();
    verticalHeader()->setMinimumSectionSize(1);
    if (verticalHeader()->defaultSectionSize() != height)
        verticalHeader()->setDefaultSectionSize(height);
}

void CardListBox::changeEvent(QEvent* event)
{
    QTableView::changeEvent(event);
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange)
        matchRowHeightToText();
}

// Lines, not cells: Home and End go to the first and the last line, and
// Left and Right scroll the columns sideways, the line staying selected.
QModelIndex CardListBox::moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers)
{
    const QModelIndex current = currentIndex();
    switch (action) {
    case MoveHome:
    case MoveEnd:
        if (shown_->rowCount() == 0)
            return current;
        return shown_->index(action == MoveHome ? 0 : shown_->rowCount() - 1, std::max(current.column(), 0));
    case MoveLeft:
    case MoveRight:
        horizontalScrollBar()->triggerAction(action == MoveLeft ? QAbstractSlider::SliderSingleStepSub
                                                                : QAbstractSlider::SliderSingleStepAdd);
        return current;
    default: return QTableView::moveCursor(action, modifiers);
    }
}
