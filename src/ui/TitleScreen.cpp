#include "ui/TitleScreen.h"

#include "ui/PlayField.h"
#include "ui/ShadowLabel.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>

namespace quibix {

namespace {
constexpr double kRowPoints = 12.0;
constexpr double kHeadingPoints = 14.25;
} // namespace

TitleScreen::TitleScreen(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);

    cmdStart_ = new QPushButton(QStringLiteral("Start Game"), this);
    cmdStart_->setGeometry(20, 20, 85, 29);
    cmdExit_ = new QPushButton(QStringLiteral("Exit Quibix"), this);
    cmdExit_->setGeometry(336, 20, 85, 29);
    connect(cmdStart_, &QPushButton::clicked, this, &TitleScreen::startClicked);
    connect(cmdExit_, &QPushButton::clicked, this, &TitleScreen::exitClicked);

    label3_ = new ShadowLabel(QString(), this, {128, 12, 191, 45}, kRowPoints, Qt::AlignCenter);
    new ShadowLabel(QStringLiteral("HIGHSCORES"), this, {92, 178, 265, 29}, kHeadingPoints,
                    Qt::AlignCenter);
    for (int i = 0; i < kRows; ++i) {
        lblRecord_[i] = new ShadowLabel(QStringLiteral("Quibix Master %1").arg(i + 1), this,
                                        {36, 206 + 24 * i, 261, 25}, kRowPoints,
                                        Qt::AlignLeft | Qt::AlignVCenter);
        lblRecord_[i]->setSingleLine(true); // a long name never spills onto the next row
        lblRecordVal_[i] = new ShadowLabel(QStringLiteral("0000000"), this,
                                           {308, 206 + 24 * i, 93, 25}, kRowPoints,
                                           Qt::AlignRight | Qt::AlignVCenter);
    }
}

void TitleScreen::setPicture(const QImage& picture)
{
    picture_ = picture;
    update();
}

void TitleScreen::setVersion(const QString& text)
{
    label3_->setText(text);
}

void TitleScreen::setRecordName(int row, const QString& text)
{
    if (row >= 0 && row < kRows)
        lblRecord_[row]->setText(text);
}

void TitleScreen::setRecordValue(int row, const QString& text)
{
    if (row >= 0 && row < kRows)
        lblRecordVal_[row]->setText(text);
}

void TitleScreen::setRecordWatchable(int row, bool watchable)
{
    if (row < 0 || row >= kRows)
        return;
    watchable_[row] = watchable;
    const QString tip = watchable ? QStringLiteral("Watch this game") : QString();
    for (ShadowLabel* label : {lblRecord_[row], lblRecordVal_[row]}) {
        label->setToolTip(tip);
        if (watchable)
            label->setCursor(Qt::PointingHandCursor);
        else
            label->unsetCursor();
    }
}

void TitleScreen::mousePressEvent(QMouseEvent* event)
{
    // The labels pass their clicks on to us; the row is found by place.
    for (int row = 0; row < kRows; ++row) {
        const QWidget* name = lblRecord_[row];
        const QWidget* value = lblRecordVal_[row];
        const QPoint at = event->position().toPoint();
        if (watchable_[row] && (name->geometry().contains(at) || value->geometry().contains(at))) {
            emit recordClicked(row);
            return;
        }
    }
    QWidget::mousePressEvent(event);
}

void TitleScreen::paintEvent(QPaintEvent*)
{
    if (picture_.isNull()) {
        QPainter(this).fillRect(rect(), QColor(24, 28, 48));
        return;
    }
    paintCrisp(this, picture_);
}

} // namespace quibix
