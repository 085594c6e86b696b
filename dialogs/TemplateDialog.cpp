// SPDX-License-Identifier: MIT
#include "TemplateDialog.h"

#include "DialogTemplate.h"
#include "TemplateDialogBuilder.h"

TemplateDialog::TemplateDialog(int templateId, QWidget* parent) : QDialog(parent)
{
    TemplateDialogBuilder::buildFromResources(*this, templateId);
}

TemplateDialog::~TemplateDialog() = default;

int TemplateDialog::DoModal()
{
    OnInitDialog();
    return exec() == QDialog::Accepted ? IDOK : IDCANCEL;
}

void TemplateDialog::OnOK()
{
    QDialog::accept();
}

void TemplateDialog::OnCancel()
{
    QDialog::reject();
}

// The template's OK and Cancel buttons, Enter and Esc all come here.
void TemplateDialog::accept()
{
    OnOK();
}

void TemplateDialog::reject()
{
    OnCancel();
}
