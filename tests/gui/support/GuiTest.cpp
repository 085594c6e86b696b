#include "GuiTest.h"

#include "ProfileStore.h"

#include <QDir>
#include <QFile>

void redirectSettings(const QTemporaryDir& root)
{
    const QString config = root.filePath(QStringLiteral("config"));
    const QString empty = root.filePath(QStringLiteral("empty"));
    const QString runtime = root.filePath(QStringLiteral("runtime"));
    for (const QString& folder : {config, empty, runtime})
        QDir().mkpath(folder);
    QFile::setPermissions(runtime, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(config));
    qputenv("XDG_CONFIG_DIRS", QFile::encodeName(empty));
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime));
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
}

QString settingsFile()
{
    // Taken once: every QSettings built later on the same file shares its
    // unsaved changes, and would write them when destroyed.
    static const QString name = ProfileStore().fileName();
    return name;
}

void GuiTest::init()
{
    QFile::remove(settingsFile());
    driver_ = std::make_unique<ModalDriver>();
}

void GuiTest::cleanup()
{
    const int strays = driver_->strays();
    const int pending = driver_->pending();
    driver_.reset();
    QVERIFY2(strays == 0, "a modal widget was left open");
    QVERIFY2(pending == 0, "an expected modal widget never opened");
}
