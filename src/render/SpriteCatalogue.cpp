#include "render/SpriteCatalogue.h"

#include <QPainter>
#include <QString>
#include <QtGlobal>

#include <mutex>

// The sprites live in a resource compiled into the static library; such a
// resource must be registered by hand, from outside any namespace.
static void registerSpriteResource()
{
    static std::once_flag once;
    std::call_once(once, [] { Q_INIT_RESOURCE(sprites); });
}

namespace quibix {

namespace {

constexpr int kPieceSide = 25;
constexpr int kTntWidth = 90, kTntHeight = 83;
constexpr int kDynamiteWidth = 90, kDynamiteHeight = 100;
constexpr int kBricksWidth = 469, kBricksHeight = 25;

QString spritePath(const QString& name)
{
    return QStringLiteral(":/sprites/") + name + QStringLiteral(".png");
}

QString numbered(const char* stem, int n, int digits)
{
    return QString::fromLatin1(stem) + QStringLiteral("%1").arg(n, digits, 10, QLatin1Char('0'));
}

} // namespace

QImage standInSprite(int width, int height)
{
    if (width <= 0 || height <= 0) return {};
    QImage image(width, height, QImage::Format_RGB32);
    const quint32 magenta = qRgb(255, 0, 255), black = qRgb(0, 0, 0);
    constexpr int kCheck = 5;
    for (int y = 0; y < height; ++y) {
        auto* line = reinterpret_cast<quint32*>(image.scanLine(y));
        for (int x = 0; x < width; ++x)
            line[x] = ((x / kCheck + y / kCheck) % 2 == 0) ? magenta : black;
    }
    return image;
}

QImage standInMask(int width, int height)
{
    if (width <= 0 || height <= 0) return {};
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::black); // black = opaque: the whole stand-in shows
    return image;
}

QImage loadSpriteOrStandIn(const QString& path, int width, int height, bool isMask)
{
    QImage image(path);
    if (!image.isNull() && image.width() == width && image.height() == height)
        return image.convertToFormat(QImage::Format_RGB32);
    qWarning("Quibix: sprite %s is missing or the wrong size; showing a stand-in",
             qPrintable(path));
    return isMask ? standInMask(width, height) : standInSprite(width, height);
}

SpriteCatalogue SpriteCatalogue::fromResource()
{
    registerSpriteResource();
    SpriteCatalogue c;
    auto sprite = [](const QString& name, int w, int h) {
        return loadSpriteOrStandIn(spritePath(name), w, h, false);
    };
    auto mask = [](const QString& name, int w, int h) {
        return loadSpriteOrStandIn(spritePath(name + QStringLiteral("_mask")), w, h, true);
    };

    for (int i = 0; i < kPiecePictures; ++i) {
        const QString name = numbered("piece", i, 2);
        c.pieces[i] = sprite(name, kPieceSide, kPieceSide);
        c.pieceMasks[i] = mask(name, kPieceSide, kPieceSide);
    }
    c.stone = sprite(QStringLiteral("stone"), kPieceSide, kPieceSide);
    c.stoneMask = mask(QStringLiteral("stone"), kPieceSide, kPieceSide);
    for (int i = 0; i < kFuseFrames; ++i) {
        const QString name = numbered("tnt", i, 1);
        c.tnt[i] = sprite(name, kTntWidth, kTntHeight);
        c.tntMasks[i] = mask(name, kTntWidth, kTntHeight);
    }
    c.dynamite = sprite(QStringLiteral("dynamite"), kDynamiteWidth, kDynamiteHeight);
    c.dynamiteExploding =
        sprite(QStringLiteral("dynamite_exploding"), kDynamiteWidth, kDynamiteHeight);
    c.dynamiteMask = mask(QStringLiteral("dynamite"), kDynamiteWidth, kDynamiteHeight);
    c.bricks = sprite(QStringLiteral("bricks"), kBricksWidth, kBricksHeight);
    return c;
}

} // namespace quibix
