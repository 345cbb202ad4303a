#include "catalogue/catalogue.h"
#include "catalogue/solution.h"
#include "frame/edit_names.h"
#include "solve/instructor.h"
#include "solve/table_files.h"
#include "solve/task_cards.h"
#include "support/kvelta_test.h"

namespace kvelta {
namespace {

QString DocumentText(const WordDocument& document)
{
    QStringList text;
    for (const WordBlock& block : document.body) {
        if (const auto* paragraph = std::get_if<WordParagraph>(&block))
            text << paragraph->text();
        else
            for (const auto& row : std::get<WordTable>(block).rows)
                for (const WordCell& cell : row)
                    for (const WordParagraph& paragraph : cell.paragraphs)
                        text << paragraph.text();
    }
    return text.join('\n');
}

// A card has the caption, the group, the name and every given value by its meaning and label, and
// none of the results; cards.pdf's pages hold one, two or four of them, every card once.
TEST(TaskCards, GivenDataOnlyOneTwoOrFourAPage)
{
    for (const Exercise* exercise : Catalogue()) {
        if (!exercise->makeVariant)
            continue;
        const std::vector<QStringList> sheet =
            ReadTableFile(MakeVariants(*exercise, 5, 3, {{"ГД-21", "Ёлкин Иван"}, {"ГД-22", "Петрова Анна"}}));
        std::vector<TypedTexts> variants;
        for (std::size_t v = 1; v < sheet.size(); ++v) {
            TypedTexts typed;
            for (qsizetype c = 0; c < sheet[v].size(); ++c)
                for (const auto& edit : TextsOfNamedValue(exercise->edits, sheet.front()[c], sheet[v][c]))
                    typed.push_back(edit);  // variants.csv is headed by the inputs' names
            variants.push_back(typed);
        }
        const QString where = exercise->name;
        const WordDocument card = TaskCard(*exercise, variants[0]);
        const QString text = DocumentText(card);
        for (const QString& part : {exercise->caption, QString("ГД-21"), QString("Ёлкин Иван")})
            EXPECT_TRUE(text.contains(part)) << test::Str(where) << ": " << test::Str(part);
        for (const EditSpec& edit : exercise->edits)
            for (const auto& [name, value] : variants[0])
                if (name == edit.name && name != "Edit1" && name != "Edit2" && !value.isEmpty())
                    EXPECT_TRUE(text.contains(edit.meaning) && text.contains(edit.label.simplified())
                                && text.contains(value))
                        << test::Str(where) << ": " << test::Str(edit.name);
        const Solution solution = SolveExercise(*exercise, variants[0]);
        for (const QuantitySpec& result : exercise->results) {
            const QString answer = solution.tables[static_cast<std::size_t>(result.table)].cell(result.column, result.row);
            const bool given = std::any_of(variants[0].begin(), variants[0].end(),
                                           [&](const auto& typed) { return typed.second == answer; });
            EXPECT_FALSE(answer.size() > 4 && !given && text.contains(answer)) << test::Str(where) << " shows " << test::Str(answer);
        }
        for (const auto& [perPage, pages] : std::vector<std::pair<int, std::size_t>>{{1, 5}, {2, 3}, {4, 2}}) {
            const std::vector<WordDocument> sheets = CardSheets(*exercise, variants, perPage);
            ASSERT_EQ(sheets.size(), pages) << test::Str(where) << " " << perPage;
            QString all;
            for (const WordDocument& page : sheets)
                all += DocumentText(page);
            EXPECT_EQ(all.count("Ёлкин Иван"), 1);
            EXPECT_EQ(all.count(exercise->caption), 5) << test::Str(where) << " " << perPage;
        }
    }
}

}  // namespace
}  // namespace kvelta
