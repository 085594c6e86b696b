// SPDX-License-Identifier: MIT
#include "FilterPass.h"

#include "CardStore.h"
#include "WorkPair.h"

#include <algorithm>

namespace card {

namespace {
// Word tests between two looks at the clock: a fraction of a millisecond
// (a card of one word, 2048 cards; of a thousand words, two).
constexpr std::size_t kWordTestsPerLook = 2048;
// Fewer cards than this are tested on one thread: a second one would cost
// more to start than it saves.
constexpr std::size_t kCardsWorthASecondThread = 4096;
}  // namespace

FilterPass::FilterPass(const CardStore& store, CardFilter filter, std::optional<std::vector<std::uint32_t>> among)
    : store_(store), first_{std::move(filter)}, second_(first_), among_(std::move(among)),
      cardsPerLook_(std::max<std::size_t>(1, kWordTestsPerLook / std::max<std::size_t>(1, first_.filter.wordCount())))
{
    const std::size_t count = candidateCount();
    const bool split = count >= kCardsWorthASecondThread && WorkPair::usableCores() >= 2;
    const std::size_t middle = split ? count / 2 : count;
    halves_[0].end = middle;
    halves_[1].begin = halves_[1].next = middle;
    halves_[1].end = count;
}

std::size_t FilterPass::candidateCount() const
{
    return among_ ? among_->size() : store_.size();
}

bool FilterPass::runUntil(Clock::time_point deadline)
{
    if (done())
        return true;
    if (halves_[1].done())
        runHalf(halves_[0], first_.filter, deadline);
    else if (halves_[0].done())
        runHalf(halves_[1], second_.filter, deadline);
    else
        WorkPair::runBoth([&] { runHalf(halves_[0], first_.filter, deadline); },
                          [&] { runHalf(halves_[1], second_.filter, deadline); });
    if (!done())
        return false;
    joinHalves();
    return true;
}

// The loop keeps its place and its hits in locals: a member written for each
// card would go through memory the other thread's filter may share.
void FilterPass::runHalf(Half& half, CardFilter& filter, Clock::time_point deadline)
{
    std::size_t next = half.next;
    std::vector<std::uint32_t> passed = std::move(half.passed);
    const std::uint32_t* among = among_ ? among_->data() : nullptr;
    while (next < half.end) {
        const std::size_t sliceEnd = std::min(half.end, next + cardsPerLook_);
        for (; next < sliceEnd; ++next) {
            const auto card = static_cast<std::uint32_t>(among ? among[next] : next);
            if (filter.accepts(store_.packed(card)))
                passed.push_back(card);
        }
        if (next < half.end && Clock::now() >= deadline)
            break;
    }
    half.next = next;
    half.passed = std::move(passed);
}

// The second half's cards follow the first's, so the result stays ascending.
void FilterPass::joinHalves()
{
    result_ = std::move(halves_[0].passed);
    result_.insert(result_.end(), halves_[1].passed.begin(), halves_[1].passed.end());
    std::vector<std::uint32_t>().swap(halves_[1].passed);
}

}  // namespace card
