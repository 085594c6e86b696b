// SPDX-License-Identifier: MIT
#pragma once

#include "Card.h"
#include "CardStore.h"
#include "TextModeFile.h"

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

namespace card {

// The data files of a list command read on the two threads of a WorkPair,
// each into a store of its own that the caller then lists in file order.
// Each thread takes the next unread file when it is done with one, so one
// core reads them all in turn on the calling thread. Only the calling
// thread talks to the screen: it reports the progress of all files, also
// while it waits for the other, and a stop it is told reaches every file
// at its next progress report.
class ParallelLoad {
public:
    // One file and what its reading made of it.
    struct Part {
        enum class Ending { NotRead, Stopped, Ended };

        explicit Part(std::unique_ptr<TextModeFile> data) : file(std::move(data)) {}
        std::unique_ptr<TextModeFile> file;
        CardStore cards;
        RecordTrace trace;
        int result = 1;  // of the last record read, as Card::read gives it
        Ending ending = Ending::NotRead;
        // Published at each progress report, for the calling thread.
        std::atomic<std::uint64_t> bytesRead{0};
        std::atomic<std::size_t> cardCount{0};
        // The first half of a file split in two: its second half, the byte
        // where that begins, and whether this half's last record ended
        // exactly there (else it read on through it alone).
        Part* rest = nullptr;
        std::uint64_t restStart = 0;
        bool restFollows = false;
        // A second half whose first half read on through it.
        std::atomic<bool> abandoned{false};
    };
    // Told the bytes read and the cards kept of all files; false stops.
    using Report = std::function<bool(std::uint64_t bytesRead, std::size_t cards)>;

    // Records between two progress reports of a file: often enough that a
    // window can answer within a few milliseconds, rarely enough to cost
    // nothing.
    static constexpr unsigned kProgressStride = 4096;

    explicit ParallelLoad(std::vector<Part*> parts) : parts_(std::move(parts)) {}

    // Where the second half of the file open as `file`, of `size` bytes,
    // would begin when two cores read it: after the first line "--" past
    // its middle. 0 when it is not worth it or nothing looks like a
    // boundary: a file that is small or read through the UTF-8 conversion,
    // or one core.
    static std::uint64_t secondHalf(const std::filesystem::path& path, const TextModeFile& file, std::uint64_t size);
    // For tests: files are split from this size on (0: the usual size).
    static void splitFilesFrom(std::uint64_t bytes);

    // Reads every part to its end, a bad record or a stop; returns when all
    // reading has ended.
    void run(const Report& report);

private:
    void readParts();
    void readPart(Part& part);
    static bool arrivedAtRest(Part& part);
    void waitForTheOther();
    bool keepGoing();
    void stopAll();

    std::vector<Part*> parts_;
    const Report* report_ = nullptr;
    std::thread::id caller_;
    std::atomic<std::size_t> next_{0};  // the part the next free thread takes
    std::atomic<bool> stop_{false};
    std::mutex mutex_;
    std::condition_variable partDone_;
    std::size_t done_ = 0;  // parts whose reading ended, under mutex_
};

}  // namespace card
