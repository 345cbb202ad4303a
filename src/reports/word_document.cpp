#include "reports/word_document.h"

#include "frame/errors.h"

#include <algorithm>
#include <cmath>

namespace kvelta {

namespace {

// Word's limits on the values the reports pass.
constexpr float kMinFontSize = 1.0f;
constexpr float kMaxFontSize = 1638.0f;
constexpr int kMaxColumns = 63;
constexpr int kMaxRows = 32767;
constexpr float kMinTextExtent = 28.35f;  // 1 cm of the page must stay free of margins
constexpr int kWordTrue = -1;

[[noreturn]] void Refuse(const QString& text) { throw KveltaError(text); }

bool SameFormat(const WordRun& run, float size, bool bold) { return run.size == size && run.bold == bold; }

int Length(const WordParagraph& paragraph)
{
    int length = 0;
    for (const WordRun& run : paragraph.runs)
        length += static_cast<int>(run.text.size());
    return length;
}

// Splits the paragraph's runs at a character offset: the runs after it are returned.
std::vector<WordRun> SplitRuns(WordParagraph& paragraph, int offset)
{
    std::vector<WordRun> tail;
    std::vector<WordRun> head;
    int position = 0;
    for (WordRun& run : paragraph.runs) {
        const int size = static_cast<int>(run.text.size());
        if (position + size <= offset)
            head.push_back(std::move(run));
        else if (position >= offset)
            tail.push_back(std::move(run));
        else {
            const int cut = offset - position;
            head.push_back({run.text.left(cut), run.size, run.bold});
            tail.push_back({run.text.mid(cut), run.size, run.bold});
        }
        position += size;
    }
    paragraph.runs = std::move(head);
    return tail;
}

void AppendRuns(WordParagraph& paragraph, std::vector<WordRun> runs)
{
    for (WordRun& run : runs) {
        if (run.text.isEmpty())
            continue;
        if (!paragraph.runs.empty() && SameFormat(paragraph.runs.back(), run.size, run.bold))
            paragraph.runs.back().text += run.text;
        else
            paragraph.runs.push_back(std::move(run));
    }
}

WordParagraph EmptyLike(const WordParagraph& format)
{
    WordParagraph paragraph;
    paragraph.alignment = format.alignment;
    paragraph.leftIndent = format.leftIndent;
    paragraph.markSize = format.markSize;
    paragraph.markBold = format.markBold;
    return paragraph;
}

// Font sizes go in half-points, as Word keeps them.
int HalfPoints(float points) { return static_cast<int>(std::lround(points * 2.0f)); }

}  // namespace

QString WordParagraph::text() const
{
    QString all;
    for (const WordRun& run : runs)
        all += run.text;
    return all;
}

void WordDocumentBuilder::Connect() { connected_ = true; }

void WordDocumentBuilder::DocumentsAdd(const QString& templateName, bool newTemplate)
{
    if (!connected_)
        Refuse(QStringLiteral("The word processor is not connected"));
    if (!templateName.isEmpty() || newTemplate)
        Refuse(QStringLiteral("Document templates are not available"));
    WordDocument document;
    document.body.emplace_back(WordParagraph{});
    document_ = std::move(document);
    caret_ = Place{};
    anchor_.reset();
    fontSize_ = 12.0f;
    bold_ = false;
    ++edits_;
}

void WordDocumentBuilder::SetVisible(bool visible)
{
    if (!connected_)
        Refuse(QStringLiteral("The word processor is not connected"));
    visible_ = visible;
}

float WordDocumentBuilder::CentimetersToPoints(float centimetres) { return centimetres * 72.0f / 2.54f; }

const WordDocument& WordDocumentBuilder::document() const
{
    if (!document_)
        Refuse(QStringLiteral("No document is open"));
    return *document_;
}

WordDocument& WordDocumentBuilder::doc()
{
    if (!document_)
        Refuse(QStringLiteral("No document is open"));
    return *document_;
}

void WordDocumentBuilder::checkMargin(float points, float page, float opposite) const
{
    if (!std::isfinite(points) || points < 0.0f || page - points - opposite < kMinTextExtent)
        Refuse(QStringLiteral("Margins, column spacing or paragraph indents are too large for the page width"));
}

void WordDocumentBuilder::SetTopMargin(float points)
{
    checkMargin(points, doc().pageHeight, doc().bottomMargin);
    doc().topMargin = points;
}

void WordDocumentBuilder::SetBottomMargin(float points)
{
    checkMargin(points, doc().pageHeight, doc().topMargin);
    doc().bottomMargin = points;
}

void WordDocumentBuilder::SetLeftMargin(float points)
{
    checkMargin(points, doc().pageWidth, doc().rightMargin);
    doc().leftMargin = points;
}

void WordDocumentBuilder::SetRightMargin(float points)
{
    checkMargin(points, doc().pageWidth, doc().leftMargin);
    doc().rightMargin = points;
}

WordParagraph& WordDocumentBuilder::paragraphAt(const Place& place)
{
    WordBlock& block = doc().body.at(static_cast<std::size_t>(place.block));
    if (!place.inTable())
        return std::get<WordParagraph>(block);
    return std::get<WordTable>(block)
        .rows.at(static_cast<std::size_t>(place.row))
        .at(static_cast<std::size_t>(place.column))
        .paragraphs.at(static_cast<std::size_t>(place.paragraph));
}

WordTable& WordDocumentBuilder::tableAt(int block)
{
    return std::get<WordTable>(doc().body.at(static_cast<std::size_t>(block)));
}

void WordDocumentBuilder::SetLeftIndent(float points)
{
    if (!std::isfinite(points))
        Refuse(QStringLiteral("The indent is not a number"));
    paragraphAt(caret_).leftIndent = points;
    if (anchor_)
        paragraphAt(*anchor_).leftIndent = points;
}

void WordDocumentBuilder::SetAlignment(int alignment)
{
    if (alignment < 0 || alignment > 3)
        Refuse(QStringLiteral("The paragraph alignment %1 is not available").arg(alignment));
    paragraphAt(caret_).alignment = alignment;
    if (anchor_)
        paragraphAt(*anchor_).alignment = alignment;
}

// The format at the insertion point is also that of an empty paragraph's mark, as in Word.
void WordDocumentBuilder::setMark(WordParagraph& paragraph) const
{
    paragraph.markSize = fontSize_;
    paragraph.markBold = bold_;
}

void WordDocumentBuilder::SetFontSize(float points)
{
    doc();
    if (!(points >= kMinFontSize && points <= kMaxFontSize))
        Refuse(QStringLiteral("The number must be between 1 and 1638"));
    fontSize_ = static_cast<float>(HalfPoints(points)) / 2.0f;
    if (WordParagraph& paragraph = paragraphAt(caret_); paragraph.runs.empty())
        setMark(paragraph);
}

void WordDocumentBuilder::SetBold(int bold)
{
    doc();
    if (bold == kWordToggle)
        bold_ = !bold_;
    else if (bold == 0 || bold == kWordTrue || bold == 1)
        bold_ = bold != 0;
    else
        Refuse(QStringLiteral("The value %1 is not available for Bold").arg(bold));
    if (WordParagraph& paragraph = paragraphAt(caret_); paragraph.runs.empty())
        setMark(paragraph);
}

void WordDocumentBuilder::TypeText(const QString& text)
{
    doc();
    ++edits_;
    if (anchor_)
        deleteSelection();
    QString pending;
    for (const QChar ch : text) {
        if (ch == u'\r' || ch == u'\n') {
            insertText(pending);
            pending.clear();
            endParagraph();
        } else {
            pending += ch;
        }
    }
    insertText(pending);
}

void WordDocumentBuilder::insertText(const QString& text)
{
    if (text.isEmpty())
        return;
    WordParagraph& paragraph = paragraphAt(caret_);
    std::vector<WordRun> tail = SplitRuns(paragraph, caret_.offset);
    AppendRuns(paragraph, {WordRun{text, fontSize_, bold_}});
    AppendRuns(paragraph, std::move(tail));
    caret_.offset += static_cast<int>(text.size());
}

// A carriage return: the text after the insertion point goes to a new paragraph of the same
// format, and the insertion point to its start.
void WordDocumentBuilder::endParagraph()
{
    WordParagraph& paragraph = paragraphAt(caret_);
    WordParagraph next = EmptyLike(paragraph);
    setMark(next);
    if (caret_.offset == 0 && paragraph.runs.empty())
        setMark(paragraph);
    AppendRuns(next, SplitRuns(paragraph, caret_.offset));
    if (caret_.inTable()) {
        auto& paragraphs = tableAt(caret_.block)
                               .rows[static_cast<std::size_t>(caret_.row)][static_cast<std::size_t>(caret_.column)]
                               .paragraphs;
        paragraphs.insert(paragraphs.begin() + caret_.paragraph + 1, std::move(next));
        ++caret_.paragraph;
    } else {
        doc().body.insert(doc().body.begin() + caret_.block + 1, WordBlock(std::move(next)));
        ++caret_.block;
    }
    caret_.offset = 0;
}

WordRange WordDocumentBuilder::Range()
{
    doc();
    ranges_.emplace_back(edits_, anchor_ ? *anchor_ : caret_);
    return {static_cast<int>(ranges_.size())};
}

void WordDocumentBuilder::TablesAdd(const WordRange& range, int rows, int columns)
{
    doc();
    if (range.id < 1 || range.id > static_cast<int>(ranges_.size()))
        Refuse(QStringLiteral("The range is not valid"));
    const auto& [madeAt, place] = ranges_[static_cast<std::size_t>(range.id - 1)];
    if (madeAt != edits_ || anchor_)
        Refuse(QStringLiteral("The range is no longer valid"));  // only a collapsed, current range
    if (columns < 1 || columns > kMaxColumns)
        Refuse(QStringLiteral("The number must be between 1 and %1").arg(kMaxColumns));
    if (rows < 1 || rows > kMaxRows)
        Refuse(QStringLiteral("The number must be between 1 and %1").arg(kMaxRows));
    if (place.inTable())
        Refuse(QStringLiteral("Tables cannot be added inside a table"));
    ++edits_;

    caret_ = place;
    // A table goes before the paragraph it is added at; text before the insertion point stays
    // in a paragraph of its own above the table.
    if (caret_.offset > 0)
        endParagraph();
    WordParagraph cellParagraph = EmptyLike(paragraphAt(caret_));
    setMark(cellParagraph);

    WordTable table;
    table.rows.assign(static_cast<std::size_t>(rows),
                      std::vector<WordCell>(static_cast<std::size_t>(columns), WordCell{{cellParagraph}}));
    doc().body.insert(doc().body.begin() + caret_.block, WordBlock(std::move(table)));
    caret_ = Place{caret_.block, 0, 0, 0, 0};
}

void WordDocumentBuilder::Move(int unit, int count)
{
    doc();
    if (unit != kWordUnitCell)
        Refuse(QStringLiteral("The move unit %1 is not available").arg(unit));
    anchor_.reset();
    for (int step = 0; step < std::abs(count) && caret_.inTable(); ++step) {
        const WordTable& table = tableAt(caret_.block);
        int index = caret_.row * table.columnCount() + caret_.column + (count > 0 ? 1 : -1);
        if (index < 0)
            index = 0;
        if (index >= table.rowCount() * table.columnCount()) {
            // past the last cell: to the paragraph below the table
            caret_ = Place{caret_.block + 1, -1, -1, 0, 0};
            break;
        }
        caret_ = Place{caret_.block, index / table.columnCount(), index % table.columnCount(), 0, 0};
    }
}

std::optional<WordDocumentBuilder::Place> WordDocumentBuilder::lineBelow(const Place& place)
{
    const int blocks = static_cast<int>(doc().body.size());
    if (place.inTable()) {
        const WordTable& table = tableAt(place.block);
        const auto& cell = table.rows[static_cast<std::size_t>(place.row)][static_cast<std::size_t>(place.column)];
        if (place.paragraph + 1 < static_cast<int>(cell.paragraphs.size()))
            return Place{place.block, place.row, place.column, place.paragraph + 1, 0};
        if (place.row + 1 < table.rowCount())
            return Place{place.block, place.row + 1, place.column, 0, 0};
        return Place{place.block + 1, -1, -1, 0, 0};  // a table is always followed by a paragraph
    }
    if (place.block + 1 >= blocks)
        return std::nullopt;
    if (std::holds_alternative<WordTable>(doc().body[static_cast<std::size_t>(place.block + 1)]))
        return Place{place.block + 1, 0, 0, 0, 0};
    const int length = Length(std::get<WordParagraph>(doc().body[static_cast<std::size_t>(place.block + 1)]));
    return Place{place.block + 1, -1, -1, 0, std::min(place.offset, length)};
}

void WordDocumentBuilder::MoveDown(int unit, int count, int extend)
{
    doc();
    if (unit != kWordUnitLine)
        Refuse(QStringLiteral("The move unit %1 is not available").arg(unit));
    if (extend != 0 && extend != kWordExtend)
        Refuse(QStringLiteral("The value %1 is not available for Extend").arg(extend));
    Place active = caret_;
    for (int step = 0; step < count; ++step) {
        const std::optional<Place> below = lineBelow(active);
        if (!below)
            break;
        active = *below;
    }
    if (extend == kWordExtend) {
        if (!anchor_)
            anchor_ = caret_;
        if (active == *anchor_)
            anchor_.reset();
    } else {
        anchor_.reset();
    }
    caret_ = active;
}

// Text typed over an extended selection replaces it. A selection reaching out of a table below
// takes whole rows with it, as Word selects them; one inside a table empties its cells.
void WordDocumentBuilder::deleteSelection()
{
    const Place from = *anchor_;
    const Place to = caret_;
    anchor_.reset();
    auto& body = doc().body;

    if (from.inTable() && to.inTable() && from.block == to.block) {
        WordTable& table = tableAt(from.block);
        if (from.row == to.row && from.column == to.column) {
            auto& paragraphs = table.rows[static_cast<std::size_t>(from.row)][static_cast<std::size_t>(from.column)].paragraphs;
            WordParagraph& first = paragraphs[static_cast<std::size_t>(from.paragraph)];
            std::vector<WordRun> rest = SplitRuns(paragraphs[static_cast<std::size_t>(to.paragraph)], to.offset);
            SplitRuns(first, from.offset);
            AppendRuns(first, std::move(rest));
            paragraphs.erase(paragraphs.begin() + from.paragraph + 1, paragraphs.begin() + to.paragraph + 1);
        } else {
            for (int r = std::min(from.row, to.row); r <= std::max(from.row, to.row); ++r)
                for (int c = std::min(from.column, to.column); c <= std::max(from.column, to.column); ++c) {
                    auto& paragraphs = table.rows[static_cast<std::size_t>(r)][static_cast<std::size_t>(c)].paragraphs;
                    WordParagraph kept = EmptyLike(paragraphs.front());
                    paragraphs.assign(1, kept);
                }
            caret_ = Place{from.block, from.row, from.column, 0, 0};
            return;
        }
        caret_ = from;
        return;
    }

    // The selection runs down the body: from a paragraph or a table row to a paragraph or a
    // table row below. Tables are cut by whole rows; paragraphs between go entirely.
    WordParagraph* last = to.inTable() ? nullptr : &std::get<WordParagraph>(body[static_cast<std::size_t>(to.block)]);
    std::vector<WordRun> rest = last ? SplitRuns(*last, to.offset) : std::vector<WordRun>{};
    if (to.inTable()) {
        WordTable& table = tableAt(to.block);
        table.rows.erase(table.rows.begin(), table.rows.begin() + to.row + 1);
    }
    int firstWhole = from.block + 1;
    int lastWhole = to.block - 1;  // blocks between the ends go entirely
    if (from.inTable()) {
        WordTable& table = tableAt(from.block);
        table.rows.erase(table.rows.begin() + from.row, table.rows.end());
    }
    if (!to.inTable()) {
        // the end paragraph keeps what followed the selection
        last->runs.clear();
        AppendRuns(*last, std::move(rest));
    }
    if (!from.inTable()) {
        // the start paragraph keeps its text before the selection, then what followed it
        WordParagraph& first = std::get<WordParagraph>(body[static_cast<std::size_t>(from.block)]);
        SplitRuns(first, from.offset);
        if (!to.inTable()) {
            AppendRuns(first, std::get<WordParagraph>(body[static_cast<std::size_t>(to.block)]).runs);
            lastWhole = to.block;
        }
    }
    if (lastWhole >= firstWhole)
        body.erase(body.begin() + firstWhole, body.begin() + lastWhole + 1);
    int caretBlock = from.inTable() ? from.block + 1 : from.block;
    int caretOffset = from.inTable() ? 0 : from.offset;
    // a table left without rows goes away
    for (int b = static_cast<int>(body.size()) - 1; b >= 0; --b)
        if (auto* table = std::get_if<WordTable>(&body[static_cast<std::size_t>(b)]); table && table->rows.empty()) {
            body.erase(body.begin() + b);
            if (b < caretBlock)
                --caretBlock;
        }
    caret_ = Place{caretBlock, -1, -1, 0, caretOffset};
    if (caretBlock >= static_cast<int>(body.size()) || !std::holds_alternative<WordParagraph>(body[static_cast<std::size_t>(caretBlock)]))
        caret_ = Place{caretBlock, 0, 0, 0, 0};
}

}  // namespace kvelta
