#pragma once

#include <QIcon>

// The program's icon "APPICON": a card under a magnifying glass, 32 x 32.
QIcon appIcon();

// The icon's resource name, as dialog templates refer to it.
inline constexpr const char* kAppIconName = "APPICON";
