// The document fitted to hand in: in every exercise's worked example (both pages of the Legendre
// window) each table fits the text width with every text on one line, cell text is flush left,
// heading rows repeat, and the .docx says so; tables too wide turn the page, then step the font.
#include "catalogue/catalogue.h"
#include "catalogue/solution.h"
#include "reports/docx_writer.h"
#include "reports/print_fit.h"
#include "reports/word_report.h"
#include "support/kvelta_test.h"
#include "word_docx_reader.h"

namespace kvelta {
namespace {

// Every exercise's worked example, each page of a window whose report shows one page.
std::vector<std::pair<const Exercise*, int>> WorkedExamples()
{
    std::vector<std::pair<const Exercise*, int>> examples;
    for (const Exercise* exercise : Catalogue()) {
        examples.emplace_back(exercise, 0);
        if (exercise->report == ReportLayout::Legendre)
            examples.emplace_back(exercise, 1);
    }
    return examples;
}

float TextWidthOf(const WordDocument& document)
{
    return document.pageWidth - document.leftMargin - document.rightMargin;
}

class PrintFit : public ::testing::TestWithParam<QChar> {};

TEST_P(PrintFit, EveryWorkedExampleFitsItsPage)
{
    test::SeparatorScope scope(GetParam());
    for (const auto& [exercise, page] : WorkedExamples()) {
        SCOPED_TRACE(test::Str(exercise->name) + " page " + std::to_string(page));
        const Solution solution = SolveExercise(*exercise, exercise->shownExample(), page);
        ASSERT_TRUE(solution.fault.isEmpty()) << test::Str(solution.error());
        const ReportView view = solution.view();
        const WordDocument document = BuildReportDocument(view, exercise->report);
        int tables = 0;
        for (const WordBlock& block : document.body) {
            const auto* table = std::get_if<WordTable>(&block);
            if (!table)
                continue;
            ++tables;
            ASSERT_EQ(static_cast<int>(table->columnWidths.size()), table->columnCount());
            float sum = 0.0f;
            for (float width : table->columnWidths)
                sum += width;
            EXPECT_LE(sum, TextWidthOf(document) + 0.01f);
            EXPECT_EQ(table->headerRows, 1);
            for (const auto& row : table->rows)
                for (std::size_t c = 0; c < row.size(); ++c)
                    for (const WordParagraph& paragraph : row[c].paragraphs) {
                        EXPECT_NE(paragraph.alignment, kWordAlignJustify);
                        for (const WordRun& run : paragraph.runs) {
                            // the report's sizes: 14 pt, 10 pt for the many-table windows
                            EXPECT_GE(run.size, 10.0f);
                            EXPECT_LE(TextWidth(run.text, run.size) + 2 * kCellMargin, table->columnWidths[c])
                                << test::Str(run.text);
                        }
                    }
        }
        EXPECT_EQ(tables, exercise->report == ReportLayout::LargeTriangle ? 8
                          : exercise->report == ReportLayout::ZoneTransfer ? 2
                          : exercise->report == ReportLayout::EveryPage ? static_cast<int>(exercise->tables.size())
                                                                       : 1);

        const auto entries = test::Unzip(WriteDocx(document));
        ASSERT_TRUE(entries.count(QStringLiteral("word/settings.xml")));
        EXPECT_TRUE(entries.at(QStringLiteral("word/settings.xml")).contains("w:name=\"compatibilityMode\""));
        const QByteArray xml = entries.at(QStringLiteral("word/document.xml"));
        EXPECT_EQ(xml.count("<w:tblHeader/>"), tables);
        const test::DocxBody body = test::ParseDocumentXml(xml);
        const int textTwips = body.pageSize.at(QStringLiteral("w:w")).toInt()
                              - body.pageMargins.at(QStringLiteral("w:left")).toInt()
                              - body.pageMargins.at(QStringLiteral("w:right")).toInt();
        for (const test::DocxBlock& block : body.blocks) {
            if (!block.isTable)
                continue;
            int sum = 0;
            for (int width : block.table.gridColumns)
                sum += width;
            EXPECT_LE(sum, textTwips);
            for (const auto& row : block.table.rows)
                for (const auto& cell : row)
                    EXPECT_EQ(test::Str(cell.front().alignment), "left");
        }
    }
}

INSTANTIATE_TEST_SUITE_P(BothSeparators, PrintFit, ::testing::ValuesIn(test::kSeparators));

// A table of `columns` cells of `text`: too wide for a portrait page turns the document to
// landscape; too wide for that too, the font steps down; the empty closing paragraph shrinks.
TEST(PrintFit, WideTablesTurnThePageThenStepTheFont)
{
    struct Case {
        int columns;
        bool landscape;
        bool smaller;
    };
    const QString text = QStringLiteral("-12345678,901");
    for (const Case& c : {Case{4, false, false}, Case{6, true, false}, Case{12, true, true}}) {
        SCOPED_TRACE(c.columns);
        WordDocumentBuilder word;
        ResultTable grid(c.columns, 2);
        for (int col = 0; col < c.columns; ++col)
            grid.setLabel(col, 1, text);
        const ReportView view{QStringLiteral("Ширина"), QString(), QString(), {{"StringGrid1", QString(), &grid}}, -1};
        BuildWordReport(view, word);
        WordDocument document = word.document();
        FitForPrint(document);
        EXPECT_EQ(document.landscape, c.landscape);
        EXPECT_EQ(document.pageWidth > document.pageHeight, c.landscape);
        const auto& table = std::get<WordTable>(document.body[3]);
        const float size = table.rows[1][0].paragraphs[0].runs.at(0).size;
        EXPECT_EQ(size < 14.0f, c.smaller) << size;
        EXPECT_LE(TextWidth(text, size) + 2 * kCellMargin, table.columnWidths[0]);
        EXPECT_EQ(std::get<WordParagraph>(document.body.back()).markSize, 1.0f);
        // the header keeps its sizes
        EXPECT_EQ(std::get<WordParagraph>(document.body[0]).runs.at(0).size, 16.0f);
    }
}

}  // namespace
}  // namespace kvelta
