// SPDX-License-Identifier: MIT
#include "FilterBar.h"

#include "MainMenu.h"

#include <QCheckBox>
#include <QKeyEvent>
#include <QLineEdit>

namespace {

bool leavesTheBox(const QKeyEvent* key)
{
    return key->modifiers() == Qt::NoModifier || key->modifiers() == Qt::KeypadModifier
               ? key->key() == Qt::Key_Escape || key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter ||
                     key->key() == Qt::Key_Down
               : false;
}

}  // namespace

FilterBar::FilterBar(QWidget* parent)
    : QToolBar(QStringLiteral("絞り込み"), parent), text_(new QLineEdit(this)),
      fold_(new QCheckBox(QStringLiteral("かなと全角半角を区別しない"), this))
{
    setObjectName(QStringLiteral("filterBar"));
    setMovable(false);
    setFloatable(false);
    // Shown and hidden from the 表示 menu alone, not from a context menu of
    // its own or the window's.
    setContextMenuPolicy(Qt::PreventContextMenu);
    toggleViewAction()->setVisible(false);
    text_->setObjectName(QStringLiteral("filterText"));
    text_->setPlaceholderText(QStringLiteral("絞り込み (%1)").arg(QString::fromUtf8(keyName(AcceleratorKey::CtrlF))));
    text_->setClearButtonEnabled(true);
    text_->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    text_->installEventFilter(this);
    fold_->setObjectName(QStringLiteral("filterFold"));
    fold_->setChecked(true);
    addWidget(text_);
    addWidget(fold_);
    connect(text_, &QLineEdit::textChanged, this, &FilterBar::changed);
    connect(fold_, &QCheckBox::toggled, this, &FilterBar::changed);
}

QString FilterBar::text() const
{
    return text_->text();
}

void FilterBar::setText(const QString& text)
{
    text_->setText(text);
}

bool FilterBar::fold() const
{
    return fold_->isChecked();
}

void FilterBar::setFold(bool fold)
{
    fold_->setChecked(fold);
}

void FilterBar::focusText()
{
    text_->setFocus(Qt::ShortcutFocusReason);
    text_->selectAll();
}

// The keys are claimed before the window's shortcuts see them: Enter would
// otherwise open the details of the selected card.
bool FilterBar::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != text_ || (event->type() != QEvent::ShortcutOverride && event->type() != QEvent::KeyPress))
        return QToolBar::eventFilter(watched, event);
    const auto* key = static_cast<QKeyEvent*>(event);
    if (!leavesTheBox(key))
        return false;
    if (event->type() == QEvent::ShortcutOverride) {
        event->accept();
        return true;
    }
    const bool escape = key->key() == Qt::Key_Escape;
    if (escape)
        text_->clear();
    emit leftForList(!escape);
    return true;
}
