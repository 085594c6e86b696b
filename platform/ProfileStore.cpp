// SPDX-License-Identifier: MIT
#include "ProfileStore.h"

#include <QFile>
#include <QDir>
#include <QFileInfo>

#include <limits>

namespace {

// Empty while the settings live in the system's store.
QString& portableFile()
{
    static QString file;
    return file;
}

std::unique_ptr<QSettings> openSettings()
{
    if (!portableFile().isEmpty())
        return std::make_unique<QSettings>(portableFile(), QSettings::IniFormat);
    return std::make_unique<QSettings>(QSettings::defaultFormat(), QSettings::UserScope,
                                       QString::fromLatin1(ProfileStore::kOrganisation),
                                       QString::fromLatin1(ProfileStore::kApplication));
}

}  // namespace

void ProfileStore::usePortableFileIfMarked(const QString& programFolder)
{
    const QDir folder(programFolder);
    const bool portable = QFileInfo(folder.filePath(QString::fromLatin1(kPortableMarker))).isFile();
    portableFile() = portable ? folder.absoluteFilePath(QString::fromLatin1(kPortableFile)) : QString();
}

ProfileStore::ProfileStore() : settings_(openSettings())
{
    // Without this QSettings may fall back to rewriting the file in place,
    // which a full disk turns into an empty or truncated store.
    settings_->setAtomicSyncRequired(true);
}

ProfileStore::~ProfileStore() = default;

std::optional<int> parseStrictInt(const QString& text)
{
    bool ok = false;
    const qlonglong value = text.toLongLong(&ok, 10);
    if (!ok || value < std::numeric_limits<int>::min() || value > std::numeric_limits<int>::max())
        return std::nullopt;
    return static_cast<int>(value);
}

QVariant ProfileStore::read(const QString& section, const QString& key) const
{
    return settings_->value(section + QLatin1Char('/') + key);
}

std::optional<int> ProfileStore::readInt(const QString& section, const QString& key) const
{
    const QVariant value = read(section, key);
    switch (value.typeId()) {
    case QMetaType::QString: return parseStrictInt(value.toString());
    case QMetaType::Int: return value.toInt();
    case QMetaType::LongLong:
    case QMetaType::UInt:
    case QMetaType::ULongLong:
        // Other backends hand numbers back typed; range-check them too.
        return parseStrictInt(value.toString());
    default: return std::nullopt;  // absent, a list, or anything else
    }
}

int ProfileStore::getProfileInt(const QString& section, const QString& key, int defaultValue) const
{
    return readInt(section, key).value_or(defaultValue);
}

QString ProfileStore::getProfileString(const QString& section, const QString& key, const QString& defaultValue) const
{
    const QVariant value = read(section, key);
    // A hand-edited value with bare commas reads as a list: not ours.
    if (value.typeId() != QMetaType::QString)
        return defaultValue;
    return value.toString();
}

QStringList ProfileStore::getProfileStringList(const QString& section, const QString& key) const
{
    const QVariant value = read(section, key);
    if (value.typeId() != QMetaType::QStringList && value.typeId() != QMetaType::QString)
        return {};
    return value.toStringList();
}

void ProfileStore::writeProfileStringList(const QString& section, const QString& key, const QStringList& value)
{
    settings_->setValue(section + QLatin1Char('/') + key, value);
}

void ProfileStore::writeProfileInt(const QString& section, const QString& key, int value)
{
    settings_->setValue(section + QLatin1Char('/') + key, value);
}

void ProfileStore::writeProfileString(const QString& section, const QString& key, const QString& value)
{
    settings_->setValue(section + QLatin1Char('/') + key, value);
}

// QSettings keeps the first error it met: an old file it could not read
// (FormatError) hides whether the write after it failed. The atomic write
// either replaced the file or left it as it was, so the file tells.
bool ProfileStore::flush()
{
    const QByteArray before = fileContents();
    settings_->sync();
    switch (settings_->status()) {
    case QSettings::NoError: return true;
    case QSettings::FormatError:
        if (fileContents() == before)
            return false;
        replacedUnreadable() = true;
        return true;
    default: return false;
    }
}

QByteArray ProfileStore::fileContents() const
{
    QFile file(settings_->fileName());
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}
