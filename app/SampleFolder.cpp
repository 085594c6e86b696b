// SPDX-License-Identifier: MIT
#include "SampleFolder.h"

#include "DataFolderSettings.h"

#include <QDir>

QString SampleFolder::of(const QString& programFolder)
{
    const QDir program(programFolder);
    for (const QString& relative : {QStringLiteral("sample"), QStringLiteral(VOXTARN_INSTALLED_SAMPLES)}) {
        const QString folder = QDir::cleanPath(program.absoluteFilePath(relative));
        if (DataFolderSettings::holdsDataFile(DataFolderSettings::toPath(folder)))
            return folder;
    }
    return {};
}
