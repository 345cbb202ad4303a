#pragma once
// Runs one exercise as the desktop program would: a window made by its "Создать" command, the
// edits typed in, "Вычислить" pressed; then its reports, without a screen.

#include "solve/exercises.h"

#include <QByteArray>
#include <QString>
#include <memory>
#include <stdexcept>
#include <utility>
#include <vector>

namespace kvelta {

class TaskForm;

// Wrong use of the command line: exit status 2.
class UsageError : public std::runtime_error {
public:
    explicit UsageError(const QString& text) : std::runtime_error(text.toStdString()) {}
};

struct Variant {
    std::vector<std::pair<QString, QString>> edits;  // edit name → text as typed
    int activePage = 0;                              // 1-based; 0 keeps the window's first page
};

struct Solution {
    std::unique_ptr<TaskForm> form;
    QString error;  // as the error box shows it; empty when the computation succeeded
};

Solution Solve(const Exercise& exercise, const Variant& variant);

// The text report exactly as "Сохранить как..." writes it (Windows-1251, CR LF).
QByteArray TextReport(const TaskForm& form);
// The same text as UTF-8 with LF line ends, for a terminal.
QByteArray ToUtf8Lines(const QByteArray& windows1251);
// {"class", "caption", "group", "name", "error", "tables": [{"name", "page", "cells"}]}, and with
// `rigorous` the comparison with the rigorous solution under "rigorous".
QByteArray TablesJson(const Exercise& exercise, const Solution& solution, bool rigorous = false);

// The quantities the rigorous comparison of an exercise lists, in order.
QStringList RigorousQuantities(const Exercise& exercise);
// For each quantity: the rigorous value and the difference, as the comparison prints them
// ("—" and the reason where there is none; empty when the inputs do not convert).
QStringList RigorousColumns(const Solution& solution, const QStringList& quantities);
// A final result as its cell shows it.
QString FinalResultText(const Solution& solution, const FinalResult& result);

}  // namespace kvelta
