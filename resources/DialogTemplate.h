// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <span>

// A dialog layout as data: the window, its font and its controls in tab
// order, every coordinate in dialog units (a quarter of the font's average
// character width across, an eighth of its height down).

enum class ControlKind {
    Label,  // static text
    Edit,   // single-line field; multi-line with EditMultiLine
    PushButton,
    GroupBox,
    RadioButton,  // automatic: a group runs from one StartsGroup to the next
    CheckBox,     // automatic: a click toggles it
    ComboBox,     // editable field with a drop-down list
    Icon,         // shows the icon the text names; sized by the icon
};

// Control style flags.
enum ControlStyle : std::uint32_t {
    StyleNone = 0,
    StyleTabStop = 1u << 0,
    StyleStartsGroup = 1u << 1,
    StyleDefaultButton = 1u << 2,
    StyleNoWordWrap = 1u << 3,  // label: one line, clipped at its right edge
    StyleBorder = 1u << 4,
    StyleAutoHScroll = 1u << 5,  // field scrolls sideways instead of stopping
    StyleMultiLine = 1u << 6,
    StyleReadOnly = 1u << 7,
    StyleVScroll = 1u << 8,
};

// Dialog window style flags.
enum DialogStyle : std::uint32_t {
    DialogNone = 0,
    DialogCaption = 1u << 0,
    DialogSystemMenu = 1u << 1,
    DialogModalFrame = 1u << 2,
    DialogThinBorder = 1u << 3,
    DialogVisible = 1u << 4,
};

// A control without an id of its own.
inline constexpr int kStaticId = -1;
// The ids of the OK and Cancel buttons, which are also the results a dialog
// ends with when they are pressed.
inline constexpr int IDOK = 1;
inline constexpr int IDCANCEL = 2;

struct ControlTemplate {
    ControlKind kind;
    int id;            // kStaticId for labels and boxes nobody addresses
    const char* text;  // UTF-8; "" for none
    int x, y, width, height;
    std::uint32_t style;
};

struct DialogTemplate {
    int id;
    const char* caption;  // UTF-8
    std::uint32_t style;
    const char* fontName;  // UTF-8
    int pointSize;
    int x, y, width, height;
    std::span<const ControlTemplate> controls;
};
