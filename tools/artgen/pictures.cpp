// Temporary first cut of the artwork: plain shapes so the build runs end to
// end. To be replaced by the finished pictures.
#include "artgen.h"

#include <QColor>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QTextStream>

#include <cstdio>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

QImage filled(int w, int h, QColor c)
{
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(c);
    return img;
}

bool save(const QImage& img, const fs::path& file, const char* format, int quality = -1)
{
    fs::create_directories(file.parent_path());
    if (!img.save(QString::fromStdString(file.string()), format, quality)) {
        std::fprintf(stderr, "artgen: cannot write %s\n", file.string().c_str());
        return false;
    }
    return true;
}

} // namespace

namespace artgen {

int generatePictures(const fs::path& appDir, const fs::path& spriteDir, const fs::path& contactSheet)
{
    std::vector<std::string> sprites;
    auto sprite = [&](const std::string& name, const QImage& img) {
        save(img, spriteDir / name, "PNG");
        sprites.push_back(name);
    };
    const QColor colours[12] = {Qt::red, Qt::green, Qt::blue, Qt::yellow, Qt::cyan, Qt::magenta,
                                Qt::darkRed, Qt::darkGreen, Qt::darkBlue, Qt::darkYellow,
                                Qt::darkCyan, Qt::white};
    for (int i = 0; i < 12; ++i) {
        QImage s = filled(25, 25, Qt::black), m = filled(25, 25, Qt::white);
        QPainter ps(&s), pm(&m);
        ps.setPen(Qt::NoPen); ps.setBrush(colours[i]); ps.drawEllipse(0, 0, 25, 25);
        pm.setPen(Qt::NoPen); pm.setBrush(Qt::black); pm.drawEllipse(0, 0, 25, 25);
        char n[32];
        std::snprintf(n, sizeof n, "piece%02d", i);
        sprite(std::string(n) + ".png", s);
        sprite(std::string(n) + "_mask.png", m);
    }
    sprite("stone.png", filled(25, 25, Qt::gray));
    sprite("stone_mask.png", filled(25, 25, Qt::black));
    for (int i = 0; i < 7; ++i) {
        sprite("tnt" + std::to_string(i) + ".png", filled(90, 83, QColor(200, 40 + 20 * i, 40)));
        sprite("tnt" + std::to_string(i) + "_mask.png", filled(90, 83, Qt::black));
    }
    sprite("dynamite.png", filled(90, 100, Qt::red));
    sprite("dynamite_exploding.png", filled(90, 100, Qt::yellow));
    sprite("dynamite_mask.png", filled(90, 100, Qt::black));
    sprite("bricks.png", filled(469, 25, QColor(150, 60, 40)));

    QFile qrc(QString::fromStdString((spriteDir / "sprites.qrc").string()));
    if (!qrc.open(QIODevice::WriteOnly | QIODevice::Truncate)) return 1;
    QTextStream out(&qrc);
    out << "<RCC>\n  <qresource prefix=\"/sprites\">\n";
    for (const auto& s : sprites) out << "    <file>" << QString::fromStdString(s) << "</file>\n";
    out << "  </qresource>\n</RCC>\n";

    for (const char* skin : {"data", "Space", "Ocean"}) {
        const fs::path dir = appDir / skin;
        for (int i = 1; i <= 3; ++i)
            save(filled(442, 460, QColor(40, 60, 90 + 20 * i)), dir / ("fondo" + std::to_string(i) + ".jpg"), "JPG", 90);
        save(filled(442, 460, QColor(90, 40, 40)), dir / "pareda.jpg", "JPG", 90);
        save(filled(442, 460, QColor(40, 40, 90)), dir / "paredb.jpg", "JPG", 90);
        save(filled(98, 460, QColor(60, 60, 60)), dir / "banda.jpg", "JPG", 90);
    }
    save(filled(420, 360, QColor(30, 30, 60)), appDir / "data" / "about.jpg", "JPG", 90);
    save(filled(64, 64, Qt::gray), contactSheet, "PNG");
    return 0;
}

} // namespace artgen
