// SPDX-License-Identifier: MIT
#include "MainMenu.h"

#include <array>

namespace {

constexpr MenuItem kSeparator{nullptr, 0};

// Each pop-up's items in menu order.
constexpr auto kFileItems = std::to_array<MenuItem>(
    {{"データフォルダを開く(&O)...", ID_OPEN_FOLDER, false, AcceleratorKey::CtrlO}, kSeparator, {"終了(&X)", ID_EXIT}});

constexpr auto kCardItems = std::to_array<MenuItem>({
    {"検索(&S)", ID_SEARCH, false, AcceleratorKey::F5},
    {"全カードリスト(&A)", ID_LIST_ALL},
    {"Runnerカードリスト(&R)", ID_LIST_RUNNER},
    {"Corporateカードリスト(&C)", ID_LIST_CORP},
    kSeparator,
    {"詳細表示(&D)", ID_DETAIL, false, AcceleratorKey::Enter},
});

constexpr auto kViewItems = std::to_array<MenuItem>({{"ステータスバー(&S)", ID_STATUS_BAR, true},
                                                     {"絞り込みバー(&B)", ID_FILTER_BAR, true},
                                                     kSeparator,
                                                     {"ファイルの順に戻す(&F)", ID_FILE_ORDER}});

constexpr auto kHelpItems =
    std::to_array<MenuItem>({{"記号の説明(&C)", ID_LEGEND},
                             kSeparator,
                             {"このプログラムの主張(&A)", ID_ABOUT, false, AcceleratorKey::F1, false}});

constexpr auto kMainMenu = std::to_array<MenuPopup>(
    {{"ファイル(&F)", kFileItems}, {"カード(&C)", kCardItems}, {"表示(&V)", kViewItems}, {"ヘルプ(&H)", kHelpItems}});

const char* keyName(AcceleratorKey key)
{
    switch (key) {
    case AcceleratorKey::None: return "";
    case AcceleratorKey::F1: return "F1";
    case AcceleratorKey::Enter: return "Enter";
    case AcceleratorKey::F5: return "F5";
    case AcceleratorKey::CtrlO: return "Ctrl+O";
    }
    return "";
}

}  // namespace

std::span<const MenuPopup> mainMenu()
{
    return kMainMenu;
}

std::vector<Accelerator> mainAccelerators()
{
    std::vector<Accelerator> accelerators;
    for (const MenuPopup& popup : kMainMenu) {
        for (const MenuItem& item : popup.items) {
            if (item.key != AcceleratorKey::None)
                accelerators.push_back({item.key, item.command});
        }
    }
    return accelerators;
}

std::string menuText(const MenuItem& item)
{
    std::string text = item.text;
    if (item.key != AcceleratorKey::None && item.keyShown)
        text.append("\t").append(keyName(item.key));
    return text;
}
