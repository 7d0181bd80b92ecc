#pragma once
// The name box of a new record takes only what the score file can store:
// at most 25 characters, each one Windows-1252 holds, no control
// characters. So the table later shows exactly what the player typed.
class QInputDialog;

namespace quibix {

void limitToStorableName(QInputDialog& dialog);

} // namespace quibix
