// The background music: the listing of the data folder's MIDI files, the
// shuffle driven by the music device's status event, and the choice of a
// piece.
#include "form/Form1.h"

#include "form/MenuTable.h"
#include "game/Numbers.h"
#include "storage/AppPaths.h"

#include <algorithm>

namespace quibix {

void Form1::BuscaMusica()
{
    Musicas.assign(1, ""); // index 0 holds no name
    intNumMusicas = 0;
    const std::vector<std::string> names = listFiles(appFolder, strDataPath, "*.mid");
    // Without music the item stays checked but cannot be used.
    if (names.empty())
        for (MenuItem item : menuItems(EnabledRule::WithMusic))
            window.setMenuEnabled(item, false);
    for (const std::string& strMusica : names)
        Musicas.push_back(strMusica);
    intNumMusicas = static_cast<int32_t>(names.size());
}

void Form1::MMControl1_StatusUpdate()
{
    const int mode = music.mode();
    if (mode != kMusicNotOpen && mode != kMusicStopped)
        return; // a piece is playing
    if (!blnMusic || intNumMusicas < 1)
        return;
    music.command("close");
    startChosenMusic();
}

void Form1::startChosenMusic()
{
    const int32_t k = pickEntry(random.next(), intNumMusicas, Musicas.size());
    if (k < 1)
        return;
    music.setFileName(appFile(strDataPath + Musicas[static_cast<std::size_t>(k)]));
    music.command("open");
    music.command("play");
}

} // namespace quibix
