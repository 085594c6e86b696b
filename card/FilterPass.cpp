// SPDX-License-Identifier: MIT
#include "FilterPass.h"

#include "CardStore.h"

#include <algorithm>

namespace card {

namespace {
// Word tests between two looks at the clock: a fraction of a millisecond
// (a card of one word, 2048 cards; of a thousand words, two).
constexpr std::size_t kWordTestsPerLook = 2048;
}  // namespace

FilterPass::FilterPass(const CardStore& store, CardFilter filter, std::optional<std::vector<std::uint32_t>> among)
    : store_(store), filter_(std::move(filter)), among_(std::move(among)),
      cardsPerLook_(std::max<std::size_t>(1, kWordTestsPerLook / std::max<std::size_t>(1, filter_.wordCount())))
{
}

std::size_t FilterPass::candidateCount() const
{
    return among_ ? among_->size() : store_.size();
}

bool FilterPass::runUntil(Clock::time_point deadline)
{
    const std::size_t count = candidateCount();
    while (next_ < count) {
        const std::size_t sliceEnd = std::min(count, next_ + cardsPerLook_);
        for (; next_ < sliceEnd; ++next_) {
            const auto card = static_cast<std::uint32_t>(among_ ? (*among_)[next_] : next_);
            if (filter_.accepts(store_[card]))
                result_.push_back(card);
        }
        if (next_ < count && Clock::now() >= deadline)
            return false;
    }
    return true;
}

}  // namespace card
