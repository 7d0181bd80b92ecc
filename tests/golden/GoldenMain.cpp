// quibix_golden: plays the golden games and prints one summary line each.
// With a folder argument it also writes every game's two logs there, for a
// diff when a summary changes.
//   quibix_golden COUNT [LOG_FOLDER]
#include "golden/GoldenRun.h"

#include <QGuiApplication>
#include <QTemporaryDir>

#include <cstdlib>
#include <fstream>
#include <iostream>

int main(int argc, char** argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QGuiApplication app(argc, argv);
    const int count = argc > 1 ? std::atoi(argv[1]) : 200;
    const std::filesystem::path logs = argc > 2 ? argv[2] : "";
    if (!logs.empty())
        std::filesystem::create_directories(logs);

    QTemporaryDir dir;
    const std::filesystem::path folder = dir.path().toStdString();
    quibix::golden::writeGoldenFolder(folder);
    for (int i = 0; i < count; ++i) {
        const auto spec = quibix::golden::goldenGame(i);
        const auto result = quibix::golden::playGame(spec, folder);
        std::cout << quibix::golden::summary(spec, result) << std::endl;
        if (!logs.empty()) {
            std::ofstream(logs / ("game" + std::to_string(i) + ".out")) << result.out;
            std::ofstream(logs / ("game" + std::to_string(i) + ".rand")) << result.rand;
        }
    }
    return 0;
}
