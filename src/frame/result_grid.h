#pragma once
// The on-screen result table: row 0 is the fixed heading row, 16-pixel rows, grid lines,
// range selection, columns movable by their heading (the cells move with them), read only.

#include "frame/exercise.h"
#include "frame/result_table.h"

#include <QAbstractTableModel>
#include <QTableView>
#include <memory>

namespace kvelta {

class ResultTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit ResultTableModel(ResultTable& table, QObject* parent = nullptr);
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    void refresh();

private:
    ResultTable& table_;
};

class ResultGrid : public QTableView {
    Q_OBJECT
public:
    // Applies the column widths a change of the table's texts asks for (done after the change).
    void fitColumns() { applyColumnWidths(); }

    // A grid of the table's size, named as the table, with its design column widths.
    explicit ResultGrid(const TableLayout& layout, QWidget* parent = nullptr);
    ~ResultGrid() override;

    ResultTable& table() { return *table_; }
    const ResultTable& table() const { return *table_; }

    // Tab-separated text, rows by newline, as a spreadsheet pastes it into cells: the selected
    // range (value rows, in column order), or the whole table with its heading row.
    QString selectedText() const;
    QString wholeTableText() const;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    // Each column at least its design width, wider where its longest text needs it. Only the
    // view: the table keeps its design widths for the reports.
    void applyColumnWidths();
    void hideUnused();  // optional rows and columns the computation left empty
    int fittedWidth(int column) const;
    QString rowsText(int firstRow, int lastRow, int firstColumn, int lastColumn) const;
    void onSectionMoved(int logicalIndex, int oldVisualIndex, int newVisualIndex);

    std::unique_ptr<ResultTable> table_;
    std::unique_ptr<ResultTableModel> model_;
    bool undoingMove_ = false;
    bool widthsPending_ = false;
};

}  // namespace kvelta
