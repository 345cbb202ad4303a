// The document builder: what each report looks like as a .docx file, and how the builder
// follows Word where the reports lean on it (the heading typed over the extra row).
#include "frame/errors.h"
#include "reports/docx_writer.h"
#include "reports/print_fit.h"
#include "reports/word_report.h"
#include "support/kvelta_test.h"
#include "word_docx_reader.h"

#include <QXmlStreamReader>
#include <memory>

namespace kvelta {
namespace {

using test::DocxBody;
using test::DocxParagraph;
using test::DocxTable;

struct Window {
    std::vector<std::unique_ptr<ResultTable>> grids;
    ReportView view;
};

// Grids given as (columns, rows); every cell holds "g<grid>:<column>,<row>", a few are empty.
Window MakeWindow(const QString& caption, const std::vector<std::pair<int, int>>& sizes, int activePage = -1)
{
    Window window;
    window.view = {caption, QStringLiteral("ГД-21"), QStringLiteral("Петров П."), {}, activePage};
    for (std::size_t i = 0; i < sizes.size(); ++i) {
        auto grid = std::make_unique<ResultTable>(sizes[i].first, sizes[i].second);
        for (int r = 0; r < sizes[i].second; ++r)
            for (int c = 0; c < sizes[i].first; ++c)
                if ((r + c) % 5 != 4)
                    grid->setLabel(c, r, QStringLiteral("g%1:%2,%3").arg(i + 1).arg(c).arg(r));
        window.view.tables.push_back({QStringLiteral("StringGrid%1").arg(i + 1), QString::number(i + 1), grid.get()});
        window.grids.push_back(std::move(grid));
    }
    return window;
}

DocxBody Build(const Window& window, WordReportBuilder build, WordDocumentBuilder& word)
{
    build(window.view, word);
    WordDocument document = word.document();
    FitForPrint(document);  // as BuildDocx writes it
    const auto entries = test::Unzip(WriteDocx(document));
    for (const char* name : {"[Content_Types].xml", "_rels/.rels", "word/document.xml", "word/_rels/document.xml.rels",
                             "word/styles.xml", "word/settings.xml"})
        EXPECT_TRUE(entries.count(QLatin1String(name))) << name;
    for (const auto& [name, bytes] : entries) {
        QXmlStreamReader xml(bytes);
        while (!xml.atEnd())
            xml.readNext();
        EXPECT_FALSE(xml.hasError()) << test::Str(name) << ": " << test::Str(xml.errorString());
    }
    return test::ParseDocumentXml(entries.count(QStringLiteral("word/document.xml"))
                                      ? entries.at(QStringLiteral("word/document.xml"))
                                      : QByteArray());
}

void ExpectParagraph(const DocxParagraph& p, const QString& text, const char* alignment, int halfPoints, bool bold)
{
    EXPECT_EQ(test::Str(p.text()), test::Str(text));
    EXPECT_EQ(test::Str(p.alignment), alignment) << test::Str(text);
    EXPECT_EQ(test::Str(p.leftIndent), "0") << test::Str(text);
    for (const auto& run : p.runs) {
        EXPECT_EQ(run.halfPoints, halfPoints) << test::Str(text);
        EXPECT_EQ(run.bold, bold) << test::Str(text);
    }
}

// The header every report begins with: margins 2, 2, 2.5, 1.5 cm; the caption centred, bold,
// 16 pt; the two student lines justified at 14 pt.
void ExpectHeader(const DocxBody& body, const QString& caption)
{
    EXPECT_EQ(body.pageMargins.at(QStringLiteral("w:top")), QStringLiteral("1134"));
    EXPECT_EQ(body.pageMargins.at(QStringLiteral("w:bottom")), QStringLiteral("1134"));
    EXPECT_EQ(body.pageMargins.at(QStringLiteral("w:left")), QStringLiteral("1417"));
    EXPECT_EQ(body.pageMargins.at(QStringLiteral("w:right")), QStringLiteral("850"));
    ASSERT_GE(body.blocks.size(), 3u);
    ExpectParagraph(body.blocks[0].paragraph, caption, "center", 32, true);
    ExpectParagraph(body.blocks[1].paragraph, QStringLiteral("Ст. гр. ГД-21"), "both", 28, false);
    ExpectParagraph(body.blocks[2].paragraph, QStringLiteral("Ф.И.О. Петров П."), "both", 28, false);
}

// A Word table holding the grid's cells in row order, `extraRows` empty rows below them.
void ExpectTable(const DocxTable& table, const ResultTable& grid, int extraRows, int halfPoints)
{
    ASSERT_EQ(static_cast<int>(table.rows.size()), grid.rowCount() + extraRows);
    EXPECT_EQ(static_cast<int>(table.gridColumns.size()), grid.columnCount());
    QStringList expected = test::AllCells(grid);
    for (int i = 0; i < extraRows * grid.columnCount(); ++i)
        expected << QString();
    EXPECT_EQ(table.cellTexts(), expected);
    EXPECT_EQ(table.borders, (QStringList{"top=single", "left=single", "bottom=single", "right=single",
                                          "insideH=single", "insideV=single"}));
    for (const auto& row : table.rows) {
        ASSERT_EQ(static_cast<int>(row.size()), grid.columnCount());
        for (const auto& cell : row) {
            ASSERT_EQ(cell.size(), 1u);
            EXPECT_EQ(test::Str(cell[0].alignment), "left");  // fitted for print: not justified
            EXPECT_EQ(cell[0].markHalfPoints, halfPoints);
            for (const auto& run : cell[0].runs) {
                EXPECT_EQ(run.halfPoints, halfPoints);
                EXPECT_FALSE(run.bold);
            }
        }
    }
}

void ExpectEmptyLastParagraph(const DocxBody& body)
{
    ASSERT_FALSE(body.blocks.empty());
    EXPECT_FALSE(body.blocks.back().isTable);
    EXPECT_TRUE(body.blocks.back().paragraph.text().isEmpty());
}

// Measures in the file never take the user's decimal separator.
class WordDocumentLocale : public ::testing::TestWithParam<QChar> {};

TEST_P(WordDocumentLocale, MeridianArcDocument)
{
    test::SeparatorScope scope(GetParam());
    const Window window = MakeWindow(QStringLiteral("Вычисление дуги меридианов"), {{4, 18}});
    WordDocumentBuilder word;
    const DocxBody body = Build(window, BuildWordReport, word);
    ExpectHeader(body, QStringLiteral("Вычисление дуги меридианов"));
    ASSERT_EQ(body.blocks.size(), 5u);
    ASSERT_TRUE(body.blocks[3].isTable);
    ExpectTable(body.blocks[3].table, *window.grids[0], 0, 28);
    EXPECT_EQ(body.blocks[3].table.cellTexts().size(), 72);
    // columns fitted to their texts across the 17 cm between the margins, less a point for the
    // outer lines
    int sum = 0;
    for (int width : body.blocks[3].table.gridColumns)
        sum += width;
    EXPECT_LE(sum, 11906 - 1417 - 850 - 20);
    EXPECT_GE(sum, 11906 - 1417 - 850 - 20 - 4);
    ExpectEmptyLastParagraph(body);
    EXPECT_TRUE(word.visible());
}

INSTANTIATE_TEST_SUITE_P(BothSeparators, WordDocumentLocale, ::testing::ValuesIn(test::kSeparators));

TEST(WordDocument, ReshSTmFirstPageKeepsExtraRowWithSelectionBelow)
{
    const Window window = MakeWindow(QStringLiteral("Треугольник"), {{7, 16}, {8, 7}}, 0);
    WordDocumentBuilder word;
    const DocxBody body = Build(window, BuildLegendreWordReport, word);
    ExpectHeader(body, QStringLiteral("Треугольник"));
    ASSERT_EQ(body.blocks.size(), 6u);
    ExpectParagraph(body.blocks[3].paragraph, QStringLiteral("Теорема Лежандра"), "both", 28, false);
    ASSERT_TRUE(body.blocks[4].isTable);
    ExpectTable(body.blocks[4].table, *window.grids[0], 1, 28);  // 17 × 7, its last row empty
    ExpectEmptyLastParagraph(body);
    EXPECT_TRUE(word.selectionExtended());
}

TEST(WordDocument, ReshSTmSecondPage)
{
    const Window window = MakeWindow(QStringLiteral("Треугольник"), {{7, 16}, {8, 7}}, 1);
    WordDocumentBuilder word;
    const DocxBody body = Build(window, BuildLegendreWordReport, word);
    ASSERT_EQ(body.blocks.size(), 6u);
    ExpectParagraph(body.blocks[3].paragraph, QStringLiteral("Способ аддитаментов"), "both", 28, false);
    ExpectTable(body.blocks[4].table, *window.grids[1], 0, 28);  // 7 × 8
    EXPECT_FALSE(word.selectionExtended());
}

// Each page number is typed over the extended selection below the table before it, which takes
// the extra row away: the document shows every table exactly as large as its grid.
TEST(WordDocument, SfTrHeadingsReplaceTheExtraRows)
{
    const Window window = MakeWindow(QStringLiteral("Большой треугольник"),
                                     {{4, 31}, {4, 3}, {4, 6}, {5, 14}, {4, 11}, {4, 9}, {2, 4}, {4, 5}}, 2);
    WordDocumentBuilder word;
    const DocxBody body = Build(window, BuildLargeTriangleWordReport, word);
    ExpectHeader(body, QStringLiteral("Большой треугольник"));
    ASSERT_EQ(body.blocks.size(), 3u + 16u + 1u);
    for (int page = 1; page <= 8; ++page) {
        const auto& heading = body.blocks[static_cast<std::size_t>(1 + 2 * page)];
        ASSERT_FALSE(heading.isTable) << page;
        ExpectParagraph(heading.paragraph, QString::number(page), "both", 20, false);
        const auto& table = body.blocks[static_cast<std::size_t>(2 + 2 * page)];
        ASSERT_TRUE(table.isTable) << page;
        ExpectTable(table.table, *window.grids[static_cast<std::size_t>(page - 1)], 0, 20);
    }
    ExpectEmptyLastParagraph(body);
}

TEST(WordDocument, PreobrazStages)
{
    const Window window = MakeWindow(QStringLiteral("Преобразование"), {{2, 27}, {2, 24}});
    WordDocumentBuilder word;
    const DocxBody body = Build(window, BuildZoneTransferWordReport, word);
    ExpectHeader(body, QStringLiteral("Преобразование"));
    ASSERT_EQ(body.blocks.size(), 8u);
    ExpectParagraph(body.blocks[3].paragraph, QStringLiteral("Первый этап"), "both", 20, false);
    ExpectTable(body.blocks[4].table, *window.grids[0], 0, 20);  // the extra row went with the heading
    ExpectParagraph(body.blocks[5].paragraph, QStringLiteral("Второй этап"), "both", 20, false);
    ExpectTable(body.blocks[6].table, *window.grids[1], 1, 20);  // 25 × 2, last row empty
    ExpectEmptyLastParagraph(body);
}

// Whatever a student types into the edits, the file stays well-formed XML: characters XML cannot
// hold are left out, tabs become tab stops and vertical tabs line breaks.
TEST(WordDocument, HostileTextStaysWellFormed)
{
    Window window = MakeWindow(QStringLiteral("A<&>\"'\x01\x1f") + QChar(0xD800) + QStringLiteral("Z"), {{1, 1}});
    window.view.group = QStringLiteral("x\ty\vz") + QChar(0xFFFF) + QChar(0xD83D) + QChar(0xDE00);
    window.view.name = QStringLiteral("two\rparagraphs");
    WordDocumentBuilder word;
    const DocxBody body = Build(window, BuildWordReport, word);
    ASSERT_GE(body.blocks.size(), 4u);
    EXPECT_EQ(test::Str(body.blocks[0].paragraph.text()), "A<&>\"'Z");
    EXPECT_EQ(body.blocks[1].paragraph.text(), QStringLiteral("Ст. гр. x\ty\vz") + QChar(0xD83D) + QChar(0xDE00));
    EXPECT_EQ(body.blocks[2].paragraph.text(), QStringLiteral("Ф.И.О. two"));
    EXPECT_EQ(body.blocks[3].paragraph.text(), QStringLiteral("paragraphs"));
}

// The builder follows Word where text goes into the middle of a paragraph, and refuses what
// Word refuses.
TEST(WordDocument, BuilderEditsAndRefusals)
{
    WordDocumentBuilder word;
    EXPECT_THROW(word.DocumentsAdd(QString(), false), KveltaError);  // not connected
    word.Connect();
    EXPECT_THROW(word.document(), KveltaError);
    EXPECT_THROW(word.TypeText(QStringLiteral("x")), KveltaError);
    word.DocumentsAdd(QString(), false);
    EXPECT_THROW(word.SetAlignment(7), KveltaError);
    EXPECT_THROW(word.SetFontSize(0.5f), KveltaError);
    EXPECT_THROW(word.SetBold(5), KveltaError);
    EXPECT_THROW(word.Move(5, 1), KveltaError);
    EXPECT_THROW(word.SetLeftMargin(word.CentimetersToPoints(20.0f)), KveltaError);

    word.TypeText(QStringLiteral("ab"));
    word.SetBold(kWordToggle);
    word.TypeText(QStringLiteral("B"));
    word.SetBold(kWordToggle);
    word.TypeText(QStringLiteral("cd"));
    const WordRange stale = word.Range();
    word.TypeText(QStringLiteral("\r"));
    EXPECT_THROW(word.TablesAdd(stale, 2, 2), KveltaError);
    // a 2 × 2 table at the empty paragraph goes above it
    word.TablesAdd(word.Range(), 2, 2);
    word.TypeText(QStringLiteral("x"));
    word.Move(kWordUnitCell, 1);
    word.TypeText(QStringLiteral("y"));
    word.Move(kWordUnitCell, 1);
    word.MoveDown(kWordUnitLine, 1, 0);  // plain move from row 2 out of the table
    word.TypeText(QStringLiteral("after"));
    EXPECT_THROW(word.TablesAdd(WordRange{99}, 1, 1), KveltaError);
    EXPECT_THROW(word.TablesAdd(word.Range(), 1, 64), KveltaError);

    const auto& body = word.document().body;
    ASSERT_EQ(body.size(), 3u);
    const auto& first = std::get<WordParagraph>(body[0]);
    ASSERT_EQ(first.runs.size(), 3u);
    EXPECT_EQ(first.runs[1].text, QStringLiteral("B"));
    EXPECT_TRUE(first.runs[1].bold);
    EXPECT_FALSE(first.runs[2].bold);
    const auto& table = std::get<WordTable>(body[1]);
    EXPECT_EQ(table.rows[0][0].paragraphs[0].text(), QStringLiteral("x"));
    EXPECT_EQ(table.rows[0][1].paragraphs[0].text(), QStringLiteral("y"));
    EXPECT_EQ(std::get<WordParagraph>(body[2]).text(), QStringLiteral("after"));

    // a table added at the end of a paragraph goes below it; typing over a selection within the
    // table empties the cells it covers
    word.TablesAdd(word.Range(), 3, 1);
    word.TypeText(QStringLiteral("r1"));
    word.Move(kWordUnitCell, 1);
    word.TypeText(QStringLiteral("r2"));
    word.Move(kWordUnitCell, -1);
    word.MoveDown(kWordUnitLine, 1, kWordExtend);
    word.TypeText(QStringLiteral("new"));
    const auto& after = word.document().body;
    ASSERT_EQ(after.size(), 5u);
    EXPECT_EQ(std::get<WordParagraph>(after[2]).text(), QStringLiteral("after"));
    const auto& split = std::get<WordTable>(after[3]);
    EXPECT_EQ(split.rows[0][0].paragraphs[0].text(), QStringLiteral("new"));
    EXPECT_EQ(split.rows[1][0].paragraphs[0].text(), QString());
    EXPECT_TRUE(std::get<WordParagraph>(after[4]).text().isEmpty());
}

}  // namespace
}  // namespace kvelta
