// The end of a game, however it ends (lost, "Stop Game", a new game over
// it, leaving the program), and the recording of what was played.
#include "form/Form1.h"

#include "form/MenuTable.h"

#include <ctime>
#include <iostream>

namespace quibix {

void Form1::finishGame(ReplayEnd how)
{
    allowOptionChanges(true);
    gameRunning = false;
    if (rules.pantalla() > 0 && !blnWatching) {
        GrabaRecords(false);
        playEffect("win.wav");
    }
    saveRecording(how);
}

void Form1::saveRecording(ReplayEnd how)
{
    const std::optional<Replay> game = recorder.finish(how, rules.score(), rules.pantalla());
    if (!game)
        return;
    // A full disk or a folder that cannot be written costs the replay
    // only; play goes on.
    const ReplayShelf shelf = replayShelf();
    std::string error;
    if (shelf.save(*game, std::time(nullptr), &error).empty()) {
        std::cerr << "Quibix: the game could not be recorded (" << error << ")\n";
        return;
    }
    shelf.prune(Records);
    showWatchableRows(intRecordLevel);
}

ReplayShelf Form1::replayShelf() const { return ReplayShelf(userFile("Quibix.dat").parent_path() / "replays"); }

void Form1::allowOptionChanges(bool allowed)
{
    for (MenuItem item : menuItems(EnabledRule::BetweenGames))
        window.setMenuEnabled(item, allowed);
}

void Form1::tell(const std::string& text, const std::string& title)
{
    constexpr int kNoticeMs = 2000;
    if (blnWatching)
        window.notice(text, title, kNoticeMs);
    else
        window.messageBox(text, title);
}

void Form1::setCombinaciones(int16_t n)
{
    rules.setCombinaciones(n);
    recorder.group(rules.combinaciones());
}

void Form1::setForma(int16_t forma)
{
    rules.setForma(forma);
    recorder.shape(rules.forma());
}

} // namespace quibix
