// Skins: the backgrounds, the covers and the band of the skin in use, and
// "Background" > "Change".
#include "form/Form1.h"

#include "storage/AppPaths.h"

#include <cstdio>

namespace quibix {

namespace {

constexpr const char* kBackgroundPattern = "Fondo*.jpg";
const QSize kFieldSize(kFieldWidth, kFieldHeight);
const QSize kBandSize(kBandWidth, kBandHeight);


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

    // Covers and band: the skin's own file when it exists and loads, else
    // the data folder's, else a plain picture.
    auto choose = [this](const std::string& name, PlainKind kind, QSize size, QImage* loaded) {
        const std::string own = strSkinPath + name;
        const std::string fallback = strDataPath + name;
        QImage picture;
        std::string chosen = fallback;
        const bool ownExists = fileExists(appFolder, own);
        if (ownExists) {
            picture = loadPicture(appFile(own), size);
            if (!picture.isNull())
                chosen = own;
        }
        if (loaded == nullptr) // only the path is wanted now
            return chosen;
        // Say what is really shown instead: the data folder's picture when
        // it is another file and loads, else a plain one.
        const std::string ownFile = appFile(own).string(), fallbackFile = appFile(fallback).string();
        const bool ownFailed = ownExists && picture.isNull();
        const bool sameFile = ownFile == fallbackFile;
        if (picture.isNull() && !(ownFailed && sameFile))
            picture = loadPicture(appFile(fallback), size);
        if (ownFailed && !picture.isNull())
            std::fprintf(stderr, "Quibix: cannot load %s, using %s\n", ownFile.c_str(), fallbackFile.c_str());
        if (picture.isNull()) {
            const std::string tried = ownFailed && !sameFile ? ownFile + " or " + fallbackFile
                                                             : ownFailed ? ownFile : fallbackFile;
            std::fprintf(stderr, "Quibix: cannot load %s, using a plain picture\n", tried.c_str());
            picture = plainPicture(kind, size);
        }
        *loaded = picture;
        return chosen;
    };

    QImage cover, band;
    strParedA = choose("pareda.jpg", PlainKind::Cover, kFieldSize, &cover);
    strParedB = choose("paredb.jpg", PlainKind::Cover, kFieldSize, nullptr);
    strBanda = choose("banda.jpg", PlainKind::Band, kBandSize, &band);

    window.setTitlePicture(cover);
    canvas.setBand(band);
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
    canvas.composeScreen(rules.board(), rules.ladrillos(), rules.ficha(), rules.siguiente());
    lngFondo = n;
}

} // namespace quibix
