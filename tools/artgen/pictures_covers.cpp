// Title-screen covers (Easy and Hard), the side band of each skin and the
// help dialog's backdrop. The title screen and the band put light text on
// these pictures, so the areas under it are kept dark and quiet.
#include "art_draw.h"

#include <QFont>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <cmath>

namespace artgen::art {

namespace {

constexpr int kCoverW = 442, kCoverH = 460;
constexpr int kBandW = 98, kBandH = 460;

struct Theme {
    QColor titleTop, titleBottom, outline, panel, panelEdge;
    int ballsLeft[3], ballsRight[3];
};

Theme themeOf(Skin skin)
{
    switch (skin) {
    case Skin::Dusk:
        return {QColor(255, 236, 120), QColor(246, 120, 24), QColor(74, 24, 10), QColor(20, 10, 16, 150),
                QColor(255, 210, 150, 90), {0, 1, 2}, {3, 4, 5}};
    case Skin::Space:
        return {QColor(200, 250, 255), QColor(120, 90, 255), QColor(16, 10, 54), QColor(4, 6, 20, 160),
                QColor(160, 190, 255, 90), {4, 3, 6}, {7, 11, 8}};
    case Skin::Ocean: break;
    }
    return {QColor(220, 255, 250), QColor(20, 170, 220), QColor(4, 32, 64), QColor(2, 16, 32, 150),
            QColor(150, 230, 255, 90), {6, 3, 11}, {2, 8, 7}};
}

QFont titleFont(int pixelSize)
{
    QFont f(QStringLiteral("Comic Neue"));
    f.setBold(true);
    f.setPixelSize(pixelSize);
    return f;
}

// Text as a path centred on `centre` (horizontally) with its baseline at `baseline`.
QPainterPath textPath(const QString& text, const QFont& font, double centreX, double baseline)
{
    QPainterPath path;
    path.addText(0, 0, font, text);
    const QRectF box = path.boundingRect();
    return path.translated(centreX - box.center().x(), baseline);
}

void paintGlossyText(QPainter& p, const QPainterPath& text, const QColor& top, const QColor& bottom,
                     const QColor& outline, double outlineWidth)
{
    const QRectF box = text.boundingRect();
    softShadow(p, text, QPointF(3, 5), QColor(0, 0, 0, 150), 5);
    p.setPen(QPen(outline, outlineWidth, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(outline);
    p.drawPath(text);
    QLinearGradient fill(0, box.top(), 0, box.bottom());
    fill.setColorAt(0, top);
    fill.setColorAt(0.55, mix(top, bottom, 0.6f));
    fill.setColorAt(1, bottom);
    p.setPen(Qt::NoPen);
    p.setBrush(fill);
    p.drawPath(text);
    // Gloss across the upper half of the letters.
    p.save();
    p.setClipPath(text);
    QPainterPath gloss;
    gloss.addEllipse(QRectF(box.left() - 40, box.top() - box.height() * 0.9, box.width() + 80,
                            box.height() * 1.35));
    QLinearGradient shine(0, box.top(), 0, box.top() + box.height() * 0.45);
    shine.setColorAt(0, QColor(255, 255, 255, 150));
    shine.setColorAt(1, QColor(255, 255, 255, 30));
    p.setBrush(shine);
    p.drawPath(gloss);
    p.restore();
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(255, 255, 255, 70), 1.0));
    p.drawPath(text.translated(0, 0.5));
}

void paintBallCluster(QPainter& p, QPointF centre, const int (&pieces)[3], int diameter)
{
    const double d = diameter * 0.98;
    const QPointF spots[3] = {{-d / 2, d * 0.43}, {d / 2, d * 0.43}, {0, -d * 0.43}};
    for (int k = 0; k < 3; ++k) {
        const QImage ball = glossyBall(diameter, pieces[k]);
        QPainterPath shade;
        shade.addEllipse(centre + spots[k] + QPointF(2, 3), diameter / 2.0, diameter / 2.0);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0, 0, 0, 70));
        p.drawPath(shade);
        p.drawImage(centre + spots[k] - QPointF(diameter / 2.0, diameter / 2.0), ball);
    }
}

} // namespace

QImage cover(Skin skin, bool hard)
{
    const Theme theme = themeOf(skin);
    QImage img = coverBackdrop(skin, hard);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::SmoothPixmapTransform);

    // Mood: Easy cool and calm, Hard hot.
    QLinearGradient mood(0, 0, 0, kCoverH);
    mood.setColorAt(0, hard ? QColor(200, 30, 10, 60) : QColor(30, 160, 140, 40));
    mood.setColorAt(1, hard ? QColor(90, 0, 0, 90) : QColor(10, 60, 80, 60));
    p.fillRect(img.rect(), mood);

    // Calm strip behind the buttons and the version line.
    QLinearGradient top(0, 0, 0, 66);
    top.setColorAt(0, QColor(0, 0, 0, 120));
    top.setColorAt(1, QColor(0, 0, 0, 0));
    p.fillRect(QRect(0, 0, kCoverW, 66), top);

    // The name.
    const QPainterPath title = textPath(QStringLiteral("Quibix"), titleFont(96), kCoverW / 2.0, 136);
    paintGlossyText(p, title, theme.titleTop, theme.titleBottom, theme.outline, 9);
    const QRectF box = title.boundingRect();
    paintBallCluster(p, QPointF(box.left() - 42, 104), theme.ballsLeft, 26);
    paintBallCluster(p, QPointF(box.right() + 42, 104), theme.ballsRight, 26);

    // Level subtitle between two rules.
    const QColor subTop = hard ? QColor(255, 200, 150) : QColor(210, 255, 200);
    const QColor subBottom = hard ? QColor(236, 60, 30) : QColor(80, 200, 90);
    const QPainterPath sub = textPath(hard ? QStringLiteral("Hard") : QStringLiteral("Easy"), titleFont(26),
                                      kCoverW / 2.0, 166);
    paintGlossyText(p, sub, subTop, subBottom, QColor(20, 10, 6), 4);
    const QRectF subBox = sub.boundingRect();
    for (int side : {-1, 1}) {
        const double inner = side < 0 ? subBox.left() - 12 : subBox.right() + 12;
        QLinearGradient rule(inner, 0, inner + side * 90, 0);
        rule.setColorAt(0, subBottom);
        rule.setColorAt(1, QColor(subBottom.red(), subBottom.green(), subBottom.blue(), 0));
        p.setPen(QPen(QBrush(rule), 2));
        p.drawLine(QPointF(inner, 157), QPointF(inner + side * 90, 157));
    }

    // The high-score panel: dark, translucent, with faint row stripes.
    const QRectF panel(28, 176, 386, 276);
    p.setPen(QPen(theme.panelEdge, 1.5));
    p.setBrush(theme.panel);
    p.drawRoundedRect(panel, 12, 12);
    QLinearGradient caption(0, 178, 0, 206);
    caption.setColorAt(0, QColor(255, 255, 255, 36));
    caption.setColorAt(1, QColor(255, 255, 255, 8));
    p.setPen(Qt::NoPen);
    p.setBrush(caption);
    p.drawRoundedRect(QRectF(32, 180, 378, 25), 8, 8);
    p.setPen(QPen(theme.panelEdge, 1));
    p.drawLine(QPointF(44, 205.5), QPointF(398, 205.5));
    p.setPen(Qt::NoPen);
    for (int i = 0; i < 10; i += 2) {
        p.setBrush(QColor(255, 255, 255, 14));
        p.drawRoundedRect(QRectF(34, 206 + 24 * i, 374, 24), 4, 4);
    }
    p.setPen(QPen(QColor(255, 255, 255, 30), 1));
    p.drawLine(QPointF(302.5, 210), QPointF(302.5, 444));
    return img;
}

namespace {

QRgb bandTexture(Skin skin, int x, int y)
{
    switch (skin) {
    case Skin::Dusk: { // dark wood
        const float warp = fbm(x * 0.03f, y * 0.006f, 4, 201u);
        const float grain = 0.5f + 0.5f * std::sin((x + warp * 40.0f) * 0.5f);
        const float k = 0.7f + 0.15f * grain + 0.15f * fbm(x * 0.3f, y * 0.02f, 3, 203u);
        return rgbClamped(78 * k, 48 * k, 30 * k);
    }
    case Skin::Space: { // brushed dark metal
        const float brush = fbm(x * 0.6f, y * 0.01f, 3, 211u);
        const float k = 0.8f + 0.25f * brush;
        return rgbClamped(40 * k, 46 * k, 62 * k);
    }
    case Skin::Ocean: break;
    }
    const float t = y / float(kBandH);
    const float n = 0.85f + 0.3f * fbm(x * 0.03f, y * 0.02f, 4, 221u);
    return rgbClamped((14 - 6 * t) * n, (64 - 30 * t) * n, (100 - 44 * t) * n);
}

// A sunken, dark box for text.
void paintInset(QPainter& p, const QRectF& r, int alpha)
{
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, alpha));
    p.drawRoundedRect(r, 5, 5);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(0, 0, 0, 120), 1));
    p.drawRoundedRect(r.adjusted(0.5, 0.5, -0.5, -0.5), 5, 5);
    p.setPen(QPen(QColor(255, 255, 255, 40), 1));
    p.drawLine(QPointF(r.left() + 5, r.bottom() + 0.5), QPointF(r.right() - 5, r.bottom() + 0.5));
}

void paintHazardEdge(QPainter& p, const QRectF& r)
{
    p.save();
    p.setClipRect(r);
    p.fillRect(r, QColor(230, 180, 20));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(30, 24, 18));
    // NOLINTNEXTLINE(clang-analyzer-security.FloatLoopCounter): whole steps of 8, exact in a double
    for (double x = r.left() - r.height(); x < r.right(); x += 8) {
        QPolygonF stripe({{x, r.bottom()}, {x + r.height(), r.top()}, {x + r.height() + 4, r.top()},
                          {x + 4, r.bottom()}});
        p.drawPolygon(stripe);
    }
    p.restore();
}

} // namespace

QImage band(Skin skin)
{
    QImage img(kBandW, kBandH, QImage::Format_RGB32);
    for (int y = 0; y < kBandH; ++y) {
        auto* row = reinterpret_cast<QRgb*>(img.scanLine(y));
        for (int x = 0; x < kBandW; ++x) row[x] = bandTexture(skin, x, y);
    }
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);

    // Shadow where the band meets the play field, a lit edge on the right.
    QLinearGradient edge(0, 0, 8, 0);
    edge.setColorAt(0, QColor(0, 0, 0, 140));
    edge.setColorAt(1, QColor(0, 0, 0, 0));
    p.fillRect(QRect(0, 0, 8, kBandH), edge);
    p.fillRect(QRect(kBandW - 1, 0, 1, kBandH), QColor(255, 255, 255, 30));

    if (skin == Skin::Space) { // rivets
        for (int y : {8, 452})
            for (int x : {8, 89}) {
                QRadialGradient rivet(QPointF(x - 1, y - 1), 3.5);
                rivet.setColorAt(0, QColor(170, 180, 200));
                rivet.setColorAt(1, QColor(40, 44, 56));
                p.setPen(Qt::NoPen);
                p.setBrush(rivet);
                p.drawEllipse(QPointF(x, y), 3, 3);
            }
    }

    // Emblem at the top: three pieces.
    const Theme theme = themeOf(skin);
    paintBallCluster(p, QPointF(49, 22), theme.ballsLeft, 16);

    // "Warning!!" plaque with hazard stripes above and below.
    paintInset(p, QRectF(5, 43, 88, 31), 150);
    paintHazardEdge(p, QRectF(7, 40, 84, 3));
    paintHazardEdge(p, QRectF(7, 74, 84, 3));

    // Quiet niche for the fuse and the dynamite.
    const QRectF niche(1, 82, 94, 186);
    QLinearGradient nicheShade(0, niche.top(), 0, niche.bottom());
    nicheShade.setColorAt(0, QColor(0, 0, 0, 110));
    nicheShade.setColorAt(1, QColor(0, 0, 0, 60));
    p.setPen(Qt::NoPen);
    p.setBrush(nicheShade);
    p.drawRoundedRect(niche, 8, 8);
    p.setPen(QPen(QColor(255, 255, 255, 28), 1));
    p.drawLine(QPointF(8, niche.bottom() + 0.5), QPointF(88, niche.bottom() + 0.5));

    // Engraved divider before the scores.
    p.setPen(QPen(QColor(0, 0, 0, 110), 1));
    p.drawLine(QPointF(12, 303.5), QPointF(86, 303.5));
    p.setPen(QPen(QColor(255, 255, 255, 40), 1));
    p.drawLine(QPointF(12, 304.5), QPointF(86, 304.5));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 110));
    p.drawPolygon(QPolygonF({{49, 298}, {55, 304}, {49, 310}, {43, 304}}));
    p.setBrush(theme.titleBottom);
    p.drawPolygon(QPolygonF({{49, 300}, {53, 304}, {49, 308}, {45, 304}}));

    // Score boxes: "Last Shot:" and "Total Score:" with their numbers.
    paintInset(p, QRectF(1, 336, 95, 52), 150);
    paintInset(p, QRectF(1, 400, 95, 52), 150);
    return img;
}

QImage aboutPicture()
{
    constexpr int kW = 420, kH = 380;
    // Deep and quiet like the covers: the help box puts light text on dark
    // cards over most of it; the header and the corner left of "OK" carry
    // the decoration.
    QImage img(kW, kH, QImage::Format_RGB32);
    for (int y = 0; y < kH; ++y) {
        auto* row = reinterpret_cast<QRgb*>(img.scanLine(y));
        for (int x = 0; x < kW; ++x) {
            const float t = y / float(kH);
            const float n = 0.85f + 0.3f * fbm(x * 0.008f, y * 0.008f, 5, 301u);
            row[x] = rgbClamped((36 - 22 * t + 10 * (x / float(kW))) * n, (34 - 16 * t) * n,
                                (86 - 42 * t) * n);
        }
    }
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);

    // Warm glow behind the icon and the version line.
    QRadialGradient glow(QPointF(70, 26), 220);
    glow.setColorAt(0, QColor(255, 160, 60, 56));
    glow.setColorAt(1, QColor(255, 160, 60, 0));
    p.fillRect(img.rect(), glow);

    // Faint honeycomb of ring outlines, like the play field's grid.
    p.setPen(QPen(QColor(170, 190, 255, 18), 1.2));
    p.setBrush(Qt::NoBrush);
    for (int row = 0; row * 22 < kH + 22; ++row)
        for (int col = -1; col * 25 < kW + 25; ++col)
            p.drawEllipse(QPointF(col * 25 + (row % 2 ? 12.5 : 0), row * 22.0), 11, 11);

    // Engraved rule under the header.
    p.setPen(QPen(QColor(0, 0, 0, 120), 1));
    p.drawLine(QPointF(14, 50.5), QPointF(kW - 14, 50.5));
    p.setPen(QPen(QColor(255, 220, 160, 50), 1));
    p.drawLine(QPointF(14, 51.5), QPointF(kW - 14, 51.5));

    // Three pieces in the header's right corner.
    const int corner[3] = {3, 0, 2};
    paintBallCluster(p, QPointF(382, 27), corner, 19);

    // A little pile of pieces beside the "OK" button, under the score
    // card: four below, three on top, as they sit on the board.
    const int lower[4] = {1, 4, 0, 5};
    const int upper[3] = {2, 3, 4};
    auto piece = [&p](QPointF c, int kind) {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0, 0, 0, 80));
        p.drawEllipse(c + QPointF(2, 3), 12.5, 12.5);
        p.drawImage(c - QPointF(12.5, 12.5), glossyBall(25, kind));
    };
    for (int k = 0; k < 4; ++k) piece(QPointF(236 + 25 * k, 357), lower[k]);
    for (int k = 0; k < 3; ++k) piece(QPointF(248.5 + 25 * k, 335), upper[k]);
    p.setOpacity(1.0);
    p.end();
    vignette(img, 0.35f);
    return img;
}

} // namespace artgen::art
