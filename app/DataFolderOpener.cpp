// SPDX-License-Identifier: MIT
#include "DataFolderOpener.h"

#include "CardLister.h"
#include "DataFolderChooser.h"
#include "DataFolderSettings.h"

#include <QDir>
#include <QWidget>

DataFolderOpener::DataFolderOpener(QWidget& window, card::CardLister& lister)
    : QObject(&window), window_(window), lister_(lister)
{
}

void DataFolderOpener::choose()
{
    const QString current = readsSample_ ? QDir::currentPath()
                                         : QDir(QString::fromStdU16String(lister_.dataDir().u16string())).absolutePath();
    const QString folder = DataFolderChooser::choose(&window_, current);
    if (!folder.isEmpty())
        open(folder);
}

void DataFolderOpener::open(const QString& folder)
{
    lister_.setDataDir(DataFolderSettings::toPath(folder));
    readsSample_ = false;
    emit opened();
    unremembered_.clear();
    if (const QString unwritten = DataFolderSettings::remember(folder); !unwritten.isEmpty()) {
        unremembered_ = folder;
        emit settingsNotWritten(unwritten);
    }
}
