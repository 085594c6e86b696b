// SPDX-License-Identifier: MIT
#pragma once

#include "DialogTemplate.h"

#include <array>

// The program's five dialog layouts.
inline constexpr int kAboutTemplateId = 100;
inline constexpr int kDetailTemplateId = 110;
inline constexpr int kNoticeTemplateId = 160;
inline constexpr int kLegendTemplateId = 170;
inline constexpr int kSearchTemplateId = 200;

// The search dialog's names of the sides (by side index) and of the search
// modes (by search_mode), which the status bar repeats.
inline constexpr std::array<const char*, 2> kSideNames = {"コーポレーション", "ランナー"};
inline constexpr std::array<const char*, 3> kModeNames = {"完全一致", "前方一致", "部分一致"};

// The template with `id`, or nullptr when there is none.
const DialogTemplate* findDialogTemplate(int id);

// All templates, for tools that show every dialog.
std::span<const DialogTemplate> allDialogTemplates();
