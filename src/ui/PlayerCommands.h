#pragma once
// What the keyboard and the gamepad ask of the game, carried out through
// the same handlers the mouse and the buttons use, so every rule (no aiming
// or firing during a shot or on the title screen) stays the game's.
namespace quibix {

class Form1;

enum class PlayerCommand { Fire, Start, StopGame };

// Turns the cannon `degrees` from where it points (left is positive),
// within its range; only while a game runs and no shot flies.
void turnCannon(Form1& form, int degrees);

// Fire: the loaded piece, as a click on the field. Start: "Start Game",
// from the title screen only. StopGame: "Stop Game", during a game only.
void carryOut(Form1& form, PlayerCommand command);

} // namespace quibix
