// The game's four pieces of background music. Each keeps its melody in the
// middle of the mix and its drums light, so it can sit under play for a
// long time; the sections repeat with small changes rather than new themes.
#include "artgen.h"
#include "music_compose.h"

#include <cstdio>

namespace artgen {

namespace {

using H = HarmonyStyle;

// "Marble Morning": bright and unhurried, C major, vibraphone over a nylon
// guitar.
Piece marbleMorning()
{
    Piece p;
    p.title = "Marble Morning";
    p.bpm = 108;
    p.melody = {11, 96, 64, 50};   // vibraphone
    p.harmony = {24, 78, 44, 40};  // nylon guitar
    p.second = {48, 58, 84, 60};   // strings
    p.bass = {32, 92, 64, 20};     // acoustic bass
    p.bassStyle = BassStyle::RootFifth;
    p.drumStyle = DrumStyle::Pop;
    p.drumVolume = 70;
    p.harmonyLow = 52;
    p.harmonyHigh = 71;
    p.seed = 11;

    const std::vector<std::string> a{"C", "Am", "F", "G", "C", "Am", "Dm7 G7", "C"};
    const std::string melodyA =
        "E5:2 G5:2 C6:3 B5:1  A5:4 E5:2 C5:2  F5:2 A5:2 C6:2 A5:2  G5:6 r:2 "
        "E5:2 G5:2 C6:3 D6:1  E6:4 C6:2 A5:2  F5:2 A5:2 G5:2 B5:2  C6:6 r:2";
    const std::string melodyA2 =
        "E5:2 G5:2 C6:3 B5:1  A5:3 G5:1 E5:2 C5:2  F5:2 A5:2 C6:2 D6:2  B5:4 G5:4 "
        "C6:2 B5:2 A5:2 G5:2  A5:2 C6:2 E6:4  D6:2 C6:2 B5:2 D6:2  C6:8";
    const std::vector<std::string> b{"F", "G", "Em", "Am", "Dm", "Em", "F", "G"};
    const std::string melodyB =
        "A5:3 G5:1 F5:2 A5:2  B5:3 A5:1 G5:4  G5:2 B5:2 E6:4  C6:3 B5:1 A5:4 "
        "F5:2 A5:2 D6:3 C6:1  B5:4 G5:2 E5:2  A5:2 C6:2 F6:2 E6:2  D6:4 B5:2 G5:2";

    p.sections = {
        {{"C", "Am", "F", "G"}, "", 0, 0, H::Arpeggio},
        {a, melodyA, 0, 1, H::Arpeggio},
        {a, melodyA2, 0, 1, H::Arpeggio},
        {b, melodyB, 0, 2, H::Arpeggio, H::Pad},
        {a, melodyA, 0, 2, H::Comp, H::Pad},
        {a, melodyA2, 0, 1, H::Arpeggio},
        {{"C", "F", "G", "C"}, "G5:4 E5:4  F5:4 A5:4  G5:2 F5:2 D5:4  C5:8", 0, 1, H::Arpeggio, H::Pad},
    };
    return p;
}

// "Lanterns at Dusk": a slow waltz in A minor, flute over electric piano
// and strings.
Piece lanternsAtDusk()
{
    Piece p;
    p.title = "Lanterns at Dusk";
    p.bpm = 84;
    p.beatsPerBar = 3;
    p.melody = {73, 92, 70, 60};   // flute
    p.harmony = {4, 70, 50, 50};   // electric piano
    p.second = {49, 60, 78, 70};   // slow strings
    p.bass = {35, 90, 64, 30};     // fretless bass
    p.bassStyle = BassStyle::Waltz;
    p.drumStyle = DrumStyle::Waltz;
    p.drumVolume = 62;
    p.harmonyLow = 53;
    p.harmonyHigh = 72;
    p.legato = 0.98;
    p.seed = 23;

    const std::vector<std::string> a{"Am", "F", "C", "G", "Am", "F", "Dm", "E"};
    const std::string melodyA =
        "E5:3 A5:1 B5:2  C6:4 A5:2  G5:3 E5:1 G5:2  D5:6 "
        "E5:2 A5:2 C6:2  F6:3 E6:1 C6:2  D6:2 A5:2 F5:2  G#5:6";
    const std::vector<std::string> a2{"Am", "F", "C", "G", "Am", "F", "E", "Am"};
    const std::string melodyA2 =
        "E5:3 A5:1 B5:2  C6:4 A5:2  G5:3 E5:1 G5:2  D5:6 "
        "E5:2 A5:2 C6:2  F6:3 E6:1 C6:2  B5:3 A5:1 G#5:2  A5:6";
    const std::vector<std::string> b{"F", "G", "C", "Am", "F", "G", "Esus4", "E"};
    const std::string melodyB =
        "A5:2 C6:2 F6:2  D6:4 B5:2  C6:3 G5:1 E5:2  A5:6 "
        "F5:2 A5:2 C6:2  B5:2 D6:2 G6:2  A5:6  G#5:4 B5:2";

    p.sections = {
        {{"Am", "F", "Am", "E"}, "", 0, 0, H::Waltz},
        {a, melodyA, 0, 1, H::Waltz},
        {a2, melodyA2, 0, 1, H::Waltz, H::Pad},
        {b, melodyB, 0, 2, H::Waltz, H::Pad},
        {a, melodyA, -12, 1, H::Waltz, H::Pad},
        {a2, melodyA2, 0, 1, H::Waltz, H::Pad},
        {{"Am", "F", "E", "Am"}, "C6:3 B5:1 A5:2  A5:4 F5:2  E5:2 G#5:2 B5:2  A5:6", 0, 0, H::Pad, H::Pad},
    };
    return p;
}

// "Clockwork Garden": playful, G major, clarinet over pizzicato strings,
// with woodblocks ticking like a clock.
Piece clockworkGarden()
{
    Piece p;
    p.title = "Clockwork Garden";
    p.bpm = 126;
    p.melody = {71, 90, 60, 50};   // clarinet
    p.harmony = {45, 76, 80, 40};  // pizzicato strings
    p.second = {8, 56, 40, 50};    // celesta
    p.bass = {70, 84, 64, 30};     // bassoon
    p.bassStyle = BassStyle::OomPah;
    p.drumStyle = DrumStyle::Clockwork;
    p.drumVolume = 66;
    p.harmonyLow = 55;
    p.harmonyHigh = 74;
    p.legato = 0.8;
    p.seed = 37;

    const std::vector<std::string> a{"G", "Em", "C", "D", "G", "Em", "Am D", "G"};
    const std::string melodyA =
        "D5:1 G5:1 B5:1 G5:1 D6:2 B5:2  E5:1 G5:1 B5:1 G5:1 E6:2 B5:2 "
        "C6:2 E6:1 D6:1 C6:2 G5:2  A5:2 F#5:2 D5:2 r:2 "
        "B5:1 D6:1 G6:2 F#6:1 E6:1 D6:2  E6:2 B5:2 G5:2 E5:2 "
        "C6:2 A5:2 D6:2 F#5:2  G5:4 r:4";
    const std::string melodyA2 =
        "D5:1 G5:1 B5:1 G5:1 D6:2 B5:2  E5:1 G5:1 B5:1 G5:1 E6:2 G6:2 "
        "E6:2 D6:1 C6:1 G5:2 E5:2  F#5:2 A5:2 D6:4 "
        "D6:1 C6:1 B5:1 A5:1 G5:2 B5:2  E6:2 D6:1 B5:1 G5:2 E5:2 "
        "A5:2 C6:2 F#5:2 A5:2  G5:6 r:2";
    const std::vector<std::string> b{"C", "D", "Bm", "Em", "Am", "Bm", "C", "D"};
    const std::string melodyB =
        "E6:4 D6:2 C6:2  A5:4 D6:4  F#6:4 D6:2 B5:2  G6:6 E6:2 "
        "C6:2 E6:2 A6:4  F#6:4 D6:2 B5:2  C6:2 E6:2 G6:2 E6:2  F#6:2 D6:2 A5:2 F#5:2";

    p.sections = {
        {{"G", "Em", "C", "D"}, "", 0, 1, H::Offbeat},
        {a, melodyA, 0, 1, H::Offbeat},
        {a, melodyA2, 0, 1, H::Offbeat, H::Arpeggio},
        {b, melodyB, -12, 2, H::Offbeat, H::Arpeggio},
        {b, melodyB, 0, 2, H::Offbeat, H::Arpeggio},
        {a, melodyA, 0, 1, H::Offbeat},
        {a, melodyA2, 0, 2, H::Offbeat, H::Arpeggio},
        {{"C D", "G", "C D", "G"}, "E5:2 G5:2 F#5:2 A5:2  B5:4 G5:4  C6:2 E6:2 D6:2 F#6:2  G6:8", 0, 1, H::Offbeat},
    };
    return p;
}

// "Deep Blue Fuse": a mellow groove in D dorian, electric piano over a
// warm pad, a walking bass and a soft ride.
Piece deepBlueFuse()
{
    Piece p;
    p.title = "Deep Blue Fuse";
    p.bpm = 92;
    p.melody = {4, 100, 58, 55};   // electric piano
    p.harmony = {89, 62, 64, 70};  // warm pad
    p.second = {26, 58, 86, 40};   // jazz guitar
    p.bass = {33, 94, 64, 25};     // finger bass
    p.bassStyle = BassStyle::Walking;
    p.drumStyle = DrumStyle::Groove;
    p.drumVolume = 68;
    p.harmonyLow = 50;
    p.harmonyHigh = 67;
    p.seed = 41;

    const std::vector<std::string> a{"Dm7", "G7", "Dm7", "G7", "Fmaj7", "Em7", "Em7 A7", "Dm7"};
    const std::string melodyA =
        "r:2 A5:2 C6:2 D6:2  B5:4 A5:2 G5:2  F5:2 A5:2 C6:3 A5:1  B5:6 r:2 "
        "A5:2 C6:2 E6:4  D6:2 B5:2 G5:4  E5:2 G5:2 C#6:2 E6:2  D6:6 r:2";
    const std::string melodyA2 =
        "r:2 D6:2 F6:2 E6:2  D6:4 B5:2 G5:2  A5:2 C6:2 D6:2 F6:2  E6:2 D6:2 B5:4 "
        "C6:2 E6:2 A6:4  G6:2 E6:2 B5:4  G5:2 B5:2 A5:2 C#6:2  D6:8";
    const std::vector<std::string> b{"Bbmaj7", "Am7", "Gm7", "A7", "Bbmaj7", "C7", "Fmaj7", "A7"};
    const std::string melodyB =
        "D6:4 F6:2 A6:2  G6:4 E6:2 C6:2  D6:4 Bb5:2 G5:2  C#6:4 E6:2 G6:2 "
        "F6:3 D6:1 Bb5:4  E6:2 G6:2 Bb6:4  A6:4 F6:2 C6:2  E6:2 C#6:2 A5:4";

    p.sections = {
        {{"Dm7", "G7", "Dm7", "G7"}, "", 0, 1, H::Pad},
        {a, melodyA, -12, 1, H::Pad, H::Comp},
        {a, melodyA2, -12, 2, H::Pad, H::Comp},
        {b, melodyB, -12, 2, H::Pad, H::Comp},
        {a, melodyA, -12, 1, H::Pad},
        {a, melodyA2, -12, 2, H::Pad, H::Comp},
        {{"Dm7", "G7", "Dm7", "Dm7"}, "A5:4 F5:4  G5:4 B5:4  A5:2 C6:2 D6:4  r:8", -12, 1, H::Pad},
    };
    return p;
}

} // namespace

int generateMusic(const std::filesystem::path& dataDir)
{
    std::filesystem::create_directories(dataDir);
    const std::pair<const char*, Piece> pieces[] = {
        {"marbles.mid", marbleMorning()},
        {"lanterns.mid", lanternsAtDusk()},
        {"clockwork.mid", clockworkGarden()},
        {"bluefuse.mid", deepBlueFuse()},
    };
    for (const auto& [name, piece] : pieces) {
        MidiFile file(kMidiTicksPerBeat);
        std::string error;
        if (!composePiece(piece, file, error)) {
            std::fprintf(stderr, "artgen: %s\n", error.c_str());
            return 1;
        }
        const double seconds = pieceSeconds(piece);
        if (seconds < 60 || seconds > 180) {
            std::fprintf(stderr, "artgen: %s lasts %.0f s, not 1 to 3 minutes\n", piece.title.c_str(), seconds);
            return 1;
        }
        if (!file.write(dataDir / name)) {
            std::fprintf(stderr, "artgen: cannot write %s\n", (dataDir / name).string().c_str());
            return 1;
        }
    }
    return 0;
}

} // namespace artgen
