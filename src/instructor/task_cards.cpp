#include "instructor/task_cards.h"

#include "frame/errors.h"
#include "reports/print_fit.h"
#include "reports/report_file.h"
#include "instructor/given_data.h"
#include "instructor/instructor.h"
#include "instructor/run_folder.h"

namespace kvelta {

namespace {

WordParagraph Paragraph(const QString& text, float size, bool bold, int alignment = 0)
{
    WordParagraph paragraph;
    paragraph.runs.push_back({text, size, bold});
    paragraph.alignment = alignment;
    paragraph.markSize = size;
    return paragraph;
}

QString TypedText(const TypedTexts& typed, const char* edit)
{
    for (const auto& [name, text] : typed)
        if (name == QLatin1String(edit))
            return text.trimmed();
    return {};
}

// The card's lines as paragraphs of one table cell (for two or four a page).
WordCell CardCell(const Exercise& exercise, const TypedTexts& typed)
{
    WordCell cell;
    cell.paragraphs.push_back(Paragraph(exercise.caption, 10, true));
    cell.paragraphs.push_back(Paragraph(QStringLiteral("Группа: %1    Студент: %2").arg(TypedText(typed, "Edit1"), TypedText(typed, "Edit2")), 10, false));
    cell.paragraphs.push_back(Paragraph(kGivenDataHeading, 10, true));
    for (const QString& line : GivenDataLines(exercise, typed))
        cell.paragraphs.push_back(Paragraph(line, 9, false));
    return cell;
}

}  // namespace

WordDocument TaskCard(const Exercise& exercise, const TypedTexts& typed)
{
    WordDocument card;
    card.body.push_back(Paragraph(exercise.caption, 14, true, 1));
    card.body.push_back(Paragraph(QStringLiteral("Группа: %1").arg(TypedText(typed, "Edit1")), 12, false));
    card.body.push_back(Paragraph(QStringLiteral("Студент: %1").arg(TypedText(typed, "Edit2")), 12, false));
    card.body.push_back(Paragraph(QStringLiteral("Исходные данные"), 12, true));
    WordTable table;
    // The headings in the regular face: the fitting measures that face, and a narrowed table must
    // not break a heading inside its word.
    table.rows.push_back({{{Paragraph(QStringLiteral("Величина"), 11, false)}},
                          {{Paragraph(QStringLiteral("Обозначение"), 11, false)}},
                          {{Paragraph(QStringLiteral("Значение"), 11, false)}}});
    for (const GivenValue& given : GivenData(exercise, typed))
        table.rows.push_back({{{Paragraph(given.meaning, 11, false)}}, {{Paragraph(given.label, 11, false)}},
                              {{Paragraph(given.text, 11, false)}}});
    table.headerRows = 1;
    table.wrapText = true;  // a long meaning wraps; the card stays upright
    card.body.push_back(std::move(table));
    card.body.push_back(Paragraph(QString(), 12, false));
    FitForPrint(card);
    return card;
}

std::vector<WordDocument> CardSheets(const Exercise& exercise, std::span<const TypedTexts> variants, int perPage)
{
    std::vector<WordDocument> sheets;
    if (perPage <= 1) {
        for (const TypedTexts& typed : variants)
            sheets.push_back(TaskCard(exercise, typed));
        return sheets;
    }
    const std::size_t columns = perPage == 4 ? 2 : 1;
    for (std::size_t first = 0; first < variants.size(); first += static_cast<std::size_t>(perPage)) {
        WordTable table;
        for (std::size_t k = first; k < std::min(variants.size(), first + static_cast<std::size_t>(perPage)); k += columns) {
            std::vector<WordCell> row;
            for (std::size_t c = 0; c < columns; ++c)
                row.push_back(k + c < variants.size() ? CardCell(exercise, variants[k + c]) : WordCell{{Paragraph({}, 9, false)}});
            table.rows.push_back(std::move(row));
        }
        table.wrapText = true;  // a long caption wraps; the sheet stays portrait
        WordDocument sheet;
        sheet.leftMargin = sheet.rightMargin = 42.55f;
        sheet.body.push_back(std::move(table));
        sheet.body.push_back(Paragraph(QString(), 9, false));
        FitForPrint(sheet);
        sheets.push_back(std::move(sheet));
    }
    return sheets;
}

int WriteTaskCards(const Exercise& exercise, const VariantSheet& sheet, const QDir& dir, int perPage,
                   const PdfDrawer& drawPdf)
{
    if (!drawPdf)
        throw KveltaError(QStringLiteral("PDF files cannot be drawn by this program"));
    // An earlier group's cards go: a larger group's last cards must not pass for this one's.
    RunFolder folder(dir);
    std::vector<TypedTexts> variants;
    int skipped = 0;
    for (std::size_t r = 0; r < sheet.rows.size(); ++r) {
        const std::optional<TypedTexts> typed = sheet.edits(exercise, sheet.rows[r]);
        if (!typed) {
            ++skipped;
            continue;
        }
        const WordDocument card = TaskCard(exercise, *typed);
        const QString stem = KeyFileStem(static_cast<int>(r + 1), TypedText(*typed, "Edit1"), TypedText(*typed, "Edit2"));
        WriteFileAtomically(dir.filePath(stem + QStringLiteral(".pdf")), drawPdf({&card, 1}, exercise.caption), FileSync::Later);
        variants.push_back(*typed);
    }
    const std::vector<WordDocument> sheets = CardSheets(exercise, variants, perPage);
    if (!sheets.empty())
        WriteFileAtomically(dir.filePath(QStringLiteral("cards.pdf")), drawPdf(sheets, exercise.caption), FileSync::Later);
    folder.finish();
    return skipped;
}

}  // namespace kvelta
