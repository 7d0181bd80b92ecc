#pragma once
// The window as the player left it: its size, its scale and full screen.
// Kept in the player's config folder (QSettings), apart from the game's
// own settings file, whose layout is fixed.
#include <QSize>

class QSettings;

namespace quibix {

struct WindowPrefs {
    QSize size;          // the window's inside (menu bar and stage); empty: not known
    int scale = 1;       // the stage's scale in a window, 1..4
    bool fullScreen = false;
    bool operator==(const WindowPrefs&) const = default;
};

// What `settings` holds, each value checked: a missing or damaged one
// gives its default.
WindowPrefs loadWindowPrefs(QSettings& settings);
void saveWindowPrefs(QSettings& settings, const WindowPrefs& prefs);

} // namespace quibix
