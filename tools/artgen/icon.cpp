// The game's icon: glossy pieces hanging over a cannon that is about to
// fire one more, on a rounded night-blue tile. One list of shapes is both
// painted into the PNG sizes and written out as the scalable SVG, so the
// two always show the same picture.
#include "art_draw.h"
#include "artgen.h"

#include <QFile>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

namespace artgen {

namespace {

constexpr double kDesign = 256.0; // the shapes are laid out on a 256 x 256 grid
constexpr int kSizes[] = {16, 22, 24, 32, 48, 64, 128, 256};

struct Stop {
    double at;
    QColor colour;
};

// A gradient in the design's own coordinates (SVG userSpaceOnUse).
struct Fill {
    bool radial = false;
    double x1 = 0, y1 = 0, x2 = 0, y2 = 0; // linear: from, to
    double cx = 0, cy = 0, r = 0, fx = 0, fy = 0; // radial: centre, radius, focus
    std::vector<Stop> stops;
};

struct Shape {
    QPainterPath path;   // for painting
    std::string svgPath; // the same outline as SVG path data
    Fill fill;
    double opacity = 1.0;
    QColor stroke = Qt::transparent;
    double strokeWidth = 0;
};

std::string num(double v)
{
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.2f", v);
    std::string s = buf;
    while (s.back() == '0') s.pop_back();
    if (s.back() == '.') s.pop_back();
    return s;
}

std::string hex(const QColor& c)
{
    char buf[8];
    std::snprintf(buf, sizeof buf, "#%02x%02x%02x", c.red(), c.green(), c.blue());
    return buf;
}

Shape circle(double cx, double cy, double r)
{
    Shape s;
    s.path.addEllipse(QPointF(cx, cy), r, r);
    s.svgPath = "M" + num(cx - r) + "," + num(cy) + "a" + num(r) + "," + num(r) + " 0 1,0 " +
                num(2 * r) + ",0a" + num(r) + "," + num(r) + " 0 1,0 " + num(-2 * r) + ",0z";
    return s;
}

Shape ellipse(double cx, double cy, double rx, double ry)
{
    Shape s;
    s.path.addEllipse(QPointF(cx, cy), rx, ry);
    s.svgPath = "M" + num(cx - rx) + "," + num(cy) + "a" + num(rx) + "," + num(ry) + " 0 1,0 " +
                num(2 * rx) + ",0a" + num(rx) + "," + num(ry) + " 0 1,0 " + num(-2 * rx) + ",0z";
    return s;
}

Shape polygon(const std::vector<QPointF>& points)
{
    Shape s;
    s.path.moveTo(points.front());
    s.svgPath = "M" + num(points.front().x()) + "," + num(points.front().y());
    for (std::size_t i = 1; i < points.size(); ++i) {
        s.path.lineTo(points[i]);
        s.svgPath += "L" + num(points[i].x()) + "," + num(points[i].y());
    }
    s.path.closeSubpath();
    s.svgPath += "z";
    return s;
}

Shape roundedSquare(double x, double y, double size, double radius)
{
    Shape s;
    s.path.addRoundedRect(QRectF(x, y, size, size), radius, radius);
    const double r = radius, e = size - 2 * radius;
    s.svgPath = "M" + num(x + r) + "," + num(y) + "h" + num(e) + "a" + num(r) + "," + num(r) +
                " 0 0,1 " + num(r) + "," + num(r) + "v" + num(e) + "a" + num(r) + "," + num(r) +
                " 0 0,1 " + num(-r) + "," + num(r) + "h" + num(-e) + "a" + num(r) + "," + num(r) +
                " 0 0,1 " + num(-r) + "," + num(-r) + "v" + num(-e) + "a" + num(r) + "," + num(r) +
                " 0 0,1 " + num(r) + "," + num(-r) + "z";
    return s;
}

Fill linear(double x1, double y1, double x2, double y2, std::vector<Stop> stops)
{
    Fill f;
    f.x1 = x1, f.y1 = y1, f.x2 = x2, f.y2 = y2;
    f.stops = std::move(stops);
    return f;
}

Fill radial(double cx, double cy, double r, double fx, double fy, std::vector<Stop> stops)
{
    Fill f;
    f.radial = true;
    f.cx = cx, f.cy = cy, f.r = r, f.fx = fx, f.fy = fy;
    f.stops = std::move(stops);
    return f;
}

// A glossy piece: lit from the upper left, a dark rim, a sharp highlight.
void addPiece(std::vector<Shape>& shapes, double cx, double cy, double r, QColor base)
{
    Shape ball = circle(cx, cy, r);
    ball.fill = radial(cx - 0.25 * r, cy - 0.3 * r, 1.25 * r, cx - 0.35 * r, cy - 0.4 * r,
                       {{0.0, base.lighter(170)}, {0.45, base}, {1.0, base.darker(260)}});
    ball.stroke = base.darker(320);
    ball.strokeWidth = std::max(2.0, r * 0.08);
    shapes.push_back(ball);
    Shape shine = ellipse(cx - 0.32 * r, cy - 0.42 * r, 0.42 * r, 0.26 * r);
    shine.fill = linear(0, cy - 0.68 * r, 0, cy - 0.16 * r,
                        {{0.0, QColor(255, 255, 255)}, {1.0, QColor(255, 255, 255, 0)}});
    shine.opacity = 0.85;
    shapes.push_back(shine);
}

// The barrel, a tapered tube from the pivot towards `degrees` (0 right,
// 90 straight up, as the game aims).
std::vector<QPointF> barrel(QPointF pivot, double degrees, double length, double back,
                            double halfBase, double halfMuzzle)
{
    const double a = degrees * M_PI / 180.0;
    const QPointF along(std::cos(a), -std::sin(a));
    const QPointF across(std::sin(a), std::cos(a));
    const QPointF start = pivot - along * back, end = pivot + along * length;
    return {start + across * halfBase, end + across * halfMuzzle, end - across * halfMuzzle,
            start - across * halfBase};
}

std::vector<Shape> iconShapes()
{
    std::vector<Shape> shapes;

    Shape tile = roundedSquare(8, 8, 240, 52);
    tile.fill = linear(0, 8, 0, 248, {{0.0, QColor(0x2c, 0x3f, 0x8f)}, {1.0, QColor(0x10, 0x14, 0x3a)}});
    tile.stroke = QColor(0x0a, 0x0d, 0x26);
    tile.strokeWidth = 4;
    shapes.push_back(tile);

    Shape glow = circle(128, 100, 88);
    glow.fill = radial(128, 100, 88, 128, 100,
                       {{0.0, QColor(0x7f, 0x9c, 0xff, 90)}, {1.0, QColor(0x7f, 0x9c, 0xff, 0)}});
    shapes.push_back(glow);

    // The hanging pieces: a staggered row of three with two below.
    const double r = 29;
    addPiece(shapes, 66, 58, r, QColor(0xe5, 0x32, 0x3c));   // red
    addPiece(shapes, 128, 58, r, QColor(0xf5, 0xc4, 0x1b));  // yellow
    addPiece(shapes, 190, 58, r, QColor(0x2f, 0x7d, 0xf0));  // blue
    addPiece(shapes, 97, 111, r, QColor(0x3c, 0xc0, 0x4a));  // green
    addPiece(shapes, 159, 111, r, QColor(0xa8, 0x4c, 0xe0)); // purple

    // The cannon: a steel barrel aimed up and right over a domed base, and
    // the shot it just fired flying along its line towards the pieces.
    const QPointF pivot(112, 214);
    const double aim = 45;
    const double rad = aim * M_PI / 180.0;
    auto alongFire = [&](double d) { return pivot + QPointF(std::cos(rad), -std::sin(rad)) * d; };
    for (const auto& [distance, radius] : {std::pair{88.0, 5.0}, std::pair{100.0, 7.0}}) {
        const QPointF at = alongFire(distance);
        Shape puff = circle(at.x(), at.y(), radius);
        puff.fill = radial(at.x(), at.y(), radius + 2, at.x(), at.y(),
                           {{0.0, QColor(255, 255, 255, 170)}, {1.0, QColor(255, 255, 255, 0)}});
        shapes.push_back(puff);
    }
    const QPointF shot = alongFire(135);
    addPiece(shapes, shot.x(), shot.y(), 23, QColor(0x1f, 0xd1, 0xd6)); // cyan, in flight

    Shape tube = polygon(barrel(pivot, aim, 74, 10, 24, 19));
    // Lit across the barrel from its upper-left side.
    const QPointF across(std::sin(rad) * 20, std::cos(rad) * 20);
    tube.fill = linear(pivot.x() - across.x(), pivot.y() - across.y(), pivot.x() + across.x(),
                       pivot.y() + across.y(),
                       {{0.0, QColor(0xe8, 0xec, 0xf2)}, {0.45, QColor(0x8d, 0x97, 0xa8)},
                        {1.0, QColor(0x39, 0x40, 0x4d)}});
    tube.stroke = QColor(0x1b, 0x1f, 0x28);
    tube.strokeWidth = 4;
    shapes.push_back(tube);
    Shape muzzle = polygon(barrel(pivot, aim, 80, -64, 23, 23));
    muzzle.fill = linear(0, 130, 0, 175, {{0.0, QColor(0xf6, 0xc8, 0x5a)}, {1.0, QColor(0xa8, 0x6a, 0x12)}});
    muzzle.stroke = QColor(0x4a, 0x2e, 0x06);
    muzzle.strokeWidth = 3;
    shapes.push_back(muzzle);

    // The base: a brass dome, a half disc on a flat foot.
    std::vector<QPointF> domePoints;
    for (int i = 0; i <= 16; ++i) {
        const double a = M_PI * i / 16.0;
        domePoints.emplace_back(112 - 50 * std::cos(a), 236 - 50 * std::sin(a));
    }
    Shape dome = polygon(domePoints);
    dome.fill = radial(100, 200, 60, 92, 196,
                       {{0.0, QColor(0xf4, 0xb8, 0x4c)}, {0.6, QColor(0xc0, 0x78, 0x1c)},
                        {1.0, QColor(0x6e, 0x3a, 0x08)}});
    dome.stroke = QColor(0x3a, 0x1e, 0x04);
    dome.strokeWidth = 4;
    shapes.push_back(dome);
    Shape hub = circle(112, 214, 9);
    hub.fill = radial(110, 212, 10, 108, 210, {{0.0, QColor(0xd0, 0xd6, 0xe0)}, {1.0, QColor(0x40, 0x46, 0x52)}});
    hub.stroke = QColor(0x1b, 0x1f, 0x28);
    hub.strokeWidth = 2;
    shapes.push_back(hub);
    return shapes;
}

QBrush brushOf(const Fill& f)
{
    if (f.radial) {
        QRadialGradient g(QPointF(f.cx, f.cy), f.r, QPointF(f.fx, f.fy));
        for (const Stop& s : f.stops) g.setColorAt(s.at, s.colour);
        return g;
    }
    QLinearGradient g(QPointF(f.x1, f.y1), QPointF(f.x2, f.y2));
    for (const Stop& s : f.stops) g.setColorAt(s.at, s.colour);
    return g;
}

QImage paintIcon(const std::vector<Shape>& shapes, int size)
{
    // Drawn four times larger and reduced, so small sizes stay clean.
    constexpr int kOver = 4;
    QImage big(size * kOver, size * kOver, QImage::Format_ARGB32_Premultiplied);
    big.fill(Qt::transparent);
    {
        QPainter p(&big);
        p.setRenderHint(QPainter::Antialiasing);
        p.scale(size * kOver / kDesign, size * kOver / kDesign);
        for (const Shape& s : shapes) {
            p.setOpacity(s.opacity);
            p.setPen(s.strokeWidth > 0 ? QPen(s.stroke, s.strokeWidth) : QPen(Qt::NoPen));
            p.setBrush(brushOf(s.fill));
            p.drawPath(s.path);
        }
    }
    return art::downsample(big, kOver).convertToFormat(QImage::Format_ARGB32);
}

std::string svgOf(const std::vector<Shape>& shapes)
{
    std::string defs, body;
    for (std::size_t i = 0; i < shapes.size(); ++i) {
        const Shape& s = shapes[i];
        const Fill& f = s.fill;
        const std::string id = "g" + std::to_string(i);
        if (f.radial)
            defs += "<radialGradient id=\"" + id + "\" gradientUnits=\"userSpaceOnUse\" cx=\"" +
                    num(f.cx) + "\" cy=\"" + num(f.cy) + "\" r=\"" + num(f.r) + "\" fx=\"" +
                    num(f.fx) + "\" fy=\"" + num(f.fy) + "\">";
        else
            defs += "<linearGradient id=\"" + id + "\" gradientUnits=\"userSpaceOnUse\" x1=\"" +
                    num(f.x1) + "\" y1=\"" + num(f.y1) + "\" x2=\"" + num(f.x2) + "\" y2=\"" +
                    num(f.y2) + "\">";
        for (const Stop& st : f.stops)
            defs += "<stop offset=\"" + num(st.at) + "\" stop-color=\"" + hex(st.colour) +
                    "\" stop-opacity=\"" + num(st.colour.alphaF()) + "\"/>";
        defs += f.radial ? "</radialGradient>\n" : "</linearGradient>\n";
        body += "<path d=\"" + s.svgPath + "\" fill=\"url(#" + id + ")\"";
        if (s.opacity < 1.0)
            body += " opacity=\"" + num(s.opacity) + "\"";
        if (s.strokeWidth > 0)
            body += " stroke=\"" + hex(s.stroke) + "\" stroke-width=\"" + num(s.strokeWidth) +
                    "\" stroke-linejoin=\"round\"";
        body += "/>\n";
    }
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
           "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"256\" height=\"256\" "
           "viewBox=\"0 0 256 256\">\n<title>Quibix</title>\n<defs>\n" +
           defs + "</defs>\n" + body + "</svg>\n";
}

} // namespace

int generateIcons(const std::filesystem::path& iconDir)
{
    std::filesystem::create_directories(iconDir);
    const std::vector<Shape> shapes = iconShapes();
    bool ok = true;
    std::string qrc = "<!DOCTYPE RCC><RCC version=\"1.0\">\n<qresource prefix=\"/icons\">\n";
    for (int size : kSizes) {
        const std::string name = "quibix-" + std::to_string(size) + ".png";
        const QString file = QString::fromStdString((iconDir / name).string());
        // PNG text chunks would carry nothing useful; the bytes stay the same.
        ok = paintIcon(shapes, size).save(file, "PNG") && ok;
        qrc += "<file>" + name + "</file>\n";
    }
    qrc += "</qresource>\n</RCC>\n";

    auto writeText = [&ok](const std::filesystem::path& path, const std::string& text) {
        QFile f(QString::fromStdString(path.string()));
        ok = f.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
             f.write(text.data(), static_cast<qint64>(text.size())) ==
                 static_cast<qint64>(text.size()) &&
             ok;
    };
    writeText(iconDir / "quibix.svg", svgOf(shapes));
    writeText(iconDir / "icons.qrc", qrc);
    if (!ok)
        std::fprintf(stderr, "artgen: cannot write the icons into %s\n", iconDir.c_str());
    return ok ? 0 : 1;
}

} // namespace artgen
