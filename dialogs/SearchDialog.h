// SPDX-License-Identifier: MIT
#pragma once

#include "SearchCriteria.h"
#include "TemplateDialog.h"

#include <array>
#include <optional>
#include <span>
#include <string>

class QButtonGroup;

// The search criteria dialog. The caller sets `criteria`, runs DoModal and,
// only when it returns IDOK, reads them back. The texts are CP932 bytes, as
// the engine holds them.
class SearchDialog : public TemplateDialog {
    Q_OBJECT

public:
    // Radio-button ids; the position of an id is the criterion's value.
    static constexpr std::array<int, 2> side_ids{202, 203};
    static constexpr std::array<int, 3> mode_ids{204, 205, 206};

    explicit SearchDialog(QWidget* parent = nullptr);
    ~SearchDialog() override;

    card::SearchCriteria criteria;

protected:
    void OnInitDialog() override;
    // Reads the controls into `criteria` and accepts; a text CP932 cannot
    // hold is refused with a message and the dialog stays open.
    void OnOK() override;

private:
    QButtonGroup* radioGroup(std::span<const int> ids) const;
    void checkRadioButton(std::span<const int> ids, int index);
    int checkedIndex(std::span<const int> ids) const;
    std::optional<std::string> fieldText(int id, bool folded);
};
