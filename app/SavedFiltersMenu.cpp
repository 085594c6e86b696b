// SPDX-License-Identifier: MIT
#include "SavedFiltersMenu.h"

#include "FilterBar.h"
#include "SavedFiltersDialog.h"

#include <QAction>
#include <QInputDialog>
#include <QMenu>

SavedFiltersMenu::SavedFiltersMenu(QMenu* viewMenu, FilterBar* bar, QWidget* window)
    : QObject(window), bar_(bar), window_(window), saved_(SavedFilters::load())
{
    viewMenu->addSeparator();
    save_ = viewMenu->addAction(QStringLiteral("絞り込みを保存..."));
    save_->setObjectName(QStringLiteral("saveFilter"));
    savedMenu_ = viewMenu->addMenu(QStringLiteral("保存した絞り込み"));
    savedMenu_->setObjectName(QStringLiteral("savedFilters"));
    connect(save_, &QAction::triggered, this, &SavedFiltersMenu::saveCurrentText);
    // Nothing to save while the box is empty.
    connect(viewMenu, &QMenu::aboutToShow, this, [this] { save_->setEnabled(!bar_->text().trimmed().isEmpty()); });
    connect(savedMenu_, &QMenu::aboutToShow, this, &SavedFiltersMenu::fillSavedMenu);
    fillSavedMenu();
}

// "&" is text in a name, not the mark of a key.
void SavedFiltersMenu::fillSavedMenu()
{
    savedMenu_->clear();
    for (const SavedFilters::Entry& entry : saved_.entries) {
        QAction* item = savedMenu_->addAction(QString(entry.name).replace(u'&', QStringLiteral("&&")));
        item->setToolTip(entry.text);
        const QString text = entry.text;
        connect(item, &QAction::triggered, this, [this, text] { bar_->setText(text); });
    }
    if (!saved_.entries.isEmpty())
        savedMenu_->addSeparator();
    QAction* organise = savedMenu_->addAction(QStringLiteral("整理..."));
    organise->setObjectName(QStringLiteral("organiseFilters"));
    organise->setEnabled(!saved_.entries.isEmpty());
    connect(organise, &QAction::triggered, this, &SavedFiltersMenu::organise);
}

void SavedFiltersMenu::saveCurrentText()
{
    const QString text = bar_->text();
    if (text.trimmed().isEmpty())
        return;
    bool ok = false;
    const QString name = QInputDialog::getText(window_, QStringLiteral("絞り込みを保存"), QStringLiteral("名前:"),
                                               QLineEdit::Normal, text, &ok);
    if (!ok || name.isEmpty())
        return;
    saved_.put(name, text);
    store();
}

void SavedFiltersMenu::organise()
{
    SavedFiltersDialog dialog(saved_, window_);
    if (dialog.exec() != QDialog::Accepted)
        return;
    saved_ = dialog.result();
    store();
}

void SavedFiltersMenu::store()
{
    fillSavedMenu();
    if (const QString unwritten = saved_.save(); !unwritten.isEmpty())
        emit notWritten(unwritten);
}
