#include "CMyApp.h"

#include "AppIcon.h"
#include "CMainWindow.h"
#include "DialogColors.h"
#include "DialogFont.h"
#include "ProfileStore.h"

CMyApp::CMyApp(int& argc, char** argv) : QApplication(argc, argv) {}

// The window goes first: it must not outlive the application object.
CMyApp::~CMyApp()
{
    mainWindow_.reset();
}

bool CMyApp::InitInstance()
{
    setDialogBkColor(menuBackgroundColor(), menuTextColor());
    setApplicationName(QString::fromLatin1(ProfileStore::kApplication));
    setOrganizationName(QString::fromLatin1(ProfileStore::kOrganisation));
    // Lets the desktop match the window to its menu entry and icon.
    setDesktopFileName(QStringLiteral(VOXTARN_APP_ID));
    setWindowIcon(appIcon());
    installDialogFontSubstitutions();
    mainWindow_ = std::make_unique<CMainWindow>();
    mainWindow_->show();
    return true;
}
