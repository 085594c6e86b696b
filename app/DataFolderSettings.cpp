// SPDX-License-Identifier: MIT
#include "DataFolderSettings.h"

#include "CardLayout.h"
#include "WindowSettings.h"

namespace {

bool isFolder(const std::filesystem::path& path)
{
    std::error_code error;
    return !path.empty() && std::filesystem::is_directory(path, error);
}

bool isFile(const std::filesystem::path& path)
{
    std::error_code error;
    return !path.empty() && std::filesystem::is_regular_file(path, error);
}

// "corp.txt" alone names a file of the current folder.
std::filesystem::path folderOf(const std::filesystem::path& file)
{
    return file.has_parent_path() ? file.parent_path() : std::filesystem::path(".");
}

}  // namespace

bool DataFolderSettings::holdsDataFile(const std::filesystem::path& folder)
{
    for (const char* file : card::datafiles) {
        if (isFile(folder / file))
            return true;
    }
    return false;
}

std::filesystem::path DataFolderSettings::toPath(const QString& folder)
{
    return std::filesystem::path(folder.toStdU16String());
}

DataFolderSettings::Start DataFolderSettings::atStart(const QString& argument, const std::filesystem::path& current,
                                                      const QString& sample)
{
    if (!argument.isEmpty()) {
        const std::filesystem::path given = toPath(argument);
        if (isFolder(given))
            return {given, false, true};
        if (isFile(given))
            return {folderOf(given), false, true};
        return {current, true};
    }
    if (holdsDataFile(current))
        return {current};
    // A folder removed or renamed since is no error: the sample serves, as
    // before the first folder was opened.
    const std::filesystem::path stored = toPath(WindowSettings::load().dataFolder);
    if (isFolder(stored))
        return {stored};
    if (!sample.isEmpty())
        return {toPath(sample), false, false, true};
    return {current};
}

QString DataFolderSettings::remember(const QString& folder)
{
    return WindowSettings::saveDataFolder(folder);
}
