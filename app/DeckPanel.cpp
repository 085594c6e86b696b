// SPDX-License-Identifier: MIT
#include "DeckPanel.h"

#include "DeckDocument.h"
#include "DeckModel.h"
#include "DeckTable.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QLabel>
#include <QVBoxLayout>

DeckPanel::DeckPanel(DeckDocument& document, QWidget* cardList, QWidget* parent)
    : QDockWidget(parent), document_(document), model_(new DeckModel(document, this)), cardList_(cardList)
{
    setObjectName(QStringLiteral("deckDock"));  // its place in the window's saved state
    toggleViewAction()->setObjectName(QStringLiteral("viewDeck"));
    toggleViewAction()->setText(QStringLiteral("デッキ(&D)"));
    auto* body = new QWidget(this);
    auto* layout = new QVBoxLayout(body);
    layout->setContentsMargins(0, 0, 0, 0);
    table_ = new DeckTable(*model_, body);
    totals_ = new QLabel(body);
    totals_->setObjectName(QStringLiteral("deckTotals"));
    types_ = new QLabel(body);
    types_->setObjectName(QStringLiteral("deckTypes"));
    types_->setWordWrap(true);
    for (QLabel* label : {totals_, types_})
        label->setTextFormat(Qt::PlainText);  // card types are never markup
    layout->addWidget(table_, 1);
    layout->addWidget(totals_);
    layout->addWidget(types_);
    setWidget(body);
    setAcceptDrops(true);
    connect(&document, &DeckDocument::changed, this, &DeckPanel::deckChanged);
    connect(table_, &DeckTable::countStep, this, &DeckPanel::countStep);
    connect(table_, &DeckTable::removeLine, &document, &DeckDocument::remove);
    connect(table_, &DeckTable::detailsWanted, this, &DeckPanel::detailsWanted);
    deckChanged();
}

// The selected card stays selected across the change, wherever its row went.
void DeckPanel::deckChanged()
{
    const std::string selected = model_->keyOf(table_->currentIndex().row());
    const int column = std::max(table_->currentIndex().column(), 0);
    model_->rebuild();
    int row = model_->rowOf(selected);
    if (row < 0 && model_->rowCount() > 0)
        row = 0;
    if (row >= 0)
        table_->setCurrentIndex(model_->index(row, column));
    setWindowTitle(document_.title());
    totals_->setText(model_->totalsText());
    types_->setText(model_->typeCountTexts().join(u'\n'));
}

void DeckPanel::countStep(std::size_t line, int step)
{
    const int count = document_.deck().lines()[line].count + step;
    if (count < 1)
        document_.remove(line);
    else
        document_.setCount(line, count);
}

void DeckPanel::dragEnterEvent(QDragEnterEvent* event)
{
    if (event->source() == cardList_)
        event->acceptProposedAction();
}

void DeckPanel::dropEvent(QDropEvent* event)
{
    if (event->source() != cardList_)
        return;
    event->acceptProposedAction();
    emit listLineDropped();
}
