#include "StagingArea.h"

#include "Error.h"

#include <QDir>
#include <QFileInfo>
#include <QLockFile>
#include <QTemporaryDir>

namespace vf {

namespace {

const QString kLockName = QStringLiteral("run.lock");
const QString kRunPattern = QStringLiteral("run-XXXXXX");

std::unique_ptr<QLockFile> lockFor(const QString& folder)
{
    auto lock = std::make_unique<QLockFile>(QDir(folder).filePath(kLockName));
    // A lock is stale only when its program is gone, however long an import runs.
    lock->setStaleLockTime(0);
    return lock;
}

} // namespace

StagingRun::StagingRun(QString folder, std::unique_ptr<QLockFile> lock)
    : m_folder(std::move(folder))
    , m_lock(std::move(lock))
{
}

StagingRun::~StagingRun()
{
    m_lock->unlock();
    QDir(m_folder).removeRecursively();
}

QString StagingRun::stagingFile() const
{
    return QDir(m_folder).filePath(QStringLiteral("staging.sqlite"));
}

StagingArea::StagingArea(QString root)
    : m_root(std::move(root))
{
}

StagingArea StagingArea::besideDatabase(const QString& databaseFile)
{
    return StagingArea(QFileInfo(databaseFile).dir().filePath(QStringLiteral(".import-staging")));
}

std::unique_ptr<StagingRun> StagingArea::startRun() const
{
    const auto failure = [this](const QString& why) {
        return Error(QStringLiteral("no folder for reading it could be made in %1 (%2)")
                         .arg(QDir::toNativeSeparators(m_root), why));
    };
    if (!QDir().mkpath(m_root))
        throw failure(QStringLiteral("the folder cannot be created"));
    QTemporaryDir folder(QDir(m_root).filePath(kRunPattern));
    if (!folder.isValid())
        throw failure(folder.errorString());
    auto lock = lockFor(folder.path());
    if (!lock->tryLock(0)) {
        folder.remove();
        throw failure(QStringLiteral("its lock cannot be written"));
    }
    folder.setAutoRemove(false);
    return std::make_unique<StagingRun>(folder.path(), std::move(lock));
}

void StagingArea::sweep() const
{
    const QDir root(m_root);
    for (const QString& name :
         root.entryList({QStringLiteral("run-*")}, QDir::Dirs | QDir::Hidden)) {
        const QString folder = root.filePath(name);
        auto lock = lockFor(folder);
        // A folder whose lock no living program holds is a left-over.
        if (lock->tryLock(0)) {
            lock->unlock();
            QDir(folder).removeRecursively();
        }
    }
}

} // namespace vf
