// SPDX-License-Identifier: MIT
#include "MecabAnalyser.h"

#include "Utf8Path.h"
#include "KanaText.h"

#include <mecab.h>

#include <system_error>

namespace card {

namespace {

// The IPA dictionary's features: part of speech (four), conjugation (two),
// base form, reading, pronunciation. Unknown words carry only the first seven.
constexpr std::size_t kReadingFeature = 7;

std::string_view featureAt(std::string_view features, std::size_t index)
{
    for (std::size_t i = 0; i < index; ++i) {
        const std::size_t comma = features.find(',');
        if (comma == std::string_view::npos)
            return {};
        features.remove_prefix(comma + 1);
    }
    return features.substr(0, features.find(','));
}

// Whether the UTF-8 character at `at` (three bytes) is kana.
bool kanaAt(std::string_view text, std::size_t at)
{
    return text.size() >= at + 3 && kana::isAllKana(text.substr(at, 3));
}

// A word's kana that its reading spells the same, at its end (見え: ミ +
// エ) and at its start (お茶: オ + チャ), become pieces of their own, and a
// word of kana one piece a character, so that the highlight marks the
// characters a match came from, not the whole word.
void addWord(std::size_t begin, std::string_view surface, std::string kana, std::vector<ReadingPiece>& out)
{
    std::vector<ReadingPiece> tail;
    while (surface.size() > 3 && kanaAt(surface, surface.size() - 3) && kana.size() > 3 &&
           kana::toKatakana(surface.substr(surface.size() - 3)) == std::string_view(kana).substr(kana.size() - 3)) {
        tail.push_back({begin + surface.size() - 3, begin + surface.size(), kana.substr(kana.size() - 3)});
        surface.remove_suffix(3);
        kana.resize(kana.size() - 3);
    }
    while (surface.size() > 3 && kanaAt(surface, 0) && kana.size() > 3 &&
           kana::toKatakana(surface.substr(0, 3)) == std::string_view(kana).substr(0, 3)) {
        out.push_back({begin, begin + 3, kana.substr(0, 3)});
        surface.remove_prefix(3);
        kana.erase(0, 3);
        begin += 3;
    }
    if (kana::isAllKana(surface) && kana::toKatakana(surface) == kana) {
        for (std::size_t at = 0; at < surface.size(); at += 3)
            out.push_back({begin + at, begin + at + 3, kana.substr(at, 3)});
    } else {
        out.push_back({begin, begin + surface.size(), std::move(kana)});
    }
    out.insert(out.end(), tail.rbegin(), tail.rend());
}

}  // namespace

std::unique_ptr<MecabAnalyser> MecabAnalyser::open(const std::filesystem::path& programFolder, std::string& error)
{
    std::vector<std::string> args{"mecab"};
    std::error_code ignored;
    const std::filesystem::path dic = programFolder.empty() ? programFolder : programFolder / "dic";
    if (!dic.empty() && std::filesystem::is_regular_file(dic / "sys.dic", ignored)) {
        args.insert(args.end(), {"-r", utf8FromPath(dic / "dicrc"), "-d", utf8FromPath(dic)});
    }
    std::vector<char*> argv;
    for (std::string& arg : args)
        argv.push_back(arg.data());
    Model model(mecab_model_new(int(argv.size()), argv.data()), mecab_model_destroy);
    std::unique_ptr<MecabAnalyser> analyser = model ? onModel(std::move(model)) : nullptr;
    if (!analyser) {
        const char* reason = mecab_strerror(nullptr);
        error = reason && *reason ? reason : "the dictionary does not open";
    }
    return analyser;
}

std::unique_ptr<MecabAnalyser> MecabAnalyser::onModel(Model model)
{
    mecab_t* tagger = mecab_model_new_tagger(model.get());
    mecab_lattice_t* lattice = mecab_model_new_lattice(model.get());
    if (tagger && lattice)
        return std::unique_ptr<MecabAnalyser>(new MecabAnalyser(std::move(model), tagger, lattice));
    if (tagger)
        mecab_destroy(tagger);
    if (lattice)
        mecab_lattice_destroy(lattice);
    return nullptr;
}

std::unique_ptr<ReadingAnalyser> MecabAnalyser::another() const
{
    return onModel(model_);
}

MecabAnalyser::~MecabAnalyser()
{
    mecab_lattice_destroy(lattice_);
    mecab_destroy(tagger_);
}

bool MecabAnalyser::read(std::string_view utf8, std::vector<ReadingPiece>& out)
{
    out.clear();
    mecab_lattice_set_sentence2(lattice_, utf8.data(), utf8.size());
    if (!mecab_parse_lattice(tagger_, lattice_))
        return false;
    const mecab_node_t* node = mecab_lattice_get_bos_node(lattice_);
    std::size_t done = 0;
    for (; node; node = node->next) {
        if (node->stat == MECAB_BOS_NODE || node->stat == MECAB_EOS_NODE)
            continue;
        const auto begin = static_cast<std::size_t>(node->surface - utf8.data());
        if (begin < done || begin + node->length > utf8.size())
            return false;
        if (begin > done)  // spaces between words read as themselves
            out.push_back({done, begin, std::string(utf8.substr(done, begin - done))});
        const std::string_view surface = utf8.substr(begin, node->length);
        const std::string_view reading = node->feature ? featureAt(node->feature, kReadingFeature) : std::string_view{};
        addWord(begin, surface, reading.empty() || reading == "*" ? kana::toKatakana(surface) : std::string(reading), out);
        done = begin + node->length;
    }
    if (done < utf8.size())
        out.push_back({done, utf8.size(), std::string(utf8.substr(done))});
    return true;
}

}  // namespace card
