// SPDX-License-Identifier: MIT
#pragma once

#include "EngineMessage.h"
#include "SearchCriteria.h"

#include <QString>

#include <cstddef>
#include <optional>
#include <vector>

// What the card list shows, as the status bar tells it.
struct ListStatus {
    enum class Source { AllCards, RunnerCards, CorporateCards, Search };

    Source source = Source::AllCards;
    std::size_t count = 0;
    card::SearchCriteria criteria;               // of a search
    std::vector<card::EngineMessage> earlyEnds;  // files whose reading stopped early

    // For example "検索結果 3枚 (ランナー: 部分一致 "の")" or
    // "全カード 40枚、corp.txt 85行目で読み込みを中止"; while the filter narrows
    // the list to `shown` lines, "全カード 62枚のうち 5枚", the typed
    // characters no card can hold are named, and a filter text cut to its
    // beginning (`filterCut`) is said to be.
    QString text(std::optional<std::size_t> shown = std::nullopt, const QString& unholdable = QString(),
                 bool filterCut = false) const;
};
