// SPDX-License-Identifier: MIT
#include "CardFilterRunner.h"

#include "CardStore.h"
#include "FilterText.h"

CardFilterRunner::CardFilterRunner(const card::CardStore& cards, QObject* parent) : QObject(parent), store_(cards)
{
    nextSlice_.setSingleShot(true);
    nextSlice_.setInterval(0);  // after the events waiting
    connect(&nextSlice_, &QTimer::timeout, this, &CardFilterRunner::runSlice);
}

void CardFilterRunner::setText(const QString& text, bool fold)
{
    text_ = text;
    fold_ = fold;
    start();
}

void CardFilterRunner::stop()
{
    nextSlice_.stop();
    run_.reset();
    lastFilter_.reset();
    cards_.reset();
}

void CardFilterRunner::cardsChanged(const QString& text, bool fold)
{
    stop();
    setText(text, fold);
}

void CardFilterRunner::start()
{
    nextSlice_.stop();
    run_.reset();
    const card::FilterText text(text_.toStdString(), fold_, converter_);
    unholdable_ = QString::fromStdString(text.unholdable());
    ignored_ = QString::fromStdString(text.ignoredText());
    cut_ = text.cut();
    card::CardFilter filter(text, &store_, readings_);
    filtering_ = !filter.acceptsAll();
    if (!filtering_) {
        lastFilter_ = std::move(filter);
        cards_.reset();
        emit finished();
        return;
    }
    // The last cards, narrowed, only when they are every card the new text can show.
    std::optional<std::vector<std::uint32_t>> among;
    if (lastFilter_ && filter.narrows(*lastFilter_) && cards_)
        among = *cards_;
    run_ = std::make_unique<card::FilterRun>(store_, std::move(filter), std::move(among));
    runSlice();
}

void CardFilterRunner::runSlice()
{
    if (!run_)
        return;
    if (!run_->runUntil(card::FilterRun::Clock::now() + std::chrono::milliseconds(sliceMs_))) {
        nextSlice_.start();
        return;
    }
    lastFilter_ = run_->filter();
    cards_ = run_->takeResult();
    run_.reset();
    emit finished();
}
