// SPDX-License-Identifier: MIT
#include "FilterBar.h"

#include "FilterText.h"
#include "MainMenu.h"

#include <QAction>
#include <QCheckBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QStyle>

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
      fold_(new QCheckBox(QStringLiteral("かなと全角半角を区別しない"), this)), historyMenu_(new QMenu(this)),
      history_(FilterHistory::load())
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
    // A pasted page would cost the box itself a tenth of a second to lay
    // out; one character past what the filter reads still shows it is cut.
    text_->setMaxLength(int(card::FilterText::kMaxCharacters) + 1);
    text_->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    text_->installEventFilter(this);
    fold_->setObjectName(QStringLiteral("filterFold"));
    fold_->setChecked(true);
    addWidget(text_);
    addWidget(fold_);
    connect(text_, &QLineEdit::textChanged, this, &FilterBar::changed);
    connect(text_, &QLineEdit::textEdited, this, [this] { changedSinceUse_ = true; });
    connect(fold_, &QCheckBox::toggled, this, &FilterBar::changed);

    historyMenu_->setObjectName(QStringLiteral("filterHistoryMenu"));
    QAction* arrow = text_->addAction(style()->standardIcon(QStyle::SP_ArrowDown), QLineEdit::TrailingPosition);
    arrow->setObjectName(QStringLiteral("filterHistoryButton"));
    arrow->setToolTip(QStringLiteral("履歴 (Alt+↓)"));
    connect(arrow, &QAction::triggered, this, &FilterBar::showHistory);
}

void FilterBar::showHistory()
{
    fillHistoryMenu();
    historyMenu_->popup(text_->mapToGlobal(QPoint(0, text_->height())));
}

// "&" is text here, not the mark of a key.
void FilterBar::fillHistoryMenu()
{
    historyMenu_->clear();
    for (const QString& text : history_.texts()) {
        QAction* entry = historyMenu_->addAction(QString(text).replace(u'&', QStringLiteral("&&")));
        connect(entry, &QAction::triggered, this, [this, text] {
            text_->setText(text);
            useText();
        });
    }
    if (history_.texts().isEmpty())
        historyMenu_->addAction(QStringLiteral("(履歴なし)"))->setEnabled(false);
}

void FilterBar::useText()
{
    changedSinceUse_ = false;
    if (const QString unwritten = history_.use(text_->text()); !unwritten.isEmpty())
        emit historyNotWritten(unwritten);
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
    if (watched == text_ && event->type() == QEvent::FocusOut && changedSinceUse_) {
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::PopupFocusReason && reason != Qt::ActiveWindowFocusReason)
            useText();
    }
    if (watched != text_ || (event->type() != QEvent::ShortcutOverride && event->type() != QEvent::KeyPress))
        return QToolBar::eventFilter(watched, event);
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() == Qt::Key_Down && key->modifiers() == Qt::AltModifier) {
        if (event->type() == QEvent::KeyPress)
            showHistory();
        event->accept();
        return true;
    }
    if (!leavesTheBox(key))
        return false;
    if (event->type() == QEvent::ShortcutOverride) {
        event->accept();
        return true;
    }
    const bool escape = key->key() == Qt::Key_Escape;
    if (escape)
        text_->clear();
    else
        useText();
    emit leftForList(!escape);
    return true;
}
