// SPDX-License-Identifier: MIT
#include "SavedFiltersDialog.h"

#include <QDialogButtonBox>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
constexpr int kEntryRole = Qt::UserRole;  // the entry's index in the saved filters
}

SavedFiltersDialog::SavedFiltersDialog(const SavedFilters& saved, QWidget* parent)
    : QDialog(parent), saved_(saved), list_(new QListWidget(this))
{
    setWindowTitle(QStringLiteral("保存した絞り込みの整理"));
    list_->setObjectName(QStringLiteral("savedFilterList"));
    for (qsizetype i = 0; i < saved.entries.size(); ++i) {
        auto* item = new QListWidgetItem(saved.entries[i].name, list_);
        item->setToolTip(saved.entries[i].text);
        item->setData(kEntryRole, int(i));
        item->setFlags(item->flags() | Qt::ItemIsEditable);
    }
    list_->setCurrentRow(0);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    QPushButton* rename = buttons->addButton(QStringLiteral("名前の変更"), QDialogButtonBox::ActionRole);
    QPushButton* remove = buttons->addButton(QStringLiteral("削除"), QDialogButtonBox::ActionRole);
    rename->setObjectName(QStringLiteral("renameSavedFilter"));
    remove->setObjectName(QStringLiteral("deleteSavedFilter"));
    connect(rename, &QPushButton::clicked, this, [this] {
        if (QListWidgetItem* item = list_->currentItem())
            list_->editItem(item);
    });
    connect(remove, &QPushButton::clicked, this, &SavedFiltersDialog::removeCurrent);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(list_);
    layout->addWidget(buttons);
}

void SavedFiltersDialog::removeCurrent()
{
    delete list_->currentItem();
}

SavedFilters SavedFiltersDialog::result() const
{
    SavedFilters out;
    for (int row = 0; row < list_->count(); ++row) {
        const QListWidgetItem* item = list_->item(row);
        SavedFilters::Entry entry = saved_.entries[item->data(kEntryRole).toInt()];
        if (!item->text().isEmpty())
            entry.name = item->text();
        out.entries.append(entry);
    }
    return out;
}
