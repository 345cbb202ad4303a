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

}  // namespace kvelta
