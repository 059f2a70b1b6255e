#include "TurnDataFixture.h"
#include "turndata/TurnTableModel.h"

#include <QAction>
#include <QDir>
#include <QLineEdit>
#include <QTest>

#include <utility>

using namespace vf;
using namespace vf::test;

// Turn Data's tables written to a file.
class TestTurnDataExport : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // File, Export writes the table as shown, or every table, as CSV that reads back as shown
    // (a name with a comma, a quote and a line break included); ".csv" is added to a name typed
    // without it.
    void exportWritesTheTablesAsShown_data()
    {
        QTest::addColumn<QString>("action");
        QTest::newRow("this table") << "mnuFile_Export";
        QTest::newRow("all tables") << "mnuFile_ExportAll";
    }
    void exportWritesTheTablesAsShown()
    {
        QFETCH(QString, action);
        TurnDataOf123 f;
        TurnDataWindow& data = *f.window;
        f.t.store().run(QStringLiteral("UPDATE Fleets SET FleetName = ? WHERE FleetID = 12"),
                        {QStringLiteral("Home, \"Guard\"\nSecond line")});
        TurnDataWindow window(f.context, f.navigator, 123);
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        data.close();
        QTest::keyClicks(&window.filter(), QStringLiteral("home"));
        const QString chosen = f.t.path() + QStringLiteral("/fleets");
        f.dialogs.choose(chosen);
        f.dialogs.answerOk();
        window.findChild<QAction*>(action)->trigger();
        QCOMPARE(f.dialogs.last().request.icon, DialogIcon::Information);
        const QByteArray written = TestStore::contentsOf(chosen + QStringLiteral(".csv"));
        QVERIFY(written.startsWith("\xEF\xBB\xBF"));
        const QList<QStringList> lines = readCsv(QString::fromUtf8(written.mid(3)));
        QStringList expected;
        for (const ShownColumn& column : window.model(0).columns())
            expected << column.heading;
        if (action == QLatin1String("mnuFile_ExportAll"))
            QCOMPARE(lines.value(0), QStringList{QStringLiteral("Fleets")});
        const qsizetype headings = lines.indexOf(expected);
        QVERIFY(headings >= 0);
        for (int row = 0; row < window.model(0).rowCount(); ++row)
            QCOMPARE(lines.value(headings + 1 + row),
                     window.model(0).cells(row).mid(0, expected.size()));
        QVERIFY(lines.contains(QStringList{QStringLiteral("Warp Points")}) ==
                (action == QLatin1String("mnuFile_ExportAll")));
        // The same name again, typed without ".csv": the file is not replaced unasked.
        window.filter().clear();
        f.dialogs.choose(chosen);
        f.dialogs.answer(DialogAnswer::No);
        window.findChild<QAction*>(action)->trigger();
        QCOMPARE(f.dialogs.last().request.text,
                 QStringLiteral("%1 already exists. Do you want to replace it?")
                     .arg(QDir::toNativeSeparators(chosen + QStringLiteral(".csv"))));
        QCOMPARE(TestStore::contentsOf(chosen + QStringLiteral(".csv")), written);
    }

private:
    // CSV as a spreadsheet reads it: fields split at commas outside quotes, "" a quote inside.
    static QList<QStringList> readCsv(const QString& text)
    {
        QList<QStringList> lines;
        QStringList line;
        QString field;
        bool quoted = false;
        const auto next = [&text](qsizetype i) {
            return i + 1 < text.size() ? text[i + 1] : QChar();
        };
        for (qsizetype i = 0; i < text.size(); ++i) {
            const QChar c = text[i];
            if (quoted) {
                if (c == QLatin1Char('"') && next(i) == QLatin1Char('"'))
                    field += text[++i];
                else if (c == QLatin1Char('"'))
                    quoted = false;
                else
                    field += c;
            } else if (c == QLatin1Char('"')) {
                quoted = true;
            } else if (c == QLatin1Char(',')) {
                line << std::exchange(field, QString());
            } else if (c == QLatin1Char('\r') && next(i) == QLatin1Char('\n')) {
                line << std::exchange(field, QString());
                lines << std::exchange(line, QStringList());
                ++i;
            } else {
                field += c;
            }
        }
        return lines;
    }
};

QTEST_MAIN(TestTurnDataExport)
#include "tst_turndataexport.moc"
