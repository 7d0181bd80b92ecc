#include "render/TextFit.h"

#include <QFontMetrics>

namespace quibix {

QString fitOneLine(const QString& text, const QFont& font, int width)
{
    QString line = text;
    for (QChar& c : line) {
        if (c.category() == QChar::Other_Control || c == QChar::LineSeparator || c == QChar::ParagraphSeparator)
            c = QLatin1Char(' ');
    }
    return QFontMetrics(font).elidedText(line, Qt::ElideRight, width, Qt::TextSingleLine);
}

} // namespace quibix
