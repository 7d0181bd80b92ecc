#include "ui/PlayerCommands.h"

#include "form/Form1.h"

namespace quibix {

void turnCannon(Form1& form, int degrees)
{
    if (degrees == 0 || !form.running() || form.shotInProgress())
        return;
    form.aimAt(form.engine().grados() + degrees);
}

void carryOut(Form1& form, PlayerCommand command)
{
    switch (command) {
    case PlayerCommand::Fire:
        form.Picture1_Click();
        break;
    case PlayerCommand::Start:
        // The button lies on the title screen: a game in play goes on.
        if (!form.running())
            form.cmdStart_Click();
        break;
    case PlayerCommand::StopGame:
        form.MenuFile_Click(1);
        break;
    }
}

} // namespace quibix
