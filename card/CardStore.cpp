// SPDX-License-Identifier: MIT
#include "CardStore.h"

#include "OperatingSystem.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <iterator>
#include <new>
#include <type_traits>

namespace card {

namespace {
constexpr std::size_t kMaxCardBytes = CardStore::kFields * CardStore::kMaxField;

constexpr bool rarityNamesDifferInLength()
{
    for (std::size_t i = 0; i < kRarityNames.size(); ++i) {
        for (std::size_t j = 0; j < i; ++j) {
            if (kRarityNames[i].size() == kRarityNames[j].size())
                return false;
        }
    }
    return true;
}
static_assert(rarityNamesDifferInLength(), "knownRarity compares one name of each length");
static_assert(kRarityNames.size() <= 7, "an entry names a rarity in three bits");
}  // namespace

// Run for every card while a list is read: lengths first, then one memcmp
// at most, as no two of the names are as long.
int CardStore::knownRarity(std::string_view bytes)
{
    for (std::size_t i = 0; i < kRarityNames.size(); ++i) {
        if (bytes.size() == kRarityNames[i].size())
            return std::memcmp(bytes.data(), kRarityNames[i].data(), bytes.size()) == 0 ? int(i) : -1;
    }
    return -1;
}

// The default blocks are large enough that they are few, hold whole huge
// pages and lose little in the unused tail of each (less than one record);
// only the pages touched count, so a short list takes little of them.
CardStore::CardStore(std::size_t fieldBlockBytes, std::size_t blockEntries, std::size_t blocksInARun)
    : fieldBlockBytes_(std::clamp(fieldBlockBytes, kMaxCardBytes, kMaxBlockBytes)),
      blockEntries_(std::bit_floor(std::max<std::size_t>(blockEntries, 1))),
      blockShift_(std::countr_zero(blockEntries_)),
      blocksInARun_(std::clamp<std::size_t>(blocksInARun, 1, kBlocksInARun))
{
}

void CardStore::BlockFree::operator()(void* block) const
{
    os::freeBlock(static_cast<char*>(block), size);
}

namespace {
char* newBlock(std::size_t size)
{
    char* block = os::allocateBlock(size);
    if (!block)
        throw std::bad_alloc();  // as operator new would
    return block;
}
}  // namespace

void CardStore::clear()
{
    decltype(blocks_)().swap(blocks_);
    decltype(entryBlocks_)().swap(entryBlocks_);
    runs_.assign(1, Run{});
    size_ = 0;
    free_ = blockEnd_ = nullptr;
    pending_ = Entry{};
    pendingStart_ = nullptr;
    pendingFields_ = 0;
    pendingBytes_ = 0;
}

// The last entry block always holds the last card's entry: entry blocks
// are made as cards are committed.
void CardStore::releaseUnusedTails()
{
    if (blocks_.empty())
        return;
    os::releaseUnusedPages(free_, blockEnd_);
    if (size_ == 0)
        return;
    Entry* const entries = entryBlocks_.back().get();
    const std::size_t used = std::size_t(locate(size_ - 1).entry + 1 - entries);
    os::releaseUnusedPages(reinterpret_cast<char*>(entries + used), reinterpret_cast<char*>(entries + blockEntries_));
}

// A run whose blocks an entry can no longer count goes on as a new run,
// its entries from a new entry block.
void CardStore::startBlock()
{
    char* block = newBlock(fieldBlockBytes_);
    blocks_.emplace_back(block, BlockFree{fieldBlockBytes_});
    free_ = block;
    blockEnd_ = free_ + fieldBlockBytes_;
    if (blocks_.size() - runs_.back().firstByteBlock > blocksInARun_) {
        if (runs_.back().firstCard == size_)
            runs_.pop_back();  // no card in it yet
        runs_.push_back({size_, entryBlocks_.size(), blocks_.size() - 1});
    }
}

// A card never spans two blocks: each begins where a whole record fits.
void CardStore::beginCard()
{
    if (static_cast<std::size_t>(blockEnd_ - free_) < kMaxCardBytes)
        startBlock();
    pending_ = Entry(std::size_t(free_ - blocks_.back().get()), blocks_.size() - 1 - runs_.back().firstByteBlock);
    pendingStart_ = free_;
    pendingFields_ = 0;
    pendingBytes_ = 0;
}

// The length is not clamped here: a bound known to the compiler makes it
// copy with "rep movs", whose start-up cost took a fifth of a whole load;
// the library's memcpy is quicker at these sizes.
void CardStore::addField(std::string_view bytes)
{
    if (pendingFields_ >= kFields)
        return;
    pending_.lengths[pendingFields_] = static_cast<std::uint8_t>(bytes.size());
    if (pendingFields_++ == int(Field::Rate)) {
        if (const int known = knownRarity(bytes); known >= 0)
            return pending_.setRarity(unsigned(known) + 1);  // named by the entry, not copied
    }
    if (!bytes.empty())  // an empty view may hold no pointer, which memcpy must not get
        std::memcpy(free_ + pendingBytes_, bytes.data(), bytes.size());
    pendingBytes_ += bytes.size();
}

void CardStore::commitCard()
{
    const std::size_t at = size_ - runs_.back().firstCard;
    if ((at & (blockEntries_ - 1)) == 0) {
        static_assert(std::is_trivially_copyable_v<Entry>);
        const std::size_t bytes = blockEntries_ * sizeof(Entry);
        entryBlocks_.emplace_back(reinterpret_cast<Entry*>(newBlock(bytes)), BlockFree{bytes});
    }
    entryBlocks_.back()[at & (blockEntries_ - 1)] = pending_;
    ++size_;
    free_ += pendingBytes_;
    pendingFields_ = kFields;  // nothing more goes into a committed card
}

// The part's blocks are taken over as they are: its entries point into its
// own byte blocks, which do not move. This store's last blocks give back
// their unused tails; the part's last byte block takes the cards committed
// next.
void CardStore::append(CardStore& part)
{
    if (part.empty())
        return;
    releaseUnusedTails();  // the part's blocks take the cards from here on
    if (empty()) {
        clear();
        std::swap(blocks_, part.blocks_);
        std::swap(entryBlocks_, part.entryBlocks_);
        std::swap(runs_, part.runs_);
    } else {
        for (const Run& run : part.runs_)
            runs_.push_back({size_ + run.firstCard, entryBlocks_.size() + run.firstBlock, blocks_.size() + run.firstByteBlock});
        std::move(part.blocks_.begin(), part.blocks_.end(), std::back_inserter(blocks_));
        std::move(part.entryBlocks_.begin(), part.entryBlocks_.end(), std::back_inserter(entryBlocks_));
    }
    size_ += part.size_;
    free_ = part.free_;
    blockEnd_ = part.blockEnd_;
    pending_ = Entry{};
    pendingStart_ = nullptr;
    pendingFields_ = 0;
    pendingBytes_ = 0;
    part.clear();
}

CardView CardStore::viewOf(const char* bytes, const Entry& entry)
{
    CardView card;
    const char* at = bytes;
    for (int field = 0; field < kFields; ++field) {  // in record order
        card.field(Field(field)) = std::string_view(at, entry.lengths[field]);
        at += entry.lengths[field];
    }
    // The names live as long as the program: the view outlives a clear().
    if (const unsigned rarity = entry.rarity(); rarity != 0)
        card.rate = kRarityNames[rarity - 1];
    return card;
}

}  // namespace card
