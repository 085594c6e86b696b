#include "NowSearchDialog.h"

#include "DialogTemplates.h"
#include "TemplateDialogBuilder.h"

#include <QCoreApplication>
#include <QEventLoop>

NowSearchDialog::NowSearchDialog(QWidget* parent)
    : QDialog(parent)
{
    TemplateDialogBuilder::buildFromResources(*this, kNoticeTemplateId);
    // The notice takes no input: the list keeps the keyboard focus.
    setAttribute(Qt::WA_ShowWithoutActivating);
    setWindowFlag(Qt::WindowDoesNotAcceptFocus);
    show();
    paintBeforeReturning();
}

NowSearchDialog::~NowSearchDialog() = default;

// The reading that follows runs without an event loop, so the window has to
// be exposed and painted now. Only window-system and paint events are
// handled here; keys and clicks wait until the reading is over.
void NowSearchDialog::paintBeforeReturning()
{
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    repaint();
}
