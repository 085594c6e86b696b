// SPDX-License-Identifier: MIT
#include "StatusLine.h"

#include "CardLister.h"
#include "DataFolderSettings.h"
#include "ListFilter.h"
#include "MainMenu.h"
#include "WindowLog.h"

#include <QDir>
#include <QLabel>
#include <QStatusBar>

StatusLine::StatusLine(QStatusBar& bar, const card::CardLister& lister, const ListFilter& filter)
    : lister_(lister), filter_(filter), text_(new QLabel(&bar))
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

void StatusLine::listMade(ListStatus::Source source, const card::SearchCriteria& criteria)
{
    listSource_ = source;
    criteria_ = criteria;
    showList();
}

void StatusLine::showList()
{
    if (listSource_)
        text_->setText(listText(filter_.notes()));
}

QString StatusLine::listText() const
{
    return listSource_ ? listText(QString()) : QString();
}

QString StatusLine::listText(const QString& filterNotes) const
{
    const ListStatus status{*listSource_, lister_.lineCount(), criteria_, lister_.earlyEnds()};
    return status.text(filter_.shownLines(), filter_.unholdable(), filter_.textCut()) + filterNotes +
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
