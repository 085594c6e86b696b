// SPDX-License-Identifier: MIT
#include "PrintJob.h"

#include "TablePrinter.h"

#include <QApplication>
#include <QDate>
#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <QMessageBox>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QProgressDialog>
#include <QPushButton>
#include <QTemporaryFile>

#include <filesystem>
#include <memory>

namespace {

// A progress dialog that shows once the work takes a moment; its 中止 stops it.
class PageProgress {
public:
    explicit PageProgress(QWidget& window)
        : dialog_(QString(), QStringLiteral("中止"), 0, 1, &window)
    {
        dialog_.setWindowModality(Qt::WindowModal);
        dialog_.setMinimumDuration(300);
        dialog_.setAutoReset(false);
        dialog_.setWindowTitle(QCoreApplication::applicationName());
    }

    TablePrinter::Progress step(const QString& what)
    {
        return [this, what](int done, int total) {
            dialog_.setMaximum(total);
            dialog_.setLabelText(what.arg(QLocale().toString(done)).arg(QLocale().toString(total)));
            // Events run in there once the dialog shows, modal to the window:
            // the list cannot change under the pages.
            dialog_.setValue(done);
            return !dialog_.wasCanceled();
        };
    }

private:
    QProgressDialog dialog_;
};

const QString kMeasuring = QStringLiteral("ページを割り付けています (%1 / %2行)");
const QString kPainting = QStringLiteral("ページを作っています (%1 / %2ページ)");

bool endsLikeAPdf(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) && file.size() > 8 && file.seek(file.size() - 8) &&
           file.read(8).contains("%%EOF");
}

QFont windowFont(const QWidget& window)
{
    return QFont(window.font().family());
}

}  // namespace

PrintJob::PrintJob(QWidget& window, PrintTable table) : window_(window), table_(std::move(table)) {}

bool PrintJob::agreeToPages(QPrinter& printer)
{
    TablePrinter pages(table_, windowFont(window_), QDate::currentDate());
    {
        PageProgress progress(window_);  // gone before the question
        if (!pages.paginate(printer, progress.step(kMeasuring)))
            return false;
    }
    pageCount_ = pages.pageCount();
    if (pageCount_ <= kAskAbove)
        return true;
    QMessageBox ask(QMessageBox::Question, QCoreApplication::applicationName(),
                    QStringLiteral("%1ページになります。ページを作りますか?").arg(QLocale().toString(pageCount_)),
                    QMessageBox::NoButton, &window_);
    QPushButton* make = ask.addButton(QStringLiteral("作る"), QMessageBox::AcceptRole);
    ask.addButton(QStringLiteral("キャンセル"), QMessageBox::RejectRole);
    ask.setDefaultButton(make);
    ask.exec();
    return ask.clickedButton() == make;
}

bool PrintJob::paint(QPrinter& printer)
{
    TablePrinter pages(table_, windowFont(window_), QDate::currentDate());
    PageProgress progress(window_);
    const bool done = pages.print(printer, progress.step(kMeasuring), progress.step(kPainting));
    pageCount_ = pages.pageCount();
    return done;
}

void PrintJob::preview()
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(table_.title);
    if (!agreeToPages(printer))
        return;
    QPrintPreviewDialog dialog(&printer, &window_);
    dialog.setObjectName(QStringLiteral("printPreview"));
    dialog.setWindowTitle(QStringLiteral("印刷プレビュー"));
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog, [this](QPrinter* target) { paint(*target); });
    dialog.exec();
}

// Written beside the target and renamed over it once whole, so that a
// stopped or failed export leaves the earlier file as it was.
QString PrintJob::writePdf(const QString& path)
{
    const QString shownPath = QDir::toNativeSeparators(path);
    const auto failed = [&shownPath](const QString& why) {
        return QStringLiteral("PDFを書き出せない: ") + why + u'\n' + shownPath;
    };
    QTemporaryFile temporary(QFileInfo(path).absolutePath() + QStringLiteral("/.voxtarn-XXXXXX.pdf"));
    if (!temporary.open())
        return failed(temporary.errorString());
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(temporary.fileName());
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setDocName(table_.title);
    printer.setCreator(QCoreApplication::applicationName());
    if (!agreeToPages(printer))
        return {};
    if (!paint(printer))
        return printer.printerState() == QPrinter::Error ? failed(QStringLiteral("書き込みに失敗した")) : QString();
    // The painter does not tell of a write cut short; a whole PDF ends so.
    if (!endsLikeAPdf(temporary.fileName()))
        return failed(QStringLiteral("書き込みに失敗した"));
    temporary.close();
    temporary.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther);
    std::error_code error;
    std::filesystem::rename(temporary.fileName().toStdU16String(), path.toStdU16String(), error);
    if (error)
        return failed(QString::fromLocal8Bit(error.message()));
    temporary.setAutoRemove(false);
    return {};
}
