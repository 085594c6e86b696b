// SPDX-License-Identifier: MIT
#include "WindowSettings.h"

#include "Cp932Text.h"
#include "ProfileStore.h"
#include "WindowLog.h"

namespace {

const QString kRect = QStringLiteral("rect");
const QString kSearch = QStringLiteral("search");
const QString kView = QStringLiteral("view");
const QString kFilter = QStringLiteral("filter");
const QString kData = QStringLiteral("data");
const QString kFold = QStringLiteral("fold");

// Values the program never writes would index the dialog's radio tables.
int sideOrZero(int side)
{
    return (side == 0 || side == 1) ? side : 0;
}

card::search_mode modeOrExact(int mode)
{
    using enum card::search_mode;
    return (mode >= int(Exact) && mode <= int(Partial)) ? card::search_mode(mode) : Exact;
}

// Shown unless stored as 0: anything else was not written here.
bool onUnlessZero(const ProfileStore& store, const QString& group, const QString& key)
{
    return store.getProfileInt(group, key, 1) != 0;
}

WindowRect loadRect(const ProfileStore& store)
{
    WindowRect rect;
    rect.left = store.getProfileInt(kRect, QStringLiteral("left"), rect.left);
    rect.top = store.getProfileInt(kRect, QStringLiteral("top"), rect.top);
    rect.right = store.getProfileInt(kRect, QStringLiteral("right"), rect.right);
    rect.bottom = store.getProfileInt(kRect, QStringLiteral("bottom"), rect.bottom);
    return rect;
}

card::SearchCriteria loadCriteria(const ProfileStore& store)
{
    card::SearchCriteria criteria;
    // A stored text that CP932 cannot hold was not typed here: no name.
    criteria.name = toCp932(store.getProfileString(kSearch, QStringLiteral("key"))).value_or("");
    criteria.side = sideOrZero(store.getProfileInt(kSearch, QStringLiteral("type"), 0));
    criteria.mode = modeOrExact(store.getProfileInt(kSearch, QStringLiteral("mode"), 0));
    // Written as 0 or 1; anything else was not written here: off.
    criteria.fold = store.getProfileInt(kSearch, kFold, 0) == 1;
    return criteria;
}

void saveRect(ProfileStore& store, const WindowRect& rect)
{
    store.writeProfileInt(kRect, QStringLiteral("left"), rect.left);
    store.writeProfileInt(kRect, QStringLiteral("top"), rect.top);
    store.writeProfileInt(kRect, QStringLiteral("right"), rect.right);
    store.writeProfileInt(kRect, QStringLiteral("bottom"), rect.bottom);
}

void saveCriteria(ProfileStore& store, const card::SearchCriteria& criteria)
{
    store.writeProfileString(kSearch, QStringLiteral("key"), fromCp932(criteria.name));
    store.writeProfileInt(kSearch, QStringLiteral("type"), criteria.side);
    store.writeProfileInt(kSearch, QStringLiteral("mode"), static_cast<int>(criteria.mode));
    store.writeProfileInt(kSearch, kFold, criteria.fold ? 1 : 0);
}

// The settings file when it could not be written, else empty. A file
// replaced because it could not be read is said on standard error: what it
// held is gone, but nothing failed.
QString flushed(ProfileStore& store)
{
    if (!store.flush())
        return store.fileName();
    if (store.replacedUnreadable())
        qCWarning(lcWindow, "the settings file %s could not be read; it was written anew", qUtf8Printable(store.fileName()));
    return {};
}

}  // namespace

WindowSettings WindowSettings::load()
{
    const ProfileStore store;
    WindowSettings settings;
    settings.rect = loadRect(store);
    settings.criteria = loadCriteria(store);
    settings.statusBar = onUnlessZero(store, kView, QStringLiteral("statusbar"));
    settings.filterBar = onUnlessZero(store, kView, QStringLiteral("filterbar"));
    settings.filterFold = onUnlessZero(store, kFilter, kFold);
    settings.columns = store.getProfileString(kView, QStringLiteral("columns"));
    settings.dataFolder = store.getProfileString(kData, QStringLiteral("folder"));
    return settings;
}

QString WindowSettings::save() const
{
    ProfileStore store;
    if (rect)
        saveRect(store, *rect);
    saveCriteria(store, criteria);
    store.writeProfileInt(kView, QStringLiteral("statusbar"), statusBar ? 1 : 0);
    store.writeProfileInt(kView, QStringLiteral("filterbar"), filterBar ? 1 : 0);
    store.writeProfileInt(kFilter, kFold, filterFold ? 1 : 0);
    store.writeProfileString(kView, QStringLiteral("columns"), columns);
    if (!dataFolder.isEmpty())
        store.writeProfileString(kData, QStringLiteral("folder"), dataFolder);
    return flushed(store);
}

QString WindowSettings::saveDataFolder(const QString& folder)
{
    ProfileStore store;
    store.writeProfileString(kData, QStringLiteral("folder"), folder);
    return flushed(store);
}
