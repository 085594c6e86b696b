// SPDX-License-Identifier: MIT
#pragma once

#include "Cp932Converter.h"
#include "ReadingAnalyser.h"
#include "ReadingCorrections.h"
#include "ReadingPool.h"

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace card {

// Makes readings on one thread: the analyser's, with the player's
// corrections winning, each as a ReadingPool entry. A pool's two threads
// each have one, with an analyser of their own.
class ReadingMaker {
public:
    // Without an analyser, only corrections read; the rest reads as written.
    ReadingMaker(std::unique_ptr<ReadingAnalyser> analyser, const ReadingCorrections& corrections);
    ~ReadingMaker();

    // Appends the entry of the CP932 text `cp932` (at most
    // ReadingPool::kMaxSize bytes) to `out`.
    void make(std::string_view cp932, std::string& out);
    ReadingAnalyser* analyser() const { return analyser_.get(); }

private:
    void readPieces(std::string_view utf8);

    std::unique_ptr<ReadingAnalyser> analyser_;
    const ReadingCorrections& corrections_;
    Cp932Converter converter_;
    // Reused from text to text.
    std::vector<ReadingPiece> analysed_, between_;
    textfold::FoldedText reading_, folded_;
    std::vector<PieceEnd> pieces_;
};

}  // namespace card
