// SPDX-License-Identifier: MIT
#include "DialogTemplates.h"

#include <algorithm>
#include <array>

namespace {

constexpr const char* kDialogFont = "ＭＳ 明朝";
constexpr int kDialogPointSize = 10;

constexpr std::uint32_t kModalStyle = DialogCaption | DialogSystemMenu | DialogModalFrame;

// The About box names the platform the program was built for.
#if defined(_WIN32)
constexpr const char* kPlatformLine = "For Win32";
#elif defined(__linux__)
constexpr const char* kPlatformLine = "For Linux";
#elif defined(__APPLE__)
constexpr const char* kPlatformLine = "For macOS";
#else
constexpr const char* kPlatformLine = "For Unix";
#endif

constexpr auto kAboutControls = std::to_array<ControlTemplate>({
    {ControlKind::Icon, kStaticId, "APPICON", 15, 14, 20, 18, StyleNone},
    {ControlKind::Label, kStaticId, "Voxtarn Card finder", 45, 10, 86, 8, StyleNone},
    {ControlKind::Label, kStaticId, kPlatformLine, 69, 23, 38, 8, StyleNone},
    {ControlKind::Label, kStaticId, "Version 0.3", 65, 36, 46, 8, StyleNone},
    {ControlKind::Label, kStaticId, "Kestrowe card team", 21, 63, 102, 8, StyleNone},
    {ControlKind::Label, kStaticId, "Copyright 2026", 25, 79, 94, 8, StyleNone},
    {ControlKind::PushButton, 1, "OK", 50, 102, 40, 14, StyleDefaultButton | StyleTabStop},
});

constexpr auto kDetailControls = std::to_array<ControlTemplate>({
    {ControlKind::PushButton, 1, "閉じる", 66, 171, 40, 14, StyleDefaultButton | StyleStartsGroup | StyleTabStop},
    {ControlKind::PushButton, 117, "記号説明", 124, 171, 40, 14, StyleTabStop},
    {ControlKind::Label, kStaticId, "カード名：", 5, 9, 39, 8, StyleNone},
    {ControlKind::Label, 111, "Text", 52, 9, 182, 8, StyleNoWordWrap},
    {ControlKind::Label, kStaticId, "タイプ：", 7, 25, 32, 8, StyleNone},
    {ControlKind::Label, 112, "Text", 43, 25, 191, 8, StyleNoWordWrap},
    {ControlKind::Edit, 113, "", 10, 42, 226, 81, StyleBorder | StyleVScroll | StyleMultiLine | StyleReadOnly},
    {ControlKind::Label, 114, "Text", 17, 126, 207, 8, StyleNone},
    {ControlKind::Label, kStaticId, "イラスト：", 5, 140, 39, 8, StyleNone},
    {ControlKind::Label, 115, "Text", 53, 140, 95, 8, StyleNone},
    {ControlKind::Label, kStaticId, "入手頻度：", 5, 156, 39, 8, StyleNone},
    {ControlKind::Label, 116, "Text", 53, 156, 91, 8, StyleNone},
});

constexpr auto kNoticeControls = std::to_array<ControlTemplate>({
    {ControlKind::Label, kStaticId, "ただいま検索中", 45, 20, 54, 8, StyleNone},
    {ControlKind::Label, kStaticId, "しばらくお待ち下さい", 34, 47, 77, 8, StyleNone},
});

constexpr auto kLegendControls = std::to_array<ControlTemplate>({
    {ControlKind::Label, kStaticId, "A", 16, 11, 6, 8, StyleNone},
    {ControlKind::Label, kStaticId, "T", 16, 28, 6, 8, StyleNone},
    {ControlKind::Label, kStaticId, "[X]", 16, 44, 14, 8, StyleNone},
    {ControlKind::Label, kStaticId, "１アクションを意味する", 36, 11, 84, 8, StyleNone},
    {ControlKind::Label, kStaticId, "そのカードを捨てる事を意味する", 36, 28, 114, 8, StyleNone},
    {ControlKind::Label, kStaticId, "Xビットを費やす事を意味する", 38, 44, 103, 8, StyleNone},
    {ControlKind::Label, kStaticId, "*", 16, 62, 6, 8, StyleNone},
    {ControlKind::Label, kStaticId, "ice上のサブルーチンを意味する", 38, 62, 111, 8, StyleNone},
    {ControlKind::Label, kStaticId, "-", 16, 78, 6, 8, StyleNone},
    {ControlKind::Label, kStaticId, "トレースを意味する", 38, 78, 69, 8, StyleNone},
    {ControlKind::PushButton, 1, "閉じる", 58, 102, 40, 14, StyleDefaultButton | StyleTabStop},
});

constexpr std::uint32_t kFieldStyle = StyleBorder | StyleAutoHScroll | StyleStartsGroup | StyleTabStop;

constexpr auto kSearchControls = std::to_array<ControlTemplate>({
    {ControlKind::GroupBox, kStaticId, "検索文字列", 11, 7, 169, 78, StyleNone},
    {ControlKind::Label, kStaticId, "カード名称", 18, 25, 39, 8, StyleNone},
    {ControlKind::Edit, 208, "", 69, 23, 83, 12, kFieldStyle},
    {ControlKind::Label, kStaticId, "カード種類", 18, 42, 39, 8, StyleNone},
    {ControlKind::Edit, 209, "", 69, 39, 83, 12, kFieldStyle},
    {ControlKind::Label, kStaticId, "入手頻度", 18, 61, 32, 8, StyleNone},
    {ControlKind::ComboBox, 210, "", 69, 61, 90, 41, StyleAutoHScroll | StyleStartsGroup | StyleTabStop},
    {ControlKind::GroupBox, kStaticId, "カード種別", 17, 89, 141, 45, StyleNone},
    {ControlKind::RadioButton, 202, kSideNames[0], 48, 102, 70, 10, StyleStartsGroup | StyleTabStop},
    {ControlKind::RadioButton, 203, kSideNames[1], 48, 118, 40, 10, StyleTabStop},
    {ControlKind::GroupBox, kStaticId, "検索方法", 18, 142, 119, 65, StyleNone},
    {ControlKind::RadioButton, 204, kModeNames[0], 59, 157, 41, 10, StyleStartsGroup | StyleTabStop},
    {ControlKind::RadioButton, 205, kModeNames[1], 59, 172, 41, 10, StyleTabStop},
    {ControlKind::RadioButton, 206, kModeNames[2], 59, 188, 40, 10, StyleTabStop},
    {ControlKind::CheckBox, 207, "かなと全角半角を区別しない", 18, 213, 150, 10, StyleStartsGroup | StyleTabStop},
    {ControlKind::PushButton, 1, "OK", 147, 152, 40, 14, StyleDefaultButton | StyleStartsGroup | StyleTabStop},
    {ControlKind::PushButton, 2, "Cancel", 146, 182, 40, 14, StyleTabStop},
});

constexpr auto kTemplates = std::to_array<DialogTemplate>({
    {kAboutTemplateId, "このプログラムの主張", kModalStyle, kDialogFont, kDialogPointSize, 20, 40, 145, 125,
     kAboutControls},
    {kDetailTemplateId, "カード", kModalStyle, kDialogFont, kDialogPointSize, 9, 19, 243, 192, kDetailControls},
    {kNoticeTemplateId, "", DialogThinBorder | DialogModalFrame | DialogVisible, kDialogFont, kDialogPointSize, 86, 29,
     147, 70, kNoticeControls},
    {kLegendTemplateId, "テキスト内の記号説明", kModalStyle, kDialogFont, kDialogPointSize, 75, 38, 161, 125,
     kLegendControls},
    {kSearchTemplateId, "検索", kModalStyle, kDialogFont, kDialogPointSize, 40, 20, 199, 229, kSearchControls},
});

}  // namespace

const DialogTemplate* findDialogTemplate(int id)
{
    const auto found =
        std::find_if(kTemplates.begin(), kTemplates.end(), [id](const DialogTemplate& t) { return t.id == id; });
    return found == kTemplates.end() ? nullptr : &*found;
}

std::span<const DialogTemplate> allDialogTemplates()
{
    return kTemplates;
}
