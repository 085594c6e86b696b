// SPDX-License-Identifier: MIT
#pragma once

#include "CardFilter.h"
#include "Cp932Converter.h"
#include "FilterPass.h"

#include <QObject>
#include <QString>
#include <QTimer>

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

namespace card {
class CardStore;
class TextReadings;
}

// Filters the listed cards by the filter box's text as it changes. A run
// longer than a slice of 30 ms goes on in slices with the window's events
// between them; a newer text abandons it, so only the newest text's cards
// are ever reported. A text that only narrows the last one filters that
// one's cards alone.
class FilterBoxWorker : public QObject {
    Q_OBJECT
public:
    FilterBoxWorker(const card::CardStore& cards, QObject* parent);

    // Filters by `text`, folded or not; `finished` comes when it is done,
    // before this returns when one slice does.
    void setText(const QString& text, bool fold);
    // The listed cards are about to change: a run stops at once.
    void stop();
    // The listed cards changed: `text` is run over all of them.
    void cardsChanged(const QString& text, bool fold);

    // The readings kana words match besides the text; nullptr: none.
    void setReadings(const card::TextReadings* readings) { readings_ = readings; }
    // How long a slice runs before the events get their turn (tests shorten it).
    void setSliceMs(int ms) { sliceMs_ = ms; }

    // Whether the text has a word: without one every card shows.
    bool filtering() const { return filtering_; }
    // The cards of the last run; nullopt when every card shows.
    const std::optional<std::vector<std::uint32_t>>& cards() const { return cards_; }
    // The typed characters Shift-JIS cannot hold (they are in no card).
    const QString& unholdable() const { return unholdable_; }
    // What the text leaves out, as said: "7文字目の )"; empty when nothing.
    const QString& ignored() const { return ignored_; }
    // The filter of the cards shown, or nullptr when every card shows.
    const card::CardFilter* shownFilter() const { return filtering_ && cards_ && lastFilter_ ? &*lastFilter_ : nullptr; }
    // Whether the text was too long and filters by its beginning alone.
    bool cut() const { return cut_; }

signals:
    void finished();

private:
    void start();
    void runSlice();

    const card::CardStore& store_;
    const card::TextReadings* readings_ = nullptr;
    card::Cp932Converter converter_;
    QString text_;
    bool fold_ = true;
    bool filtering_ = false;
    QString unholdable_;
    QString ignored_;
    bool cut_ = false;
    std::unique_ptr<card::FilterPass> run_;
    // The filter of the cards reported last, for the next text to narrow.
    std::optional<card::CardFilter> lastFilter_;
    std::optional<std::vector<std::uint32_t>> cards_;
    QTimer nextSlice_;
    int sliceMs_ = 30;
};
