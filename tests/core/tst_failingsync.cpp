#include "Error.h"
#include "TestStore.h"
#include "platform/System.h"
#include "platform/WholeFile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

// The disk's answer to the next syncs: nothing (written) or why it could not.
QString syncAnswer;

} // namespace

// This program's own sync to the disk, in place of the system's (which a test cannot make
// fail without a failing device): it answers as told.
QString vf::platform::syncToDisk(QFile&)
{
    return syncAnswer;
}

using namespace vf;
using namespace vf::test;

// A file the system cannot sync to the disk is not put in place: the old file stays byte for
// byte, nothing unfinished is left, and the cause is named.
class TestFailingSync : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void aFailedSyncLeavesTheOldFileAndSaysWhy_data()
    {
        QTest::addColumn<bool>("copy");
        QTest::newRow("bytes written") << false;
        QTest::newRow("a file copied") << true;
    }
    void aFailedSyncLeavesTheOldFileAndSaysWhy()
    {
        QFETCH(bool, copy);
        QTemporaryDir dir;
        const QString target = dir.filePath(QStringLiteral("KELVAR Orders 12-07-2026.123"));
        writeFileWhole(target, "the old orders");
        const QString source = dir.filePath(QStringLiteral("new orders"));
        writeFileWhole(source, "the new orders");
        syncAnswer = QStringLiteral("Input/output error");
        QString said;
        try {
            if (copy)
                copyFileWhole(source, target);
            else
                writeFileWhole(target, "the new orders");
        } catch (const Error& error) {
            said = error.message();
        }
        syncAnswer.clear();
        QCOMPARE(said, QStringLiteral("Input/output error"));
        QCOMPARE(TestStore::contentsOf(target), QByteArray("the old orders"));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden),
                 (QStringList{"KELVAR Orders 12-07-2026.123", "new orders"}));
    }
};

QTEST_GUILESS_MAIN(TestFailingSync)
#include "tst_failingsync.moc"
