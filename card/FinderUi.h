// SPDX-License-Identifier: MIT
#pragma once

#include "EngineMessage.h"

#include <cstddef>
#include <cstdint>

namespace card {

// How far a list command or a search has read.
struct ReadProgress {
    std::uint64_t bytesRead = 0;   // of all the files the command reads
    std::uint64_t bytesTotal = 0;  // their sizes when the command began
    std::size_t cards = 0;         // lines listed so far
};

// What the list commands and the search need of the screen besides the
// list: a message box and the searching-now notice.
class FinderUi {
public:
    virtual ~FinderUi() = default;
    // Shows the message and returns once the user has closed it.
    virtual void showMessage(const EngineMessage& message) = 0;
    virtual void showNotice() = 0;  // the notice is up when this returns
    virtual void hideNotice() = 0;
    // Told every few thousand records while the notice is up; false stops
    // the command, which keeps what it has listed, as a format error does.
    virtual bool keepReading(const ReadProgress&) { return true; }
};

}  // namespace card
