#pragma once
// The menu bar, built from the menu table. Check marks belong to the game:
// a click never toggles an item by itself, the handler sets the mark.
#include "ports/MenuPort.h"

#include <QObject>

#include <map>

class QAction;
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
    void triggered(quibix::MenuItem item);

private:
    void connectItem(QAction* action, MenuItem item);

    std::map<MenuItem, QAction*> actions_;
};

} // namespace quibix
