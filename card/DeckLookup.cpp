// SPDX-License-Identifier: MIT
#include "DeckLookup.h"

#include "CardLayout.h"
#include "CardStore.h"
#include "Cp932Converter.h"
#include "RecordReader.h"
#include "TextFold.h"
#include "TextModeFile.h"
#include "Utf8Path.h"
#include "WorkPair.h"

#include <array>
#include <optional>
#include <string>
#include <unordered_map>

namespace card {

namespace {

// A folded text as bytes, so that it can be a key of a map of strings.
void foldedKey(std::string_view cp932, textfold::FoldedText& folded, std::string& key)
{
    textfold::fold(cp932, folded);
    key.assign(reinterpret_cast<const char*>(folded.data()), folded.size() * sizeof(textfold::FoldedChar));
}

// Names to the deck's wanted entries, looked up by a view of a record's
// name without making a string of it.
struct NameHash {
    using is_transparent = void;
    std::size_t operator()(std::string_view s) const { return std::hash<std::string_view>()(s); }
};
using NameMap = std::unordered_map<std::string, std::vector<std::size_t>, NameHash, std::equal_to<>>;

}  // namespace

// What one side's file gave a name: the first card of that very name, and
// the first whose name is the same only after folding.
struct DeckLookup::Found {
    std::optional<Card> exact;
    std::optional<Card> folded;
};

// A card line of the deck being looked up.
struct DeckLookup::Wanted {
    std::size_t line = 0;
    int section = -1;
    std::string name;    // CP932
    std::string folded;  // its folded key
    std::array<Found, kSideCount> found;

    bool looksIn(int side) const { return section == side || section < 0; }
    // The best of what the sides found: the line's own section, or for a
    // name before any section an exact match on either side before a
    // folded one, corp.txt before runner.txt.
    std::pair<int, const Card*> best() const
    {
        for (int side = 0; side < kSideCount; ++side)
            if (looksIn(side) && found[std::size_t(side)].exact)
                return {side, &*found[std::size_t(side)].exact};
        for (int side = 0; side < kSideCount; ++side)
            if (looksIn(side) && found[std::size_t(side)].folded)
                return {side, &*found[std::size_t(side)].folded};
        return {-1, nullptr};
    }
};

std::vector<EngineMessage> DeckLookup::lookUp(Deck& deck)
{
    Cp932Converter converter;
    std::vector<Wanted> wanted;
    textfold::FoldedText folded;
    for (std::size_t i = 0; i < deck.lines().size(); ++i) {
        DeckLine& line = deck.lines()[i];
        if (line.kind != DeckLine::Kind::Card)
            continue;
        line.side = -1;
        line.card = Card();
        line.byFolding = false;
        // A name CP932 cannot hold is the name of no card.
        if (std::optional<std::string> name = converter.fromUtf8(line.name)) {
            Wanted entry{i, line.section, *name, {}, {}};
            foldedKey(entry.name, folded, entry.folded);
            wanted.push_back(std::move(entry));
        }
    }
    // The sides' files are read at once, each by its own thread: every
    // pass writes only its own side's findings.
    std::array<std::vector<EngineMessage>, kSideCount> sideMessages;
    WorkPair::runBoth([&] { searchSide(0, wanted, sideMessages[0]); },
                      [&] { searchSide(1, wanted, sideMessages[1]); });
    std::vector<EngineMessage> messages = std::move(sideMessages[0]);
    messages.insert(messages.end(), sideMessages[1].begin(), sideMessages[1].end());
    for (const Wanted& entry : wanted) {
        const auto [side, card] = entry.best();
        if (!card)
            continue;
        DeckLine& line = deck.lines()[entry.line];
        line.side = side;
        line.card = *card;
        line.byFolding = !entry.found[std::size_t(side)].exact;
        line.name = converter.toUtf8(card->name);
        line.text = Deck::cardText(line.count, line.name);
    }
    return messages;
}

// One pass over the side's file, for the names that look in it; stops
// early once every one of them has its exact match.
void DeckLookup::searchSide(int side, std::vector<Wanted>& wanted, std::vector<EngineMessage>& messages)
{
    NameMap exact;
    NameMap folded;
    for (std::size_t i = 0; i < wanted.size(); ++i) {
        if (!wanted[i].looksIn(side))
            continue;
        exact[wanted[i].name].push_back(i);
        folded[wanted[i].folded].push_back(i);
    }
    if (exact.empty())
        return;
    const char* file = datafiles[side];
    const std::filesystem::path path = dataDir_ / file;
    std::unique_ptr<TextModeFile> data = TextModeFile::open(path);
    if (!data) {
        messages.push_back({EngineMessage::OpenFailed, file, utf8FromPath(path), 0, {}});
        return;
    }
    CardStore store(CardStore::kFields * CardStore::kMaxField, 1);  // only the card being read
    RecordReader reader(*data);
    RecordTrace trace;
    int result = 0;
    textfold::FoldedText foldedName;
    std::string key;
    while (!exact.empty() && (result = reader.read(store, &trace)) == 0) {
        const CardView card = store.pendingCard();
        if (auto hit = exact.find(card.name); hit != exact.end()) {
            for (std::size_t i : hit->second)
                wanted[i].found[std::size_t(side)].exact = card.toCard();
            exact.erase(hit);
        }
        if (folded.empty())
            continue;
        foldedKey(card.name, foldedName, key);
        if (auto hit = folded.find(key); hit != folded.end()) {
            for (std::size_t i : hit->second)
                wanted[i].found[std::size_t(side)].folded = card.toCard();
            folded.erase(hit);
        }
    }
    if (result < 0 || (result > 0 && trace.hasContent) || data->readFailed())
        messages.push_back({data->readFailed() ? EngineMessage::ReadFailed : EngineMessage::FormatError, file,
                            utf8FromPath(path), data->readFailed() ? 0 : trace.lastLine, {}});
}

}  // namespace card
