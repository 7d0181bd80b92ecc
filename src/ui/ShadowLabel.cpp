#include "ui/ShadowLabel.h"

#include "render/TextFit.h"

#include <QPainter>

namespace quibix {

namespace {
const QColor kTextColour(255, 250, 214); // pale yellow, readable on dark panels
const QColor kShadowColour(20, 16, 10);
} // namespace

QFont captionFont(double pointSize)
{
    QFont font(QStringLiteral("Comic Sans MS"));
    font.setPointSizeF(pointSize);
    font.setBold(true);
    return font;
}

ShadowLabel::ShadowLabel(const QString& text, QWidget* parent, QRect geometry, double pointSize,
                         Qt::Alignment alignment)
    : QWidget(parent), text_(text), place_(geometry), alignment_(alignment)
{
    setGeometry(geometry);
    setFont(captionFont(pointSize));
    // Clicks fall through to whatever lies below, as on a plain label.
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void ShadowLabel::setText(const QString& text)
{
    if (text == text_)
        return;
    text_ = text;
    update();
}

void ShadowLabel::setScale(int scale)
{
    scale_ = scale;
    setGeometry(QRect(place_.topLeft() * scale, place_.size() * scale));
    update();
}

void ShadowLabel::setSingleLine(bool on)
{
    singleLine_ = on;
    update();
}

void ShadowLabel::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    // Laid out at scale 1 and drawn enlarged, so the lines break and fit as
    // they do at scale 1.
    painter.scale(scale_, scale_);
    painter.setFont(font());
    const QRect area = QRect(QPoint(0, 0), place_.size()).adjusted(0, 0, -1, -1);
    int flags = static_cast<int>(alignment_);
    QString text = text_;
    if (singleLine_) // the shadow takes one pixel more
        text = fitOneLine(text_, font(), area.width() - 1);
    else
        flags |= Qt::TextWordWrap;
    painter.setPen(kShadowColour);
    painter.drawText(area.translated(1, 1), flags, text);
    painter.setPen(kTextColour);
    painter.drawText(area, flags, text);
}

} // namespace quibix
