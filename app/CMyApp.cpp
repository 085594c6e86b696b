#include "CMyApp.h"

#include "AppIcon.h"
#include "CMainWindow.h"
#include "DataFolderSettings.h"
#include "DialogColors.h"
#include "DialogFont.h"
#include "MessageBox.h"
#include "ProfileStore.h"

#include <QLibraryInfo>
#include <QTranslator>

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

bool CMyApp::InitInstance(const QString& folderArgument)
{
    setDialogBkColor(menuBackgroundColor(), menuTextColor());
    setApplicationName(QString::fromLatin1(ProfileStore::kApplication));
    setOrganizationName(QString::fromLatin1(ProfileStore::kOrganisation));
    // Lets the desktop match the window to its menu entry and icon.
    setDesktopFileName(QStringLiteral(VOXTARN_APP_ID));
    setWindowIcon(appIcon());
    installDialogFontSubstitutions();
    installQtJapanese();
    const DataFolderSettings::Start start = DataFolderSettings::atStart(folderArgument);
    if (start.argumentNotFound)
        showMessageBox(nullptr, QStringLiteral("データフォルダが見つからない\n") + folderArgument);
    mainWindow_ = std::make_unique<CMainWindow>(start.folder);
    mainWindow_->show();
    return true;
}
