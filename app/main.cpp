// SPDX-License-Identifier: MIT
#include "CMyApp.h"
#include "StartOptions.h"

#include <QFont>

#include <cstdio>

int main(int argc, char** argv)
{
    if (const std::optional<int> status = StartOptions::answerWithoutWindow(argc, argv))
        return *status;
    CMyApp app(argc, argv);
    const StartOptions options = StartOptions::parse(QCoreApplication::arguments());
    if (!options.error.isEmpty()) {
        std::fprintf(stderr, "voxtarn: %s\nTry 'voxtarn --help'.\n", options.error.toUtf8().constData());
        return 2;
    }
    if (!options.font.isEmpty())
        QApplication::setFont(QFont(options.font));
    if (!app.InitInstance(options.dataFolder))
        return 2;
    return app.exec();
}
