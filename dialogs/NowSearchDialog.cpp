#include "NowSearchDialog.h"

#include "DialogTemplates.h"
#include "TemplateDialogBuilder.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QEventLoop>
#include <QWindow>

namespace {
// How long the notice waits for the window system to map it.
constexpr int kExposeWaitMs = 300;
}  // namespace

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
    const QDeadlineTimer deadline(kExposeWaitMs);
    do {
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    } while (!(windowHandle() && windowHandle()->isExposed()) && !deadline.hasExpired());
    repaint();
}
