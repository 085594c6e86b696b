// Saves a PNG of every dialog into the folder given as the argument, so the
// layouts can be looked at next to their templates.
#include "DialogColors.h"
#include "DialogTemplates.h"
#include "NowSearchDialog.h"
#include "TemplateDialogBuilder.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QPixmap>

#include <cstdio>

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
        TemplateDialogBuilder(t).build(dialog);
        dialog.show();
        QCoreApplication::processEvents();
        const QString path = out.filePath(QStringLiteral("template%1.png").arg(t.id));
        dialog.grab().save(path);
        std::printf("%s\n", qPrintable(path));
    }
    return 0;
}
