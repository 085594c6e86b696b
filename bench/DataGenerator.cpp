// SPDX-License-Identifier: MIT
#include "DataGenerator.h"

#include "Cp932Converter.h"
#include "RecordWriter.h"

#include <initializer_list>
#include <stdexcept>

namespace {

// Word lists in UTF-8; converted to CP932 once at start.
std::vector<std::string> toCp932(card::Cp932Converter& converter, std::initializer_list<const char*> words)
{
    std::vector<std::string> result;
    for (const char* word : words) {
        std::optional<std::string> bytes = converter.fromUtf8(word);
        if (!bytes)
            throw std::runtime_error(std::string("not CP932: ") + word);
        result.push_back(std::move(*bytes));
    }
    return result;
}

}  // namespace

DataGenerator::DataGenerator(std::uint64_t seed, bool runnerSide) : state_(seed)
{
    card::Cp932Converter converter;
    nameWords_ =
        toCp932(converter, {"黒曜",   "灰硝子", "鋼線",     "霧雨",     "白鷺",   "月蝕",   "深層",   "夜明け",
                            "蜘蛛",   "雷鳴",   "錆",       "蛍火",     "残響",   "瓦礫",   "薄明",   "星図",
                            "ノイズ", "ミラー", "シグナル", "プリズム", "ゲート", "ライン", "コード", "パルス",
                            "の猟犬", "の迷路", "の鍵",     "の城門",   "の翼",   "の王冠", "の記録", "の約束"});
    if (runnerSide)
        types_ = toCp932(converter, {"プログラム：侵入具：解錠", "プログラム：侵入具：破砕", "プログラム：侵入具：狩猟",
                                     "プログラム", "機材", "拠点", "人脈", "イベント"});
    else
        types_ = toCp932(converter, {"アイス：城壁", "アイス：猟犬", "アイス：錠前", "計画", "施設", "作戦", "強化"});
    rules_ = toCp932(converter, {"A: [#]を得る。", "* 侵入を終了する。", "* ランナーのプログラム1つをトラッシュする。",
                                 "* - #: 成功すればランナーに追跡標識を1つ与える。", "T: カードを#枚引く。", "起動 [#]",
                                 "インストール [#] / メモリ #", "[#]: 強度+#。", "ターンの開始時に[#]を得る。",
                                 "ランナーが侵入に成功するたび、このカードにビットを#つ置く。",
                                 "A, T: このカードの上のビットを全て得る。",
                                 "このサーバーのアイス1つは、起動のコストが[#]少ない。"});
    flavour_ = toCp932(converter, {"街の灯りは、もう誰のものでもない。", "扉は開かない。開く理由がない。",
                                   "記録は消えない。消されるだけだ。", "細い糸ほど切れにくい。", "噂は風より速い。", "",
                                   "雨はすぐ止むと誰もが言った。"});
    artists_ = toCp932(converter, {"Illus. 深川 灯", "Illus. 桐谷 澪", "Illus. 朝霧 蒼", "Illus. 早瀬 凛",
                                   "Illus. 星野 綾", "Illus. 宮園 遥", "Illus. 三浦 朔", "Illus. 柊 奏"});
}

// splitmix64: tiny, fast and the same everywhere, unlike the standard
// distributions.
std::uint64_t DataGenerator::next()
{
    std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

std::string DataGenerator::number(int low, int high)
{
    return std::to_string(low + static_cast<int>(below(static_cast<std::size_t>(high - low + 1))));
}

std::string DataGenerator::name()
{
    std::string text;
    std::size_t words = 2 + below(3);
    for (std::size_t i = 0; i < words; ++i)
        text += pick(nameWords_);
    if (below(5) == 0)
        text += " Mk." + number(2, 9);
    return text;
}

// One to three phrases; '#' in a phrase stands for a small number.
std::string DataGenerator::rulesLine()
{
    std::string text;
    std::size_t phrases = 1 + below(3);
    for (std::size_t i = 0; i < phrases; ++i) {
        for (char c : pick(rules_)) {
            if (c == '#')
                text += number(0, 6);
            else
                text += c;
        }
    }
    return text;
}

void DataGenerator::appendCard(std::string& out)
{
    if (cards_++ % 1000 == 0)
        out += "# block " + std::to_string(cards_ / 1000) + "\n";
    card_.name = name();
    card_.type = pick(types_);
    const std::size_t lines = below(card::Card::kTextLines + 1);
    for (std::size_t i = 0; i < card::Card::kTextLines; ++i)
        card_.text[i] = i < lines ? rulesLine() : std::string();
    card_.note = pick(flavour_);
    card_.illust = pick(artists_);
    static const char* const rarities[] = {"Common", "Common", "Uncommon", "Vital", "Rare"};
    card_.rate = rarities[below(5)];
    card::appendRecord(out, card_);
}
