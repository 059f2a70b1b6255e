#include "TestStore.h"
#include "platform/ProgramFiles.h"
#include "turnimport/TurnImporter.h"

#include <QDir>
#include <QFileInfo>
#include <QTest>

using namespace vf;
using namespace vf::test;

// Run by check-install.sh with the folder of an installed program: the program must find the
// installed reader, and the reader must read a turn results file.
class TestInstalledReader : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void theInstalledProgramFindsAndRunsItsReader()
    {
        const QString programFolder = qEnvironmentVariable("VFTURN_INSTALLED_PROGRAM_FOLDER");
        if (programFolder.isEmpty())
            QSKIP("run by check-install.sh with an installed program");
        const QString reader = readerPathIn(programFolder);
        QCOMPARE(reader, QDir::cleanPath(programFolder +
                                         QStringLiteral("/../libexec/vfturn/vfturn-reader")));
        TestStore t;
        TurnImporter(t.store(), reader)
            .importFile(123, TestStore::dataFile(QStringLiteral("123.mdb")));
        QCOMPARE(t.count(QStringLiteral("Fleets"), 123), 6);
        // Help, User's Guide finds the guide installed beside it, and its pictures.
        const QString guide = userGuidePath(programFolder);
        QCOMPARE(guide,
                 QDir::cleanPath(programFolder + QStringLiteral("/../share/doc/vfturn/README.md")));
        QVERIFY(QFileInfo::exists(
            QFileInfo(guide).dir().filePath(QStringLiteral("docs/main-menu.png"))));
    }

    void aProgramBesideItsReaderFindsItThere()
    {
        // The build folder, or a folder copied as it is.
        const QString beside = QFileInfo(TestStore::readerPath()).absolutePath();
        QCOMPARE(readerPathIn(beside), TestStore::readerPath());
    }
};

QTEST_GUILESS_MAIN(TestInstalledReader)
#include "tst_installedreader.moc"
