// SPDX-License-Identifier: MIT
#pragma once

#include "Card.h"

#include <cstdint>
#include <string>
#include <vector>

// Writes large, valid data files of invented cards for the benchmarks:
// Shift-JIS, double-byte names, 0 to 5 rules-text lines of ordinary length.
// The same seed gives the same bytes on every machine.
class DataGenerator {
public:
    DataGenerator(std::uint64_t seed, bool runnerSide);

    // Appends the next card's record (and now and then a comment line).
    void appendCard(std::string& out);

private:
    std::uint64_t next();
    std::size_t below(std::size_t n) { return static_cast<std::size_t>(next() % n); }
    const std::string& pick(const std::vector<std::string>& words) { return words[below(words.size())]; }
    std::string number(int low, int high);

    std::string name();
    std::string rulesLine();

    std::uint64_t state_;
    std::uint64_t cards_ = 0;
    card::Card card_;  // reused for every record
    std::vector<std::string> nameWords_;
    std::vector<std::string> types_;
    std::vector<std::string> rules_;
    std::vector<std::string> flavour_;
    std::vector<std::string> artists_;
};
