// SPDX-License-Identifier: MIT
#include "CMyApp.h"

#include "AppIcon.h"
#include "CMainWindow.h"
#include "Cp932Converter.h"
#include "DataFolderSettings.h"
#include "DialogColors.h"
#include "DialogFont.h"
#include "MessageBox.h"
#include "ProfileStore.h"
#include "WindowLog.h"

#include <QLibraryInfo>
#include <QTranslator>

#include <exception>

namespace {

// Every card text passes through the CP932 converter; what stops it from
// working on this system, or an empty text when it works.
QString cp932ConverterProblem()
{
    try {
        card::Cp932Converter().toUtf8("A");
        return {};
    } catch (const std::exception& e) {
        return QString::fromLocal8Bit(e.what());
    }
}

}  // namespace

CMyApp::CMyApp(int& argc, char** argv) : QApplication(argc, argv) {}

// The window goes first: it must not outlive the application object.
CMyApp::~CMyApp()
{
    mainWindow_.reset();
}

// Qt's own texts (the folder chooser, a text field's menu) in Japanese like
// the rest of the program, when the translations are installed.
void CMyApp::installQtJapanese()
{
    auto* translator = new QTranslator(this);
    if (translator->load(QStringLiteral("qtbase_ja"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        installTranslator(translator);
}

// Dialogs take the menu's colours; a desktop switching to a dark theme
// changes them, and the dialogs built afterwards follow.
void CMyApp::takeMenuColorsForDialogs()
{
    setDialogBkColor(menuBackgroundColor(), menuTextColor());
}

bool CMyApp::event(QEvent* event)
{
    if (event->type() == QEvent::ApplicationPaletteChange)
        takeMenuColorsForDialogs();
    return QApplication::event(event);
}

bool CMyApp::InitInstance(const QString& folderArgument, const QString& sampleFolder)
{
    takeMenuColorsForDialogs();
    setApplicationName(QString::fromLatin1(ProfileStore::kApplication));
    setOrganizationName(QString::fromLatin1(ProfileStore::kOrganisation));
    ProfileStore::usePortableFileIfMarked(applicationDirPath());
    // Lets the desktop match the window to its menu entry and icon.
    setDesktopFileName(QStringLiteral(VOXTARN_APP_ID));
    setWindowIcon(appIcon());
    installDialogFontSubstitutions();
    installQtJapanese();
    if (const QString problem = cp932ConverterProblem(); !problem.isEmpty()) {
        qCCritical(lcWindow, "no CP932 converter: %s", qUtf8Printable(problem));
        showMessageBox(nullptr, QStringLiteral("Shift-JISの文字コード変換が使えない\n") + problem);
        return false;
    }
    const DataFolderSettings::Start start = DataFolderSettings::atStart(folderArgument, ".", sampleFolder);
    if (start.argumentNotFound)
        showMessageBox(nullptr, QStringLiteral("データフォルダが見つからない\n") + folderArgument);
    mainWindow_ = std::make_unique<CMainWindow>(start.folder);
    mainWindow_->show();
    // Once the window shows: the reading's notice and messages stand over it.
    CMainWindow* window = mainWindow_.get();
    if (start.argumentOpened)
        QMetaObject::invokeMethod(window, &CMainWindow::OnListAll, Qt::QueuedConnection);
    else
        QMetaObject::invokeMethod(window, [window, sample = start.sample] { window->listAtStart(sample); }, Qt::QueuedConnection);
    return true;
}
