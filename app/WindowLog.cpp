// SPDX-License-Identifier: MIT
#include "WindowLog.h"

Q_LOGGING_CATEGORY(lcWindow, "voxtarn.window")
