#pragma once

#include <QDateTime>
#include <QString>

namespace vf {

// When an empire's turn data was imported, and from which file (invalid: never).
struct ImportStamp {
    QDateTime when;
    QString file; // the name of the file read; empty when not recorded

    bool isValid() const { return when.isValid(); }
};

// A moment as the player reads it: "05-17-2024 at 10:02".
inline QString shownTime(const QDateTime& time)
{
    return time.toString(QStringLiteral("MM-dd-yyyy 'at' hh:mm"));
}

} // namespace vf
