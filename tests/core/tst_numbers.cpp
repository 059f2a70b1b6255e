#include "orders/NumberReading.h"
#include "platform/Windows1252.h"

#include <QTest>

using namespace vf;

class TestNumbers : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void leadingNumber_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("value");
        QTest::newRow("empty") << QString() << 0.0;
        QTest::newRow("blank") << QStringLiteral(" ") << 0.0;
        QTest::newRow("word") << QStringLiteral("abc") << 0.0;
        QTest::newRow("number") << QStringLiteral("12") << 12.0;
        QTest::newRow("leading blanks") << QStringLiteral("   7") << 7.0;
        QTest::newRow("population group entry") << QStringLiteral("12 (Tarsis-3)") << 12.0;
        QTest::newRow("trailing letters") << QStringLiteral("12abc") << 12.0;
        QTest::newRow("negative") << QStringLiteral("-5") << -5.0;
        QTest::newRow("fraction") << QStringLiteral("0.5") << 0.5;
        QTest::newRow("sign alone") << QStringLiteral("-") << 0.0;
        QTest::newRow("point alone") << QStringLiteral(".") << 0.0;
        QTest::newRow("letter first") << QStringLiteral("x12") << 0.0;
    }
    void leadingNumber()
    {
        QFETCH(QString, text);
        QFETCH(double, value);
        QCOMPARE(vf::leadingNumber(text), value);
    }

    void wholeNumber_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("valid");
        QTest::addColumn<int>("value");
        QTest::newRow("number") << QStringLiteral("123") << true << 123;
        QTest::newRow("surrounding blanks") << QStringLiteral(" 123 ") << true << 123;
        QTest::newRow("zero") << QStringLiteral("0") << true << 0;
        QTest::newRow("negative") << QStringLiteral("-4") << true << -4;
        QTest::newRow("largest") << QStringLiteral("2147483647") << true << 2147483647;
        QTest::newRow("too large") << QStringLiteral("2147483648") << false << 0;
        QTest::newRow("trailing letters") << QStringLiteral("12abc") << false << 0;
        QTest::newRow("injection") << QStringLiteral("1 OR 1=1") << false << 0;
        QTest::newRow("empty") << QString() << false << 0;
        QTest::newRow("fraction") << QStringLiteral("12.5") << false << 0;
        QTest::newRow("word") << QStringLiteral("abc") << false << 0;
    }
    void wholeNumber()
    {
        QFETCH(QString, text);
        QFETCH(bool, valid);
        QFETCH(int, value);
        const auto number = vf::wholeNumber(text);
        QCOMPARE(number.has_value(), valid);
        if (valid)
            QCOMPARE(*number, value);
    }

    void windows1252_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("ascii") << QStringLiteral("BOMB, \"x\"") << QByteArray("BOMB, \"x\"");
        QTest::newRow("latin-1 letter")
            << QStringLiteral("\u00C6rendel") << QByteArray("\xC6rendel");
        QTest::newRow("euro and dash") << QStringLiteral("\u20AC\u2014") << QByteArray("\x80\x97");
        QTest::newRow("greek and star")
            << QStringLiteral("\u03A9mega \u2606") << QByteArray("?mega ?");
        QTest::newRow("outside the plane") << QStringLiteral("a\U0001F600b") << QByteArray("a?b");
        // A surrogate without its pair stands for itself alone: the letter after it stays.
        QTest::newRow("a lone first surrogate")
            << QStringLiteral("lone") + QChar(0xD800) + QStringLiteral("surrogate")
            << QByteArray("lone?surrogate");
        QTest::newRow("a lone second surrogate")
            << QStringLiteral("lone") + QChar(0xDC00) + QStringLiteral("surrogate")
            << QByteArray("lone?surrogate");
        QTest::newRow("a lone one at the end")
            << QStringLiteral("end") + QChar(0xD83D) << QByteArray("end?");
    }
    void windows1252()
    {
        QFETCH(QString, text);
        QFETCH(QByteArray, bytes);
        QCOMPARE(toWindows1252(text), bytes);
    }
};

QTEST_GUILESS_MAIN(TestNumbers)
#include "tst_numbers.moc"
