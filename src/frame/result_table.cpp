#include "frame/result_table.h"

#include "frame/angles.h"

#include <algorithm>
#include <stdexcept>

namespace kvelta {

ResultTable::ResultTable(int columns, int rows)
    : columns_(columns), rows_(rows), cells_(static_cast<std::size_t>(columns * rows)),
      widths_(static_cast<std::size_t>(columns), 64), optionalRows_(static_cast<std::size_t>(rows), false),
      optionalColumns_(static_cast<std::size_t>(columns), false)
{
}

ResultTable::Cell& ResultTable::at(int column, int row)
{
    if (column < 0 || column >= columns_ || row < 0 || row >= rows_)
        throw std::out_of_range("result table cell out of range");
    return cells_[static_cast<std::size_t>(column * rows_ + row)];
}

const ResultTable::Cell& ResultTable::at(int column, int row) const
{
    return const_cast<ResultTable*>(this)->at(column, row);
}

void ResultTable::setLabel(int column, int row, const QString& text)
{
    Cell& cell = at(column, row);
    cell.text = text;
    cell.number.reset();
    cell.label = true;
    changed();
}

void ResultTable::setValue(int column, int row, const QString& text, std::optional<Extended> number)
{
    Cell& cell = at(column, row);
    cell.text = text;
    cell.number = number;
    cell.written = true;
    writtenInRun_ = true;
    changed();
}

void ResultTable::moveColumn(int from, int to)
{
    if (from == to)
        return;
    at(from, 0);
    at(to, 0);
    auto columnBegin = [this](int c) { return cells_.begin() + static_cast<std::ptrdiff_t>(c) * rows_; };
    if (from < to)
        std::rotate(columnBegin(from), columnBegin(from + 1), columnBegin(to + 1));
    else
        std::rotate(columnBegin(to), columnBegin(from), columnBegin(from + 1));
    // A column's width and whether it is optional move with it.
    auto rotate = [from, to](auto& perColumn) {
        auto at = [&perColumn](int c) { return perColumn.begin() + c; };
        if (from < to)
            std::rotate(at(from), at(from + 1), at(to + 1));
        else
            std::rotate(at(to), at(from), at(from + 1));
    };
    rotate(widths_);
    rotate(optionalColumns_);
    changed();
}

void ResultTable::setOptionalRows(int first, int last)
{
    for (int row = std::max(first, 0); row <= last && row < rows_; ++row)
        optionalRows_[static_cast<std::size_t>(row)] = true;
}

void ResultTable::setOptionalColumns(int first, int last)
{
    for (int column = std::max(first, 0); column <= last && column < columns_; ++column)
        optionalColumns_[static_cast<std::size_t>(column)] = true;
}

bool ResultTable::rowInUse(int row) const
{
    if (!optionalRows_[static_cast<std::size_t>(row)])
        return true;
    for (int column = 0; column < columns_; ++column)
        if (!at(column, row).label && !at(column, row).text.isEmpty())
            return true;
    return false;
}

bool ResultTable::columnInUse(int column) const
{
    if (!optionalColumns_[static_cast<std::size_t>(column)])
        return true;
    for (int row = 0; row < rows_; ++row)
        if (!at(column, row).label && !at(column, row).text.isEmpty())
            return true;
    return false;
}

std::vector<int> ResultTable::rowsInUse() const
{
    std::vector<int> rows;
    for (int row = 0; row < rows_; ++row)
        if (rowInUse(row))
            rows.push_back(row);
    return rows;
}

std::vector<int> ResultTable::columnsInUse() const
{
    std::vector<int> columns;
    for (int column = 0; column < columns_; ++column)
        if (columnInUse(column))
            columns.push_back(column);
    return columns;
}

void ResultTable::beginRun()
{
    for (Cell& cell : cells_)
        cell.written = false;
    writtenInRun_ = false;
}

void ResultTable::clearValuesNotWrittenInRun()
{
    for (Cell& cell : cells_)
        if (!cell.label && !cell.written) {
            cell.text.clear();
            cell.number.reset();
        }
    changed();
}

void WriteHeadingRow(ResultTable& table, std::initializer_list<const char*> headings)
{
    int column = 0;
    for (const char* heading : headings)
        table.setLabel(column++, 0, QString::fromUtf8(heading));
}

void WriteLabelColumn(ResultTable& table, int column, std::initializer_list<const char*> labels)
{
    int row = 1;
    for (const char* label : labels)
        table.setLabel(column, row++, QString::fromUtf8(label));
}

void WriteFormulaResultHeadings(ResultTable& table)
{
    for (int column = 0; column < table.columnCount(); ++column)
        table.setLabel(column, 0, column % 2 == 0 ? QStringLiteral("Формула") : QStringLiteral("Результат"));
}

void WriteFixed(ResultTable& table, int column, int row, Extended value, int decimals)
{
    table.setValue(column, row, FormatFixed(Checked(value), decimals), value);
}

void WriteAngle(ResultTable& table, int column, int row, double degrees)
{
    table.setValue(column, row, FormatDms(degrees), degrees);
}

void RunComputation(const std::vector<ResultTable*>& tables, const std::function<void()>& compute)
{
    for (ResultTable* table : tables)
        table->beginRun();
    try {
        compute();
    } catch (...) {
        const bool anyWritten = std::any_of(tables.begin(), tables.end(),
                                            [](const ResultTable* t) { return t->writtenInRun(); });
        if (anyWritten)
            for (ResultTable* table : tables)
                table->clearValuesNotWrittenInRun();
        throw;
    }
}

}  // namespace kvelta
