#pragma once

#include "Card.h"

#include <QDialog>

// Shows one card's whole record, with a button that opens the symbol
// legend. The dialog holds its own copy of the card.
class DetailDialog : public QDialog {
    Q_OBJECT

public:
    explicit DetailDialog(QWidget* parent = nullptr);
    ~DetailDialog() override;

    Card card;

    // Shows the card until the user closes the dialog: 1 for "閉じる" or
    // Enter, 2 for Esc or the close box.
    int DoModal();
    // Opens the legend modally over this dialog.
    void OnLegend();
    // The card as the dialog shows it, one field a line, captions included.
    QString cardText() const;

protected:
    // Fills the controls from `card`; true.
    virtual bool OnInitDialog();

    void accept() override;
    void reject() override;

private:
    void makeTextsCopyable();
    void setLabel(int id, const std::string& bytes);
};
