// SPDX-License-Identifier: MIT
#include "DeckParts.h"

#include "CardListBox.h"
#include "CardLister.h"
#include "DeckDocument.h"
#include "DeckExport.h"
#include "DeckMenu.h"
#include "DeckPanel.h"
#include "DialogOpeners.h"

#include <QAction>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>

DeckParts::DeckParts(QMainWindow& window, CardListBox& list, const card::CardLister& lister, StatusText status)
    : QObject(&window), window_(window), list_(list), lister_(lister),
      document_(new DeckDocument(lister.dataDir(), this)), panel_(new DeckPanel(*document_, &list, &window)),
      menu_(new DeckMenu(*document_, *panel_, window))
{
    window.addDockWidget(Qt::RightDockWidgetArea, panel_);
    placeMenus();
    (new DeckExport(window, *document_))->addToMenu(*menu_->menu());
    addListAction();
    connect(panel_, &DeckPanel::listLineDropped, this, &DeckParts::addSelectedCard);
    connect(panel_, &DeckPanel::detailsWanted, this, &DeckParts::showDetails);
    connect(menu_, &DeckMenu::statusMessage, this, std::move(status));
    list.setDragEnabled(true);
    list.setDragDropMode(QAbstractItemView::DragOnly);
}

// On the list's keys and in its context menu, beside コピー.
void DeckParts::addListAction()
{
    auto* add = new QAction(QStringLiteral("デッキに入れる"), &list_);
    add->setObjectName(QStringLiteral("addToDeck"));
    add->setShortcuts({QKeySequence(Qt::Key_Insert), QKeySequence(Qt::Key_Plus),
                       QKeySequence(Qt::KeypadModifier | Qt::Key_Plus)});
    add->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    connect(add, &QAction::triggered, this, &DeckParts::addSelectedCard);
    list_.addAction(add);
}

// デッキ before ヘルプ, the last menu; the panel's switch in 表示.
void DeckParts::placeMenus()
{
    QMenuBar* bar = window_.menuBar();
    bar->insertMenu(bar->actions().last(), menu_->menu());
    for (QAction* item : bar->actions())
        if (item->menu() && item->text().startsWith(QStringLiteral("表示")))
            item->menu()->addAction(panel_->toggleViewAction());
}

void DeckParts::addSelectedCard()
{
    const int row = list_.selectedCard();
    if (row < 0 || std::size_t(row) >= lister_.cards().size())
        return;  // no line, or the list is being read again
    document_->addCopy(lister_.sideOf(std::size_t(row)), lister_.cards()[std::size_t(row)].toCard());
    panel_->show();
}

void DeckParts::showDetails(std::size_t line)
{
    runDetailDialog(&window_, document_->deck().lines()[line].card);
}

void DeckParts::dataFolderChanged(const std::filesystem::path& folder)
{
    document_->setDataDir(folder);
}
