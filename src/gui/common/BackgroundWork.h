#pragma once

#include "model/Progress.h"

#include <QObject>
#include <QString>
#include <QThread>

#include <atomic>
#include <exception>
#include <functional>
#include <memory>
#include <optional>

class QWidget;

namespace vf {

// One piece of work run on a thread of its own, started as it is made: the only way the
// windows wait for anything (an import, a comparison of turns, the map's layout, tables read
// ahead). The work is told to stop, and tells how far it is, through the Progress it is handed.
// finished() comes on the thread that made it once the work has ended, whichever way; a
// failure (whatever the work threw) is kept, never let loose on the worker thread. Destroying
// it asks the work to stop and waits for it: its owner never leaves a thread running behind it.
class BackgroundWork : public QObject {
    Q_OBJECT
public:
    using Work = std::function<void(const Progress&)>;

    explicit BackgroundWork(Work work, QObject* parent = nullptr,
                            QThread::Priority priority = QThread::InheritPriority);
    ~BackgroundWork() override;
    BackgroundWork(const BackgroundWork&) = delete;
    BackgroundWork& operator=(const BackgroundWork&) = delete;

    void stop() { m_stop = true; }
    bool running() const { return m_running; }
    // How far the work is, as it last told.
    qint64 done() const { return m_done; }
    qint64 total() const { return m_total; }
    // Once finished: why the work failed, in a player's words; nothing when it did not.
    std::optional<QString> failure() const;

Q_SIGNALS:
    void finished();

private:
    void run(const Work& work);

    std::atomic_bool m_stop = false;
    std::atomic<qint64> m_done = 0;
    std::atomic<qint64> m_total = 0;
    std::exception_ptr m_failure;
    std::unique_ptr<QThread> m_thread;
    bool m_running = true;
};

// What a wait shows: the words and the name of its progress dialog, and how long the work may
// take before the dialog shows (the player's input is held back meanwhile).
struct WaitShown {
    QString label;
    QString objectName;
    int showAfterMs = 0;
};

// The wait of a file's reading: "Reading /home/ann/kelvar/123.mdb ...", shown at once.
WaitShown readingFile(const QString& file);

namespace detail {
// Shows the dialog over the window until the work has finished; Cancel asks it to stop.
// Throws vf::Error with the work's failure.
void waitWithDialog(QWidget* window, const WaitShown& shown, BackgroundWork& work);
} // namespace detail

// Runs work off the window's thread while a progress dialog over it shows how far it is (a bar
// once the work tells its total), modal to the whole program: no other action starts meanwhile
// and every window goes on painting. Cancel asks the work to stop; what it returns then is its
// own affair. Returns what the work returned; whatever the work threw is thrown here as
// vf::Error.
template <typename Work>
auto waitFor(QWidget* window, const WaitShown& shown, Work work) -> decltype(work(Progress{}))
{
    using Result = decltype(work(Progress{}));
    std::optional<Result> result;
    BackgroundWork running([&](const Progress& progress) { result.emplace(work(progress)); });
    detail::waitWithDialog(window, shown, running);
    return std::move(*result);
}

// Runs work off the receiver's thread; once it has ended, done is called with what it
// returned, or failed with why it failed, on the receiver's thread. Neither is called once the
// receiver is gone: the work is then asked to stop and waited for.
template <typename Result>
void runInBackground(QObject* receiver, std::function<Result(const Progress&)> work,
                     std::function<void(Result)> done, std::function<void(const QString&)> failed,
                     QThread::Priority priority = QThread::InheritPriority)
{
    auto result = std::make_shared<std::optional<Result>>();
    auto* running =
        new BackgroundWork([result, work = std::move(work)](
                               const Progress& progress) { result->emplace(work(progress)); },
                           receiver, priority);
    QObject::connect(running, &BackgroundWork::finished, receiver,
                     [running, result, done = std::move(done), failed = std::move(failed)] {
                         const std::optional<QString> failure = running->failure();
                         running->deleteLater();
                         if (failure)
                             failed(*failure);
                         else
                             done(std::move(**result));
                     });
}

} // namespace vf
