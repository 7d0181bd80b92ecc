// artgen pictures: writes the sprites (PNG + sprites.qrc), the skin
// pictures (JPEG) into the application folder and a contact sheet.
#include "art_draw.h"
#include "artgen.h"

#include <QFile>
#include <QTextStream>

#include <cstdio>
#include <string>
#include <vector>

namespace fs = std::filesystem;
using namespace artgen::art;

namespace {

constexpr int kJpegQuality = 90;

struct SkinFolder {
    const char* folder;
    Skin skin;
};
// "data" is the default look; each other folder is listed as a skin.
const SkinFolder kSkins[] = {{"data", Skin::Dusk}, {"Space", Skin::Space}, {"Ocean", Skin::Ocean}};

class SpriteWriter {
public:
    explicit SpriteWriter(fs::path dir) : dir_(std::move(dir)) {}

    void add(const std::string& name, const QImage& img)
    {
        ok_ = savePicture(img.convertToFormat(QImage::Format_RGB32), dir_ / name, "PNG") && ok_;
        names_.push_back(name);
    }

    void add(const std::string& name, const Sprite& s)
    {
        if (!followsMaskConvention(s)) {
            std::fprintf(stderr, "artgen: %s breaks the mask convention\n", name.c_str());
            ok_ = false;
        }
        add(name + ".png", s.picture);
        add(name + "_mask.png", s.mask);
    }

    bool writeResourceList()
    {
        QFile qrc(QString::fromStdString((dir_ / "sprites.qrc").string()));
        if (!qrc.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
            std::fprintf(stderr, "artgen: cannot write %s\n", qrc.fileName().toLocal8Bit().constData());
            return false;
        }
        QTextStream out(&qrc);
        out << "<RCC>\n  <qresource prefix=\"/sprites\">\n";
        for (const auto& n : names_) out << "    <file>" << QString::fromStdString(n) << "</file>\n";
        out << "  </qresource>\n</RCC>\n";
        return ok_;
    }

private:
    fs::path dir_;
    std::vector<std::string> names_;
    bool ok_ = true;
};

// Every piece must cover exactly the same pixels, or a piece drawn over
// another in the same slot would leave bits of the first.
bool samePieceShape(const ArtSet& art)
{
    for (const Sprite& s : art.pieces)
        if (s.mask != art.pieces.front().mask) return false;
    return art.stone.mask == art.pieces.front().mask;
}

// The game copies sprites by fixed sizes; a wrong size would cut or smear them.
bool rightSizes(const ArtSet& art)
{
    bool ok = art.bricks.size() == QSize(469, 25);
    for (const Sprite& s : art.pieces) ok = ok && s.picture.size() == QSize(25, 25);
    ok = ok && art.stone.picture.size() == QSize(25, 25);
    for (const Sprite& s : art.fuse) ok = ok && s.picture.size() == QSize(90, 83);
    for (const QImage* d : {&art.dynamite.plain, &art.dynamite.exploding, &art.dynamite.mask})
        ok = ok && d->size() == QSize(90, 100);
    return ok;
}

} // namespace

namespace artgen {

int generatePictures(const fs::path& appDir, const fs::path& spriteDir, const fs::path& contactSheetFile)
{
    ArtSet art;
    for (int i = 0; i < kPieceCount; ++i) art.pieces.push_back(pieceSprite(i));
    art.stone = stoneSprite();
    for (int f = 0; f < kFuseFrameCount; ++f) art.fuse.push_back(tntFrame(f));
    art.dynamite = dynamitePictures();
    art.bricks = bricksPicture();
    bool ok = samePieceShape(art) && rightSizes(art);
    if (!ok) std::fprintf(stderr, "artgen: the sprites have the wrong size or the piece masks differ\n");

    SpriteWriter sprites(spriteDir);
    for (int i = 0; i < kPieceCount; ++i) {
        char name[16];
        std::snprintf(name, sizeof name, "piece%02d", i);
        sprites.add(name, art.pieces[i]);
    }
    sprites.add("stone", art.stone);
    for (int f = 0; f < kFuseFrameCount; ++f) sprites.add("tnt" + std::to_string(f), art.fuse[f]);
    const Sprite plain{art.dynamite.plain, art.dynamite.mask};
    const Sprite boom{art.dynamite.exploding, art.dynamite.mask};
    if (!followsMaskConvention(plain) || !followsMaskConvention(boom)) {
        std::fprintf(stderr, "artgen: the dynamite breaks the mask convention\n");
        ok = false;
    }
    sprites.add("dynamite.png", art.dynamite.plain);
    sprites.add("dynamite_exploding.png", art.dynamite.exploding);
    sprites.add("dynamite_mask.png", art.dynamite.mask);
    sprites.add("bricks.png", art.bricks);
    ok = sprites.writeResourceList() && ok;

    for (const SkinFolder& s : kSkins) {
        SkinSet set;
        set.folder = QString::fromLatin1(s.folder);
        const fs::path dir = appDir / s.folder;
        for (int n = 1; n <= kBackgroundCount; ++n) {
            set.backgrounds.push_back(background(s.skin, n));
            ok = savePicture(set.backgrounds.back(), dir / ("fondo" + std::to_string(n) + ".jpg"), "JPG",
                             kJpegQuality) && ok;
        }
        set.coverEasy = cover(s.skin, false);
        set.coverHard = cover(s.skin, true);
        set.band = band(s.skin);
        ok = savePicture(set.coverEasy, dir / "pareda.jpg", "JPG", kJpegQuality) && ok;
        ok = savePicture(set.coverHard, dir / "paredb.jpg", "JPG", kJpegQuality) && ok;
        ok = savePicture(set.band, dir / "banda.jpg", "JPG", kJpegQuality) && ok;
        art.skins.push_back(std::move(set));
    }
    art.about = aboutPicture();
    ok = savePicture(art.about, appDir / "data" / "about.jpg", "JPG", kJpegQuality) && ok;

    ok = savePicture(contactSheet(art), contactSheetFile, "PNG") && ok;
    return ok ? 0 : 1;
}

} // namespace artgen
