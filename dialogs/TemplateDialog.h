// SPDX-License-Identifier: MIT
#pragma once

#include <QDialog>

// A modal dialog built from one of the program's dialog templates. OK, Enter
// and the default button end it through OnOK; Cancel, Esc and the close box
// through OnCancel. It ends with QDialog's accept() or reject(), so
// result() says Accepted or Rejected; DoModal gives the caller IDOK or
// IDCANCEL.
class TemplateDialog : public QDialog {
    Q_OBJECT

public:
    TemplateDialog(int templateId, QWidget* parent = nullptr);
    ~TemplateDialog() override;

    // Fills the controls, shows the dialog and returns once it has ended.
    int DoModal();

protected:
    // Puts the members into the controls before the dialog shows.
    virtual void OnInitDialog() {}
    // Accepts; a dialog that checks its fields first overrides it.
    virtual void OnOK();
    // Rejects, leaving the members as they were.
    virtual void OnCancel();

private:
    void accept() final;
    void reject() final;
};
