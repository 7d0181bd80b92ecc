#pragma once
// The drawing surfaces, the scratch buffers and the piece drawing of the
// play field and the side band.
#include "game/Board.h"
#include "game/Geometry.h"
#include "ports/Ports.h"
#include "render/SpriteCatalogue.h"

#include <QImage>

#include <array>
#include <cstdint>

namespace quibix {

class Canvas {
public:
    explicit Canvas(DisplayPort& display);

    // Surfaces. Picture1 is the play field on screen, Picture2 the resting
    // picture (background, bricks, pieces at rest), Picture3 the clean
    // background; PicBanda the band on screen, PicBandaBuff its clean copy.
    QImage Picture1, Picture2, Picture3, PicBanda, PicBandaBuff;

    // Scratch buffers, made by CreaBuffers at start-up.
    QImage hdcIcono, hdcTnt, hdcDinamita, hdcFondoBajo;

    // The sprites in play: picIcono 0..5 the six kinds, 6 the stone.
    std::array<QImage, 7> picIcono, picIconoMK;
    std::array<QImage, kFuseFrames> picTnt, picTntMK;
    QImage picDinamite, picDinamite2, picDinamiteMK, ladrillo;

    // Every sprite of the program, including the chooser's twelve pieces.
    SpriteCatalogue catalogue;

    // Takes the sprites in play from the catalogue: kinds 0..5 from the
    // given picture numbers, the stone, the fuse, the dynamite, the bricks.
    void useSprites(const std::array<int16_t, 6>& pictures);

    void CreaBuffers();
    void LiberaBuffers();

    // Draws sprite `intIcono` at (intX, intY) on Picture1 and presents it,
    // pauses, then erases it again (blnBorra) or also draws it on Picture2.
    // Nothing at all happens for a negative position.
    void DibujaIcono(int16_t intX, int16_t intY, int16_t intIcono, bool blnBorra, int16_t intSleep);

    // Erases the cell's piece from Picture2 and Picture1 and plays the
    // destroy animation (three outlines, 50 ms in all).
    void MataIcono(int16_t intX, int16_t intY);

    // Full redraw (blnTotal true): rebuilds Picture2 with `ladrillos` brick
    // rows and draws every piece of the field at its cell. With false only
    // the pieces are drawn again at their stored positions.
    void DibujaArray(const Tablero& board, int16_t ladrillos, bool blnTotal);

    // Presents Picture1, then PicBanda.
    void Refresca();

    // Shows the loaded and the next piece in their slots, as resting pieces.
    // The old next piece is wiped from both surfaces first, so no pixel of
    // it stays under a new piece of another shape.
    void drawPieceSlots(int16_t loaded, int16_t next);

    void present(Surface surface);
    void pause(int ms) { display_.pause(ms); }

    // The band's fuse area at (0, 85) restored from PicBandaBuff, then TNT
    // frame `frame` drawn there with its mask (one row short of the picture).
    void drawFuse(int frame);
    // The dynamite, intact or exploding, drawn with its mask at (0, 165)
    // over what the band shows there (one row short of the picture).
    void drawDynamite(bool exploding);

private:
    DisplayPort& display_;
};

} // namespace quibix
