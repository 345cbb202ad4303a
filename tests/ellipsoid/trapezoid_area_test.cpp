#include "ellipsoid/trapezoid_area.h"
#include "ellipsoid/exercises.h"
#include "ellipsoid_test_support.h"
#include "frame/errors.h"

namespace kvelta {
namespace {

using namespace test;

ResultTable ComputeArea(const QStringList& edits, QChar separator)
{
    return Computed(TrapezoidAreaExercise(), edits, separator)[0];
}

const std::vector<Example>& AreaExamples()
{
    static const std::vector<Example> examples = {
        {"defaults",
         {"0", "0", "0", "0", "0", "0", "1800"},
         {{1, 1, "6356.863"},
          {1, 2, "0.00669342"},
          {1, 3, "0.00000485"},
          {1, 4, "1800.00"},
          {1, 5, "0.00000000"},
          {1, 6, "0.00000000"},
          {1, 7, "0.00000000"},
          {1, 8, "0.00000000"},
          {1, 9, "0.00000000"},
          {1, 10, "0.00000000"},
          {1, 11, "0.00000000"},
          {3, 1, "0.00000000"},
          {3, 2, "0.00446228"},
          {3, 3, "0.00401605"},
          {3, 4, "0.00382481"},
          {3, 5, "0.0000000000"},
          {3, 6, "0.0000000000"},
          {3, 7, "0.0000000000"},
          {3, 8, "352640.888960242"},
          {3, 9, "0.00000000"},
          {3, 10, "0.00000000"},
          {2, 11, ""},
          {3, 11, ""}}},
        {"20 by 30 minutes at 50 degrees",
         {"50", "0", "0", "50", "20", "0", "1800"},
         {{1, 4, "1800.00"},
          {1, 5, "0.76977104"},
          {1, 9, "0.76604444"},
          {3, 2, "0.00446228"},
          {3, 3, "0.00401605"},
          {3, 4, "0.00382481"},
          {3, 5, "0.0000294178"},
          {3, 6, "0.0000001742"},
          {3, 7, "0.0000000009"},
          {3, 8, "352640.888960242"},
          {3, 9, "0.00375619"},
          // With the unrounded terms P would be 1324.58781189.
          {3, 10, "1324.58782133"}}},
        {"B2 south of B1",
         {"50", "20", "0", "50", "0", "0", "1800"},
         {{1, 5, "0.76604444"},
          {1, 9, "0.76977104"},
          {3, 5, "-0.0000294178"},
          {3, 6, "-0.0000001742"},
          {3, 7, "-0.0000000009"},
          {3, 8, "352640.888960242"},
          {3, 9, "-0.00375619"},
          {3, 10, "-1324.58782133"}}},
        {"negative longitude difference",
         {"50", "0", "0", "50", "20", "0", "-1800"},
         {{1, 4, "-1800.00"}, {3, 8, "-352640.888960242"}, {3, 9, "0.00375619"}, {3, 10, "-1324.58782133"}}},
        {"southern hemisphere",
         {"-50", "-20", "0", "-50", "0", "0", "1800"},
         {{1, 5, "-0.76604444"},
          {1, 9, "-0.76977104"},
          {3, 5, "0.0000294178"},
          {3, 9, "0.00375619"},
          {3, 10, "1324.58782133"}}},
        {"on the equator",
         {"0", "0", "0", "0", "20", "0", "1800"},
         {{1, 9, "0.00000000"}, {1, 10, "0.00000000"}, {1, 11, "0.00000000"}, {3, 1, "0.00000000"},
          {3, 8, "352640.888960242"}}},
        // Sheets of the 1 : 1 000 000 map, 4° by 6°.
        {"1:1 000 000 sheet 0 to 4 degrees", {"0", "0", "0", "4", "0", "0", "21600"}, {{3, 10, "295194.22826101"}}},
        {"1:1 000 000 sheet 48 to 52 degrees", {"48", "0", "0", "52", "0", "0", "21600"}, {{3, 10, "191357.64327668"}}},
        {"1:1 000 000 sheet 56 to 60 degrees", {"56", "0", "0", "60", "0", "0", "21600"}, {{3, 10, "158037.32407914"}}},
        {"fractional seconds of longitude", {"0", "0", "0", "0", "0", "0", "1800.5"}, {{1, 4, "1800.50"}}},
        // Sheets whose last decimal of P depends on the sines being kept as doubles.
        {"southern sheet of 15 minutes", {"-35", "-50", "0", "-35", "-40", "0", "900"},
         {{1, 5, "-0.58306866"}, {1, 9, "-0.58542943"}, {3, 9, "0.00237160"}, {3, 10, "418.16103466"}}},
        {"sheet at 21 degrees", {"21", "10", "0", "21", "20", "0", "7200"}, {{3, 10, "3830.91266060"}}},
        {"sheet at 64 degrees", {"64", "30", "0", "64", "50", "0", "1800"}, {{3, 10, "887.51637241"}}},
        {"sheet at 39 degrees", {"38", "40", "0", "39", "0", "0", "7200"}, {{3, 10, "6426.28128431"}}},
    };
    return examples;
}

TEST(TrapezoidArea, WorkedExamplesInBothLocales)
{
    for (QChar separator : kSeparators) {
        SeparatorScope scope(separator);
        for (const Example& example : AreaExamples()) {
            SCOPED_TRACE(std::string(example.name) + " with '" + char(separator.unicode()) + "'");
            const ResultTable table = ComputeArea(example.edits, separator);
            ExpectCells(table, example.cells, separator);
            ExpectAllFinite(table);
        }
    }
}

TEST(TrapezoidArea, SwappingTheParallelsChangesOnlyTheSigns)
{
    const QStringList south = {"41", "17", "12.25", "43", "2", "51.5"};
    const QStringList north = {"43", "2", "51.5", "41", "17", "12.25"};
    for (QChar separator : kSeparators) {
        SeparatorScope scope(separator);
        const ResultTable a = ComputeArea(south + QStringList{"2700"}, separator);
        const ResultTable b = ComputeArea(north + QStringList{"2700"}, separator);
        for (int row : {5, 6, 7, 9, 10}) {
            ASSERT_FALSE(a.cell(3, row).startsWith(QLatin1Char('-')));
            EXPECT_EQ(Str(QLatin1Char('-') + a.cell(3, row)), Str(b.cell(3, row))) << "row " << row;
        }
        EXPECT_EQ(Str(a.cell(3, 8)), Str(b.cell(3, 8)));
    }
}

TEST(TrapezoidArea, ConversionErrorsInReadingOrder)
{
    struct Case {
        QStringList edits;
        const char* error;
    };
    const Case cases[] = {
        {{"50", "0", "0", "50", "20", "0", "1800;"}, "'1800;' is not a valid floating point value"},
        {{"50", "0", "0", "50", "20", "0", ""}, "'' is not a valid floating point value"},
        {{"50", "0", "0", "x", "20", "0", "y"}, "'x' is not a valid floating point value"},
        {{"50", "0", "0", "50", "20", "0", "1e5000"}, "'1e5000' is not a valid floating point value"},
    };
    for (QChar separator : kSeparators) {
        SeparatorScope scope(separator);
        for (const Case& c : cases) {
            try {
                ReadTrapezoidAreaInputs(Typed(TrapezoidAreaExercise(), c.edits, separator));
                ADD_FAILURE() << "no error for " << c.error;
            } catch (const ConversionError& e) {
                EXPECT_EQ(Str(e.text()), c.error);
            }
        }
        // The other separator is not a decimal separator.
        const QString other = separator == QLatin1Char(',') ? "1800.5" : "1800,5";
        EditTexts typed(TrapezoidAreaExercise(), {{"Edit3", "0"}, {"Edit4", "0"}, {"Edit5", "0"}, {"Edit6", "0"}, {"Edit7", "0"},
                          {"Edit8", "0"}, {"Edit9", other}});
        EXPECT_THROW(ReadTrapezoidAreaInputs(typed), ConversionError);
    }
}

TEST(TrapezoidArea, OverflowOfTheFactorStopsBeforeItsCell)
{
    SeparatorScope scope(QLatin1Char('.'));
    ResultTable table(4, 12);
    TrapezoidAreaLabels(table);
    const TrapezoidAreaInputs in = ReadTrapezoidAreaInputs(Typed(TrapezoidAreaExercise(), {"50", "0", "0", "50", "20", "0", "1e308"}, '.'));
    try {
        RunComputation({&table}, [&] { ComputeTrapezoidArea(in, table); });
        ADD_FAILURE() << "no overflow";
    } catch (const FloatingPointError& e) {
        EXPECT_EQ(Str(e.text()), "Floating point overflow");
    }
    EXPECT_EQ(Str(table.cell(3, 7)), "0.0000000009");
    for (int row = 8; row <= 10; ++row)
        EXPECT_TRUE(table.cell(3, row).isEmpty()) << row;
    ExpectAllFinite(table);
}

}  // namespace
}  // namespace kvelta
