// The descriptions of the exercises hold together: every name is found once, every cell they
// point at lies in its table and holds a number once the worked example is computed.

#include "catalogue/catalogue.h"
#include "catalogue/solution.h"
#include "frame/edit_names.h"
#include "support/kvelta_test.h"

#include <QSet>

namespace kvelta {
namespace {

using test::Str;

TEST(Catalogue, NamesWindowClassesAndMenuItemsAreFoundOnce)
{
    QSet<QString> seen;
    for (const Exercise* exercise : Catalogue()) {
        for (const QString& key : {exercise->name, exercise->windowClass, exercise->menu.itemName}) {
            EXPECT_FALSE(seen.contains(key)) << Str(key);
            seen.insert(key);
        }
        EXPECT_EQ(FindExercise(exercise->name), exercise);
        EXPECT_EQ(FindExerciseByClass(exercise->windowClass), exercise);
        EXPECT_EQ(FindExerciseByMenuItem(exercise->menu.itemName), exercise);
        // The student's fields come first and are text.
        ASSERT_GE(exercise->edits.size(), 3u);
        EXPECT_EQ(exercise->edits[0].kind, EditKind::Text);
        EXPECT_EQ(exercise->edits[1].kind, EditKind::Text);
    }
    EXPECT_EQ(FindExercise("no-such"), nullptr);
}

// Every edit a person types has a short name, each name stands for one input, an angle's three
// edits share one name in order, and the worked example typed under the names reads back into the
// same edit texts.
TEST(Catalogue, EveryInputHasOneShortNameThatTypesTheSameTexts)
{
    for (QChar separator : test::kSeparators) {
        test::SeparatorScope scope(separator);
        for (const Exercise* exercise : Catalogue()) {
            SCOPED_TRACE(Str(exercise->name));
            QSet<QString> names;
            for (const NamedInput& input : NamedInputs(exercise->edits)) {
                EXPECT_FALSE(names.contains(input.name)) << Str(input.name);
                names.insert(input.name);
                EXPECT_FALSE(input.name.startsWith("Edit")) << Str(input.name);
                ASSERT_EQ(input.edits.size(), input.isAngle() ? 3u : 1u) << Str(input.name);
                if (input.isAngle())
                    for (std::size_t k = 0; k < 3; ++k)
                        EXPECT_EQ(input.edits[k]->part, static_cast<AnglePart>(k + 1)) << Str(input.name);
            }
            for (const EditField& edit : exercise->edits)
                EXPECT_EQ(EditShortName(edit).isEmpty(), edit.kind == EditKind::Unused) << Str(edit.name);
            EXPECT_TRUE(names.contains("group") && names.contains("name"));

            const EditTexts example(*exercise, exercise->shownExample());
            TypedTexts texts;
            for (const EditField& edit : exercise->edits)
                if (edit.kind != EditKind::Unused)
                    texts.emplace_back(edit.name, example.text(edit.name));
            TypedTexts readBack;
            for (const auto& [name, value] : NamedValues(exercise->edits, texts)) {
                const TypedTexts typed = TextsOfNamedValue(exercise->edits, name, value);
                readBack.insert(readBack.end(), typed.begin(), typed.end());
            }
            EXPECT_EQ(readBack, texts);
        }
    }
}

TEST(Catalogue, WorkedExamplesComputeAndFillEveryResultAndComparedCell)
{
    for (QChar separator : test::kSeparators) {
        test::SeparatorScope scope(separator);
        for (const Exercise* exercise : Catalogue()) {
            SCOPED_TRACE(Str(exercise->name));
            for (const auto& [edit, text] : exercise->example)
                EXPECT_NE(exercise->edit(edit), nullptr) << Str(edit);
            const Solution solution = SolveExercise(*exercise, exercise->shownExample());
            EXPECT_EQ(Str(solution.fault), "");
            for (const auto* list : {&exercise->results, &exercise->comparison.quantities})
                for (const ResultQuantity& cell : *list) {
                    ASSERT_LT(static_cast<std::size_t>(cell.table), solution.tables.size()) << Str(cell.name);
                    const ResultTable& table = solution.tables[static_cast<std::size_t>(cell.table)];
                    ASSERT_LT(cell.column, table.columnCount()) << Str(cell.name);
                    ASSERT_LT(cell.row, table.rowCount()) << Str(cell.name);
                    EXPECT_TRUE(table.number(cell.column, cell.row).has_value()) << Str(cell.name);
                }
            const std::optional<Comparison> comparison = CompareSolution(solution);
            ASSERT_TRUE(comparison.has_value());
            ASSERT_EQ(comparison->rows.size(), exercise->comparison.quantities.size());
            for (const ComparisonRow& row : comparison->rows)
                EXPECT_EQ(Str(row.reason), "") << Str(row.quantity);
        }
    }
}

}  // namespace
}  // namespace kvelta
