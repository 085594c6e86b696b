// SPDX-License-Identifier: MIT
#include "DetailDialog.h"

#include "Cp932Text.h"
#include "DialogOpeners.h"
#include "DialogTemplates.h"
#include "RulesText.h"
#include "TemplateDialogBuilder.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>

#include <string_view>

namespace {

// The template's control ids, in the order of its fields.
enum ControlId : int { kNameId = 111, kTypeId, kRulesId, kNoteId, kIllustId, kRateId, kLegendButtonId };

// Decodes the composed text line by line: a line that ends in a lone lead
// byte must not swallow the CR of its line break.
QString displayText(std::string_view composed)
{
    constexpr std::string_view lineBreak = "\r\n";
    QString shown;
    std::size_t start = 0;
    for (std::size_t end = composed.find(lineBreak); end != std::string_view::npos;
         end = composed.find(lineBreak, start)) {
        shown += fromCp932(composed.substr(start, end - start));
        shown += QLatin1Char('\n');
        start = end + lineBreak.size();
    }
    shown += fromCp932(composed.substr(start));
    return shown;
}

}  // namespace

DetailDialog::DetailDialog(QWidget* parent) : TemplateDialog(kDetailTemplateId, parent)
{
    // The rules text and the note have no caption to name them.
    dialogControl<QWidget>(*this, kRulesId)->setAccessibleName(QStringLiteral("テキスト"));
    dialogControl<QWidget>(*this, kNoteId)->setAccessibleName(QStringLiteral("注記"));
    connect(dialogControl<QPushButton>(*this, kLegendButtonId), &QPushButton::clicked, this, &DetailDialog::OnLegend);
    makeTextsCopyable();
}

// Any text can be selected with the mouse and copied with Ctrl+C; the
// context menu, wherever it opens, copies the whole card.
void DetailDialog::makeTextsCopyable()
{
    for (QLabel* label : findChildren<QLabel*>()) {
        label->setTextInteractionFlags(Qt::TextSelectableByMouse);
        label->setContextMenuPolicy(Qt::NoContextMenu);
    }
    dialogControl<QPlainTextEdit>(*this, kRulesId)->setContextMenuPolicy(Qt::NoContextMenu);
    auto* copy = new QAction(QStringLiteral("コピー"), this);
    copy->setObjectName(QStringLiteral("copyCard"));
    connect(copy, &QAction::triggered, this, [this] { QGuiApplication::clipboard()->setText(cardText()); });
    addAction(copy);
    setContextMenuPolicy(Qt::ActionsContextMenu);
}

// Read off the controls in the template's order, so the text is the
// dialog's: a caption joins the text after it, the rules text gives its
// lines that hold something.
QString DetailDialog::cardText() const
{
    QStringList lines;
    QString caption;
    for (const ControlTemplate& control : findDialogTemplate(kDetailTemplateId)->controls) {
        if (control.kind == ControlKind::Label && control.id == kStaticId) {
            caption = QString::fromUtf8(control.text);
        } else if (control.kind == ControlKind::Label) {
            lines << caption + dialogControl<QLabel>(*this, control.id)->text();
            caption.clear();
        } else if (control.kind == ControlKind::Edit) {
            const QString rules = dialogControl<QPlainTextEdit>(*this, control.id)->toPlainText();
            lines << rules.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        }
    }
    return lines.join(QLatin1Char('\n'));
}

DetailDialog::~DetailDialog() = default;

void DetailDialog::OnLegend()
{
    runLegendDialog(this);
}

void DetailDialog::OnInitDialog()
{
    setLabel(kNameId, card.name);
    setLabel(kTypeId, card.type);
    dialogControl<QPlainTextEdit>(*this, kRulesId)->setPlainText(displayText(composeRulesText(card)));
    setLabel(kNoteId, card.note);
    setLabel(kIllustId, card.illust);
    setLabel(kRateId, card.rate);
}

void DetailDialog::setLabel(int id, const std::string& bytes)
{
    dialogControl<QLabel>(*this, id)->setText(fromCp932(bytes));
}
