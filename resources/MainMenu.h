// SPDX-License-Identifier: MIT
#pragma once

#include <span>
#include <string>
#include <vector>

// The menu bar "MAINMENU" and the accelerator table "MAINACCEL" as data.

// Keys of the accelerator table, and those of the window that no menu item
// shows: Ctrl+F to the filter box, Alt+F4 the close box's.
enum class AcceleratorKey { None, F1, Enter, F5, CtrlO, CtrlF, AltF4 };

// The key's name as the menu and the hints show it: "Ctrl+O".
const char* keyName(AcceleratorKey key);
// The key sequences it stands for, in Qt's portable key text, "; " between
// them: "Return; Enter" (keypad Enter too).
const char* keySequences(AcceleratorKey key);

// One menu item. A separator has no text and command 0. The text marks its
// mnemonic with '&'. A checkable item shows a check mark while what it
// switches is on. The item's key is its entry in the accelerator table, and
// is named in the menu after a TAB unless `keyShown` is false.
struct MenuItem {
    const char* text;  // UTF-8; nullptr for a separator
    int command;
    bool checkable = false;
    AcceleratorKey key = AcceleratorKey::None;
    bool keyShown = true;

    bool isSeparator() const { return text == nullptr; }
};

struct MenuPopup {
    const char* text;  // UTF-8, with its '&' mnemonic
    std::span<const MenuItem> items;
};

struct Accelerator {
    AcceleratorKey key;
    int command;
};

// Command ids.
inline constexpr int ID_ABOUT = 100;
inline constexpr int ID_EXIT = 101;
inline constexpr int ID_SEARCH = 102;
inline constexpr int ID_DETAIL = 103;
inline constexpr int ID_LIST_ALL = 104;
inline constexpr int ID_LIST_RUNNER = 105;
inline constexpr int ID_LIST_CORP = 106;
inline constexpr int ID_LEGEND = 107;
inline constexpr int ID_OPEN_FOLDER = 108;
inline constexpr int ID_STATUS_BAR = 109;
inline constexpr int ID_FILE_ORDER = 110;
inline constexpr int ID_FILTER_BAR = 111;
inline constexpr int ID_LIST_AT_START = 112;
inline constexpr int ID_READING_SORT = 113;

// The pop-ups of "MAINMENU" in menu-bar order.
std::span<const MenuPopup> mainMenu();

// The entries of "MAINACCEL": the keys of the menu's items, in menu order.
std::vector<Accelerator> mainAccelerators();

// The item's text as the menu shows it, UTF-8: with the name of its key
// after a TAB when it shows one.
std::string menuText(const MenuItem& item);

// Where a command stands, as a hint names it: "ファイル → データフォルダを開く"
// (no mnemonic, no "..."); empty for a command the menu lacks.
std::string menuPath(int command);
// The name of the command's key, or empty.
std::string keyNameOf(int command);
