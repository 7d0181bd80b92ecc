#pragma once
// The game's message boxes: one OK button, and text the player can select
// and copy (a failed save names the file and the reason).
#include <QMessageBox>
#include <QString>

namespace quibix {

void showMessage(QWidget* parent, QMessageBox::Icon icon, const QString& title, const QString& text);

} // namespace quibix
