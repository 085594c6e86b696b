// SPDX-License-Identifier: MIT
#pragma once

#include "ReadingAnalyser.h"

#include <filesystem>
#include <memory>
#include <string>

struct mecab_t;
struct mecab_model_t;
struct mecab_lattice_t;

namespace card {

// The readings of MeCab with the IPA dictionary (BSD licence, so the program
// may link it and ship it). The dictionary is the folder "dic" beside the
// program when it holds sys.dic (the Windows folder and the portable zip
// carry one), otherwise MeCab's own (on Debian /etc/mecabrc names it).
// MeCab's model (the dictionary) may serve many threads at once; a tagger
// and its lattice one thread at a time, so each analyser has its own.
class MecabAnalyser : public ReadingAnalyser {
public:
    ~MecabAnalyser() override;

    // An analyser for the program in `programFolder` (empty: MeCab's own
    // dictionary only); nullptr, with the reason in `error`, when no
    // dictionary opens.
    static std::unique_ptr<MecabAnalyser> open(const std::filesystem::path& programFolder, std::string& error);

    bool read(std::string_view utf8, std::vector<ReadingPiece>& out) override;
    std::unique_ptr<ReadingAnalyser> another() const override;

private:
    using Model = std::shared_ptr<mecab_model_t>;

    // nullptr when MeCab cannot make a tagger or a lattice of `model`.
    static std::unique_ptr<MecabAnalyser> onModel(Model model);
    MecabAnalyser(Model model, mecab_t* tagger, mecab_lattice_t* lattice)
        : model_(std::move(model)), tagger_(tagger), lattice_(lattice)
    {
    }

    Model model_;  // destroyed after the tagger and lattice that use it
    mecab_t* tagger_;
    mecab_lattice_t* lattice_;
};

}  // namespace card
