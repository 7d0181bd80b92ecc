#include "render/Pictures.h"

#include <QFont>
#include <QImageReader>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QString>

#include <algorithm>

namespace quibix {

QImage readPicture(const std::filesystem::path& file, std::string* why)
{
    auto refuse = [why](std::string reason) {
        if (why) *why = std::move(reason);
        return QImage();
    };
    std::error_code ec;
    if (!std::filesystem::is_regular_file(file, ec)) return refuse("not a file");
    QImageReader reader(QString::fromStdString(file.string()));
    reader.setDecideFormatFromContent(true);
    const QSize size = reader.size(); // from the header alone
    if (!size.isValid()) return refuse("not a picture");
    if (size.width() > kMaxPictureSide || size.height() > kMaxPictureSide ||
        static_cast<long long>(size.width()) * size.height() > kMaxPicturePixels)
        return refuse("too large (" + std::to_string(size.width()) + " x " + std::to_string(size.height()) + ")");
    QImage image = reader.read();
    if (image.isNull()) return refuse(reader.errorString().toStdString());
    return image;
}

QImage loadPicture(const std::filesystem::path& file, QSize size)
{
    QImage image = readPicture(file);
    if (image.isNull()) return {};
    image = image.convertToFormat(QImage::Format_RGB32);
    if (size.isValid() && !size.isEmpty() && image.size() != size)
        image = image.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                    .convertToFormat(QImage::Format_RGB32);
    return image;
}

namespace {

struct Palette {
    QColor top, bottom, pattern;
};

Palette paletteFor(PlainKind kind)
{
    switch (kind) {
    case PlainKind::Cover: return {QColor(28, 52, 96), QColor(70, 40, 92), QColor(255, 255, 255, 18)};
    case PlainKind::Band: return {QColor(26, 28, 38), QColor(12, 12, 18), QColor(255, 255, 255, 10)};
    case PlainKind::About: return {QColor(44, 70, 110), QColor(22, 34, 58), QColor(255, 255, 255, 14)};
    case PlainKind::Background:
    default: return {QColor(58, 92, 128), QColor(30, 48, 74), QColor(255, 255, 255, 12)};
    }
}

// Faint rings on a staggered grid, echoing the board's layout without
// competing with the pieces drawn over it.
void drawSoftPattern(QPainter& p, QSize size, const QColor& colour)
{
    constexpr int kStep = 50;
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setPen(QPen(colour, 2));
    p.setBrush(Qt::NoBrush);
    for (int row = 0, y = kStep / 2; y < size.height() + kStep; ++row, y += kStep) {
        const int shift = (row % 2) ? kStep / 2 : 0;
        for (int x = shift; x < size.width() + kStep; x += kStep)
            p.drawEllipse(QPointF(x, y), kStep * 0.3, kStep * 0.3);
    }
}

void drawTitle(QPainter& p, QSize size)
{
    // The letters sit in the band y 60..170, above the cover's buttons.
    constexpr int kTop = 60, kBottom = 170;
    QFont font(QStringLiteral("Comic Sans MS"));
    font.setBold(true);
    font.setPixelSize(110);
    const QRectF band(0, kTop, size.width(), kBottom - kTop);

    QPainterPath path;
    const QString title = QStringLiteral("Quibix");
    path.addText(0, 0, font, title);
    QRectF box = path.boundingRect();
    // Shrink the text if the picture is narrow or the font runs large.
    const double scale = std::min({1.0, (band.width() * 0.9) / box.width(),
                                   (band.height() * 0.9) / box.height()});
    QTransform t;
    t.translate(band.center().x(), band.center().y());
    t.scale(scale, scale);
    t.translate(-box.center().x(), -box.center().y());
    path = t.map(path);

    p.setRenderHint(QPainter::Antialiasing, true);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 110));
    p.drawPath(path.translated(4, 4));
    QLinearGradient fill(0, kTop, 0, kBottom);
    fill.setColorAt(0.0, QColor(255, 236, 150));
    fill.setColorAt(1.0, QColor(240, 150, 60));
    p.setBrush(fill);
    p.setPen(QPen(QColor(90, 40, 20), 2));
    p.drawPath(path);
}

} // namespace

QImage plainPicture(PlainKind kind, QSize size)
{
    if (!size.isValid() || size.isEmpty()) return {};
    QImage image(size, QImage::Format_RGB32);
    const Palette colours = paletteFor(kind);
    {
        QPainter p(&image);
        QLinearGradient gradient(0, 0, 0, size.height());
        gradient.setColorAt(0.0, colours.top);
        gradient.setColorAt(1.0, colours.bottom);
        p.fillRect(image.rect(), gradient);
        drawSoftPattern(p, size, colours.pattern);
        if (kind == PlainKind::Cover) drawTitle(p, size);
    }
    return image;
}

} // namespace quibix
