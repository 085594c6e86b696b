#include "AppIcon.h"

#include <QString>

// The resource lives in a static library, so nothing registers it unless
// someone asks; the initialiser is declared at global scope.
static void ensureIconResource()
{
    static const bool registered = [] {
        Q_INIT_RESOURCE(resources);
        return true;
    }();
    (void)registered;
}

QIcon appIcon()
{
    ensureIconResource();
    return QIcon(QStringLiteral(":/icons/appicon.png"));
}
