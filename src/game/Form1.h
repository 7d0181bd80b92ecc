#pragma once
// The main window's game state and its event handlers. Everything a turn
// does runs here, without a screen: the window, the sound and the random
// numbers come in through ports.
//
// The methods are split over several files by concern:
//   Form1.cpp        construction, start-up (Form_Load), shutdown, effects,
//                    the Sound menu
//   ScreenSetup.cpp  NuevaPantalla, DefineForma (Shapes.cpp: the masks)
//   Aiming.cpp       mouse move, PintaCañon, Escape, ShowCursorQuibix
//   Skin.cpp         CargaSkin, background loading, "Background" > "Change"
//   Shot.cpp         Picture1_Click (flight), PintaBala
//   Matching.cpp     ChequeoFichas, BuscaLineas
//   Falls.cpp        CaenFichas, MarcaColgadas
//   Turn.cpp         the rest of the turn: fuse, next piece, loss, screen won
//   GameMenus.cpp    File and Level menus
//   Records.cpp      LeeRecords, GrabaRecords, showing a table
//   OptionsMenus.cpp the Options menu: group size, shape, pieces, skins
//   Config.cpp       GrabaConfig, LeeConfig ("Quibix.cfg")
#include "game/Board.h"
#include "game/Numbers.h"
#include "game/Ports.h"
#include "game/Random.h"
#include "render/Canvas.h"
#include "render/Pictures.h"
#include "storage/HighScoreFile.h"

#include <array>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace quibix {

constexpr const char* kVersion = "2.09";

class Form1 {
public:
    Form1(std::filesystem::path appFolder, WindowPort& window, EffectsPort& effects,
          MusicDevicePort& music, RandomSource& random);
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
    void Picture1_Click();
    void Form_KeyPress(int keyAscii);
    void Picture1_KeyPress(int keyAscii) { Form_KeyPress(keyAscii); }
    void MenuFile_Click(int index);
    void MenuLevel_Click(int index);
    void MenuSound_Click(int index);
    void MenuBack_Click(int index);
    // The Options menu and the saved settings (OptionsMenus.cpp, Config.cpp).
    void MenuCombinations_Click(int index);
    void MenuShape_Click(int index);
    void MenuOptions_Click(int index);
    void GrabaConfig();
    void LeeConfig();

    // ---- Rules (public so tests can drive each step) ----------------------
    void NuevaPantalla(int16_t pantalla);
    void DefineForma(int16_t forma);
    void PintaCañon(int16_t grados);
    int32_t ShowCursorQuibix(int16_t c);
    void PintaBala(int16_t& grados, int16_t radio);
    void ChequeoFichas(int16_t lastX, int16_t lastY, int16_t oldGrados);
    void BuscaLineas(int16_t iniX, int16_t iniY, int16_t tipo);
    void CaenFichas();
    void MarcaColgadas(int x, int y);
    // The second half of a click, once the shot has found its cell: place,
    // match, fall, fuse, next piece, unlock, loss or cleared screen.
    void resolveTurn(int16_t lastX, int16_t lastY, int16_t oldGrados, int16_t savedPointer);
    void PetrificaTablero();
    void CargaSkin();
    void LeeRecords();
    void GrabaRecords(bool blnRecord);
    void showRecordTable(int16_t level);

    // Plays an effect from the data folder with intSoundFlags, when "FX
    // Sound" is on.
    void playEffect(const std::string& file);

    // The native path of a file stored relative to the application folder.
    std::filesystem::path appFile(const std::string& stored) const;

    // A skin picture (stored path such as "\Space\pareda.jpg"), or a plain
    // generated one of that kind when the file is missing or damaged.
    QImage loadSkinPicture(const std::string& stored, PlainKind kind, QSize size) const;

    // ---- State ------------------------------------------------------------
    const std::filesystem::path appFolder;

    Tablero tablero;
    Tablero Mascara;
    std::vector<Coordenada> Coords;
    int16_t intNumCoords = 0;
    int32_t lngCaidas = 0;

    // Geometry of a cell (from sprite 0) and of the board on screen.
    int16_t intAncho = kSpriteSize, intAlto = kSpriteSize;
    int16_t intMedioAncho = kSpriteSize / 2, intMedioAlto = kSpriteSize / 2;
    int16_t intLadrillos = 0;
    int16_t intFilaLimite = 14;

    // Aim, shot and cursor.
    int16_t intGrados = 90;
    int16_t intRadioRebote = 0;
    int32_t lngCañonX = 221, lngCañonY = 420;
    float sngBalaX = 0, sngBalaY = 0;
    int16_t intBalaCol = 0, intBalaFila = 0;
    int16_t intRetardo = 17;
    int16_t blnDisparo = kFalse;
    int16_t blnCursor = kFalse;
    int32_t lngRet = 0;

    // The game.
    int16_t intFicha = 0, intSiguiente = 0;
    int16_t intUsadas = 0;
    int32_t lngScore = 0, lngUltimoTiro = 0;
    int16_t intMecha = 0;
    int16_t intPantalla = 0;
    int16_t blnVacio = kFalse;
    int16_t intLevel = 0, intRecordLevel = 0;
    int16_t intCombinaciones = 3;
    int16_t intForma = 0, intFormaActual = 0;
    // Whether a game is running (title screen hidden). "Stop Game" does
    // nothing without one, so a finished game's score is not offered twice.
    bool gameRunning = false;
    // Set once Salir has run, so closing the window afterwards does not
    // unload a second time.
    bool quitting = false;

    // Sound.
    int16_t blnFX = kTrue;
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

    WindowPort& window;
    EffectsPort& effects;
    MusicDevicePort& music;
    RandomSource& random;
    Canvas canvas;

private:
    // Loads `strFondo` into Picture3 and Picture2, falling back to the data
    // folder's backgrounds and then to a plain picture.
    void loadBackground();

    // The one place each option is set, and the pieces and skin applied.
    void setCombinaciones(int16_t n) { intCombinaciones = n; }
    void setForma(int16_t forma) { intForma = forma; }
    void setFormaActual(int16_t forma) { intFormaActual = forma; }
    void usePieces(const std::array<int16_t, 6>& pictures);
    void applyChosenSkin();
};

} // namespace quibix
