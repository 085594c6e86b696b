// SPDX-License-Identifier: MIT
#include "SavedFilters.h"

#include "SettingsKey.h"

constexpr SettingsKey kSaved{"filter", "saved"};

// Stored as one list, name and text by turns.
SavedFilters SavedFilters::load()
{
    SavedFilters saved;
    const QStringList stored = kSaved.readList(ProfileStore());
    for (qsizetype i = 0; i + 1 < stored.size(); i += 2) {
        if (!stored[i].isEmpty() && !stored[i + 1].isEmpty())
            saved.entries.append({stored[i], stored[i + 1]});
    }
    return saved;
}

QString SavedFilters::save() const
{
    QStringList stored;
    for (const Entry& entry : entries)
        stored << entry.name << entry.text;
    return kSaved.writeNow(stored);
}

void SavedFilters::put(const QString& name, const QString& text)
{
    for (Entry& entry : entries) {
        if (entry.name == name) {
            entry.text = text;
            return;
        }
    }
    entries.append({name, text});
}
