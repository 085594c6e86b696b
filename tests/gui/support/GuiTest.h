// SPDX-License-Identifier: MIT
#pragma once

#include "Cp932Text.h"
#include "ProfileStore.h"
#include "TemplateDialogBuilder.h"

#include <QAbstractButton>
#include <QApplication>
#include <QPointer>
#include <QProxyStyle>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <functional>

using ModalAction = std::function<void(QWidget* modal)>;
void closeModal(QWidget* modal);  // as the close box does: a dialog is rejected

// Before each test the settings file goes. then() drives modal widgets from
// inside their own event loops: the actions run in order, each on the next
// modal widget shown, so an action may open the next one (a message box over
// a dialog). A modal widget shown with no action waiting is closed 5 s later;
// the test fails then, and when an action found no modal widget. A progress
// dialog shows or not by the machine's speed: it takes no action and is
// never a stray.
class GuiTest : public QObject {
    Q_OBJECT
public:
    GuiTest() { qApp->installEventFilter(this); }
    bool eventFilter(QObject* watched, QEvent* event) override;
    GuiTest& then(ModalAction action) { actions_.append(std::move(action)); return *this; }

private slots:
    void init();
    void cleanup();

private:
    QList<ModalAction> actions_;
    int strays_ = 0;
};

// For a message box: logs "title | text", " (not plain)" added unless it is plain text with one OK button and no icon
// anywhere, and presses OK.
ModalAction acceptMessage(QStringList& log);
// The text of the named child: a label, a line edit or a text box.
QString childText(QWidget* parent, const QString& objectName);
inline void clickId(QWidget* dialog, int id) { dialogControl<QAbstractButton>(*dialog, id)->click(); }

// Points the settings store (an INI file on every system) and the runtime folder at a private temporary folder before
// anything reads them; the offscreen platform unless another was asked for, with the fonts of VOXTARN_TEST_FONTDIR.
void prepareTestEnvironment(const QTemporaryDir& root);
QString settingsFile();  // removed before each test
void writeSettings(const QByteArray& text);  // as a user edits it by hand
// Runs `action` while writing a file past 8 bytes fails as on a full disk, for root too; false, running nothing, where
// no such limit exists (Windows).
bool whileDiskIsFull(const std::function<void()>& action);
// True in a Windows program that Wine runs.
bool runsUnderWine();
// A card record in Shift-JIS, from UTF-8 texts.
std::string record(const QString& name, const QString& rate = "Common", const QString& rule = {});
void writeFile(const QTemporaryDir& folder, const QString& name, const std::string& bytes);

// Standard dialog buttons with icons, as desktop themes give them and the offscreen platform does not: a test sees what
// a user sees.
class DesktopStyle : public QProxyStyle {
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget, QStyleHintReturn* data) const override
    {
        return hint == SH_DialogButtonBox_ButtonsHaveIcons || QProxyStyle::styleHint(hint, option, widget, data);
    }
};

#define VOXTARN_GUI_TEST_MAIN(App, TestObject)                              \
    int main(int argc, char** argv)                                         \
    {                                                                       \
        QTemporaryDir settingsRoot;                                         \
        prepareTestEnvironment(settingsRoot);                               \
        QCoreApplication::setAttribute(Qt::AA_DontUseNativeDialogs);        \
        App app(argc, argv);                                                \
        QApplication::setStyle(new DesktopStyle);                           \
        QCoreApplication::setApplicationName(ProfileStore::kApplication);   \
        QCoreApplication::setOrganizationName(ProfileStore::kOrganisation); \
        QApplication::setQuitOnLastWindowClosed(false);                     \
        TestObject test;                                                    \
        return QTest::qExec(&test, argc, argv);                             \
    }
