// SPDX-License-Identifier: MIT
#include "ListFilter.h"

#include "FilterBoxWorker.h"
#include "CardListBox.h"
#include "FilterBar.h"
#include "FilterMarks.h"
#include "MatchHighlightDelegate.h"
#include "ReadingSession.h"
#include "SavedFiltersMenu.h"

#include <QAction>
#include <QMainWindow>
#include <QMenu>

// Over the list, under the menu bar. Its text is not kept between runs, the
// check box and whether it shows are.
ListFilter::ListFilter(QMainWindow& window, CardListBox& list, const card::CardStore& cards,
                       const ReadingSession& session, QAction& barItem, bool shown, bool fold)
    : QObject(&window), list_(list), session_(session), barItem_(barItem), bar_(new FilterBar(&window)),
      runner_(new FilterBoxWorker(cards, this)), marks_(std::make_unique<FilterMarks>(cards, *runner_))
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
    connect(runner_, &FilterBoxWorker::finished, this, [this] {
        list_.showOnly(runner_->cards());
        list_.viewport()->update();  // the marks change with the words
        emit listFiltered();
    });
    list.setItemDelegate(new MatchHighlightDelegate(*marks_, *list.lines(), &list));
    connect(list.selectionModel(), &QItemSelectionModel::currentChanged, this, &ListFilter::notesChanged);
    connect(bar_, &FilterBar::historyNotWritten, this, &ListFilter::settingsNotWritten);
    for (QObject* menu : barItem.associatedObjects()) {
        if (auto* viewMenu = qobject_cast<QMenu*>(menu)) {
            auto* saved = new SavedFiltersMenu(viewMenu, bar_, &window);
            connect(saved, &SavedFiltersMenu::notWritten, this, &ListFilter::settingsNotWritten);
        }
    }
    // The filter must not read the store while a command refills it.
    connect(&list, &CardListBox::contentReset, runner_, &FilterBoxWorker::stop);
    // Once the command that read has shown its list.
    connect(&session, &ReadingSession::ended, this, &ListFilter::readingEnded, Qt::QueuedConnection);
}

ListFilter::~ListFilter() = default;

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
    textTypedWhileReading_ = false;
    runner_->cardsChanged(bar_->text(), bar_->fold());
}

void ListFilter::useReadings(const card::TextReadings* readings)
{
    runner_->setReadings(readings);
}

void ListFilter::readingsMade()
{
    const card::CardFilter* shown = runner_->shownFilter();
    if (shown && shown->readsKana() && !session_.reading())
        runner_->setText(bar_->text(), bar_->fold());
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

QString ListFilter::notes() const
{
    QString notes;
    if (!runner_->ignored().isEmpty())
        notes += QStringLiteral("、絞り込みで無視: ") + runner_->ignored();
    if (const QString matched = marks_->matchedFields(list_.selectedCard()); !matched.isEmpty())
        notes += QStringLiteral("、一致: ") + matched;
    return notes;
}

bool ListFilter::textCut() const
{
    return runner_->cut();
}

// While a command reads, the store grows: the text typed meanwhile filters
// the cards once the command is over, by the command's own cardsChanged, or
// else (a sort) right after.
void ListFilter::textChanged()
{
    if (session_.reading()) {
        textTypedWhileReading_ = true;
        return;
    }
    runner_->setText(bar_->text(), bar_->fold());
}

void ListFilter::readingEnded()
{
    if (textTypedWhileReading_)
        cardsChanged();
}
