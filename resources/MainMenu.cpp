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
                                                     {"起動時にカードを表示(&L)", ID_LIST_AT_START, true},
                                                     kSeparator,
                                                     {"ファイルの順に戻す(&F)", ID_FILE_ORDER},
                                                     {"読みで並べる(&Y)", ID_READING_SORT, true}});

constexpr auto kHelpItems =
    std::to_array<MenuItem>({{"記号の説明(&C)", ID_LEGEND},
                             kSeparator,
                             {"このプログラムの主張(&A)", ID_ABOUT, false, AcceleratorKey::F1, false}});

constexpr auto kMainMenu = std::to_array<MenuPopup>(
    {{"ファイル(&F)", kFileItems}, {"カード(&C)", kCardItems}, {"表示(&V)", kViewItems}, {"ヘルプ(&H)", kHelpItems}});

struct KeyText {
    const char* name;
    const char* sequences;
};

// By AcceleratorKey.
constexpr std::array<KeyText, 7> kKeyTexts = {{
    {"", ""},
    {"F1", "F1"},
    {"Enter", "Return; Enter"},
    {"F5", "F5"},
    {"Ctrl+O", "Ctrl+O"},
    {"Ctrl+F", "Ctrl+F"},
    {"Alt+F4", "Alt+F4"},
}};
static_assert(kKeyTexts.size() == std::size_t(AcceleratorKey::AltF4) + 1, "a text for every key");

// Drops the mnemonic "(&X)" and a trailing "...".
std::string plainText(std::string text)
{
    if (const std::size_t mnemonic = text.find("(&"); mnemonic != std::string::npos)
        text.erase(mnemonic);
    if (text.ends_with("..."))
        text.erase(text.size() - 3);
    return text;
}

const MenuItem* itemOf(int command, const MenuPopup** popupOf = nullptr)
{
    for (const MenuPopup& popup : kMainMenu) {
        for (const MenuItem& item : popup.items) {
            if (!item.isSeparator() && item.command == command) {
                if (popupOf)
                    *popupOf = &popup;
                return &item;
            }
        }
    }
    return nullptr;
}

}  // namespace

const char* keyName(AcceleratorKey key)
{
    return kKeyTexts.at(std::size_t(key)).name;
}

const char* keySequences(AcceleratorKey key)
{
    return kKeyTexts.at(std::size_t(key)).sequences;
}

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

std::string menuPath(int command)
{
    const MenuPopup* popup = nullptr;
    const MenuItem* item = itemOf(command, &popup);
    return item ? plainText(popup->text) + " → " + plainText(item->text) : std::string();
}

std::string keyNameOf(int command)
{
    const MenuItem* item = itemOf(command);
    return item ? keyName(item->key) : "";
}
