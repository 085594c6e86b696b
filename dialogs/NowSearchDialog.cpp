// SPDX-License-Identifier: MIT
#include "NowSearchDialog.h"

#include "CardCount.h"
#include "DialogTemplates.h"
#include "TemplateDialogBuilder.h"

#include <algorithm>

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QEventLoop>
#include <QLabel>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QWindow>

namespace {
// How long the notice waits for the window system to map it.
constexpr int kExposeWaitMs = 300;
// The bar's steps: fine enough for a file of gigabytes.
constexpr int kBarSteps = 1000;
// The band added below the template's labels, in pixels.
constexpr int kMargin = 10;
constexpr int kBarHeight = 14;
constexpr int kButtonWidth = 72;
constexpr int kButtonHeight = 24;
}  // namespace

NowSearchDialog::NowSearchDialog(QWidget* parent) : QDialog(parent)
{
    TemplateDialogBuilder::buildFromResources(*this, kNoticeTemplateId);
    // The notice takes no input: the window keeps the keyboard focus.
    setAttribute(Qt::WA_ShowWithoutActivating);
    setWindowFlag(Qt::WindowDoesNotAcceptFocus);
    const bool ownerActive = parent && parent->window()->isActiveWindow();
    show();
    paintBeforeReturning();
    if (ownerActive && isActiveWindow())
        giveActivationBack();
}

// Without a window manager the platform activates every window shown,
// whatever its flags; the keys typed meanwhile belong to the window, in
// the widget that had them (the window may move its focus on activation).
void NowSearchDialog::giveActivationBack()
{
    QWidget* owner = parentWidget()->window();
    const QPointer<QWidget> focus = owner->focusWidget();
    owner->activateWindow();
    const QDeadlineTimer deadline(kExposeWaitMs);
    do {
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    } while (isActiveWindow() && !deadline.hasExpired());
    if (focus)
        focus->setFocus(Qt::ActiveWindowFocusReason);
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

void NowSearchDialog::showProgress(std::uint64_t bytesRead, std::uint64_t bytesTotal, std::size_t cards)
{
    if (!bar_)
        addProgressControls();
    const std::uint64_t total = std::max<std::uint64_t>(bytesTotal, 1);
    bar_->setValue(static_cast<int>(std::min(bytesRead, total) * kBarSteps / total));
    cards_->setText(cardCount(cards));
}

// Below the labels: the bar over the whole width, then the count and the
// button.
void NowSearchDialog::addProgressControls()
{
    const int width = this->width();
    const int top = height();
    bar_ = new QProgressBar(this);
    bar_->setObjectName(QStringLiteral("progress"));
    bar_->setRange(0, kBarSteps);
    bar_->setTextVisible(false);
    bar_->setGeometry(kMargin, top, width - 2 * kMargin, kBarHeight);
    const int row = top + kBarHeight + kMargin / 2;
    cards_ = new QLabel(this);
    cards_->setObjectName(QStringLiteral("cards"));
    cards_->setGeometry(kMargin, row, width - 3 * kMargin - kButtonWidth, kButtonHeight);
    auto* stop = new QPushButton(QStringLiteral("中止"), this);
    stop->setObjectName(QStringLiteral("stop"));
    stop->setGeometry(width - kMargin - kButtonWidth, row, kButtonWidth, kButtonHeight);
    connect(stop, &QPushButton::clicked, this, &NowSearchDialog::stopRequested);
    for (QWidget* control : {static_cast<QWidget*>(bar_), static_cast<QWidget*>(cards_), static_cast<QWidget*>(stop)})
        control->show();  // children added to a shown window stay hidden otherwise
    setFixedSize(width, row + kButtonHeight + kMargin);
    if (QWidget* border = findChild<QWidget*>(QStringLiteral("border")))
        border->setGeometry(rect());
}

void NowSearchDialog::reject()
{
    if (bar_)
        emit stopRequested();
}

// The owner takes the notice down; its close box, or the system's close
// request, stops the reading as 中止 does.
void NowSearchDialog::closeEvent(QCloseEvent* event)
{
    event->ignore();
    if (bar_)
        emit stopRequested();
}
