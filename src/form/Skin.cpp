// Skins: the backgrounds, the covers and the band of the skin in use, and
// "Background" > "Change".
#include "form/Form1.h"

#include "storage/AppPaths.h"

#include <cstdio>
#include <future>

namespace quibix {

namespace {

constexpr const char* kBackgroundPattern = "Fondo*.jpg";
const QSize kFieldSize(kFieldWidth, kFieldHeight);
const QSize kBandSize(kBandWidth, kBandHeight);

struct SkinPicture {
    std::string stored; // the path kept: the skin's file when it loads, else the data folder's
    QImage picture;     // what is shown: that file, else the data folder's, else a plain picture
};

// A cover or the band: the skin's own file when it exists and loads, else
// the data folder's, else a plain picture. A file that fails is logged with
// what is shown instead.
SkinPicture skinPicture(const std::filesystem::path& appFolder, const std::string& skinPath,
                        const std::string& dataPath, const std::string& name, PlainKind kind, QSize size)
{
    const std::string own = skinPath + name, fallback = dataPath + name;
    const std::string ownFile = resolvePath(appFolder, own).string();
    const std::string fallbackFile = resolvePath(appFolder, fallback).string();
    const bool ownExists = fileExists(appFolder, own);
    if (ownExists) {
        QImage picture = loadPicture(ownFile, size);
        if (!picture.isNull())
            return {own, picture};
    }
    const bool ownFailed = ownExists;
    // The skin is the data folder itself: its file has just failed.
    const bool sameFile = ownFile == fallbackFile;
    if (!(ownFailed && sameFile)) {
        QImage picture = loadPicture(fallbackFile, size);
        if (!picture.isNull()) {
            if (ownFailed)
                std::fprintf(stderr, "Quibix: cannot load %s, using %s\n", ownFile.c_str(), fallbackFile.c_str());
            return {fallback, picture};
        }
    }
    const std::string tried = ownFailed && !sameFile ? ownFile + " or " + fallbackFile
                                                     : ownFailed ? ownFile : fallbackFile;
    std::fprintf(stderr, "Quibix: cannot load %s, using a plain picture\n", tried.c_str());
    return {fallback, plainPicture(kind, size)};
}

} // namespace

void Form1::CargaSkin()
{
    // Backgrounds. A skin without any takes the data folder's, so every
    // screen still has a picture to show.
    std::vector<std::string> names = listFiles(appFolder, strSkinPath, kBackgroundPattern);
    std::string namesFolder = strSkinPath;
    if (names.empty() && !sameName(strSkinPath, strDataPath)) {
        names = listFiles(appFolder, strDataPath, kBackgroundPattern);
        namesFolder = strDataPath;
    }
    if (!names.empty()) {
        Fondos.assign(1, std::string());
        Fondos.insert(Fondos.end(), names.begin(), names.end());
        strFondosPath = namesFolder;
    }
    // With no background anywhere the screens use a plain picture.
    intNumFondos = static_cast<int32_t>(names.size());
    strFondo.clear();

    // Covers and band. The Hard cover is shown only when Hard is chosen,
    // from the path kept here.
    // The Hard cover and the band are decoded on the other core meanwhile:
    // the window waits for all three at start-up.
    auto otherPictures = std::async(std::launch::async, [this] {
        return std::pair(
            skinPicture(appFolder, strSkinPath, strDataPath, "paredb.jpg", PlainKind::Cover, kFieldSize),
            skinPicture(appFolder, strSkinPath, strDataPath, "banda.jpg", PlainKind::Band, kBandSize));
    });
    const SkinPicture cover =
        skinPicture(appFolder, strSkinPath, strDataPath, "pareda.jpg", PlainKind::Cover, kFieldSize);
    const auto [hardCover, band] = otherPictures.get();
    strParedA = cover.stored;
    strParedB = hardCover.stored;
    strBanda = band.stored;

    window.setTitlePicture(cover.picture);
    canvas.setBand(band.picture);
}

void Form1::loadBackground()
{
    QImage picture;
    if (!strFondo.empty())
        picture = loadPicture(appFile(strFondo), kFieldSize);
    if (picture.isNull()) {
        if (!strFondo.empty())
            std::fprintf(stderr, "Quibix: cannot load background %s\n",
                         appFile(strFondo).string().c_str());
        for (const std::string& name : listFiles(appFolder, strDataPath, kBackgroundPattern)) {
            picture = loadPicture(appFile(strDataPath + name), kFieldSize);
            if (!picture.isNull())
                break;
        }
    }
    if (picture.isNull())
        picture = plainPicture(PlainKind::Background, kFieldSize);
    canvas.setBackground(picture);
}

void Form1::MenuBack_Click(int index)
{
    if (index != 0)
        return;

    int32_t n = lngFondo + 1;
    if (n > intNumFondos)
        n = 1;
    if (intNumFondos >= 1 && n < static_cast<int32_t>(Fondos.size())) {
        strFondo = strFondosPath + Fondos[static_cast<std::size_t>(n)];
    } else {
        strFondo.clear();
        n = 0;
    }
    loadBackground();
    redrawField();
    lngFondo = n;
}

void Form1::redrawField()
{
    canvas.composeScreen(rules.board(), rules.ladrillos(), rules.ficha(), rules.siguiente());
}

} // namespace quibix
