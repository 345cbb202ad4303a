#pragma once
// A laid-out report drawn page by page without Qt's table painter. Qt's painter settles every
// ruling line of a collapsed-border table against its neighbours by looking the cells and their
// formats up again, some ninety times a cell and page, which costs most of a page's drawing. The
// report tables are plain grids ruled all over with one line width, so the drawing here works the
// grid out once per document from the laid-out text, then draws each page as Qt would: the same
// text lines at the same places, the same ruling rectangles (the same settling of line ends, the
// same page breaks and repeated headings). A document this drawing does not know, or one whose
// laid-out grid it cannot work out exactly, is left to Qt's painter.

#include <QRectF>
#include <QTextBlock>
#include <memory>
#include <vector>

class QPainter;
class QTextDocument;

namespace kvelta {

class PageDrawing {
public:
    // The drawing of a document laid out for its paint device, or none when only Qt's painter
    // can draw it.
    static std::unique_ptr<PageDrawing> Of(const QTextDocument& text);

    // Draws the slice `clip` of the document (a page), the painter standing where the layout
    // draws the document's top and clipped to the slice.
    void draw(QPainter& painter, const QRectF& clip) const;

    // A laid-out table's grid, in the layout's device units: the lengths Qt keeps in 1/64 of a
    // unit, which doubles hold exactly.
    struct Table {
        QPointF position;  // of the table's frame in the document
        QSizeF size;
        int rows = 0;
        int columns = 0;
        int headingRows = 0;         // as the table's format says
        int repeatedHeadingRows = 0; // the heading rows repeated after a page break
        std::vector<qreal> columnLefts, columnWidths, rowTops, rowHeights;
        qreal leftPadding = 0, topPadding = 0;  // of every cell, half a line width included
        qreal edgeWidth = 0;         // a ruling line's width, unscaled, as the cell formats give it
        qreal deviceEdgeWidth = 0;   // the same on the device
        qreal border = 0;            // the table frame's border, which the layout keeps room for
        qreal headingHeight = 0;
        std::vector<std::vector<QTextBlock>> cellBlocks;  // row by row, each cell's blocks
    };

private:
    struct FlowItem {
        QTextBlock block;   // a paragraph of the document's own flow
        int table = -1;     // or the index of a table
    };

    void drawBlock(QPainter& painter, const QTextBlock& block, const QPointF& offset, const QRectF& clip) const;
    void drawTable(QPainter& painter, const Table& table, const QRectF& clip) const;
    void drawCell(QPainter& painter, const Table& table, int row, int column, const QRectF& cellRect, const QRectF& clip) const;
    void drawCellRules(QPainter& painter, const Table& table, int row, int column, const QRectF& cellRect) const;

    qreal pageHeight_ = 0;
    QRectF rootRect_;  // the document's frame, which limits the lines drawn as in Qt
    std::vector<FlowItem> flow_;
    std::vector<Table> tables_;
};

}  // namespace kvelta
