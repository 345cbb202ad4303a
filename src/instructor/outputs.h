#pragma once
// What kvelta-solve prints and writes for a solved exercise, besides the reports themselves.

#include "catalogue/solution.h"

#include <QByteArray>
#include <QStringList>

namespace kvelta {

// The text report (Windows-1251, CR LF) as UTF-8 with LF line ends, for a terminal.
QByteArray ToUtf8Lines(const QByteArray& windows1251);

// Every exercise with its edits: name, label on screen, meaning, default text.
QByteArray ExerciseList();

// {"class", "caption", "group", "name", "error", "tables": [{"name", "page", "cells"}],
// "inputs": {short name: text}, "results": [{"name", "unit", "table", "column", "row", "text"}]},
// and with `rigorous` the comparison with the rigorous solution under "rigorous".
QByteArray TablesJson(const Solution& solution, bool rigorous);

// The columns of summary.csv after "variant", "group", "name" and "error": the final results, and
// with `rigorous` each compared quantity's rigorous value and difference.
QStringList SummaryResultHeader(const Exercise& exercise, bool rigorous);
QStringList SummaryResultColumns(const Solution& solution, bool rigorous);

}  // namespace kvelta
