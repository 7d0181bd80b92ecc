#include "ui/frmPieces.h"

#include "ui/MessageBox.h"

#include <QCheckBox>
#include <QEvent>
#include <QLabel>
#include <QPixmap>

namespace quibix {

namespace {

constexpr int kClientWidth = 257, kClientHeight = 151;

// The sprite as the field shows it: its masked pixels (white in the mask)
// take the dialog's own colour instead of the sprite's black.
QPixmap onBackground(const QImage& sprite, const QImage& mask, QColor background)
{
    if (sprite.isNull())
        return {};
    QImage picture = sprite.convertToFormat(QImage::Format_RGB32);
    const QImage m = mask.convertToFormat(QImage::Format_RGB32);
    const bool masked = m.size() == picture.size();
    for (int y = 0; y < picture.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(picture.scanLine(y));
        const auto* maskLine = masked ? reinterpret_cast<const QRgb*>(m.constScanLine(y)) : nullptr;
        for (int x = 0; x < picture.width(); ++x) {
            if (maskLine && qGray(maskLine[x]) > 127)
                line[x] = background.rgb();
        }
    }
    return QPixmap::fromImage(picture);
}

void tell(QWidget* parent, const char* text, const char* title)
{
    showMessage(parent, QMessageBox::NoIcon, QString::fromLatin1(title), QString::fromLatin1(text));
}

} // namespace

frmPieces::frmPieces(const std::array<int16_t, 6>& intPiezas, const std::array<QImage, 12>& pictures,
                     const std::array<QImage, 12>& masks, QWidget* parent)
    : QDialog(parent), choice_(intPiezas)
{
    setWindowTitle(QStringLiteral("Choose 6 Pieces"));
    setFixedSize(kClientWidth, kClientHeight);
    const QColor background = palette().color(QPalette::Window);

    for (int i = 0; i < kPieceBoxes; ++i) {
        const int column = i % 6;
        const int pictureY = i < 6 ? 40 : 110;
        const int boxY = i < 6 ? 20 : 88;

        auto* picture = new QLabel(this);
        picture->setGeometry(16 + 40 * column, pictureY, 25, 25);
        picture->setPixmap(onBackground(pictures[i], masks[i], background));
        picture->installEventFilter(this);
        picIcono_[i] = picture;

        // The box sits centred over its picture, whatever size the style
        // gives its indicator.
        auto* box = new QCheckBox(this);
        box->setAccessibleName(QStringLiteral("Piece %1").arg(i + 1));
        const QSize hint = box->sizeHint();
        box->setGeometry(22 + 40 * column + 6 - hint.width() / 2, boxY + 6 - hint.height() / 2,
                         hint.width(), hint.height());
        box->setChecked(choice_.ticked(i));
        connect(box, &QCheckBox::clicked, this,
                [this, i](bool checked) { chkSelectPieces_Click(i, checked); });
        chkSelectPieces_[i] = box;
    }
}

bool frmPieces::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonRelease) {
        for (int i = 0; i < kPieceBoxes; ++i) {
            if (picIcono_[i] == watched) {
                chkSelectPieces_[i]->click();
                return true;
            }
        }
    }
    return QDialog::eventFilter(watched, event);
}

void frmPieces::chkSelectPieces_Click(int index, bool checked)
{
    if (choice_.setTicked(index, checked))
        return;
    chkSelectPieces_[index]->setChecked(false);
    tell(this, kTooManyPiecesText, kTooManyPiecesTitle);
}

void frmPieces::reject()
{
    if (!choice_.chosen()) {
        tell(this, kTooFewPiecesText, kTooFewPiecesTitle);
        return;
    }
    QDialog::reject();
}

std::array<int16_t, 6> frmPieces::chosen() const
{
    return choice_.chosen().value_or(std::array<int16_t, 6>{0, 1, 2, 3, 4, 5});
}

} // namespace quibix
