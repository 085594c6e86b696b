// SPDX-License-Identifier: MIT
#include "WindowSettings.h"

#include "Cp932Text.h"
#include "ProfileStore.h"
#include "SettingsKey.h"
#include "WindowLog.h"

#include <utility>

namespace {

constexpr SettingsKey kLeft{"rect", "left"};
constexpr SettingsKey kTop{"rect", "top"};
constexpr SettingsKey kRight{"rect", "right"};
constexpr SettingsKey kBottom{"rect", "bottom"};
constexpr SettingsKey kSearchName{"search", "key"};
constexpr SettingsKey kSearchSide{"search", "type"};
constexpr SettingsKey kSearchMode{"search", "mode"};
constexpr SettingsKey kSearchFold{"search", "fold"};
constexpr SettingsKey kStatusBar{"view", "statusbar"};
constexpr SettingsKey kFilterBar{"view", "filterbar"};
constexpr SettingsKey kListAtStart{"view", "liststart"};
constexpr SettingsKey kColumns{"view", "columns"};
constexpr SettingsKey kFilterFold{"filter", "fold"};
constexpr SettingsKey kDataFolder{"data", "folder"};

// Values the program never writes would index the dialog's radio tables.
int sideOr(int side, int fallback)
{
    return (side == 0 || side == 1) ? side : fallback;
}

card::search_mode modeOr(int mode, card::search_mode fallback)
{
    using enum card::search_mode;
    return (mode >= int(Exact) && mode <= int(Partial)) ? card::search_mode(mode) : fallback;
}

WindowRect loadRect(const ProfileStore& store)
{
    WindowRect rect;
    rect.left = kLeft.readInt(store, rect.left);
    rect.top = kTop.readInt(store, rect.top);
    rect.right = kRight.readInt(store, rect.right);
    rect.bottom = kBottom.readInt(store, rect.bottom);
    return rect;
}

card::SearchCriteria loadCriteria(const ProfileStore& store)
{
    card::SearchCriteria criteria;
    // A stored text that CP932 cannot hold was not typed here: no name.
    criteria.name = toCp932(kSearchName.readString(store)).value_or("");
    criteria.side = sideOr(kSearchSide.readInt(store, criteria.side), criteria.side);
    criteria.mode = modeOr(kSearchMode.readInt(store, int(criteria.mode)), criteria.mode);
    criteria.fold = kSearchFold.readSwitch(store, criteria.fold);
    return criteria;
}

void saveRect(ProfileStore& store, const WindowRect& rect)
{
    kLeft.write(store, rect.left);
    kTop.write(store, rect.top);
    kRight.write(store, rect.right);
    kBottom.write(store, rect.bottom);
}

void saveCriteria(ProfileStore& store, const card::SearchCriteria& criteria)
{
    kSearchName.write(store, fromCp932(criteria.name));
    kSearchSide.write(store, criteria.side);
    kSearchMode.write(store, static_cast<int>(criteria.mode));
    kSearchFold.write(store, criteria.fold ? 1 : 0);
}

// The settings file when it could not be written, else empty. A file
// replaced because it could not be read is said on standard error: what it
// held is gone, but nothing failed.
QString flushed(ProfileStore& store)
{
    if (!store.flush())
        return store.fileName();
    if (std::exchange(ProfileStore::replacedUnreadable(), false))
        qCWarning(lcWindow, "the settings file %s could not be read; it was written anew", qUtf8Printable(store.fileName()));
    return {};
}

}  // namespace

// What is not stored, or stored as the program never writes it, reads as the
// default of the member.
WindowSettings WindowSettings::load()
{
    const ProfileStore store;
    WindowSettings settings;
    settings.rect = loadRect(store);
    settings.criteria = loadCriteria(store);
    settings.statusBar = kStatusBar.readSwitch(store, settings.statusBar);
    settings.filterBar = kFilterBar.readSwitch(store, settings.filterBar);
    settings.filterFold = kFilterFold.readSwitch(store, settings.filterFold);
    settings.listAtStart = kListAtStart.readSwitch(store, settings.listAtStart);
    settings.columns = kColumns.readString(store);
    settings.dataFolder = kDataFolder.readString(store);
    return settings;
}

QString WindowSettings::save() const
{
    ProfileStore store;
    if (rect)
        saveRect(store, *rect);
    saveCriteria(store, criteria);
    kStatusBar.write(store, statusBar ? 1 : 0);
    kFilterBar.write(store, filterBar ? 1 : 0);
    kFilterFold.write(store, filterFold ? 1 : 0);
    kListAtStart.write(store, listAtStart ? 1 : 0);
    kColumns.write(store, columns);
    if (!dataFolder.isEmpty())
        kDataFolder.write(store, dataFolder);
    return flushed(store);
}

QString WindowSettings::saveDataFolder(const QString& folder)
{
    ProfileStore store;
    kDataFolder.write(store, folder);
    return flushed(store);
}
