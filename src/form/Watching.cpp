// A recorded game played again in the window. The engine gets the game's
// own seeds, the cannon turns to each recorded angle and fires; the turns,
// sounds and pauses are the game's own. Nothing is asked of the player and
// no file changes; a key or a click ends it.
#include "form/Form1.h"

#include <algorithm>
#include <iostream>

namespace quibix {

namespace {
// How the cannon turns before a recorded shot: a moment to look, then a
// few degrees a frame.
constexpr int kLookMs = 350;
constexpr int kTurnFrameMs = 17;
constexpr int kDegreesPerFrame = 3;
// A game that was stopped or left stays on screen this long.
constexpr int kLastLookMs = 2000;
} // namespace

void Form1::watchRecord(int row)
{
    if (row < 0 || row >= kRecordsPerLevel)
        return;
    const std::filesystem::path& file = rowReplays.at(kRecordsPerLevel * (intRecordLevel == 1 ? 1 : 0) + row);
    if (file.empty())
        return;
    std::string error;
    const std::optional<Replay> replay = readReplay(file, &error);
    if (!replay) {
        // Damaged since the table was shown: the row simply plays nothing.
        std::cerr << "Quibix: " << error << "\n";
        return;
    }
    watchReplay(*replay);
}

void Form1::stopWatching()
{
    if (!blnWatching)
        return;
    stopRequested = true;
    player.cancel();
}

void Form1::turnCannonTo(int16_t grados)
{
    window.pause(kLookMs);
    while (!stopRequested && rules.grados() != grados) {
        const int step = std::clamp(grados - rules.grados(), -kDegreesPerFrame, kDegreesPerFrame);
        aimAt(rules.grados() + step);
        window.pause(kTurnFrameMs);
    }
}

void Form1::watchReplay(const Replay& replay)
{
    if (gameRunning || blnWatching || quitting)
        return;
    // The player's own choices come back afterwards.
    const int16_t ownLevel = intRecordLevel;
    const int16_t ownGroup = rules.combinaciones();
    const int16_t ownShape = rules.forma();
    const std::array<int16_t, 6> ownPieces = intPiezas;

    // Every seed in the order the game drew them, and its backgrounds.
    ListedSeeds seeds;
    watchedBackgrounds.clear();
    for (const ReplayEvent& e : replay.events) {
        if (const auto* screen = std::get_if<ReplayScreen>(&e)) {
            seeds.add(screen->seed);
            watchedBackgrounds.push_back(screen->background);
        } else if (const auto* shot = std::get_if<ReplayShot>(&e)) {
            seeds.add(shot->seed);
        }
    }
    random.setSeedSource(&seeds);
    // However the watching ends, the generator gives up the game's seeds.
    struct OwnSeedsAgain {
        RandomSource& random;
        ~OwnSeedsAgain() { random.setSeedSource(nullptr); }
    } ownSeedsAgain{random};
    blnWatching = true;
    stopRequested = false;
    window.setWatching(true);

    intRecordLevel = replay.level;
    rules.setCombinaciones(replay.group);
    rules.setForma(replay.shape);
    usePieces(replay.pieces);

    // A screen event after a shot was set up by the turn that cleared the
    // last screen; any other starts the game, or a practice start on it.
    bool shotSinceScreen = true;
    for (const ReplayEvent& e : replay.events) {
        if (stopRequested || quitting)
            break;
        if (const auto* screen = std::get_if<ReplayScreen>(&e)) {
            if (shotSinceScreen && gameRunning) {
                shotSinceScreen = false;
                continue;
            }
            if (screen->screen > 0)
                rules.setPantalla(screen->screen);
            NuevaPantalla(screen->screen);
            shotSinceScreen = false;
        } else if (const auto* shot = std::get_if<ReplayShot>(&e)) {
            if (!gameRunning)
                break;
            turnCannonTo(shot->angle);
            if (stopRequested || quitting)
                break;
            fire();
            shotSinceScreen = true;
        } else if (const auto* group = std::get_if<ReplayGroup>(&e)) {
            rules.setCombinaciones(group->group);
        } else if (const auto* shape = std::get_if<ReplayShape>(&e)) {
            rules.setForma(shape->shape);
        }
    }
    if (quitting) // the window is closing: nothing more to draw
        return;
    if (gameRunning && !stopRequested)
        window.pause(kLastLookMs);

    // Back to the title screen, as a game stopped there; one that was
    // stopped ends with the sound it had.
    if (gameRunning) {
        window.showTitleScreen(true);
        if (!stopRequested && replay.end == ReplayEnd::Stopped)
            playEffect("lose.wav");
        music.command("close");
        finishGame(replay.end);
    }
    watchedBackgrounds.clear();
    window.setWatching(false);
    blnWatching = false;
    stopRequested = false;
    blnCursor = true;

    intRecordLevel = ownLevel;
    rules.setLevel(ownLevel);
    rules.setCombinaciones(ownGroup);
    rules.setForma(ownShape);
    usePieces(ownPieces);
    showRecordTable(intRecordLevel);
}

} // namespace quibix
