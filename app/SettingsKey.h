// SPDX-License-Identifier: MIT
#pragma once

#include "ProfileStore.h"

#include <QString>
#include <QStringList>

// One value of the settings file: its group and its key, spelled once for
// reading and writing. A part of the window keeps its own keys as constants
// of this kind beside its code.
struct SettingsKey {
    const char* group;
    const char* key;

    int readInt(const ProfileStore& store, int fallback) const
    {
        return store.getProfileInt(QString::fromLatin1(group), QString::fromLatin1(key), fallback);
    }
    QString readString(const ProfileStore& store) const
    {
        return store.getProfileString(QString::fromLatin1(group), QString::fromLatin1(key));
    }
    // Written as 0 or 1; any other value was not written here and reads as
    // `fallback`.
    bool readSwitch(const ProfileStore& store, bool fallback) const
    {
        const int value = readInt(store, fallback ? 1 : 0);
        return value == 0 || value == 1 ? value == 1 : fallback;
    }
    QStringList readList(const ProfileStore& store) const
    {
        return store.getProfileStringList(QString::fromLatin1(group), QString::fromLatin1(key));
    }
    // Writes `value` alone, at once: the settings file when that failed,
    // else empty.
    QString writeNow(const QStringList& value) const
    {
        ProfileStore store;
        store.writeProfileStringList(QString::fromLatin1(group), QString::fromLatin1(key), value);
        return store.flush() ? QString() : store.fileName();
    }
    void write(ProfileStore& store, int value) const
    {
        store.writeProfileInt(QString::fromLatin1(group), QString::fromLatin1(key), value);
    }
    void write(ProfileStore& store, const QString& value) const
    {
        store.writeProfileString(QString::fromLatin1(group), QString::fromLatin1(key), value);
    }
};
