#include "ui/PlayField.h"

#include "ui/PixelScale.h"
#include "ui/StageLayout.h"

#include <QCursor>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

#include <algorithm>
#include <cmath>

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

PlayField::PlayField(QWidget* parent) : QWidget(parent)
{
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void PlayField::setImage(const QImage& image)
{
    // Aiming changes only the cannon's corner of the field: only that is
    // enlarged and painted again.
    const QRect changed = changedRect(image_, image);
    image_ = image;
    if (changed.isEmpty())
        return;
    enlarge(changed);
    update(QRect(changed.topLeft() * scale_, changed.size() * scale_));
}

void PlayField::enlarge(QRect part)
{
    if (scale_ == 1 || image_.depth() != 32) {
        enlarged_ = QImage();
        return;
    }
    if (enlarged_.size() != image_.size() * scale_ || enlarged_.format() != image_.format()) {
        enlarged_ = QImage(image_.size() * scale_, image_.format());
        part = image_.rect();
    }
    enlargeInto(enlarged_, image_, part, scale_);
}

void PlayField::setScale(int scale)
{
    if (scale == scale_)
        return;
    scale_ = scale;
    enlarge(image_.rect());
    update();
}

void PlayField::paintEvent(QPaintEvent* event)
{
    if (enlarged_.isNull() || enlarged_.size() != size()) {
        paintCrisp(this, image_, scale_, event->rect());
        return;
    }
    // Already enlarged: a plain copy of what is exposed.
    QPainter painter(this);
    const qreal ratio = devicePixelRatioF();
    painter.setRenderHint(QPainter::SmoothPixmapTransform, ratio != std::floor(ratio));
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.drawImage(event->rect(), enlarged_, event->rect());
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
