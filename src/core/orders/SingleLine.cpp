#include "SingleLine.h"

namespace vf {

bool isControlCharacter(QChar c)
{
    return c.category() == QChar::Other_Control;
}

QString onOneLine(const QString& text)
{
    QString line = text;
    for (QChar& c : line) {
        if (isControlCharacter(c))
            c = QLatin1Char(' ');
    }
    return line;
}

} // namespace vf
