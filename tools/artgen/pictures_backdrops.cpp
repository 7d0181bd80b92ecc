// The play-field backgrounds of the three skins. They stay dark and soft
// so the glossy pieces and the cannon stand out on them.
#include "art_draw.h"

#include <QPainter>
#include <QPainterPath>

#include <cmath>
#include <functional>

namespace artgen::art {

namespace {

constexpr int kW = 442, kH = 460;

using PixelFn = std::function<QRgb(int x, int y)>;

QImage perPixel(const PixelFn& fn)
{
    QImage img(kW, kH, QImage::Format_RGB32);
    for (int y = 0; y < kH; ++y) {
        auto* row = reinterpret_cast<QRgb*>(img.scanLine(y));
        for (int x = 0; x < kW; ++x) row[x] = fn(x, y);
    }
    return img;
}

struct Rgb {
    float r, g, b;
};

Rgb lerp(Rgb a, Rgb b, float t)
{
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

// Colour along a vertical ramp of (position, colour) stops.
Rgb ramp(std::initializer_list<std::pair<float, Rgb>> stops, float t)
{
    auto it = stops.begin();
    if (t <= it->first) return it->second;
    for (auto next = it + 1; next != stops.end(); ++it, ++next)
        if (t <= next->first) return lerp(it->second, next->second, (t - it->first) / (next->first - it->first));
    return (stops.end() - 1)->second;
}

QRgb toRgb(Rgb c) { return rgbClamped(c.r, c.g, c.b); }

void paintStars(QImage& img, uint64_t seed, int count, float maxBright, float topShare = 1.0f)
{
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    Rng rng(seed);
    for (int i = 0; i < count; ++i) {
        const double x = rng.range(0, kW), y = rng.range(0, kH * topShare);
        const double b = std::pow(rng.uniform(), 3.0) * maxBright;
        const double size = 0.45 + 0.9 * std::pow(rng.uniform(), 4.0);
        const int tint = rng.below(3);
        QColor c = tint == 0 ? QColor(255, 236, 210) : tint == 1 ? QColor(210, 226, 255) : QColor(255, 255, 255);
        c.setAlphaF(static_cast<float>(std::min(1.0, 0.25 + b)));
        p.setBrush(c);
        p.drawEllipse(QPointF(x, y), size, size);
        if (size > 1.1 && b > 0.5) { // a soft glint on the brightest
            QRadialGradient glow(QPointF(x, y), size * 4);
            QColor g = c;
            g.setAlphaF(0.25);
            glow.setColorAt(0, g);
            glow.setColorAt(1, Qt::transparent);
            p.setBrush(glow);
            p.drawEllipse(QPointF(x, y), size * 4, size * 4);
        }
    }
}

void paintRisingBeads(QImage& img, uint64_t seed, int count, double minR, double maxR, float alpha)
{
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    Rng rng(seed);
    for (int i = 0; i < count; ++i) {
        const QPointF c(rng.range(0, kW), rng.range(0, kH));
        const double r = minR + (maxR - minR) * std::pow(rng.uniform(), 2.0);
        QRadialGradient body(c, r);
        body.setColorAt(0, QColor(180, 230, 255, 0));
        body.setColorAt(0.8, QColor(180, 230, 255, int(40 * alpha)));
        body.setColorAt(1, QColor(200, 240, 255, int(110 * alpha)));
        p.setPen(Qt::NoPen);
        p.setBrush(body);
        p.drawEllipse(c, r, r);
        p.setBrush(QColor(235, 250, 255, int(120 * alpha)));
        p.drawEllipse(c + QPointF(-r * 0.38, -r * 0.38), r * 0.22, r * 0.16);
    }
}

// ---- Dusk (the default skin)

QImage duskHills(bool moon)
{
    QImage img = perPixel([](int x, int y) {
        const float t = y / float(kH);
        Rgb sky = ramp({{0.0f, {18, 18, 46}}, {0.45f, {48, 34, 74}}, {0.75f, {104, 58, 76}},
                        {0.9f, {136, 78, 70}}},
                       t);
        const float haze = 0.9f + 0.2f * fbm(x * 0.006f, y * 0.02f, 4, 11u);
        sky = {sky.r * haze, sky.g * haze, sky.b * haze};
        // Three ranges of hills, darker towards the viewer.
        const Rgb hills[3] = {{58, 38, 66}, {40, 28, 50}, {24, 19, 34}};
        const float base[3] = {330, 372, 414}, height[3] = {46, 40, 30};
        for (int k = 0; k < 3; ++k) {
            const float ridge = base[k] - height[k] * fbm(x * 0.008f + k * 7.0f, k * 3.0f, 4, 21u + k);
            if (y >= ridge) sky = lerp(hills[k], sky, 0.12f * (1 - smoothstep(ridge, ridge + 30, y)));
        }
        return toRgb(sky);
    });
    paintStars(img, 31, 140, 0.6f, 0.55f);
    if (moon) {
        // A low, hazy moon.
        QPainter p(&img);
        p.setRenderHint(QPainter::Antialiasing);
        QRadialGradient halo(QPointF(336, 116), 70);
        halo.setColorAt(0, QColor(255, 226, 190, 60));
        halo.setColorAt(1, QColor(255, 226, 190, 0));
        p.setPen(Qt::NoPen);
        p.setBrush(halo);
        p.drawEllipse(QPointF(336, 116), 70, 70);
        QRadialGradient moon(QPointF(330, 110), 24);
        moon.setColorAt(0, QColor(238, 214, 184, 150));
        moon.setColorAt(1, QColor(214, 180, 150, 120));
        p.setBrush(moon);
        p.drawEllipse(QPointF(336, 116), 21, 21);
    }
    vignette(img, 0.35f);
    return img;
}

QImage duskWood()
{
    constexpr int kPlank = 56;
    QImage img = perPixel([](int x, int y) {
        const int plank = (x + 20) / kPlank, u = (x + 20) % kPlank;
        Rng rng(uint64_t(600 + plank));
        const float tone = float(rng.range(0.85, 1.1)), shift = float(rng.range(0, 100));
        const float warp = fbm(x * 0.02f, y * 0.004f + shift, 4, 41u);
        const float grain = 0.5f + 0.5f * std::sin((x + warp * 60.0f) * 0.45f + shift);
        const float fine = fbm(x * 0.3f, y * 0.02f, 3, 43u);
        float k = tone * (0.78f + 0.14f * grain + 0.16f * fine);
        // Seam between planks, with a lit edge on the left side.
        if (u < 2) k *= 0.45f;
        else if (u == 2) k *= 1.15f;
        // Knots now and then.
        const float knotY = float(rng.range(40, kH - 40));
        const float dx = (u - kPlank * 0.5f) / 7.0f, dy = (y - knotY) / 12.0f;
        const float knot = std::exp(-(dx * dx + dy * dy));
        k *= 1.0f - 0.35f * knot * float(plank % 3 == 1);
        return rgbClamped(82 * k, 52 * k, 32 * k);
    });
    // A warm lamp glow from the top.
    {
        QPainter p(&img);
        QRadialGradient lamp(QPointF(221, -40), 380);
        lamp.setColorAt(0, QColor(255, 190, 120, 40));
        lamp.setColorAt(1, QColor(255, 190, 120, 0));
        p.fillRect(img.rect(), lamp);
    }
    vignette(img, 0.5f);
    return img;
}

void paintLeaf(QPainter& p, QPointF at, double angle, double length, const QColor& colour)
{
    p.save();
    p.translate(at);
    p.rotate(angle);
    QPainterPath leaf;
    leaf.moveTo(0, 0);
    leaf.cubicTo(length * 0.3, -length * 0.28, length * 0.75, -length * 0.22, length, 0);
    leaf.cubicTo(length * 0.75, length * 0.22, length * 0.3, length * 0.28, 0, 0);
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    p.drawPath(leaf);
    p.setPen(QPen(scaled(colour, 1.35f), 1.2));
    p.drawLine(QPointF(2, 0), QPointF(length * 0.9, 0));
    p.restore();
}

QImage duskGarden()
{
    QImage img = perPixel([](int x, int y) {
        const float t = y / float(kH);
        Rgb c = ramp({{0.0f, {14, 30, 26}}, {0.6f, {22, 50, 34}}, {1.0f, {30, 58, 30}}}, t);
        const float n = 0.85f + 0.3f * fbm(x * 0.01f, y * 0.01f, 4, 51u);
        return toRgb({c.r * n, c.g * n, c.b * n});
    });
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    // Out-of-focus lights through the leaves.
    Rng rng(53);
    for (int i = 0; i < 46; ++i) {
        const QPointF c(rng.range(0, kW), rng.range(0, kH));
        const double r = rng.range(6, 30);
        const bool warm = rng.uniform() < 0.4;
        QColor light = warm ? QColor(255, 226, 140) : QColor(190, 240, 160);
        QRadialGradient bokeh(c, r);
        light.setAlphaF(static_cast<float>(rng.range(0.03, 0.08)));
        bokeh.setColorAt(0, light);
        bokeh.setColorAt(0.85, light);
        light.setAlphaF(static_cast<float>(light.alphaF() * 1.8));
        bokeh.setColorAt(0.95, light);
        bokeh.setColorAt(1, Qt::transparent);
        p.setPen(Qt::NoPen);
        p.setBrush(bokeh);
        p.drawEllipse(c, r, r);
    }
    // Leaves in the corners, dark and quiet.
    for (int i = 0; i < 34; ++i) {
        const int corner = i % 4;
        const QPointF origin(corner % 2 ? kW + 10 : -10, corner < 2 ? -10 : kH + 10);
        const double towards = std::atan2(kH / 2.0 - origin.y(), kW / 2.0 - origin.x()) * 180 / M_PI;
        const QPointF at = origin + QPointF(rng.range(-50, 50), rng.range(-50, 50));
        // Whole levels: the fractions are dropped.
        const QColor leaf(static_cast<int>(rng.range(10, 22)), static_cast<int>(rng.range(32, 52)),
                          static_cast<int>(rng.range(18, 30)), 220);
        paintLeaf(p, at, towards + rng.range(-50, 50), rng.range(40, 85), leaf);
    }
    p.end();
    vignette(img, 0.4f);
    return img;
}

// ---- Space

Rgb nebula(int x, int y, uint32_t seed, Rgb a, Rgb b, float strength)
{
    const float n = fbm(x * 0.006f, y * 0.006f, 6, seed);
    const float m = fbm(x * 0.012f + 9, y * 0.012f, 5, seed + 7);
    const float cloud = smoothstep(0.36f, 0.72f, n) * strength;
    const Rgb tint = lerp(a, b, m);
    return {tint.r * cloud, tint.g * cloud, tint.b * cloud};
}

QImage spaceNebula()
{
    QImage img = perPixel([](int x, int y) {
        const Rgb cloud = nebula(x, y, 71u, {120, 40, 140}, {40, 60, 150}, 0.95f);
        const float dark = 0.4f + 0.6f * fbm(x * 0.02f, y * 0.02f, 4, 73u);
        return toRgb({6 + cloud.r * dark, 7 + cloud.g * dark, 18 + cloud.b * dark});
    });
    paintStars(img, 75, 420, 0.9f);
    vignette(img, 0.3f);
    return img;
}

QImage spacePlanet()
{
    QImage img = perPixel([](int x, int y) {
        const Rgb cloud = nebula(x, y, 81u, {20, 110, 120}, {30, 50, 130}, 0.55f);
        return toRgb({4 + cloud.r, 8 + cloud.g, 18 + cloud.b});
    });
    paintStars(img, 83, 360, 0.9f);
    // A large planet rising in the bottom-left corner, lit from the top right.
    const QPointF centre(40, 560);
    const double radius = 200;
    for (int y = 0; y < kH; ++y) {
        auto* row = reinterpret_cast<QRgb*>(img.scanLine(y));
        for (int x = 0; x < kW; ++x) {
            const double dx = (x + 0.5 - centre.x()) / radius, dy = (y + 0.5 - centre.y()) / radius;
            const double d = std::sqrt(dx * dx + dy * dy);
            if (d > 1.08) continue;
            if (d > 1.0) { // thin atmosphere
                const float a = float(1.0 - (d - 1.0) / 0.08) * 0.5f * float(std::max(0.0, 0.3 + dx - dy));
                row[x] = rgbClamped(qRed(row[x]) + 60 * a, qGreen(row[x]) + 120 * a, qBlue(row[x]) + 160 * a);
                continue;
            }
            const double nz = std::sqrt(1 - d * d);
            const double light = std::max(0.0, 0.55 * dx - 0.6 * dy + 0.55 * nz);
            const float bands = fbm(float(dx * 2), float(dy * 14 + dx * 2), 4, 85u);
            const float k = float(0.06 + 0.6 * light) * (0.75f + 0.5f * bands);
            row[x] = rgbClamped(120 * k, 96 * k, 150 * k);
        }
    }
    vignette(img, 0.3f);
    return img;
}

QImage spaceMilkyWay()
{
    QImage img = perPixel([](int x, int y) {
        // A band running from the bottom left to the top right.
        const float across = (x * 0.62f + y * 0.78f - 330.0f) / 70.0f;
        const float band = std::exp(-across * across);
        const float dust = smoothstep(0.45f, 0.7f, fbm(x * 0.02f, y * 0.02f, 5, 91u));
        const float glow = band * (0.7f + 0.3f * fbm(x * 0.01f, y * 0.01f, 4, 93u)) * (1 - 0.75f * dust);
        return toRgb({8 + 60 * glow, 8 + 52 * glow, 20 + 62 * glow});
    });
    paintStars(img, 95, 380, 0.8f);
    {
        // Extra faint stars crowding in the band.
        QPainter p(&img);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(Qt::NoPen);
        Rng rng(97);
        for (int i = 0; i < 900; ++i) {
            const double along = rng.range(-120, 620), off = rng.range(-1, 1) * rng.range(0, 80);
            const QPointF at(along * 0.78 + off * 0.62, 420 - along * 0.62 + off * 0.78);
            p.setBrush(QColor(230, 230, 255, int(rng.range(30, 110))));
            p.drawEllipse(at, 0.5, 0.5);
        }
    }
    vignette(img, 0.35f);
    return img;
}

// ---- Ocean

Rgb oceanWater(int x, int y)
{
    const float t = y / float(kH);
    const Rgb c = ramp({{0.0f, {18, 78, 116}}, {0.4f, {10, 52, 92}}, {1.0f, {4, 20, 46}}}, t);
    // Shafts of light fanning down from above the surface.
    const float angle = std::atan2(x - 260.0f, y + 240.0f);
    const float shafts = fbm(angle * 9.0f, 0.5f, 3, 101u);
    const float rays = smoothstep(0.5f, 0.8f, shafts) * (1 - smoothstep(0.0f, 0.85f, t)) * 0.4f;
    return {c.r + 70 * rays, c.g + 110 * rays, c.b + 120 * rays};
}

void paintMotes(QImage& img, uint64_t seed, int count)
{
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    Rng rng(seed);
    for (int i = 0; i < count; ++i) {
        p.setBrush(QColor(190, 230, 230, int(rng.range(20, 70))));
        p.drawEllipse(QPointF(rng.range(0, kW), rng.range(0, kH)), 0.7, 0.7);
    }
}

QImage oceanRays()
{
    QImage img = perPixel([](int x, int y) { return toRgb(oceanWater(x, y)); });
    paintMotes(img, 111, 260);
    paintRisingBeads(img, 113, 22, 2, 9, 0.7f);
    vignette(img, 0.3f);
    return img;
}

void paintKelp(QPainter& p, double rootX, double height, double sway, uint64_t seed, const QColor& colour)
{
    Rng rng(seed);
    QPainterPath stem;
    stem.moveTo(rootX, kH + 5);
    const int segments = 6;
    for (int s = 1; s <= segments; ++s) {
        const double y = kH + 5 - height * s / segments;
        const double x = rootX + sway * std::sin(s * 0.9 + rng.range(0, 0.6));
        stem.lineTo(x, y);
    }
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(colour, 5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(stem);
    for (int s = 1; s < segments * 2; ++s) {
        const QPointF at = stem.pointAtPercent(s / double(segments * 2));
        paintLeaf(p, at, (s % 2 ? -40 : -140) + rng.range(-15, 15), rng.range(26, 42), colour);
    }
}

QImage oceanSeabed()
{
    QImage img = perPixel([](int x, int y) {
        Rgb c = oceanWater(x, y);
        // Sand with ripples along the bottom.
        const float sandTop = 404 + 14 * fbm(x * 0.01f, 3.0f, 3, 121u);
        if (y > sandTop) {
            const float ripple = 0.5f + 0.5f * std::sin(x * 0.12f + y * 0.35f + 6 * fbm(x * 0.02f, y * 0.05f, 3, 123u));
            const float k = (0.75f + 0.25f * ripple) * (0.8f + 0.4f * fbm(x * 0.2f, y * 0.2f, 2, 125u));
            const float fadeIn = smoothstep(sandTop, sandTop + 10, float(y));
            c = lerp(c, {60 * k, 66 * k, 62 * k}, fadeIn);
        }
        return toRgb(c);
    });
    {
        QPainter p(&img);
        p.setRenderHint(QPainter::Antialiasing);
        paintKelp(p, 18, 300, 14, 131, QColor(10, 44, 40, 230));
        paintKelp(p, 52, 200, 10, 133, QColor(14, 56, 46, 200));
        paintKelp(p, 420, 330, 16, 135, QColor(10, 44, 40, 230));
        paintKelp(p, 388, 180, 10, 137, QColor(14, 56, 46, 200));
    }
    paintMotes(img, 139, 200);
    paintRisingBeads(img, 141, 16, 2, 7, 0.7f);
    vignette(img, 0.3f);
    return img;
}

void paintFish(QPainter& p, QPointF at, double size, const QColor& colour)
{
    QPainterPath fish;
    fish.moveTo(at + QPointF(size, 0));
    fish.quadTo(at + QPointF(0, -size * 0.5), at + QPointF(-size * 0.7, 0));
    fish.lineTo(at + QPointF(-size * 1.15, -size * 0.35));
    fish.lineTo(at + QPointF(-size * 1.05, 0));
    fish.lineTo(at + QPointF(-size * 1.15, size * 0.35));
    fish.lineTo(at + QPointF(-size * 0.7, 0));
    fish.quadTo(at + QPointF(0, size * 0.5), at + QPointF(size, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    p.drawPath(fish);
}

QImage oceanCaustics()
{
    QImage img = perPixel([](int x, int y) {
        Rgb c = oceanWater(x, y);
        // Rippling light net: thin bright ridges where two noise fields meet.
        const float a = fbm(x * 0.03f, y * 0.045f, 3, 151u), b = fbm(x * 0.03f + 40, y * 0.045f, 3, 153u);
        const float net = std::pow(std::max(0.0f, 1.0f - std::fabs(a - b) * 6.0f), 6.0f);
        const float fade = 1 - smoothstep(0.0f, 0.7f, y / float(kH));
        const float light = net * fade * 0.5f;
        return toRgb({c.r + 50 * light, c.g + 90 * light, c.b + 90 * light});
    });
    {
        // A school of distant fish.
        QPainter p(&img);
        p.setRenderHint(QPainter::Antialiasing);
        Rng rng(155);
        for (int i = 0; i < 26; ++i) {
            const QPointF at(rng.range(250, 420), rng.range(250, 330) + (i % 5) * 4);
            paintFish(p, at, rng.range(5, 8), QColor(4, 24, 44, 150));
        }
    }
    paintMotes(img, 157, 220);
    paintRisingBeads(img, 159, 30, 2, 10, 0.8f);
    vignette(img, 0.3f);
    return img;
}

} // namespace

QImage background(Skin skin, int number)
{
    switch (skin) {
    case Skin::Dusk: return number == 1 ? duskHills(true) : number == 2 ? duskWood() : duskGarden();
    case Skin::Space: return number == 1 ? spaceNebula() : number == 2 ? spacePlanet() : spaceMilkyWay();
    case Skin::Ocean: break;
    }
    return number == 1 ? oceanRays() : number == 2 ? oceanSeabed() : oceanCaustics();
}

QImage coverBackdrop(Skin skin, bool hard)
{
    // The covers take the quieter scenes: nothing behind the title competes with it.
    switch (skin) {
    case Skin::Dusk: return hard ? duskWood() : duskHills(false);
    case Skin::Space: return hard ? spaceMilkyWay() : spaceNebula();
    case Skin::Ocean: break;
    }
    return hard ? oceanSeabed() : oceanRays();
}

} // namespace artgen::art
