#pragma once

#include "ModalDriver.h"
#include "ProfileStore.h"

#include <QApplication>
#include <QObject>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

// Points the settings store at a private temporary folder before anything
// reads it (XDG_CONFIG_HOME absolute, XDG_CONFIG_DIRS an empty folder, so no
// user or system file leaks in), gives the runtime folder too, and picks the
// offscreen platform unless one was asked for.
void redirectSettings(const QTemporaryDir& root);

// The settings file of the program, removed before each test.
QString settingsFile();

// Base of the GUI test objects: before each test the settings file is
// removed and a modal driver is made; after it, the test fails if a modal
// widget had to be closed by the watchdog or a queued action found no modal.
class GuiTest : public QObject {
    Q_OBJECT
protected:
    ModalDriver& modals() { return *driver_; }

private slots:
    void init();
    void cleanup();

private:
    std::unique_ptr<ModalDriver> driver_;
};

// main() of a GUI test: the settings redirected, then the application
// object of type App (named like the program), then the test object.
#define VOXTARN_GUI_TEST_MAIN(App, TestObject)                                  \
    int main(int argc, char** argv)                                             \
    {                                                                           \
        QTemporaryDir settingsRoot;                                             \
        redirectSettings(settingsRoot);                                         \
        App app(argc, argv);                                                    \
        app.setAttribute(Qt::AA_Use96Dpi, true);                                \
        if (QCoreApplication::organizationName().isEmpty()) {                  \
            QCoreApplication::setApplicationName(ProfileStore::kApplication);   \
            QCoreApplication::setOrganizationName(ProfileStore::kOrganisation); \
        }                                                                       \
        QApplication::setQuitOnLastWindowClosed(false);                         \
        TestObject test;                                                        \
        return QTest::qExec(&test, argc, argv);                                 \
    }
