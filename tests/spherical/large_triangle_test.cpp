#include "spherical/exercises.h"
#include "spherical/large_triangle.h"

#include "frame/errors.h"
#include "support/kvelta_test.h"

#include <QRegularExpression>
#include <map>
#include <vector>

namespace kvelta {
namespace {

using test::kSeparators;
using test::SeparatorScope;
using test::Str;

// The reading order of the 22 fields, then b.
const char* const kReadingOrder[] = {"Edit3",  "Edit4",  "Edit5",  "Edit6",  "Edit7",  "Edit8",  "Edit9",  "Edit10",
                                     "Edit11", "Edit12", "Edit13", "Edit14", "Edit15", "Edit16", "Edit17", "Edit18",
                                     "Edit19", "Edit20", "Edit22", "Edit23", "Edit24", "Edit21"};

// Field texts by edit name, numbers written with a point (a text starting with '=' is typed as it
// stands); every edit defaults to "0" and b to the window's default side.
using Texts = std::map<QString, QString>;

// A number written with a point, as typed with `separator`.
QString Local(QString text, QChar separator)
{
    static const QRegularExpression point(QStringLiteral("(\\d)\\.(\\d)"));
    return text.replace(point, QStringLiteral("\\1") + separator + QStringLiteral("\\2"));
}

Texts Angle(const char* first, double d, double m, double s)
{
    const int n = QString::fromLatin1(first).mid(4).toInt();
    return {{QStringLiteral("Edit%1").arg(n), QString::number(d, 'g', 17)},
            {QStringLiteral("Edit%1").arg(n + 1), QString::number(m, 'g', 17)},
            {QStringLiteral("Edit%1").arg(n + 2), QString::number(s, 'g', 17)}};
}

Texts Merge(std::initializer_list<Texts> parts)
{
    Texts all;
    for (const Texts& part : parts)
        for (const auto& [name, text] : part)
            all[name] = text;
    return all;
}

const Texts kExample = Merge({Angle("Edit3", 50, 7, 0), Angle("Edit6", 60, 8, 0), Angle("Edit9", 70, 7, 43),
                              Angle("Edit22", 44, 30, 0), Angle("Edit12", 50, 0, 0), Angle("Edit15", 48, 0, 0),
                              Angle("Edit18", 47, 30, 0), {{QStringLiteral("Edit21"), QStringLiteral("804666.593")}}});

// The fields as typed: numbers with the separator, a text starting with '=' as it stands.
EditTexts Typed(const Texts& texts, QChar separator)
{
    TypedTexts typed;
    for (const auto& [name, text] : texts)
        typed.emplace_back(name, text.startsWith(QLatin1Char('=')) ? text.mid(1) : Local(text, separator));
    return EditTexts(LargeTriangleExercise(), typed);
}

// The eight tables as a new window holds them, and the error of the last press.
struct Triangle {
    // One press of "Вычислить".
    void press(const Texts& texts, QChar separator)
    {
        error = ErrorOf([&] { LargeTriangleExercise().compute(Typed(texts, separator), pages.set()); }).value_or(QString());
    }
    const ResultTable& page(int number) const { return pages[static_cast<std::size_t>(number - 1)]; }
    ExerciseTables pages{LargeTriangleExercise()};
    QString error;
};

struct Cell {
    int page, column, row;
    const char* text;  // numbers with a point
};

// Every cell of every page: the listed values, the labels elsewhere, and nothing else.
void ExpectPages(const Triangle& t, const std::vector<Cell>& values, QChar separator, const char* what)
{
    Triangle fresh;
    for (const Cell& v : values)
        fresh.pages[static_cast<std::size_t>(v.page - 1)].setValue(v.column, v.row,
                                                                  Local(QString::fromUtf8(v.text), separator));
    for (int p = 1; p <= LargeTrianglePageCount; ++p) {
        const ResultTable& got = t.page(p);
        const ResultTable& want = fresh.page(p);
        for (int r = 0; r < want.rowCount(); ++r)
            for (int c = 0; c < want.columnCount(); ++c)
                EXPECT_EQ(Str(got.cell(c, r)), Str(want.cell(c, r)))
                    << what << ", separator '" << Str(QString(separator)) << "', page " << p << " cell (" << c
                    << "," << r << ")";
    }
}

// One column of values from `firstRow` down.
void AddColumn(std::vector<Cell>& cells, int page, int column, int firstRow, const std::vector<const char*>& texts)
{
    for (std::size_t i = 0; i < texts.size(); ++i)
        cells.push_back({page, column, firstRow + static_cast<int>(i), texts[i]});
}

std::vector<Cell> ExampleCells()
{
    std::vector<Cell> c;
    AddColumn(c, 1, 1, 1,
              {"6378245", "6335553", "44° 30` 0.0000\"", "50° 0` 0.0000\"", "48° 0` 0.0000\"", "47° 30` 0.0000\"",
               "0.00167", "0.00837", "0.70091", "0.76604", "0.74314", "0.73728", "0.49127", "0.58682", "0.55226",
               "0.54358", "0.00082", "0.00098", "0.00092", "0.00091", "0.00411", "0.00491", "0.00462", "0.00455",
               "1.00082", "1.00098", "1.00092", "1.00091", "0.99589", "0.99509"});
    AddColumn(c, 1, 3, 1,
              {"0.99538", "0.99545", "6366932", "6373065", "6370845", "6370288", "0.00502", "0.00247", "0.00295",
               "0.00277", "0.00273", "0.99918", "0.99902", "0.99908", "0.99909", "0.99753", "0.99705", "0.99723",
               "0.99727", "6388758", "6390808", "6390066", "6389880", "59.074 \"", "0.00070", "-0.00058",
               "-0.00012", "0.042", "-0.034", "-0.007"});
    c.insert(c.end(), {{2, 1, 1, "50° 6` 59.9585\""}, {2, 1, 2, "60° 8` 0.0343\""}, {2, 3, 1, "70° 7` 43.0069\""}});

    AddColumn(c, 3, 1, 1, {"0.002534", "647488.33", "0.76735171", "0.94045798", "0.72166204"});
    AddColumn(c, 3, 3, 1, {"467267.746", "0.86718661", "", "1365.202 \"", "0° 22` 45.2024\""});

    AddColumn(c, 4, 1, 1,
              {"60° 8` 0.0343\"", "50° 6` 59.9585\"", "70° 7` 43.0069\"", "180° 22` 42.9997\"", "0° 22` 45.2024\"",
               "0° 0` -2.2027\""});
    AddColumn(c, 4, 2, 1, {"0.734", "0.734", "0.734"});
    AddColumn(c, 4, 3, 1, {"60° 8` 0.7686\"", "50° 7` 0.6927\"", "70° 7` 43.7411\"", "180° 22` 45.2024\""});
    AddColumn(c, 4, 1, 8, {"0° -7` -35.0675\"", "0° -7` -35.0675\"", "0° -7` -35.0675\""});
    AddColumn(c, 4, 2, 8, {"60° 0` 25.7011\"", "49° 59` 25.6252\"", "70° 0` 8.6737\"", "180° 0` 0.0000\""});
    AddColumn(c, 4, 3, 8, {"0.86608770", "0.76593731", "0.93970700"});
    AddColumn(c, 4, 4, 8, {"804666.593", "711618.658", "873064.972"});

    AddColumn(c, 5, 1, 1,
              {"0.032329551", "6° 23` 26.3115\"", "7° 13` 34.5095\"", "7° 50` 25.7983\"", "21° 27` 26.6193\"",
               "10° 43` 43.3097\"", "5° 21` 51.6548\"", "2° 10` 8.4991\""});
    AddColumn(c, 5, 3, 1,
              {"1° 45` 4.4001\"", "1° 26` 38.7557\"", "0.093900073", "0.037874767", "0.030574115", "0.025209617",
               "0.000002741", "0.001655648", "0° 5` 41.5016\"", "0° 22` 46.0065\""});

    AddColumn(c, 6, 1, 1,
              {"506401.114", "647488.326", "762242.445", "40705373.3", "122116120.0", "1409730.8", "1012802.23",
               "1153889.44"});
    AddColumn(c, 6, 3, 1,
              {"1524484.89", "1268643.56", "1294976.65", "22.7668\"", "0.074", "-0.005", "-0.069", ""});

    AddColumn(c, 7, 1, 1, {"49° 59` 24.5490\"", "60° 0` 24.7037\"", "70° 0` 7.7405\""});

    AddColumn(c, 8, 1, 1, {"60° 0` 24.7037\"", "49° 59` 24.5490\"", "70° 0` 7.7405\"", "179° 59` 56.9932\""});
    AddColumn(c, 8, 2, 1, {"0.86608528", "0.76593396", "0.93970546"});
    AddColumn(c, 8, 3, 1, {"804666.593", "711617.527", "873065.971"});
    return c;
}

// A new window's pages 1 and 2 and the start of page 3 with every field at its default.
std::vector<Cell> DefaultCells()
{
    std::vector<Cell> c;
    const char* zeroAngle = "0° 0` 0.0000\"";
    AddColumn(c, 1, 1, 1, {"6378245", "6335553", zeroAngle, zeroAngle, zeroAngle, zeroAngle, "0.00167", "0.00837"});
    for (int row = 9; row <= 24; ++row)
        c.push_back({1, 1, row, "0.00000"});
    for (int row = 25; row <= 30; ++row)
        c.push_back({1, 1, row, "1.00000"});
    AddColumn(c, 1, 3, 1, {"1.00000", "1.00000", "6335553", "6335553", "6335553", "6335553", "0.00502"});
    for (int row = 8; row <= 11; ++row)
        c.push_back({1, 3, row, "0.00000"});
    for (int row = 12; row <= 19; ++row)
        c.push_back({1, 3, row, "1.00000"});
    AddColumn(c, 1, 3, 20,
              {"6378245", "6378245", "6378245", "6378245", "59.074 \"", "0.00000", "0.00000", "0.00000", "0.000",
               "0.000", "0.000"});
    c.insert(c.end(), {{2, 1, 1, zeroAngle}, {2, 1, 2, zeroAngle}, {2, 3, 1, zeroAngle}});
    AddColumn(c, 3, 1, 1, {"0.002552", "647488.33", "0.00000000", "0.00000000", "0.00000000"});
    AddColumn(c, 3, 3, 1, {"0.000", "0.00000000", ""});
    return c;
}

TEST(LargeTriangle, WorkedExampleOnAllEightPages)
{
    for (QChar separator : kSeparators) {
        SeparatorScope scope(separator);
        Triangle t;
        t.press(kExample, separator);
        EXPECT_EQ(Str(t.error), "");
        ExpectPages(t, ExampleCells(), separator, "example");
        // A second press with the same inputs gives the same tables.
        t.press(kExample, separator);
        ExpectPages(t, ExampleCells(), separator, "example pressed twice");
    }
}

TEST(LargeTriangle, DefaultsStopAtTheExcessFromTheAngles)
{
    for (QChar separator : kSeparators) {
        SeparatorScope scope(separator);
        Triangle t;
        t.press({}, separator);
        EXPECT_EQ(Str(t.error), "Invalid floating point operation");
        ExpectPages(t, DefaultCells(), separator, "defaults in a new window");

        // After a complete run, the cells the faulted run did not reach are emptied.
        Triangle used;
        used.press(kExample, separator);
        used.press({}, separator);
        EXPECT_EQ(Str(used.error), "Invalid floating point operation");
        ExpectPages(used, DefaultCells(), separator, "defaults after the example");
    }
}

TEST(LargeTriangle, FaultsWhereTheSineOfBVanishes)
{
    for (QChar separator : kSeparators) {
        SeparatorScope scope(separator);
        Triangle t;
        Texts texts = kExample;
        for (const char* edit : {"Edit6", "Edit7", "Edit8"})
            texts[QString::fromLatin1(edit)] = QStringLiteral("0");
        t.press(texts, separator);
        EXPECT_EQ(Str(t.error), "Floating point division by zero");
        EXPECT_EQ(Str(t.page(3).cell(3, 2)), "0" + Str(QString(separator)) + "00000000");
        EXPECT_EQ(Str(t.page(3).cell(3, 3)), "");
        EXPECT_EQ(Str(t.page(3).cell(3, 4)), "");  // E" not reached
        EXPECT_EQ(Str(t.page(4).cell(1, 1)), "");
    }
}

// Sides longer than a half circle (here three arcs of about 200°) turn tg(p/2) negative, and
// the root of T is an invalid operation.
TEST(LargeTriangle, NegativeProductUnderTheRootIsAnInvalidOperation)
{
    SeparatorScope scope(QLatin1Char(','));
    Triangle t;
    Texts texts = Merge({kExample, Angle("Edit3", 60, 0, 0), Angle("Edit6", 60, 0, 0), Angle("Edit9", 60, 0, 0),
                         {{QStringLiteral("Edit21"), QStringLiteral("22270748")}}});
    t.press(texts, QLatin1Char(','));
    EXPECT_TRUE(t.page(5).cell(3, 3).startsWith(QLatin1Char('-'))) << Str(t.page(5).cell(3, 3));
    EXPECT_EQ(Str(t.error), "Invalid floating point operation");
    EXPECT_TRUE(t.page(5).cell(3, 7).startsWith(QLatin1Char('-'))) << Str(t.page(5).cell(3, 7));
    EXPECT_EQ(Str(t.page(5).cell(3, 8)), "");
    EXPECT_EQ(Str(t.page(6).cell(1, 1)), "");
}

TEST(LargeTriangle, EqualLatitudesLeaveTheAnglesUnreduced)
{
    for (QChar separator : kSeparators) {
        SeparatorScope scope(separator);
        Triangle t;
        t.press(Merge({kExample, Angle("Edit22", 47, 30, 0), Angle("Edit12", 47, 30, 0), Angle("Edit15", 47, 30, 0)}),
                separator);
        EXPECT_EQ(Str(t.error), "");
        for (int row = 25; row <= 27; ++row)
            EXPECT_EQ(Str(t.page(1).cell(3, row)), Str(Local(QStringLiteral("0.00000"), separator)));
        for (int row = 28; row <= 30; ++row)
            EXPECT_EQ(Str(t.page(1).cell(3, row)), Str(Local(QStringLiteral("0.000"), separator)));
        EXPECT_EQ(Str(t.page(2).cell(1, 1)), Str(Local(QStringLiteral("50° 7` 0.0000\""), separator)));
        EXPECT_EQ(Str(t.page(2).cell(1, 2)), Str(Local(QStringLiteral("60° 8` 0.0000\""), separator)));
        EXPECT_EQ(Str(t.page(2).cell(3, 1)), Str(Local(QStringLiteral("70° 7` 43.0000\""), separator)));
    }
}

// South of the equator only the sines change sign; radii and corrections are those of the north.
TEST(LargeTriangle, SouthernLatitudesMirrorTheNorthern)
{
    for (QChar separator : kSeparators) {
        SeparatorScope scope(separator);
        Triangle north, south;
        north.press(kExample, separator);
        south.press(Merge({kExample, Angle("Edit22", -44, -30, 0), Angle("Edit12", -50, 0, 0),
                           Angle("Edit15", -48, 0, 0), Angle("Edit18", -47, -30, 0)}),
                    separator);
        EXPECT_EQ(Str(south.error), "");
        for (int p = 1; p <= LargeTrianglePageCount; ++p)
            for (int r = 0; r < north.page(p).rowCount(); ++r)
                for (int c = 0; c < north.page(p).columnCount(); ++c) {
                    const QString n = north.page(p).cell(c, r);
                    const bool mirrored = p == 1 && c == 1 && ((r >= 3 && r <= 6) || (r >= 9 && r <= 12));
                    if (!mirrored) {
                        EXPECT_EQ(Str(south.page(p).cell(c, r)), Str(n)) << "page " << p << " (" << c << "," << r << ")";
                    } else if (r <= 6) {  // latitude texts: every non-zero part negative
                        EXPECT_TRUE(south.page(p).cell(c, r).startsWith(QLatin1Char('-'))) << r;
                    } else {
                        EXPECT_EQ(Str(south.page(p).cell(c, r)), "-" + Str(n)) << r;
                    }
                }
    }
}

TEST(LargeTriangle, MisclosureSignsTheCorrection)
{
    for (QChar separator : kSeparators) {
        SeparatorScope scope(separator);
        // The example closes with W = -2.2027": the corrections are positive. Ten seconds more on C
        // turn W positive and the corrections negative; the adjusted angles still sum to 180° + E.
        Triangle t;
        t.press(Merge({kExample, Angle("Edit9", 70, 7, 53)}), separator);
        EXPECT_EQ(Str(t.error), "");
        // W grows by 10" less the growth of the excess with sin C (about 0.024").
        EXPECT_EQ(Str(t.page(3).cell(3, 5)), Str(Local(QStringLiteral("0° 22` 45.2263\""), separator)));
        EXPECT_EQ(Str(t.page(4).cell(1, 6)), Str(Local(QStringLiteral("0° 0` 7.7734\""), separator)));
        for (int row = 1; row <= 3; ++row)
            EXPECT_EQ(Str(t.page(4).cell(2, row)), Str(Local(QStringLiteral("-2.591"), separator)));
        EXPECT_EQ(Str(t.page(4).cell(3, 4)), Str(Local(QStringLiteral("180° 22` 45.2263\""), separator)));
    }
}

TEST(LargeTriangle, SideOfZeroAndNegativeSide)
{
    for (QChar separator : kSeparators) {
        SeparatorScope scope(separator);
        Triangle zero;
        zero.press(Merge({kExample, {{QStringLiteral("Edit21"), QStringLiteral("0")}}}), separator);
        EXPECT_EQ(Str(zero.error), "");
        const QString zeroAngle = QStringLiteral("0° 0` 0.0000\"");
        EXPECT_EQ(Str(zero.page(3).cell(3, 5)), Str(Local(zeroAngle, separator)));
        EXPECT_EQ(Str(zero.page(5).cell(3, 10)), Str(Local(zeroAngle, separator)));
        EXPECT_EQ(Str(zero.page(4).cell(4, 9)), Str(Local(QStringLiteral("0.000"), separator)));
        EXPECT_EQ(Str(zero.page(6).cell(3, 5)), Str(Local(QStringLiteral("0.000"), separator)));
        // Refined angles are the spherical ones.
        EXPECT_EQ(Str(zero.page(7).cell(1, 1)), Str(zero.page(2).cell(1, 1)));
        EXPECT_EQ(Str(zero.page(7).cell(1, 2)), Str(zero.page(2).cell(1, 2)));
        EXPECT_EQ(Str(zero.page(7).cell(1, 3)), Str(zero.page(2).cell(3, 1)));

        Triangle positive, negative;
        positive.press(kExample, separator);
        negative.press(Merge({kExample, {{QStringLiteral("Edit21"), QStringLiteral("-804666.593")}}}), separator);
        EXPECT_EQ(Str(negative.error), "");
        EXPECT_EQ(Str(negative.page(4).cell(4, 9)), Str(Local(QStringLiteral("-711618.658"), separator)));
        EXPECT_EQ(Str(negative.page(5).cell(3, 4)), Str(Local(QStringLiteral("-0.037874767"), separator)));
        for (int row = 7; row <= 10; ++row)  // T, √T, E/4, E
            EXPECT_EQ(Str(negative.page(5).cell(3, row)), Str(positive.page(5).cell(3, row))) << row;
    }
}

// The first bad field in the reading order is named, and no table changes.
TEST(LargeTriangle, ConversionErrorsLeaveEveryTableUntouched)
{
    for (QChar separator : kSeparators) {
        SeparatorScope scope(separator);
        Triangle t;
        t.press(kExample, separator);
        const Triangle before = t;
        const QString otherSeparator = separator == QLatin1Char(',') ? QStringLiteral("1.5") : QStringLiteral("1,5");
        const int fields = static_cast<int>(std::size(kReadingOrder));
        for (int first = 0; first < fields; ++first) {
            Texts texts = kExample;
            for (int i = first; i < fields; ++i)  // every later field bad as well, with its own text
                texts[QString::fromLatin1(kReadingOrder[i])] = QStringLiteral("x%1").arg(i);
            t.press(texts, separator);
            EXPECT_EQ(Str(t.error), "'x" + std::to_string(first) + "' is not a valid floating point value");
            for (int p = 1; p <= LargeTrianglePageCount; ++p)
                EXPECT_EQ(Str(test::AllCells(t.page(p)).join('|')), Str(test::AllCells(before.page(p)).join('|')))
                    << kReadingOrder[first];
        }
        for (const QString& bad : {QString(), QStringLiteral(" "), otherSeparator, QStringLiteral("inf"),
                                   QStringLiteral("nan"), QStringLiteral("0x10"), QStringLiteral("1e99999")}) {
            t.press(Merge({kExample, {{QStringLiteral("Edit21"), QLatin1Char('=') + bad}}}), separator);
            EXPECT_EQ(Str(t.error), "'" + Str(bad) + "' is not a valid floating point value");
            EXPECT_EQ(Str(test::AllCells(t.page(8)).join('|')), Str(test::AllCells(before.page(8)).join('|')));
        }
    }
}

// Fractions and signs in degrees and minutes add as typed.
TEST(LargeTriangle, DegreesAndMinutesTakeFractions)
{
    for (QChar separator : kSeparators) {
        SeparatorScope scope(separator);
        Triangle t;
        t.press(Merge({kExample, Angle("Edit22", 44.5, 0, 0)}), separator);
        EXPECT_EQ(Str(t.page(1).cell(1, 3)), Str(Local(QStringLiteral("44° 30` 0.0000\""), separator)));
        EXPECT_EQ(Str(t.page(1).cell(3, 28)), Str(Local(QStringLiteral("0.042"), separator)));
    }
}

// No typed number may crash or leave "inf" or "nan" in a cell: huge values fault cleanly.
TEST(LargeTriangle, HostileNumbersFaultWithoutNonFiniteCells)
{
    SeparatorScope scope(QLatin1Char('.'));
    const std::vector<Texts> cases = {
        Merge({kExample, {{QStringLiteral("Edit21"), QStringLiteral("1e308")}}}),
        Merge({kExample, {{QStringLiteral("Edit21"), QStringLiteral("1e-320")}}}),
        Merge({kExample, Angle("Edit3", 1e308, 1e308, 1e308)}),
        Merge({kExample, Angle("Edit3", 1e300, 0, 0), Angle("Edit6", 1e300, 0, 0), Angle("Edit9", 1e300, 0, 0)}),
        Merge({kExample, Angle("Edit22", 1e300, 0, 0), Angle("Edit18", -1e300, 0, 0)}),
        Merge({kExample, Angle("Edit6", 180, 0, 0)}),
        Merge({Angle("Edit3", 60, 0, 0), Angle("Edit6", 60, 0, 0), Angle("Edit9", 60, 0, 0)}),
    };
    for (const Texts& texts : cases) {
        Triangle t;
        t.press(texts, QLatin1Char('.'));
        for (int p = 1; p <= LargeTrianglePageCount; ++p)
            for (const QString& cell : test::AllCells(t.page(p))) {
                EXPECT_FALSE(cell.contains(QLatin1String("inf"), Qt::CaseInsensitive)) << Str(cell);
                EXPECT_FALSE(cell.contains(QLatin1String("nan"), Qt::CaseInsensitive)) << Str(cell);
            }
    }
}

// Angles far beyond a turn show how each quantity is held.
TEST(LargeTriangle, HugeAnglesShowHowQuantitiesAreHeld)
{
    struct Case {
        const char* what;
        Texts texts;
        Cell cell;
    };
    const Case cases[] = {
        // Radians are x·(π/180) with π/180 rounded once: for A = 693439570000000° the product x·π/180
        // would give a sine of -0.98480766 (both checked at 64-bit precision).
        {"radians", Merge({kExample, Angle("Edit3", 693439570000000.0, 0, 0)}), {3, 1, 3, "-0.98480782"}},
        // The refined angle A1 reaches its sine unrounded; rounded to a double first, side a would
        // end in ...073.
        {"refined angle", Merge({kExample, Angle("Edit3", 1e9, 2, 0)}), {8, 3, 2, "-914743.072"}},
    };
    for (QChar separator : kSeparators) {
        SeparatorScope scope(separator);
        for (const Case& c : cases) {
            Triangle t;
            t.press(c.texts, separator);
            EXPECT_EQ(Str(t.page(c.cell.page).cell(c.cell.column, c.cell.row)),
                      Str(Local(QString::fromUtf8(c.cell.text), separator)))
                << c.what;
        }
    }
}

// Every field, hostile texts, both separators: a run completes or stops with one of the platform's
// texts, and no cell shows inf or nan.
TEST(LargeTriangle, HostileTextInEveryField)
{
    const QStringList hostile = {"",     " ",      "1e308", "-1e308", "1e400",  "1e4000", "1e-4000", "-0",
                                 "0",    "180",    "-180",  "90",     "1e19",   "1234567890123456789012345678901234567890",
                                 "1,5",  "1.5",    "+1",    "1e",     " 7 "};
    const QStringList known = {"Floating point division by zero", "Invalid floating point operation",
                               "Floating point overflow"};
    for (QChar separator : kSeparators) {
        SeparatorScope scope(separator);
        for (const char* field : kReadingOrder)
            for (const QString& text : hostile) {
                Triangle t;
                t.press(Merge({kExample, {{QString::fromLatin1(field), QLatin1Char('=') + text}}}), separator);
                EXPECT_TRUE(t.error.isEmpty() || known.contains(t.error)
                            || t.error == QStringLiteral("'%1' is not a valid floating point value").arg(text))
                    << field << " = '" << Str(text) << "': " << Str(t.error);
                for (int p = 1; p <= LargeTrianglePageCount; ++p)
                    for (const QString& cell : test::AllCells(t.page(p)))
                        EXPECT_FALSE(cell.contains(QLatin1String("inf"), Qt::CaseInsensitive)
                                     || cell.contains(QLatin1String("nan"), Qt::CaseInsensitive))
                            << field << " = '" << Str(text) << "': " << Str(cell.left(40));
            }
    }
}

}  // namespace
}  // namespace kvelta

namespace kvelta {
namespace {

// Rows of a table's labels, cells separated by '|'.
void ExpectLabels(const ResultTable& table, const std::vector<const char*>& rows, int page)
{
    ASSERT_EQ(static_cast<int>(rows.size()), table.rowCount()) << "page " << page;
    for (int r = 0; r < table.rowCount(); ++r) {
        const QStringList cells = QString::fromUtf8(rows[static_cast<std::size_t>(r)]).split(QLatin1Char('|'));
        ASSERT_EQ(cells.size(), table.columnCount()) << "page " << page << " row " << r;
        for (int c = 0; c < table.columnCount(); ++c)
            EXPECT_EQ(Str(table.cell(c, r)), Str(cells[c])) << "page " << page << " (" << c << "," << r << ")";
    }
}

TEST(LargeTriangle, LabelsOfTheEightPages)
{
    Triangle t;
    const std::vector<TableLayout>& layouts = LargeTriangleExercise().tables;
    const int sizes[8][2] = {{4, 31}, {4, 3}, {4, 6}, {5, 14}, {4, 11}, {4, 9}, {2, 4}, {4, 5}};
    for (int p = 0; p < 8; ++p) {
        EXPECT_EQ(layouts[static_cast<std::size_t>(p)].columns, sizes[p][0]);
        EXPECT_EQ(layouts[static_cast<std::size_t>(p)].rows, sizes[p][1]);
        EXPECT_EQ(Str(layouts[static_cast<std::size_t>(p)].page), std::to_string(p + 1));
    }
    EXPECT_EQ(layouts[3].widths, (std::vector<int>{92, 96, 97, 92, 80}));
    EXPECT_EQ(layouts[6].widths, (std::vector<int>{162, 132}));

    const ResultTable& p1 = t.page(1);
    EXPECT_EQ(Str(p1.cell(0, 1) + "|" + p1.cell(0, 7) + "|" + p1.cell(0, 17) + "|" + p1.cell(0, 25) + "|" + p1.cell(0, 30)),
              "a|0,25e^2|0,25e^2sin^2Ba|1+0,25e^2sin^2Ba|1-1,25e^2sin^2Bb");
    EXPECT_EQ(Str(p1.cell(2, 1) + "|" + p1.cell(2, 16) + "|" + p1.cell(2, 19) + "|" + p1.cell(2, 24) + "|" + p1.cell(2, 30)),
              "1-1,25e^2sin^2Bc|1-0,75e^2sin^2Ba|1-0,75e^2sin^2Bm|E/12|dC");
    // Latin vertex letters with Cyrillic "сф".
    EXPECT_EQ(t.page(2).cell(0, 1), QString::fromUtf16(u"A\u0441\u0444=A-dA"));
    EXPECT_EQ(t.page(7).cell(0, 3), QString::fromUtf16(u"C1=C\u0441\u0444-E/3-dC"));
    ExpectLabels(t.page(1),
                 {"Формула|Результат|Формула|Результат", "a||1-1,25e^2sin^2Bc|", "a(1-e^2)||1-1,25e^2sin^2Bm|",
                  "Ba||Ma|", "Bb||Mb|", "Bc||Mc|", "Bm||Mm|", "0,25e^2||0,75e^2|", "1,25e^2||0,75e^2sin^2Ba|",
                  "sinBa||0,75e^2sin^2Bb|", "sinBb||0,75e^2sin^2Bc|", "sinBc||0,75e^2sin^2Bm|",
                  "sinBm||1-0,25e^2sin^2Ba|", "sin^2Ba||1-0,25e^2sin^2Bb|", "sin^2Bb||1-0,25e^2sin^2Bc|",
                  "sin^2Bc||1-0,25e^2sin^2Bm|", "sin^2Bm||1-0,75e^2sin^2Ba|", "0,25e^2sin^2Ba||1-0,75e^2sin^2Bb|",
                  "0,25e^2sin^2Bb||1-0,75e^2sin^2Bc|", "0,25e^2sin^2Bc||1-0,75e^2sin^2Bm|",
                  "0,25e^2sin^2Bm||Na|", "1,25e^2sin^2Ba||Nb|", "1,25e^2sin^2Bb||Nc|", "1,25e^2sin^2Bc||Nm|",
                  "1,25e^2sin^2Bm||E/12|", "1+0,25e^2sin^2Ba||(Ka-K)/K|", "1+0,25e^2sin^2Bb||(Kb-K)/K|",
                  "1+0,25e^2sin^2Bc||(Kc-K)/K|", "1+0,25e^2sin^2Bm||dA|", "1-1,25e^2sin^2Ba||dB|",
                  "1-1,25e^2sin^2Bb||dC|"},
                 1);
    ExpectLabels(t.page(2), {"Формула|Результат|Формула|Результат", "Aсф=A-dA||Cсф=C-dC|", "Bсф=B-dB|||"}, 2);
    ExpectLabels(t.page(3), {"Формула|Результат|Формула|Результат", "f||b^2sinAsinC|", "b^2||sinB|", "sinA||D1|",
                             "sinC||E\"|", "sinAsinC||E|"}, 3);
    ExpectLabels(t.page(4), {"Вершина|Углы сфю тр.|Поправка из урав.|Урав углы сф. тр.|", "B||||", "A||||",
                             "C||||", "Сумма||||", "E||||", "W||||",
                             "Вершина|-E/3|Углы плоск. тр.|Sin плоск. тр.|стороны сф. тр.", "B||||", "A||||",
                             "C||||", "Сумма||||", "E||||", "W||||"}, 4);
    ExpectLabels(t.page(5), {"Формула|Результат|Формула|Результат", "Ro/Rm||(p-b)/2|", "a*Ro/Rm||(p-c)/2|",
                             "b*Ro/Rm||tg(p/2)|", "c*Ro/Rm||tg[(p-a)/2]|", "2p||tg[(p-b)/2]|", "p||tg[(p-c)/2]|",
                             "p/2||tg^2(E/4)|", "(p-a)/2||tg(E/4)|", "||E/4|", "||E|"}, 5);
    ExpectLabels(t.page(6), {"Формула|Результат|Формула|Результат", "a^2||2c^2|", "b^2||a^2+c^2|", "c^2||2b^2|",
                             "(MN)m||E/60|", "3(MN)m||dA|", "b^2+c^2||dB|", "2a^2||dC|", "b^2+a^2|||"}, 6);
    ExpectLabels(t.page(7), {"Формула|Результат", "A1=Aсф-E/3-dA|", "B1=Bсф-E/3-dB|", "C1=Cсф-E/3-dC|"}, 7);
    ExpectLabels(t.page(8), {"Вершина|углы плю треуг.|Sin угл. пл. треуг.|Стороны сф. тр., м", "B|||", "A|||",
                             "C|||", "Сумма|||"}, 8);
}

}  // namespace
}  // namespace kvelta
