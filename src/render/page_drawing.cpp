#include "render/page_drawing.h"

#include <QAbstractTextDocumentLayout>
#include <QImage>
#include <QPaintDevice>
#include <QPainter>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextLayout>
#include <QTextTable>
#include <QtMath>
#include <algorithm>
#include <cmath>
#include <optional>

// Qt Gui's default resolution, which the text layout scales its lengths from.
Q_GUI_EXPORT int qt_defaultDpiY();

namespace kvelta {

namespace {

// The layout keeps its lengths in fixed point, 1/64 of a device unit; these are its conversions.
qreal FromReal(qreal length)  // truncated towards zero
{
    return static_cast<int>(length * 64) / 64.0;
}

qreal RoundFixed(qreal length)  // to a whole unit, halves up
{
    return std::floor(length + 0.5);
}

int PageOf(qreal y, qreal pageHeight)  // the layout's page of a fixed-point length
{
    return static_cast<int>(std::floor(y / pageHeight));
}

// The pages a cell's rectangle spans, and its part on one of them, as the border painter cuts it.
struct CellPages {
    CellPages(const QRectF& rect, qreal pageHeight, qreal topAfterBreak, qreal bottomMargin)
        : first(static_cast<int>(rect.top() / pageHeight)), last(static_cast<int>(rect.bottom() / pageHeight)),
          rect(rect), pageHeight(pageHeight), topAfterBreak(topAfterBreak), bottomMargin(bottomMargin)
    {
    }

    QRectF on(int page) const
    {
        QRectF part = rect.toRect();
        if (first != last) {
            part.setTop(std::max(part.top(), page * pageHeight + topAfterBreak));
            part.setBottom(std::min(part.bottom(), (page + 1) * pageHeight - bottomMargin));
            if (part.bottom() <= part.top())
                return {};
        }
        return part;
    }

    int first, last;
    QRectF rect;
    qreal pageHeight, topAfterBreak, bottomMargin;
};

// The collapsed borders of a grid whose cell edges are all one width. Where two edges lie on one
// line, the upper cell's bottom outranks the lower one's top and the left cell's right edge the
// right one's left; the ends of an edge reach into or stop short of the lines they meet by half a
// line width, by those ranks, by which line carries on, and vertical before horizontal.
class GridEdges {
public:
    enum Side { Top, Right, Bottom, Left, NoSide };  // in the order the layout numbers them

    struct Edge {
        bool drawn = false;  // an edge of a cell there is: it has the grid's width
        Side side = NoSide;
    };

    GridEdges(int rows, int columns, qreal deviceWidth) : rows_(rows), columns_(columns), deviceWidth_(deviceWidth) {}

    bool has(int row, int column) const { return row >= 0 && column >= 0 && row < rows_ && column < columns_; }

    static Side Opposite(Side side) { return static_cast<Side>((side + 2) % 4); }
    static bool Vertical(Side side) { return side == Right || side == Left; }

    static void Step(Side side, int* row, int* column)
    {
        *row += side == Bottom ? 1 : side == Top ? -1 : 0;
        *column += side == Right ? 1 : side == Left ? -1 : 0;
    }

    // The edge that rules the line on `side` of a cell: its own or its neighbour's.
    Edge settled(int row, int column, Side side) const
    {
        int r = row, c = column;
        Step(side, &r, &c);
        return Stronger({true, side}, has(r, c) ? Edge{true, Opposite(side)} : Edge{});
    }

    // How far the end of `edge` of a cell moves along it where it meets the line on `across`:
    // half a line width out when the edge outranks the edges meeting there, else half a width in.
    qreal endOffset(int row, int column, Edge edge, Side across, bool continued, bool belowBreak) const
    {
        Edge strongest, widestAcross;
        compete(row, column, across, edge, false, &strongest, &widestAcross);
        int r = row, c = column;
        Step(across, &r, &c);
        if ((!Vertical(edge.side) || !belowBreak) && has(r, c))
            compete(r, c, edge.side, edge, continued, &strongest, nullptr);
        r = row, c = column;
        Step(edge.side, &r, &c);
        if ((edge.side != Top || !belowBreak) && has(r, c))
            compete(r, c, across, edge, false, &strongest, &widestAcross);
        const qreal offset = widestAcross.drawn ? deviceWidth_ / 2.0 : 0.0;
        return Less(strongest, edge) ? -offset : offset;
    }

private:
    static bool Less(const Edge& a, const Edge& b)
    {
        if (a.drawn != b.drawn)
            return !a.drawn;
        return (a.side == Top && b.side == Bottom) || (a.side == Left && b.side == Right);
    }
    static Edge Stronger(const Edge& a, const Edge& b) { return Less(a, b) ? b : a; }

    void compete(int row, int column, Side competing, const Edge& edge, bool continued, Edge* strongest, Edge* widestAcross) const
    {
        const Edge other = settled(row, column, competing);
        if (Less(edge, other))
            *strongest = other;
        else if (other.drawn == edge.drawn
                 && ((Vertical(edge.side) == Vertical(competing) && continued) || (!Vertical(edge.side) && Vertical(competing))))
            *strongest = other;
        if (widestAcross && other.drawn && !widestAcross->drawn)
            *widestAcross = other;
    }

    int rows_, columns_;
    qreal deviceWidth_;
};

// The room the layout keeps between a table's rows and a page's top or foot: the frame's border
// twice, once for the frame and once for its cells. (Lengths of 1/64 units add exactly in any order.)
qreal BreakMargin(const PageDrawing::Table& table)
{
    return table.border + table.border;
}

QRectF CellRect(const PageDrawing::Table& table, int row, int column)
{
    const std::size_t r = static_cast<std::size_t>(row), c = static_cast<std::size_t>(column);
    return QRectF(table.columnLefts[c], table.rowTops[r], table.columnWidths[c], table.rowHeights[r]);
}

// Where the layout ends a block's last line, from its cell's origin.
std::optional<qreal> BlockEnd(const QTextBlock& block)
{
    const QTextLayout* layout = block.layout();
    if (!layout || layout->lineCount() == 0)
        return std::nullopt;
    const QTextLine line = layout->lineAt(layout->lineCount() - 1);
    return layout->position().y() + line.y() + line.height();
}

// The lengths a table's cells share, as the layout works them out on the device: the ruling
// line's width (half of it is added to each cell's padding, the outer halves in whole units
// around the grid) and the paddings.
struct CellMetrics {
    qreal edgeWidth = 0;
    qreal leftPadding = 0, rightPadding = 0, topPadding = 0, bottomPadding = 0;
    qreal outerHalf = 0;
};

class CellFormats {
public:
    CellFormats(const QTextTableFormat& table, qreal dpi) : table_(table), dpi_(dpi) {}

    qreal toDevice(qreal length) const { return length * dpi_ / qreal(qt_defaultDpiY()); }

    CellMetrics metricsOf(const QTextTableCellFormat& cell) const
    {
        CellMetrics metrics;
        metrics.edgeWidth = cell.topBorder();
        const qreal half = FromReal(metrics.edgeWidth / 2 * toDevice(1));
        metrics.leftPadding = padding(cell, QTextFormat::TableCellLeftPadding) + half;
        metrics.rightPadding = padding(cell, QTextFormat::TableCellRightPadding) + half;
        metrics.topPadding = padding(cell, QTextFormat::TableCellTopPadding) + half;
        metrics.bottomPadding = padding(cell, QTextFormat::TableCellBottomPadding) + half;
        metrics.outerHalf = RoundFixed(FromReal(toDevice(metrics.edgeWidth / 2)));
        return metrics;
    }

    // A cell of a plain grid: ruled all round in solid black of the grid's width, with the
    // grid's paddings, its text at the top, no shading.
    bool plain(const QTextTableCellFormat& cell, const CellMetrics& grid) const
    {
        const CellMetrics metrics = metricsOf(cell);
        for (const auto side : {QTextFormat::TableCellTopBorder, QTextFormat::TableCellRightBorder,
                                QTextFormat::TableCellBottomBorder, QTextFormat::TableCellLeftBorder})
            if (cell.doubleProperty(side) != grid.edgeWidth)
                return false;
        for (const auto style : {cell.topBorderStyle(), cell.rightBorderStyle(), cell.bottomBorderStyle(), cell.leftBorderStyle()})
            if (style != QTextFrameFormat::BorderStyle_Solid)
                return false;
        for (const QBrush& brush : {cell.topBorderBrush(), cell.rightBorderBrush(), cell.bottomBorderBrush(),
                                    cell.leftBorderBrush(), cell.background()})
            if (brush.style() != Qt::NoBrush)
                return false;
        return cell.verticalAlignment() != QTextCharFormat::AlignMiddle && cell.verticalAlignment() != QTextCharFormat::AlignBottom
               && metrics.leftPadding == grid.leftPadding && metrics.rightPadding == grid.rightPadding
               && metrics.topPadding == grid.topPadding && metrics.bottomPadding == grid.bottomPadding;
    }

private:
    qreal padding(const QTextTableCellFormat& cell, QTextFormat::Property property) const
    {
        return cell.hasProperty(property) ? FromReal(cell.doubleProperty(property) * toDevice(1))
                                          : FromReal(toDevice(table_.cellPadding()));
    }

    QTextTableFormat table_;
    qreal dpi_;
};

// A cell's text where the layout put it: its blocks, its origin in the document and the height
// the layout gives it (its text and paddings, in whole units).
struct CellText {
    std::vector<QTextBlock> blocks;
    QPointF origin;
    qreal height = 0;
};

std::optional<CellText> CellTextOf(const QTextTableCell& cell, const QAbstractTextDocumentLayout& layout, const CellMetrics& metrics)
{
    CellText text;
    for (QTextFrame::iterator it = cell.begin(); !it.atEnd(); ++it) {
        if (it.currentFrame())
            return std::nullopt;
        // Paragraphs that end where their last line does: single line height, no spacing.
        const QTextBlockFormat format = it.currentBlock().blockFormat();
        if (format.lineHeightType() != QTextBlockFormat::SingleHeight || format.topMargin() != 0 || format.bottomMargin() != 0)
            return std::nullopt;
        text.blocks.push_back(it.currentBlock());
    }
    if (text.blocks.empty())
        return std::nullopt;
    const std::optional<qreal> end = BlockEnd(text.blocks.back());
    if (!end)
        return std::nullopt;
    const QTextBlock& first = text.blocks.front();
    text.origin = layout.blockBoundingRect(first).topLeft() - first.layout()->position();
    text.height = RoundFixed(*end + metrics.topPadding + metrics.bottomPadding);
    return text;
}

// Whether the layout lengthened the row above a row it took on to the next page down to the
// page's foot, which it does at some page breaks and not at others. The layout itself is asked:
// it draws the stretch of the table's left-hand rule between the row's own end and the foot, a
// few units of it, which shows ink where the row reaches down.
bool ReachesPageFoot(const QAbstractTextDocumentLayout& layout, qreal ruleX, qreal rowEnd, qreal pageFoot)
{
    const qreal top = std::min(rowEnd, pageFoot) + 1, bottom = std::max(rowEnd, pageFoot) - 1;
    if (bottom <= top)
        return false;  // a unit or two either way, too little to see: the row as tall as its text
    const qreal x = std::round(ruleX) - 2;
    QImage strip(4, static_cast<int>(std::ceil(bottom - top)), QImage::Format_Grayscale8);
    strip.fill(Qt::white);
    {
        QPainter painter(&strip);
        painter.translate(-x, -top);
        QAbstractTextDocumentLayout::PaintContext context;
        context.clip = QRectF(x, top, strip.width(), strip.height());
        context.palette.setColor(QPalette::Text, Qt::black);
        const_cast<QAbstractTextDocumentLayout&>(layout).draw(&painter, context);
    }
    bool inked = false;
    for (int y = 0; y < strip.height(); ++y)
        for (int x = 0; x < strip.width(); ++x)
            inked = inked || qGray(strip.pixel(x, y)) < 128;
    return rowEnd < pageFoot ? inked : !inked;
}

// Sets each row's height, checking that it stands where the layout's steps put it from where the
// row above ends: the layout takes a row on to the next page when it would start in the page's
// foot, or when none of its cells' text would start above the foot (sometimes lengthening the
// row above to the foot); a row that would start in the margin at a page's top moves down to the
// text. The heading rows come again below the top of every later page.
bool PlaceRows(PageDrawing::Table& grid, const QAbstractTextDocumentLayout& layout, qreal pageHeight, qreal outerHalf)
{
    const qreal tableY = grid.position.y();
    const auto headingHeight = [&] {
        const std::size_t last = static_cast<std::size_t>(grid.repeatedHeadingRows - 1);
        const qreal height = grid.rowTops[last] + grid.rowHeights[last] - grid.rowTops[0];
        return height - height * PageOf(height, pageHeight);
    };
    for (int r = 0; r < grid.rows; ++r) {
        const std::size_t k = static_cast<std::size_t>(r);
        const qreal start = r == 0 ? outerHalf + grid.border : grid.rowTops[k - 1] + grid.rowHeights[k - 1];
        const int page = PageOf(start + tableY, pageHeight);
        const qreal heading = grid.repeatedHeadingRows > 0 && r >= grid.repeatedHeadingRows ? headingHeight() : 0;
        const qreal pageBottom = (page + 1) * pageHeight - BreakMargin(grid) - tableY;
        const qreal pageTop = page * pageHeight + BreakMargin(grid) + heading - tableY;
        const qreal placed = grid.rowTops[k];
        if ((start <= pageBottom && start >= pageTop && placed == start) || (start < pageTop && placed == pageTop))
            continue;
        if (placed != pageTop + pageHeight)
            return false;
        if (r > grid.repeatedHeadingRows
            && ReachesPageFoot(layout, grid.columnLefts.front(), start + tableY, pageBottom + tableY))
            grid.rowHeights[k - 1] = pageBottom - grid.rowTops[k - 1];
    }
    if (grid.repeatedHeadingRows > 0)
        grid.headingHeight = headingHeight();
    return true;
}

// Works a table's grid out from where the layout put the cells' text, or none when the table is
// not a plain grid the layout placed as worked out here.
std::optional<PageDrawing::Table> GridOf(QTextTable* table, const QAbstractTextDocumentLayout& layout, qreal dpi,
                                         qreal pageHeight)
{
    const QTextTableFormat format = table->format();
    if (!format.borderCollapse() || format.border() >= 1 || !table->childFrames().isEmpty() || table->rows() < 1
        || table->columns() < 1)
        return std::nullopt;
    PageDrawing::Table grid;
    grid.rows = table->rows();
    grid.columns = table->columns();
    grid.headingRows = format.headerRowCount();
    grid.repeatedHeadingRows = std::min(grid.headingRows, grid.rows - 1);
    const CellFormats formats(format, dpi);
    const CellMetrics metrics = formats.metricsOf(table->cellAt(0, 0).format().toTableCellFormat());
    grid.edgeWidth = metrics.edgeWidth;
    grid.deviceEdgeWidth = formats.toDevice(metrics.edgeWidth);
    grid.leftPadding = metrics.leftPadding;
    grid.topPadding = metrics.topPadding;

    std::vector<CellText> cells;
    for (int r = 0; r < grid.rows; ++r)
        for (int c = 0; c < grid.columns; ++c) {
            const QTextTableCell cell = table->cellAt(r, c);
            if (cell.rowSpan() != 1 || cell.columnSpan() != 1 || !formats.plain(cell.format().toTableCellFormat(), metrics))
                return std::nullopt;
            std::optional<CellText> text = CellTextOf(cell, layout, metrics);
            if (!text)
                return std::nullopt;
            cells.push_back(std::move(*text));
        }
    const auto at = [&](int r, int c) -> const CellText& { return cells[static_cast<std::size_t>(r * grid.columns + c)]; };

    // The table stands at the text area's left edge, its frame's border in whole units.
    grid.size = layout.frameBoundingRect(table).size();
    grid.border = at(0, 0).origin.x() - metrics.outerHalf - metrics.leftPadding;
    if (grid.border != RoundFixed(FromReal(formats.toDevice(format.border()))))
        return std::nullopt;
    for (int c = 0; c < grid.columns; ++c) {
        const qreal left = at(0, c).origin.x() - metrics.leftPadding;
        for (int r = 1; r < grid.rows; ++r)
            if (at(r, c).origin.x() - metrics.leftPadding != left)
                return std::nullopt;
        if (c > 0)
            grid.columnWidths.push_back(left - grid.columnLefts.back());
        grid.columnLefts.push_back(left);
    }
    grid.columnWidths.push_back(grid.size.width() - grid.columnLefts.back() - grid.border - metrics.outerHalf);

    // Rows as tall as their tallest cells. The frame ends below the last row by the border and
    // the outer half line, which places the frame.
    for (int r = 0; r < grid.rows; ++r) {
        qreal height = 0;
        for (int c = 0; c < grid.columns; ++c) {
            if (at(r, c).origin.y() != at(r, 0).origin.y())
                return std::nullopt;
            height = std::max(height, at(r, c).height);
        }
        grid.rowTops.push_back(at(r, 0).origin.y() - metrics.topPadding);
        grid.rowHeights.push_back(height);
    }
    const qreal tableY = grid.rowTops.back() + grid.rowHeights.back() + grid.border + metrics.outerHalf - grid.size.height();
    grid.position = QPointF(0, tableY);
    for (qreal& top : grid.rowTops)
        top -= tableY;
    if (!PlaceRows(grid, layout, pageHeight, metrics.outerHalf))
        return std::nullopt;
    for (CellText& cell : cells)
        grid.cellBlocks.push_back(std::move(cell.blocks));
    return grid;
}

}  // namespace

std::unique_ptr<PageDrawing> PageDrawing::Of(const QTextDocument& text)
{
    const QAbstractTextDocumentLayout* layout = text.documentLayout();
    if (!layout || !layout->paintDevice() || text.pageSize().height() <= 0)
        return nullptr;
    auto drawing = std::unique_ptr<PageDrawing>(new PageDrawing);
    drawing->pageHeight_ = text.pageSize().height();
    drawing->rootRect_ = layout->frameBoundingRect(text.rootFrame());
    if (drawing->rootRect_.topLeft() != QPointF(0, 0))
        return nullptr;
    const qreal dpi = layout->paintDevice()->logicalDpiY();
    for (QTextFrame::iterator it = text.rootFrame()->begin(); !it.atEnd(); ++it) {
        if (QTextFrame* frame = it.currentFrame()) {
            auto* table = qobject_cast<QTextTable*>(frame);
            std::optional<Table> grid;
            if (table)
                grid = GridOf(table, *layout, dpi, drawing->pageHeight_);
            if (!grid)
                return nullptr;
            drawing->flow_.push_back({{}, static_cast<int>(drawing->tables_.size())});
            drawing->tables_.push_back(std::move(*grid));
        } else {
            drawing->flow_.push_back({it.currentBlock(), -1});
        }
    }
    return drawing;
}

void PageDrawing::draw(QPainter& painter, const QRectF& clip) const
{
    painter.save();
    painter.setPen(Qt::black);
    for (const FlowItem& item : flow_) {
        if (item.table >= 0)
            drawTable(painter, tables_[static_cast<std::size_t>(item.table)], clip);
        else
            drawBlock(painter, item.block, QPointF(0, 0), clip);
    }
    painter.restore();
}

// A paragraph's lines, skipped as the layout skips them when none shows in the clip.
void PageDrawing::drawBlock(QPainter& painter, const QTextBlock& block, const QPointF& offset, const QRectF& clip) const
{
    const QTextLayout* layout = block.layout();
    QRectF bounds = layout->boundingRect();
    bounds.translate(offset + layout->position());
    if (bounds.bottom() < clip.y() || bounds.top() > clip.bottom())
        return;
    layout->draw(&painter, offset, {}, clip & rootRect_);
}

void PageDrawing::drawTable(QPainter& painter, const Table& table, const QRectF& clip) const
{
    // The table is drawn from whole units, as its frame is.
    const QPointF origin = QPointF(table.position.toPoint());
    if (origin.y() > clip.bottom() || origin.y() + table.size.height() < clip.top() || origin.x() > clip.right()
        || origin.x() + table.size.width() < clip.left())
        return;
    const qreal half = table.edgeWidth / 2;
    const auto shows = [&](const QRectF& cell) { return cell.adjusted(-half, -half, half, half).intersects(clip); };

    // The heading rows again at the top of every later page the table reaches.
    const int firstPage = PageOf(table.position.y(), pageHeight_);
    const int lastPage = PageOf(table.position.y() + table.size.height(), pageHeight_);
    for (int page = firstPage + 1; page <= lastPage; ++page) {
        const qreal shift = page * pageHeight_ + BreakMargin(table) - table.rowTops.front();
        for (int r = 0; r < table.repeatedHeadingRows; ++r)
            for (int c = 0; c < table.columns; ++c) {
                const QRectF cell = CellRect(table, r, c).translated(origin.x(), shift);
                if (shows(cell))
                    drawCell(painter, table, r, c, cell, clip);
            }
    }

    // The rows from the one above the clip's top to the one below its bottom.
    int firstRow = 0, lastRow = table.rows;
    auto row = std::lower_bound(table.rowTops.begin(), table.rowTops.end(), FromReal(clip.top() - origin.y()));
    if (row != table.rowTops.end() && row != table.rowTops.begin())
        firstRow = static_cast<int>(row - table.rowTops.begin()) - 1;
    row = std::upper_bound(table.rowTops.begin(), table.rowTops.end(), FromReal(clip.bottom() - origin.y()));
    if (row != table.rowTops.end())
        lastRow = static_cast<int>(row - table.rowTops.begin()) + 1;
    for (int r = firstRow; r < lastRow; ++r)
        for (int c = 0; c < table.columns; ++c) {
            const QRectF cell = CellRect(table, r, c).translated(origin);
            if (shows(cell))
                drawCell(painter, table, r, c, cell, clip);
        }
}

void PageDrawing::drawCell(QPainter& painter, const Table& table, int row, int column, const QRectF& cellRect,
                           const QRectF& clip) const
{
    drawCellRules(painter, table, row, column, cellRect);
    const QPointF offset(cellRect.left() + table.leftPadding, cellRect.top() + table.topPadding);
    for (const QTextBlock& block : table.cellBlocks[static_cast<std::size_t>(row * table.columns + column)])
        drawBlock(painter, block, offset, clip);
}

// A cell's four edges on every page it reaches: no top edge under a page break where a heading
// is repeated, no bottom edge above one, the side edges' ends settled with the lines they meet.
void PageDrawing::drawCellRules(QPainter& painter, const Table& table, int row, int column, const QRectF& cellRect) const
{
    using Side = GridEdges::Side;
    const GridEdges edges(table.rows, table.columns, table.deviceEdgeWidth);
    qreal topAfterBreak = BreakMargin(table);
    if (table.repeatedHeadingRows > 0 && row >= table.repeatedHeadingRows)
        topAfterBreak += table.headingHeight;
    const qreal bottomMargin = BreakMargin(table);
    const CellPages pages(cellRect, pageHeight_, topAfterBreak, bottomMargin);
    const qreal shift = cellRect.top() - table.rowTops[static_cast<std::size_t>(row)];
    const int lastHeadingRow = table.headingRows - 1;
    const bool hasHeading = table.headingRows > 0;
    const bool isHeading = row < table.headingRows;
    const bool isFirstRow = row == lastHeadingRow + 1;
    const bool isLastRow = row + 1 >= table.rows;
    const qreal line = table.deviceEdgeWidth;

    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::black);
    for (int page = pages.first; page <= pages.last; ++page) {
        const QRectF rect = pages.on(page);
        if (!rect.isValid())
            continue;
        const bool previousOnEarlierPage =
            !isFirstRow && !isHeading
            && CellPages(CellRect(table, row - 1, column).translated(0, shift), pageHeight_, topAfterBreak, bottomMargin).last < page;
        const bool nextOnLaterPage =
            !isLastRow
            && CellPages(CellRect(table, row + 1, column).translated(0, shift), pageHeight_, topAfterBreak, bottomMargin).first > page;
        const bool startsHere = page == pages.first, endsHere = page == pages.last;
        const bool belowBreak = !hasHeading && startsHere && previousOnEarlierPage;
        const bool belowHeading = hasHeading && startsHere && previousOnEarlierPage;
        const bool noTop = !isHeading && (!startsHere || belowHeading);
        const bool noBottom = !isHeading && (!endsHere || nextOnLaterPage);
        const bool keepTopEnd = !hasHeading && !startsHere;

        const auto drawEdge = [&](Side side, int headingRow, bool settleTop, bool settleBottom, bool broken) {
            const GridEdges::Edge edge = edges.settled(row, column, side);
            const auto end = [&](int r, Side across, bool continued, bool below) {
                return edges.endOffset(r, column, edge, across, continued, below);
            };
            QPointF p1, p2;
            qreal wh = 0, wv = 0;
            switch (side) {
            case Side::Top:
                wv = line;
                p1 = rect.topLeft() + QPointF(qFloor(end(row, Side::Left, false, broken)), 0);
                p2 = rect.topRight() + QPointF(-qCeil(end(row, Side::Right, true, broken)), 0);
                p1 += QPointF(0, -qCeil(line / 2.0));
                p2 += QPointF(0, -qCeil(line / 2.0));
                break;
            case Side::Bottom:
                wv = line;
                p1 = rect.bottomLeft() + QPointF(qFloor(end(row, Side::Left, false, false)), -wv);
                p2 = rect.bottomRight() + QPointF(-qCeil(end(row, Side::Right, true, false)), -wv);
                p1 += QPointF(0, qFloor(line / 2.0));
                p2 += QPointF(0, qFloor(line / 2.0));
                break;
            case Side::Left:
            case Side::Right: {
                wh = line;
                const int anchorRow = headingRow != -1 ? headingRow : row;
                const Side anchorSide = headingRow != -1 ? Side::Bottom : Side::Top;
                const qreal x = side == Side::Left ? 0 : -wh;
                const QPointF top = side == Side::Left ? rect.topLeft() : rect.topRight();
                const QPointF bottom = side == Side::Left ? rect.bottomLeft() : rect.bottomRight();
                p1 = top + QPointF(x, settleTop ? qFloor(end(anchorRow, anchorSide, false, broken)) : 0);
                p2 = bottom + QPointF(x, settleBottom ? -qCeil(end(row, Side::Bottom, true, false)) : 0);
                const QPointF out(side == Side::Left ? -qCeil(line / 2.0) : qFloor(line / 2.0), 0);
                p1 += out;
                p2 += out;
                break;
            }
            default:
                break;
            }
            const qreal x1 = p1.x(), y1 = p1.y(), x2 = p2.x() + wh, y2 = p2.y() + wv;
            painter.drawRect(QRectF(x1, y1, x2 - x1, y2 - y1));
        };
        if (!noTop)
            drawEdge(Side::Top, -1, true, true, belowBreak);
        drawEdge(Side::Left, noTop ? lastHeadingRow : -1, !keepTopEnd, !noBottom, belowBreak);
        drawEdge(Side::Right, noTop ? lastHeadingRow : -1, !keepTopEnd, !noBottom, belowBreak);
        if (!noBottom)
            drawEdge(Side::Bottom, -1, true, true, false);
    }
    painter.restore();
}

}  // namespace kvelta
