#include "SearchDialog.h"

#include "Cp932Text.h"
#include "DialogTemplates.h"
#include "MessageBox.h"
#include "ShiftJis.h"
#include "TemplateDialogBuilder.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QComboBox>
#include <QLineEdit>

#include <algorithm>

namespace {

constexpr int kNameId = 208;
constexpr int kTypeId = 209;
constexpr int kRateId = 210;
constexpr int kOk = 1;
constexpr int kCancel = 2;

// A field gives back at most 254 bytes, cut at a character boundary.
constexpr std::size_t kFieldByteLimit = 254;

const QStringList& rarityNames()
{
    static const QStringList names{QStringLiteral("Common"), QStringLiteral("Uncommon"),
                                   QStringLiteral("Vital"), QStringLiteral("Rare")};
    return names;
}

QString controlName(int id)
{
    return QStringLiteral("id%1").arg(id);
}

}  // namespace

SearchDialog::SearchDialog(QWidget* parent)
    : QDialog(parent)
{
    TemplateDialogBuilder::buildFromResources(*this, kSearchTemplateId);
}

SearchDialog::~SearchDialog() = default;

int SearchDialog::DoModal()
{
    OnInitDialog();
    return exec();
}

bool SearchDialog::OnInitDialog()
{
    findChild<QLineEdit*>(controlName(kNameId))->setText(fromCp932(name));
    findChild<QLineEdit*>(controlName(kTypeId))->setText(fromCp932(type));

    // Adding the first entry would select it; the field shows `rate` and no
    // entry is selected, whether or not the text is one of them.
    auto* rarity = findChild<QComboBox*>(controlName(kRateId));
    rarity->clear();
    rarity->addItems(rarityNames());
    rarity->setCurrentIndex(-1);
    rarity->setEditText(fromCp932(rate));

    checkRadioButton(side_ids, side);
    checkRadioButton(mode_ids, mode);
    return true;
}

void SearchDialog::OnOK()
{
    // All three texts are checked before any member changes, so a refused
    // text leaves the members as the caller set them.
    std::array<std::optional<std::string>, 3> texts{fieldText(kNameId), fieldText(kTypeId),
                                                     fieldText(kRateId)};
    for (std::size_t i = 0; i < texts.size(); ++i) {
        if (!texts[i]) {
            showMessageBox(this, QStringLiteral("検索文字列に使えない文字が含まれている"));
            const int ids[] = {kNameId, kTypeId, kRateId};
            findChild<QWidget*>(controlName(ids[i]))->setFocus();
            return;
        }
    }
    name = std::move(*texts[0]);
    type = std::move(*texts[1]);
    rate = std::move(*texts[2]);
    side = checkedIndex(side_ids);
    mode = checkedIndex(mode_ids);
    done(kOk);
}

void SearchDialog::OnCancel()
{
    done(kCancel);
}

void SearchDialog::accept()
{
    OnOK();
}

void SearchDialog::reject()
{
    OnCancel();
}

// The field's text in CP932, cut to the byte limit; nullopt when it holds a
// character CP932 cannot hold.
std::optional<std::string> SearchDialog::fieldText(int id)
{
    QString text;
    if (id == kRateId)
        text = findChild<QComboBox*>(controlName(id))->currentText();
    else
        text = findChild<QLineEdit*>(controlName(id))->text();
    std::optional<std::string> bytes = toCp932(text);
    if (bytes)
        bytes = std::string(sjis::truncateToBytes(*bytes, kFieldByteLimit));
    return bytes;
}

QButtonGroup* SearchDialog::radioGroup(std::span<const int> ids) const
{
    return findChild<QButtonGroup*>(QStringLiteral("group%1").arg(ids.front()));
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
