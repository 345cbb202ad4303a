#include "reports/print_fit.h"

#include <QStringList>
#include <algorithm>
#include <cmath>
#include <variant>

namespace kvelta {

namespace {

// Advance widths of Times New Roman (and of its metric twin Liberation Serif), regular, in
// thousandths of an em, for runs of consecutive characters: what the reports' tables hold.
struct WidthRun {
    char16_t first;
    std::initializer_list<short> widths;
};

const WidthRun kWidths[] = {
    {0x0020,
     {
      250, 333, 409, 500, 500, 833, 778, 181, 333, 333, 500, 564, 250, 333, 250, 278, 500, 500, 500,
      500, 500, 500, 500, 500, 500, 500, 278, 278, 564, 564, 564, 444, 921, 723, 667, 667, 723, 611,
      557, 723, 723, 333, 390, 723, 611, 890, 723, 723, 557, 723, 667, 557, 611, 723, 723, 944, 723,
      723, 611, 333, 278, 333, 470, 500, 333, 444, 500, 444, 500, 444, 333, 500, 500, 278, 278, 500,
      278, 778, 500, 500, 500, 500, 333, 390, 278, 500, 500, 723, 500, 500, 444, 480, 201, 480, 542
     }},
    {0x00A0,
     {
      250, 333, 500, 500, 500, 500, 201, 500, 333, 760, 276, 500, 564, 333, 760, 500, 400, 549, 300,
      300, 333, 577, 454, 333, 333, 300, 311, 500, 750, 750, 750, 444
     }},
    {0x0401,
     {
      611, 752, 579, 661, 557, 333, 333, 390, 873, 873, 742, 667, 723, 708, 723, 723, 575, 667, 579,
      683, 611, 896, 501, 723, 723, 667, 679, 890, 723, 723, 723, 557, 667, 611, 708, 791, 723, 723,
      650, 1009, 1009, 707, 873, 575, 661, 1028, 667, 444, 509, 473, 411, 509, 444, 691, 396, 536,
      536, 486, 500, 633, 536, 500, 536, 500, 444, 437, 500, 648, 500, 536, 503, 771, 771, 518, 672,
      457, 430, 748, 460, 444, 444, 483, 411, 430, 390, 278, 278, 278, 728, 724, 500, 486, 536, 500,
      536
     }},
    {0x2013,
     {
      500, 1000
     }},
    {0x2018,
     {
      333, 333, 333, 333, 444, 444, 444
     }},
};

constexpr float kWidestGlyph = 1.0f;  // an em: no character of the font is wider
constexpr float kTabWidth = 36.0f;    // Word's default tab stop, half an inch
// What the measured width of a cell is allowed to differ from its rendering by (rounding to
// twips, a renderer's own rounding of glyph positions).
constexpr float kSafety = 1.5f;
constexpr float kSmallestFontSize = 6.0f;
constexpr float kEmptyParagraphSize = 1.0f;
// A table's outer lines lie half outside its cells: the cells leave them room within the text
// width, or a renderer that clips at the margins cuts the right-hand line off.
constexpr float kBorderRoom = 1.0f;

float GlyphWidth(char16_t ch)
{
    for (const WidthRun& run : kWidths)
        if (ch >= run.first && ch < run.first + run.widths.size())
            return static_cast<float>(run.widths.begin()[ch - run.first]) / 1000.0f;
    return kWidestGlyph;
}

float TableFontSize(const WordTable& table)
{
    float size = 0.0f;
    for (const auto& row : table.rows)
        for (const WordCell& cell : row)
            for (const WordParagraph& paragraph : cell.paragraphs) {
                size = std::max(size, paragraph.markSize);
                for (const WordRun& run : paragraph.runs)
                    size = std::max(size, run.size);
            }
    return size;
}

// The widest line of a cell at the table's font size scaled by `scale`, margins included.
float CellWidth(const WordCell& cell, float scale)
{
    float widest = 0.0f;
    for (const WordParagraph& paragraph : cell.paragraphs) {
        float line = 0.0f;
        for (const WordRun& run : paragraph.runs) {
            // a vertical tab is a line break: the line starts again after it
            const QStringList pieces = run.text.split(u'\v');
            for (qsizetype i = 0; i < pieces.size(); ++i) {
                line = (i > 0 ? 0.0f : line) + TextWidth(pieces[i], run.size * scale);
                widest = std::max(widest, line);
            }
        }
    }
    return widest + 2.0f * kCellMargin + kSafety;
}

std::vector<float> NaturalWidths(const WordTable& table, float scale)
{
    std::vector<float> widths(static_cast<std::size_t>(table.columnCount()), 2.0f * kCellMargin + kSafety);
    for (const auto& row : table.rows)
        for (std::size_t c = 0; c < row.size(); ++c)
            widths[c] = std::max(widths[c], CellWidth(row[c], scale));
    return widths;
}

float Sum(const std::vector<float>& widths)
{
    float sum = 0.0f;
    for (float width : widths)
        sum += width;
    return sum;
}

void ScaleFont(WordTable& table, float scale)
{
    // Word keeps sizes in half-points.
    auto scaled = [scale](float size) { return std::max(1.0f, std::round(size * scale * 2.0f) / 2.0f); };
    for (auto& row : table.rows)
        for (WordCell& cell : row)
            for (WordParagraph& paragraph : cell.paragraphs) {
                paragraph.markSize = scaled(paragraph.markSize);
                for (WordRun& run : paragraph.runs)
                    run.size = scaled(run.size);
            }
}

// The widest columns cut down to one width at which the table fits the text width: the narrow
// ones (numbers, labels) keep theirs, whole.
void CapWidest(std::vector<float>& widths, float textWidth)
{
    std::vector<float> ascending = widths;
    std::sort(ascending.begin(), ascending.end());
    float narrower = 0.0f;
    for (std::size_t k = 0; k < ascending.size(); ++k) {
        const float cap = (textWidth - narrower) / static_cast<float>(ascending.size() - k);
        if (ascending[k] > cap) {
            for (float& width : widths)
                width = std::min(width, cap);
            return;
        }
        narrower += ascending[k];
    }
}

// Columns as wide as their texts; the room left over is shared equally, so that the table spans
// the text width as a table Word adds does. Too wide even so: the font steps down by half-points
// until it fits; at the smallest size the columns shrink in proportion and long texts wrap. A
// table that wraps its texts keeps its font: its widest columns narrow and their texts wrap.
void FitTable(WordTable& table, float textWidth)
{
    const float size = TableFontSize(table);
    float scale = 1.0f;
    std::vector<float> widths = NaturalWidths(table, scale);
    while (!table.wrapText && Sum(widths) > textWidth && size * scale > kSmallestFontSize) {
        scale = (std::round(size * scale * 2.0f) - 1.0f) / 2.0f / size;
        widths = NaturalWidths(table, scale);
    }
    if (scale < 1.0f)
        ScaleFont(table, scale);
    const float sum = Sum(widths);
    if (sum > textWidth && table.wrapText) {
        CapWidest(widths, textWidth);
    } else if (sum > textWidth) {
        for (float& width : widths)
            width *= textWidth / sum;
    } else {
        for (float& width : widths)
            width += (textWidth - sum) / static_cast<float>(widths.size());
    }
    table.columnWidths = std::move(widths);
    table.headerRows = table.rowCount() > 1 ? 1 : 0;
    for (auto& row : table.rows)
        for (WordCell& cell : row)
            for (WordParagraph& paragraph : cell.paragraphs)
                if (paragraph.alignment == kWordAlignJustify)
                    paragraph.alignment = 0;
}

}  // namespace

float TextWidth(const QString& text, float size)
{
    float ems = 0.0f;
    float tabs = 0.0f;
    for (const QChar ch : text) {
        if (ch == u'\t')
            tabs += kTabWidth;
        else if (!ch.isLowSurrogate())  // a pair counts once
            ems += GlyphWidth(ch.unicode());
    }
    return ems * size + tabs;
}

void FitForPrint(WordDocument& document)
{
    const float portraitWidth = document.pageWidth - document.leftMargin - document.rightMargin - kBorderRoom;
    bool tooWide = false;
    for (const WordBlock& block : document.body)
        if (const auto* table = std::get_if<WordTable>(&block))
            tooWide = tooWide || (!table->wrapText && Sum(NaturalWidths(*table, 1.0f)) > portraitWidth);
    // One page format for the whole document: the reports that need the wide page hold one table.
    if (tooWide && !document.landscape) {
        std::swap(document.pageWidth, document.pageHeight);
        document.landscape = true;
    }
    const float tableWidth = document.pageWidth - document.leftMargin - document.rightMargin - kBorderRoom;
    for (WordBlock& block : document.body)
        if (auto* table = std::get_if<WordTable>(&block))
            FitTable(*table, tableWidth);
    // The paragraph a document ends with after its last table holds nothing; at its built size
    // it can spill over onto a page of its own.
    if (document.body.size() >= 2 && std::holds_alternative<WordTable>(document.body[document.body.size() - 2]))
        if (auto* last = std::get_if<WordParagraph>(&document.body.back()); last && last->runs.empty()) {
            last->markSize = kEmptyParagraphSize;
            last->collapsed = true;
        }
}

}  // namespace kvelta
