// SPDX-License-Identifier: MIT
// Times filter changes over the cards of a data folder, listed in a card
// store as the window lists them:
//   voxtarn-filter-bench [--runs N] DIR...
// For each folder and each way of comparing (as typed, folded): a first word
// over every card, then a second word added, which only narrows, over the
// first word's cards alone. Prints milliseconds, the best of N runs.
#include "CardFilter.h"
#include "CardLister.h"
#include "Cp932Converter.h"
#include "EngineOnlyFrontEnd.h"
#include "FilterRun.h"
#include "FilterText.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

struct Change {
    const char* first;   // over every card
    const char* second;  // the first word and this one, over the first word's cards
};

// A word in some names, a word in every card (the illustrator's "Illus."),
// and one of the illustrators after it.
constexpr Change kChanges[] = {{"黒曜", "城門"}, {"illus", "深川"}, {"x:クレジット", "t:アイス"}};

struct Timing {
    double firstMs = 1e30, secondMs = 1e30;
    std::size_t firstCards = 0, secondCards = 0;
};

double millisecondsOf(card::FilterRun& run)
{
    const auto start = std::chrono::steady_clock::now();
    run.runUntil(card::FilterRun::Clock::time_point::max());
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

// The change as the window makes it: a filter built from the text, then run.
Timing timeChange(const card::CardStore& store, const Change& change, bool fold, int runs)
{
    card::Cp932Converter converter;
    const std::string both = std::string(change.first) + " " + change.second;
    Timing timing;
    for (int i = 0; i < runs; ++i) {
        auto start = std::chrono::steady_clock::now();
        card::FilterRun first(store, card::CardFilter(card::FilterText(change.first, fold, converter), &store));
        double setUp = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
        timing.firstMs = std::min(timing.firstMs, setUp + millisecondsOf(first));
        timing.firstCards = first.result().size();
        start = std::chrono::steady_clock::now();
        card::CardFilter narrower(card::FilterText(both, fold, converter), &store);
        if (!narrower.narrows(first.filter()))
            std::abort();
        card::FilterRun second(store, std::move(narrower), first.takeResult());
        setUp = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
        timing.secondMs = std::min(timing.secondMs, setUp + millisecondsOf(second));
        timing.secondCards = second.result().size();
    }
    return timing;
}

}  // namespace

int main(int argc, char** argv)
{
    int runs = 5;
    std::vector<std::string> folders;
    for (int i = 1; i < argc; ++i) {
        if (std::string(argv[i]) == "--runs" && i + 1 < argc)
            runs = std::atoi(argv[++i]);
        else
            folders.push_back(argv[i]);
    }
    std::printf("%-10s %-24s %5s | %9s %9s | %9s %9s\n", "cards", "words", "fold", "first ms", "cards", "second ms",
                "cards");
    for (const std::string& folder : folders) {
        bench::DiscardingView view;
        bench::StderrUi ui;
        card::CardLister lister(view, ui, folder);
        lister.OnListAll();
        for (const Change& change : kChanges) {
            for (bool fold : {false, true}) {
                const Timing t = timeChange(lister.cards(), change, fold, runs);
                std::printf("%-10zu %-24s %5s | %9.1f %9zu | %9.1f %9zu\n", lister.cards().size(),
                            (std::string(change.first) + " + " + change.second).c_str(), fold ? "on" : "off", t.firstMs,
                            t.firstCards, t.secondMs, t.secondCards);
            }
        }
    }
    return 0;
}
