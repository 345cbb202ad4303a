#include "catalogue/catalogue.h"
#include "catalogue/solution.h"
#include "frame/edit_names.h"
#include "instructor/instructor.h"
#include "instructor/table_files.h"
#include "instructor/spreadsheet.h"
#include "instructor/task_cards.h"
#include "reports/docx_writer.h"
#include "reports/text_report.h"
#include "reports/windows1251.h"
#include "reports/word_report.h"

#include <QDir>
#include <QTemporaryDir>
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

// Five variants of the exercise as variants.csv gives them, the first two for named students.
std::vector<TypedTexts> Variants(const Exercise& exercise)
{
    const std::vector<QStringList> sheet =
        ReadTableFile(MakeVariants(exercise, 5, 3, {{"ГД-21", "Ёлкин Иван"}, {"ГД-22", "Петрова Анна"}}));
    std::vector<TypedTexts> variants;
    for (std::size_t v = 1; v < sheet.size(); ++v) {
        TypedTexts typed;
        for (qsizetype c = 0; c < sheet[v].size(); ++c)
            for (const auto& edit : TextsOfNamedValue(exercise.edits, sheet.front()[c], sheet[v][c]))
                typed.push_back(edit);  // variants.csv is headed by the inputs' names
        variants.push_back(typed);
    }
    return variants;
}

// A card has the caption, the group, the name and every given value by its meaning and label, and
// none of the results; cards.pdf's pages hold one, two or four of them, every card once.
TEST(TaskCards, GivenDataOnlyOneTwoOrFourAPage)
{
    for (const Exercise* exercise : Catalogue()) {
        if (!exercise->makeVariant)
            continue;
        const std::vector<TypedTexts> variants = Variants(*exercise);
        const QString where = exercise->name;
        const WordDocument card = TaskCard(*exercise, variants[0]);
        const QString text = DocumentText(card);
        for (const QString& part : {exercise->caption, QString("ГД-21"), QString("Ёлкин Иван")})
            EXPECT_TRUE(text.contains(part)) << test::Str(where) << ": " << test::Str(part);
        for (const EditField& edit : exercise->edits)
            for (const auto& [name, value] : variants[0])
                if (name == edit.name && name != "Edit1" && name != "Edit2" && !value.isEmpty())
                    EXPECT_TRUE(text.contains(edit.meaning) && text.contains(edit.label.simplified())
                                && text.contains(value))
                        << test::Str(where) << ": " << test::Str(edit.name);
        const Solution solution = SolveExercise(*exercise, variants[0]);
        for (const ResultQuantity& result : exercise->results) {
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
            // Cards side by side wrap their long lines: a sheet of cards is always upright.
            for (const WordDocument& page : sheets)
                EXPECT_TRUE(!page.landscape && page.pageHeight > page.pageWidth) << test::Str(where) << " " << perPage;
        }
    }
}

QString Paragraph(const WordBlock& block)
{
    const auto* paragraph = std::get_if<WordParagraph>(&block);
    return paragraph ? paragraph->text() : QStringLiteral("<table>");
}

// An answer key is the student's report with the given data between the student's lines and the
// tables: every given edit by its label, short name and text as typed (an angle's degrees,
// minutes and seconds each as in its edit), in both decimal separators; the .txt, the .docx and
// the document of the answer book alike. The student's own report has none of it.
TEST(AnswerKeys, ShowTheGivenDataAboveTheTables)
{
    for (const QChar separator : {QLatin1Char(','), QLatin1Char('.')}) {
        test::SeparatorScope scope(separator);
        for (const Exercise* exercise : Catalogue()) {
            if (!exercise->makeVariant)
                continue;
            const QString where = exercise->name + " " + separator;
            const TypedTexts typed = Variants(*exercise)[0];
            const Solution solution = SolveExercise(*exercise, typed);
            const ReportView view = solution.view();
            QTemporaryDir dir;
            const WordDocument key = WriteAnswerKey(QDir(dir.path()), "key", solution);

            QStringList given;
            for (const EditField& edit : exercise->edits)
                for (const auto& [name, text] : typed)
                    if (name == edit.name && name != "Edit1" && name != "Edit2")
                        given << QString("%1 (%2%3): %4")
                                     .arg(edit.meaning, edit.label.simplified(),
                                          EditShortName(edit) == edit.label.simplified() ? QString() : ", " + EditShortName(edit), text);
            ASSERT_FALSE(given.isEmpty()) << test::Str(where);
            given.prepend("Исходные данные:");

            // The text: the report's six header lines, the given data and an empty line, the rest.
            const QByteArray report = TextReportBytes(view, exercise->report);
            const QByteArray text = test::ReadFile(dir.filePath("key.txt"));
            qsizetype headerEnd = 0;
            for (int line = 0; line < 6; ++line)
                headerEnd = report.indexOf("\r\n", headerEnd) + 2;
            QByteArray expected = report;
            expected.insert(headerEnd, ToWindows1251(given.join("\r\n") + "\r\n\r\n"));
            EXPECT_EQ(text, expected) << test::Str(where);

            // The document: the given data as paragraphs after the caption and the student's lines.
            const WordDocument studentReport = BuildReportDocument(view, exercise->report);
            ASSERT_EQ(key.body.size(), studentReport.body.size() + static_cast<std::size_t>(given.size())) << test::Str(where);
            for (qsizetype k = 0; k < given.size(); ++k)
                EXPECT_EQ(Paragraph(key.body[static_cast<std::size_t>(3 + k)]), given[k]) << test::Str(where);
            WordDocument withoutGiven = key;
            withoutGiven.body.erase(withoutGiven.body.begin() + 3, withoutGiven.body.begin() + 3 + given.size());
            EXPECT_EQ(WriteDocx(withoutGiven), WriteDocx(studentReport)) << test::Str(where);
            EXPECT_EQ(test::ReadFile(dir.filePath("key.docx")), WriteDocx(key)) << test::Str(where);
            EXPECT_FALSE(report.contains(ToWindows1251("Исходные данные"))) << test::Str(where);
        }
    }
}

// A second group written into a folder of cards replaces the first whole: a larger earlier group's
// last cards go, the user's own files stay, and the folder is not left marked incomplete.
TEST(TaskCards, ReplaceAnEarlierGroupsCards)
{
    const Exercise& exercise = *FindExercise("trapezoid-sides");
    QTemporaryDir dir;
    const QDir cards(dir.filePath("cards"));
    const PdfDrawer drawPdf = [](std::span<const WordDocument> documents, const QString&) {
        return QByteArray("%PDF ") + QByteArray::number(documents.size());
    };
    auto write = [&](int count) {
        const VariantSheet sheet =
            ReadVariantSheet(MakeVariants(exercise, count, 5, {}), exercise, SheetReading{InputEncoding::Utf8, true, false});
        return WriteTaskCards(exercise, sheet, cards, 1, drawPdf);
    };
    ASSERT_EQ(write(5), 0);
    EXPECT_EQ(cards.entryList(QDir::Files).size(), 6);
    QFile own(cards.filePath("notes.txt"));
    ASSERT_TRUE(own.open(QIODevice::WriteOnly) && own.write("mine") == 4);
    own.close();
    ASSERT_EQ(write(3), 0);
    const QStringList files = cards.entryList(QDir::Files | QDir::Hidden, QDir::Name);
    ASSERT_EQ(files.size(), 5) << test::Str(files.join(' '));
    for (int k = 0; k < 3; ++k)
        EXPECT_TRUE(files[k].startsWith(QString("00%1-").arg(k + 1)) && files[k].endsWith(".pdf")) << test::Str(files[k]);
    EXPECT_EQ(files.mid(3), (QStringList{"cards.pdf", "notes.txt"}));
    EXPECT_EQ(test::ReadFile(cards.filePath("cards.pdf")), "%PDF 3");
}

}  // namespace
}  // namespace kvelta
