#include "BackgroundWork.h"

#include "Dialogs.h"
#include "Error.h"

#include <QApplication>
#include <QDir>
#include <QEvent>
#include <QEventLoop>
#include <QProgressDialog>
#include <QTimer>

#include <climits>
#include <new>

namespace vf {

BackgroundWork::BackgroundWork(Work work, QObject* parent, QThread::Priority priority)
    : QObject(parent)
{
    m_thread.reset(QThread::create([this, work = std::move(work)] { run(work); }));
    // (Queued to this object's thread: nothing arrives once it is gone.)
    connect(m_thread.get(), &QThread::finished, this, [this] {
        m_thread->wait();
        m_running = false;
        Q_EMIT finished();
    });
    m_thread->start(priority);
}

BackgroundWork::~BackgroundWork()
{
    m_stop = true;
    m_thread->wait();
}

void BackgroundWork::run(const Work& work)
{
    const Progress progress{[this](qint64 done, qint64 total) {
                                m_done = done;
                                m_total = total;
                            },
                            &m_stop};
    try {
        work(progress);
    } catch (...) {
        m_failure = std::current_exception();
    }
}

std::optional<QString> BackgroundWork::failure() const
{
    if (!m_failure)
        return std::nullopt;
    try {
        std::rethrow_exception(m_failure);
    } catch (const Error& error) {
        return error.message();
    } catch (const std::bad_alloc&) {
        return QStringLiteral("there was not enough memory for it");
    } catch (const std::exception& error) {
        return QStringLiteral("it failed unexpectedly (%1)")
            .arg(QString::fromLocal8Bit(error.what()));
    } catch (...) {
        return QStringLiteral("it failed unexpectedly");
    }
}

WaitShown readingFile(const QString& file)
{
    return {QStringLiteral("Reading %1 ...").arg(QDir::toNativeSeparators(file)),
            QStringLiteral("ImportProgress"), 0};
}

namespace detail {

namespace {

// Holds the player's mouse and keys back from every window while it lives: a wait whose
// dialog has not shown yet (or has just been cancelled) lets no other action start.
class InputHold : public QObject {
public:
    InputHold() { qApp->installEventFilter(this); }
    ~InputHold() override { qApp->removeEventFilter(this); }
    InputHold(const InputHold&) = delete;
    InputHold& operator=(const InputHold&) = delete;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
        case QEvent::ShortcutOverride:
        case QEvent::Shortcut:
        case QEvent::Wheel:
        case QEvent::Drop:
            return true;
        default:
            return false;
        }
    }
};

} // namespace

void waitWithDialog(QWidget* window, const WaitShown& shown, BackgroundWork& work)
{
    if (work.running()) {
        QProgressDialog progress(shown.label, QStringLiteral("Cancel"), 0, 0, window);
        progress.setObjectName(shown.objectName);
        progress.setWindowTitle(kApplicationTitle);
        progress.setWindowModality(Qt::ApplicationModal);
        progress.setAutoClose(false);
        progress.setAutoReset(false);
        progress.setMinimumDuration(shown.showAfterMs);
        auto hold = std::make_unique<InputHold>();
        const auto show = [&] {
            if (!progress.wasCanceled() && work.running()) {
                hold.reset();
                progress.show();
            }
        };
        QTimer showing;
        showing.setSingleShot(true);
        QObject::connect(&showing, &QTimer::timeout, &progress, show);
        showing.start(shown.showAfterMs);
        QObject::connect(&progress, &QProgressDialog::canceled, &work, [&] {
            work.stop();
            hold = std::make_unique<InputHold>(); // until the work has stopped
        });
        // How far the work is, a few times a second.
        QTimer telling;
        QObject::connect(&telling, &QTimer::timeout, &progress, [&] {
            const qint64 total = work.total();
            if (total <= 0 || progress.wasCanceled() || !progress.isVisible())
                return;
            progress.setMaximum(int(std::min<qint64>(total, INT_MAX)));
            progress.setValue(int(std::min(work.done(), total)));
        });
        constexpr int kTellEveryMs = 50;
        telling.start(kTellEveryMs);
        QEventLoop loop;
        QObject::connect(&work, &BackgroundWork::finished, &loop, &QEventLoop::quit);
        if (work.running())
            loop.exec();
    }
    if (const auto failure = work.failure())
        throw Error(*failure);
}

} // namespace detail

} // namespace vf
