// The forward and inverse series and the zone transfer, without windows: every worked example,
// in a comma and a point locale, cell by cell.
#include "frame/angles.h"
#include "frame/errors.h"
#include "gauss_kruger/exercises.h"
#include "gauss_kruger/zone_transfer.h"
#include "support/kvelta_test.h"

#include <cmath>
#include <map>
#include <vector>

namespace kvelta {
namespace {

using test::kSeparators;
using test::SeparatorScope;
using test::Str;
using test::WithSeparator;

// Edit texts written with a point, put into the given locale.
EditTexts Edits(const Exercise& exercise, const std::vector<std::pair<const char*, const char*>>& edits,
                QChar separator)
{
    TypedTexts texts;
    for (const auto& [name, text] : edits)
        texts.emplace_back(QString::fromLatin1(name), WithSeparator(QString::fromUtf8(text), separator));
    return EditTexts(exercise, texts);
}

// Edit texts typed as they are.
EditTexts Named(const Exercise& exercise, const std::map<QString, QString>& texts)
{
    return EditTexts(exercise, TypedTexts(texts.begin(), texts.end()));
}

// Expected value cells (column 1) by row, written with a point.
using Rows = std::vector<std::pair<int, const char*>>;

void ExpectRows(const ResultTable& table, const Rows& rows, QChar separator, const std::string& what)
{
    for (const auto& [row, text] : rows)
        EXPECT_EQ(Str(table.cell(1, row)), Str(WithSeparator(QString::fromUtf8(text), separator)))
            << what << ", row " << row << ", separator " << Str(QString(separator));
}

ResultTable ForwardTable()
{
    ResultTable t(2, 24);
    GeodeticToGaussKrugerLabels(t);
    return t;
}

ResultTable InverseTable()
{
    ResultTable t(2, 27);
    GaussKrugerToGeodeticLabels(t);
    return t;
}

bool IsAscii(const QString& s)
{
    for (QChar c : s)
        if (c.unicode() > 0x7F)
            return false;
    return true;
}

TEST(GaussKrugerLabels, ForwardTable)
{
    const ResultTable t = ForwardTable();
    const QStringList expected = {
        "Формула", "B",   "B\"",  "B\"/Ro\"", "sin B", "cos B", "cos^2 B", "l=L-Lo", "l\"", "l=l\"/Ro\"",
        "N",       "ao",  "a4",   "a6",       "a3",    "a5",    "sinB*cosB", "l^2", "N*l^2",
        "6267558,4969*B\"/Ro\"", "x", "1+(a3+a5*l^2)*l^2", "[^]*l*cosB", "y"};
    ASSERT_EQ(expected.size(), t.rowCount());
    for (int r = 0; r < t.rowCount(); ++r) {
        EXPECT_EQ(Str(t.cell(0, r)), Str(expected[r])) << "row " << r;
        if (r > 0) {
            EXPECT_TRUE(IsAscii(t.cell(0, r))) << "row " << r << " must be Latin";
            EXPECT_TRUE(t.cell(1, r).isEmpty());
        }
    }
    EXPECT_EQ(Str(t.cell(1, 0)), "Результаты");
}

TEST(GaussKrugerLabels, InverseTable)
{
    const ResultTable t = InverseTable();
    const QStringList expected = {
        "Формулы", "Бета, рад", "Бета\"", "Бета, град", "sin Бета", "cos Бета", "cos^2 Бета", "Bx,рад", "Bx\"",
        "Bx, град", "sin Bx", "cos Bx", "cos^2 Bx", "Nx", "b2", "b3", "b4", "b5", "Nx*cos Bx", "z", "z^2",
        "[1-(b4-0,12z^2)z^2]z^2*b2", "Ro\"[^]", "B", "[1-(b3-b5z^2)z^2]z", "l=[^]Ro\"", "L=Lo+l"};
    ASSERT_EQ(expected.size(), t.rowCount());
    for (int r = 0; r < t.rowCount(); ++r)
        EXPECT_EQ(Str(t.cell(0, r)), Str(expected[r])) << "row " << r;
    EXPECT_EQ(Str(t.cell(1, 0)), "Значения");
    // "Бета" is Cyrillic throughout; the B of Bx and of the latitude row is Latin.
    const QString beta = QString::fromUtf8("\u0411\u0435\u0442\u0430");
    for (int r = 1; r <= 6; ++r)
        EXPECT_TRUE(t.cell(0, r).contains(beta)) << "row " << r;
    EXPECT_EQ(t.cell(0, 7), QString::fromUtf8("Bx,\u0440\u0430\u0434"));
    EXPECT_EQ(t.cell(0, 9), QString::fromUtf8("Bx, \u0433\u0440\u0430\u0434"));
    EXPECT_EQ(t.cell(0, 23), QStringLiteral("B"));
    for (int r = 10; r <= 26; ++r)
        EXPECT_TRUE(IsAscii(t.cell(0, r))) << "row " << r;
}

struct ForwardCase {
    const char* name;
    const char* Lo[3];
    const char* B[3];
    const char* L[3];
    Rows rows;
};

const std::vector<ForwardCase>& ForwardCases()
{
    static const std::vector<ForwardCase> cases = {
        {"worked example", {"21", "0", "0"}, {"51", "38", "44.0822"}, {"24", "02", "13.1579"},
         {{1, "51° 38` 44.0822\""}, {2, "185924.0822\""}, {3, "0.901384540"}, {4, "0.784187"},
          {5, "0.620524"}, {6, "0.385050"}, {7, "3° 2` 13.1579\""}, {8, "10933.1579\""}, {9, "0.053005395"},
          {10, "6391412.468"}, {11, "32088.400"}, {12, "0.055"}, {13, "-0.008"}, {14, "-0.038"},
          {15, "-0.026"}, {16, "0.4866072"}, {17, "0.002809572"}, {18, "17957.133"}, {19, "5739618.7884"},
          {20, "5728374.727"}, {21, "0.99989261"}, {22, "0.03288760"}, {23, "210198.193"}}},
        {"defaults", {"0", "0", "0"}, {"0", "0", "0"}, {"0", "0", "0"},
         {{1, "0° 0` 0.0000\""}, {2, "0.0000\""}, {3, "0.000000000"}, {4, "0.000000"}, {5, "1.000000"},
          {6, "1.000000"}, {7, "0° 0` 0.0000\""}, {8, "0.0000\""}, {9, "0.000000000"}, {10, "6378244.996"},
          {11, "32005.779"}, {12, "0.211"}, {13, "0.082"}, {14, "0.168"}, {15, "0.042"}, {16, "0.0000000"},
          {17, "0.000000000"}, {18, "0.000"}, {19, "0.0000"}, {20, "0.000"}, {21, "1.00000000"},
          {22, "0.00000000"}, {23, "0.000"}}},
        {"west of the axial meridian", {"24", "4", "26.3158"}, {"51", "38", "44.0822"}, {"21", "2", "13.1579"},
         {{7, "-3° -2` -13.1579\""}, {8, "-10933.1579\""}, {9, "-0.053005395"}, {17, "0.002809572"},
          {20, "5728374.727"}, {21, "0.99989261"}, {22, "-0.03288760"}, {23, "-210198.193"}}},
        {"equator, 3° west", {"0", "0", "0"}, {"0", "0", "0"}, {"-3", "0", "0"},
         {{7, "-3° 0` 0.0000\""}, {8, "-10800.0000\""}, {9, "-0.052359828"}, {10, "6378244.996"},
          {20, "0.000"}, {22, "-0.05238393"}, {23, "-334117.545"}}},
        {"southern latitude", {"21", "0", "0"}, {"-51", "-38", "-44.0822"}, {"24", "02", "13.1579"},
         {{1, "-51° -38` -44.0822\""}, {4, "-0.784187"}, {5, "0.620524"}, {10, "6391412.468"},
          {11, "32088.400"}, {19, "-5739618.7884"}, {20, "-5728374.727"}, {23, "210198.193"}}},
        {"pole", {"0", "0", "0"}, {"90", "0", "0"}, {"3", "0", "0"},
         {{4, "1.000000"}, {5, "0.000000"}, {6, "0.000000"}, {10, "6399698.902"}, {11, "32140.404"},
          {19, "10002128.1022"}, {20, "10002128.102"}, {22, "0.00000000"}, {23, "0.000"}}},
        // On the axial meridian x is X0 less a0·sin B·cos B (5739618.7884 − 32088.400 · 0.4866072),
        // not X0 itself.
        {"on the axial meridian", {"21", "0", "0"}, {"51", "38", "44.0822"}, {"21", "0", "0"},
         {{9, "0.000000000"}, {17, "0.000000000"}, {18, "0.000"}, {19, "5739618.7884"}, {20, "5724004.342"},
          {21, "1.00000000"}, {22, "0.00000000"}, {23, "0.000"}}},
        // Far outside any zone the rows B"/Ro" and N*l^2 show the last digits of their doubles.
        {"latitude of 10^8 degrees", {"0", "0", "0"}, {"100000253.3", "0", "0"}, {"0", "0", "0"},
         {{1, "100000253° 18` 0.0000\""}, {3, "1745332.033452112"}}},
        {"axial meridian at 99999 degrees", {"99999", "0", "0"}, {"0", "0", "0"}, {"0", "0", "0"},
         {{18, "19428820250950.410"}}},
    };
    return cases;
}

TEST(GeodeticToGaussKruger, WorkedExamples)
{
    for (QChar sep : kSeparators) {
        SeparatorScope scope(sep);
        for (const ForwardCase& c : ForwardCases()) {
            const EditTexts in = Edits(GaussKrugerForwardExercise(), {{"Edit3", c.Lo[0]}, {"Edit4", c.Lo[1]}, {"Edit5", c.Lo[2]},
                                         {"Edit6", c.B[0]}, {"Edit7", c.B[1]}, {"Edit8", c.B[2]},
                                         {"Edit9", c.L[0]}, {"Edit10", c.L[1]}, {"Edit11", c.L[2]}},
                                        sep);
            const GeodeticInput g = ReadGeodeticInput(in);
            ResultTable t = ForwardTable();
            const PlaneCoordinates p = GeodeticToGaussKruger(g.B, g.L, g.Lo, t);
            ExpectRows(t, c.rows, sep, c.name);
            EXPECT_EQ(Str(t.cell(1, 20)), Str(FormatFixed(p.x, 3))) << c.name;
            EXPECT_EQ(Str(t.cell(1, 23)), Str(FormatFixed(p.y, 3))) << c.name;
            for (int r = 1; r < t.rowCount(); ++r)
                EXPECT_FALSE(t.cell(1, r).isEmpty()) << c.name << ", row " << r;
        }
    }
}

struct InverseCase {
    const char* name;
    const char* Lo[3];
    const char* x;
    const char* y;
    Rows rows;
};

const Rows kInverseDefaults = {
    {1, "0.899618705"}, {2, "185559.8521\""}, {3, "51° 32` 39.8521\""}, {4, "0.783090"}, {5, "0.621908"},
    {6, "0.386769"}, {7, "0.902070102"}, {8, "186065.4896"}, {9, "51° 41` 5.4896\""}, {10, "0.784613"},
    {11, "0.619986"}, {12, "0.384383"}, {13, "6391426.7961"}, {14, "0.24385454"}, {15, "0.26943532"},
    {16, "0.31295052"}, {17, "0.13722353"}, {18, "3962597.7280"}, {19, "0.05304555"}, {20, "0.00281383"},
    {21, "0.00068556"}, {22, "141.40741430"}, {23, "51° 38` 44.0822\""}, {24, "0.05300540"},
    {25, "3° 2` 13.1579\""}, {26, "24° 2` 13.1579\""}};

const std::vector<InverseCase>& InverseCases()
{
    static const std::vector<InverseCase> cases = {
        {"defaults", {"21", "0", "0"}, "5728374.726", "210198.193", kInverseDefaults},
        {"y negated", {"21", "0", "0"}, "5728374.726", "-210198.193",
         {{13, "6391426.7961"}, {19, "-0.05304555"}, {20, "0.00281383"}, {21, "0.00068556"},
          {23, "51° 38` 44.0822\""}, {24, "-0.05300540"}, {25, "-3° -2` -13.1579\""},
          {26, "17° 57` 46.8421\""}}},
        {"y = 0", {"21", "0", "0"}, "5728374.726", "0",
         {{9, "51° 41` 5.4896\""}, {19, "0.00000000"}, {20, "0.00000000"}, {21, "0.00000000"},
          {22, "0.00000000"}, {23, "51° 41` 5.4896\""}, {24, "0.00000000"}, {25, "0° 0` 0.0000\""},
          {26, "21° 0` 0.0000\""}}},
        {"x = 0", {"21", "0", "0"}, "0", "210198.193",
         {{1, "0.000000000"}, {7, "0.000000000"}, {11, "1.000000"}, {13, "6378244.9960"}, {14, "0.00000000"},
          {15, "0.16779000"}, {16, "0.41723000"}, {17, "0.04210000"}, {21, "0.00000000"},
          {23, "0° 0` 0.0000\""}}},
        {"southern hemisphere", {"21", "0", "0"}, "-5728374.726", "210198.193",
         {{1, "-0.899618705"}, {7, "-0.902070102"}, {14, "-0.24385454"}, {21, "-0.00068556"},
          {23, "-51° -38` -44.0822\""}, {24, "0.05300540"}, {25, "3° 2` 13.1579\""},
          {26, "24° 2` 13.1579\""}}},
        {"fractional axial meridian", {"21.5", "0", "0"}, "5728374.726", "210198.193",
         {{23, "51° 38` 44.0822\""}, {25, "3° 2` 13.1579\""}, {26, "24° 32` 13.1579\""}}},
    };
    return cases;
}

TEST(GaussKrugerToGeodetic, WorkedExamples)
{
    for (QChar sep : kSeparators) {
        SeparatorScope scope(sep);
        for (const InverseCase& c : InverseCases()) {
            const EditTexts in = Edits(GaussKrugerInverseExercise(), {{"Edit3", c.Lo[0]}, {"Edit4", c.Lo[1]}, {"Edit5", c.Lo[2]},
                                         {"Edit9", c.x}, {"Edit10", c.y}},
                                        sep);
            const PlaneInput p = ReadPlaneInput(in);
            ResultTable t = InverseTable();
            const GeodeticCoordinates g = GaussKrugerToGeodetic(p.x, p.y, p.Lo, t);
            ExpectRows(t, c.rows, sep, c.name);
            EXPECT_EQ(Str(t.cell(1, 23)), Str(FormatDms(g.B))) << c.name;
            EXPECT_EQ(Str(t.cell(1, 26)), Str(FormatDms(g.L))) << c.name;
        }
    }
}

// Forward, then back through the printed x and y: the angle texts come back to the printed digit.
TEST(GaussKruger, RoundTrip)
{
    const struct {
        double B, L, Lo;
    } points[] = {{DmsToDegrees(51, 38, 44.0822), DmsToDegrees(24, 2, 13.1579), 21},
                  {DmsToDegrees(43, 12, 1.5), DmsToDegrees(37, 1, 30), 39},
                  {DmsToDegrees(61, 0, 59.9876), DmsToDegrees(90, 59, 0.1234), 93},
                  {DmsToDegrees(-33, -51, -7.25), DmsToDegrees(151, 12, 40), 153},
                  {DmsToDegrees(5, 5, 5.0), 0.5, 0}};
    for (QChar sep : kSeparators) {
        SeparatorScope scope(sep);
        for (const auto& pt : points) {
            ResultTable forward = ForwardTable(), inverse = InverseTable();
            GeodeticToGaussKruger(pt.B, pt.L, pt.Lo, forward);
            const double x = ParseReal(forward.cell(1, 20)), y = ParseReal(forward.cell(1, 23));
            const GeodeticCoordinates g = GaussKrugerToGeodetic(x, y, pt.Lo, inverse);
            // Millimetre coordinates and the truncated series agree to better than 0.0002″.
            EXPECT_NEAR(g.B, pt.B, 0.0002 / 3600) << pt.B;
            EXPECT_NEAR(g.L, pt.L, 0.0002 / 3600) << pt.L;
        }
    }
    // The printed example closes exactly.
    SeparatorScope scope(QLatin1Char(','));
    ResultTable inverse = InverseTable(), forward = ForwardTable();
    const GeodeticCoordinates g = GaussKrugerToGeodetic(5728374.726, 210198.193, 21, inverse);
    GeodeticToGaussKruger(g.B, g.L, 21, forward);
    EXPECT_EQ(Str(forward.cell(1, 20)), "5728374,727");
    EXPECT_EQ(Str(forward.cell(1, 23)), "210198,194");
}

struct TransferCase {
    const char* name;
    const char* Lo;
    const char* LoPrime;
    const char* x;
    const char* y;
    Rows first;
    Rows second;
};

TEST(ZoneTransfer, WorkedExamples)
{
    const std::vector<TransferCase> cases = {
        {"defaults", "21", "27", "5728374.726", "210198.193", kInverseDefaults,
         {{1, "51° 38` 44.0822\""}, {2, "185924.0822\""}, {7, "-2° -57` -46.8421\""}, {8, "-10666.8421\""},
          {9, "-0.051714261"}, {10, "6391412.468"}, {11, "32088.400"}, {17, "0.002674365"}, {18, "17092.969"},
          {19, "5739618.7890"}, {20, "5728164.346"}, {21, "0.99989778"}, {22, "-0.03208667"},
          {23, "-205079.132"}}},
        {"same zone", "21", "21", "5728374.726", "210198.193", {{26, "24° 2` 13.1579\""}},
         {{7, "3° 2` 13.1579\""}, {20, "5728374.727"}, {23, "210198.194"}}},
        {"transfer to the west", "27", "21", "5728374.726", "-210198.193",
         {{23, "51° 38` 44.0822\""}, {25, "-3° -2` -13.1579\""}, {26, "23° 57` 46.8421\""}},
         {{7, "2° 57` 46.8421\""}, {20, "5728164.346"}, {22, "0.03208667"}, {23, "205079.132"}}},
        {"fractional meridian", "21.5", "27", "5728374.726", "210198.193", {{26, "24° 32` 13.1579\""}},
         {{7, "-2° -27` -46.8421\""}}},
    };
    for (QChar sep : kSeparators) {
        SeparatorScope scope(sep);
        for (const TransferCase& c : cases) {
            const EditTexts in =
                Edits(ZoneTransferExercise(), {{"Edit3", c.Lo}, {"Edit4", c.LoPrime}, {"Edit5", c.x}, {"Edit6", c.y}}, sep);
            ResultTable first = InverseTable(), second = ForwardTable();
            const PlaneCoordinates p = ComputeZoneTransfer(ReadZoneTransferInput(in), first, second);
            ExpectRows(first, c.first, sep, c.name);
            ExpectRows(second, c.second, sep, c.name);
            EXPECT_EQ(Str(second.cell(1, 20)), Str(FormatFixed(p.x, 3)));
            EXPECT_EQ(Str(second.cell(1, 23)), Str(FormatFixed(p.y, 3)));
        }
    }
}

// B and L pass to the second stage as computed, not as their rounded angle texts.
TEST(ZoneTransfer, SecondStageTakesTheComputedDoubles)
{
    SeparatorScope scope(QLatin1Char('.'));
    ResultTable first = InverseTable(), second = ForwardTable(), direct = ForwardTable();
    ComputeZoneTransfer({21, 5728374.726, 210198.193, 27}, first, second);
    const GeodeticCoordinates g = GaussKrugerToGeodetic(5728374.726, 210198.193, 21, first);
    GeodeticToGaussKruger(g.B, g.L, 27, direct);
    EXPECT_EQ(test::AllCells(second), test::AllCells(direct));
    // From the printed angle text X0 would read 5739618.7884, not 5739618.7890.
    EXPECT_EQ(Str(second.cell(1, 19)), "5739618.7890");
}

TEST(ZoneTransfer, ReadsLoPrimeLastButBeforeAnyWrite)
{
    for (QChar sep : kSeparators) {
        SeparatorScope scope(sep);
        const std::map<QString, QString> good = {{"Edit3", "21"}, {"Edit4", "27"}, {"Edit5", "1"}, {"Edit6", "2"}};
        // The first bad edit in the order Edit3, Edit5, Edit6, Edit4 is the one reported.
        const char* order[] = {"Edit3", "Edit5", "Edit6", "Edit4"};
        for (int first = 0; first < 4; ++first) {
            std::map<QString, QString> texts = good;
            for (int i = first; i < 4; ++i)
                texts[QString::fromLatin1(order[i])] = QStringLiteral("e%1").arg(i);
            try {
                ReadZoneTransferInput(Named(ZoneTransferExercise(), texts));
                ADD_FAILURE() << "no error for " << order[first];
            } catch (const ConversionError& e) {
                EXPECT_EQ(Str(e.text()), Str(QStringLiteral("'e%1' is not a valid floating point value").arg(first)));
            }
        }
    }
}

TEST(GaussKrugerReading, ConversionErrorsInReadingOrder)
{
    SeparatorScope scope(QLatin1Char(','));
    const char* forwardOrder[] = {"Edit3", "Edit4", "Edit5", "Edit6", "Edit7", "Edit8", "Edit9", "Edit10", "Edit11"};
    for (int first = 0; first < 9; ++first) {
        std::map<QString, QString> texts;
        for (int i = 0; i < 9; ++i)
            texts[QString::fromLatin1(forwardOrder[i])] = i < first ? QStringLiteral("1,5") : QStringLiteral("b%1").arg(i);
        try {
            ReadGeodeticInput(Named(GaussKrugerForwardExercise(), texts));
            ADD_FAILURE() << forwardOrder[first];
        } catch (const ConversionError& e) {
            EXPECT_EQ(Str(e.text()), Str(QStringLiteral("'b%1' is not a valid floating point value").arg(first)));
        }
    }
    const char* inverseOrder[] = {"Edit3", "Edit4", "Edit5", "Edit9", "Edit10"};
    for (int first = 0; first < 5; ++first) {
        std::map<QString, QString> texts;
        for (int i = 0; i < 5; ++i)
            texts[QString::fromLatin1(inverseOrder[i])] = i < first ? QStringLiteral("2,5") : QStringLiteral("1.5");
        try {
            ReadPlaneInput(Named(GaussKrugerInverseExercise(), texts));
            ADD_FAILURE() << inverseOrder[first];
        } catch (const ConversionError& e) {
            EXPECT_EQ(Str(e.text()), "'1.5' is not a valid floating point value");
        }
    }
}

// Extreme values never leave "inf" or "nan" in a cell: either every row is written or a
// floating-point error stops the run.
TEST(GaussKruger, ExtremeValuesFaultOrStayFinite)
{
    SeparatorScope scope(QLatin1Char('.'));
    const double extremes[] = {0, 1e-300, -1e-300, 1e5, -1e5, 1e15, 1e300, -1e300, 1.7976931348623157e308,
                               -1.7976931348623157e308, 4.9e-324, 3e18, 90, -90, 180, 1e9};
    for (double a : extremes)
        for (double b : extremes) {
            for (double lo : {0.0, 21.0, -1e300}) {
                ResultTable f = ForwardTable(), i = InverseTable();
                try {
                    GeodeticToGaussKruger(a, b, lo, f);
                } catch (const FloatingPointError&) {
                }
                try {
                    GaussKrugerToGeodetic(a, b, lo, i);
                } catch (const FloatingPointError&) {
                }
                for (const ResultTable* t : {&f, &i})
                    for (int r = 1; r < t->rowCount(); ++r) {
                        const QString cell = t->cell(1, r).toLower();
                        EXPECT_FALSE(cell.contains(QStringLiteral("inf")) || cell.contains(QStringLiteral("nan")))
                            << a << " " << b << " " << lo << " row " << r << ": " << Str(cell);
                    }
            }
        }
}

}  // namespace
}  // namespace kvelta
