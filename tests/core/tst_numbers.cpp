#include "orders/NumberReading.h"
#include "platform/Windows1252.h"
#include "protocol/ValueConversion.h"

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

    // The bounds of what a name the game gives can hold; a letter on either side of each
    // bound. (UTF-8 of a surrogate is written out by hand: no converter makes it.)
    void plausibleNames_data()
    {
        QTest::addColumn<QByteArray>("utf8");
        QTest::addColumn<bool>("plausible");
        const auto name = [](char32_t cp) { return QString::fromUcs4(&cp, 1).toUtf8(); };
        QTest::newRow("plain") << QByteArray("Tarsis Patrol") << true;
        QTest::newRow("beyond ASCII") << QStringLiteral("Ωmega ☆ Star").toUtf8() << true;
        QTest::newRow("empty") << QByteArray() << true;
        QTest::newRow("a tab") << QByteArray("Sol\tPrime") << false;
        QTest::newRow("U+009F") << name(0x9F) << false;
        QTest::newRow("U+00A0") << QByteArray("a") + name(0xA0) << true;
        QTest::newRow("U+D7FF") << name(0xD7FF) << true;
        QTest::newRow("U+D800") << QByteArray("\xED\xA0\x80") << false;
        QTest::newRow("U+DFFF") << QByteArray("\xED\xBF\xBF") << false;
        QTest::newRow("U+E000") << name(0xE000) << false;
        QTest::newRow("U+F8FF") << name(0xF8FF) << false;
        QTest::newRow("U+F900") << QByteArray("a") + name(0xF900) << true;
        QTest::newRow("U+FDCF") << name(0xFDCF) << true;
        QTest::newRow("U+FDD0") << name(0xFDD0) << false;
        QTest::newRow("U+FFFD") << name(0xFFFD) << false;
        QTest::newRow("U+FFFE") << name(0xFFFE) << false;
        QTest::newRow("U+1FFFE") << name(0x1FFFE) << false;
        QTest::newRow("U+F0000") << name(0xF0000) << false;
        QTest::newRow("over-long") << QByteArray("\xC0\xAF") << false;
        QTest::newRow("cut inside a letter") << QByteArray("ab\xE2\x98") << false;
        // 'Drapra 4A' with the bytes of each UTF-16 unit swapped.
        QTest::newRow("swapped") << QStringLiteral("䐀爀愀瀀爀愀\u2000㐀䄀").toUtf8() << false;
        QTest::newRow("swapped, one letter") << name(0x5400) << false;
        QTest::newRow("one letter with a zero low byte among others")
            << QStringLiteral("Ā Prime").toUtf8() << true;
        QTest::newRow("a letter of two units") << name(0x20000) << true;
    }
    void plausibleNames()
    {
        QFETCH(QByteArray, utf8);
        QFETCH(bool, plausible);
        QCOMPARE(reader::isPlausibleName(std::string_view(utf8.constData(), utf8.size())),
                 plausible);
    }

    // A text as an Access 2000 file keeps it, in UTF-16 or compressed, and what no letter can
    // be, which comes out as U+FFFD (no name holds it).
    void storedText_data()
    {
        QTest::addColumn<QByteArray>("stored");
        QTest::addColumn<QString>("text");
        const QString replacement(QChar::ReplacementCharacter);
        QTest::newRow("UTF-16") << QByteArray("S\0o\0l\0", 6) << QStringLiteral("Sol");
        QTest::newRow("empty") << QByteArray() << QString();
        QTest::newRow("compressed") << QByteArray("\xFF\xFESol 3") << QStringLiteral("Sol 3");
        QTest::newRow("compressed, beyond ASCII")
            << QByteArray("\xFF\xFE\xC6rendel") << QStringLiteral("\u00C6rendel");
        QTest::newRow("compressed, then two bytes a letter, then one")
            << QByteArray("\xFF\xFE\x61\0\xA9\x03\0\x62", 8) << QStringLiteral("a\u03A9b");
        QTest::newRow("the mark alone") << QByteArray("\xFF\xFE") << QString();
        QTest::newRow("a letter of two units")
            << QByteArray("\x40\xD8\x00\xDC", 4) << QString::fromUcs4(U"\U00020000", 1);
        QTest::newRow("a first half at the end")
            << QByteArray("a\0\x3D\xD8", 4) << QStringLiteral("a") + replacement;
        QTest::newRow("a first half before a letter") << QByteArray("\x3D\xD8"
                                                                    "a\0",
                                                                    4)
                                                      << replacement + QStringLiteral("a");
        QTest::newRow("a second half alone") << QByteArray("\x00\xDC"
                                                           "a\0",
                                                           4)
                                             << replacement + QStringLiteral("a");
        QTest::newRow("half a unit") << QByteArray("a\0b", 3) << QStringLiteral("a") + replacement;
        QTest::newRow("compressed, half a unit at the end") << QByteArray("\xFF\xFE"
                                                                          "a\0b",
                                                                          5)
                                                            << QStringLiteral("a") + replacement;
        QTest::newRow("a zero unit")
            << QByteArray("a\0\0\0b\0", 6) << QStringLiteral("a") + QChar(0) + QStringLiteral("b");
    }
    void storedText()
    {
        QFETCH(QByteArray, stored);
        QFETCH(QString, text);
        std::string utf8 = "kept ";
        reader::appendStoredText(std::string_view(stored.constData(), stored.size()), utf8);
        QCOMPARE(QString::fromStdString(utf8), QStringLiteral("kept ") + text);
    }

    void convertsTextAsTheEngineWould_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("identifier"); // empty: not an identifier
        QTest::newRow("digits") << "42"
                                << "42";
        QTest::newRow("blanks and a sign") << " +42 "
                                           << "42";
        QTest::newRow("negative") << "-7"
                                  << "-7";
        QTest::newRow("the largest") << "2147483647"
                                     << "2147483647";
        QTest::newRow("the smallest") << "-2147483648"
                                      << "-2147483648";
        QTest::newRow("past 32 bits") << "2147483648"
                                      << "";
        QTest::newRow("letters") << "4x2"
                                 << "";
        QTest::newRow("a decimal") << "4.5"
                                   << "";
        QTest::newRow("empty") << ""
                               << "";
        QTest::newRow("a sign alone") << "-"
                                      << "";
        QTest::newRow("a blank inside") << "4 2"
                                        << "";
        QTest::newRow("eleven digits") << "00000000042"
                                       << "";
    }
    void convertsTextAsTheEngineWould()
    {
        // A file whose FleetID is a Text field: what the engine would convert is stored as the
        // number; anything else refuses the file.
        QFETCH(QString, text);
        QFETCH(QString, identifier);
        const auto converted = reader::identifierFromText(text.toStdString());
        QCOMPARE(converted ? QString::number(*converted) : QString(), identifier);
    }

    void numbersBecomeIdentifiersAndNames_data()
    {
        QTest::addColumn<double>("number");
        QTest::addColumn<QString>("identifier");
        QTest::addColumn<QString>("name");
        QTest::newRow("whole") << 12.0 << "12"
                               << "12";
        QTest::newRow("a fraction") << 2.5 << ""
                                    << "2.5";
        QTest::newRow("negative") << -3.0 << "-3"
                                  << "-3";
        QTest::newRow("past 32 bits") << 4294967296.0 << ""
                                      << "4294967296";
        QTest::newRow("single precision") << double(2.3f) << ""
                                          << "2.29999995231628";
    }
    void numbersBecomeIdentifiersAndNames()
    {
        QFETCH(double, number);
        QFETCH(QString, identifier);
        QFETCH(QString, name);
        const auto converted = reader::identifierFromNumber(number);
        QCOMPARE(converted ? QString::number(*converted) : QString(), identifier);
        QCOMPARE(QString::fromStdString(reader::textFromNumber(number)), name);
    }
};

QTEST_GUILESS_MAIN(TestNumbers)
#include "tst_numbers.moc"
