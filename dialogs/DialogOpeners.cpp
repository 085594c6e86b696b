// SPDX-License-Identifier: MIT
#include "DialogOpeners.h"

#include "DetailDialog.h"
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

void runDetailDialog(QWidget* parent, const card::Card& card)
{
    DetailDialog dialog(parent);
    dialog.card = card;
    dialog.DoModal();
}
