#pragma once
// Drawing helpers and the picture makers shared by the picture generator.
// Everything here is deterministic: fixed seeds, no clock, no threads.
#include <QColor>
#include <QImage>
#include <QString>

#include <cstdint>
#include <filesystem>
#include <vector>

class QPainter;
class QPainterPath;

namespace artgen::art {

// splitmix64: tiny, fast and the same on every machine.
class Rng {
public:
    explicit Rng(uint64_t seed) : state_(seed) {}
    uint64_t next();
    double uniform(); // [0, 1)
    double range(double lo, double hi) { return lo + (hi - lo) * uniform(); }
    int below(int n) { return int(uniform() * n); }

private:
    uint64_t state_;
};

// Smooth value noise in [0, 1], and a fractal sum of `octaves` of it.
float valueNoise(float x, float y, uint32_t seed);
float fbm(float x, float y, int octaves, uint32_t seed);

float clamp01(float v);
float smoothstep(float edge0, float edge1, float x);
QColor mix(const QColor& a, const QColor& b, float t);
QColor scaled(const QColor& c, float k);
float luminance(const QColor& c); // 0..1
QRgb rgbClamped(float r, float g, float b);

// A sprite with its mask: mask white = transparent, black = opaque; the
// picture is black wherever the mask is white.
struct Sprite {
    QImage picture; // RGB32
    QImage mask;    // RGB32, pure black and white
};

QImage newCanvas(int width, int height); // transparent, ARGB32_Premultiplied
QImage solid(int width, int height, const QColor& colour); // RGB32

// Box-filter reduction of a drawing made `factor` times too large.
QImage downsample(const QImage& big, int factor);

// Hard-edged sprite from an antialiased drawing: pixels at least
// `threshold` opaque become the opaque area, where the partly covered edge
// is blended onto `matte` (a dark outline tone); the rest goes black/white.
Sprite toSprite(const QImage& drawing, const QColor& matte, int threshold = 96);
// Same with the opaque area taken from another drawing's alpha.
Sprite toSprite(const QImage& drawing, const QImage& coverage, const QColor& matte,
                int threshold = 96);
bool followsMaskConvention(const Sprite& sprite);

// Overlays `top` (premultiplied) onto `base` at (x, y).
void overlay(QImage& base, const QImage& top, int x, int y);
// Soft shadow of a path, drawn by stacking translucent offset fills.
void softShadow(QPainter& p, const QPainterPath& path, QPointF offset, QColor colour, int spread);
// Darkens the edges of a picture.
void vignette(QImage& img, float strength);

bool savePicture(const QImage& img, const std::filesystem::path& file, const char* format,
                 int quality = -1);

// ---- pieces, stone, bricks (pictures_pieces.cpp)
constexpr int kPieceCount = 12;
QColor pieceColour(int index);
QString pieceName(int index);
// A glossy ball of piece `index` (glyph included), `diameter` wide, antialiased
// on a transparent background: for decorating covers and panels.
QImage glossyBall(int diameter, int index);
Sprite pieceSprite(int index);
Sprite stoneSprite();
QImage bricksPicture(); // 469 x 25, opaque

// ---- fuse frames and dynamite (pictures_fuse.cpp)
constexpr int kFuseFrameCount = 7;
Sprite tntFrame(int frame); // 90 x 83
struct DynamitePair {
    QImage plain, exploding, mask; // 90 x 100, one mask for both
};
DynamitePair dynamitePictures();

// ---- skins (pictures_backdrops.cpp, pictures_covers.cpp)
enum class Skin { Dusk, Space, Ocean };
constexpr int kBackgroundCount = 3;
QImage background(Skin skin, int number); // 442 x 460, number 1..3
QImage coverBackdrop(Skin skin, bool hard); // 442 x 460, under a cover's title and table
QImage cover(Skin skin, bool hard);       // 442 x 460
QImage band(Skin skin);                   // 98 x 460
QImage aboutPicture();                    // 420 x 380

// ---- review sheet (contact_sheet.cpp)
struct SkinSet {
    QString folder;
    std::vector<QImage> backgrounds;
    QImage coverEasy, coverHard, band;
};
struct ArtSet {
    std::vector<Sprite> pieces; // twelve
    Sprite stone;
    std::vector<Sprite> fuse;   // seven
    DynamitePair dynamite;
    QImage bricks;
    std::vector<SkinSet> skins;
    QImage about;
};
QImage contactSheet(const ArtSet& art);

} // namespace artgen::art
