// SPDX-License-Identifier: MIT
// What the benchmarks hand the engine when they time its reading alone: a
// list that keeps nothing and messages on standard error.
#pragma once

#include "CardListOutput.h"
#include "EngineMessage.h"
#include "FinderUi.h"

#include <cstdio>

namespace bench {

class DiscardingView : public card::CardListOutput {
public:
    void resetContent() override {}
    void addCard(const card::CardView&) override {}
    void selectFirstLine() override {}
    void setRedraw(bool) override {}
};

class StderrUi : public card::FinderUi {
public:
    void showMessage(const card::EngineMessage& message) override
    {
        std::fprintf(stderr, "%s\n", card::messageText(message).c_str());
    }
    void showNotice() override {}
    void hideNotice() override {}
};

}  // namespace bench
