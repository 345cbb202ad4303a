#pragma once
// A grid of text cells addressed (column, row) from 0; row 0 is the heading row.
// Labels are written once when a window is created; values by each computation.

#include "frame/numbers.h"

#include <QString>
#include <functional>
#include <initializer_list>
#include <optional>
#include <vector>

namespace kvelta {

class ResultTable {
public:
    ResultTable(int columns, int rows);

    int columnCount() const { return columns_; }
    int rowCount() const { return rows_; }
    const QString& cell(int column, int row) const { return at(column, row).text; }
    // The number a value cell was printed from (an angle in degrees); none for a label, an
    // empty cell or a text of its own.
    std::optional<Extended> number(int column, int row) const { return at(column, row).number; }

    void setLabel(int column, int row, const QString& text);
    void setValue(int column, int row, const QString& text, std::optional<Extended> number = std::nullopt);

    // Moves a column with its cells and width to another position (a drag by its heading).
    void moveColumn(int from, int to);
    int columnWidth(int column) const { return widths_[static_cast<std::size_t>(column)]; }
    void setColumnWidth(int column, int width) { widths_[static_cast<std::size_t>(column)] = width; }

    // Rows and columns a computation may leave unused (approximations it did not need): the
    // reports and the view leave such a row or column out while none of its value cells holds a
    // text. Every other row and column is always in use.
    void setOptionalRows(int first, int last);
    void setOptionalColumns(int first, int last);
    bool rowInUse(int row) const;
    bool columnInUse(int column) const;
    std::vector<int> rowsInUse() const;
    std::vector<int> columnsInUse() const;

    // A computation run: values written since beginRun() are this run's; on a fault the value
    // cells that the run did not reach are emptied, so no earlier run's values stay beside them.
    void beginRun();
    bool writtenInRun() const { return writtenInRun_; }
    void clearValuesNotWrittenInRun();

    // Called after every change, so that a view can show it at once.
    std::function<void()> onChanged;

private:
    struct Cell {
        QString text;
        std::optional<Extended> number;
        bool label = false;
        bool written = false;  // written by the current run
    };
    Cell& at(int column, int row);
    const Cell& at(int column, int row) const;
    void changed() { if (onChanged) onChanged(); }

    int columns_;
    int rows_;
    std::vector<Cell> cells_;  // column-major: the cells of one column are contiguous
    std::vector<int> widths_;
    std::vector<bool> optionalRows_, optionalColumns_;
    bool writtenInRun_ = false;
};

// Label writers used by every creation handler: texts along the heading row from column 0, and
// texts down a column from row 1.
void WriteHeadingRow(ResultTable& table, std::initializer_list<const char*> headings);
void WriteLabelColumn(ResultTable& table, int column, std::initializer_list<const char*> labels);
// The heading row of a table of formula / result column pairs: "Формула", "Результат", ...
void WriteFormulaResultHeadings(ResultTable& table);
// The value columns of such a table of four columns: 1 beside the first formulas, 3 beside the rest.
inline constexpr int FirstValueColumn = 1, SecondValueColumn = 3;

// Value writers used by every computation.
void WriteFixed(ResultTable& table, int column, int row, Extended value, int decimals);
void WriteAngle(ResultTable& table, int column, int row, double degrees);

// Runs a computation over its tables: if it fails after writing some cells, the value cells it
// did not reach are emptied before the error goes on; a failure before the first write leaves
// the tables as they were.
void RunComputation(const std::vector<ResultTable*>& tables, const std::function<void()>& compute);

}  // namespace kvelta
