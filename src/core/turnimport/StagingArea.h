#pragma once

#include <QString>

#include <memory>

class QLockFile;

namespace vf {

// One reading of a turn results file: a folder of its own holding the staging file, locked
// while the run lives and removed with everything in it when the run ends.
class StagingRun {
public:
    StagingRun(QString folder, std::unique_ptr<QLockFile> lock);
    ~StagingRun();
    StagingRun(const StagingRun&) = delete;
    StagingRun& operator=(const StagingRun&) = delete;

    QString folder() const { return m_folder; }
    QString stagingFile() const;

private:
    QString m_folder;
    std::unique_ptr<QLockFile> m_lock;
};

// The place where the turn results reader writes what it reads: one folder beside the turn
// entry database, with a folder per run. A run of a program that was killed leaves its
// folder behind; sweep() removes every folder no living program holds.
class StagingArea {
public:
    explicit StagingArea(QString root);
    // The staging area of the turn entry database stored in databaseFile.
    static StagingArea besideDatabase(const QString& databaseFile);

    QString root() const { return m_root; }
    // Starts a run; throws vf::Error when its folder cannot be made.
    std::unique_ptr<StagingRun> startRun() const;
    // Removes the folders of runs that have ended without cleaning up.
    void sweep() const;

private:
    QString m_root;
};

} // namespace vf
