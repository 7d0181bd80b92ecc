#pragma once
// The only place the golden games look inside Form1: the options the menus
// of other work will set, and what the bot reads to aim. Everything else
// goes through the handlers and the ports.
#include "form/Form1.h"

namespace quibix::golden {

inline void setOptions(Form1& f, int group, int shape)
{
    f.setCombinaciones(static_cast<int16_t>(group));
    f.setForma(static_cast<int16_t>(shape));
}

inline int boardCode(const Form1& f, int c, int r) { return f.engine().board()(c, r).Tipo; }
inline int brickRows(const Form1& f) { return f.engine().ladrillos(); }
inline int loadedKind(const Form1& f) { return f.engine().ficha(); }

} // namespace quibix::golden
