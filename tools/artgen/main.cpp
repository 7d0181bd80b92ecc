// artgen pictures <app-dir> <sprite-dir> <contact-sheet.png>
// artgen sounds <data-dir>
// artgen music <data-dir>
// artgen icons <icon-dir>
#include "artgen.h"

#include <QGuiApplication>

#include <cstdio>
#include <string>

int main(int argc, char** argv)
{
    const std::string mode = argc > 1 ? argv[1] : "";
    if (mode == "pictures" && argc == 5) {
        // Text on the covers needs fonts, and fonts need a GUI application.
        QGuiApplication app(argc, argv);
        return artgen::generatePictures(argv[2], argv[3], argv[4]);
    }
    if (mode == "icons" && argc == 3) {
        QGuiApplication app(argc, argv);
        return artgen::generateIcons(argv[2]);
    }
    if (mode == "sounds" && argc == 3)
        return artgen::generateSounds(argv[2]);
    if (mode == "music" && argc == 3)
        return artgen::generateMusic(argv[2]);
    std::fprintf(stderr, "usage: artgen pictures <app-dir> <sprite-dir> <sheet.png>\n"
                         "       artgen sounds <data-dir>\n"
                         "       artgen music <data-dir>\n"
                         "       artgen icons <icon-dir>\n");
    return 2;
}
