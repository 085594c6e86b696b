// Saves a PNG of every dialog into the folder given as the argument, so the
// layouts can be looked at next to their templates: each template as built,
// the search dialog with criteria filled and the detail dialog with a card
// of five rules-text lines.
#include "Cp932Text.h"
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

#include <cstdio>

namespace {

std::string bytes(const QString& text)
{
    return toCp932(text).value_or(std::string());
}

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

Card fiveLineCard()
{
    Card card;
    card.name = bytes(QStringLiteral("雷鳴の回廊"));
    card.type = bytes(QStringLiteral("アイス：錠前"));
    card.text[0] = bytes(QStringLiteral("このアイスはレズするたびに[2]を得る。"));
    card.text[1] = bytes(QStringLiteral("* ランナーはＡを１つ失う。"));
    card.text[2] = bytes(QStringLiteral("* ランナーが[1]を支払わない限り、ランを終了する。"));
    card.text[3] = bytes(QStringLiteral("- トレース３：成功したなら、ランナーのプログラム１つをＴする。"));
    card.text[4] = bytes(QStringLiteral("このテキストは折り返しを見るための長い一行で、箱の幅を越えて次の行へ続くはずである。"));
    card.note = bytes(QStringLiteral("「嵐の目の中では何も動かない」"));
    card.illust = bytes(QStringLiteral("Mira Tolvanen"));
    card.rate = bytes(QStringLiteral("Uncommon"));
    return card;
}

}  // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("Voxtarn card list finder"));
    if (argc < 2) {
        std::fprintf(stderr, "usage: dialog_shots <output folder>\n");
        return 2;
    }
    const QDir out(QString::fromLocal8Bit(argv[1]));
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
    search.name = bytes(QStringLiteral("雷鳴"));
    search.type = bytes(QStringLiteral("アイス"));
    search.rate = "Uncommon";
    search.side = 1;
    search.mode = 2;
    search.DoModal();

    DetailDialog detail;
    detail.card = fiveLineCard();
    detail.DoModal();
    return 0;
}
