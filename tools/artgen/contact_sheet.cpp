// One picture showing all the artwork, for reviewing it at a glance: the
// sprites enlarged beside their masks, a play-field mock-up per skin drawn
// the way the game draws (mask AND, sprite OR), and every skin picture.
#include "art_draw.h"

#include <QFont>
#include <QPainter>

#include <algorithm>

namespace artgen::art {

namespace {

constexpr int kSheetW = 2000, kMargin = 20;
const QColor kSheetBack(52, 54, 60);

class Sheet {
public:
    Sheet() : img_(kSheetW, 6000, QImage::Format_RGB32), p_(&img_)
    {
        img_.fill(kSheetBack);
        p_.setRenderHint(QPainter::TextAntialiasing);
    }

    void heading(const QString& text)
    {
        y_ += 14;
        QFont f(QStringLiteral("DejaVu Sans"));
        f.setPixelSize(20);
        f.setBold(true);
        p_.setFont(f);
        p_.setPen(QColor(240, 240, 240));
        p_.drawText(QRect(kMargin, y_, kSheetW - 2 * kMargin, 26), Qt::AlignLeft | Qt::AlignVCenter, text);
        p_.setPen(QColor(110, 114, 124));
        p_.drawLine(kMargin, y_ + 28, kSheetW - kMargin, y_ + 28);
        y_ += 36;
    }

    void label(int x, int y, int w, const QString& text)
    {
        QFont f(QStringLiteral("DejaVu Sans"));
        f.setPixelSize(12);
        p_.setFont(f);
        p_.setPen(QColor(214, 216, 222));
        p_.drawText(QRect(x, y, w, 16), Qt::AlignHCenter | Qt::AlignTop, text);
    }

    // Pixel-exact enlargement, framed.
    void picture(int x, int y, const QImage& img, double zoom)
    {
        const QSize size(int(img.width() * zoom), int(img.height() * zoom));
        p_.setRenderHint(QPainter::SmoothPixmapTransform, zoom < 1.0);
        p_.drawImage(QRect(QPoint(x, y), size), img);
        p_.setPen(QColor(24, 24, 28));
        p_.setBrush(Qt::NoBrush);
        p_.drawRect(QRect(QPoint(x - 1, y - 1), size + QSize(1, 1)));
    }

    int& y() { return y_; }

    QImage finish()
    {
        p_.end();
        return img_.copy(0, 0, kSheetW, y_ + kMargin);
    }

private:
    QImage img_;
    QPainter p_;
    int y_ = kMargin;
};

// The game's transparent copy: destination AND mask, then OR sprite.
void blitMasked(QImage& dest, const QImage& sprite, const QImage& mask, int x, int y, int w, int h)
{
    QImage scratch = dest.copy(x, y, w, h);
    QPainter p(&scratch);
    p.setCompositionMode(QPainter::RasterOp_SourceAndDestination);
    p.drawImage(0, 0, mask, 0, 0, w, h);
    p.setCompositionMode(QPainter::RasterOp_SourceOrDestination);
    p.drawImage(0, 0, sprite, 0, 0, w, h);
    p.end();
    QPainter d(&dest);
    d.drawImage(x, y, scratch);
}

// A play field part-way through a game, with the side band beside it.
QImage mockUp(const ArtSet& art, const SkinSet& skin)
{
    QImage field = skin.backgrounds.front().convertToFormat(QImage::Format_RGB32);
    {
        QPainter p(&field);
        p.drawImage(QPoint(0, 0), art.bricks, QRect(0, 0, 442, 25));
    }
    Rng rng(401);
    for (int row = 0; row < 9; ++row) {
        for (int col = 0; col < 17; ++col) {
            const int x = 25 * col + (row % 2 ? 12 : 0);
            if (x + 25 > 442) continue;
            if (row > 5 && rng.uniform() < 0.55) continue;
            const int kind = rng.below(7);
            const Sprite& s = kind == 6 && row > 3 ? art.stone : art.pieces[kind % 6];
            blitMasked(field, s.picture, s.mask, x, 25 * (row + 1), 25, 25);
        }
    }
    blitMasked(field, art.pieces[2].picture, art.pieces[2].mask, 209, 408, 25, 25);
    blitMasked(field, art.pieces[4].picture, art.pieces[4].mask, 398, 416, 25, 25);
    // A piece over another in the same slot must leave nothing of the first.
    blitMasked(field, art.pieces[5].picture, art.pieces[5].mask, 12, 50, 25, 25);

    QImage shown(540, 460, QImage::Format_RGB32);
    QImage bandImg = skin.band.convertToFormat(QImage::Format_RGB32);
    blitMasked(bandImg, art.fuse[2].picture, art.fuse[2].mask, 0, 85, 90, 82);
    blitMasked(bandImg, art.dynamite.plain, art.dynamite.mask, 0, 165, 90, 99);
    QPainter p(&shown);
    p.drawImage(0, 0, field);
    p.drawImage(442, 0, bandImg);
    // The band's labels as the game lays them out.
    QFont f(QStringLiteral("Comic Neue"));
    f.setPixelSize(16);
    p.setFont(f);
    auto text = [&](QRect r, const QString& s) {
        p.setPen(QColor(0, 0, 0));
        p.drawText(r.translated(443, 1), Qt::AlignLeft | Qt::AlignVCenter, s);
        p.setPen(QColor(255, 244, 190));
        p.drawText(r.translated(442, 0), Qt::AlignLeft | Qt::AlignVCenter, s);
    };
    text(QRect(10, 46, 71, 25), QStringLiteral("Warning!!"));
    f.setPixelSize(12);
    p.setFont(f);
    text(QRect(2, 340, 73, 13), QStringLiteral("Last Shot:"));
    text(QRect(2, 404, 73, 13), QStringLiteral("Total Score:"));
    f.setPixelSize(19);
    p.setFont(f);
    text(QRect(2, 356, 89, 29), QStringLiteral("000260"));
    text(QRect(2, 420, 89, 29), QStringLiteral("004512"));
    return shown;
}

// A cover with the title screen's texts over it, where the game puts them.
QImage coverMockUp(const QImage& cover)
{
    QImage shown = cover.convertToFormat(QImage::Format_RGB32);
    QPainter p(&shown);
    QFont f(QStringLiteral("Comic Neue"));
    auto text = [&](QRect r, const QString& s, int align) {
        p.setPen(QColor(0, 0, 0));
        p.drawText(r.translated(1, 1), align, s);
        p.setPen(QColor(255, 244, 190));
        p.drawText(r, align, s);
    };
    f.setPixelSize(16);
    p.setFont(f);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(220, 220, 220));
    p.drawRect(20, 20, 85, 29);
    p.drawRect(336, 20, 85, 29);
    p.setPen(QColor(0, 0, 0));
    p.drawText(QRect(20, 20, 85, 29), Qt::AlignCenter, QStringLiteral("Start Game"));
    p.drawText(QRect(336, 20, 85, 29), Qt::AlignCenter, QStringLiteral("Exit Quibix"));
    text(QRect(128, 12, 191, 45), QStringLiteral(" version 2.09"), Qt::AlignCenter);
    f.setPixelSize(19);
    p.setFont(f);
    text(QRect(92, 178, 265, 29), QStringLiteral("HIGHSCORES"), Qt::AlignCenter);
    f.setPixelSize(16);
    p.setFont(f);
    for (int i = 0; i < 10; ++i) {
        text(QRect(36, 206 + 24 * i, 261, 25), QStringLiteral("Player %1").arg(i + 1), Qt::AlignLeft | Qt::AlignVCenter);
        text(QRect(308, 206 + 24 * i, 93, 25), QStringLiteral("%1").arg(9000 - 800 * i, 7, 10, QLatin1Char('0')),
             Qt::AlignRight | Qt::AlignVCenter);
    }
    return shown;
}

} // namespace

QImage contactSheet(const ArtSet& art)
{
    Sheet sheet;

    sheet.heading(QStringLiteral("Pieces 0..11 and stone, 3x, with masks (0..5 in play by default)"));
    for (int i = 0; i <= kPieceCount; ++i) {
        const Sprite& s = i < kPieceCount ? art.pieces[i] : art.stone;
        const int col = i % 10, row = i / 10;
        const int x = kMargin + col * 195, y = sheet.y() + row * 112;
        sheet.picture(x, y, s.picture, 3);
        sheet.picture(x + 80, y, s.mask, 3);
        sheet.label(x, y + 80, 155,
                    i < kPieceCount ? QStringLiteral("%1: %2").arg(i).arg(pieceName(i)) : QStringLiteral("stone"));
    }
    sheet.y() += 2 * 112;

    sheet.heading(QStringLiteral("Mock-ups: first background, bricks, pieces and band of each skin; cover with the title texts"));
    {
        int x = kMargin;
        const int y = sheet.y();
        for (const SkinSet& skin : art.skins) {
            const QImage m = mockUp(art, skin);
            sheet.picture(x, y, m, 0.62);
            sheet.label(x, y + 288, int(540 * 0.62), skin.folder);
            x += int(540 * 0.62) + 14;
        }
        for (const SkinSet& skin : art.skins) {
            if (x + 442 * 0.62 > kSheetW) break;
            sheet.picture(x, y, coverMockUp(skin.coverEasy), 0.62);
            sheet.label(x, y + 288, int(442 * 0.62), skin.folder + QStringLiteral(" cover"));
            x += int(442 * 0.62) + 14;
        }
        sheet.y() += 310;
    }

    sheet.heading(QStringLiteral("TNT fuse frames 0..6, 3x, masks below"));
    for (int f = 0; f < kFuseFrameCount; ++f) {
        const int x = kMargin + f * 280;
        sheet.picture(x, sheet.y(), art.fuse[f].picture, 3);
        sheet.picture(x, sheet.y() + 255, art.fuse[f].mask, 3);
        sheet.label(x, sheet.y() + 506, 270, QStringLiteral("tnt%1").arg(f));
    }
    sheet.y() += 528;

    sheet.heading(QStringLiteral("Dynamite, exploding and their one mask, 3x; bricks, 3x"));
    sheet.picture(kMargin, sheet.y(), art.dynamite.plain, 3);
    sheet.picture(kMargin + 280, sheet.y(), art.dynamite.exploding, 3);
    sheet.picture(kMargin + 560, sheet.y(), art.dynamite.mask, 3);
    sheet.label(kMargin, sheet.y() + 304, 270, QStringLiteral("dynamite"));
    sheet.label(kMargin + 280, sheet.y() + 304, 270, QStringLiteral("dynamite_exploding"));
    sheet.label(kMargin + 560, sheet.y() + 304, 270, QStringLiteral("dynamite_mask"));
    sheet.picture(kMargin + 860, sheet.y(), art.bricks.copy(0, 0, 366, 25), 3);
    sheet.label(kMargin + 860, sheet.y() + 80, 1098, QStringLiteral("bricks (left part)"));
    sheet.picture(kMargin + 860, sheet.y() + 110, art.bricks, 2);
    sheet.label(kMargin + 860, sheet.y() + 162, 938, QStringLiteral("bricks, 2x"));
    sheet.y() += 326;

    for (const SkinSet& skin : art.skins) {
        sheet.heading(QStringLiteral("Skin \"%1\": backgrounds, Easy and Hard covers, band (half size)").arg(skin.folder));
        int x = kMargin;
        const int y = sheet.y();
        auto show = [&](const QImage& img, const QString& name) {
            sheet.picture(x, y, img, 0.5);
            sheet.label(x, y + img.height() / 2 + 4, std::max(img.width() / 2, 60), name);
            x += std::max(img.width() / 2, 60) + 16;
        };
        for (size_t i = 0; i < skin.backgrounds.size(); ++i)
            show(skin.backgrounds[i], QStringLiteral("fondo%1.jpg").arg(i + 1));
        show(skin.coverEasy, QStringLiteral("pareda.jpg"));
        show(skin.coverHard, QStringLiteral("paredb.jpg"));
        show(skin.band, QStringLiteral("banda.jpg"));
        if (&skin == &art.skins.front()) show(art.about, QStringLiteral("about.jpg"));
        sheet.y() += 256;
    }
    return sheet.finish();
}

} // namespace artgen::art
