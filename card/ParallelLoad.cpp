// SPDX-License-Identifier: MIT
#include "ParallelLoad.h"

#include "RecordReader.h"
#include "WorkPair.h"

#include <algorithm>
#include <chrono>

namespace card {

namespace {
// Smaller files are read by one thread: splitting them would gain less
// than it costs.
constexpr std::uint64_t kSplitBytes = 4u << 20;
// How far past the middle a boundary is looked for.
constexpr std::uint64_t kBoundarySearchBytes = 1u << 20;
std::atomic<std::uint64_t> splitBytes{0};
}  // namespace

void ParallelLoad::splitFilesFrom(std::uint64_t bytes)
{
    splitBytes = bytes;
}

// Only a guess: the line "--" may be a line of a record's text. The first
// half tells when it arrives there.
std::uint64_t ParallelLoad::secondHalf(const std::filesystem::path& path, const TextModeFile& file, std::uint64_t size)
{
    const std::uint64_t from = splitBytes ? splitBytes.load() : kSplitBytes;
    if (size < from || WorkPair::usableCores() < 2 || !file.readsAsShiftJis())
        return 0;
    const std::uint64_t middle = size / 2;
    std::unique_ptr<TextModeFile> half = TextModeFile::openAt(path, middle);
    std::string_view piece;
    bool lineStart = false;  // the middle may cut a line
    while (half && half->bytesRead() < kBoundarySearchBytes && half->nextPiece(piece)) {
        if (lineStart && piece == "--\n")
            return middle + half->bytesRead();
        lineStart = piece.ends_with('\n');
    }
    return 0;
}

void ParallelLoad::run(const Report& report)
{
    report_ = &report;
    caller_ = std::this_thread::get_id();
    WorkPair::runBoth(
        [this] {
            readParts();
            waitForTheOther();
        },
        [this] { readParts(); });
}

// A thread that fails (out of memory) stops the other at its next report
// rather than letting it read on for nothing.
void ParallelLoad::readParts()
{
    try {
        for (std::size_t i; !stop_.load(std::memory_order_relaxed) && (i = next_++) < parts_.size();) {
            readPart(*parts_[i]);
            {
                std::lock_guard lock(mutex_);
                ++done_;
            }
            partDone_.notify_all();
        }
    } catch (...) {
        stopAll();
        throw;
    }
}

void ParallelLoad::stopAll()
{
    stop_ = true;
    std::lock_guard lock(mutex_);
    ++done_;  // the part that failed ends too
    partDone_.notify_all();
}

void ParallelLoad::readPart(Part& part)
{
    RecordReader reader(*part.file);
    int result;
    unsigned untilReport = kProgressStride;
    part.ending = part.abandoned ? Part::Ending::Stopped : Part::Ending::Ended;
    if (part.abandoned)
        return;
    while ((result = reader.read(part.cards, &part.trace)) == 0) {
        part.cards.commitCard();
        if (part.rest && part.file->bytesRead() >= part.restStart && arrivedAtRest(part))
            break;
        if (--untilReport == 0) {
            untilReport = kProgressStride;
            part.bytesRead.store(part.file->bytesRead(), std::memory_order_relaxed);
            part.cardCount.store(part.cards.size(), std::memory_order_relaxed);
            if (!keepGoing() || part.abandoned.load(std::memory_order_relaxed)) {
                part.ending = Part::Ending::Stopped;
                break;
            }
        }
    }
    part.result = part.ending == Part::Ending::Stopped ? 1 : result;
    part.bytesRead.store(part.file->bytesRead(), std::memory_order_relaxed);
    part.cardCount.store(part.cards.size(), std::memory_order_relaxed);
}

// A first half whose last record ended where the second half begins is
// done; one that passed that place without a record ending there reads on
// to the end of the file, and the second half is dropped.
bool ParallelLoad::arrivedAtRest(Part& part)
{
    part.restFollows = part.file->bytesRead() == part.restStart;
    if (!part.restFollows)
        part.rest->abandoned = true;
    part.rest = nullptr;
    return part.restFollows;
}

// The calling thread, its own files read, reports the other's progress at
// once and then every few milliseconds until that one is done too; on one
// core nothing is left by then.
void ParallelLoad::waitForTheOther()
{
    constexpr auto kReportEvery = std::chrono::milliseconds(10);
    std::unique_lock lock(mutex_);
    while (done_ < std::min(next_.load(), parts_.size())) {
        lock.unlock();
        keepGoing();
        lock.lock();
        partDone_.wait_for(lock, kReportEvery);
    }
}

// The calling thread asks the screen; the other only looks whether it was
// told to stop.
bool ParallelLoad::keepGoing()
{
    if (std::this_thread::get_id() == caller_ && !stop_.load(std::memory_order_relaxed)) {
        std::uint64_t bytes = 0;
        std::size_t cards = 0;
        for (const Part* part : parts_) {
            bytes += part->bytesRead.load(std::memory_order_relaxed);
            cards += part->cardCount.load(std::memory_order_relaxed);
        }
        if (!(*report_)(bytes, cards))
            stop_ = true;
    }
    return !stop_.load(std::memory_order_relaxed);
}

}  // namespace card
