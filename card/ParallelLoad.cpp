// SPDX-License-Identifier: MIT
#include "ParallelLoad.h"

#include "RecordReader.h"
#include "WorkPair.h"

#include <algorithm>
#include <chrono>

namespace card {

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
    part.ending = Part::Ending::Ended;
    while ((result = reader.read(part.cards, &part.trace)) == 0) {
        part.cards.commitCard();
        if (--untilReport == 0) {
            untilReport = kProgressStride;
            part.bytesRead.store(part.file->bytesRead(), std::memory_order_relaxed);
            part.cardCount.store(part.cards.size(), std::memory_order_relaxed);
            if (!keepGoing()) {
                part.ending = Part::Ending::Stopped;
                break;
            }
        }
    }
    part.result = part.ending == Part::Ending::Stopped ? 1 : result;
    part.bytesRead.store(part.file->bytesRead(), std::memory_order_relaxed);
    part.cardCount.store(part.cards.size(), std::memory_order_relaxed);
}

// The calling thread, its own files read, reports the other's progress
// until that one is done too; on one core nothing is left by then.
void ParallelLoad::waitForTheOther()
{
    constexpr auto kReportEvery = std::chrono::milliseconds(10);
    std::unique_lock lock(mutex_);
    while (done_ < std::min(next_.load(), parts_.size())) {
        if (partDone_.wait_for(lock, kReportEvery) == std::cv_status::no_timeout)
            continue;
        lock.unlock();
        keepGoing();
        lock.lock();
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
