// SPDX-License-Identifier: MIT
#include "ListFilter.h"

#include "CardFilterRunner.h"
#include "CardListBox.h"
#include "FilterBar.h"
#include "ReadingSession.h"

#include <QAction>
#include <QMainWindow>

// Over the list, under the menu bar. Its text is not kept between runs, the
// check box and whether it shows are.
ListFilter::ListFilter(QMainWindow& window, CardListBox& list, const card::CardStore& cards,
                       const ReadingSession& session, QAction& barItem, bool shown, bool fold)
    : QObject(&window), list_(list), session_(session), barItem_(barItem), bar_(new FilterBar(&window)),
      runner_(new CardFilterRunner(cards, this))
{
    bar_->setFold(fold);
    bar_->setVisible(shown);
    barItem.setChecked(shown);
    window.addToolBar(Qt::TopToolBarArea, bar_);
    connect(bar_, &FilterBar::changed, this, &ListFilter::textChanged);
    connect(bar_, &FilterBar::leftForList, this, [this](bool toFirstLine) {
        list_.setFocus(Qt::OtherFocusReason);
        if (toFirstLine)
            list_.selectFirstLine();
    });
    connect(runner_, &CardFilterRunner::finished, this, [this] {
        list_.showOnly(runner_->cards());
        emit listFiltered();
    });
    // The filter must not read the store while a command refills it.
    connect(&list, &CardListBox::contentReset, runner_, &CardFilterRunner::stop);
}

void ListFilter::showBar(bool show)
{
    bar_->setVisible(show);
    if (!show) {
        bar_->setText(QString());
        list_.setFocus(Qt::OtherFocusReason);
    }
}

void ListFilter::focusText()
{
    if (!bar_->isVisibleTo(bar_->parentWidget())) {
        barItem_.setChecked(true);
        bar_->setVisible(true);
    }
    bar_->focusText();
}

void ListFilter::cardsChanged()
{
    runner_->cardsChanged(bar_->text(), bar_->fold());
}

std::optional<std::size_t> ListFilter::shownLines() const
{
    if (!runner_->filtering())
        return std::nullopt;
    return static_cast<std::size_t>(list_.count());
}

const QString& ListFilter::unholdable() const
{
    return runner_->unholdable();
}

// While a command reads, the store grows: the text typed meanwhile filters
// the cards once the command is over.
void ListFilter::textChanged()
{
    if (!session_.reading())
        runner_->setText(bar_->text(), bar_->fold());
}
