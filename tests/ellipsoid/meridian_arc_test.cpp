#include "ellipsoid/exercises.h"
#include "ellipsoid_test_support.h"
#include "frame/errors.h"

namespace kvelta {
namespace {

using namespace test;

ResultTable ComputeMeridian(const QStringList& edits, QChar separator)
{
    return Computed(MeridianArcExercise(), edits, separator)[0];
}

const std::vector<Example>& MeridianExamples()
{
    static const std::vector<Example> examples = {
        {"50 to 51 degrees",
         {"50", "0", "0", "51", "0", "0"},
         {{1, 1, "6378245.0"},
          {1, 2, "0.00669342"},
          {1, 3, "6335552.727"},
          {1, 4, "0.00000081"},
          {1, 5, "51° 0` 0.0000\""},
          {1, 6, "50° 0` 0.0000\""},
          {1, 7, "50° 30` 0.0000\""},
          {1, 8, "0.00167336"},
          {1, 9, "0.00836678"},
          {1, 10, "0.76604444"},
          {3, 11, "6373064.65142330"},
          {3, 12, "6374165.33738282"},
          {3, 13, "6373615.88832730"},
          {3, 14, "3600.00000000"},
          {3, 16, "111240.47281540"},
          {2, 17, ""},
          {3, 17, ""}}},
        {"0 to 1 degree",
         {"0", "0", "0", "1", "0", "0"},
         {{3, 11, "6335552.72735210"}, {3, 12, "6335572.10207899"}, {3, 13, "6335557.57139345"},
          {3, 16, "110576.26387900"}}},
        {"defaults",
         {"0", "0", "0", "0", "0", "0"},
         {{1, 4, "0.00000081"},
          {1, 5, "0° 0` 0.0000\""},
          {1, 10, "0.00000000"},
          {1, 11, "0.00000000"},
          {1, 12, "0.00000000"},
          {1, 17, "0.00000000"},
          {3, 5, "1.00000000"},
          {3, 10, "1.00000000"},
          {3, 11, "6335552.72735210"},
          {3, 12, "6335552.72735210"},
          {3, 13, "6335552.72735210"},
          {3, 14, "0.00000000"},
          {3, 15, "0.00000000"},
          {3, 16, "0.00000000"}}},
        {"equal latitudes",
         {"50", "0", "0", "50", "0", "0"},
         {{3, 11, "6373064.65142330"},
          {3, 12, "6373064.65142330"},
          {3, 13, "6373064.65142330"},
          {3, 14, "0.00000000"},
          {3, 15, "0.00000000"},
          {3, 16, "0.00000000"}}},
        {"B2 south of B1",
         {"51", "0", "0", "50", "0", "0"},
         {{1, 7, "50° 30` 0.0000\""},
          {3, 11, "6374165.33738282"},
          {3, 12, "6373064.65142330"},
          {3, 14, "-3600.00000000"},
          {3, 16, "-111240.47281540"}}},
        {"southern latitudes",
         {"-50", "0", "0", "-51", "0", "0"},
         {{1, 5, "-51° 0` 0.0000\""},
          {1, 10, "-0.76604444"},
          {3, 11, "6373064.65142330"},
          {3, 12, "6374165.33738282"},
          {3, 13, "6373615.88832730"},
          {3, 16, "-111240.47281540"}}},
        {"across the equator",
         {"-10", "0", "0", "10", "0", "0"},
         {{1, 7, "0° 0` 0.0000\""},
          {1, 12, "0.00000000"},
          {3, 13, "6335552.72735210"},
          {3, 14, "72000.00000000"},
          {3, 16, "2211746.25675952"}}},
    };
    return examples;
}

TEST(MeridianArc, WorkedExamplesInBothLocales)
{
    for (QChar separator : kSeparators) {
        SeparatorScope scope(separator);
        for (const Example& example : MeridianExamples()) {
            SCOPED_TRACE(std::string(example.name) + " with '" + char(separator.unicode()) + "'");
            const ResultTable table = ComputeMeridian(example.edits, separator);
            ExpectCells(table, example.cells, separator);
            ExpectAllFinite(table);
        }
    }
}

TEST(MeridianArc, MirroredLatitudesGiveTheSameRadii)
{
    SeparatorScope scope(QLatin1Char(','));
    const ResultTable north = ComputeMeridian({"47", "12", "30.5", "48", "3", "10"}, QLatin1Char(','));
    const ResultTable south = ComputeMeridian({"-47", "-12", "-30.5", "-48", "-3", "-10"}, QLatin1Char(','));
    for (int row = 11; row <= 13; ++row)
        EXPECT_EQ(Str(north.cell(3, row)), Str(south.cell(3, row)));
    EXPECT_EQ(Str(QLatin1Char('-') + north.cell(3, 16)), Str(south.cell(3, 16)));
}

TEST(MeridianArc, AConversionErrorLeavesTheTableAsItWas)
{
    for (QChar separator : kSeparators) {
        SeparatorScope scope(separator);
        const Exercise& exercise = MeridianArcExercise();
        ExerciseTables tables(exercise);
        exercise.compute(Typed(exercise, {"50", "0", "0", "51"}, separator), tables.set());
        const QStringList before = AllCells(tables[0]);
        const QString other = separator == QLatin1Char(',') ? "51.5" : "51,5";
        EditTexts typed(exercise, {{"Edit3", "50"}, {"Edit6", other}});
        try {
            exercise.compute(typed, tables.set());
            ADD_FAILURE() << "no conversion error";
        } catch (const ConversionError& error) {
            EXPECT_EQ(Str(error.text()), "'" + Str(other) + "' is not a valid floating point value");
        }
        EXPECT_EQ(AllCells(tables[0]), before);
    }
}

}  // namespace
}  // namespace kvelta
