// SPDX-License-Identifier: MIT
#pragma once

#include <QList>
#include <QString>

// The filter texts the player named, in the order saved, kept between runs
// under filter/saved. Names and texts may hold any characters.
struct SavedFilters {
    struct Entry {
        QString name;
        QString text;
        bool operator==(const Entry&) const = default;
    };

    QList<Entry> entries;

    // A stored list of an odd length, or with an empty name or text, was
    // not written here: those entries are left out.
    static SavedFilters load();
    // The settings file that could not be written, or empty.
    QString save() const;
    // Saves `text` as `name`: a name saved before gets the new text.
    void put(const QString& name, const QString& text);
};
