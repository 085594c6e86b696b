// SPDX-License-Identifier: MIT
#pragma once

#include "MainMenu.h"

#include <QObject>

#include <functional>
#include <map>

class QAction;
class QMainWindow;

// The window's menu bar made from resources/MainMenu: its items, their keys
// and the texts that name the keys. Each item's action has the object name
// "command<id>"; a part that wants a menu of its own adds it to the
// window's menu bar after these.
class WindowMenu : public QObject {
    Q_OBJECT
public:
    explicit WindowMenu(QMainWindow& window);

    // The action of a command id; nullptr for an id the menu lacks.
    QAction* action(int id) const;
    // A key of the window that no item shows (Ctrl+F, Alt+F4).
    QAction* addWindowKey(AcceleratorKey key, const QString& objectName);

    struct Handler {
        int command;
        std::function<void()> run;
    };
    // What each item does, one row an item.
    void connectHandlers(std::initializer_list<Handler> handlers);

private:
    QMainWindow& window_;
    std::map<int, QAction*> actions_;  // by command id, as made
};
