// SPDX-License-Identifier: MIT
#pragma once

#include <QIcon>

// The program's icon "APPICON": two cards under a magnifying glass, in every
// size the desktop's icon theme has of it (16 to 256 px).
QIcon appIcon();

// The icon's resource name, as dialog templates refer to it.
inline constexpr const char* kAppIconName = "APPICON";
