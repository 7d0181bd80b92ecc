#include "render/Canvas.h"

#include "render/Module1.h"

#include <QPainter>

#include <algorithm>

namespace quibix {

namespace {

QImage blackSurface(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::black);
    return image;
}

// The band's fuse and dynamite area, renewed whole after an explosion.
constexpr int kBandAreaX = 0, kBandAreaY = 85, kBandAreaW = 90, kBandAreaH = 270;

// A 1-pixel outline covering (x1, y1)..(x2, y2), both corners included.
void outline(QPainter& p, int x1, int y1, int x2, int y2)
{
    const int w = x2 - x1 + 1, h = y2 - y1 + 1;
    p.fillRect(x1, y1, w, 1, Qt::black);
    p.fillRect(x1, y2, w, 1, Qt::black);
    p.fillRect(x1, y1, 1, h, Qt::black);
    p.fillRect(x2, y1, 1, h, Qt::black);
}

} // namespace

// What a canvas starts from: its sprites and its surfaces, all black.
struct Canvas::Start {
    SpriteCatalogue sprites;
    QImage field1, field2, field3, band, bandClean;

    explicit Start(SpriteCatalogue catalogue)
        : sprites(std::move(catalogue)),
          field1(blackSurface(kFieldWidth, kFieldHeight)),
          field2(blackSurface(kFieldWidth, kFieldHeight)),
          field3(blackSurface(kFieldWidth, kFieldHeight)),
          band(blackSurface(kBandWidth, kBandHeight)),
          bandClean(blackSurface(kBandWidth, kBandHeight))
    {
    }
};

std::future<Canvas::Start>& Canvas::ahead()
{
    static std::future<Start> made;
    return made;
}

void Canvas::prepareAhead()
{
    ahead() = std::async(std::launch::async, [] { return Start(SpriteCatalogue::fromResource()); });
}

void Canvas::waitAhead()
{
    if (ahead().valid())
        ahead().wait();
}

Canvas::Canvas(DisplayPort& display, SpriteCatalogue sprites) : Canvas(display, Start(std::move(sprites))) {}

Canvas::Canvas(DisplayPort& display)
    : Canvas(display, ahead().valid() ? ahead().get() : Start(SpriteCatalogue::fromResource()))
{
}

Canvas::Canvas(DisplayPort& display, Start&& start)
    : display_(display),
      Picture1(std::move(start.field1)),
      Picture2(std::move(start.field2)),
      Picture3(std::move(start.field3)),
      PicBanda(std::move(start.band)),
      PicBandaBuff(std::move(start.bandClean)),
      catalogue_(std::move(start.sprites))
{
    useSprites({0, 1, 2, 3, 4, 5});
}

void Canvas::useSprites(const std::array<int16_t, 6>& pictures)
{
    for (int k = 0; k < 6; ++k) {
        const int n = (pictures[k] >= 0 && pictures[k] < kPiecePictures) ? pictures[k] : k;
        picIcono[k] = catalogue_.pieces[n];
        picIconoMK[k] = catalogue_.pieceMasks[n];
    }
    picIcono[6] = catalogue_.stone;
    picIconoMK[6] = catalogue_.stoneMask;
    picTnt = catalogue_.tnt;
    picTntMK = catalogue_.tntMasks;
    picDinamite = catalogue_.dynamite;
    picDinamite2 = catalogue_.dynamiteExploding;
    picDinamiteMK = catalogue_.dynamiteMask;
    ladrillo = catalogue_.bricks;
}

void Canvas::CreaBuffers()
{
    hdcIcono = CreaBuffer(Picture1, static_cast<int16_t>(picIcono[0].width()),
                          static_cast<int16_t>(picIcono[0].height()));
    hdcTnt = CreaBuffer(PicBanda, static_cast<int16_t>(picTnt[0].width()),
                        static_cast<int16_t>(picTnt[0].height()));
    hdcDinamita = CreaBuffer(PicBanda, static_cast<int16_t>(picDinamite.width()),
                             static_cast<int16_t>(picDinamite.height()));
    hdcFondoBajo = CreaBuffer(Picture2, static_cast<int16_t>(Picture1.width()),
                              static_cast<int16_t>(kBottomStripHeight));
}

void Canvas::LiberaBuffers()
{
    LiberaBuffer(hdcIcono);
    LiberaBuffer(hdcTnt);
    LiberaBuffer(hdcDinamita);
    LiberaBuffer(hdcFondoBajo);
}

bool Canvas::hasBuffers() const
{
    return !hdcIcono.isNull() && !hdcTnt.isNull() && !hdcDinamita.isNull() && !hdcFondoBajo.isNull();
}

void Canvas::setBackground(const QImage& picture)
{
    Picture3 = picture;
    Picture2 = picture.copy();
}

void Canvas::setBand(const QImage& picture)
{
    PicBanda = picture;
    PicBandaBuff = picture.copy();
}

void Canvas::showBackground()
{
    CopyRect(Picture1, 0, 0, Picture1.width(), Picture1.height(), Picture3, 0, 0);
    present(Surface::Picture1);
}

void Canvas::layBricks(int16_t ladrillos)
{
    CopyRect(Picture2, 0, 0, Picture2.width(), Picture2.height(), Picture3, 0, 0);
    for (int b = 1; b <= ladrillos; ++b)
        CopyRect(Picture2, 0, (b - 1) * kSpriteSize, Picture2.width(), kSpriteSize, ladrillo, 0, 0);
}

void Canvas::composeScreen(const Tablero& board, int16_t ladrillos, int16_t loaded, int16_t next)
{
    // The field is renewed whole, not row by row as in DibujaArray: rows
    // without pieces would keep the previous screen.
    layBricks(ladrillos);
    CopyRect(Picture1, 0, 0, Picture1.width(), Picture1.height(), Picture2, 0, 0);
    drawPieces(board, ladrillos, true);
    drawPieceSlots(loaded, next);
}

void Canvas::DibujaIcono(int16_t intX, int16_t intY, int16_t intIcono, bool blnBorra,
                         int16_t intSleep)
{
    if (intX < 0 || intY < 0) return;
    // A piece code outside the sprite set has nothing to draw.
    if (intIcono < 0 || intIcono >= static_cast<int16_t>(picIcono.size())) return;

    const QImage& sprite = picIcono[intIcono];
    const QImage& mask = picIconoMK[intIcono];
    DibujaTransparente(Picture1, sprite, mask, hdcIcono, intX, intY, kSpriteSize, kSpriteSize);
    present(Surface::Picture1);
    pause(intSleep);

    if (blnBorra) {
        eraseMoving({intX, intY});
    } else {
        DibujaTransparente(Picture2, sprite, mask, hdcIcono, intX, intY, kSpriteSize,
                           kSpriteSize);
    }
}

void Canvas::MataIcono(int16_t intX, int16_t intY)
{
    if (intX < 0 || intY < 0) return;

    CopyRect(Picture2, intX, intY, kSpriteSize, kSpriteSize, Picture3, intX, intY);
    CopyRect(Picture1, intX, intY, kSpriteSize, kSpriteSize, Picture3, intX, intY);

    struct Ring { int inset, pauseMs; };
    for (const Ring ring : {Ring{2, 15}, Ring{6, 10}, Ring{10, 5}}) {
        {
            QPainter p(&Picture1);
            outline(p, intX + ring.inset, intY + ring.inset, intX + kSpriteSize - ring.inset,
                    intY + kSpriteSize - ring.inset);
        }
        present(Surface::Picture1);
        pause(ring.pauseMs);
    }

    CopyRect(Picture1, intX, intY, kSpriteSize, kSpriteSize, Picture3, intX, intY);
    pause(20);
}

void Canvas::DibujaArray(const Tablero& board, int16_t ladrillos, bool blnTotal)
{
    if (blnTotal) {
        layBricks(ladrillos);
        for (int b = 1; b <= ladrillos; ++b)
            CopyRect(Picture1, 0, (b - 1) * kSpriteSize, Picture1.width(), kSpriteSize, ladrillo, 0, 0);
    }
    drawPieces(board, ladrillos, blnTotal);
}

void Canvas::drawPieces(const Tablero& board, int16_t ladrillos, bool atCells)
{
    for (int row = kFieldRows - 1; row >= 0; --row) {
        bool firstInRow = true;
        for (int col = 0; col < kFieldColumns; ++col) {
            const Casilla& cell = board(col, row);
            if (cell.Tipo == kEmpty) continue;
            PixelPoint at{cell.X, cell.Y};
            if (atCells) {
                at = cellOrigin(col, row, ladrillos);
                if (firstInRow)
                    CopyRect(Picture1, 0, at.y, Picture1.width(), kSpriteSize, Picture2, 0, at.y);
                firstInRow = false;
            }
            DibujaIcono(at.x, at.y, static_cast<int16_t>(cell.Tipo - 1), false, 0);
        }
    }
}

void Canvas::Refresca()
{
    present(Surface::Picture1);
    present(Surface::PicBanda);
}

void Canvas::drawPieceSlots(int16_t loaded, int16_t next)
{
    DibujaIcono(kLoadedPieceX, kLoadedPieceY, loaded, false, 0);
    CopyRect(Picture1, kNextPieceX, kNextPieceY, kSpriteSize, kSpriteSize, Picture3, kNextPieceX,
             kNextPieceY);
    CopyRect(Picture2, kNextPieceX, kNextPieceY, kSpriteSize, kSpriteSize, Picture3, kNextPieceX,
             kNextPieceY);
    DibujaIcono(kNextPieceX, kNextPieceY, next, false, 0);
}

void Canvas::present(Surface surface)
{
    display_.present(surface, surface == Surface::Picture1 ? Picture1 : PicBanda);
}

void Canvas::drawFuse(int frame)
{
    frame = std::clamp(frame, 0, kFuseFrames - 1);
    const int w0 = picTnt[0].width(), h0 = picTnt[0].height();
    constexpr int kTop = 85;
    CopyRect(PicBanda, 0, kTop, w0, h0 - 1, PicBandaBuff, 0, kTop);
    DibujaTransparente(PicBanda, picTnt[frame], picTntMK[frame], hdcTnt, 0, kTop, w0, h0 - 1);
}

void Canvas::drawDynamite(bool exploding)
{
    const QImage& picture = exploding ? picDinamite2 : picDinamite;
    constexpr int kTop = 165;
    // Both pictures are drawn at the intact dynamite's size.
    DibujaTransparente(PicBanda, picture, picDinamiteMK, hdcDinamita, 0, kTop,
                       picDinamite.width(), picDinamite.height() - 1);
}

void Canvas::clearFuseAndDynamite()
{
    CopyRect(PicBanda, kBandAreaX, kBandAreaY, kBandAreaW, kBandAreaH, PicBandaBuff, kBandAreaX, kBandAreaY);
}

void Canvas::redrawOverField(const QRect& area, const std::function<void(QPainter&)>& paint)
{
    CopyRect(Picture1, area.x(), area.y(), area.width(), area.height(), Picture2, area.x(), area.y());
    {
        QPainter painter(&Picture1);
        paint(painter);
    }
    present(Surface::Picture1);
}

void Canvas::liftFromRest(PixelPoint at)
{
    CopyRect(Picture2, at.x, at.y, kSpriteSize, kSpriteSize, Picture3, at.x, at.y);
}

void Canvas::showResting(PixelPoint at)
{
    CopyRect(Picture1, at.x, at.y, kSpriteSize, kSpriteSize, Picture2, at.x, at.y);
}

void Canvas::eraseMoving(PixelPoint at)
{
    if (at.y >= kBottomStripTop)
        CopyRect(Picture1, at.x, at.y, kSpriteSize, kSpriteSize, hdcFondoBajo, at.x, at.y - kBottomStripTop);
    else
        showResting(at);
}

void Canvas::drawSprite(PixelPoint at, int16_t sprite)
{
    if (sprite < 0 || sprite >= static_cast<int16_t>(picIcono.size())) return;
    DibujaTransparente(Picture1, picIcono[sprite], picIconoMK[sprite], hdcIcono, at.x, at.y, kSpriteSize,
                       kSpriteSize);
}

void Canvas::saveStrip()
{
    CopyRect(hdcFondoBajo, 0, 0, kFieldWidth, kBottomStripHeight, Picture1, 0, kBottomStripTop);
}

void Canvas::syncStrip(PixelPoint at)
{
    if (at.x >= 0 && at.y + kSpriteSize > kBottomStripTop)
        CopyRect(hdcFondoBajo, at.x, at.y - kBottomStripTop, kSpriteSize, kSpriteSize, Picture1, at.x, at.y);
}

void Canvas::cleanStrip(PixelPoint at)
{
    CopyRect(hdcFondoBajo, at.x, at.y - kBottomStripTop, kSpriteSize, kSpriteSize, Picture2, at.x, at.y);
}

} // namespace quibix
