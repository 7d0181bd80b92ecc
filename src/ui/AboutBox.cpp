#include "ui/AboutBox.h"

#include "ports/Ports.h"
#include "render/SpriteCatalogue.h"
#include "ui/PlayField.h"
#include "ui/ShadowLabel.h"

#include <QApplication>
#include <QIcon>
#include <QLabel>
#include <QPainter>
#include <QPushButton>

namespace quibix {

namespace {

// The instructions, one fixed text in two columns: how to play on the
// left, the score on the right, each on a dark card of its own so that it
// reads on any picture behind it.
const char* const kInstructions = R"(
<table width="100%" cellspacing="0" cellpadding="0"><tr>
<td width="50%" valign="top" style="padding-right:9px; font-size:12px">
<p style="margin:0px; color:#ffcc5c; font-weight:bold; font-size:14px">Game Goal:</p>
<p style="margin:0px; margin-top:2px">Put together 3 or more equal pieces per shot. The game is won when
the screen is empty, and the less Quibix used, the more points you get. The next piece
is shown in the bottom-right corner.</p>
<p style="margin:0px; margin-top:4px">Good Luck !.</p>
<p style="margin:0px; color:#ffcc5c; font-weight:bold; font-size:14px; margin-top:11px">Keyboard:</p>
<p style="margin:0px; margin-top:2px">ESC - Enables/Disables the cursor.</p>
<p style="margin:0px">Arrows, Space/Up - Aim, shoot.</p>
<p style="margin:0px">Return, F11 - Start, full screen.</p>
<p style="margin:0px; color:#ffcc5c; font-weight:bold; font-size:14px; margin-top:11px">Mouse:</p>
<p style="margin:0px; margin-top:2px">Left/Right - Move the gun left/right in order to get the best angle.</p>
<p style="margin:0px; margin-top:4px; white-space:pre-wrap">Left Button -  Shoot the piece .</p>
</td>
<td width="50%" valign="top" style="padding-left:9px">
<p style="margin:0px; color:#ffcc5c; font-weight:bold; font-size:14px">Score:</p>
<table cellspacing="0" cellpadding="1" style="margin-top:2px">
<tr><td>3 pieces on line -&nbsp;</td><td align="right">10 points</td></tr>
<tr><td>4 pieces on line -&nbsp;</td><td align="right">17 points</td></tr>
<tr><td>5 pieces on line -&nbsp;</td><td align="right">26 points</td></tr>
<tr><td>6 pieces on line -&nbsp;</td><td align="right">37 points</td></tr>
<tr><td>7 pieces on line -&nbsp;</td><td align="right">50 points</td></tr>
<tr><td>8 pieces on line -&nbsp;</td><td align="right">Imagine???</td></tr>
</table>
<p style="margin:0px; margin-top:11px">Pieces cut off from the top fall down and score as well:</p>
<p style="margin:0px; margin-top:4px">Exactly the number of pieces fallen multiply by 10 (per piece!!).</p>
</td></tr></table>
)";

const QColor kTextColour(236, 240, 250);
const QRect kTextArea(20, 64, 380, 300);
// The cards under the two halves of the text; the right one ends above
// "OK", whose column is short.
const QRect kLeftCard(10, 56, 196, 314);
const QRect kRightCard(214, 56, 196, 254);

} // namespace

AboutBox::AboutBox(const QImage& picture, const QString& versionLine, QWidget* parent)
    : QDialog(parent), picture_(picture)
{
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(QStringLiteral("Help"));
    setModal(true);
    setFixedSize(kAboutWidth, kAboutHeight);
    setAttribute(Qt::WA_OpaquePaintEvent);

    auto* image1 = new QLabel(this);
    image1->setObjectName(QStringLiteral("Image1"));
    image1->setGeometry(16, 12, 32, 32);
    image1->setPixmap(programIcon(32));

    auto* label1 = new ShadowLabel(versionLine, this, {58, 12, 330, 32}, 15.0,
                                   Qt::AlignLeft | Qt::AlignVCenter);
    label1->setObjectName(QStringLiteral("Label1"));

    auto* label2 = new QLabel(this);
    label2->setObjectName(QStringLiteral("Label2"));
    label2->setGeometry(kTextArea);
    label2->setTextFormat(Qt::RichText);
    label2->setWordWrap(true);
    label2->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    QFont font(QStringLiteral("Comic Sans MS"));
    font.setPixelSize(13);
    label2->setFont(font);
    QPalette palette = label2->palette();
    palette.setColor(QPalette::WindowText, kTextColour);
    label2->setPalette(palette);
    label2->setText(QString::fromUtf8(kInstructions));

    auto* command1 = new QPushButton(QStringLiteral("OK"), this);
    command1->setObjectName(QStringLiteral("Command1"));
    command1->setGeometry(352, 320, 61, 33);
    command1->setDefault(true);
    command1->setFocus();
    connect(command1, &QPushButton::clicked, this, &QDialog::accept);
}

QPixmap AboutBox::programIcon(int side)
{
    const QIcon icon = QApplication::windowIcon();
    if (!icon.isNull())
        return icon.pixmap(side, side);

    // No icon set: the first piece, at its own size so it stays crisp.
    const SpriteCatalogue sprites = SpriteCatalogue::fromResource();
    QImage piece(side, side, QImage::Format_ARGB32_Premultiplied);
    piece.fill(Qt::transparent);
    const QImage& sprite = sprites.pieces[0];
    const QImage& mask = sprites.pieceMasks[0];
    const int offset = (side - sprite.width()) / 2;
    for (int y = 0; y < sprite.height(); ++y)
        for (int x = 0; x < sprite.width(); ++x)
            if ((mask.pixel(x, y) & 0xFFFFFF) == 0) // black mask: part of the piece
                piece.setPixel(x + offset, y + offset, sprite.pixel(x, y) | 0xFF000000);
    return QPixmap::fromImage(piece);
}

void AboutBox::paintEvent(QPaintEvent*)
{
    if (picture_.isNull())
        QPainter(this).fillRect(rect(), QColor(24, 28, 48));
    else
        paintCrisp(this, picture_);

    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(255, 255, 255, 46), 1));
    p.setBrush(QColor(6, 8, 24, 165));
    for (const QRect& card : {kLeftCard, kRightCard})
        p.drawRoundedRect(QRectF(card).adjusted(0.5, 0.5, -0.5, -0.5), 9, 9);
}

} // namespace quibix
