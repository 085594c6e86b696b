// SPDX-License-Identifier: MIT
#pragma once

#include <QSettings>
#include <QString>

#include <memory>
#include <optional>

// The per-user settings store, addressed by section and key like the old
// profile calls, on QSettings (organisation "Kestrowe", application
// "Voxtarn card list finder") in the default format: the system's own
// store (the registry on Windows) unless a test chose files, or a portable
// program folder keeps them in an INI file of its own. Integers are
// read strictly: a value that is no decimal number or does not fit 32 bits
// counts as absent. Writes are collected and land in one atomic
// replacement of the file, so a failed write leaves the earlier values
// readable.
class ProfileStore {
public:
    static constexpr const char* kOrganisation = "Kestrowe";
    static constexpr const char* kApplication = "Voxtarn card list finder";

    // A program folder holding the marker is portable (the Windows zip): its
    // settings live in the INI file beside the program, with the same groups
    // and keys, and never in the system's store.
    static constexpr const char* kPortableMarker = "portable.txt";
    static constexpr const char* kPortableFile = "voxtarn.ini";

    // Chooses the store of every ProfileStore made afterwards: the portable
    // file when `programFolder` holds the marker, otherwise the system's.
    static void usePortableFileIfMarked(const QString& programFolder);

    ProfileStore();
    ~ProfileStore();

    int getProfileInt(const QString& section, const QString& key, int defaultValue) const;
    QString getProfileString(const QString& section, const QString& key, const QString& defaultValue = QString()) const;

    // A list of strings; a value that is no list (or one string) reads as
    // what it holds, anything else as empty.
    QStringList getProfileStringList(const QString& section, const QString& key) const;

    void writeProfileInt(const QString& section, const QString& key, int value);
    void writeProfileStringList(const QString& section, const QString& key, const QStringList& value);
    void writeProfileString(const QString& section, const QString& key, const QString& value);

    // Writes what was changed; false when the file could not be replaced
    // (the old file is then untouched).
    bool flush();
    // After a flush that wrote: whether the file it replaced held text that
    // could not be read as settings (which is then gone).
    // Whichever part flushed first replaced it, so this holds for the whole
    // process; whoever reports it clears it.
    static bool& replacedUnreadable()
    {
        static bool replaced = false;
        return replaced;
    }

    QString fileName() const { return settings_->fileName(); }

private:
    std::optional<int> readInt(const QString& section, const QString& key) const;
    QVariant read(const QString& section, const QString& key) const;

    QByteArray fileContents() const;

    std::unique_ptr<QSettings> settings_;
};

// The text as a 32-bit signed decimal integer, or nullopt.
std::optional<int> parseStrictInt(const QString& text);
