// SPDX-License-Identifier: MIT
#include "DialogColors.h"

#include <QApplication>
#include <QMenu>
#include <QPalette>
#include <QWidget>

#include <optional>

namespace {

struct DialogColorPair {
    QColor background;
    QColor text;
};

std::optional<DialogColorPair>& dialogColors()
{
    static std::optional<DialogColorPair> colors;
    return colors;
}

QPalette menuPalette()
{
    return QApplication::palette("QMenu");
}

}  // namespace

void setDialogBkColor(const QColor& background, const QColor& text)
{
    dialogColors() = DialogColorPair{background, text};
}

QColor menuBackgroundColor()
{
    return menuPalette().color(QPalette::Active, QPalette::Window);
}

QColor menuTextColor()
{
    return menuPalette().color(QPalette::Active, QPalette::WindowText);
}

void applyDialogColors(QWidget& dialog)
{
    const auto& colors = dialogColors();
    if (!colors)
        return;
    QPalette palette = dialog.palette();
    for (const auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        palette.setColor(group, QPalette::Window, colors->background);
        palette.setColor(group, QPalette::WindowText, colors->text);
    }
    // Buttons and labels keep the dialog's look; fields keep their own base.
    palette.setColor(QPalette::Active, QPalette::Button, colors->background);
    palette.setColor(QPalette::Inactive, QPalette::Button, colors->background);
    palette.setColor(QPalette::Active, QPalette::ButtonText, colors->text);
    palette.setColor(QPalette::Inactive, QPalette::ButtonText, colors->text);
    dialog.setPalette(palette);
    dialog.setAutoFillBackground(true);
}
