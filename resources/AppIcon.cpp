// SPDX-License-Identifier: MIT
#include "AppIcon.h"

#include <QString>

// The resource lives in a static library, so nothing registers it unless
// someone asks; the initialiser is declared at global scope.
static void ensureIconResource()
{
    static const bool registered = [] {
        Q_INIT_RESOURCE(appicon);
        return true;
    }();
    (void)registered;
}

QIcon appIcon()
{
    ensureIconResource();
    // One file per size: each small size is its own rendering, never a
    // larger picture scaled down.
    QIcon icon;
    for (int size : {16, 24, 32, 48, 64, 128, 256})
        icon.addFile(QStringLiteral(":/icons/%1.png").arg(size), QSize(size, size));
    return icon;
}
