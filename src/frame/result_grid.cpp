#include "frame/result_grid.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMenu>
#include <QStyle>
#include <algorithm>

namespace kvelta {

ResultTableModel::ResultTableModel(ResultTable& table, QObject* parent)
    : QAbstractTableModel(parent), table_(table)
{
}

int ResultTableModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : table_.rowCount() - 1;  // row 0 is the heading
}

int ResultTableModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : table_.columnCount();
}

QVariant ResultTableModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::ToolTipRole))
        return {};
    return table_.cell(index.column(), index.row() + 1);
}

QVariant ResultTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole)
        return {};
    if (orientation == Qt::Horizontal)
        return table_.cell(section, 0);
    return section + 1;
}

void ResultTableModel::refresh()
{
    if (table_.rowCount() > 1)
        emit dataChanged(index(0, 0), index(table_.rowCount() - 2, table_.columnCount() - 1));
    emit headerDataChanged(Qt::Horizontal, 0, table_.columnCount() - 1);
}

ResultGrid::ResultGrid(const TableLayout& layout, QWidget* parent)
    : QTableView(parent), table_(layout.newTable())
{
    setObjectName(layout.name);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::ContiguousSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setShowGrid(true);
    setWordWrap(false);
    // Columns widen to their longest text; should one still be cut (a column narrowed by hand),
    // the beginning stays readable, no character is replaced by an ellipsis, and the tooltip
    // shows the whole text.
    setTextElideMode(Qt::ElideNone);
    horizontalHeader()->setTextElideMode(Qt::ElideNone);
    setCornerButtonEnabled(false);
    verticalHeader()->hide();
    verticalHeader()->setMinimumSectionSize(16);
    verticalHeader()->setDefaultSectionSize(16);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    horizontalHeader()->setFixedHeight(16);
    horizontalHeader()->setSectionsMovable(true);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    connect(horizontalHeader(), &QHeaderView::sectionMoved, this, &ResultGrid::onSectionMoved);
    model_ = std::make_unique<ResultTableModel>(*table_);
    setModel(model_.get());
    table_->onChanged = [this] {
        model_->refresh();
        // A computation writes cell after cell: the widths follow once, when it is done.
        if (!widthsPending_) {
            widthsPending_ = true;
            QMetaObject::invokeMethod(this, [this] { applyColumnWidths(); hideUnused(); }, Qt::QueuedConnection);
        }
    };
    applyColumnWidths();
    hideUnused();
}

void ResultGrid::hideUnused()
{
    for (int c = 0; c < table_->columnCount(); ++c)
        setColumnHidden(c, !table_->columnInUse(c));
    // The model's rows are the table's below its heading row.
    for (int r = 1; r < table_->rowCount(); ++r)
        setRowHidden(r - 1, !table_->rowInUse(r));
}

ResultGrid::~ResultGrid()
{
    setModel(nullptr);
}

void ResultGrid::applyColumnWidths()
{
    widthsPending_ = false;
    for (int c = 0; c < table_->columnCount(); ++c) {
        const int width = std::max(table_->columnWidth(c), fittedWidth(c));
        if (columnWidth(c) != width)
            setColumnWidth(c, width);
    }
}

int ResultGrid::fittedWidth(int column) const
{
    // The cell's text margins on both sides and the grid line.
    const int margin = 2 * (style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, this) + 1) + 1;
    const QFontMetrics cellMetrics(font());
    // The heading as the header itself measures it (margins and any sort mark included).
    int widest = std::max(horizontalHeader()->sectionSizeHint(column),
                          QFontMetrics(horizontalHeader()->font()).horizontalAdvance(table_->cell(column, 0)) + 2 * margin);
    for (int row = 1; row < table_->rowCount(); ++row)
        widest = std::max(widest, cellMetrics.horizontalAdvance(table_->cell(column, row)) + margin);
    return widest;
}

QString ResultGrid::rowsText(int firstRow, int lastRow, int firstColumn, int lastColumn) const
{
    // What the grid shows: rows and columns the computation left unused are out of view.
    QStringList lines;
    for (int row = firstRow; row <= lastRow; ++row) {
        if (!table_->rowInUse(row))
            continue;
        QStringList cells;
        for (int column = firstColumn; column <= lastColumn; ++column)
            if (table_->columnInUse(column))
                cells << table_->cell(column, row);
        lines << cells.join(QLatin1Char('\t'));
    }
    return lines.join(QLatin1Char('\n')) + QLatin1Char('\n');
}

QString ResultGrid::selectedText() const
{
    // A contiguous selection: one range; the current cell when nothing is selected.
    const QItemSelection selection = selectionModel() ? selectionModel()->selection() : QItemSelection();
    if (!selection.isEmpty()) {
        const QItemSelectionRange& range = selection.front();
        return rowsText(range.top() + 1, range.bottom() + 1, range.left(), range.right());
    }
    const QModelIndex current = currentIndex();
    if (!current.isValid())
        return {};
    return rowsText(current.row() + 1, current.row() + 1, current.column(), current.column());
}

QString ResultGrid::wholeTableText() const
{
    return rowsText(0, table_->rowCount() - 1, 0, table_->columnCount() - 1);
}

void ResultGrid::keyPressEvent(QKeyEvent* event)
{
    if (event->matches(QKeySequence::Copy)) {
        QApplication::clipboard()->setText(selectedText());
        event->accept();
        return;
    }
    QTableView::keyPressEvent(event);
}

void ResultGrid::contextMenuEvent(QContextMenuEvent* event)
{
    QMenu menu(this);
    QAction* copy = menu.addAction(QStringLiteral("Копировать"), this,
                                   [this] { QApplication::clipboard()->setText(selectedText()); });
    copy->setShortcut(QKeySequence::Copy);
    copy->setEnabled(!selectedText().isEmpty());
    menu.addAction(QStringLiteral("Копировать всю таблицу"), this,
                   [this] { QApplication::clipboard()->setText(wholeTableText()); });
    menu.exec(event->globalPos());
}

void ResultGrid::onSectionMoved(int, int oldVisualIndex, int newVisualIndex)
{
    if (undoingMove_)
        return;
    // The header only shows the order; the cells themselves move, so that later writes and the
    // reports go by position.
    undoingMove_ = true;
    horizontalHeader()->moveSection(newVisualIndex, oldVisualIndex);
    undoingMove_ = false;
    table_->moveColumn(oldVisualIndex, newVisualIndex);
    applyColumnWidths();
}

}  // namespace kvelta
