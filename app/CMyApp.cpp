#include "CMyApp.h"

#include "AppIcon.h"
#include "CMainWindow.h"
#include "DialogColors.h"
#include "DialogFont.h"

CMyApp::CMyApp(int& argc, char** argv) : QApplication(argc, argv) {}

// The window goes first: it must not outlive the application object.
CMyApp::~CMyApp()
{
    mainWindow_.reset();
}

bool CMyApp::InitInstance()
{
    setDialogBkColor(menuBackgroundColor(), menuTextColor());
    setApplicationName(QString::fromLatin1(kApplicationName));
    setOrganizationName(QString::fromLatin1(kOrganisationName));
    setWindowIcon(appIcon());
    installDialogFontSubstitutions();
    mainWindow_ = std::make_unique<CMainWindow>();
    mainWindow_->show();
    return true;
}
