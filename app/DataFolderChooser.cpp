// SPDX-License-Identifier: MIT
#include "DataFolderChooser.h"

#include "CardLayout.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>

namespace {

// "カードファイル (corp.txt runner.txt)": the system's dialog shows these files alone.
QString cardFileFilter()
{
    QStringList files;
    for (const char* file : card::datafiles)
        files << QString::fromLatin1(file);
    return QStringLiteral("カードファイル (%1)").arg(files.join(QLatin1Char(' ')));
}

QString firstCardFileIn(const QString& folder)
{
    for (const char* file : card::datafiles) {
        if (QFileInfo(QDir(folder).filePath(QString::fromLatin1(file))).isFile())
            return QString::fromLatin1(file);
    }
    return {};
}

}  // namespace

QString DataFolderChooser::choose(QWidget* parent, const QString& start)
{
    QFileDialog dialog(parent, QStringLiteral("データフォルダを開く"), start, cardFileFilter());
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    if (const QString file = firstCardFileIn(start); !file.isEmpty())
        dialog.selectFile(file);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return QFileInfo(dialog.selectedFiles().constFirst()).absolutePath();
}
