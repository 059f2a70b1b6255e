#pragma once

#include "Dialogs.h"

#include <QDir>
#include <QProgressDialog>

namespace vf {

// Runs a reading of a file (work takes a cancel check) with a progress dialog whose Cancel
// ends it at once. The dialog is modal to the whole program, so no other action starts
// meanwhile; the window keeps painting.
template <typename Work> auto withReadingProgress(QWidget* window, const QString& file, Work work)
{
    QProgressDialog progress(QStringLiteral("Reading %1 ...").arg(QDir::toNativeSeparators(file)),
                             QStringLiteral("Cancel"), 0, 0, window);
    progress.setObjectName(QStringLiteral("ImportProgress"));
    progress.setWindowTitle(kApplicationTitle);
    progress.setWindowModality(Qt::ApplicationModal);
    progress.setMinimumDuration(0);
    progress.setAutoClose(false);
    progress.setAutoReset(false);
    progress.show();
    return work([&progress] { return progress.wasCanceled(); });
}

} // namespace vf
