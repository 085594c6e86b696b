// SPDX-License-Identifier: MIT
// Times the deck panel with a large deck: a deck of ENTRIES cards (every
// listed card once, from the first) is pasted, then one card more is put in
// from the list, undone, and the panel repainted; best of RUNS each.
//   voxtarn-deck-bench DATA_FOLDER [ENTRIES] [RUNS]
#include "CMainWindow.h"
#include "CardLister.h"
#include "Cp932Converter.h"
#include "DeckDocument.h"
#include "DeckPanel.h"
#include "DeckParts.h"
#include "ProfileStore.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QUndoStack>

#include <algorithm>
#include <cstdio>
#include <functional>

namespace {

// Best milliseconds of `runs` runs of `step`, each with the events it caused.
double bestMs(int runs, const std::function<void()>& step)
{
    double best = 1e9;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer clock;
        clock.start();
        step();
        QCoreApplication::processEvents();
        best = std::min(best, clock.nsecsElapsed() / 1e6);
    }
    return best;
}

}  // namespace

int main(int argc, char** argv)
{
    QTemporaryDir settings;  // the user's own settings are neither read nor written
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(settings.path()));
    QApplication app(argc, argv);
    QCoreApplication::setApplicationName(QString::fromLatin1(ProfileStore::kApplication));
    if (argc < 2) {
        std::fprintf(stderr, "usage: voxtarn-deck-bench DATA_FOLDER [ENTRIES] [RUNS]\n");
        return 2;
    }
    const std::size_t entries = argc > 2 ? std::stoul(argv[2]) : 2000;
    const int runs = argc > 3 ? std::stoi(argv[3]) : 5;
    CMainWindow window(argv[1]);
    window.resize(1200, 800);
    window.show();
    window.OnListAll();
    const card::CardLister& lister = window.lister();
    DeckParts& deck = *window.deck();
    card::Cp932Converter converter;
    std::string text;
    for (std::size_t i = 0; i < std::min(entries, lister.cards().size()); ++i)
        text += (lister.sideOf(i) == 0 ? "[Corporate]\n1 " : "[Runner]\n1 ") + converter.toUtf8(lister.cards()[i].name) + "\n";
    QElapsedTimer clock;
    clock.start();
    deck.document().paste(QString::fromStdString(text));
    QCoreApplication::processEvents();
    const double pasteMs = clock.nsecsElapsed() / 1e6;
    const std::size_t next = std::min(entries, lister.cards().size() - 1);
    const card::Card extra = lister.cards()[next].toCard();
    const int side = lister.sideOf(next);
    const double addMs = bestMs(runs, [&] {
        deck.document().addCopy(side, extra);
        deck.document().undoStack()->undo();
    });
    const double repaintMs = bestMs(runs, [&] { deck.panel().grab(); });  // the whole panel painted
    const card::Deck& pasted = deck.document().deck();
    std::printf("%d cards in %zu lines: paste and look up %.1f ms, add one card and undo it %.1f ms, paint %.1f ms\n",
                pasted.total(0) + pasted.total(1), pasted.lines().size(), pasteMs, addMs, repaintMs);
    return 0;
}
