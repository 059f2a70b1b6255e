#include "SaveFileName.h"

#include "Dialogs.h"
#include "platform/WholeFile.h"

#include <QDir>
#include <QFileInfo>

namespace vf {

std::optional<QString> saveFileNamed(Dialogs& dialogs, const QString& chosen,
                                     const QString& extension)
{
    const QString path = withExtension(chosen, extension);
    if (path == chosen || !QFileInfo::exists(path))
        return path;
    const DialogRequest replace{DialogIcon::Question,
                                QStringLiteral("Replace the File?"),
                                QStringLiteral("%1 already exists. Do you want to replace it?")
                                    .arg(QDir::toNativeSeparators(path)),
                                DialogButtons::YesNo,
                                false,
                                DialogAnswer::No};
    if (dialogs.ask(replace) != DialogAnswer::Yes)
        return std::nullopt;
    return path;
}

} // namespace vf
