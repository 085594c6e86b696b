#pragma once

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <QTest>

// Points the settings store at a private temporary folder before anything
// reads it: XDG_CONFIG_HOME absolute, XDG_CONFIG_DIRS an empty folder, so no
// user or system file leaks into a test.
inline QString redirectSettings(const QTemporaryDir& root)
{
    const QString config = root.filePath(QStringLiteral("config"));
    const QString empty = root.filePath(QStringLiteral("empty"));
    QDir().mkpath(config);
    QDir().mkpath(empty);
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(config));
    qputenv("XDG_CONFIG_DIRS", QFile::encodeName(empty));
    const QString runtime = root.filePath(QStringLiteral("runtime"));
    QDir().mkpath(runtime);
    QFile::setPermissions(runtime, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime));
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    return config;
}

// main() for a GUI test: the store redirected, then the application object
// of type App, then the test object.
#define VOXTARN_GUI_TEST_MAIN(App, TestObject)                                  \
    int main(int argc, char** argv)                                             \
    {                                                                           \
        QTemporaryDir settingsRoot;                                             \
        redirectSettings(settingsRoot);                                         \
        App app(argc, argv);                                                    \
        app.setAttribute(Qt::AA_Use96Dpi, true);                                \
        TestObject test;                                                        \
        return QTest::qExec(&test, argc, argv);                                 \
    }
