#pragma once
// An exercise as the reports read it — from a window or from a computation without one:
// nothing in it refers to a widget.

#include "frame/result_table.h"

#include <QString>
#include <vector>

namespace kvelta {

// A result table with its grid name and the caption of its tab page (empty without pages).
struct ReportTable {
    QString name;
    QString page;
    const ResultTable* table;
};

struct ReportView {
    QString caption;
    QString group;
    QString name;
    std::vector<ReportTable> tables;  // in page order
    int activePage = -1;              // -1 without a page control
};

// The table of the active page; the first table without a page control; nullptr without tables.
inline const ReportTable* ActiveTable(const ReportView& view)
{
    const std::size_t index = view.activePage > 0 ? static_cast<std::size_t>(view.activePage) : 0;
    return index < view.tables.size() && view.tables[index].table ? &view.tables[index] : nullptr;
}

}  // namespace kvelta
