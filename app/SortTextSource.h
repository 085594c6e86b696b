// SPDX-License-Identifier: MIT
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

// What a list column sorts by in place of the collation of its text: the
// keys of the readings, made by the engine, which the finder sorts by too.
class SortTextSource {
public:
    using Progress = std::function<bool(std::size_t done, std::size_t total)>;

    virtual ~SortTextSource() = default;
    // Makes what the keys need (the readings not made yet), telling
    // `progress` how far it is; false when `progress` stopped it.
    virtual bool prepare(const Progress& progress) = 0;
    // The key of the CP932 text `cp932`; keys compare as their texts sort.
    virtual std::string keyOf(std::string_view cp932) const = 0;
};
