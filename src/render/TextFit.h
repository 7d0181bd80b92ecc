#pragma once
// Captions that must stay on their own line, such as the names of the
// high-score table, whatever a player typed or a damaged file holds.
#include <QFont>
#include <QString>

namespace quibix {

// `text` on one line no wider than `width` pixels in `font`: control
// characters (line breaks, tabs) become spaces, and a text too wide ends
// in an ellipsis.
QString fitOneLine(const QString& text, const QFont& font, int width);

} // namespace quibix
