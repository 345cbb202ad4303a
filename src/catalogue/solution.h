#pragma once
// An exercise solved without a window, exactly as its window solves it: a new window's edits
// with their default texts, the typed texts put in (cut to what an edit holds), "Вычислить"
// pressed. The reports, the comparison and kvelta-solve read the result.

#include "frame/exercise.h"
#include "frame/report_view.h"
#include "rigorous/comparison.h"

#include <QString>
#include <optional>

namespace kvelta {

struct Solution {
    const Exercise* exercise;
    EditTexts edits;
    ExerciseTables tables;
    int activePage = 0;  // of a window with pages
    QString fault;       // the error that stopped the computation; empty when it completed

    // The error as the error box shows it; empty when the computation completed.
    QString error() const;
    ReportView view() const;
    ComputedTables computed() const { return {tables.constSet(), fault}; }
};

// `activePage`: 0-based page of a window with pages shown when the reports are made.
Solution SolveExercise(const Exercise& exercise, const TypedTexts& typed, int activePage = 0);

// The comparison of a solved exercise with the rigorous solution, from the same tables (nothing is
// computed twice); nothing when the exercise has none or its edits do not convert.
std::optional<Comparison> CompareSolution(const Solution& solution);

}  // namespace kvelta
