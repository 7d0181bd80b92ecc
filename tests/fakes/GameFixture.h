#pragma once
// A Form1 on recording fakes in a temporary application folder. The folder
// starts as a data folder (it holds "shoot.wav") of small flat pictures: one
// background, both covers and the band. Tests change it before load().
#include "fakes/FakePorts.h"
#include "fakes/FileBytes.h"
#include "form/Form1.h"

#include <QColor>
#include <QImage>
#include <QTemporaryDir>

#include <gtest/gtest.h>

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

class TempAppFolder {
public:
    TempAppFolder() { EXPECT_TRUE(dir_.isValid()); }
    std::filesystem::path path() const { return dir_.path().toStdString(); }

    // `relative` is a native path such as "data/x.wav"; folders are created.
    void writeFile(const std::string& relative, const std::string& bytes = "RIFF") const
    {
        std::filesystem::create_directories((path() / relative).parent_path());
        std::ofstream(path() / relative, std::ios::binary) << bytes;
    }
    // A JPEG of one colour (JPEG keeps a flat colour within a step or two).
    void writePicture(const std::string& relative, QColor colour, QSize size = {442, 460}) const
    {
        std::filesystem::create_directories((path() / relative).parent_path());
        QImage img(size, QImage::Format_RGB32);
        img.fill(colour);
        EXPECT_TRUE(img.save(QString::fromStdString((path() / relative).string()), "JPG", 100)) << relative;
    }
    std::string readFile(const std::string& relative) const { return fileBytes(path() / relative); }
    void remove(const std::string& relative) const { std::filesystem::remove_all(path() / relative); }

    void writeTestData() const
    {
        writeFile("data/shoot.wav");
        writePicture("data/fondo1.jpg", kTestBackground);
        writePicture("data/pareda.jpg", kTestCover);
        writePicture("data/paredb.jpg", kTestCover);
        writePicture("data/banda.jpg", kTestBand, {98, 460});
    }

private:
    QTemporaryDir dir_;
};

class GameFixture : public ::testing::Test {
protected:
    GameFixture()
    {
        freshMenus();
        folder.writeTestData();
    }
    // As the real window is created: "Easy", "3" and "Square" checked.
    void freshMenus()
    {
        window.checkedItems = {{MenuItem::Easy, true}, {MenuItem::Combinations3, true},
                               {MenuItem::ShapeSquare, true}};
    }

    // The Form1, built on first use (after the test has set up the folder),
    // with rules of its own.
    Form1& game()
    {
        if (!form) {
            engine = std::make_unique<Engine>(random);
            form = std::make_unique<Form1>(folder.path(), window, effects, music, random, *engine);
        }
        return *form;
    }
    // The rules of the game built: tests set positions up through them.
    Engine& rules()
    {
        game();
        return *engine;
    }
    // Builds the Form1 and runs its start-up; the log starts empty after it.
    Form1& load()
    {
        game().Form_Load();
        log.clear();
        effects.played.clear();
        return *form;
    }
    // The program started again on the same folder, in a fresh window.
    Form1& restart()
    {
        form.reset();
        freshMenus();
        return load();
    }
    // The skin in use, as the skin chooser is told it (and cancelled).
    std::string skinInUse()
    {
        window.skinAnswer.reset();
        log.clear();
        game().MenuOptions_Click(3);
        const std::string prefix = "choose skin ";
        return log.count(prefix) == 1 ? log.events.back().substr(prefix.size()) : "(no chooser)";
    }
    // The high-score tables as the game saved them.
    RecordTable savedRecords() const
    {
        RecordTable rows{};
        EXPECT_TRUE(HighScoreFile(folder.path() / "data" / "Quibix.dat").read(rows));
        return rows;
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
    std::unique_ptr<Engine> engine;
    std::unique_ptr<Form1> form;
};

// Random values that give every kind of piece, in turn.
inline const std::vector<float> kAllKinds{0.0f, 0.2f, 0.4f, 0.6f, 0.8f, 0.99f};

} // namespace quibix::testing
