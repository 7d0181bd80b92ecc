#pragma once
// Pictures enlarged by whole numbers, pixel by pixel, and what changed
// between two pictures: the field's repaint at a large scale costs no more
// than copying what changed.
#include <QImage>
#include <QRect>

namespace quibix {

// The rectangle of pixels where two images of the same size differ (empty
// when they are equal; the whole image when their sizes or formats differ).
QRect changedRect(const QImage& before, const QImage& after);

// Writes the pixels `part` of the 32-bit `source` into `target`, each as a
// square of `scale` x `scale`. `target` must be `scale` times the size of
// `source`, of the same format.
void enlargeInto(QImage& target, const QImage& source, QRect part, int scale);

} // namespace quibix
