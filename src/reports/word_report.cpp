#include "reports/word_report.h"

#include "reports/docx_writer.h"
#include "reports/print_fit.h"
#include "reports/text_report.h"

#include <stdexcept>

namespace kvelta {

namespace {

const QChar kParagraphEnd(u'\r');

const ResultTable& Grid(const ReportView& window, const QString& name)
{
    for (const ReportTable& table : window.tables)
        if (table.name == name && table.table)
            return *table.table;
    // A window handed to the wrong builder: a fault of the program, not of the user.
    throw std::logic_error("the window \"" + window.caption.toStdString() + "\" has no table " + name.toStdString());
}

QString GridName(int number) { return QStringLiteral("StringGrid%1").arg(number); }

void TypeHeading(const QString& heading, WordAutomation& word) { word.TypeText(heading + kParagraphEnd); }

// Every report starts with three paragraphs: the caption, the group and the name.
constexpr std::size_t kHeaderParagraphs = 3;
constexpr float kGivenDataSize = 12.0f;

WordParagraph GivenDataParagraph(const QString& text, bool bold)
{
    WordParagraph paragraph;
    paragraph.runs.push_back({SingleLineText(text), kGivenDataSize, bold});
    paragraph.markSize = kGivenDataSize;
    paragraph.markBold = bold;
    return paragraph;
}

// The given data's paragraphs under the student's lines: the first line a bold heading.
void InsertGivenData(WordDocument& document, const QStringList& given)
{
    if (document.body.size() < kHeaderParagraphs)
        throw std::logic_error("a report without its header");
    std::vector<WordBlock> paragraphs;
    for (qsizetype k = 0; k < given.size(); ++k)
        paragraphs.emplace_back(GivenDataParagraph(given[k], k == 0));
    document.body.insert(document.body.begin() + kHeaderParagraphs, paragraphs.begin(), paragraphs.end());
}

}  // namespace

void WriteWordHeader(const ReportView& window, WordAutomation& word)
{
    word.Connect();
    word.DocumentsAdd(QString(), false);
    word.SetVisible(true);
    word.SetTopMargin(word.CentimetersToPoints(2.0f));
    word.SetBottomMargin(word.CentimetersToPoints(2.0f));
    word.SetLeftMargin(word.CentimetersToPoints(2.5f));
    word.SetRightMargin(word.CentimetersToPoints(1.5f));
    word.SetLeftIndent(word.CentimetersToPoints(0.0f));
    word.SetAlignment(kWordAlignCenter);
    word.SetFontSize(16.0f);
    word.SetBold(kWordToggle);  // on
    word.TypeText(window.caption + kParagraphEnd);
    word.SetBold(kWordToggle);  // off
    word.SetFontSize(14.0f);
    word.SetAlignment(kWordAlignJustify);
    word.TypeText(QStringLiteral("Ст. гр. ") + window.group + kParagraphEnd);
    word.TypeText(QStringLiteral("Ф.И.О. ") + window.name + kParagraphEnd);
}

void AddGridTable(const ResultTable& grid, bool extraRow, bool leaveTable, WordAutomation& word)
{
    const std::vector<int> columns = grid.columnsInUse();
    const std::vector<int> rows = grid.rowsInUse();
    const int rowCount = static_cast<int>(rows.size());
    word.TablesAdd(word.Range(), extraRow ? rowCount + 1 : rowCount, static_cast<int>(columns.size()));
    for (const int r : rows)
        for (const int c : columns) {
            word.TypeText(grid.cell(c, r));
            word.Move(kWordUnitCell, 1);
        }
    if (leaveTable)
        word.MoveDown(kWordUnitLine, 1, kWordExtend);
}

void BuildWordReport(const ReportView& window, WordAutomation& word)
{
    WriteWordHeader(window, word);
    AddGridTable(Grid(window, GridName(1)), false, false, word);
}

void BuildLegendreWordReport(const ReportView& window, WordAutomation& word)
{
    WriteWordHeader(window, word);
    if (window.activePage == 0) {
        TypeHeading(QStringLiteral("Теорема Лежандра"), word);
        AddGridTable(Grid(window, GridName(1)), true, true, word);
    } else {
        TypeHeading(QStringLiteral("Способ аддитаментов"), word);
        AddGridTable(Grid(window, GridName(2)), false, false, word);
    }
}

void BuildEveryPageWordReport(const ReportView& window, WordAutomation& word)
{
    WriteWordHeader(window, word);
    for (std::size_t page = 0; page < window.tables.size(); ++page) {
        TypeHeading(window.tables[page].page, word);
        const bool notLast = page + 1 < window.tables.size();
        AddGridTable(*window.tables[page].table, notLast, notLast, word);
    }
}

void BuildLargeTriangleWordReport(const ReportView& window, WordAutomation& word)
{
    WriteWordHeader(window, word);
    word.SetFontSize(10.0f);
    for (int page = 1; page <= 8; ++page) {
        TypeHeading(QString::number(page), word);
        const bool notLast = page < 8;
        AddGridTable(Grid(window, GridName(page)), notLast, notLast, word);
    }
}

void BuildZoneTransferWordReport(const ReportView& window, WordAutomation& word)
{
    WriteWordHeader(window, word);
    word.SetFontSize(10.0f);
    TypeHeading(QStringLiteral("Первый этап"), word);
    AddGridTable(Grid(window, GridName(1)), true, true, word);
    TypeHeading(QStringLiteral("Второй этап"), word);
    AddGridTable(Grid(window, GridName(2)), true, false, word);
}

WordReportBuilder WordReportBuilderFor(ReportLayout layout)
{
    switch (layout) {
    case ReportLayout::Legendre:
        return BuildLegendreWordReport;
    case ReportLayout::LargeTriangle:
        return BuildLargeTriangleWordReport;
    case ReportLayout::ZoneTransfer:
        return BuildZoneTransferWordReport;
    case ReportLayout::EveryPage:
        return BuildEveryPageWordReport;
    case ReportLayout::Common:
        break;
    }
    return BuildWordReport;
}

WordDocument BuildReportDocument(const ReportView& window, ReportLayout layout, const QStringList& given)
{
    WordDocumentBuilder word;
    WordReportBuilderFor(layout)(window, word);
    WordDocument document = word.document();
    if (!given.isEmpty())
        InsertGivenData(document, given);
    FitForPrint(document);
    return document;
}

QByteArray BuildDocx(const ReportView& window, ReportLayout layout)
{
    return WriteDocx(BuildReportDocument(window, layout));
}

}  // namespace kvelta
