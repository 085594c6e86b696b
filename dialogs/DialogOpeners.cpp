#include "DialogOpeners.h"

#include "DialogTemplates.h"
#include "TemplateDialogBuilder.h"

#include <QDialog>

namespace {

void runTemplateDialog(QWidget* parent, int templateId)
{
    QDialog dialog(parent);
    TemplateDialogBuilder::buildFromResources(dialog, templateId);
    dialog.exec();
}

}  // namespace

void runAboutDialog(QWidget* parent)
{
    runTemplateDialog(parent, kAboutTemplateId);
}

void runLegendDialog(QWidget* parent)
{
    runTemplateDialog(parent, kLegendTemplateId);
}
