// SPDX-License-Identifier: MIT
#include "TemplateDialogBuilder.h"

#include "AppIcon.h"
#include "DialogColors.h"
#include "DialogFont.h"
#include "DialogTemplates.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QFrame>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProxyStyle>
#include <QPushButton>
#include <QRadioButton>
#include <QStyleFactory>
#include <QTextOption>

#include <algorithm>
#include <span>
#include <vector>

namespace {

constexpr int kIconPixels = 32;

bool has(std::uint32_t style, std::uint32_t flag)
{
    return (style & flag) != 0;
}

QString utf8(const char* text)
{
    return QString::fromUtf8(text);
}

Qt::WindowFlags windowFlagsFor(std::uint32_t style)
{
    if (!has(style, DialogCaption))
        return Qt::Dialog | Qt::FramelessWindowHint;
    Qt::WindowFlags flags = Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint;
    if (has(style, DialogSystemMenu))
        flags |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
    return flags;
}

// A captionless window has no frame of the window manager's, so it draws
// its own: one pixel for a thin border, a raised panel for a modal frame.
int drawnBorderWidth(std::uint32_t style)
{
    if (has(style, DialogCaption))
        return 0;
    if (has(style, DialogModalFrame))
        return 2;
    return has(style, DialogThinBorder) ? 1 : 0;
}

void addDrawnBorder(QDialog& dialog, std::uint32_t style, QSize size)
{
    auto* frame = new QFrame(&dialog);
    frame->setObjectName(QStringLiteral("border"));
    if (has(style, DialogModalFrame)) {
        frame->setFrameStyle(QFrame::WinPanel | QFrame::Raised);
        frame->setLineWidth(2);
    } else {
        frame->setFrameStyle(QFrame::Box | QFrame::Plain);
        frame->setLineWidth(1);
    }
    frame->setGeometry(QRect(QPoint(0, 0), size));
    frame->setFocusPolicy(Qt::NoFocus);
}

QWidget* makeLabel(QDialog& dialog, const ControlTemplate& control)
{
    auto* label = new QLabel(&dialog);
    label->setTextFormat(Qt::PlainText);
    label->setText(utf8(control.text));
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setWordWrap(!has(control.style, StyleNoWordWrap));
    return label;
}

QWidget* makeMultiLineEdit(QDialog& dialog, const ControlTemplate& control)
{
    auto* edit = new QPlainTextEdit(&dialog);
    edit->setReadOnly(has(control.style, StyleReadOnly));
    edit->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    edit->setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    edit->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    edit->setVerticalScrollBarPolicy(has(control.style, StyleVScroll) ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAsNeeded);
    edit->setTabChangesFocus(true);
    edit->setFrameShape(has(control.style, StyleBorder) ? QFrame::StyledPanel : QFrame::NoFrame);
    edit->setPlainText(utf8(control.text));
    return edit;
}

QWidget* makeEdit(QDialog& dialog, const ControlTemplate& control)
{
    if (has(control.style, StyleMultiLine))
        return makeMultiLineEdit(dialog, control);
    auto* edit = new QLineEdit(&dialog);
    edit->setFrame(has(control.style, StyleBorder));
    edit->setReadOnly(has(control.style, StyleReadOnly));
    edit->setText(utf8(control.text));
    return edit;
}

QWidget* makePushButton(QDialog& dialog, const ControlTemplate& control)
{
    auto* button = new QPushButton(utf8(control.text), &dialog);
    button->setDefault(has(control.style, StyleDefaultButton));
    if (control.id == IDOK)
        QObject::connect(button, &QPushButton::clicked, &dialog, &QDialog::accept);
    else if (control.id == IDCANCEL)
        QObject::connect(button, &QPushButton::clicked, &dialog, &QDialog::reject);
    return button;
}

// The templates were laid out for a 13-pixel check mark with its text 3
// pixels after it; the desktop style may leave more room, which would push
// the end of a text that just fits out of its rectangle.
class CheckMarkSpacing : public QProxyStyle {
public:
    using QProxyStyle::QProxyStyle;

    int pixelMetric(PixelMetric metric, const QStyleOption* option, const QWidget* widget) const override
    {
        if (metric == PM_RadioButtonLabelSpacing || metric == PM_CheckBoxLabelSpacing)
            return std::min(3, QProxyStyle::pixelMetric(metric, option, widget));
        return QProxyStyle::pixelMetric(metric, option, widget);
    }
};

template <typename Button>
QWidget* makeCheckButton(QDialog& dialog, const ControlTemplate& control)
{
    auto* button = new Button(utf8(control.text), &dialog);
    auto* spacing = dialog.findChild<CheckMarkSpacing*>();
    if (!spacing) {
        spacing = new CheckMarkSpacing(QStyleFactory::create(dialog.style()->name()));
        spacing->setParent(&dialog);
    }
    button->setStyle(spacing);
    return button;
}

QWidget* makeComboBox(QDialog& dialog, const ControlTemplate& control)
{
    auto* combo = new QComboBox(&dialog);
    combo->setEditable(true);
    // The list offers entries; the field takes whatever is typed, unchanged
    // and uncompleted, and typing adds nothing to the list.
    combo->setCompleter(nullptr);
    combo->setInsertPolicy(QComboBox::NoInsert);
    combo->setEditText(utf8(control.text));
    return combo;
}

QWidget* makeIcon(QDialog& dialog, const ControlTemplate& control)
{
    auto* label = new QLabel(&dialog);
    if (QString::fromUtf8(control.text) == QLatin1String(kAppIconName))
        label->setPixmap(appIcon().pixmap(kIconPixels, kIconPixels));
    return label;
}

QWidget* makeControl(QDialog& dialog, const ControlTemplate& control)
{
    switch (control.kind) {
    case ControlKind::Label: return makeLabel(dialog, control);
    case ControlKind::Edit: return makeEdit(dialog, control);
    case ControlKind::PushButton: return makePushButton(dialog, control);
    case ControlKind::GroupBox: return new QGroupBox(utf8(control.text), &dialog);
    case ControlKind::RadioButton: return makeCheckButton<QRadioButton>(dialog, control);
    case ControlKind::CheckBox: return makeCheckButton<QCheckBox>(dialog, control);
    case ControlKind::ComboBox: return makeComboBox(dialog, control);
    case ControlKind::Icon: return makeIcon(dialog, control);
    }
    return new QWidget(&dialog);
}

// Where the control sits, in pixels of the dialog's client area. An icon
// takes its own size; a combo box's template height includes its drop-down
// list, so the closed box takes the height the style gives it.
QRect placeFor(const QWidget& widget, const ControlTemplate& control, const DialogBaseUnits& units)
{
    QRect rect = units.toPixels(control.x, control.y, control.width, control.height);
    if (control.kind == ControlKind::Icon)
        rect.setSize(QSize(kIconPixels, kIconPixels));
    else if (control.kind == ControlKind::ComboBox)
        rect.setHeight(std::min(rect.height(), widget.sizeHint().height()));
    return rect;
}

bool takesFocus(const ControlTemplate& control)
{
    switch (control.kind) {
    case ControlKind::Label:
    case ControlKind::GroupBox:
    case ControlKind::Icon: return false;
    default: return true;
    }
}

// The keyboard in a radio group, as dialog boxes on Windows handle it: Tab
// reaches the group at its checked button only (the first when none is
// checked), and the arrow keys move the check together with the focus,
// wrapping at the group's ends. Qt's own buttons may take Tab on every button
// and move the focus alone, leaving the old button checked.
class RadioGroupKeys : public QObject {
public:
    explicit RadioGroupKeys(QButtonGroup* group) : QObject(group), group_(group)
    {
        connect(group, &QButtonGroup::buttonToggled, this, &RadioGroupKeys::updateTabStop);
    }

    void updateTabStop()
    {
        const QList<QAbstractButton*> buttons = group_->buttons();
        const QAbstractButton* stop = group_->checkedButton() ? group_->checkedButton() : buttons.value(0);
        for (QAbstractButton* button : buttons)
            button->setFocusPolicy(button == stop ? Qt::StrongFocus : Qt::ClickFocus);
    }

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::KeyPress)
            return false;
        const int step = stepFor(static_cast<QKeyEvent*>(event)->key());
        const QList<QAbstractButton*> buttons = group_->buttons();
        const qsizetype at = buttons.indexOf(static_cast<QAbstractButton*>(watched));
        if (step == 0 || at < 0)
            return false;
        QAbstractButton* next = buttons[(at + step + buttons.size()) % buttons.size()];
        next->setChecked(true);
        next->setFocus(step > 0 ? Qt::TabFocusReason : Qt::BacktabFocusReason);
        return true;
    }

private:
    static int stepFor(int key)
    {
        switch (key) {
        case Qt::Key_Down:
        case Qt::Key_Right: return 1;
        case Qt::Key_Up:
        case Qt::Key_Left: return -1;
        default: return 0;
        }
    }

    QButtonGroup* group_;
};

// Radio buttons form one exclusive group from a button that starts a group
// up to the next control that starts one.
class RadioGrouper {
public:
    explicit RadioGrouper(QDialog& dialog) : dialog_(dialog) {}

    void add(QWidget* widget, const ControlTemplate& control)
    {
        if (has(control.style, StyleStartsGroup) || control.kind != ControlKind::RadioButton)
            group_ = nullptr;
        if (control.kind != ControlKind::RadioButton)
            return;
        if (!group_) {
            group_ = new QButtonGroup(&dialog_);
            group_->setObjectName(TemplateDialogBuilder::groupObjectName(control.id));
            group_->setExclusive(true);
            keys_ = new RadioGroupKeys(group_);
        }
        group_->addButton(static_cast<QRadioButton*>(widget), control.id);
        widget->installEventFilter(keys_);
        keys_->updateTabStop();
    }

private:
    QDialog& dialog_;
    QButtonGroup* group_ = nullptr;
    RadioGroupKeys* keys_ = nullptr;
};

// A caption is a static text standing just before the field it names: a
// text field, a drop-down or a text a program fills in (a label with an id).
bool isCaptionOf(const ControlTemplate& label, const ControlTemplate& next)
{
    if (label.kind != ControlKind::Label || label.id != kStaticId)
        return false;
    return next.kind == ControlKind::Edit || next.kind == ControlKind::ComboBox ||
           (next.kind == ControlKind::Label && next.id != kStaticId);
}

// What a screen reader calls a control: its caption or its own text, without
// the mnemonic marker and the full-width colon that ends a caption.
QString accessibleNameFrom(const char* text)
{
    QString name = QString::fromUtf8(text);
    name.remove(QLatin1Char('&'));
    if (name.endsWith(QChar(0xFF1A)))  // ：
        name.chop(1);
    return name;
}

// Pairs each caption with its field as the label's buddy, so the caption
// names the field and its mnemonic (when it has one) moves the focus there.
void nameControls(const std::vector<QWidget*>& widgets, std::span<const ControlTemplate> controls)
{
    for (std::size_t i = 0; i < controls.size(); ++i) {
        if (*controls[i].text && widgets[i]->accessibleName().isEmpty())
            widgets[i]->setAccessibleName(accessibleNameFrom(controls[i].text));
        if (i + 1 < controls.size() && isCaptionOf(controls[i], controls[i + 1])) {
            static_cast<QLabel*>(widgets[i])->setBuddy(widgets[i + 1]);
            widgets[i + 1]->setAccessibleName(accessibleNameFrom(controls[i].text));
        }
    }
}

}  // namespace

TemplateDialogBuilder::TemplateDialogBuilder(const DialogTemplate& dialogTemplate) : template_(dialogTemplate) {}

void TemplateDialogBuilder::buildFromResources(QDialog& dialog, int templateId)
{
    const DialogTemplate* found = findDialogTemplate(templateId);
    // The templates are compiled in: a missing one is a build defect.
    if (!found)
        qFatal("no dialog template %d", templateId);
    TemplateDialogBuilder(*found).build(dialog);
}

QString TemplateDialogBuilder::objectNameFor(const ControlTemplate& control, int index)
{
    if (control.id == kStaticId)
        return QStringLiteral("static%1").arg(index);
    return controlObjectName(control.id);
}

QString TemplateDialogBuilder::controlObjectName(int id)
{
    return QStringLiteral("id%1").arg(id);
}

QString TemplateDialogBuilder::groupObjectName(int firstId)
{
    return QStringLiteral("group%1").arg(firstId);
}

QString TemplateDialogBuilder::dialogObjectName(int templateId)
{
    return QStringLiteral("dialog%1").arg(templateId);
}

QFont TemplateDialogBuilder::font() const
{
    return dialogFont(QString::fromUtf8(template_.fontName), template_.pointSize);
}

DialogBaseUnits TemplateDialogBuilder::baseUnits() const
{
    return DialogBaseUnits::forFont(font());
}

void TemplateDialogBuilder::build(QDialog& dialog) const
{
    dialog.setObjectName(dialogObjectName(template_.id));
    dialog.setWindowFlags(windowFlagsFor(template_.style));
    dialog.setWindowTitle(utf8(template_.caption));
    dialog.setFont(font());
    applyDialogColors(dialog);

    const DialogBaseUnits units = baseUnits();
    const int border = drawnBorderWidth(template_.style);
    const QSize client = units.toPixels(QSize(template_.width, template_.height));
    const QSize outer = client + QSize(2 * border, 2 * border);
    if (border > 0)
        addDrawnBorder(dialog, template_.style, outer);

    RadioGrouper grouper(dialog);
    std::vector<QWidget*> widgets;
    std::vector<QWidget*> focusChain;
    QWidget* firstTabStop = nullptr;
    int index = 0;
    for (const ControlTemplate& control : template_.controls) {
        QWidget* widget = makeControl(dialog, control);
        widget->setObjectName(objectNameFor(control, index++));
        widget->setGeometry(placeFor(*widget, control, units).translated(border, border));
        if (takesFocus(control)) {
            const bool tabStop = has(control.style, StyleTabStop);
            widget->setFocusPolicy(tabStop ? Qt::StrongFocus : Qt::ClickFocus);
            focusChain.push_back(widget);
            if (tabStop && !firstTabStop)
                firstTabStop = widget;
        } else {
            widget->setFocusPolicy(Qt::NoFocus);
        }
        grouper.add(widget, control);
        widgets.push_back(widget);
    }
    nameControls(widgets, template_.controls);
    for (std::size_t i = 1; i < focusChain.size(); ++i)
        QWidget::setTabOrder(focusChain[i - 1], focusChain[i]);

    dialog.setFixedSize(outer);
    const QWidget* owner = dialog.parentWidget();
    const QPoint origin = owner ? owner->mapToGlobal(QPoint(0, 0)) : QPoint(0, 0);
    dialog.move(origin + units.toPixels(template_.x, template_.y));
    if (firstTabStop)
        firstTabStop->setFocus();
}
