// SPDX-License-Identifier: MIT
#pragma once

#include <QLoggingCategory>

// The window's diagnostic messages: on standard error, never in the way of
// the user; QT_LOGGING_RULES="voxtarn.window.warning=false" silences them.
Q_DECLARE_LOGGING_CATEGORY(lcWindow)
