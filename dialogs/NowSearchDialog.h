#pragma once

#include <QDialog>

// The searching-now notice: a captionless window without buttons that is up
// while a data file is read. It is on the screen, painted, when the
// constructor returns; destroying it takes it down.
class NowSearchDialog : public QDialog {
    Q_OBJECT

public:
    explicit NowSearchDialog(QWidget* parent = nullptr);
    ~NowSearchDialog() override;

private:
    void paintBeforeReturning();
};
