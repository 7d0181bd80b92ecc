#include "ui/GameMenuBar.h"

#include "form/MenuTable.h"

#include <QAction>
#include <QKeySequence>
#include <QList>
#include <QMenu>
#include <QMenuBar>

#include <vector>

namespace quibix {

namespace {

QList<QKeySequence> shortcuts(const MenuEntry& entry)
{
    QList<QKeySequence> keys;
    for (const QKeyCombination key : entry.keys)
        if (key.key() != Qt::Key_unknown)
            keys.append(QKeySequence(key));
    return keys;
}

} // namespace

GameMenuBar::GameMenuBar(QMenuBar* bar) : QObject(bar)
{
    const auto table = menuTable();
    // The menu open at each depth while the table is walked.
    std::vector<QMenu*> open;
    for (std::size_t i = 0; i < table.size(); ++i) {
        const MenuEntry& e = table[i];
        const auto depth = static_cast<std::size_t>(e.depth);
        open.resize(depth);
        QMenu* parent = depth == 0 ? nullptr : open.back();
        if (depth > 0 && !parent)
            continue; // no menu to hold it: the table's own test fails on this
        if (!e.label) {
            if (parent)
                parent->addSeparator();
            continue;
        }
        const QString label = QString::fromUtf8(e.label);
        QAction* a = nullptr;
        if (opensMenu(i)) {
            QMenu* menu = parent ? parent->addMenu(label) : bar->addMenu(label);
            open.push_back(menu);
            a = menu->menuAction();
        } else {
            a = parent ? parent->addAction(label) : bar->addAction(label);
            a->setCheckable(e.check != CheckGroup::None);
            a->setChecked(e.checkedAtStart);
            a->setShortcuts(shortcuts(e));
            if (e.item)
                connectItem(a, *e.item);
        }
        if (e.item)
            actions_[*e.item] = a;
    }
}

void GameMenuBar::connectItem(QAction* a, MenuItem item)
{
    connect(a, &QAction::triggered, this, [this, a, item](bool nowChecked) {
        // Undo Qt's own toggle: the handler decides where the mark goes.
        if (a->isCheckable())
            a->setChecked(!nowChecked);
        emit triggered(item);
    });
}

QAction* GameMenuBar::action(MenuItem item) const
{
    auto it = actions_.find(item);
    return it == actions_.end() ? nullptr : it->second;
}

void GameMenuBar::setChecked(MenuItem item, bool checked)
{
    if (QAction* a = action(item); a && a->isCheckable())
        a->setChecked(checked);
}

bool GameMenuBar::checked(MenuItem item) const
{
    const QAction* a = action(item);
    return a && a->isChecked();
}

void GameMenuBar::setEnabled(MenuItem item, bool enabled)
{
    if (QAction* a = action(item))
        a->setEnabled(enabled);
}

bool GameMenuBar::enabled(MenuItem item) const
{
    const QAction* a = action(item);
    return a && a->isEnabled();
}

} // namespace quibix
