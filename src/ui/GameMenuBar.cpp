#include "ui/GameMenuBar.h"

#include <QAction>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>

#include <initializer_list>

namespace quibix {

QAction* GameMenuBar::addItem(QMenu* menu, MenuItem item, const QString& text, bool checkable,
                              bool checked)
{
    QAction* a = menu->addAction(text);
    a->setCheckable(checkable);
    a->setChecked(checked);
    actions_[item] = a;
    connect(a, &QAction::triggered, this, [this, a, item](bool nowChecked) {
        // Undo Qt's own toggle: the game decides where the mark goes.
        if (a->isCheckable())
            a->setChecked(!nowChecked);
        emit triggered(item);
    });
    return a;
}

GameMenuBar::GameMenuBar(QMenuBar* bar) : QObject(bar)
{
    QMenu* file = bar->addMenu(QStringLiteral("File"));
    addItem(file, MenuItem::NewGame, QStringLiteral("New Game"), false);
    addItem(file, MenuItem::StopGame, QStringLiteral("Stop Game"), false);
    file->addSeparator();
    addItem(file, MenuItem::Exit, QStringLiteral("Exit"), false);

    QMenu* level = bar->addMenu(QStringLiteral("Level"));
    actions_[MenuItem::LevelMenu] = level->menuAction();
    addItem(level, MenuItem::Easy, QStringLiteral("Easy"), true, true);
    addItem(level, MenuItem::Hard, QStringLiteral("Hard"), true);

    QMenu* sound = bar->addMenu(QStringLiteral("Sound"));
    addItem(sound, MenuItem::Music, QStringLiteral("Music"), true);
    addItem(sound, MenuItem::FxSound, QStringLiteral("FX Sound"), true);

    QMenu* back = bar->addMenu(QStringLiteral("Background"));
    addItem(back, MenuItem::BackgroundChange, QStringLiteral("Change"), false);

    QMenu* options = bar->addMenu(QStringLiteral("Options"));
    QMenu* combinations = options->addMenu(QStringLiteral("Piece Combinations"));
    actions_[MenuItem::PieceCombinations] = combinations->menuAction();
    const std::initializer_list<std::pair<MenuItem, const char*>> counts{
        {MenuItem::Combinations3, "3"}, {MenuItem::Combinations4, "4"},
        {MenuItem::Combinations5, "5"}, {MenuItem::Combinations6, "6"}};
    for (const auto& [item, text] : counts)
        addItem(combinations, item, QString::fromLatin1(text), true,
                item == MenuItem::Combinations3);
    QMenu* shapes = options->addMenu(QStringLiteral("Shape Definition"));
    actions_[MenuItem::ShapeDefinition] = shapes->menuAction();
    const std::initializer_list<std::pair<MenuItem, const char*>> shapeItems{
        {MenuItem::ShapeSquare, "Square"}, {MenuItem::ShapeFace, "Face"},
        {MenuItem::ShapeDiamond, "Diamond"}, {MenuItem::ShapeColumns, "Columns"},
        {MenuItem::ShapeSaw, "Saw"}, {MenuItem::ShapeRandom, "Random"}};
    for (const auto& [item, text] : shapeItems)
        addItem(shapes, item, QString::fromLatin1(text), true, item == MenuItem::ShapeSquare);
    addItem(options, MenuItem::ChoosePieces, QStringLiteral("Choose Pieces"), false);
    addItem(options, MenuItem::ChooseSkins, QStringLiteral("Choose Skins"), false);
    addItem(options, MenuItem::SaveSettings, QStringLiteral("Save Settings"), false);

    QMenu* help = bar->addMenu(QStringLiteral("Help"));
    addItem(help, MenuItem::About, QStringLiteral("About Quibix..."), false);
    addItem(help, MenuItem::Readme, QStringLiteral("Readme && Warranty"), false);

    // The usual desktop keys, shown beside the items.
    action(MenuItem::NewGame)->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_N));
    action(MenuItem::Exit)->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
    action(MenuItem::About)->setShortcut(QKeySequence(Qt::Key_F1));
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
