#include "ellipsoid/parallel_arc.h"
#include "ellipsoid/exercises.h"
#include "ellipsoid_test_support.h"
#include "frame/errors.h"

namespace kvelta {
namespace {

using namespace test;

ResultTable ComputeParallel(const QStringList& edits, QChar separator)
{
    return Computed(ParallelArcExercise(), edits, separator)[0];
}

const std::vector<Example>& ParallelExamples()
{
    static const std::vector<Example> examples = {
        {"1 degree at 50 degrees",
         {"1", "0", "0", "50", "0", "0"},
         {{1, 1, "1° 0` 0.0000\""},
          {1, 2, "50° 0` 0.0000\""},
          {1, 3, "6378245.0"},
          {1, 4, "0.00167336"},
          {1, 5, "0.00502007"},
          {1, 6, "0.76604444"},
          {1, 7, "0.58682409"},
          {1, 8, "0.00098197"},
          {1, 9, "0.00294590"},
          {3, 1, "0.99901803"},
          {3, 2, "0.99705410"},
          {3, 3, "6390808.43756720"},
          {3, 4, "0.64278761"},
          {3, 5, "3600.000"},
          {3, 6, "0.00000485"},
          {3, 7, "4107932.480"},
          {3, 8, "0.01745328"},
          {3, 9, "71696.87986994"}}},
        {"1 degree on the equator",
         {"1", "0", "0", "0", "0", "0"},
         {{1, 6, "0.00000000"},
          {3, 3, "6378245.00000000"},
          {3, 4, "1.00000000"},
          {3, 6, "0.00000485"},
          {3, 7, "6378245.000"},
          {3, 9, "111321.27118028"}}},
        {"defaults",
         {"0", "0", "0", "0", "0", "0"},
         {{1, 1, "0° 0` 0.0000\""},
          {3, 3, "6378245.00000000"},
          {3, 5, "0.000"},
          {3, 6, "0.00000485"},
          {3, 8, "0.00000000"},
          {3, 9, "0.00000000"}}},
        {"no longitude difference",
         {"0", "0", "0", "50", "0", "0"},
         {{3, 3, "6390808.43756720"}, {3, 5, "0.000"}, {3, 7, "4107932.480"}, {3, 8, "0.00000000"},
          {3, 9, "0.00000000"}}},
        {"westward arc",
         {"-1", "0", "0", "50", "0", "0"},
         {{1, 1, "-1° 0` 0.0000\""}, {3, 5, "-3600.000"}, {3, 8, "-0.01745328"}, {3, 9, "-71696.87986994"}}},
        {"southern parallel",
         {"1", "0", "0", "-50", "0", "0"},
         {{1, 2, "-50° 0` 0.0000\""},
          {1, 6, "-0.76604444"},
          {3, 3, "6390808.43756720"},
          {3, 7, "4107932.480"},
          {3, 9, "71696.87986994"}}},
        {"real seconds",
         {"0", "30", "15.5", "50", "0", "0"},
         {{1, 1, "0° 30` 15.5000\""}, {3, 5, "1815.500"}, {3, 6, "0.00000485"}}},
    };
    return examples;
}

TEST(ParallelArc, WorkedExamplesInBothLocales)
{
    for (QChar separator : kSeparators) {
        SeparatorScope scope(separator);
        for (const Example& example : ParallelExamples()) {
            SCOPED_TRACE(std::string(example.name) + " with '" + char(separator.unicode()) + "'");
            const ResultTable table = ComputeParallel(example.edits, separator);
            ExpectCells(table, example.cells, separator);
            ExpectAllFinite(table);
        }
    }
}

TEST(ParallelArc, DegreesAndMinutesAreWholeNumbers)
{
    struct Case {
        QStringList edits;
        const char* error;
    };
    const Case cases[] = {
        {{"12.5", "0", "0", "50", "0", "0"}, "'12.5' is not a valid integer value"},
        {{"12,5", "0", "0", "50", "0", "0"}, "'12,5' is not a valid integer value"},
        {{"1", "0", "0", "50", "1e1", "0"}, "'1e1' is not a valid integer value"},
        {{"1", "0", "abc", "50", "0", "0"}, "'abc' is not a valid floating point value"},
        {{"1", "0", "0", "50", "0", ""}, "'' is not a valid floating point value"},
        // The first bad edit in reading order is the one reported.
        {{"1", "x", "0", "y", "0", "0"}, "'x' is not a valid integer value"},
    };
    for (QChar separator : kSeparators) {
        SeparatorScope scope(separator);
        for (const Case& c : cases) {
            TypedTexts texts;
            for (int i = 0; i < c.edits.size(); ++i)
                texts.emplace_back(QStringLiteral("Edit%1").arg(i + 3), c.edits[i]);  // typed as they are
            try {
                ReadParallelArcInputs(EditTexts(ParallelArcExercise(), texts));
                ADD_FAILURE() << "no error for " << c.error;
            } catch (const ConversionError& e) {
                EXPECT_EQ(Str(e.text()), c.error);
            }
        }
    }
}

}  // namespace
}  // namespace kvelta
