#include "ui/PlayField.h"

#include <QCursor>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace quibix {

void paintCrisp(QWidget* target, const QImage& image)
{
    if (image.isNull())
        return;
    QPainter painter(target);
    // Only a picture of another size (a skin of the player's own) or a
    // screen factor between whole numbers (uneven pixels) is smoothed; a
    // whole-number factor keeps the pixels square and crisp.
    const qreal ratio = target->devicePixelRatioF();
    painter.setRenderHint(QPainter::SmoothPixmapTransform,
                          image.size() != target->size() || ratio != std::floor(ratio));
    painter.drawImage(target->rect(), image);
}

PlayField::PlayField(QWidget* parent) : QWidget(parent)
{
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void PlayField::setImage(const QImage& image)
{
    image_ = image;
    update();
}

void PlayField::paintEvent(QPaintEvent*)
{
    paintCrisp(this, image_);
}

QPoint PlayField::clampToField(QPoint p) const
{
    return {std::clamp(p.x(), 0, width() - 1), std::clamp(p.y(), 0, height() - 1)};
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
    const QPoint local = mapFromGlobal(QCursor::pos());
    const QPoint inside = clampToField(local);
    if (inside != local)
        QCursor::setPos(mapToGlobal(inside));
}

void PlayField::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    // A grab asked for before the window was on screen takes effect now.
    if (confined_)
        grabMouse();
}

// The field pixel under a pointer position. On a scaled screen positions
// come in fractions of a field pixel; each belongs to the pixel it lies in,
// so aiming is the same at every scale.
static QPoint fieldPixel(QPointF position)
{
    return {static_cast<int>(std::floor(position.x())), static_cast<int>(std::floor(position.y()))};
}

void PlayField::mouseMoveEvent(QMouseEvent* event)
{
    QPoint pos = fieldPixel(event->position());
    if (confined_) {
        const QPoint inside = clampToField(pos);
        if (inside != pos) {
            QCursor::setPos(mapToGlobal(inside));
            pos = inside;
        }
        emit aimed(static_cast<float>(pos.x()), static_cast<float>(pos.y()));
        return;
    }
    if (rect().contains(pos))
        emit aimed(static_cast<float>(pos.x()), static_cast<float>(pos.y()));
}

void PlayField::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        pressed_ = rect().contains(fieldPixel(event->position()));
}

void PlayField::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    const bool click = pressed_ && rect().contains(fieldPixel(event->position()));
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
