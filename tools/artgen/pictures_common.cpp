// Drawing helpers shared by every picture: noise, colour arithmetic, the
// sprite/mask split and saving.
#include "art_draw.h"

#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace fs = std::filesystem;

namespace artgen::art {

uint64_t Rng::next()
{
    uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

double Rng::uniform()
{
    return double(next() >> 11) * (1.0 / 9007199254740992.0);
}

namespace {

float lattice(int x, int y, uint32_t seed)
{
    uint32_t h = uint32_t(x) * 374761393u + uint32_t(y) * 668265263u + seed * 2246822519u;
    h = (h ^ (h >> 13)) * 1274126177u;
    h ^= h >> 16;
    return float(h & 0xFFFFFF) / float(0xFFFFFF);
}

float fade(float t) { return t * t * (3.0f - 2.0f * t); }

} // namespace

float valueNoise(float x, float y, uint32_t seed)
{
    const float fx = std::floor(x), fy = std::floor(y);
    const int ix = int(fx), iy = int(fy);
    const float tx = fade(x - fx), ty = fade(y - fy);
    const float a = lattice(ix, iy, seed), b = lattice(ix + 1, iy, seed);
    const float c = lattice(ix, iy + 1, seed), d = lattice(ix + 1, iy + 1, seed);
    return (a + (b - a) * tx) + ((c + (d - c) * tx) - (a + (b - a) * tx)) * ty;
}

float fbm(float x, float y, int octaves, uint32_t seed)
{
    float sum = 0, amp = 0.5f, norm = 0;
    for (int o = 0; o < octaves; ++o) {
        sum += amp * valueNoise(x, y, seed + uint32_t(o) * 101u);
        norm += amp;
        // Rotate a little between octaves so the lattice does not show.
        const float nx = 1.6f * x + 1.2f * y + 17.0f, ny = -1.2f * x + 1.6f * y + 31.0f;
        x = nx;
        y = ny;
        amp *= 0.5f;
    }
    return sum / norm;
}

float clamp01(float v) { return std::clamp(v, 0.0f, 1.0f); }

float smoothstep(float edge0, float edge1, float x)
{
    const float t = clamp01((x - edge0) / (edge1 - edge0));
    return t * t * (3.0f - 2.0f * t);
}

QColor mix(const QColor& a, const QColor& b, float t)
{
    return QColor::fromRgbF(a.redF() + (b.redF() - a.redF()) * t,
                            a.greenF() + (b.greenF() - a.greenF()) * t,
                            a.blueF() + (b.blueF() - a.blueF()) * t,
                            a.alphaF() + (b.alphaF() - a.alphaF()) * t);
}

QColor scaled(const QColor& c, float k)
{
    return QColor::fromRgbF(clamp01(c.redF() * k), clamp01(c.greenF() * k), clamp01(c.blueF() * k),
                            c.alphaF());
}

float luminance(const QColor& c)
{
    return 0.299f * c.redF() + 0.587f * c.greenF() + 0.114f * c.blueF();
}

QRgb rgbClamped(float r, float g, float b)
{
    auto q = [](float v) { return int(std::lround(std::clamp(v, 0.0f, 255.0f))); };
    return qRgb(q(r), q(g), q(b));
}

QImage newCanvas(int width, int height)
{
    QImage img(width, height, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    return img;
}

QImage solid(int width, int height, const QColor& colour)
{
    QImage img(width, height, QImage::Format_RGB32);
    img.fill(colour);
    return img;
}

QImage downsample(const QImage& big, int factor)
{
    const QImage src = big.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    const int w = src.width() / factor, h = src.height() / factor;
    QImage out(w, h, QImage::Format_ARGB32_Premultiplied);
    const int n = factor * factor;
    for (int y = 0; y < h; ++y) {
        auto* dst = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < w; ++x) {
            int a = 0, r = 0, g = 0, b = 0;
            for (int sy = 0; sy < factor; ++sy) {
                const auto* row = reinterpret_cast<const QRgb*>(src.constScanLine(y * factor + sy));
                for (int sx = 0; sx < factor; ++sx) {
                    const QRgb p = row[x * factor + sx];
                    a += qAlpha(p);
                    r += qRed(p);
                    g += qGreen(p);
                    b += qBlue(p);
                }
            }
            dst[x] = qRgba((r + n / 2) / n, (g + n / 2) / n, (b + n / 2) / n, (a + n / 2) / n);
        }
    }
    return out;
}

Sprite toSprite(const QImage& drawing, const QColor& matte, int threshold)
{
    return toSprite(drawing, drawing, matte, threshold);
}

Sprite toSprite(const QImage& drawing, const QImage& coverage, const QColor& matte, int threshold)
{
    const QImage src = drawing.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    const QImage cov = coverage.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    Sprite s{QImage(src.size(), QImage::Format_RGB32), QImage(src.size(), QImage::Format_RGB32)};
    for (int y = 0; y < src.height(); ++y) {
        const auto* in = reinterpret_cast<const QRgb*>(src.constScanLine(y));
        const auto* cv = reinterpret_cast<const QRgb*>(cov.constScanLine(y));
        auto* pic = reinterpret_cast<QRgb*>(s.picture.scanLine(y));
        auto* msk = reinterpret_cast<QRgb*>(s.mask.scanLine(y));
        for (int x = 0; x < src.width(); ++x) {
            if (qAlpha(cv[x]) < threshold) {
                pic[x] = qRgb(0, 0, 0);
                msk[x] = qRgb(255, 255, 255);
                continue;
            }
            // Premultiplied colour over the matte: the edge is antialiased
            // inside the opaque area, so the mask can stay hard.
            const float rest = 1.0f - qAlpha(in[x]) / 255.0f;
            pic[x] = rgbClamped(qRed(in[x]) + matte.red() * rest, qGreen(in[x]) + matte.green() * rest,
                                qBlue(in[x]) + matte.blue() * rest);
            msk[x] = qRgb(0, 0, 0);
        }
    }
    return s;
}

bool followsMaskConvention(const Sprite& s)
{
    if (s.picture.size() != s.mask.size()) return false;
    for (int y = 0; y < s.mask.height(); ++y)
        for (int x = 0; x < s.mask.width(); ++x) {
            const QRgb m = s.mask.pixel(x, y) & 0xFFFFFF;
            if (m != 0xFFFFFF && m != 0) return false;
            if (m == 0xFFFFFF && (s.picture.pixel(x, y) & 0xFFFFFF) != 0) return false;
        }
    return true;
}

void overlay(QImage& base, const QImage& top, int x, int y)
{
    QPainter p(&base);
    p.drawImage(x, y, top);
}

void softShadow(QPainter& p, const QPainterPath& path, QPointF offset, QColor colour, int spread)
{
    p.save();
    p.setPen(Qt::NoPen);
    const int layers = std::max(1, spread);
    colour.setAlphaF(colour.alphaF() / layers);
    p.setBrush(colour);
    for (int i = 0; i < layers; ++i) {
        // Widening strokes of decreasing weight give a cheap, deterministic blur.
        QPainterPathStroker st;
        st.setWidth(2.0 * (i + 1));
        st.setJoinStyle(Qt::RoundJoin);
        const QPainterPath grown = st.createStroke(path).united(path);
        p.drawPath(grown.translated(offset));
    }
    p.restore();
}

void vignette(QImage& img, float strength)
{
    const float cx = img.width() / 2.0f, cy = img.height() / 2.0f;
    for (int y = 0; y < img.height(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(img.scanLine(y));
        for (int x = 0; x < img.width(); ++x) {
            const float dx = (x - cx) / cx, dy = (y - cy) / cy;
            const float k = 1.0f - strength * smoothstep(0.35f, 1.6f, dx * dx + dy * dy);
            row[x] = rgbClamped(qRed(row[x]) * k, qGreen(row[x]) * k, qBlue(row[x]) * k);
        }
    }
}

bool savePicture(const QImage& img, const fs::path& file, const char* format, int quality)
{
    std::error_code ec;
    fs::create_directories(file.parent_path(), ec);
    if (ec || !img.save(QString::fromStdString(file.string()), format, quality)) {
        std::fprintf(stderr, "artgen: cannot write %s\n", file.string().c_str());
        return false;
    }
    return true;
}

} // namespace artgen::art
