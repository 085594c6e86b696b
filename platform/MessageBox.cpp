#include "MessageBox.h"

#include "DialogColors.h"

#include <QCoreApplication>
#include <QMessageBox>

void showMessageBox(QWidget* owner, const QString& text)
{
    QMessageBox box(QMessageBox::NoIcon, QCoreApplication::applicationName(), text,
                    QMessageBox::Ok, owner);
    box.setObjectName(QStringLiteral("messagebox"));
    box.setTextFormat(Qt::PlainText);
    applyDialogColors(box);
    box.exec();
}
