#pragma once
// A Form1 on recording fakes in a temporary application folder. The folder
// starts with a data folder holding "shoot.wav" (so it is the data folder)
// and small generated pictures: one background, both covers and the band.
// Tests add or remove files before calling load().
#include "fakes/FakePorts.h"
#include "game/Form1.h"
#include "game/Random.h"

#include <QColor>
#include <QImage>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

namespace quibix::testing {

// Colours of the generated pictures, so a test can tell which file was used.
inline const QColor kTestBackground(40, 90, 160);
inline const QColor kTestCover(200, 180, 60);
inline const QColor kTestBand(90, 40, 40);

// A temporary application folder, removed when it goes.
class TempAppFolder {
public:
    TempAppFolder() { EXPECT_TRUE(dir_.isValid()); }
    std::filesystem::path path() const { return dir_.path().toStdString(); }

    // Writes `bytes` to the file (native relative path such as "data/x.wav"),
    // creating its folders.
    void writeFile(const std::string& relative, const std::string& bytes = "RIFF") const
    {
        const auto file = path() / relative;
        std::filesystem::create_directories(file.parent_path());
        std::ofstream(file, std::ios::binary) << bytes;
    }

    // A JPEG of one colour (JPEG keeps a flat colour within a step or two).
    void writePicture(const std::string& relative, QColor colour, QSize size = {442, 460}) const
    {
        const auto file = path() / relative;
        std::filesystem::create_directories(file.parent_path());
        QImage img(size, QImage::Format_RGB32);
        img.fill(colour);
        EXPECT_TRUE(img.save(QString::fromStdString(file.string()), "JPG", 100)) << file;
    }

    void remove(const std::string& relative) const { std::filesystem::remove_all(path() / relative); }

    // The smallest data folder: "shoot.wav" and flat pictures.
    void writeTestData() const
    {
        writeFile("data/shoot.wav");
        writePicture("data/fondo1.jpg", kTestBackground);
        writePicture("data/pareda.jpg", kTestCover);
        writePicture("data/paredb.jpg", kTestCover);
        writePicture("data/banda.jpg", kTestBand, {98, 460});
    }

    // Copies a folder of the built application (QUIBIX_TEST_APP_DIR), e.g.
    // "data" for the real pictures and sounds. False when it is not there.
    bool copyFromBuiltApp(const std::string& folder) const
    {
        const char* app = std::getenv("QUIBIX_TEST_APP_DIR");
        if (app == nullptr) return false;
        const auto source = std::filesystem::path(app) / folder;
        if (!std::filesystem::is_directory(source)) return false;
        std::filesystem::copy(source, path() / folder, std::filesystem::copy_options::recursive);
        return true;
    }

private:
    QTemporaryDir dir_;
};

class GameFixture : public ::testing::Test {
protected:
    GameFixture()
    {
        // As the real window is created: "Easy", "3" and "Square" checked.
        window.checkedItems[MenuItem::Easy] = true;
        window.checkedItems[MenuItem::Combinations3] = true;
        window.checkedItems[MenuItem::ShapeSquare] = true;
        folder.writeTestData();
    }

    // The Form1, built on first use (after the test has set up the folder).
    Form1& game()
    {
        if (!form)
            form = std::make_unique<Form1>(folder.path(), window, effects, music, random);
        return *form;
    }

    // Builds the Form1 and runs its start-up; the log starts empty after it.
    Form1& load()
    {
        game().Form_Load();
        log.clear();
        effects.played.clear();
        return *form;
    }

    // The random values from now on, replayed in a loop (reseeding does not
    // restart them).
    void script(std::vector<float> values) { random = FixedSequenceRandom(std::move(values)); }

    // Start-up, then "Start Game" with the given random values.
    Form1& startGame(std::vector<float> values = {0.5f})
    {
        load();
        script(std::move(values));
        form->cmdStart_Click();
        return *form;
    }

    TempAppFolder folder;
    EventLog log;
    FakeWindow window{log};
    FakeEffects effects{log};
    FakeMusic music{log};
    FixedSequenceRandom random{{0.5f}};
    std::unique_ptr<Form1> form;
};

// A running game on an emptied board, for driving shots and turns cell by
// cell. The random values give every kind, so the next-piece rule always
// finds one on the board.
class BoardFixture : public GameFixture {
protected:
    static std::vector<float> allKinds() { return {0.0f, 0.2f, 0.4f, 0.6f, 0.8f, 0.99f}; }

    // Screen 0 started, then the board emptied with `ladrillos` brick rows;
    // the field shows exactly the resting picture; counters start at zero.
    Form1& emptyBoard(int16_t ladrillos = 0)
    {
        Form1& g = startGame(allKinds());
        BorraTablero(g.tablero);
        g.intLadrillos = ladrillos;
        g.intFilaLimite = static_cast<int16_t>(14 - ladrillos);
        g.canvas.DibujaArray(g.tablero, ladrillos, true);
        g.canvas.DibujaIcono(209, 408, g.intFicha, false, 0);
        g.canvas.DibujaIcono(398, 416, g.intSiguiente, false, 0);
        g.canvas.Picture1 = g.canvas.Picture2.copy();
        clearRecords();
        return g;
    }

    struct Put { int c, r; int16_t code; };

    // Piece codes at cells, drawn at rest like landed pieces.
    void put(const std::vector<Put>& pieces)
    {
        for (const Put& p : pieces)
            put(p.c, p.r, p.code);
    }
    // A column of alternating kinds from row 0 down to `lastRow`, which joins
    // nothing and hangs from the top.
    void column(int c, int lastRow, int16_t first = 1)
    {
        for (int r = 0; r <= lastRow; ++r)
            put(c, r, static_cast<int16_t>(first + r % 2));
    }
    void put(int c, int r, int16_t code)
    {
        Form1& g = *form;
        Casilla& cell = g.tablero(c, r);
        cell.Tipo = code;
        cell.X = static_cast<int16_t>(25 * c + SiInpar(static_cast<int16_t>(r), 12));
        cell.Y = static_cast<int16_t>(25 * (g.intLadrillos + r));
        cell.Cae = 0;
        g.canvas.DibujaIcono(cell.X, cell.Y, static_cast<int16_t>(code - 1), false, 0);
    }

    int16_t code(int c, int r) const { return form->tablero(c, r).Tipo; }
    // Every cell holds the code given for it.
    void expectCodes(const std::vector<Put>& cells) const
    {
        for (const Put& p : cells)
            EXPECT_EQ(code(p.c, p.r), p.code) << "cell " << p.c << "," << p.r;
    }

    void clearRecords()
    {
        log.clear();
        effects.played.clear();
        window.pausedMs = 0;
        window.presentsPicture1 = 0;
        window.presentsBand = 0;
        window.messages.clear();
        window.inputs.clear();
    }

    std::vector<std::string> sounds() const
    {
        std::vector<std::string> names;
        for (const auto& p : effects.played)
            names.push_back(p.first);
        return names;
    }
};

} // namespace quibix::testing
