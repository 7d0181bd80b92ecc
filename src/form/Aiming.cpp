// Aiming: the mouse turns the cannon, Escape frees or hides the cursor.
#include "form/Form1.h"

#include "render/Cannon.h"

namespace quibix {

namespace {
constexpr int kEscape = 27;
} // namespace

void Form1::Picture1_MouseMove(float x, float /*y*/)
{
    aimAt(angleForMouseX(x));
}

void Form1::aimAt(int grados)
{
    // The cannon keeps the shot's angle until the shot is over.
    if (blnDisparo)
        return;
    PintaCanon(rules.aim(grados));
}

void Form1::PintaCanon(int16_t grados) { drawCannon(canvas, grados); }

void Form1::Form_KeyPress(int keyAscii)
{
    // Only a game confines and hides the pointer; on the title screen the
    // player must always reach the buttons and the menu bar.
    if (keyAscii != kEscape || !gameRunning)
        return;
    if (blnCursor) {
        lngRet = ShowCursorQuibix(0);
        blnCursor = false;
    } else {
        lngRet = ShowCursorQuibix(1);
        blnCursor = true;
    }
}

int32_t Form1::ShowCursorQuibix(int16_t c)
{
    lngRet = window.showCursor(c != 0);
    window.confineCursor(c == 0);
    return lngRet;
}

} // namespace quibix
