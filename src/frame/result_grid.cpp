#include "frame/result_grid.h"

#include <QHeaderView>

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

ResultGrid::ResultGrid(const TableSpec& spec, QWidget* parent)
    : QTableView(parent), table_(std::make_unique<ResultTable>(spec.columns, spec.rows))
{
    setObjectName(spec.name);
    for (int c = 0; c < spec.columns; ++c)
        table_->setColumnWidth(c, spec.width(c));
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::ContiguousSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setShowGrid(true);
    setWordWrap(false);
    // A text longer than its column is cut at the cell edge, as a string grid draws it: its
    // beginning stays readable and no character is replaced by an ellipsis.
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
    table_->onChanged = [this] { model_->refresh(); };
    applyColumnWidths();
}

ResultGrid::~ResultGrid()
{
    setModel(nullptr);
}

void ResultGrid::applyColumnWidths()
{
    for (int c = 0; c < table_->columnCount(); ++c)
        setColumnWidth(c, table_->columnWidth(c));
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
