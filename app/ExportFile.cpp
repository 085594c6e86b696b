// SPDX-License-Identifier: MIT
#include "ExportFile.h"

#include "DeckFile.h"
#include "MessageBox.h"

#include <QDir>
#include <QFileDialog>
#include <QSaveFile>

QString ExportFile::choose(QWidget& window, const QString& what, const QString& name,
                           const std::filesystem::path& dataDir)
{
    const QString suffix = what.toLower();
    const QString path = QFileDialog::getSaveFileName(
        &window, what + QStringLiteral("に書き出す"), name + u'.' + suffix,
        what + QStringLiteral(" (*.") + suffix + QStringLiteral(");;すべてのファイル (*)"));
    if (path.isEmpty())
        return {};
    // An export over corp.txt would lose the cards.
    if (card::DeckFile::isCardFile(std::filesystem::path(path.toStdU16String()), dataDir)) {
        showMessageBox(&window, QStringLiteral("カードのデータファイルには書き出さない\n") + QDir::toNativeSeparators(path));
        return {};
    }
    return path;
}

QString ExportFile::save(const QString& path, const QString& what, const std::function<bool(QIODevice&)>& write)
{
    QSaveFile file(path);
    // Unbuffered: a write cut short by a full disk shows in its count,
    // which a buffered flush would drop.
    if (file.open(QIODevice::WriteOnly | QIODevice::Unbuffered) && write(file) && file.commit())
        return {};
    const QString why = file.error() != QFileDevice::NoError ? file.errorString() : QStringLiteral("書き込みに失敗した");
    return what + QStringLiteral("を書き出せない: ") + why + u'\n' + QDir::toNativeSeparators(path);
}
