// SPDX-License-Identifier: MIT
#include "GuiTest.h"

#include <QAbstractButton>
#include <QDateTime>
#include <QDialog>
#include <QDir>
#include <QFileInfo>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QProgressDialog>

#if defined(_WIN32)
#include <windows.h>
#else
#include <csignal>
#include <sys/resource.h>
#endif

void closeModal(QWidget* modal)
{
    if (auto* dialog = qobject_cast<QDialog*>(modal))
        return dialog->done(QDialog::Rejected);
    modal->close();
}

bool GuiTest::eventFilter(QObject* watched, QEvent* event)
{
    auto* widget = qobject_cast<QWidget*>(watched);
    if (event->type() != QEvent::Show || !widget || !widget->isWindow() || !widget->isModal() ||
        qobject_cast<QProgressDialog*>(widget))
        return false;
    const QPointer<QWidget> modal(widget);
    if (!actions_.isEmpty()) {
        QTimer::singleShot(0, this, [modal, action = actions_.takeFirst()] { if (modal) action(modal); });
        return false;
    }
    QTimer::singleShot(5000, this, [this, modal] {
        if (!modal || !modal->isVisible())
            return;
        qWarning("closing a modal widget nobody handled: %s", qPrintable(modal->objectName()));
        ++strays_;
        closeModal(modal);
    });
    return false;
}

void GuiTest::init()
{
    QFile::remove(settingsFile());
    actions_.clear();
    strays_ = 0;
}

void GuiTest::cleanup()
{
    QVERIFY2(strays_ == 0, "a modal widget was left open");
    QVERIFY2(actions_.isEmpty(), "an expected modal widget never opened");
}

ModalAction acceptMessage(QStringList& log)
{
    return [&log](QWidget* modal) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        QAbstractButton* ok = box ? box->button(QMessageBox::Ok) : nullptr;
        if (!ok) {
            log << "not a message box with OK: " + modal->objectName();
            return closeModal(modal);
        }
        const bool plain = box->icon() == QMessageBox::NoIcon && box->textFormat() == Qt::PlainText &&
                           box->buttons().size() == 1 && ok->icon().isNull();
        log << box->windowTitle() + " | " + box->text() + (plain ? "" : " (not plain)");
        ok->click();
    };
}

QString childText(QWidget* parent, const QString& objectName)
{
    const QObject* child = parent->findChild<QObject*>(objectName);
    if (!child)
        return "<no " + objectName + ">";
    return child->property(qobject_cast<const QPlainTextEdit*>(child) ? "plainText" : "text").toString();
}

void prepareTestEnvironment(const QTemporaryDir& root)
{
    // A file on every system, never the user's own store (on Windows the registry, which no folder redirects).
    QSettings::setDefaultFormat(QSettings::IniFormat);
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, root.filePath("config"));
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(root.filePath("config")));
    qputenv("XDG_CONFIG_DIRS", QFile::encodeName(root.filePath("none")));  // no system-wide settings either
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(root.path()));  // owner only, as Qt wants it
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // Wine hands a Windows program no QT_ variable: the offscreen platform's font folder comes under our own name.
    if (qEnvironmentVariableIsEmpty("QT_QPA_FONTDIR") && !qEnvironmentVariableIsEmpty("VOXTARN_TEST_FONTDIR"))
        qputenv("QT_QPA_FONTDIR", qgetenv("VOXTARN_TEST_FONTDIR"));
}

bool runsUnderWine()
{
#if defined(_WIN32)
    return GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version") != nullptr;
#else
    return false;
#endif
}

QString settingsFile()
{
    // Taken once: every QSettings built later on the same file shares its unsaved changes, and would write them when
    // destroyed.
    static const QString name = ProfileStore().fileName();
    return name;
}

void writeSettings(const QByteArray& text)
{
    QDir().mkpath(QFileInfo(settingsFile()).absolutePath());
    QFile file(settingsFile());
    if (!file.open(QIODevice::WriteOnly) || file.write(text) != text.size() || !file.flush())
        qFatal("cannot write the settings file");
    // QSettings reads a file again only when its size or time changed.
    static int tick = 0;
    file.setFileTime(QDateTime::currentDateTime().addSecs(++tick), QFileDevice::FileModificationTime);
}

std::string record(const QString& name, const QString& rate, const QString& rule)
{
    return toCp932(name + "\nIce\n" + (rule.isEmpty() ? "" : rule + "\n") + "\nnote\nillust\n" + rate + "\n--\n").value();
}

void writeFile(const QTemporaryDir& folder, const QString& name, const std::string& bytes)
{
    QFile out(folder.filePath(name));
    if (!out.open(QIODevice::WriteOnly) || out.write(bytes.data(), qint64(bytes.size())) != qint64(bytes.size()))
        qFatal("cannot write the test data file %s", qPrintable(name));
}

bool whileDiskIsFull(const std::function<void()>& action)
{
#if defined(_WIN32)
    (void)action;
    return false;
#else
    std::signal(SIGXFSZ, SIG_IGN);  // a failed write, not a killed process
    rlimit saved{};
    getrlimit(RLIMIT_FSIZE, &saved);
    rlimit full = saved;
    full.rlim_cur = 8;
    setrlimit(RLIMIT_FSIZE, &full);
    action();
    setrlimit(RLIMIT_FSIZE, &saved);
    return true;
#endif
}
