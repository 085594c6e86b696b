// SPDX-License-Identifier: MIT
// Writes the pictures of the documentation: the main window listing every
// card of a data folder, the same filtered with its matches marked and a
// line's tooltip, the legend, the About box, the searching-now notice,
// and the search and detail dialogs filled from the first card with five
// rules-text lines. Runs on any platform plugin, offscreen included; the
// user's settings are neither read nor written.
//   voxtarn-screenshots <data folder> <output folder>
#include "CMainWindow.h"
#include "DeckExport.h"
#include "DeckMenu.h"
#include "DeckParts.h"
#include "FilterBar.h"
#include "ListExport.h"
#include "ListReadings.h"
#include "Card.h"
#include "CardListBox.h"
#include "FilterBar.h"
#include "CardLayout.h"
#include "DetailDialog.h"
#include "DialogColors.h"
#include "DialogTemplates.h"
#include "ProfileStore.h"
#include "SearchDialog.h"
#include "TemplateDialogBuilder.h"
#include "TextModeFile.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QHelpEvent>
#include <QPainter>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTimer>

#include <cstdio>
#include <optional>

namespace {

QDir output;
bool anyFailed = false;  // then the exit status says so

// Names the file written, or says why it was not.
void report(const QString& path, const QString& failure)
{
    if (failure.isEmpty()) {
        std::printf("%s\n", qPrintable(path));
        return;
    }
    anyFailed = true;
    std::fprintf(stderr, "voxtarn-screenshots: %s\n", qPrintable(failure));
}

void save(QWidget& widget, const QString& name)
{
    const QString path = output.filePath(name);
    report(path, widget.grab().save(path) ? QString() : QStringLiteral("cannot write ") + path);
}

// Saves the next modal dialog once it is up, then closes it.
void saveNextModal(const QString& name)
{
    QTimer::singleShot(50, [name] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal)
            return saveNextModal(name);
        save(*modal, name);
        modal->close();
    });
}

void saveTemplate(int templateId, const QString& name)
{
    QDialog dialog;
    TemplateDialogBuilder::buildFromResources(dialog, templateId);
    dialog.show();
    QCoreApplication::processEvents();
    save(dialog, name);
}

// The list filtered by a word of the rules text and a type, the matches
// marked, with the tooltip of the first line drawn over the window.
void saveFilterMarks(CMainWindow& window)
{
    window.filterBar()->setText(QStringLiteral("x:トラッシュ | t:錠前"));
    CardListBox* list = window.listBox();
    list->setCurrentIndex(list->model()->index(0, 0));
    QCoreApplication::processEvents();
    const QRect cell = list->visualRect(list->model()->index(0, 2));
    QHelpEvent help(QEvent::ToolTip, cell.center(), list->viewport()->mapToGlobal(cell.center()));
    QCoreApplication::sendEvent(list->viewport(), &help);
    QCoreApplication::processEvents();
    QPixmap picture = window.grab();
    for (QWidget* top : QApplication::topLevelWidgets()) {
        if (top->inherits("QTipLabel") && top->isVisible()) {
            QPainter painter(&picture);
            painter.drawPixmap(top->pos() - window.geometry().topLeft(), top->grab());
        }
    }
    const QString path = output.filePath(QStringLiteral("filter-marks.png"));
    report(path, picture.save(path) ? QString() : QStringLiteral("cannot write ") + path);
    window.filterBar()->setText(QString());
}

void writePdf(const QString& failed, const QString& name)
{
    report(output.filePath(name), failed);
}

std::optional<card::Card> fiveLineCard(const QDir& data)
{
    for (const char* file : card::datafiles) {
        auto lines =
            card::TextModeFile::open(QFile::encodeName(data.filePath(QString::fromLatin1(file))).toStdString());
        card::Card card;
        while (lines && card.read(*lines) == 0) {
            if (!card.text[card::Card::kTextLines - 1].empty())
                return card;
        }
    }
    return std::nullopt;
}

}  // namespace

int main(int argc, char** argv)
{
    QTemporaryDir settings;
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(settings.path()));
    QApplication app(argc, argv);
    QCoreApplication::setApplicationName(QString::fromLatin1(ProfileStore::kApplication));
    const QStringList args = QCoreApplication::arguments();
    if (args.size() != 3) {
        std::fprintf(stderr, "usage: voxtarn-screenshots <data folder> <output folder>\n");
        return 2;
    }
    const QDir data(args[1]);
    output = QDir(args[2]);
    const std::optional<card::Card> card = fiveLineCard(data);
    if (!card) {
        std::fprintf(stderr, "voxtarn-screenshots: no card with five rules-text lines in %s\n", argv[1]);
        return 1;
    }
    setDialogBkColor(menuBackgroundColor(), menuTextColor());

    CMainWindow window(QFile::encodeName(data.path()).toStdString());
    window.resize(960, 520);
    window.show();
    window.OnListAll();
    // The list as a player sees it a moment later: its readings made and the
    // status bar back to the count.
    if (auto* readings = window.findChild<ListReadings*>()) {
        while (!readings->done())
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    }
    QCoreApplication::processEvents();
    save(window, QStringLiteral("main-window.png"));
    // Sorted by name: kana and kanji names together in the order of their readings.
    window.listBox()->sortByColumn(1, Qt::AscendingOrder);
    window.listBox()->scrollToTop();
    QCoreApplication::processEvents();
    save(window, QStringLiteral("main-window-by-reading.png"));
    window.OnFileOrder();
    saveFilterMarks(window);

    // A deck written by hand beside the list: odd counts, a name in hiragana
    // and one the data folder lacks.
    QTemporaryDir decks;
    const QString deckFile = decks.filePath(QStringLiteral("速攻.txt"));
    QFile written(deckFile);
    if (written.open(QIODevice::WriteOnly))
        written.write(QStringLiteral("# 速攻コーポと侵入具\n[Corporate]\n3x 鋼線の猟犬\n2 九重の錠前\n緊急予算編成 ×3\n"
                                     "3 白鷺データ保管庫\n[Runner]\n3 錆びた合鍵\n2枚 骨抜きはんまー\n夜行列車の切符\n"
                                     "2 なぞの札\n").toUtf8());
    written.close();
    window.deck()->menu().openFile(deckFile);
    window.deck()->addSelectedCard();
    window.resize(1200, 560);
    QCoreApplication::processEvents();
    save(window, QStringLiteral("deck-panel.png"));
    // The printed deck and the printed list of the アイス, as PDF pages
    // (scripts/screenshots turns them into pictures).
    writePdf(window.findChild<DeckExport*>()->writePdf(output.filePath(QStringLiteral("printed-deck.pdf"))),
             QStringLiteral("printed-deck.pdf"));
    window.filterBar()->setText(QStringLiteral("t:アイス"));
    for (QElapsedTimer filtering; !filtering.isValid() || filtering.elapsed() < 300;) {
        filtering.isValid() ? void() : filtering.start();
        QCoreApplication::processEvents();
    }
    writePdf(window.findChild<ListExport*>()->writePdf(output.filePath(QStringLiteral("printed-list.pdf"))),
             QStringLiteral("printed-list.pdf"));
    window.hide();

    saveTemplate(kLegendTemplateId, QStringLiteral("legend.png"));
    saveTemplate(kAboutTemplateId, QStringLiteral("about.png"));
    saveTemplate(kNoticeTemplateId, QStringLiteral("notice.png"));

    SearchDialog search;
    search.criteria = {card->name, card->type, card->rate, 1, card::search_mode::Partial};
    saveNextModal(QStringLiteral("search-dialog.png"));
    search.DoModal();

    DetailDialog detail;
    detail.card = *card;
    saveNextModal(QStringLiteral("detail-dialog.png"));
    detail.DoModal();
    return anyFailed ? 1 : 0;
}
