// SPDX-License-Identifier: MIT
#include "FilterBoxWorker.h"

#include "CardStore.h"
#include "FilterText.h"

FilterBoxWorker::FilterBoxWorker(const card::CardStore& cards, QObject* parent) : QObject(parent), store_(cards)
{
    nextSlice_.setSingleShot(true);
    nextSlice_.setInterval(0);  // after the events waiting
    connect(&nextSlice_, &QTimer::timeout, this, &FilterBoxWorker::runSlice);
}

void FilterBoxWorker::setText(const QString& text, bool fold)
{
    text_ = text;
    fold_ = fold;
    start();
}

void FilterBoxWorker::stop()
{
    nextSlice_.stop();
    run_.reset();
    lastFilter_.reset();
    cards_.reset();
}

void FilterBoxWorker::cardsChanged(const QString& text, bool fold)
{
    stop();
    setText(text, fold);
}

void FilterBoxWorker::start()
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
    run_ = std::make_unique<card::FilterPass>(store_, std::move(filter), std::move(among));
    runSlice();
}

void FilterBoxWorker::runSlice()
{
    if (!run_)
        return;
    if (!run_->runUntil(card::FilterPass::Clock::now() + std::chrono::milliseconds(sliceMs_))) {
        nextSlice_.start();
        return;
    }
    lastFilter_ = run_->filter();
    cards_ = run_->takeResult();
    run_.reset();
    emit finished();
}
