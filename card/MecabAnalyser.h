// SPDX-License-Identifier: MIT
#pragma once

#include "ReadingAnalyser.h"

#include <filesystem>
#include <memory>
#include <string>

struct mecab_t;

namespace card {

// The readings of MeCab with the IPA dictionary (BSD licence, so the program
// may link it and ship it). The dictionary is the folder "dic" beside the
// program when it holds sys.dic (the Windows folder and the portable zip
// carry one), otherwise MeCab's own (on Debian /etc/mecabrc names it).
class MecabAnalyser : public ReadingAnalyser {
public:
    ~MecabAnalyser() override;

    // An analyser for the program in `programFolder` (empty: MeCab's own
    // dictionary only); nullptr, with the reason in `error`, when no
    // dictionary opens.
    static std::unique_ptr<MecabAnalyser> open(const std::filesystem::path& programFolder, std::string& error);

    bool read(std::string_view utf8, std::vector<ReadingPiece>& out) override;

private:
    explicit MecabAnalyser(mecab_t* mecab) : mecab_(mecab) {}

    mecab_t* mecab_;
};

}  // namespace card
