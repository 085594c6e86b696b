#include "ModalDriver.h"

#include "TemplateDialogBuilder.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>

ModalDriver::ModalDriver(int patienceMs) : patienceMs_(patienceMs)
{
    timer_.setInterval(10);
    QObject::connect(&timer_, &QTimer::timeout, [this] { poll(); });
    timer_.start();
}

ModalDriver& ModalDriver::then(Action action)
{
    queue_.append(std::move(action));
    return *this;
}

void ModalDriver::close(QWidget* modal)
{
    if (auto* dialog = qobject_cast<QDialog*>(modal))
        dialog->done(QDialog::Rejected);
    else
        modal->close();
}

void ModalDriver::poll()
{
    busy_.removeIf([](const QPointer<QWidget>& w) { return !w || !w->isVisible(); });
    QWidget* modal = QApplication::activeModalWidget();
    if (modal != top_) {
        top_ = modal;
        topSince_.start();
    }
    if (!modal || !modal->isVisible())
        return;
    if (!busy_.contains(modal) && !queue_.isEmpty()) {
        const Action action = queue_.takeFirst();
        busy_.append(modal);
        // A timer does not fire again while its own slot runs; a fresh one
        // keeps polling inside the event loops the action opens.
        timer_.stop();
        timer_.start();
        action(modal);
        top_ = QApplication::activeModalWidget();
        topSince_.start();
    } else if (topSince_.elapsed() > patienceMs_) {
        qWarning("closing a modal widget nobody handled: %s", qPrintable(modal->objectName()));
        ++strays_;
        top_ = nullptr;
        close(modal);
    }
}

ModalDriver::Action acceptMessage(QStringList& log)
{
    return [&log](QWidget* modal) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        if (!box) {
            log << QStringLiteral("not a message box: ") + modal->objectName();
            ModalDriver::close(modal);
            return;
        }
        const bool plain = box->icon() == QMessageBox::NoIcon && box->textFormat() == Qt::PlainText &&
                           box->buttons().size() == 1 && box->button(QMessageBox::Ok);
        log << box->windowTitle() + QStringLiteral(" | ") + box->text() +
                   (plain ? QString() : QStringLiteral(" (not plain)"));
        box->buttons().first()->click();
    };
}

QString childText(QWidget* parent, const QString& objectName)
{
    QObject* child = parent->findChild<QObject*>(objectName);
    if (auto* label = qobject_cast<QLabel*>(child))
        return label->text();
    if (auto* edit = qobject_cast<QLineEdit*>(child))
        return edit->text();
    if (auto* box = qobject_cast<QPlainTextEdit*>(child))
        return box->toPlainText();
    return QStringLiteral("<no %1>").arg(objectName);
}

void clickId(QWidget* dialog, int id)
{
    dialogControl<QAbstractButton>(*dialog, id)->click();
}
