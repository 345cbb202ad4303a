#include "ellipsoid/trapezoid_sides.h"
#include "ellipsoid/exercises.h"
#include "ellipsoid_test_support.h"
#include "frame/errors.h"

namespace kvelta {
namespace {

using namespace test;

ResultTable ComputeSides(const QStringList& edits, QChar separator)
{
    return Computed(TrapezoidSidesExercise(), edits, separator)[0];
}

const std::vector<Example>& SidesExamples()
{
    static const std::vector<Example> examples = {
        {"defaults",
         {"0", "0", "0", "0", "0", "0", "900", "50000"},
         {{1, 1, "6378245"},
          {1, 2, "6335552.72735210"},
          {1, 3, "0.00669342"},
          {1, 4, "0.00167336"},
          {1, 5, "0.00502007"},
          {1, 6, "0.00836677"},
          {1, 7, "0° 0` 0.0000\""},
          {1, 8, "0° 0` 0.0000\""},
          {1, 9, "0° 0` 0.0000\""},
          {1, 10, "0.00000000"},
          {1, 11, "0.00000000"},
          {1, 12, "0.00000000"},
          {1, 13, "0.00000000"},
          {1, 14, "0.00000000"},
          {1, 15, "0.00000000"},
          {1, 16, "1.00000000"},
          {1, 17, "1.00000000"},
          {1, 18, "1.800"},
          {1, 19, "0.000"},
          {3, 1, "1.00000000"},
          {3, 2, "1.00000000"},
          {3, 3, "1.00000000"},
          {3, 4, "1.00000000"},
          {3, 5, "1.00000000"},
          {3, 6, "1.00000000"},
          {3, 7, "6378245.00000000"},
          {3, 8, "6378245.00000000"},
          {3, 9, "6335552.72735210"},
          {3, 10, "0.00000485"},
          {3, 11, "30.92257533"},
          {3, 12, "30.92257533"},
          {3, 14, "55.66063559"},
          {3, 15, "55.66063559"},
          {3, 16, "0.00000000"},
          {3, 17, "3098.10635430"},
          {3, 18, "3098.10635430"},
          {3, 19, "55.66063559"}}},
        {"1 : 50 000 sheet",
         {"50", "0", "0", "50", "10", "0", "900", "50000"},
         {{1, 7, "50° 0` 0.0000\""},
          {1, 8, "50° 10` 0.0000\""},
          {1, 9, "50° 5` 0.0000\""},
          {1, 18, "1.800"},
          {1, 19, "1.200"},
          {3, 7, "6390808.43756720"},
          {3, 8, "6390869.91849325"},
          {3, 9, "6373156.64124436"},
          {3, 14, "35.84843993"},
          {3, 15, "35.72435738"},
          {3, 16, "37.07748755"},
          {3, 17, "1280.66247975"},
          {3, 18, "2655.40256276"},
          {3, 19, "51.53059832"}}},
        {"equal parallels",
         {"50", "0", "0", "50", "0", "0", "900", "50000"},
         {{1, 19, "0.000"}, {3, 14, "35.84843993"}, {3, 15, "35.84843993"}, {3, 16, "0.00000000"},
          {3, 19, "35.84843993"}}},
        {"B2 south of B1",
         {"50", "10", "0", "50", "0", "0", "900", "50000"},
         {{1, 19, "1.200"},
          {3, 7, "6390869.91849325"},
          {3, 14, "35.72435738"},
          {3, 15, "35.84843993"},
          {3, 16, "37.07748755"},
          {3, 19, "51.53059832"}}},
        {"negative longitude difference",
         {"50", "0", "0", "50", "10", "0", "-900", "50000"},
         {{1, 18, "-1.800"},
          {3, 14, "-35.84843993"},
          {3, 15, "-35.72435738"},
          {3, 16, "37.07748755"},
          {3, 17, "1280.66247975"},
          {3, 18, "2655.40256276"},
          {3, 19, "51.53059832"}}},
        {"1 : 1 000 000 sheet",
         {"48", "0", "0", "52", "0", "0", "21600", "1000000"},
         {{3, 14, "44.77591626"}, {3, 15, "41.20745626"}, {3, 16, "44.49234285"}, {3, 19, "61.84391792"}}},
        {"real scale denominator", {"0", "0", "0", "0", "0", "0", "900", "50000.0"}, {{3, 19, "55.66063559"}}},
    };
    return examples;
}

TEST(TrapezoidSides, WorkedExamplesInBothLocales)
{
    for (QChar separator : kSeparators) {
        SeparatorScope scope(separator);
        for (const Example& example : SidesExamples()) {
            SCOPED_TRACE(std::string(example.name) + " with '" + char(separator.unicode()) + "'");
            const ResultTable table = ComputeSides(example.edits, separator);
            ExpectCells(table, example.cells, separator);
            ExpectAllFinite(table);
        }
    }
}

TEST(TrapezoidSides, LongitudeDifferenceIsAWholeNumber)
{
    for (QChar separator : kSeparators) {
        SeparatorScope scope(separator);
        for (const char* text : {"900.5", "900,5", "9e2", "", "900 "}) {
            EditTexts typed(TrapezoidSidesExercise(), {{"Edit3", "0"}, {"Edit4", "0"}, {"Edit5", "0"}, {"Edit6", "0"}, {"Edit7", "0"},
                              {"Edit8", "0"}, {"Edit9", text}, {"Edit10", "50000"}});
            try {
                ReadTrapezoidSidesInputs(typed);
                ADD_FAILURE() << "no error for '" << text << "'";
            } catch (const ConversionError& e) {
                EXPECT_EQ(Str(e.text()), "'" + std::string(text) + "' is not a valid integer value");
            }
        }
    }
}

TEST(TrapezoidSides, ZeroScaleDenominatorIsRefusedAfterReading)
{
    for (QChar separator : kSeparators) {
        SeparatorScope scope(separator);
        for (const char* text : {"0", "0.0", "-0", "0e7", "1e-4000"}) {
            try {
                ReadTrapezoidSidesInputs(Typed(TrapezoidSidesExercise(), {"50", "0", "0", "50", "10", "0", "900", text}, separator));
                ADD_FAILURE() << "no error for '" << text << "'";
            } catch (const KveltaError& e) {
                EXPECT_EQ(Str(e.text()), "Знаменатель масштаба M не может быть равен нулю");
            }
        }
        // A conversion error of an earlier edit comes first.
        EXPECT_THROW(ReadTrapezoidSidesInputs(Typed(TrapezoidSidesExercise(), {"50", "0", "0", "50", "10", "0", "9.5", "0"}, separator)),
                     ConversionError);
    }
}

TEST(TrapezoidSides, HostileInputsNeverShowNonFiniteValues)
{
    SeparatorScope scope(QLatin1Char(','));
    {
        // A tiny scale gives huge but finite map lengths.
        const ResultTable table =
            ComputeSides({"50", "0", "0", "51", "0", "0", "2147483647", "1e-300"}, QLatin1Char(','));
        EXPECT_FALSE(table.cell(3, 19).isEmpty());
        ExpectAllFinite(table);
    }
    {
        // Parallels on both sides of the pole make a1·a2 negative: d² < 0 has no root.
        ResultTable table(4, 20);
        TrapezoidSidesLabels(table);
        const TrapezoidSidesInputs in =
            ReadTrapezoidSidesInputs(Typed(TrapezoidSidesExercise(), {"89", "0", "0", "91", "0", "0", "2000000000", "50000"}, ','));
        try {
            RunComputation({&table}, [&] { ComputeTrapezoidSides(in, table); });
            ADD_FAILURE() << "no error";
        } catch (const FloatingPointError& e) {
            EXPECT_EQ(Str(e.text()), "Invalid floating point operation");
        }
        EXPECT_TRUE(table.cell(3, 18).startsWith(QLatin1Char('-')));
        EXPECT_TRUE(table.cell(3, 19).isEmpty());
        ExpectAllFinite(table);
    }
}

}  // namespace
}  // namespace kvelta
