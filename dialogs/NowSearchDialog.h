// SPDX-License-Identifier: MIT
#pragma once

#include <QDialog>

#include <cstddef>
#include <cstdint>

class QLabel;
class QProgressBar;

// The searching-now notice: a captionless window without buttons that is up
// while a data file is read. It is on the screen, painted, when the
// constructor returns; destroying it takes it down.
//
// A long reading turns it into a progress notice: a bar by bytes read, the
// cards so far and a 中止 button. It never takes the keyboard and blocks no
// window: keys go on to where the player typed them (the window behind it
// disables its commands that read). The button, Esc and closing the notice
// ask to stop; none of them ends the program.
class NowSearchDialog : public QDialog {
    Q_OBJECT

public:
    explicit NowSearchDialog(QWidget* parent = nullptr);
    ~NowSearchDialog() override;

    // Shows how far the reading has come; the first call adds the bar,
    // the count and the button.
    void showProgress(std::uint64_t bytesRead, std::uint64_t bytesTotal, std::size_t cards);

signals:
    void stopRequested();

protected:
    void reject() override;
    void closeEvent(QCloseEvent* event) override;

private:
    void paintBeforeReturning();
    void giveActivationBack();
    void addProgressControls();

    QProgressBar* bar_ = nullptr;
    QLabel* cards_ = nullptr;
};
