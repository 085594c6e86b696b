// SPDX-License-Identifier: MIT
#pragma once

#include <string_view>

namespace card {

// The list of text lines that shows the listed cards, line i showing card i.
// The window's list and the command-line finder both implement it.
class CardListView {
public:
    virtual ~CardListView() = default;
    virtual void resetContent() = 0;                    // remove every line
    virtual void addString(std::string_view line) = 0;  // append a line at the end (Shift-JIS)
    virtual void selectFirstLine() = 0;                 // select line 0; an empty list keeps none
    virtual void setRedraw(bool on) = 0;                // suspend or resume repainting
};

}  // namespace card
