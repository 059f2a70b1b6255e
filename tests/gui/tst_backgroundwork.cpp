#include "Error.h"
#include "common/BackgroundWork.h"

#include <QApplication>
#include <QPointer>
#include <QProgressDialog>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <new>
#include <stdexcept>
#include <thread>

using namespace vf;

namespace {

enum class Ending { Returns, FailsAsError, FailsAsException, RunsOutOfMemory };

// Work that ends as told, on the thread it is given.
int work(Ending ending)
{
    switch (ending) {
    case Ending::Returns:
        return 42;
    case Ending::FailsAsError:
        throw Error(QStringLiteral("the file is damaged"));
    case Ending::FailsAsException:
        throw std::runtime_error("a table lost its rows");
    case Ending::RunsOutOfMemory:
        throw std::bad_alloc();
    }
    return 0;
}

} // namespace

// The one way the windows wait for work: off their thread, with progress and Cancel, every
// failure told in words, and never a call to a window that is gone.
class TestBackgroundWork : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void everyEndingIsTold_data()
    {
        QTest::addColumn<int>("ending");
        QTest::addColumn<QString>("told"); // what the wait returns, or why it failed
        QTest::newRow("a result") << int(Ending::Returns) << "42";
        QTest::newRow("the program's own failure")
            << int(Ending::FailsAsError) << "the file is damaged";
        QTest::newRow("any other exception")
            << int(Ending::FailsAsException) << "it failed unexpectedly (a table lost its rows)";
        QTest::newRow("no memory left")
            << int(Ending::RunsOutOfMemory) << "there was not enough memory for it";
    }
    void everyEndingIsTold()
    {
        QFETCH(int, ending);
        QFETCH(QString, told);
        QString waited;
        try {
            waited = QString::number(
                waitFor(nullptr, {QStringLiteral("Working ..."), QStringLiteral("Work"), 0},
                        [ending](const Progress&) { return work(Ending(ending)); }));
        } catch (const Error& error) {
            waited = error.message();
        }
        QCOMPARE(waited, told);
        QString background;
        QObject receiver;
        runInBackground<int>(
            &receiver, [ending](const Progress&) { return work(Ending(ending)); },
            [&background](int result) { background = QString::number(result); },
            [&background](const QString& why) { background = why; });
        QTRY_COMPARE(background, told);
    }

    // Cancel in the progress dialog reaches the work through its stop flag; the dialog shows
    // how far the work told it is.
    void cancelStopsTheWork()
    {
        int shownTotal = 0;
        QTimer player;
        connect(&player, &QTimer::timeout, [&] {
            auto* progress = qobject_cast<QProgressDialog*>(QApplication::activeModalWidget());
            if (!progress || progress->objectName() != QStringLiteral("Work") ||
                progress->maximum() == 0)
                return;
            shownTotal = progress->maximum();
            QTest::mouseClick(progress->findChild<QPushButton*>(), Qt::LeftButton);
        });
        player.start(20);
        const int steps =
            waitFor(nullptr, {QStringLiteral("Working ..."), QStringLiteral("Work"), 0},
                    [](const Progress& progress) {
                        int step = 0;
                        while (!progress.stopRequested() && step < 6000) {
                            progress.tell(++step, 6000);
                            std::this_thread::sleep_for(std::chrono::milliseconds(5));
                        }
                        return step;
                    });
        QCOMPARE(shownTotal, 6000);
        QVERIFY2(steps < 6000, "the work ran to its end");
    }

    // A receiver gone before the work ends is not called; the work is asked to stop and waited
    // for.
    void aReceiverGoneIsNotCalled()
    {
        bool called = false;
        bool stopped = false;
        auto receiver = std::make_unique<QObject>();
        runInBackground<int>(
            receiver.get(),
            [&stopped](const Progress& progress) {
                while (!progress.stopRequested())
                    std::this_thread::sleep_for(std::chrono::milliseconds(2));
                stopped = true;
                return 1;
            },
            [&called](int) { called = true; }, [&called](const QString&) { called = true; });
        receiver.reset();
        QVERIFY(stopped);
        QTest::qWait(50);
        QVERIFY(!called);
    }
};

QTEST_MAIN(TestBackgroundWork)
#include "tst_backgroundwork.moc"
