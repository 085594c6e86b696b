// SPDX-License-Identifier: MIT
#pragma once

#include <QObject>
#include <QString>

namespace card {
class CardLister;
}
class QWidget;

// ファイル → データフォルダを開く: the chooser, where it starts, and the folder
// chosen made the one the commands read and kept in the settings for the
// next start. A folder that could not be kept is tried again with the rest
// of the settings.
class DataFolderOpener : public QObject {
    Q_OBJECT
public:
    DataFolderOpener(QWidget& window, card::CardLister& lister);

    // The chooser, then open() with the folder chosen; cancelled, nothing
    // changes.
    void choose();
    void open(const QString& folder);
    // The data folder is the sample's: the chooser starts where the program
    // was started (Documents, from the Start menu) instead, which is nearer
    // the player's own cards than the program's folder.
    void setReadsSample(bool sample) { readsSample_ = sample; }

    // A folder chosen while the settings could not be written, or empty.
    const QString& unremembered() const { return unremembered_; }
    void settingsWritten() { unremembered_.clear(); }

signals:
    // The commands read the new folder from now on.
    void opened();
    void settingsNotWritten(const QString& file);

private:
    QWidget& window_;
    card::CardLister& lister_;
    QString unremembered_;
    bool readsSample_ = false;  // until the player opens a folder
};
