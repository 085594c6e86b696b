// SPDX-License-Identifier: MIT
#pragma once

#include "Card.h"
#include "CardView.h"
#include "SearchCriteria.h"
#include "TextFold.h"

namespace card {

// The test of SearchCriteria::accepts with kana and width folded, prepared
// once for a whole search: the criteria texts are folded here, and each
// card's name, type and rate into one reused buffer, only when the test
// needs them.
class FoldedSearch {
public:
    explicit FoldedSearch(const SearchCriteria& criteria);

    bool accepts(const CardView& card);

private:
    bool fieldMatches(std::string_view field, const textfold::FoldedText& text, search_mode mode);

    textfold::FoldedText name_;
    textfold::FoldedText type_;
    textfold::FoldedText rate_;
    search_mode mode_;
    textfold::FoldedText field_;  // the card field being compared
};

}  // namespace card
