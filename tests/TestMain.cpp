// The test program: a GUI application so that images, fonts and painters
// work as in the game. It runs headless: no display and no sound card are
// needed, whether CTest starts it or a developer does.
#include <QGuiApplication>

#include <gtest/gtest.h>

#include <cstdlib>

int main(int argc, char** argv)
{
    // Defaults only: a developer may still point these elsewhere.
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    setenv("QUIBIX_TEST_APP_DIR", QUIBIX_BUILT_APP_DIR, 0);

    ::testing::InitGoogleTest(&argc, argv);
    QGuiApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
