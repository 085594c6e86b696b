// SPDX-License-Identifier: MIT
#include "MessageBox.h"

#include "DialogColors.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QMessageBox>

void showMessageBox(QWidget* owner, const QString& text)
{
    QMessageBox box(QMessageBox::NoIcon, QCoreApplication::applicationName(), text, QMessageBox::Ok, owner);
    box.setObjectName(QStringLiteral("messagebox"));
    box.setTextFormat(Qt::PlainText);
    // Desktop themes put a tick on a standard OK button; ours is plain.
    box.button(QMessageBox::Ok)->setIcon(QIcon());
    applyDialogColors(box);
    box.exec();
}
