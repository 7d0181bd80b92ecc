// Construction, start-up, shutdown, effects and the Sound menu.
#include "form/Form1.h"

#include "storage/AppPaths.h"

namespace quibix {

Form1::Form1(std::filesystem::path folder, WindowPort& windowPort, EffectsPort& effectsPort,
             MusicDevicePort& musicPort, RandomSource& randomSource, Engine& engine)
    : appFolder(std::move(folder)),
      window(windowPort),
      effects(effectsPort),
      music(musicPort),
      random(randomSource),
      rules(engine),
      canvas(windowPort),
      player(canvas, windowPort)
{
}

std::filesystem::path Form1::appFile(const std::string& stored) const
{
    return resolvePath(appFolder, stored);
}

std::filesystem::path Form1::userFile(const std::string& name) const
{
    return userFolder.empty() ? appFile(strDataPath + name) : resolvePath(userFolder, name);
}

void Form1::playEffect(const std::string& file)
{
    if (!blnFX)
        return;
    effects.play(appFile(strDataPath + file), intSoundFlags);
}

QImage Form1::loadSkinPicture(const std::string& stored, PlainKind kind, QSize size) const
{
    QImage picture = loadPicture(appFile(stored), size);
    if (picture.isNull())
        picture = plainPicture(kind, size);
    return picture;
}

void Form1::Form_Load()
{
    for (int16_t i = 0; i < 6; ++i)
        intPiezas[i] = i;

    random.reseed();

    // The data folder is the one holding the shot sound; without it the
    // application folder itself serves.
    strDataPath = "\\";
    if (fileExists(appFolder, "\\data\\shoot.wav"))
        strDataPath = "\\data\\";
    strSkinPath = strDataPath;
    strSkin = strSkinPath;
    strFondo = strSkinPath + "fondo0.jpg";

    intSoundFlags = kSoundAsync | kSoundNoDefault;
    rules.setLevel(0);
    intRecordLevel = 0;
    intRetardo = 17;
    rules.setForma(0);
    rules.setCombinaciones(3);
    blnFX = true;
    blnMusic = true;
    window.setMenuChecked(MenuItem::Music, true);
    window.setMenuChecked(MenuItem::FxSound, true);

    LeeRecords();
    BuscaMusica();
    CargaSkin();

    canvas.CreaBuffers();

    canvas.showBackground();

    canvas.drawFuse(0);
    canvas.drawDynamite(false);
    canvas.present(Surface::PicBanda);

    music.setDeviceType("Sequencer");

    window.setCaption(Caption::Version, 0, std::string(" version ") + kVersion + " by Tavendar");

    window.showTitleScreen(true);
    allowOptionChanges(true);

    playEffect("wellcome.wav");

    window.setCaption(Caption::PartialScore, 0, "0");
    window.setCaption(Caption::Score, 0, "0");
}

void Form1::Form_Unload()
{
    canvas.LiberaBuffers();
    music.command("close");
}

void Form1::Salir()
{
    // Closing the window after "Exit" comes back here; unload only once.
    if (quitting)
        return;
    quitting = true;
    // A game left running is recorded as it stands.
    if (gameRunning && !blnWatching)
        saveRecording(ReplayEnd::Left);
    gameRunning = false;
    Form_Unload();
    window.quit();
}

void Form1::cmdStart_Click()
{
    NuevaPantalla(0);
    if (startScreen > 0) { // a practice start on a later screen
        rules.setPantalla(startScreen);
        NuevaPantalla(startScreen);
    }
}

void Form1::cmdExit_Click() { Salir(); }

void Form1::Exit_Click() { Salir(); }

void Form1::Form_QueryUnload() { Salir(); }

void Form1::MenuSound_Click(int index)
{
    if (index == 0) {
        blnMusic = !blnMusic;
        window.setMenuChecked(MenuItem::Music, blnMusic);
        // Checking it again needs nothing here: the music device's status
        // event finds the device stopped and starts a piece.
        if (!blnMusic)
            music.command("stop");
    } else if (index == 1) {
        blnFX = !blnFX;
        window.setMenuChecked(MenuItem::FxSound, blnFX);
    }
}

} // namespace quibix
