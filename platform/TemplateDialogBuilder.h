// SPDX-License-Identifier: MIT
#pragma once

#include "DialogBaseUnits.h"
#include "DialogTemplate.h"

#include <QString>
#include <QWidget>

class QDialog;
class QFont;

// Turns a dialog template into a QDialog with its child controls, placed by
// converting dialog units with the template font's base units.
//
// Object names: the dialog is "dialog<template id>"; a control with an id is
// "id<id>" ("id1" for OK); a control without one is "static<index>", its
// 0-based position in the template. Radio buttons of one group share a
// QButtonGroup named "group<id of its first button>" with the buttons' ids.
// The OK button (id 1) calls accept(), Cancel (id 2) reject(): both are
// virtual, so a dialog class routes them to its own handlers.
class TemplateDialogBuilder {
public:
    explicit TemplateDialogBuilder(const DialogTemplate& dialogTemplate);

    // Builds the window and controls on `dialog`. The template position is
    // taken from the dialog's parent's top-left corner, or from the screen's
    // when it has none. The focus goes to the first control with a tab stop.
    void build(QDialog& dialog) const;

    // Builds the program's template `templateId` on `dialog`.
    static void buildFromResources(QDialog& dialog, int templateId);

    // The template's font with the dialog-font substitutions in place.
    QFont font() const;
    DialogBaseUnits baseUnits() const;

    static QString objectNameFor(const ControlTemplate& control, int index);
    static QString controlObjectName(int id);
    static QString groupObjectName(int firstId);
    static QString dialogObjectName(int templateId);

private:
    const DialogTemplate& template_;
};

// The control `id` of a dialog built from a template.
template <typename Widget>
Widget* dialogControl(const QWidget& dialog, int id)
{
    return dialog.findChild<Widget*>(TemplateDialogBuilder::controlObjectName(id));
}
