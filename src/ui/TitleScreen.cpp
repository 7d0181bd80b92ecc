#include "ui/TitleScreen.h"

#include "ui/PlayField.h"
#include "ui/ShadowLabel.h"

#include <QHelpEvent>
#include <QMouseEvent>
#include <QToolTip>
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
    setMouseTracking(true); // the pointer shows which rows can be watched

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
    if (row >= 0 && row < kRows)
        watchable_[row] = watchable;
}

int TitleScreen::watchableRowAt(QPoint at) const
{
    // The labels let the mouse through; the row is found by place.
    for (int row = 0; row < kRows; ++row) {
        if (watchable_[row] &&
            (lblRecord_[row]->geometry().contains(at) || lblRecordVal_[row]->geometry().contains(at)))
            return row;
    }
    return -1;
}

bool TitleScreen::event(QEvent* event)
{
    if (event->type() == QEvent::ToolTip) {
        const auto* help = static_cast<QHelpEvent*>(event);
        if (watchableRowAt(help->pos()) >= 0)
            QToolTip::showText(help->globalPos(), QStringLiteral("Watch this game"), this);
        else
            QToolTip::hideText();
        return true;
    }
    return QWidget::event(event);
}

void TitleScreen::mouseMoveEvent(QMouseEvent* event)
{
    if (watchableRowAt(event->position().toPoint()) >= 0)
        setCursor(Qt::PointingHandCursor);
    else
        unsetCursor();
    QWidget::mouseMoveEvent(event);
}

void TitleScreen::mousePressEvent(QMouseEvent* event)
{
    const int row = watchableRowAt(event->position().toPoint());
    if (row >= 0 && event->button() == Qt::LeftButton) {
        emit recordClicked(row);
        return;
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
