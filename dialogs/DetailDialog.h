// SPDX-License-Identifier: MIT
#pragma once

#include "Card.h"
#include "TemplateDialog.h"

// Shows one card's whole record, with a button that opens the symbol
// legend. The dialog holds its own copy of the card; DoModal gives IDOK
// for "閉じる" or Enter, IDCANCEL for Esc or the close box.
class DetailDialog : public TemplateDialog {
    Q_OBJECT

public:
    explicit DetailDialog(QWidget* parent = nullptr);
    ~DetailDialog() override;

    card::Card card;

    // Opens the legend modally over this dialog.
    void OnLegend();
    // The card as the dialog shows it, one field a line, captions included.
    QString cardText() const;

protected:
    // Fills the controls from `card`.
    void OnInitDialog() override;

private:
    void makeTextsCopyable();
    void setLabel(int id, const std::string& bytes);
};
