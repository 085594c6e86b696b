// SPDX-License-Identifier: MIT
// Times filter changes over the cards of a data folder, listed in a card
// store as the window lists them:
//   voxtarn-filter-bench [--runs N] [--text TEXT [--fold on|off]] DIR...
// For each folder and each way of comparing (as typed, folded): a first word
// over every card, then a second word added, which only narrows, over the
// first word's cards alone. Then texts with OR, groups, "=" and rarity
// comparisons over every card, each beside the same words alone. Prints
// milliseconds, the best of N runs. With --text, only that text over every
// card, as typed and folded or only as --fold says: one case alone, for a
// profiler.
#include "CardFilter.h"
#include "CardLister.h"
#include "Cp932Converter.h"
#include "EngineOnlyFrontEnd.h"
#include "FilterPass.h"
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

// A text of the richer forms, and the words alone that it is measured against.
struct Form {
    const char* text;
    const char* wordsAlone;
};
constexpr Form kForms[] = {{"黒曜 | 城門", "黒曜 城門"},
                           {"(黒曜 | 城門) illus", "黒曜 城門 illus"},
                           {"-(黒曜 | 城門)", "-黒曜 -城門"},
                           {"t:アイス r:rare | r:vital", "t:アイス r:rare r:vital"},
                           {"t=アイス：城壁", "t:アイス：城壁"},
                           {"r>=vital", "r:rare"},
                           {"黒曜 OR 霧雨 OR 白鷺 OR 月蝕", "黒曜 霧雨 白鷺 月蝕"}};

struct Timing {
    double firstMs = 1e30, secondMs = 1e30;
    std::size_t firstCards = 0, secondCards = 0;
};

double millisecondsOf(card::FilterPass& run)
{
    const auto start = std::chrono::steady_clock::now();
    run.runUntil(card::FilterPass::Clock::time_point::max());
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
        card::FilterPass first(store, card::CardFilter(card::FilterText(change.first, fold, converter), &store));
        double setUp = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
        timing.firstMs = std::min(timing.firstMs, setUp + millisecondsOf(first));
        timing.firstCards = first.result().size();
        start = std::chrono::steady_clock::now();
        card::CardFilter narrower(card::FilterText(both, fold, converter), &store);
        if (!narrower.narrows(first.filter()))
            std::abort();
        card::FilterPass second(store, std::move(narrower), first.takeResult());
        setUp = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
        timing.secondMs = std::min(timing.secondMs, setUp + millisecondsOf(second));
        timing.secondCards = second.result().size();
    }
    return timing;
}

// One text over every card, as a keystroke that narrows nothing.
double timeText(const card::CardStore& store, const char* text, bool fold, int runs, std::size_t& cards)
{
    card::Cp932Converter converter;
    double best = 1e30;
    for (int i = 0; i < runs; ++i) {
        const auto start = std::chrono::steady_clock::now();
        card::FilterPass run(store, card::CardFilter(card::FilterText(text, fold, converter), &store));
        run.runUntil(card::FilterPass::Clock::time_point::max());
        best = std::min(best, std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
        cards = run.result().size();
    }
    return best;
}

// What a screen of 50 lines costs to mark: each line's card asked where the
// words matched, as the window paints it, five cells a line.
double markScreen(const card::CardStore& store, const card::CardFilter& filter, const std::vector<std::uint32_t>& shown)
{
    const auto start = std::chrono::steady_clock::now();
    std::size_t pieces = 0;
    for (std::size_t line = 0; line < std::min<std::size_t>(50, shown.size()); ++line) {
        for (int cell = 0; cell < 5; ++cell)
            pieces += filter.matchedTexts(store[shown[line]]).size();
    }
    const double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    if (pieces == std::size_t(-1))
        std::abort();  // the pieces are used: the work cannot be left out
    return ms;
}

void printForms(const card::CardStore& store, int runs)
{
    for (const Form& form : kForms) {
        for (bool fold : {false, true}) {
            std::size_t cards = 0, aloneCards = 0;
            const double ms = timeText(store, form.text, fold, runs, cards);
            const double sideBySide = timeText(store, form.wordsAlone, fold, runs, aloneCards);
            // An OR must look for each of its words: beside them, each run alone.
            double eachAlone = 0;
            const std::string words = form.wordsAlone;
            for (std::size_t at = 0; at < words.size();) {
                const std::size_t end = std::min(words.find(' ', at), words.size());
                eachAlone += timeText(store, words.substr(at, end - at).c_str(), fold, runs, aloneCards);
                at = end + 1;
            }
            card::Cp932Converter converter;
            card::FilterPass run(store, card::CardFilter(card::FilterText(form.text, fold, converter), &store));
            run.runUntil(card::FilterPass::Clock::time_point::max());
            const double marks = markScreen(store, run.filter(), run.result());
            std::printf("%-10zu %-30s %5s | %9.1f %9zu | %9.1f %5.2fx | %9.1f %5.2fx | %7.3f\n", store.size(),
                        form.text, fold ? "on" : "off", ms, cards, sideBySide, ms / sideBySide, eachAlone,
                        ms / eachAlone, marks);
        }
    }
}

void printText(const std::vector<std::string>& folders, const char* text, const std::vector<bool>& folds, int runs)
{
    for (const std::string& folder : folders) {
        bench::DiscardingView view;
        bench::StderrUi ui;
        card::CardLister lister(view, ui, folder);
        lister.OnListAll();
        for (bool fold : folds) {
            std::size_t cards = 0;
            const double ms = timeText(lister.cards(), text, fold, runs, cards);
            std::printf("%-10zu %-30s %5s | %9.1f %9zu\n", lister.cards().size(), text, fold ? "on" : "off", ms, cards);
        }
    }
}

}  // namespace

int main(int argc, char** argv)
{
    int runs = 5;
    const char* text = nullptr;
    std::vector<bool> folds = {false, true};
    std::vector<std::string> folders;
    for (int i = 1; i < argc; ++i) {
        if (std::string(argv[i]) == "--runs" && i + 1 < argc)
            runs = std::atoi(argv[++i]);
        else if (std::string(argv[i]) == "--text" && i + 1 < argc)
            text = argv[++i];
        else if (std::string(argv[i]) == "--fold" && i + 1 < argc)
            folds = {std::string(argv[++i]) == "on"};
        else
            folders.push_back(argv[i]);
    }
    if (text) {
        printText(folders, text, folds, runs);
        return 0;
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
    std::printf("\n%-10s %-30s %5s | %9s %9s | %16s | %16s | %s\n", "cards", "text", "fold", "ms", "cards",
                "side by side ms", "each alone ms", "marks of 50 lines ms");
    for (const std::string& folder : folders) {
        bench::DiscardingView view;
        bench::StderrUi ui;
        card::CardLister lister(view, ui, folder);
        lister.OnListAll();
        printForms(lister.cards(), runs);
    }
    return 0;
}
