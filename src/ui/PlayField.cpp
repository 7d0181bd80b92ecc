#include "ui/PlayField.h"

#include "ui/StageLayout.h"

#include <QCursor>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <cstring>

namespace quibix {

void paintCrisp(QWidget* target, const QImage& image, int scale, QRect exposed)
{
    if (image.isNull())
        return;
    QPainter painter(target);
    // Only a picture of another size (a skin of the player's own) or a
    // screen factor between whole numbers (uneven pixels) is smoothed; a
    // whole-number factor keeps the pixels square and crisp.
    const qreal ratio = target->devicePixelRatioF();
    const bool exact = image.size() * scale == target->size();
    painter.setRenderHint(QPainter::SmoothPixmapTransform, !exact || ratio != std::floor(ratio));
    if (!exact || exposed.isEmpty()) {
        painter.drawImage(target->rect(), image);
        return;
    }
    // Only the squares of the pixels that were exposed.
    const QRect source(exposed.left() / scale, exposed.top() / scale,
                       (exposed.right() / scale) - (exposed.left() / scale) + 1,
                       (exposed.bottom() / scale) - (exposed.top() / scale) + 1);
    painter.drawImage(QRect(source.topLeft() * scale, source.size() * scale), image, source);
}

QRect changedRect(const QImage& before, const QImage& after)
{
    if (before.size() != after.size() || before.format() != after.format() || before.depth() != 32)
        return after.rect();
    if (before.constBits() == after.constBits())
        return {};
    const int width = after.width();
    int top = -1, bottom = -1, left = width, right = -1;
    for (int y = 0; y < after.height(); ++y) {
        const auto* a = reinterpret_cast<const uint32_t*>(before.constScanLine(y));
        const auto* b = reinterpret_cast<const uint32_t*>(after.constScanLine(y));
        if (std::memcmp(a, b, sizeof(uint32_t) * static_cast<std::size_t>(width)) == 0)
            continue;
        if (top < 0)
            top = y;
        bottom = y;
        int x0 = 0;
        while (a[x0] == b[x0])
            ++x0;
        int x1 = width - 1;
        while (a[x1] == b[x1])
            --x1;
        left = std::min(left, x0);
        right = std::max(right, x1);
    }
    if (top < 0)
        return {};
    return QRect(QPoint(left, top), QPoint(right, bottom));
}

PlayField::PlayField(QWidget* parent) : QWidget(parent)
{
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void PlayField::setImage(const QImage& image)
{
    // Aiming changes only the cannon's corner of the field: only that is
    // painted again.
    const QRect changed = changedRect(image_, image);
    image_ = image;
    if (!changed.isEmpty())
        update(QRect(changed.topLeft() * scale_, changed.size() * scale_));
}

void PlayField::setScale(int scale)
{
    if (scale == scale_)
        return;
    scale_ = scale;
    update();
}

void PlayField::paintEvent(QPaintEvent* event)
{
    paintCrisp(this, image_, scale_, event->rect());
}

void PlayField::movePointerTo(QPoint pixel)
{
    QCursor::setPos(mapToGlobal(positionOfPixel(pixel, scale_)));
}

void PlayField::setConfined(bool confined)
{
    if (confined == confined_)
        return;
    confined_ = confined;
    if (!confined_) {
        releaseMouse();
        return;
    }
    if (isVisible())
        grabMouse();
    const QPoint pixel = fieldPixel(QPointF(mapFromGlobal(QCursor::pos())), scale_);
    const QPoint inside = clampToField(pixel);
    if (inside != pixel)
        movePointerTo(inside);
}

void PlayField::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    // A grab asked for before the window was on screen takes effect now.
    if (confined_)
        grabMouse();
}

void PlayField::mouseMoveEvent(QMouseEvent* event)
{
    QPoint pos = fieldPixel(event->position(), scale_);
    const QPoint inside = clampToField(pos);
    if (confined_ && inside != pos) {
        movePointerTo(inside);
        pos = inside;
    }
    if (pos == inside)
        emit aimed(static_cast<float>(pos.x()), static_cast<float>(pos.y()));
}

void PlayField::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton) {
        const QPoint pixel = fieldPixel(event->position(), scale_);
        pressed_ = clampToField(pixel) == pixel;
    }
}

void PlayField::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    const QPoint pixel = fieldPixel(event->position(), scale_);
    const bool click = pressed_ && clampToField(pixel) == pixel;
    pressed_ = false;
    if (click)
        emit clicked();
}

void PlayField::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape) {
        emit escapePressed();
        return;
    }
    QWidget::keyPressEvent(event);
}

} // namespace quibix
