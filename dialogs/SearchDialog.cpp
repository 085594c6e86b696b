// SPDX-License-Identifier: MIT
#include "SearchDialog.h"

#include "CardLayout.h"
#include "Cp932Text.h"
#include "DialogTemplates.h"
#include "MessageBox.h"
#include "SearchCriteria.h"
#include "TemplateDialogBuilder.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>

#include <algorithm>

namespace {

constexpr int kNameId = 208;
constexpr int kTypeId = 209;
constexpr int kRateId = 210;
constexpr int kFoldId = 207;
// The three text fields, in the order of the members they fill.
constexpr std::array<int, 3> kTextIds{kNameId, kTypeId, kRateId};

const QStringList& rarityNames()
{
    static const QStringList names = [] {
        QStringList rarities;
        for (std::string_view rarity : card::kRarityNames)
            rarities << QString::fromLatin1(rarity.data(), qsizetype(rarity.size()));
        return rarities;
    }();
    return names;
}

}  // namespace

SearchDialog::SearchDialog(QWidget* parent) : TemplateDialog(kSearchTemplateId, parent) {}

SearchDialog::~SearchDialog() = default;

void SearchDialog::OnInitDialog()
{
    dialogControl<QLineEdit>(*this, kNameId)->setText(fromCp932(criteria.name));
    dialogControl<QLineEdit>(*this, kTypeId)->setText(fromCp932(criteria.type));

    // Adding the first entry would select it; the field shows `rate` and no
    // entry is selected, whether or not the text is one of them.
    auto* rarity = dialogControl<QComboBox>(*this, kRateId);
    rarity->clear();
    rarity->addItems(rarityNames());
    rarity->setCurrentIndex(-1);
    rarity->setEditText(fromCp932(criteria.rate));

    checkRadioButton(side_ids, criteria.side);
    checkRadioButton(mode_ids, static_cast<int>(criteria.mode));
    dialogControl<QCheckBox>(*this, kFoldId)->setChecked(criteria.fold);
}

void SearchDialog::OnOK()
{
    // All three texts are checked before any criterion changes, so a
    // refused text leaves the criteria as the caller set them.
    const bool folded = dialogControl<QCheckBox>(*this, kFoldId)->isChecked();
    std::array<std::optional<std::string>, kTextIds.size()> texts;
    for (std::size_t i = 0; i < kTextIds.size(); ++i) {
        texts[i] = fieldText(kTextIds[i], folded);
        if (!texts[i]) {
            showMessageBox(this, QStringLiteral("検索文字列に使えない文字が含まれている"));
            dialogControl<QWidget>(*this, kTextIds[i])->setFocus();
            return;
        }
    }
    criteria.name = std::move(*texts[0]);
    criteria.type = std::move(*texts[1]);
    criteria.rate = std::move(*texts[2]);
    criteria.side = checkedIndex(side_ids);
    criteria.mode = static_cast<card::search_mode>(checkedIndex(mode_ids));
    criteria.fold = folded;
    TemplateDialog::OnOK();
}

// The field's text in CP932, cut to the byte limit; nullopt when it holds a
// character CP932 cannot hold. For a folded search a typed hiragana that
// CP932 lacks is taken as the katakana it folds to.
std::optional<std::string> SearchDialog::fieldText(int id, bool folded)
{
    QString text;
    if (id == kRateId)
        text = dialogControl<QComboBox>(*this, id)->currentText();
    else
        text = dialogControl<QLineEdit>(*this, id)->text();
    const std::optional<std::string> utf8 = exactUtf8(text);
    return utf8 ? card::searchTextFromUtf8(*utf8, folded) : std::nullopt;
}

QButtonGroup* SearchDialog::radioGroup(std::span<const int> ids) const
{
    return findChild<QButtonGroup*>(TemplateDialogBuilder::groupObjectName(ids.front()));
}

// Checks the button at `index` and clears the others; an index outside the
// table leaves the whole group unchecked rather than reading past it.
void SearchDialog::checkRadioButton(std::span<const int> ids, int index)
{
    QButtonGroup* group = radioGroup(ids);
    if (index >= 0 && static_cast<std::size_t>(index) < ids.size()) {
        group->button(ids[static_cast<std::size_t>(index)])->setChecked(true);
        return;
    }
    group->setExclusive(false);
    for (QAbstractButton* button : group->buttons())
        button->setChecked(false);
    group->setExclusive(true);
}

// The position of the checked button's id in `ids`; the table's size when
// no button of the group is checked.
int SearchDialog::checkedIndex(std::span<const int> ids) const
{
    const int checked = radioGroup(ids)->checkedId();
    const auto found = std::find(ids.begin(), ids.end(), checked);
    return static_cast<int>(found - ids.begin());
}
