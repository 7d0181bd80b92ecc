// The twelve glossy pieces, the stone and the brick row.
// Balls are shaded per pixel at four times the size and reduced, so the
// highlight and the rim come out smooth at 25 x 25.
#include "art_draw.h"

#include <QPainter>
#include <QPainterPath>

#include <array>
#include <cmath>
#include <vector>

namespace artgen::art {

namespace {

constexpr int kSuper = 4;
// Radius as a share of the sprite: a disc that fills nearly all of it, the
// same for every piece, so one piece drawn over another leaves no trace.
constexpr float kRadiusShare = 0.504f;

struct PieceLook {
    QColor colour;
    const char* name;
};

// 0..5 are in play by default: the six easiest to tell apart.
const std::array<PieceLook, kPieceCount> kLooks{{
    {QColor(222, 34, 40), "red, heart"},
    {QColor(250, 206, 24), "yellow, triangle"},
    {QColor(42, 176, 56), "green, square"},
    {QColor(34, 96, 232), "blue, diamond"},
    {QColor(148, 56, 206), "purple, star"},
    {QColor(255, 128, 10), "orange, cross"},
    {QColor(20, 204, 222), "cyan, ring"},
    {QColor(255, 112, 184), "pink, two bars"},
    {QColor(166, 226, 36), "lime, X"},
    {QColor(138, 86, 44), "brown, three dots"},
    {QColor(226, 230, 240), "pearl, crescent"},
    {QColor(0, 112, 112), "teal, hourglass"},
}};

// Glyphs in a box from -1 to 1, one per piece picture.
QPainterPath glyph(int index)
{
    QPainterPath p;
    p.setFillRule(Qt::WindingFill);
    switch (index) {
    case 0: // heart
        p.moveTo(0, 0.95);
        p.cubicTo(-0.35, 0.6, -1.05, 0.15, -1.0, -0.35);
        p.cubicTo(-0.95, -0.95, -0.2, -1.0, 0, -0.45);
        p.cubicTo(0.2, -1.0, 0.95, -0.95, 1.0, -0.35);
        p.cubicTo(1.05, 0.15, 0.35, 0.6, 0, 0.95);
        break;
    case 1: // triangle
        p.addPolygon(QPolygonF({{0, -1.0}, {1.0, 0.8}, {-1.0, 0.8}}));
        break;
    case 2: // square
        p.addRect(QRectF(-0.78, -0.78, 1.56, 1.56));
        break;
    case 3: // diamond
        p.addPolygon(QPolygonF({{0, -1.05}, {0.85, 0}, {0, 1.05}, {-0.85, 0}}));
        break;
    case 4: { // five-pointed star
        QPolygonF star;
        for (int k = 0; k < 10; ++k) {
            const double a = -M_PI / 2 + k * M_PI / 5, r = (k % 2) ? 0.45 : 1.08;
            star << QPointF(r * std::cos(a), r * std::sin(a) + 0.08);
        }
        p.addPolygon(star);
        break;
    }
    case 5: // cross
        p.addRect(QRectF(-0.3, -0.95, 0.6, 1.9));
        p.addRect(QRectF(-0.95, -0.3, 1.9, 0.6));
        break;
    case 6: // ring
        p.setFillRule(Qt::OddEvenFill);
        p.addEllipse(QPointF(0, 0), 0.9, 0.9);
        p.addEllipse(QPointF(0, 0), 0.45, 0.45);
        break;
    case 7: // two bars; a plain disc was too close to the ring at 25 px
        p.addRect(QRectF(-0.9, -0.72, 1.8, 0.52));
        p.addRect(QRectF(-0.9, 0.2, 1.8, 0.52));
        break;
    case 8: { // X
        QPainterPath bar;
        bar.addRect(QRectF(-0.27, -1.05, 0.54, 2.1));
        QTransform t;
        t.rotate(45);
        p.addPath(t.map(bar));
        t.rotate(90);
        p.addPath(t.map(bar));
        break;
    }
    case 9: // three dots
        p.addEllipse(QPointF(0, -0.5), 0.4, 0.4);
        p.addEllipse(QPointF(-0.58, 0.5), 0.4, 0.4);
        p.addEllipse(QPointF(0.58, 0.5), 0.4, 0.4);
        break;
    case 10: { // crescent
        QPainterPath disc, bite;
        disc.addEllipse(QPointF(0, 0), 0.95, 0.95);
        bite.addEllipse(QPointF(0.45, -0.3), 0.78, 0.78);
        p = disc.subtracted(bite);
        break;
    }
    default: // hourglass
        p.addPolygon(QPolygonF({{-0.85, -0.9}, {0.85, -0.9}, {0.12, 0}, {0.85, 0.9},
                                {-0.85, 0.9}, {-0.12, 0}}));
        break;
    }
    return p;
}

struct Vec {
    float x, y, z;
};

Vec normalized(Vec v)
{
    const float n = std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z);
    return {v.x / n, v.y / n, v.z / n};
}

float dot(Vec a, Vec b) { return a.x * b.x + a.y * b.y + a.z * b.z; }

const Vec kLight = normalized({-0.55f, -0.78f, 0.62f});
const Vec kHalf = normalized({kLight.x, kLight.y, kLight.z + 1.0f});
const Vec kBounce = normalized({0.55f, 0.8f, 0.15f});

struct BallSurface {
    float radius, centre;
    // Normal at a pixel, or false outside the disc.
    bool normalAt(int x, int y, Vec& n) const
    {
        const float px = (x + 0.5f - centre) / radius, py = (y + 0.5f - centre) / radius;
        const float d2 = px * px + py * py;
        if (d2 > 1.0f) return false;
        n = {px, py, std::sqrt(1.0f - d2)};
        return true;
    }
};

// Body colour of a glossy ball without its highlight.
void shadeBody(QImage& img, const BallSurface& ball, const QColor& base)
{
    const float r = base.red(), g = base.green(), b = base.blue();
    for (int y = 0; y < img.height(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(img.scanLine(y));
        for (int x = 0; x < img.width(); ++x) {
            Vec n;
            if (!ball.normalAt(x, y, n)) continue;
            const float diffuse = std::max(0.0f, dot(n, kLight));
            const float bounce = std::pow(std::max(0.0f, dot(n, kBounce)), 3.0f) * 0.3f;
            const float rim = std::pow(1.0f - n.z, 2.5f);
            const float k = (0.2f + 0.95f * diffuse) * (1.0f - 0.55f * rim) + bounce;
            row[x] = rgbClamped(r * k, g * k, b * k) | 0xFF000000u;
        }
    }
}

// The glossy highlight goes over the glyph, so the glyph looks set into the ball.
void addGloss(QImage& img, const BallSurface& ball, float strength)
{
    for (int y = 0; y < img.height(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(img.scanLine(y));
        for (int x = 0; x < img.width(); ++x) {
            Vec n;
            if (!ball.normalAt(x, y, n)) continue;
            const float h = std::max(0.0f, dot(n, kHalf));
            const float spec = strength * (std::pow(h, 70.0f) * 1.1f + std::pow(h, 9.0f) * 0.18f);
            // A faint light on the lower rim, as from a shiny table.
            const float rimLight = std::pow(std::max(0.0f, dot(n, kBounce)), 14.0f) * 0.22f * strength;
            const float add = (spec + rimLight) * 255.0f;
            const QRgb p = row[x];
            row[x] = rgbClamped(qRed(p) + add, qGreen(p) + add, qBlue(p) + add) | 0xFF000000u;
        }
    }
}

void paintGlyph(QImage& img, int index, const QColor& base)
{
    const float s = img.width();
    // The glyph must read without its colour: it differs from the ball in
    // lightness. The palest balls take a dark glyph; all others a light one
    // with a dark outline, so it stands out on the lit and the shaded side.
    const bool paleBall = luminance(base) > 0.7f;
    QColor tone = paleBall ? scaled(base, 0.15f) : mix(base, QColor(255, 255, 255), 0.88f);
    QColor outline = scaled(base, 0.2f);
    if (index == 10) tone = QColor(44, 56, 96); // the pearl ball takes a slate glyph

    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    // A little below and right of the centre, clear of the highlight.
    p.translate(s * 0.52, s * 0.55);
    p.scale(s * 0.2, s * 0.2);
    const QPainterPath path = glyph(index);
    if (!paleBall) {
        outline.setAlphaF(0.8);
        p.setPen(QPen(outline, 0.42, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.setBrush(Qt::NoBrush);
        p.drawPath(path);
    }
    p.setPen(Qt::NoPen);
    QLinearGradient fill(0, -1, 0, 1);
    fill.setColorAt(0, paleBall ? tone : QColor(255, 255, 255));
    fill.setColorAt(1, tone);
    p.setBrush(fill);
    p.drawPath(path);
}

QImage ballDrawing(int size, int index)
{
    const QColor base = kLooks[index].colour;
    const int big = size * kSuper;
    QImage img = newCanvas(big, big);
    const BallSurface ball{big * kRadiusShare, big / 2.0f};
    shadeBody(img, ball, base);
    paintGlyph(img, index, base);
    addGloss(img, ball, luminance(base) > 0.8f ? 0.75f : 1.0f);
    return downsample(img, kSuper);
}

QImage stoneDrawing(int size)
{
    const int big = size * kSuper;
    QImage img = newCanvas(big, big);
    const BallSurface ball{big * kRadiusShare, big / 2.0f};
    const float scale = 3.2f / ball.radius;
    auto height = [&](float x, float y) { return fbm(x * scale, y * scale, 4, 7001u); };
    for (int y = 0; y < big; ++y) {
        auto* row = reinterpret_cast<QRgb*>(img.scanLine(y));
        for (int x = 0; x < big; ++x) {
            Vec n;
            if (!ball.normalAt(x, y, n)) continue;
            // Bumps: tilt the normal along the slope of a noise height field.
            const float h = height(float(x), float(y));
            const float gx = height(x + 1.0f, float(y)) - h, gy = height(float(x), y + 1.0f) - h;
            const Vec bumpy = normalized({n.x - gx * 9.0f, n.y - gy * 9.0f, n.z});
            const float diffuse = std::max(0.0f, dot(bumpy, kLight));
            const float rim = std::pow(1.0f - n.z, 2.0f);
            const float spec = std::pow(std::max(0.0f, dot(bumpy, kHalf)), 12.0f) * 0.12f;
            const float tone = 0.75f + 0.5f * fbm(x * scale * 2.5f, y * scale * 2.5f, 3, 7013u);
            const float speck = valueNoise(x * 0.9f, y * 0.9f, 7027u) > 0.93f ? 0.6f : 1.0f;
            const float k = ((0.22f + 0.8f * diffuse) * (1.0f - 0.5f * rim)) * tone * speck;
            row[x] = rgbClamped(118 * k + 255 * spec, 114 * k + 255 * spec, 106 * k + 255 * spec) |
                     0xFF000000u;
        }
    }
    // A few cracks, clipped to the ball.
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath disc;
    disc.addEllipse(QPointF(ball.centre, ball.centre), ball.radius, ball.radius);
    p.setClipPath(disc);
    Rng rng(7043);
    const QPointF starts[3] = {{0.3, 0.25}, {0.7, 0.55}, {0.35, 0.75}};
    for (const QPointF& start : starts) {
        QPainterPath crack;
        QPointF at(start.x() * big, start.y() * big);
        crack.moveTo(at);
        double angle = rng.range(0, 2 * M_PI);
        for (int step = 0; step < 5; ++step) {
            angle += rng.range(-0.9, 0.9);
            at += QPointF(std::cos(angle), std::sin(angle)) * big * 0.07;
            crack.lineTo(at);
        }
        p.setPen(QPen(QColor(236, 232, 222, 70), big * 0.03, Qt::SolidLine, Qt::RoundCap));
        p.drawPath(crack.translated(big * 0.012, big * 0.012));
        p.setPen(QPen(QColor(38, 36, 34, 200), big * 0.026, Qt::SolidLine, Qt::RoundCap));
        p.drawPath(crack);
    }
    return downsample(img, kSuper);
}

} // namespace

QColor pieceColour(int index) { return kLooks[index].colour; }

QString pieceName(int index) { return QString::fromLatin1(kLooks[index].name); }

QImage glossyBall(int diameter, int index) { return ballDrawing(diameter, index); }

Sprite pieceSprite(int index)
{
    // Edge pixels are blended onto a deep shade of the ball's own colour,
    // which reads as the darker rim.
    return toSprite(ballDrawing(25, index), scaled(kLooks[index].colour, 0.22f), 112);
}

Sprite stoneSprite()
{
    return toSprite(stoneDrawing(25), QColor(28, 27, 25), 112);
}

QImage bricksPicture()
{
    constexpr int kWidth = 469, kHeight = 25, kBrick = 34, kJoint = 2, kStep = kBrick + kJoint;
    // Two courses: bricks on rows 0..10 and 12..23, mortar on rows 11 and 24,
    // so stacked rows keep the pattern.
    struct Course {
        int top, bottom, shift;
    };
    const Course courses[2] = {{0, 10, 7}, {12, 23, 7 + kStep / 2}};
    QImage img(kWidth, kHeight, QImage::Format_RGB32);
    for (int y = 0; y < kHeight; ++y) {
        auto* row = reinterpret_cast<QRgb*>(img.scanLine(y));
        const int c = y <= 11 ? 0 : 1;
        const Course& course = courses[c];
        for (int x = 0; x < kWidth; ++x) {
            const int along = x + course.shift;
            const int brick = along / kStep, u = along % kStep;
            const float grain = fbm(x * 0.35f, y * 0.35f, 3, 9001u);
            if (y > course.bottom || u >= kBrick) {
                // Mortar: pale, sandy, in shadow right under a brick.
                const float shade = (y == course.bottom + 1) ? 0.72f : 0.9f;
                const float k = shade * (0.85f + 0.3f * grain);
                row[x] = rgbClamped(168 * k, 156 * k, 136 * k);
                continue;
            }
            Rng rng(uint64_t(9100 + brick * 7 + c * 1009));
            const float hue = float(rng.range(-1, 1)), light = float(rng.range(0.82, 1.12));
            float r = (170 + 16 * hue) * light, g = (72 + 10 * hue) * light, b = (48 + 6 * hue) * light;
            // Bevel: lit from the top left.
            const int fromTop = y - course.top, fromBottom = course.bottom - y;
            const int fromLeft = u, fromRight = kBrick - 1 - u;
            float k = 0.82f + 0.38f * grain;
            if (fromTop == 0) k *= 1.32f;
            else if (fromTop == 1) k *= 1.12f;
            if (fromLeft == 0) k *= 1.18f;
            if (fromBottom == 0) k *= 0.62f;
            else if (fromBottom == 1) k *= 0.85f;
            if (fromRight == 0) k *= 0.7f;
            if (valueNoise(x * 1.7f, y * 1.7f, 9029u) > 0.9f) k *= 0.78f; // pits
            // Soot near the edges, as on old bricks.
            const float edge = std::min({fromTop, fromBottom, fromLeft, fromRight}) / 4.0f;
            k *= 0.9f + 0.1f * clamp01(edge);
            row[x] = rgbClamped(r * k, g * k, b * k);
        }
    }
    return img;
}

} // namespace artgen::art
