#pragma once
// A session ending (logout, `kill`) closes the window as the player would,
// so a game in progress is recorded and nothing is left half-written.
class QWidget;

namespace quibix {

// SIGTERM, SIGHUP and SIGINT close `window` from the event loop.
void closeOnQuitSignals(QWidget& window);

} // namespace quibix
