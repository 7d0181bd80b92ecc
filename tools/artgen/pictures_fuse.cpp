// The TNT bundle with its burning fuse (seven frames) and the dynamite,
// plain and exploding. Drawn at three times the size and reduced.
#include "art_draw.h"

#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>

namespace artgen::art {

namespace {

constexpr int kSuper = 3;
const QColor kStickOutline(54, 10, 6);

// One red paper-wrapped stick, upright, `w` wide, from `top` to `bottom`.
void paintStick(QPainter& p, double x, double top, double bottom, double w)
{
    const double capH = w * 0.34;
    QPainterPath body;
    body.moveTo(x, top);
    body.lineTo(x, bottom - capH / 2);
    body.arcTo(QRectF(x, bottom - capH, w, capH), 180, 180);
    body.lineTo(x + w, top);
    body.closeSubpath();
    QLinearGradient shade(x, 0, x + w, 0);
    shade.setColorAt(0.0, QColor(112, 12, 10));
    shade.setColorAt(0.22, QColor(206, 36, 26));
    shade.setColorAt(0.34, QColor(250, 118, 92));
    shade.setColorAt(0.46, QColor(214, 42, 30));
    shade.setColorAt(1.0, QColor(96, 10, 8));
    p.setPen(QPen(kStickOutline, 0.9));
    p.setBrush(shade);
    p.drawPath(body);
    // Paper end with the twist in the middle.
    const QRectF cap(x, top - capH / 2, w, capH);
    QRadialGradient paper(cap.center(), w / 2);
    paper.setColorAt(0, QColor(196, 170, 128));
    paper.setColorAt(0.5, QColor(236, 216, 176));
    paper.setColorAt(1, QColor(184, 156, 112));
    p.setBrush(paper);
    p.drawEllipse(cap);
    p.setPen(QPen(QColor(140, 110, 72), 0.6));
    p.drawEllipse(cap.adjusted(w * 0.3, capH * 0.3, -w * 0.3, -capH * 0.3));
}

// A band of twine across a bundle, following the sticks' roundness.
void paintTwine(QPainter& p, double left, double right, double y, double sag)
{
    QPainterPath band;
    band.moveTo(left, y);
    band.quadTo((left + right) / 2, y + sag, right, y);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(58, 36, 16), 3.4, Qt::SolidLine, Qt::RoundCap));
    p.drawPath(band);
    p.setPen(QPen(QColor(176, 138, 84), 2.0, Qt::SolidLine, Qt::RoundCap));
    p.drawPath(band);
    p.setPen(QPen(QColor(120, 88, 48), 0.7, Qt::DotLine, Qt::FlatCap));
    p.drawPath(band);
}

QPainterPath fusePath()
{
    QPainterPath f;
    f.moveTo(43.5, 37);
    f.cubicTo(44.5, 26, 27, 28, 29, 17);
    f.cubicTo(31, 6, 51, 2, 59, 9);
    f.cubicTo(65, 14, 72, 19, 78, 12);
    return f;
}

// The part of a path from its start to `share` of its length.
QPainterPath partOf(const QPainterPath& path, double share)
{
    QPainterPath part;
    part.moveTo(path.pointAtPercent(0));
    const int steps = 80;
    for (int i = 1; i <= steps; ++i) part.lineTo(path.pointAtPercent(share * i / steps));
    return part;
}

void paintFuse(QPainter& p, const QPainterPath& fuse)
{
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(40, 30, 22), 3.8, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(fuse);
    p.setPen(QPen(QColor(196, 184, 160), 2.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(fuse);
    // Braided look.
    p.setPen(QPen(QColor(120, 108, 90), 2.2, Qt::CustomDashLine, Qt::FlatCap));
    QPen braid = p.pen();
    braid.setDashPattern({0.5, 0.9});
    p.setPen(braid);
    p.drawPath(fuse);
}

void paintSpark(QPainter& p, QPointF at, int frame)
{
    Rng rng(uint64_t(5100 + frame));
    QPolygonF star;
    const int points = 12;
    const double turn = rng.range(0, 2 * M_PI);
    for (int k = 0; k < 2 * points; ++k) {
        const double a = turn + k * M_PI / points;
        const double r = (k % 2) ? rng.range(2.4, 3.2) : rng.range(6.0, 9.0);
        star << at + QPointF(r * std::cos(a), r * std::sin(a));
    }
    QRadialGradient fire(at, 9);
    fire.setColorAt(0.0, QColor(255, 255, 255));
    fire.setColorAt(0.3, QColor(255, 246, 150));
    fire.setColorAt(0.65, QColor(255, 176, 40));
    fire.setColorAt(1.0, QColor(236, 82, 20));
    p.setPen(Qt::NoPen);
    p.setBrush(fire);
    p.drawPolygon(star);
    // Flying sparks.
    for (int k = 0; k < 4; ++k) {
        const double a = rng.range(0, 2 * M_PI), r = rng.range(8.5, 10.5);
        const QPointF c = at + QPointF(r * std::cos(a), r * std::sin(a));
        p.setBrush(QColor(255, 214, 90));
        p.drawEllipse(c, 1.1, 1.1);
    }
    p.setBrush(QColor(255, 255, 240));
    p.drawEllipse(at, 2.2, 2.2);
}

QImage tntDrawing(int frame)
{
    QImage img = newCanvas(90 * kSuper, 83 * kSuper);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(kSuper, kSuper);

    // Sticks: two behind, three in front.
    paintStick(p, 28.5, 33.5, 77, 15);
    paintStick(p, 44, 33.5, 77, 15);
    paintStick(p, 20, 38, 81, 15.5);
    paintStick(p, 36, 38, 81, 15.5);
    paintStick(p, 52, 38, 81, 15.5);
    paintTwine(p, 19.6, 68, 48, 3.5);
    paintTwine(p, 19.6, 68, 72, 3.5);

    // Label.
    const QRectF label(25, 54, 38, 13);
    p.setPen(QPen(QColor(70, 40, 20), 0.8));
    QLinearGradient paper(0, label.top(), 0, label.bottom());
    paper.setColorAt(0, QColor(250, 238, 200));
    paper.setColorAt(1, QColor(214, 192, 146));
    p.setBrush(paper);
    p.drawRoundedRect(label, 1.5, 1.5);
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setBold(true);
    font.setPixelSize(11);
    font.setStretch(110);
    p.setFont(font);
    p.setPen(QColor(150, 20, 14));
    p.drawText(label.translated(0, 0.6), Qt::AlignCenter, QStringLiteral("TNT"));

    // The fuse burns down one step per frame; frame 6 is almost at the stick.
    const double share = 1.0 - frame * (0.88 / (kFuseFrameCount - 1));
    const QPainterPath fuse = partOf(fusePath(), share);
    paintFuse(p, fuse);
    const QPointF end = fuse.currentPosition();
    // Charred tip just before the spark.
    p.setPen(QPen(QColor(30, 20, 16), 3.0, Qt::SolidLine, Qt::RoundCap));
    p.drawPoint(end);
    paintSpark(p, end, frame);
    return downsample(img, kSuper);
}

// The dynamite: five sticks fanned out from a point below the picture,
// the middle ones longer so the top is rounded like a real bundle.
constexpr double kPivotX = 45, kPivotY = 140, kStickW = 16;
struct FanStick {
    double angle, reach;
};
constexpr FanStick kFan[5] = {{-17, 112}, {17, 112}, {-8.5, 118}, {8.5, 118}, {0, 123}}; // back to front

template <typename PaintOne>
void forEachFanStick(QPainter& p, PaintOne paintOne)
{
    for (const FanStick& s : kFan) {
        p.save();
        p.translate(kPivotX, kPivotY);
        p.rotate(s.angle);
        paintOne(-s.reach, -44.0);
        p.restore();
    }
}

QPainterPath dynamiteFuse()
{
    QPainterPath fuse;
    fuse.moveTo(45, kPivotY - kFan[4].reach + 1);
    fuse.cubicTo(45.5, 10, 52, 11, 54, 6);
    fuse.cubicTo(55.5, 2.5, 60, 2.5, 62, 4);
    return fuse;
}

void paintDynamite(QPainter& p)
{
    forEachFanStick(p, [&](double top, double bottom) { paintStick(p, -kStickW / 2, top, bottom, kStickW); });
    // Twine around the fan, ending at the outer sticks' edges.
    p.save();
    p.setBrush(Qt::NoBrush);
    for (double r : {66.0, 94.0}) {
        const QRectF arc(kPivotX - r, kPivotY - r, 2 * r, 2 * r);
        const double half = 17 + std::asin(7.0 / r) * 180 / M_PI;
        QPainterPath band;
        band.arcMoveTo(arc, 90 + half);
        band.arcTo(arc, 90 + half, -2 * half);
        p.setPen(QPen(QColor(58, 36, 16), 3.8, Qt::SolidLine, Qt::FlatCap));
        p.drawPath(band);
        p.setPen(QPen(QColor(176, 138, 84), 2.3, Qt::SolidLine, Qt::FlatCap));
        p.drawPath(band);
        p.setPen(QPen(QColor(120, 88, 48), 0.8, Qt::DotLine, Qt::FlatCap));
        p.drawPath(band);
    }
    p.restore();
    paintFuse(p, dynamiteFuse()); // not lit yet: the fuse above is the one burning
}

void paintHotStick(QPainter& p, double top, double bottom)
{
    const double x = -kStickW / 2, w = kStickW, capH = w * 0.34;
    QLinearGradient heat(x, 0, x + w, 0);
    heat.setColorAt(0.0, QColor(190, 44, 8));
    heat.setColorAt(0.3, QColor(255, 190, 60));
    heat.setColorAt(0.45, QColor(255, 244, 170));
    heat.setColorAt(0.7, QColor(255, 150, 30));
    heat.setColorAt(1.0, QColor(170, 36, 6));
    p.setPen(QPen(QColor(150, 30, 6), 0.9));
    p.setBrush(heat);
    p.drawRect(QRectF(x, top, w, bottom - top));
    p.setBrush(QColor(255, 250, 214));
    p.drawEllipse(QRectF(x, top - capH / 2, w, capH));
}

void paintExplosion(QPainter& p)
{
    const QPointF centre(45, 60);
    QRadialGradient fire(centre, 62);
    fire.setColorAt(0.0, QColor(255, 255, 230));
    fire.setColorAt(0.4, QColor(255, 200, 60));
    fire.setColorAt(1.0, QColor(230, 70, 12));
    p.fillRect(QRectF(0, 0, 90, 100), fire);
    // The sticks themselves glowing white-hot.
    forEachFanStick(p, [&](double top, double bottom) { paintHotStick(p, top, bottom); });

    // Flame tongues and rays bursting out from the centre.
    Rng rng(5301);
    p.setPen(Qt::NoPen);
    for (int k = 0; k < 18; ++k) {
        const double a = k * 2 * M_PI / 18 + rng.range(-0.12, 0.12);
        const double len = rng.range(40, 62), width = rng.range(0.08, 0.15);
        QPolygonF tongue;
        tongue << centre + QPointF(6 * std::cos(a + 1.2), 6 * std::sin(a + 1.2))
               << centre + QPointF(len * std::cos(a - width), len * std::sin(a - width))
               << centre + QPointF((len + 8) * std::cos(a), (len + 8) * std::sin(a))
               << centre + QPointF(len * std::cos(a + width), len * std::sin(a + width))
               << centre + QPointF(6 * std::cos(a - 1.2), 6 * std::sin(a - 1.2));
        QRadialGradient glow(centre, len + 8);
        glow.setColorAt(0, QColor(255, 255, 235, 220));
        glow.setColorAt(0.6, QColor(255, 236, 120, 130));
        glow.setColorAt(1, QColor(255, 170, 40, 0));
        p.setBrush(glow);
        p.drawPolygon(tongue);
    }
    QRadialGradient core(centre, 30);
    core.setColorAt(0, QColor(255, 255, 255, 255));
    core.setColorAt(0.45, QColor(255, 255, 240, 200));
    core.setColorAt(1, QColor(255, 250, 200, 0));
    p.setBrush(core);
    p.drawEllipse(centre, 30, 30);
    // Shreds of paper and sparks flying off.
    for (int k = 0; k < 14; ++k) {
        const double a = rng.range(0, 2 * M_PI), r = rng.range(24, 48);
        const QPointF c = centre + QPointF(r * std::cos(a), r * std::sin(a) * 1.1);
        p.save();
        p.translate(c);
        p.rotate(rng.range(0, 180));
        p.setBrush(k % 3 ? QColor(130, 26, 10, 220) : QColor(60, 22, 10, 220));
        p.drawRect(QRectF(-2.2, -1.0, 4.4, 2.0));
        p.restore();
    }
    for (int k = 0; k < 24; ++k) {
        const double a = rng.range(0, 2 * M_PI), r = rng.range(12, 50);
        p.setBrush(QColor(255, 255, 225));
        p.drawEllipse(centre + QPointF(r * std::cos(a), r * std::sin(a)), 0.9, 0.9);
    }
}

} // namespace

Sprite tntFrame(int frame)
{
    return toSprite(tntDrawing(frame), QColor(40, 14, 8), 100);
}

DynamitePair dynamitePictures()
{
    QImage plainBig = newCanvas(90 * kSuper, 100 * kSuper);
    {
        QPainter p(&plainBig);
        p.setRenderHint(QPainter::Antialiasing);
        p.scale(kSuper, kSuper);
        paintDynamite(p);
    }
    // The blast fills exactly the dynamite's outline, so one mask serves both.
    QImage boomBig = newCanvas(90 * kSuper, 100 * kSuper);
    {
        QPainter p(&boomBig);
        p.setRenderHint(QPainter::Antialiasing);
        p.scale(kSuper, kSuper);
        paintExplosion(p);
        p.resetTransform();
        p.setCompositionMode(QPainter::CompositionMode_DestinationIn);
        p.drawImage(0, 0, plainBig);
    }
    const QImage plain = downsample(plainBig, kSuper);
    const QImage boom = downsample(boomBig, kSuper);
    // Union of both opaque areas (they are the same here, but keep it exact).
    QImage coverage = plain;
    for (int y = 0; y < coverage.height(); ++y) {
        auto* c = reinterpret_cast<QRgb*>(coverage.scanLine(y));
        const auto* b = reinterpret_cast<const QRgb*>(boom.constScanLine(y));
        for (int x = 0; x < coverage.width(); ++x)
            c[x] = qRgba(0, 0, 0, std::max(qAlpha(c[x]), qAlpha(b[x])));
    }
    const Sprite plainSprite = toSprite(plain, coverage, QColor(40, 14, 8), 100);
    const Sprite boomSprite = toSprite(boom, coverage, QColor(96, 22, 8), 100);
    return {plainSprite.picture, boomSprite.picture, plainSprite.mask};
}

} // namespace artgen::art
