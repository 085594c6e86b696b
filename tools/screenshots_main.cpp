// Saves a PNG of the main window listing every card of a data folder:
// main_window_shot <data folder> <PNG file>. Runs on any platform plugin,
// offscreen included; the settings are not touched.
#include "CMainWindow.h"
#include "CMyApp.h"
#include "GuiTest.h"

#include <QDir>
#include <QTest>

#include <cstdio>

int main(int argc, char** argv)
{
    QTemporaryDir settingsRoot;
    redirectSettings(settingsRoot);
    CMyApp app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() != 3) {
        std::fprintf(stderr, "usage: main_window_shot <data folder> <PNG file>\n");
        return 2;
    }
    CMainWindow window(QFile::encodeName(args[1]).toStdString());
    window.resize(960, 520);
    window.show();
    if (!QTest::qWaitForWindowExposed(&window))
        return 1;
    window.OnListAll();
    QApplication::processEvents();
    if (!window.grab().save(args[2]))
        return 1;
    std::printf("%s\n", qPrintable(args[2]));
    return 0;
}
