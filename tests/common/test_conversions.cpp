// The conversions fix how every amount is rounded and written; they are checked to the cent,
// for both signs, on the binary cases that trip naive rounding.

#include "common/CN_CommonDateFunctions.h"
#include "common/CN_CommonErrorFunctions.h"
#include "common/CN_CommonFunctions.h"
#include "common/CN_CommonMathFunctions.h"
#include "support/DesktopLocale.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace Qt::StringLiterals;
using namespace tvr;

namespace
{

struct AmountCase {
    double value;
    const char *two;  // FormatAmount2
    const char *zero; // FormatAmount0
};

class AmountFormatting : public testing::TestWithParam<AmountCase>
{
};

TEST_P(AmountFormatting, RoundsHalfUpToTheCent)
{
    const AmountCase c = GetParam();
    EXPECT_EQ(FormatAmount2(c.value), QString::fromLatin1(c.two)) << c.value;
    EXPECT_EQ(FormatAmount0(c.value), QString::fromLatin1(c.zero)) << c.value;
}

INSTANTIATE_TEST_SUITE_P(
    BothSigns, AmountFormatting,
    testing::Values(AmountCase{12.3, "12.30", "12"}, AmountCase{0.005, "0.01", "0"}, AmountCase{2.5, "2.50", "2"},
                    AmountCase{3.5, "3.50", "4"}, AmountCase{2.51, "2.51", "3"}, AmountCase{0.0, "0.00", "0"},
                    // binary cases: the division by 0.01 decides
                    AmountCase{1.005, "1.00", "1"}, AmountCase{2.675, "2.68", "3"}, AmountCase{1.115, "1.12", "1"},
                    AmountCase{1234567.891, "1234567.89", "1234568"},
                    // negatives: exact values stay exact, an exact half goes toward zero
                    AmountCase{-1000.0, "-1000.00", "-1000"}, AmountCase{-12.34, "-12.34", "-12"},
                    AmountCase{-0.005, "0.00", "0"}, AmountCase{-2.5, "-2.50", "-2"}, AmountCase{-3.5, "-3.50", "-4"},
                    AmountCase{-2.675, "-2.67", "-3"}, AmountCase{-0.01, "-0.01", "0"},
                    AmountCase{-1234567.891, "-1234567.89", "-1234568"}));

TEST(Rounding, NegativeExactAmountsKeepTheirCents)
{
    for (int cents = -100000; cents <= 0; cents += 7) {
        const double value = cents / 100.0;
        EXPECT_EQ(FormatAmount2(value).toDouble(), value) << cents;
    }
}

TEST(FormatDecimals, TiesGoToTheEvenDigitWithoutEarlierRounding)
{
    EXPECT_EQ(FormatDecimals(0.125, 2), u"0.12"_s); // exact half: even
    EXPECT_EQ(FormatDecimals(0.375, 2), u"0.38"_s);
    EXPECT_EQ(FormatDecimals(2.675, 2), u"2.67"_s); // 267.49999... in binary
    EXPECT_EQ(FormatDecimals(1.5, 0), u"2"_s);
    EXPECT_EQ(FormatDecimals(-0.5, 0), u"0"_s);
    EXPECT_EQ(FormatDecimals(-1.25, 1), u"-1.2"_s);
    EXPECT_EQ(FormatDecimals(7.0, 3), u"7.000"_s);
    EXPECT_EQ(FormatDecimals(0.05, 1), u"0.1"_s);
    EXPECT_EQ(FormatDecimals(-0.001, 2), u"0.00"_s);
}

struct DecimalsCase {
    double value;
    int decimals;
    const char *text;
};

class DecimalExpansion : public testing::TestWithParam<DecimalsCase>
{
};

// The stored 20- and 4-decimal front prices and areas are the value's decimal expansion,
// rounded once at the last decimal, an exact half to the even digit.
TEST_P(DecimalExpansion, IsCorrectlyRoundedAtTheLastDecimal)
{
    const DecimalsCase c = GetParam();
    EXPECT_EQ(FormatDecimals(c.value, c.decimals), QString::fromLatin1(c.text)) << c.value << " / " << c.decimals;
    test::ScopedDesktopLocale hungarian;
    ASSERT_TRUE(hungarian.ok());
    EXPECT_EQ(FormatDecimals(c.value, c.decimals), QString::fromLatin1(c.text))
        << "under " << setlocale(LC_ALL, nullptr);
}

INSTANTIATE_TEST_SUITE_P(
    ExactValuesAndTies, DecimalExpansion,
    testing::Values(DecimalsCase{7620, 0, "7620"}, DecimalsCase{7620, 3, "7620.000"},
                    DecimalsCase{7620, 4, "7620.0000"}, DecimalsCase{7620, 20, "7620.00000000000000000000"},
                    DecimalsCase{0.5, 0, "0"}, DecimalsCase{0.5, 3, "0.500"}, DecimalsCase{0.5, 4, "0.5000"},
                    DecimalsCase{0.5, 20, "0.50000000000000000000"}, DecimalsCase{30480, 0, "30480"},
                    DecimalsCase{30480, 3, "30480.000"}, DecimalsCase{30480, 4, "30480.0000"},
                    DecimalsCase{30480, 20, "30480.00000000000000000000"},
                    // exact halves go to the even digit
                    DecimalsCase{0.5625, 3, "0.562"}, DecimalsCase{0.0625, 3, "0.062"}, DecimalsCase{2.5, 0, "2"},
                    DecimalsCase{3.5, 0, "4"}, DecimalsCase{0.5625, 4, "0.5625"},
                    // not exactly representable: the binary value decides, 0.1 is a little above
                    DecimalsCase{0.1, 20, "0.10000000000000000555"}, DecimalsCase{2.675, 2, "2.67"},
                    DecimalsCase{0.3, 4, "0.3000"}, DecimalsCase{1.0 / 3.0, 20, "0.33333333333333331483"},
                    DecimalsCase{-7620.25, 1, "-7620.2"}, DecimalsCase{1e22, 2, "10000000000000000000000.00"}));

TEST(FiniteAmounts, InfinityAndNanAreNeverWritten)
{
    for (const double bad : {std::numeric_limits<double>::infinity(), -std::numeric_limits<double>::infinity(),
                             std::numeric_limits<double>::quiet_NaN(), 1.0 / std::sqrt(0.0)}) {
        EXPECT_THROW(FormatAmount2(bad), ConversionError) << bad;
        EXPECT_THROW(FormatAmount0(bad), ConversionError) << bad;
        EXPECT_THROW(FormatDecimals(bad, 4), ConversionError) << bad;
        EXPECT_THROW(CurrencyText(bad), ConversionError) << bad;
    }
    // The action that met one stops with a message, before anything is stored.
    std::vector<QString> shown;
    const auto previous = SetErrorReporter([&](const QString &m, const QString &) { shown.push_back(m); });
    bool stored = false;
    EXPECT_FALSE(runAction([&] {
        FormatAmount2(1200.0 / std::sqrt(0.0));
        stored = true;
    }));
    SetErrorReporter(previous);
    EXPECT_FALSE(stored);
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_TRUE(shown[0].contains(u"nem írható le"_s)) << shown[0].toStdString();
}

TEST(HungarianDesktop, NumbersIgnoreTheDecimalComma)
{
    test::ScopedDesktopLocale hungarian;
    ASSERT_TRUE(hungarian.ok()) << "the set-up script generates " << test::HungarianLocaleName();
    ASSERT_EQ(test::ScopedDesktopLocale::decimalPoint(), QByteArray(","));
    EXPECT_EQ(ParseAmount(u"12.5"_s), 12.5);
    EXPECT_EQ(ParseAmount(u"12,5"_s), 12.5);
    EXPECT_EQ(ParseAmount(u"-0.75"_s), -0.75);
    EXPECT_EQ(ParseAmount(u"+3.25"_s), 3.25);
    EXPECT_EQ(ParseAmount(u"1e3"_s), 1000.0);
    // A stored amount reads back as the value it was written from.
    for (const double value : {12.3, 0.01, 1234567.89, -45.5, 7620.0}) {
        EXPECT_EQ(ParseAmount(FormatAmount2(value)), value) << value;
        EXPECT_EQ(FormatAmount2(ParseAmount(FormatAmount2(value))), FormatAmount2(value));
    }
    EXPECT_EQ(FormatAmount2(12.3), u"12.30"_s);
    EXPECT_EQ(FormatDecimals(0.0625, 3), u"0.062"_s);
    EXPECT_EQ(FormatDecimals(0.000125, 4), u"0.0001"_s);
    EXPECT_EQ(FormatDecimals(0.00015, 4), u"0.0001"_s); // a little below the half in binary
    EXPECT_EQ(FormatDecimals(1.5e-20, 20), u"0.00000000000000000002"_s);
    EXPECT_EQ(CurrencyText(12345.6), u"12\u00A0346 Ft"_s);
    for (const QString &text : {u"12,5,1"_s, u"1.000,50"_s, u""_s})
        EXPECT_THROW(ParseAmount(text), ConversionError) << text.toStdString();
}

TEST(ParseAmount, ReadsPointOrComma)
{
    EXPECT_EQ(ParseAmount(u"12.5"_s), ParseAmount(u"12,5"_s));
    EXPECT_EQ(ParseAmount(u"12,5"_s), 12.5);
    EXPECT_EQ(ParseAmount(u"-0.75"_s), -0.75);
    EXPECT_EQ(ParseAmount(u"1200"_s), 1200.0);
    EXPECT_EQ(ParseAmount(u" 3,25 "_s), 3.25);
}

TEST(ParseAmount, NonNumberRaisesConversionErrorNamingTheText)
{
    for (const QString &text :
         {u""_s, u"abc"_s, u"12,5,1"_s, u"1.000,50"_s, u"12 Ft"_s, u"nan"_s, u"inf"_s, u"1e999"_s}) {
        try {
            ParseAmount(text);
            ADD_FAILURE() << "no error for " << text.toStdString();
        } catch (const ConversionError &e) {
            EXPECT_TRUE(e.message().contains(u"„"_s + text + u"”"_s)) << e.message().toStdString();
            EXPECT_TRUE(e.message().contains(u"nem érvényes szám"_s));
        }
    }
}

TEST(ParseInt, IntegerOrMinusOne)
{
    EXPECT_EQ(ParseInt(u"42"_s), 42);
    EXPECT_EQ(ParseInt(u"-7"_s), -7);
    EXPECT_EQ(ParseInt(u"12a"_s), -1);
    EXPECT_EQ(ParseInt(u""_s), -1);
    EXPECT_EQ(ParseInt(u"1.5"_s), -1);
    EXPECT_EQ(ParseInt(u" 4"_s), -1);
}

TEST(Texts, FirstSeparatorReplacementsAndEscapes)
{
    EXPECT_EQ(PointToComma(u"1.2.3"_s), u"1,2.3"_s);
    EXPECT_EQ(CommaToPoint(u"1,2,3"_s), u"1.2,3"_s);
    EXPECT_EQ(EscapeDoubleQuotes(u"a\"b\"\""_s), u"a\"\"b\"\"\"\""_s);
    EXPECT_EQ(EscapeAmpersands(u"Kis & Nagy&"_s), u"Kis && Nagy&&"_s);
    EXPECT_EQ(RemoveSpaces(u" 12\u00A0345 Ft "_s), u"12345Ft"_s);
}

TEST(PasswordHash, UpperCaseMd5OfWindows1250Bytes)
{
    EXPECT_EQ(PasswordHash(u""_s), u"D41D8CD98F00B204E9800998ECF8427E"_s);
    EXPECT_EQ(PasswordHash(u"abc"_s), u"900150983CD24FB0D6963F7D28E17F72"_s);
    // "ő" is one byte (0xF5) in Windows-1250: MD5 of the single byte, not of its UTF-8 pair.
    EXPECT_NE(PasswordHash(u"ő"_s), PasswordHash(u"o"_s));
    EXPECT_EQ(
        PasswordHash(u"ő"_s),
        QString::fromLatin1(QCryptographicHash::hash(QByteArray("\xF5"), QCryptographicHash::Md5).toHex().toUpper()));
}

TEST(CurrencyText, HungarianGroupingWithForintSymbol)
{
    const QString nb = QString(QChar(0x00A0));
    EXPECT_EQ(CurrencyText(12345.0), u"12"_s + nb + u"345 Ft"_s);
    EXPECT_EQ(CurrencyText(0.0), u"0 Ft"_s);
    EXPECT_EQ(CurrencyText(999.5), u"1"_s + nb + u"000 Ft"_s);
    EXPECT_EQ(CurrencyText(1234567.4), u"1"_s + nb + u"234"_s + nb + u"567 Ft"_s);
    EXPECT_EQ(CurrencyText(-12345.6), u"-12"_s + nb + u"346 Ft"_s);
    EXPECT_EQ(RemoveSpaces(CurrencyText(2.675)), u"3Ft"_s);
}

TEST(DateTexts, FollowTheClock)
{
    SetClock([] { return QDateTime(QDate(2023, 6, 6), QTime(7, 5)); });
    EXPECT_EQ(TodayText(), u"2023.06.06."_s);
    EXPECT_EQ(NowText(), u"2023.06.06. 07:05"_s);
    SetClock({});
    EXPECT_EQ(TodayText(), QDate::currentDate().toString(u"yyyy.MM.dd."_s));
}

TEST(Files, CopyOverwritesAndReportsAMissingSource)
{
    QTemporaryDir dir;
    const QString a = dir.filePath(u"a.bin"_s), b = dir.filePath(u"b.bin"_s);
    QFile fa(a);
    ASSERT_TRUE(fa.open(QIODevice::WriteOnly));
    fa.write(QByteArray(200000, '\x7f') + QByteArray("\0end", 4));
    fa.close();
    QFile fb(b);
    ASSERT_TRUE(fb.open(QIODevice::WriteOnly));
    fb.write(QByteArray(500000, 'x'));
    fb.close();
    fb.setPermissions(QFileDevice::ReadOwner);
    CopyFileTo(a, b);
    ASSERT_TRUE(fb.open(QIODevice::ReadOnly));
    ASSERT_TRUE(fa.open(QIODevice::ReadOnly));
    EXPECT_EQ(fb.readAll(), fa.readAll());
    EXPECT_THROW(CopyFileTo(dir.filePath(u"nincs.bin"_s), b), FileError);
}

TEST(Files, DeleteFilesInClearsReadOnlyFilesAndSubfolders)
{
    QTemporaryDir dir;
    QDir root(dir.path());
    root.mkpath(u"al/mely"_s);
    for (const QString &name : {u"a.tmp"_s, u"b.txt"_s, u"al/c.tmp"_s, u"al/mely/d.tmp"_s}) {
        QFile f(root.filePath(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("x");
        f.close();
        f.setPermissions(QFileDevice::ReadOwner);
    }
    DeleteFilesIn(dir.path(), u"*.tmp"_s, false);
    EXPECT_FALSE(root.exists(u"a.tmp"_s));
    EXPECT_TRUE(root.exists(u"b.txt"_s));
    EXPECT_TRUE(root.exists(u"al/c.tmp"_s));
    DeleteFilesIn(dir.path(), u"*"_s, true);
    EXPECT_TRUE(root.entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden).isEmpty());
}

TEST(RunAction, EndsTheActionWithItsMessage)
{
    std::vector<std::pair<QString, QString>> shown;
    const auto previous = SetErrorReporter([&](const QString &m, const QString &d) { shown.emplace_back(m, d); });
    EXPECT_TRUE(runAction([] {}));
    bool after = false;
    EXPECT_FALSE(runAction([&] {
        ParseAmount(u"x"_s);
        after = true;
    }));
    EXPECT_FALSE(after);
    EXPECT_FALSE(runAction([] { throw FatalError(FatalErrorMessage()); }));
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].first, u"„x” nem érvényes szám!"_s);
    SetErrorReporter(previous);
}

} // namespace
