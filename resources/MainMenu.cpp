// SPDX-License-Identifier: MIT
#include "MainMenu.h"

#include <array>

namespace {

constexpr MenuItem kSeparator{nullptr, 0};

// Each pop-up's items in menu order.
constexpr auto kFileItems = std::to_array<MenuItem>(
    {{"データフォルダを開く...(&O)\tCtrl+O", ID_OPEN_FOLDER}, kSeparator, {"終了(&X)", ID_EXIT}});

constexpr auto kCardItems = std::to_array<MenuItem>({
    {"検索(&S)\tF5", ID_SEARCH},
    {"全カードリスト(&A)", ID_LIST_ALL},
    {"Runnerカードリスト(&R)", ID_LIST_RUNNER},
    {"Corporateカードリスト(&C)", ID_LIST_CORP},
    kSeparator,
    {"詳細表示(&D)\tEnter", ID_DETAIL},
});

constexpr auto kViewItems = std::to_array<MenuItem>({{"ステータスバー(&S)", ID_STATUS_BAR, true},
                                                     {"絞り込みバー(&B)", ID_FILTER_BAR, true},
                                                     kSeparator,
                                                     {"ファイルの順に戻す(&F)", ID_FILE_ORDER}});

constexpr auto kHelpItems =
    std::to_array<MenuItem>({{"記号の説明(&C)", ID_LEGEND}, kSeparator, {"このプログラムの主張(&A)", ID_ABOUT}});

constexpr auto kMainMenu = std::to_array<MenuPopup>(
    {{"ファイル(&F)", kFileItems}, {"カード(&C)", kCardItems}, {"表示(&V)", kViewItems}, {"ヘルプ(&H)", kHelpItems}});

constexpr auto kMainAccelerators = std::to_array<Accelerator>({
    {AcceleratorKey::F1, ID_ABOUT},
    {AcceleratorKey::Enter, ID_DETAIL},
    {AcceleratorKey::F5, ID_SEARCH},
    {AcceleratorKey::CtrlO, ID_OPEN_FOLDER},
});

}  // namespace

std::span<const MenuPopup> mainMenu()
{
    return kMainMenu;
}

std::span<const Accelerator> mainAccelerators()
{
    return kMainAccelerators;
}
