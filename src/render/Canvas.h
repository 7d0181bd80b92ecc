#pragma once
// The drawing surfaces, the scratch buffers and the piece drawing of the
// play field and the side band. The surfaces are only changed through the
// operations below, so every caller draws a screen the same way.
#include "game/Board.h"
#include "game/Geometry.h"
#include "ports/Ports.h"
#include "render/SpriteCatalogue.h"

#include <QImage>
#include <QPainter>
#include <QRect>

#include <array>
#include <cstdint>
#include <functional>
#include <future>

namespace quibix {

class Canvas {
public:
    // `sprites` is every sprite of the program, the chooser's twelve pieces
    // included; the kinds in play start as pictures 0..5.
    Canvas(DisplayPort& display, SpriteCatalogue sprites);
    // With the program's own sprites: those made ahead, when they were.
    explicit Canvas(DisplayPort& display);

    // Decodes the program's sprites and makes the black surfaces on a
    // thread of its own, for the next Canvas made with them, so the work
    // overlaps the window's own start (touching new memory is what costs
    // most there). Only while the application object exists: the pictures
    // are read through Qt. waitAhead waits for that work to end.
    static void prepareAhead();
    static void waitAhead();

    // Takes the sprites in play from the catalogue: kinds 0..5 from the
    // given picture numbers, the stone, the fuse, the dynamite, the bricks.
    void useSprites(const std::array<int16_t, 6>& pictures);

    void CreaBuffers();
    void LiberaBuffers();

    // ---- A screen ----------------------------------------------------------
    // A new clean background (Picture3), which the resting picture (Picture2)
    // starts from. The field on screen keeps what it shows.
    void setBackground(const QImage& picture);
    // A new band, shown (PicBanda) and kept clean (PicBandaBuff).
    void setBand(const QImage& picture);
    // The field shows the clean background alone, and is presented.
    void showBackground();
    // The whole field drawn afresh: the background, `ladrillos` brick rows,
    // every piece of the board at its cell and the two piece slots, on the
    // resting picture and on the field, every piece presented as drawn.
    void composeScreen(const Tablero& board, int16_t ladrillos, int16_t loaded, int16_t next);

    // Draws sprite `intIcono` at (intX, intY) on Picture1 and presents it,
    // pauses, then erases it again (blnBorra) or also draws it on Picture2.
    // Nothing at all happens for a negative position.
    void DibujaIcono(int16_t intX, int16_t intY, int16_t intIcono, bool blnBorra, int16_t intSleep);

    // Erases the cell's piece from Picture2 and Picture1 and plays the
    // destroy animation (three outlines, 50 ms in all).
    void MataIcono(int16_t intX, int16_t intY);

    // Full redraw (blnTotal true): rebuilds Picture2 with `ladrillos` brick
    // rows, renews those rows on Picture1 and draws every piece of the field
    // at its cell, renewing its row on Picture1 first. With false only the
    // pieces are drawn again at their stored positions.
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
    // The band's whole fuse and dynamite area back to the clean band.
    void clearFuseAndDynamite();

    // `area` of the field back to the resting picture, then `paint` draws
    // over the field and it is presented (the cannon, which is never at rest).
    void redrawOverField(const QRect& area, const std::function<void(QPainter&)>& paint);

    // ---- One sprite square at `at` (its top-left), for pieces in motion ----
    // Off the resting picture (the clean background back); the field still
    // shows it until it moves.
    void liftFromRest(PixelPoint at);
    // The field's square as the resting picture holds it.
    void showResting(PixelPoint at);
    // A flying or falling piece wiped from the field: inside the cannon strip
    // from the strip saved at the shot, so the cannon stays; above it from
    // the resting picture.
    void eraseMoving(PixelPoint at);
    // A sprite drawn on the field with its mask, not presented.
    void drawSprite(PixelPoint at, int16_t sprite);
    // The cannon strip saved from the field as it shows now (at a shot).
    void saveStrip();
    // The strip's square taken from the field where a piece landed or
    // vanished; a square wholly above the strip leaves it alone.
    void syncStrip(PixelPoint at);
    // The strip's square taken from the resting picture: a piece starts to
    // fall inside the strip, and the strip still shows it at rest.
    void cleanStrip(PixelPoint at);

    // ---- Read access, for tests ----------------------------------------------
    const QImage& field() const { return Picture1; }
    const QImage& resting() const { return Picture2; }
    const QImage& background() const { return Picture3; }
    const QImage& band() const { return PicBanda; }
    const QImage& cleanBand() const { return PicBandaBuff; }
    const QImage& cannonStrip() const { return hdcFondoBajo; }
    const QImage& bricks() const { return ladrillo; }
    const QImage& sprite(int kind) const { return picIcono.at(kind); }
    const QImage& spriteMask(int kind) const { return picIconoMK.at(kind); }
    const SpriteCatalogue& catalogue() const { return catalogue_; }
    // All four scratch buffers are made (CreaBuffers) or all dropped.
    bool hasBuffers() const;

private:
    struct Start;
    Canvas(DisplayPort& display, Start&& start);
    // The start made ahead, taken by the next canvas with the program's sprites.
    static std::future<Start>& ahead();

    // Picture2 rebuilt as the clean background under `ladrillos` brick rows.
    void layBricks(int16_t ladrillos);
    // Every piece of the field drawn at rest: at its cell below `ladrillos`
    // brick rows, its row on Picture1 renewed first (atCells), or at its
    // stored position.
    void drawPieces(const Tablero& board, int16_t ladrillos, bool atCells);

    DisplayPort& display_;

    // Surfaces. Picture1 is the play field on screen, Picture2 the resting
    // picture (background, bricks, pieces at rest), Picture3 the clean
    // background; PicBanda the band on screen, PicBandaBuff its clean copy.
    QImage Picture1, Picture2, Picture3, PicBanda, PicBandaBuff;

    // Scratch buffers, made by CreaBuffers at start-up. hdcFondoBajo is the
    // cannon strip as the field showed it at the shot.
    QImage hdcIcono, hdcTnt, hdcDinamita, hdcFondoBajo;

    SpriteCatalogue catalogue_;
    // The sprites in play: picIcono 0..5 the six kinds, 6 the stone.
    std::array<QImage, 7> picIcono, picIconoMK;
    std::array<QImage, kFuseFrames> picTnt, picTntMK;
    QImage picDinamite, picDinamite2, picDinamiteMK, ladrillo;
};

} // namespace quibix
