// SPDX-License-Identifier: MIT
#pragma once

#include "DialogTemplate.h"

// The program's five dialog layouts.
inline constexpr int kAboutTemplateId = 100;
inline constexpr int kDetailTemplateId = 110;
inline constexpr int kNoticeTemplateId = 160;
inline constexpr int kLegendTemplateId = 170;
inline constexpr int kSearchTemplateId = 200;

// The template with `id`, or nullptr when there is none.
const DialogTemplate* findDialogTemplate(int id);

// All templates, for tools that show every dialog.
std::span<const DialogTemplate> allDialogTemplates();
