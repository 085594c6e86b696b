// SPDX-License-Identifier: MIT
#pragma once

#include "Card.h"
#include "CardLayout.h"
#include "CardView.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string_view>
#include <vector>

namespace card {

// The listed cards, compact: their fields' bytes back to back in a few large
// blocks, and one small fixed entry per card (where its bytes start and the
// length of each field). No heap object and no string per card, so a list
// takes little more memory than the records' text in the file.
//
// A card is built while its record is read: beginCard, then addField for its
// ten fields in file order, then commitCard, or nothing when the record turns
// out bad or is not wanted (the next beginCard overwrites it).
class CardStore {
public:
    static constexpr int kFields = kFieldCount;
    // The longest field: a record line is one piece of a text-mode read.
    static constexpr std::size_t kMaxField = 255;
    // As an entry counts them, in 5 bits: 512 MiB of the default blocks a
    // run, and a store that needs more starts another run.
    static constexpr std::size_t kBlocksInARun = std::size_t(1) << 5;
    // The largest byte block: a place in it takes 24 bits of an entry.
    static constexpr std::size_t kMaxBlockBytes = std::size_t(1) << 24;

    // The sizes of the blocks: bytes of card fields (at least a whole
    // record, kFields * kMaxField), and entries, one per card (rounded down
    // to a power of two, so that finding a card's block costs no division);
    // and how many byte blocks a run of entries reaches (at most 32).
    explicit CardStore(std::size_t fieldBlockBytes = kFieldBlockBytes, std::size_t blockEntries = kBlockEntries,
                       std::size_t blocksInARun = kBlocksInARun);
    CardStore(const CardStore&) = delete;
    CardStore& operator=(const CardStore&) = delete;

    // The index in kRarityNames of the rarity `bytes` is exactly, else -1:
    // the store names such a rarity instead of keeping its bytes.
    static int knownRarity(std::string_view bytes);

    std::size_t size() const { return size_; }
    bool empty() const { return size_ == 0; }
    CardView operator[](std::size_t i) const
    {
        const Located card = locate(i);
        return viewOf(card.bytes, *card.entry);
    }

    // A card as the store holds it: its fields' bytes back to back in
    // record order, and each field's length; the rarity's bytes are not
    // among them when it is one of kRarityNames (`rarity`, its index, else
    // -1). For a test of many cards that needs no view of each.
    struct Packed {
        const char* bytes;
        const std::array<std::uint8_t, kFieldCount>* lengths;
        int rarity;
    };
    Packed packed(std::size_t i) const
    {
        const Located card = locate(i);
        return {card.bytes, &card.entry->lengths, int(card.entry->rarity()) - 1};
    }

    // Walks the cards in list order, each as a view.
    class Iterator {
    public:
        Iterator(const CardStore& store, std::size_t index) : store_(&store), index_(index) {}
        CardView operator*() const { return (*store_)[index_]; }
        Iterator& operator++()
        {
            ++index_;
            return *this;
        }
        bool operator==(const Iterator&) const = default;

    private:
        const CardStore* store_;
        std::size_t index_;
    };
    Iterator begin() const { return {*this, 0}; }
    Iterator end() const { return {*this, size()}; }

    // Removes every card and gives the memory back.
    void clear();
    // Gives back what a huge page made resident past the last card in the
    // last blocks, once no more cards are coming; cards committed after it
    // take those pages again.
    void releaseUnusedTails();
    // Moves every card of `part`, a store with the same block sizes, behind
    // this store's without copying one; `part` is left empty.
    void append(CardStore& part);

    void beginCard();
    // The next field of the card begun, in file order; at most kMaxField
    // bytes, as every record line is.
    void addField(std::string_view bytes);
    CardView pendingCard() const { return viewOf(pendingStart_, pending_); }
    void commitCard();

private:
    // Where a card's bytes start, as a block of its run and a place in it
    // rather than a pointer, and its fields' lengths: 14 bytes a card, the
    // first four one 32-bit word kept as bytes, so that no padding follows
    // the lengths. Nearly every card's rarity is one of the four the game
    // knows: it is named by its number instead of kept in the block, a few
    // bytes less a card.
    struct Entry {
        static constexpr int kPlaceBits = 24, kBlockBits = 5;
        std::array<std::uint8_t, 4> where{};  // place, block and rarity: 24, 5 and 3 bits from the lowest
        std::array<std::uint8_t, kFields> lengths{};

        Entry() = default;
        Entry(std::size_t place, std::size_t block) { setWord(std::uint32_t(place | block << kPlaceBits)); }
        // Counted from the first byte of its block.
        std::size_t place() const { return word() & ((1u << kPlaceBits) - 1); }
        // Counted from its run's first byte block.
        std::size_t block() const { return word() >> kPlaceBits & ((1u << kBlockBits) - 1); }
        // 1 + its index in kRarityNames; 0: its bytes follow the illustrator's.
        unsigned rarity() const { return word() >> (kPlaceBits + kBlockBits); }
        void setRarity(unsigned rarity) { setWord(word() | rarity << (kPlaceBits + kBlockBits)); }

    private:
        std::uint32_t word() const
        {
            std::uint32_t word;
            std::memcpy(&word, where.data(), sizeof word);
            return word;
        }
        void setWord(std::uint32_t word) { std::memcpy(where.data(), &word, sizeof word); }
    };
    static_assert(sizeof(Entry) == 14);
    static_assert(kMaxBlockBytes == std::size_t(1) << Entry::kPlaceBits &&
                  kBlocksInARun == std::size_t(1) << Entry::kBlockBits);
    static constexpr std::size_t kFieldBlockBytes = kMaxBlockBytes;
    static constexpr std::size_t kBlockEntries = kFieldBlockBytes / sizeof(Entry);
    // Cards from `firstCard` on have their entries from entry block
    // `firstBlock` on and their bytes from byte block `firstByteBlock` on: a
    // store that took in parts has one run per part, and a run holds at most
    // blocksInARun_ byte blocks.
    struct Run {
        std::size_t firstCard = 0;
        std::size_t firstBlock = 0;
        std::size_t firstByteBlock = 0;
    };
    struct Located {
        const Entry* entry;
        const char* bytes;
    };
    static CardView viewOf(const char* bytes, const Entry& entry);
    Located locate(std::size_t i) const
    {
        std::size_t run = runs_.size() - 1;
        while (i < runs_[run].firstCard)  // a few runs at most
            --run;
        const std::size_t at = i - runs_[run].firstCard;
        const Entry& entry = entryBlocks_[runs_[run].firstBlock + (at >> blockShift_)][at & (blockEntries_ - 1)];
        return {&entry, blocks_[runs_[run].firstByteBlock + entry.block()].get() + entry.place()};
    }
    void startBlock();

    struct BlockFree {
        std::size_t size;
        void operator()(void* block) const;
    };
    const std::size_t fieldBlockBytes_;
    const std::size_t blockEntries_;
    const int blockShift_;  // log2 of blockEntries_
    const std::size_t blocksInARun_;
    std::vector<std::unique_ptr<char[], BlockFree>> blocks_;
    // The entries in blocks of their own: they never move, and growing
    // costs no copy of those before.
    std::vector<std::unique_ptr<Entry[], BlockFree>> entryBlocks_;
    std::vector<Run> runs_{Run{}};
    std::size_t size_ = 0;
    char* free_ = nullptr;  // first unused byte of the last block
    char* blockEnd_ = nullptr;
    Entry pending_;
    const char* pendingStart_ = nullptr;
    int pendingFields_ = 0;
    std::size_t pendingBytes_ = 0;
};

}  // namespace card
