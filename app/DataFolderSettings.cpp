// SPDX-License-Identifier: MIT
#include "DataFolderSettings.h"

#include "CardLayout.h"
#include "ProfileStore.h"

namespace {

const QString kData = QStringLiteral("data");
const QString kFolder = QStringLiteral("folder");

bool isFolder(const std::filesystem::path& path)
{
    std::error_code error;
    return !path.empty() && std::filesystem::is_directory(path, error);
}

bool holdsDataFile(const std::filesystem::path& folder)
{
    std::error_code error;
    for (const char* file : card::datafiles) {
        if (std::filesystem::is_regular_file(folder / file, error))
            return true;
    }
    return false;
}

}  // namespace

std::filesystem::path DataFolderSettings::toPath(const QString& folder)
{
    return std::filesystem::path(folder.toStdU16String());
}

DataFolderSettings::Start DataFolderSettings::atStart(const QString& argument, const std::filesystem::path& current)
{
    if (!argument.isEmpty()) {
        const std::filesystem::path given = toPath(argument);
        if (isFolder(given))
            return {given};
        return {current, true};
    }
    if (holdsDataFile(current))
        return {current};
    // A folder removed or renamed since is no error: the current one serves.
    const std::filesystem::path stored = toPath(ProfileStore().getProfileString(kData, kFolder));
    return {isFolder(stored) ? stored : current};
}

void DataFolderSettings::remember(const QString& folder)
{
    ProfileStore store;
    store.writeProfileString(kData, kFolder, folder);
    // Like every settings write, a failure is not reported.
    store.flush();
}
