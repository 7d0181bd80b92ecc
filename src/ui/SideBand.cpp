#include "ui/SideBand.h"

#include "ui/PlayField.h"
#include "ui/ShadowLabel.h"

namespace quibix {

namespace {
constexpr double kSmallPoints = 8.25; // "Last Shot:" and "Total Score:" fit 13 px
constexpr double kRowPoints = 12.0;
constexpr double kScorePoints = 14.25;
} // namespace

SideBand::SideBand(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    new ShadowLabel(QStringLiteral("Warning!!"), this, {10, 46, 71, 25}, kRowPoints,
                    Qt::AlignHCenter | Qt::AlignTop);
    new ShadowLabel(QStringLiteral("Last Shot:"), this, {2, 340, 73, 13}, kSmallPoints,
                    Qt::AlignLeft | Qt::AlignVCenter);
    lblPartialScore_ = new ShadowLabel(QStringLiteral("0"), this, {2, 356, 89, 29}, kScorePoints,
                                       Qt::AlignRight | Qt::AlignVCenter);
    new ShadowLabel(QStringLiteral("Total Score:"), this, {2, 404, 73, 13}, kSmallPoints,
                    Qt::AlignLeft | Qt::AlignVCenter);
    lblScore_ = new ShadowLabel(QStringLiteral("0"), this, {2, 420, 89, 29}, kScorePoints,
                                Qt::AlignRight | Qt::AlignVCenter);
}

void SideBand::setImage(const QImage& image)
{
    image_ = image;
    update();
}

void SideBand::setPartialScore(const QString& text)
{
    lblPartialScore_->setText(text);
}

void SideBand::setScore(const QString& text)
{
    lblScore_->setText(text);
}

void SideBand::setScale(int scale)
{
    scale_ = scale;
    for (ShadowLabel* label : findChildren<ShadowLabel*>())
        label->setScale(scale);
    update();
}

void SideBand::paintEvent(QPaintEvent*)
{
    paintCrisp(this, image_, scale_);
}

} // namespace quibix
