#include "render/document_painter.h"

#include "render/page_drawing.h"
#include "reports/print_fit.h"

#include <QAbstractTextDocumentLayout>
#include <QBuffer>
#include <QPainter>
#include <QPdfWriter>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextTable>
#include <memory>

// Qt Gui's default resolution, which the text layout scales its lengths from.
Q_GUI_EXPORT int qt_defaultDpiY();

namespace kvelta {

namespace {

constexpr float kBorderWidth = 0.5f;  // points: Word's single line of size 4 (eighths of a point)
constexpr float kDefaultFontSize = 12.0f;  // points: the document's default font, which a cell need not repeat

// Lengths of the model are points. Qt's text layout takes the lengths of its formats in pixels
// of the default resolution and scales them to its paint device itself; fonts in points.
class Scale {
public:
    Scale() : pixelsPerPoint_(qt_defaultDpiY() / 72.0) {}
    qreal operator()(float points) const { return points * pixelsPerPoint_; }

private:
    qreal pixelsPerPoint_;
};

QTextCharFormat CharFormat(float size, bool bold)
{
    QTextCharFormat format;
    format.setFontFamilies({kReportFontFamily});
    format.setFontPointSize(size);
    format.setFontWeight(bold ? QFont::Bold : QFont::Normal);
    return format;
}

QTextBlockFormat BlockFormat(const WordParagraph& paragraph, const Scale& scale)
{
    static const Qt::Alignment kAlignments[] = {Qt::AlignLeft, Qt::AlignHCenter, Qt::AlignRight, Qt::AlignJustify};
    QTextBlockFormat format;
    format.setAlignment(kAlignments[std::clamp(paragraph.alignment, 0, 3)]);
    format.setLeftMargin(scale(paragraph.leftIndent));
    format.setTopMargin(0);
    format.setBottomMargin(0);
    if (paragraph.collapsed)
        format.setLineHeight(0, QTextBlockFormat::FixedHeight);
    return format;
}

// Fills the block at the cursor with a paragraph: its format, the format of its mark and its runs.
void WriteParagraph(QTextCursor& cursor, const WordParagraph& paragraph, const Scale& scale)
{
    cursor.setBlockFormat(BlockFormat(paragraph, scale));
    cursor.setBlockCharFormat(CharFormat(paragraph.markSize, paragraph.markBold));
    for (const WordRun& run : paragraph.runs) {
        QString text = run.text;
        text.replace(u'\v', QChar::LineSeparator);  // a line break inside the paragraph
        cursor.insertText(text, CharFormat(run.size, run.bold));
    }
}

void WriteTable(QTextCursor& cursor, const WordTable& table, const Scale& scale, qreal textWidth)
{
    QTextTableFormat format;
    QList<QTextLength> widths;
    for (int c = 0; c < table.columnCount(); ++c) {
        const qreal width = table.columnWidths.empty() ? textWidth / table.columnCount()
                                                       : scale(table.columnWidths[static_cast<std::size_t>(c)]);
        widths.append(QTextLength(QTextLength::FixedLength, width));
    }
    format.setColumnWidthConstraints(widths);
    format.setHeaderRowCount(table.headerRows);
    format.setBorder(scale(kBorderWidth));
    format.setBorderStyle(QTextFrameFormat::BorderStyle_Solid);
    format.setBorderBrush(Qt::black);
    format.setBorderCollapse(true);
    format.setCellSpacing(0);
    format.setCellPadding(0);
    format.setMargin(0);
    format.setAlignment(Qt::AlignLeft);
    QTextTable* text = cursor.insertTable(table.rowCount(), table.columnCount(), format);
    for (int r = 0; r < table.rowCount(); ++r)
        for (int c = 0; c < table.columnCount(); ++c) {
            QTextTableCell cell = text->cellAt(r, c);
            QTextCursor inCell = cell.firstCursorPosition();
            const auto& paragraphs = table.rows[static_cast<std::size_t>(r)][static_cast<std::size_t>(c)].paragraphs;
            for (std::size_t p = 0; p < paragraphs.size(); ++p) {
                if (p > 0)
                    inCell.insertBlock();
                WriteParagraph(inCell, paragraphs[p], scale);
            }
            // The cell's format is the character format of its first block's mark: set after the
            // paragraphs, with that mark's font.
            QTextTableCellFormat cellFormat;
            if (paragraphs.front().markSize != kDefaultFontSize)
                cellFormat.setFontPointSize(paragraphs.front().markSize);
            if (paragraphs.front().markBold)
                cellFormat.setFontWeight(QFont::Bold);
            cellFormat.setLeftPadding(scale(kCellMargin));
            cellFormat.setRightPadding(scale(kCellMargin));
            // Qt draws a collapsed table's own grid only from one pixel up (0.75 pt): the cells
            // draw Word's thinner lines themselves.
            cellFormat.setBorder(scale(kBorderWidth));
            cellFormat.setBorderStyle(QTextFrameFormat::BorderStyle_Solid);
            cell.setFormat(cellFormat);
        }
    cursor.movePosition(QTextCursor::End);
}

QString CellText(const WordCell& cell)
{
    QString text;
    for (const WordParagraph& paragraph : cell.paragraphs)
        for (const WordRun& run : paragraph.runs)
            text += run.text;
    return text.trimmed();
}

// A table in sections, each from a row that heads it: the first row, and any later row that
// repeats the first one's leading heading ("Вершина" over the plane triangle after the spherical
// one). Each section repeats its own heading on the next page, never the first section's.
std::vector<WordTable> Sections(const WordTable& table)
{
    std::vector<int> starts{0};
    const QString heading = table.rows.empty() || table.rows.front().empty() ? QString() : CellText(table.rows.front().front());
    for (int r = 1; table.headerRows > 0 && !heading.isEmpty() && r < table.rowCount(); ++r)
        if (CellText(table.rows[static_cast<std::size_t>(r)].front()) == heading)
            starts.push_back(r);
    starts.push_back(table.rowCount());
    std::vector<WordTable> sections;
    for (std::size_t k = 0; k + 1 < starts.size(); ++k) {
        WordTable section = table;
        section.rows.assign(table.rows.begin() + starts[k], table.rows.begin() + starts[k + 1]);
        section.headerRows = std::min(table.headerRows, section.rowCount() - 1);
        sections.push_back(std::move(section));
    }
    return sections;
}

// The block Qt keeps after a table, made to take no room: the next section follows right below.
void CollapseBlock(QTextCursor& cursor)
{
    QTextBlockFormat format;
    format.setLineHeight(0, QTextBlockFormat::FixedHeight);
    format.setTopMargin(0);
    format.setBottomMargin(0);
    cursor.setBlockFormat(format);
    QTextCharFormat tiny;
    tiny.setFontPointSize(1);
    cursor.setBlockCharFormat(tiny);
}

// The document laid out for the device: one text-width column, pages of the text area's height.
std::unique_ptr<QTextDocument> LayOut(const WordDocument& document, QPagedPaintDevice& device)
{
    const Scale scale;
    auto text = std::make_unique<QTextDocument>();
    text->setDocumentMargin(0);
    text->setUndoRedoEnabled(false);
    QFont font(kReportFontFamily);
    font.setPointSizeF(kDefaultFontSize);
    text->setDefaultFont(font);
    const qreal textWidth = scale(document.pageWidth - document.leftMargin - document.rightMargin);
    // The layout is made for the device while the document is empty, and the whole text goes in
    // as one edit: laid out once, at its end. (A layout made after the text lays out its start
    // at once and all of it again for the page size; one made before, in one edit per insertion,
    // lays a table out again for each of its cells.)
    text->documentLayout()->setPaintDevice(&device);
    text->setPageSize(QSizeF(device.width(), device.height()));

    QTextCursor cursor(text.get());
    cursor.beginEditBlock();
    bool blockFree = true;  // the block at the cursor holds no paragraph yet
    for (const WordBlock& block : document.body) {
        if (const auto* paragraph = std::get_if<WordParagraph>(&block)) {
            if (!blockFree)
                cursor.insertBlock();
            WriteParagraph(cursor, *paragraph, scale);
            blockFree = false;
        } else {
            const std::vector<WordTable> sections = Sections(std::get<WordTable>(block));
            for (std::size_t k = 0; k < sections.size(); ++k) {
                if (k > 0)
                    CollapseBlock(cursor);
                WriteTable(cursor, sections[k], scale, textWidth);
            }
            blockFree = true;  // Qt keeps a block after every table
        }
    }
    cursor.endEditBlock();
    return text;
}

}  // namespace

QPageLayout PageLayoutOf(const WordDocument& document)
{
    const QSizeF portrait(std::min(document.pageWidth, document.pageHeight),
                          std::max(document.pageWidth, document.pageHeight));
    return QPageLayout(QPageSize(portrait, QPageSize::Point, QString(), QPageSize::FuzzyMatch),
                       document.landscape ? QPageLayout::Landscape : QPageLayout::Portrait,
                       QMarginsF(document.leftMargin, document.topMargin, document.rightMargin, document.bottomMargin),
                       QPageLayout::Point);
}

namespace {

// A document laid out, with its faster drawing when it has one.
struct LaidOutText {
    std::unique_ptr<QTextDocument> text;
    std::unique_ptr<PageDrawing> drawing;  // none: Qt's painter draws it
};

LaidOutText LayOutForDrawing(const WordDocument& document, QPagedPaintDevice& device)
{
    LaidOutText laidOut{LayOut(document, device), nullptr};
    laidOut.drawing = PageDrawing::Of(*laidOut.text);
    return laidOut;
}

// Draws page `index` (from 0) of the laid-out text where the painter stands: the page's slice of
// the text, cut between pages only (a table's right-hand border lies on the text area's edge,
// and a clip there would cut it away).
void DrawPage(QPainter& painter, const LaidOutText& laidOut, int index)
{
    const QTextDocument& text = *laidOut.text;
    const QSizeF page = text.pageSize();
    const QRectF view(0, index * page.height(), page.width(), page.height());
    painter.save();
    painter.translate(0, -view.top());
    const QRectF drawn = view.adjusted(-page.width(), 0, page.width(), 0);
    painter.setClipRect(drawn);
    if (laidOut.drawing) {
        laidOut.drawing->draw(painter, drawn);
    } else {
        QAbstractTextDocumentLayout::PaintContext context;
        context.clip = drawn;
        context.palette.setColor(QPalette::Text, Qt::black);
        text.documentLayout()->draw(&painter, context);
    }
    painter.restore();
}

}  // namespace

void PaintDocument(const WordDocument& document, QPagedPaintDevice& device)
{
    device.setPageLayout(PageLayoutOf(document));
    const LaidOutText laidOut = LayOutForDrawing(document, device);
    QPainter painter(&device);
    if (!painter.isActive())
        return;
    // The pages a print dialog chose; none chosen, every page.
    const QPageRanges chosen = device.pageRanges();
    bool firstPage = true;
    for (int index = 0; index < laidOut.text->pageCount(); ++index) {
        if (!chosen.isEmpty() && !chosen.contains(index + 1))
            continue;
        if (!firstPage && !device.newPage())
            return;
        firstPage = false;
        DrawPage(painter, laidOut, index);
    }
}

namespace {

// The bytes of a PDF file of that title, its pages drawn by `draw`.
template <class Draw>
QByteArray PdfBytes(const QString& title, Draw draw)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter pdf(&buffer);
        pdf.setTitle(title);
        pdf.setCreator(QStringLiteral("Kvelta"));
        draw(pdf);
    }
    return bytes;
}

// The laid-out document's pages drawn from where the device stands, each but the first on a new page.
void DrawPages(QPainter& painter, QPagedPaintDevice& device, const LaidOutText& laidOut)
{
    for (int index = 0; index < laidOut.text->pageCount(); ++index) {
        if (index > 0)
            device.newPage();
        DrawPage(painter, laidOut, index);
    }
}

// Keys drawn one at a time, each laid out once on a writer used for its metrics only (never painted,
// so it writes nothing): the same resolution as the files drawn, so the same lines and pages.
class PdfBook final : public PdfBookDrawer {
public:
    PdfBook() : layoutBuffer_(&layoutBytes_), layoutDevice_(&layoutBuffer_), bookBuffer_(&bookBytes_)
    {
        layoutBuffer_.open(QIODevice::WriteOnly);
        bookBuffer_.open(QIODevice::WriteOnly);
    }

    QByteArray draw(const WordDocument& document, const QString& title) override
    {
        last_ = {};
        layoutDevice_.setPageLayout(PageLayoutOf(document));
        LaidOutText laidOut = LayOutForDrawing(document, layoutDevice_);
        const QByteArray bytes = PdfBytes(title, [&](QPdfWriter& pdf) {
            pdf.setPageLayout(PageLayoutOf(document));
            QPainter painter(&pdf);
            DrawPages(painter, pdf, laidOut);
        });
        last_ = std::move(laidOut);
        lastLayout_ = PageLayoutOf(document);
        lastTitle_ = title;
        return bytes;
    }

    void keepLast() override
    {
        if (!last_.text)
            return;
        if (!book_) {
            book_ = std::make_unique<QPdfWriter>(&bookBuffer_);
            book_->setTitle(lastTitle_);
            book_->setCreator(QStringLiteral("Kvelta"));
            book_->setPageLayout(lastLayout_);
            painter_ = std::make_unique<QPainter>(book_.get());
        } else {
            // The new layout takes effect from the next page on.
            book_->setPageLayout(lastLayout_);
            book_->newPage();
        }
        DrawPages(*painter_, *book_, last_);
        last_ = {};
    }

    bool empty() const override { return !book_; }

    QByteArray finish() override
    {
        last_ = {};
        painter_.reset();  // ends the file
        book_.reset();
        return bookBytes_;
    }

private:
    QByteArray layoutBytes_;
    QBuffer layoutBuffer_;
    QPdfWriter layoutDevice_;
    QByteArray bookBytes_;
    QBuffer bookBuffer_;
    std::unique_ptr<QPdfWriter> book_;  // started by the first document kept, which titles it
    std::unique_ptr<QPainter> painter_;
    LaidOutText last_;  // the document drawn last, laid out, until kept
    QPageLayout lastLayout_;
    QString lastTitle_;
};

}  // namespace

QByteArray WritePdf(const WordDocument& document, const QString& title)
{
    return WritePdfBook({&document, 1}, title);
}

QByteArray WritePdfBook(std::span<const WordDocument> documents, const QString& title)
{
    return PdfBytes(title, [&](QPdfWriter& pdf) {
        if (!documents.empty())
            pdf.setPageLayout(PageLayoutOf(documents.front()));
        // One painter for the whole file: a second painter on a PDF writer would start a new file.
        QPainter painter(&pdf);
        bool firstPage = true;
        for (const WordDocument& document : documents) {
            if (!firstPage) {
                // The new layout takes effect from the next page on.
                pdf.setPageLayout(PageLayoutOf(document));
                pdf.newPage();
            }
            firstPage = false;
            DrawPages(painter, pdf, LayOutForDrawing(document, pdf));
        }
    });
}

QByteArray WritePdfAt(const WordDocument& document, const QString& title, int dotsPerInch, TableDrawing drawing)
{
    return PdfBytes(title, [&](QPdfWriter& pdf) {
        pdf.setResolution(dotsPerInch);
        pdf.setPageLayout(PageLayoutOf(document));
        QPainter painter(&pdf);
        DrawPages(painter, pdf,
                  drawing == TableDrawing::Own ? LayOutForDrawing(document, pdf) : LaidOutText{LayOut(document, pdf), nullptr});
    });
}

bool RulesTablesItself(const WordDocument& document, int dotsPerInch)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter pdf(&buffer);
    pdf.setResolution(dotsPerInch);
    pdf.setPageLayout(PageLayoutOf(document));
    return LayOutForDrawing(document, pdf).drawing != nullptr;
}

std::unique_ptr<PdfBookDrawer> StartPdfBook()
{
    return std::make_unique<PdfBook>();
}

}  // namespace kvelta
