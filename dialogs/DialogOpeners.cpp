// SPDX-License-Identifier: MIT
#include "DialogOpeners.h"

#include "DialogTemplates.h"
#include "TemplateDialog.h"

void runAboutDialog(QWidget* parent)
{
    TemplateDialog(kAboutTemplateId, parent).DoModal();
}

void runLegendDialog(QWidget* parent)
{
    TemplateDialog(kLegendTemplateId, parent).DoModal();
}
