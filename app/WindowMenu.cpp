// SPDX-License-Identifier: MIT
#include "WindowMenu.h"

#include <QAction>
#include <QKeySequence>
#include <QMainWindow>
#include <QMenuBar>

namespace {

QList<QKeySequence> keysOf(AcceleratorKey key)
{
    return QKeySequence::listFromString(QString::fromUtf8(keySequences(key)), QKeySequence::PortableText);
}

}  // namespace

WindowMenu::WindowMenu(QMainWindow& window) : QObject(&window), window_(window)
{
    for (const MenuPopup& popup : mainMenu()) {
        QMenu* menu = window.menuBar()->addMenu(QString::fromUtf8(popup.text));
        for (const MenuItem& item : popup.items) {
            if (item.isSeparator()) {
                menu->addSeparator();
                continue;
            }
            // The text after its TAB names the key; Qt then shows that, not
            // the shortcut's own name.
            QAction* action = menu->addAction(QString::fromStdString(menuText(item)));
            action->setObjectName(QStringLiteral("command%1").arg(item.command));
            action->setCheckable(item.checkable);
            action->setShortcuts(keysOf(item.key));
            actions_[item.command] = action;
        }
    }
}

QAction* WindowMenu::action(int id) const
{
    const auto found = actions_.find(id);
    return found == actions_.end() ? nullptr : found->second;
}

QAction* WindowMenu::addWindowKey(AcceleratorKey key, const QString& objectName)
{
    auto* action = new QAction(&window_);
    action->setObjectName(objectName);
    action->setShortcuts(keysOf(key));
    window_.addAction(action);
    return action;
}

void WindowMenu::connectHandlers(std::initializer_list<Handler> handlers)
{
    for (const Handler& handler : handlers)
        connect(action(handler.command), &QAction::triggered, this, handler.run);
}
