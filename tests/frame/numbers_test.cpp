#include "frame/errors.h"
#include "frame/numbers.h"
#include "support/kvelta_test.h"

#include <QLocale>
#include <cmath>
#include <random>
#include <thread>
#include <vector>

namespace kvelta {
namespace {

using test::SeparatorScope;
using test::Str;
using test::WithSeparator;

TEST(FormatFixed, FormatsEveryPrecisionWithTheLocaleSeparator)
{
    struct Case {
        Extended value;
        int decimals;
        const char* text;  // with a point
    };
    const Case cases[] = {
        {6378245.0L, 1, "6378245.0"},       {0.00669342L, 8, "0.00669342"},
        {1.0L / (6 * 206265.0L), 8, "0.00000081"}, {1800, 2, "1800.00"},
        {-2.5L, 0, "-2"},                   {0.5L, 0, "0"},
        {1.5L, 0, "2"},                     {-36.0L, 4, "-36.0000"},
        {123.456789L, 10, "123.4567890000"}, {-0.00001L, 4, "0.0000"},
        {-0.0L, 8, "0.00000000"},          {-0.00004999L, 4, "0.0000"},
        {-0.00005001L, 4, "-0.0001"},      {1e20L, 1, "100000000000000000000.0"},
        {6335552.727352099L, 8, "6335552.72735210"},
    };
    for (QChar separator : test::kSeparators) {
        SeparatorScope scope(separator);
        for (const Case& c : cases)
            EXPECT_EQ(Str(FormatFixed(c.value, c.decimals)), Str(WithSeparator(c.text, separator)))
                << c.text;
    }
}

TEST(FormatFixed, PrintsHugeExtendedValuesInFull)
{
    SeparatorScope scope(QLatin1Char('.'));
    const QString text = FormatFixed(1e400L, 2);
    EXPECT_EQ(text.size(), 401 + 3);
    EXPECT_TRUE(text.startsWith(QStringLiteral("1000")));
}

struct ParseCase {
    const char* text;  // '#' stands for the locale's separator, '~' for the other one
    bool valid;
    long double value;
};

QString Spell(const char* pattern, QChar separator)
{
    QString text = QString::fromUtf8(pattern);
    const QChar other = separator == QLatin1Char(',') ? QLatin1Char('.') : QLatin1Char(',');
    text.replace(QLatin1Char('#'), separator);
    text.replace(QLatin1Char('~'), other);
    return text;
}

TEST(ParseReal, AcceptsThePlatformGrammarAndRejectsTheRest)
{
    const ParseCase cases[] = {
        {"0", true, 0},          {"12", true, 12},         {"-12#5", true, -12.5L},
        {"+3", true, 3},         {" 7 ", true, 7},         {"  -1#25e2  ", true, -125},
        {"#5", true, 0.5L},      {"5#", true, 5},          {"1e400", true, 1e400L},
        {"1E-3", true, 0.001L},  {"1e+2", true, 100},      {"1e-5000", true, 0},
        {"44797#282", true, 44797.282L},
        {"", false, 0},          {" ", false, 0},          {"-", false, 0},
        {"+", false, 0},         {"#", false, 0},          {"1~5", false, 0},
        {"abc", false, 0},       {"inf", false, 0},        {"nan", false, 0},
        {"INF", false, 0},       {"0x10", false, 0},       {"1e5000", false, 0},
        {"1e", false, 0},        {"1e+", false, 0},        {"1 000", false, 0},
        {"--1", false, 0},       {"1#2#3", false, 0},      {"1\t", false, 0},
        {"١", false, 0},         {"e5", false, 0},         {"12a", false, 0},
    };
    for (QChar separator : test::kSeparators) {
        SeparatorScope scope(separator);
        for (const ParseCase& c : cases) {
            const QString text = Spell(c.text, separator);
            if (c.valid) {
                EXPECT_EQ(ParseReal(text), c.value) << Str(text);
            } else {
                try {
                    ParseReal(text);
                    ADD_FAILURE() << "accepted " << Str(text);
                } catch (const ConversionError& e) {
                    EXPECT_EQ(Str(e.text()), Str(QStringLiteral("'%1' is not a valid floating point value").arg(text)));
                }
            }
        }
    }
}

TEST(ParseInteger, AcceptsSignAndDigitsInThe32BitRange)
{
    const ParseCase cases[] = {
        {"0", true, 0},           {"-12", true, -12},        {"+7", true, 7},
        {"2147483647", true, 2147483647}, {"-2147483648", true, -2147483648.0L},
        {"007", true, 7},
        {"2147483648", false, 0}, {"-2147483649", false, 0}, {"12#5", false, 0},
        {"12~5", false, 0},       {"", false, 0},            {"-", false, 0},
        {" 1", false, 0},         {"1 ", false, 0},          {"1e3", false, 0},
        {"0x10", false, 0},       {"$10", false, 0},         {"99999999999999999999999999999999999999", false, 0},
    };
    for (QChar separator : test::kSeparators) {
        SeparatorScope scope(separator);
        for (const ParseCase& c : cases) {
            const QString text = Spell(c.text, separator);
            if (c.valid) {
                EXPECT_EQ(ParseInteger(text), static_cast<int>(c.value)) << Str(text);
            } else {
                try {
                    ParseInteger(text);
                    ADD_FAILURE() << "accepted " << Str(text);
                } catch (const ConversionError& e) {
                    EXPECT_EQ(Str(e.text()), Str(QStringLiteral("'%1' is not a valid integer value").arg(text)));
                }
            }
        }
    }
}

// Generated strings over the alphabet of numbers: each either converts to the value an
// independent reading gives, or raises the conversion error naming the text; nothing else.
TEST(ParseReal, GeneratedStringsConvertOrRaiseTheConversionError)
{
    const QString alphabet = QStringLiteral("0123456789+-eE ,.x ");
    std::mt19937 random(20261208);
    for (QChar separator : test::kSeparators) {
        SeparatorScope scope(separator);
        for (int i = 0; i < 20000; ++i) {
            QString text;
            const int length = static_cast<int>(random() % 12);
            for (int k = 0; k < length; ++k)
                text.append(alphabet[static_cast<int>(random() % alphabet.size())]);
            bool accepted = false;
            Extended value = 0;
            try {
                value = ParseReal(text);
                accepted = true;
            } catch (const ConversionError& e) {
                EXPECT_EQ(e.text(), QStringLiteral("'%1' is not a valid floating point value").arg(text));
            }
            // Reference: Qt's C-locale reading of the trimmed text with a point.
            QString trimmed = text;
            while (trimmed.startsWith(QLatin1Char(' '))) trimmed.remove(0, 1);
            while (trimmed.endsWith(QLatin1Char(' '))) trimmed.chop(1);
            const QChar other = separator == QLatin1Char(',') ? QLatin1Char('.') : QLatin1Char(',');
            bool referenceOk = !trimmed.contains(other) && !trimmed.contains(QLatin1Char(' '))
                               && !trimmed.contains(QLatin1Char('x'));
            trimmed.replace(separator, QLatin1Char('.'));
            double reference = 0;
            if (referenceOk) {
                reference = QLocale::c().toDouble(trimmed, &referenceOk);
                if (!referenceOk) {
                    // Qt rejects out-of-range values and "1." forms that the platform accepts.
                    referenceOk = accepted;
                    reference = static_cast<double>(value);
                }
            }
            EXPECT_EQ(accepted, referenceOk) << Str(text);
            if (accepted && referenceOk && std::isfinite(reference)) {
                EXPECT_EQ(static_cast<double>(value), reference) << Str(text);
            }
        }
    }
}

TEST(CheckedOperations, RaiseThePlatformFaults)
{
    auto message = [](auto&& f) {
        try {
            f();
        } catch (const FloatingPointError& e) {
            return Str(e.text());
        }
        return std::string("no fault");
    };
    EXPECT_EQ(message([] { Divide(1, 0); }), "Floating point division by zero");
    EXPECT_EQ(message([] { Divide(-1, 0); }), "Floating point division by zero");
    EXPECT_EQ(message([] { Divide(0, 0); }), "Invalid floating point operation");
    EXPECT_EQ(message([] { SquareRoot(-1e-30L); }), "Invalid floating point operation");
    EXPECT_EQ(message([] { ToDouble(1e400L); }), "Floating point overflow");
    EXPECT_EQ(message([] { ToDouble(-1e309L); }), "Floating point overflow");
    EXPECT_EQ(message([] { Checked(std::numeric_limits<Extended>::quiet_NaN()); }),
              "Invalid floating point operation");
    EXPECT_EQ(message([] { Checked(Divide(1e4000L, 1e-4000L)); }), "Floating point overflow");
    EXPECT_EQ(ToDouble(1e-400L), 0.0);
    EXPECT_EQ(SquareRoot(4), 2);
    EXPECT_EQ(ErrorBoxText(QStringLiteral("Floating point overflow")), QStringLiteral("Floating point overflow."));
    EXPECT_EQ(ErrorBoxText(QStringLiteral("Done.")), QStringLiteral("Done."));
}

// Threads that each set their own separator read and write with it at the same time, while the
// program's separator, and that of a thread that set none, stay as they were.
TEST(ThreadDecimalSeparator, HoldsForItsThreadOnly)
{
    SeparatorScope program(QLatin1Char('.'));
    std::vector<std::thread> threads;
    std::vector<int> wrong(8, 0);
    for (int t = 0; t < 8; ++t)
        threads.emplace_back([t, &wrong] {
            const QChar own = t % 2 ? QLatin1Char(',') : QLatin1Char('.');
            const QChar other = t % 2 ? QLatin1Char('.') : QLatin1Char(',');
            ThreadDecimalSeparator scope(own);
            for (int i = 0; i < 2000; ++i) {
                const QString text = FormatFixed(i + 0.25L, 2);
                bool good = text == QString::number(i) + own + QStringLiteral("25") && ParseReal(text) == i + 0.25L
                            && PrintedDecimals(text) == 2;
                try {
                    ParseReal(QStringLiteral("1") + other + QStringLiteral("5"));
                    good = false;
                } catch (const ConversionError&) {
                }
                wrong[static_cast<std::size_t>(t)] += !good;
            }
        });
    for (std::thread& thread : threads)
        thread.join();
    EXPECT_EQ(wrong, std::vector<int>(8, 0));
    EXPECT_EQ(DecimalSeparator(), QLatin1Char('.'));
    {
        ThreadDecimalSeparator outer(QLatin1Char(','));
        {
            ThreadDecimalSeparator inner(QLatin1Char('.'));
            EXPECT_EQ(Str(FormatFixed(1.5L, 1)), "1.5");
        }
        EXPECT_EQ(Str(FormatFixed(1.5L, 1)), "1,5");
    }
    EXPECT_EQ(Str(FormatFixed(1.5L, 1)), "1.5");
}

}  // namespace
}  // namespace kvelta
