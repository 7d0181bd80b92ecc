#pragma once
// The main window's game state and its event handlers: the coordinator of
// the rule engine, the player that shows its turns and the window. It talks
// to the outside only through the ports given at construction.
//
// The methods are split over several files by concern:
//   Form1.cpp        construction, start-up (Form_Load), shutdown, effects,
//                    the Sound menu
//   ScreenSetup.cpp  NuevaPantalla
//   Aiming.cpp       mouse move, PintaCanon, Escape, ShowCursorQuibix
//   Shot.cpp         Picture1_Click: the turn, its lost game or won screen
//   Skin.cpp         CargaSkin, background loading, "Background" > "Change"
//   GameMenus.cpp    File and Level menus
//   Records.cpp      LeeRecords, GrabaRecords, showing a table
//   GameEnd.cpp      the end of a game, however it ends, and its recording
//   Watching.cpp     playing a recorded game again in the window
//   Music.cpp        BuscaMusica, the music status event, choosing a piece
//   HelpMenu.cpp     the about box and the read-me
//   OptionsMenus.cpp the Options menu: group size, shape, pieces, skins
//   Config.cpp       GrabaConfig, LeeConfig ("Quibix.cfg")
#include "form/GameRecorder.h"
#include "game/Engine.h"
#include "ports/Ports.h"
#include "game/Random.h"
#include "render/Canvas.h"
#include "render/Pictures.h"
#include "render/Player.h"
#include "storage/HighScoreFile.h"
#include "storage/ReplayShelf.h"

#include <array>
#include <cstdint>
#include <deque>
#include <filesystem>
#include <string>
#include <vector>

namespace quibix {

constexpr const char* kVersion = "2.09";

class Form1 {
public:
    // `rules` draws from `random` too; Form1 draws the background and the
    // music from it, so one seed gives one whole game.
    Form1(std::filesystem::path appFolder, WindowPort& window, EffectsPort& effects,
          MusicDevicePort& music, RandomSource& random, Engine& rules);
    Form1(const Form1&) = delete;
    Form1& operator=(const Form1&) = delete;

    // ---- Events -----------------------------------------------------------
    void Form_Load();
    void Form_Unload();
    void Salir();
    void cmdStart_Click();
    void cmdExit_Click();
    void Exit_Click();
    void Form_QueryUnload();
    void Picture1_MouseMove(float x, float y);
    // Every way of aiming ends here: the cannon turned to `grados` (kept
    // within 2..178) and drawn, unless a shot is in flight.
    void aimAt(int grados);
    void Picture1_Click();
    void Form_KeyPress(int keyAscii);
    void Picture1_KeyPress(int keyAscii) { Form_KeyPress(keyAscii); }
    void MenuFile_Click(int index);
    void MenuLevel_Click(int index);
    void MenuSound_Click(int index);
    void MenuBack_Click(int index);
    void MenuHelp_Click(int index); // HelpMenu.cpp
    void MMControl1_StatusUpdate(); // Music.cpp, with BuscaMusica
    // The Options menu and the saved settings (OptionsMenus.cpp, Config.cpp).
    void MenuCombinations_Click(int index);
    void MenuShape_Click(int index);
    void MenuOptions_Click(int index);
    void GrabaConfig();
    void LeeConfig();

    // ---- What the handlers share with the dialogs and menus --------------
    void NuevaPantalla(int16_t pantalla);
    void PintaCanon(int16_t grados);
    int32_t ShowCursorQuibix(int16_t c);
    void CargaSkin();
    void LeeRecords();
    void GrabaRecords(bool blnRecord);
    void showRecordTable(int16_t level);
    // Which rows of that table have a recorded game to watch.
    void showWatchableRows(int16_t level);
    void BuscaMusica();
    // Opens and plays Musicas(1 + N(r (intNumMusicas - 1))).
    void startChosenMusic();

    // Plays an effect from the data folder with intSoundFlags, when "FX
    // Sound" is on.
    void playEffect(const std::string& file);

    // The native path of a file stored relative to the application folder.
    std::filesystem::path appFile(const std::string& stored) const;
    // The native path of a file the game writes ("Quibix.dat", "Quibix.cfg").
    std::filesystem::path userFile(const std::string& name) const;
    // Set once before Form_Load: the player's own folder for the files the
    // game writes (empty: beside the data files), and the screen "Start
    // Game" begins on (practice; 0 normally).
    void setUserFolder(std::filesystem::path folder) { userFolder = std::move(folder); }
    void setStartScreen(int16_t screen) { startScreen = screen; }

    // A skin picture (stored path such as "\Space\pareda.jpg"), or a plain
    // generated one of that kind when the file is missing or damaged.
    QImage loadSkinPicture(const std::string& stored, PlainKind kind, QSize size) const;

    // The options of the rules: the smallest group that vanishes (3..6, from
    // the next shot on) and the starting shape (0..5, from the next screen).
    // A game being recorded notes the change where it is made.
    void setCombinaciones(int16_t n);
    void setForma(int16_t forma);

    // ---- Recorded games (Watching.cpp) ------------------------------------
    // Plays the recorded game of high-score row `row` (0..9 of the table
    // shown), when it has one, and comes back to the title screen.
    void watchRecord(int row);
    // Plays `replay` in the window: its field, pieces, sounds and pauses,
    // the cannon turning to each recorded angle, messages closing
    // themselves; no prompt, no file changed. Only from the title screen.
    void watchReplay(const Replay& replay);
    // A key or a click while watching: back to the title at the next frame.
    void stopWatching();
    // Where the games played are recorded.
    ReplayShelf replayShelf() const;

    // Asks a turn being shown to stop at its next frame (closing the window
    // mid-shot); the rules have already applied the whole turn.
    void cancelAnimation()
    {
        player.cancel();
        stopRequested = blnWatching;
    }

    // The field drawn again from the rules over the background in use, as
    // after a background or skin change.
    void redrawField();

    // ---- Read access --------------------------------------------------------
    const Engine& engine() const { return rules; }
    // The pictures drawn, the resting one and the sprites included, which
    // no window shows as such.
    const Canvas& surfaces() const { return canvas; }
    bool running() const { return gameRunning; }
    bool shotInProgress() const { return blnDisparo; }

private:
    // Loads `strFondo` into Picture3 and Picture2, falling back to the data
    // folder's backgrounds and then to a plain picture.
    void loadBackground();
    // The turn's own end: a lost game back to the title, or the next screen.
    void gameLost();
    // What every end of a game shares: options open again, the score
    // offered for the table, the game recorded (GameEnd.cpp).
    void finishGame(ReplayEnd how);
    // The game being recorded, written to the shelf.
    void saveRecording(ReplayEnd how);
    // Level and piece choices are open between games only.
    void allowOptionChanges(bool allowed);
    // A message box, or while watching one that closes itself.
    void tell(const std::string& text, const std::string& title);
    // The pointer hidden and held on the field for a screen's play.
    void hideCursorOnField();
    // Turns the cannon to `grados` a few degrees a frame, as a player would.
    void turnCannonTo(int16_t grados);
    // The shot of a turn: the engine's turn shown with input locked.
    void fire();
    void screenCleared(const ScreenCleared& cleared);
    void playTurnSound(const SoundPlayed& sound);
    // The six chosen piece pictures into the sprites, and a newly chosen
    // skin onto the title, the band and the field.
    void usePieces(const std::array<int16_t, 6>& pictures);
    void applyChosenSkin();

    const std::filesystem::path appFolder;
    // Where the files the game writes live: empty beside the data files,
    // else the player's own folder (storage/UserFiles.h decides).
    std::filesystem::path userFolder;
    // The screen "Start Game" begins on (QUIBIX_START_SCREEN); 0 normally.
    int16_t startScreen = 0;

    WindowPort& window;
    EffectsPort& effects;
    MusicDevicePort& music;
    RandomSource& random;
    Engine& rules;
    Canvas canvas;
    Player player;

    // A turn is being shown; the window takes no second one meanwhile.
    bool blnDisparo = false;
    bool blnCursor = false;
    int32_t lngRet = 0;
    int16_t intRetardo = 17; // ms per flight frame
    // Whether a game is running (title screen hidden). "Stop Game" does
    // nothing without one, so a finished game's score is not offered twice.
    bool gameRunning = false;
    // Set once Salir has run, so closing the window afterwards does not
    // unload a second time.
    bool quitting = false;

    // The level whose high-score table is used (the Level menu); the level
    // in effect is the engine's.
    int16_t intRecordLevel = 0;

    // Sound: "Music" and "FX Sound" as checked (the menu shows them).
    bool blnMusic = true;
    bool blnFX = true;
    int16_t intSoundFlags = kSoundAsync | kSoundNoDefault;

    // Folders and skin; paths in the stored form ("\data\", "\Space\").
    std::string strDataPath = "\\";
    std::string strSkinPath = "\\";
    std::string strSkin = "\\"; // the skin chosen (shared with the dialogs)
    std::string strFondo;
    std::string strParedA, strParedB, strBanda;
    std::vector<std::string> Fondos{""}; // used from index 1
    int32_t intNumFondos = 0;
    // The folder the Fondos names are in: the skin's, or the data folder's
    // when the skin has no backgrounds of its own.
    std::string strFondosPath = "\\";
    int32_t lngFondo = 0;

    // Music files of the data folder, used from index 1.
    std::vector<std::string> Musicas{""};
    int32_t intNumMusicas = 0;

    // The picture number used for each piece kind (shared with the dialogs).
    std::array<int16_t, 6> intPiezas{0, 1, 2, 3, 4, 5};

    RecordTable Records;
    // The recorded game of each row, where there is one.
    std::array<std::filesystem::path, kRecordRows> rowReplays;

    // The game being played, written down as it goes.
    GameRecorder recorder;
    // A recorded game is being played in the window, and the player asked
    // to stop it.
    bool blnWatching = false;
    bool stopRequested = false;
    // The backgrounds of the watched game's screens, in order.
    std::deque<int32_t> watchedBackgrounds;
};

} // namespace quibix
