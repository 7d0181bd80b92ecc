#pragma once
// The menu bar. Check marks belong to the game: a click never toggles an
// item by itself, the game's handler sets the mark.
#include "ports/Ports.h"

#include <QObject>

#include <map>

class QAction;
class QMenu;
class QMenuBar;

namespace quibix {

class GameMenuBar final : public QObject {
    Q_OBJECT
public:
    // Fills `bar` with the game's menus.
    explicit GameMenuBar(QMenuBar* bar);

    void setChecked(MenuItem item, bool checked);
    bool checked(MenuItem item) const;
    void setEnabled(MenuItem item, bool enabled);
    bool enabled(MenuItem item) const;

    QAction* action(MenuItem item) const;

signals:
    void triggered(MenuItem item);

private:
    QAction* addItem(QMenu* menu, MenuItem item, const QString& text, bool checkable,
                     bool checked = false);

    std::map<MenuItem, QAction*> actions_;
};

} // namespace quibix
