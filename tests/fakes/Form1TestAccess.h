#pragma once
// What a test may reach inside Form1: the engine, to set a position up, and
// the drawing surfaces.
#include "form/Form1.h"

namespace quibix {

struct Form1TestAccess {
    static Engine& engine(Form1& f) { return f.rules; }
    static Canvas& canvas(Form1& f) { return f.canvas; }
    // The field redrawn from the engine's board and pieces, as after a turn.
    static void showBoard(Form1& f)
    {
        f.canvas.composeScreen(f.rules.board(), f.rules.ladrillos(), f.rules.ficha(), f.rules.siguiente());
    }
    static RecordTable& records(Form1& f) { return f.Records; }
    static int16_t& recordLevel(Form1& f) { return f.intRecordLevel; }
    // The skin chosen, as the skin chooser sets it before CargaSkin.
    static void chooseSkin(Form1& f, const std::string& stored) { f.strSkin = f.strSkinPath = stored; }
    static void listMusic(Form1& f, std::vector<std::string> names)
    {
        f.intNumMusicas = static_cast<int32_t>(names.size());
        names.insert(names.begin(), std::string());
        f.Musicas = std::move(names);
    }
};

} // namespace quibix
