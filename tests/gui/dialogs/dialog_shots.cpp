// Saves a PNG of every dialog into a folder, so the layouts can be looked at
// next to their templates: each template as built, and the search and detail
// dialogs filled from the first card with five rules-text lines in a data
// folder: dialog_shots <output folder> <data folder>.
#include "Card.h"
#include "DataFiles.h"
#include "ProfileStore.h"
#include "TextModeFile.h"
#include "DetailDialog.h"
#include "DialogColors.h"
#include "DialogFont.h"
#include "DialogTemplates.h"
#include "ModalDriver.h"
#include "SearchDialog.h"
#include "TemplateDialogBuilder.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFile>

#include <cstdio>
#include <optional>

namespace {

void save(QWidget& dialog, const QDir& out, const QString& name)
{
    const QString path = out.filePath(name);
    dialog.grab().save(path);
    std::printf("%s\n", qPrintable(path));
}

// Grabs the next modal dialog from inside its own loop, then closes it.
ModalDriver::Action grab(const QDir& out, const QString& name)
{
    return [out, name](QWidget* dialog) {
        save(*dialog, out, name);
        ModalDriver::close(dialog);
    };
}

// The first card with five rules-text lines in the data folder's files.
std::optional<Card> fiveLineCard(const QString& dataFolder)
{
    for (const char* file : datafiles) {
        const QString path = QDir(dataFolder).filePath(QString::fromLatin1(file));
        auto data = TextModeFile::open(QFile::encodeName(path).toStdString());
        Card card;
        while (data && card.read(*data) == 0) {
            if (!card.text[Card::kTextLines - 1].empty())
                return card;
        }
    }
    return std::nullopt;
}

}  // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QCoreApplication::setApplicationName(QString::fromLatin1(ProfileStore::kApplication));
    if (argc != 3) {
        std::fprintf(stderr, "usage: dialog_shots <output folder> <data folder>\n");
        return 2;
    }
    const QDir out(QString::fromLocal8Bit(argv[1]));
    const std::optional<Card> card = fiveLineCard(QString::fromLocal8Bit(argv[2]));
    if (!card) {
        std::fprintf(stderr, "dialog_shots: no card with five rules-text lines in %s\n", argv[2]);
        return 1;
    }
    setDialogBkColor(menuBackgroundColor(), menuTextColor());
    for (const DialogTemplate& t : allDialogTemplates()) {
        QDialog dialog;
        const TemplateDialogBuilder builder(t);
        builder.build(dialog);
        const DialogBaseUnits units = builder.baseUnits();
        std::printf("template %d: base units %d x %d, %d x %d units -> %d x %d px\n", t.id,
                    units.baseX(), units.baseY(), t.width, t.height, dialog.width(), dialog.height());
        dialog.show();
        QCoreApplication::processEvents();
        save(dialog, out, QStringLiteral("template%1.png").arg(t.id));
    }

    ModalDriver driver;
    driver.then(grab(out, QStringLiteral("search-filled.png")))
        .then(grab(out, QStringLiteral("detail-five-lines.png")));
    SearchDialog search;
    search.name = card->name;
    search.type = card->type;
    search.rate = card->rate;
    search.side = 1;
    search.mode = 2;
    search.DoModal();

    DetailDialog detail;
    detail.card = *card;
    detail.DoModal();
    return 0;
}
