// SPDX-License-Identifier: MIT
#include "StatusLine.h"

#include "DataFolderSettings.h"
#include "MainMenu.h"
#include "WindowLog.h"

#include <QDir>
#include <QLabel>
#include <QStatusBar>

StatusLine::StatusLine(QStatusBar& bar) : text_(new QLabel(&bar))
{
    text_->setObjectName(QStringLiteral("statusText"));
    bar.addWidget(text_, 1);
}

void StatusLine::showFolder(const std::filesystem::path& dataDir)
{
    if (!DataFolderSettings::holdsDataFile(dataDir)) {
        text_->setText(QStringLiteral("corp.txt と runner.txt のあるフォルダを ") + openFolderCommand() +
                       QStringLiteral(" で選んでください"));
        return;
    }
    const QString folder = QString::fromStdU16String(dataDir.u16string());
    text_->setText(QStringLiteral("データフォルダ: ") + QDir::toNativeSeparators(QDir(folder).absolutePath()));
}

void StatusLine::showSample()
{
    text_->setText(QStringLiteral("サンプルのカードを表示しています: 自分のカードは ") + openFolderCommand() +
                   QStringLiteral(" で"));
}

QString StatusLine::openFolderCommand()
{
    return QString::fromStdString(menuPath(ID_OPEN_FOLDER)) + QStringLiteral(" (") +
           QString::fromStdString(keyNameOf(ID_OPEN_FOLDER)) + u')';
}

void StatusLine::noteOpenFailure(const QString& path)
{
    openFailure_ = QStringLiteral("データファイルをオープンできない: ") + path;
    text_->setText(openFailure_);
}

void StatusLine::showList(const ListStatus& status, std::optional<std::size_t> shown, const QString& unholdable,
                          bool filterCut, const QString& filterNotes)
{
    text_->setText(listText(status, shown, unholdable, filterCut, filterNotes));
}

QString StatusLine::listText(const ListStatus& status, std::optional<std::size_t> shown, const QString& unholdable,
                             bool filterCut, const QString& filterNotes) const
{
    return status.text(shown, unholdable, filterCut) + filterNotes +
           (openFailure_.isEmpty() ? QString() : u'、' + openFailure_);
}

void StatusLine::noteSettingsNotWritten(const QString& file)
{
    qCWarning(lcWindow, "the settings could not be written to %s", qUtf8Printable(file));
    unwritableSettings_ = QDir::toNativeSeparators(file);
    const QString before = text_->text();
    text_->setText((before.isEmpty() ? before : before + u'、') + QStringLiteral("設定を保存できない: ") +
                   unwritableSettings_);
}

void StatusLine::showText(const QString& text)
{
    text_->setText(text);
}
