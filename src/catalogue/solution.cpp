#include "catalogue/solution.h"

#include "frame/errors.h"


namespace kvelta {

QString Solution::error() const { return fault.isEmpty() ? QString() : ErrorBoxText(fault); }

ReportView Solution::view() const
{
    ReportView view{exercise->caption, edits.text(QStringLiteral("Edit1")), edits.text(QStringLiteral("Edit2")), {},
                    exercise->hasPages() ? activePage : -1};
    for (std::size_t i = 0; i < tables.size(); ++i)
        view.tables.push_back({exercise->tables[i].name, exercise->tables[i].page, &tables[i]});
    return view;
}

Solution SolveExercise(const Exercise& exercise, const TypedTexts& typed, int activePage)
{
    Solution solution{&exercise, EditTexts(exercise, typed), ExerciseTables(exercise), activePage, {}};
    const TableSet tables = solution.tables.set();
    solution.fault = ErrorOf([&] { exercise.compute(solution.edits, tables); }).value_or(QString());
    return solution;
}

std::optional<Comparison> CompareSolution(const Solution& solution)
{
    try {
        return CompareExercise(*solution.exercise, solution.edits, solution.computed());
    } catch (const KveltaError&) {
        return std::nullopt;  // the edits do not convert: the error is already the solution's
    }
}

}  // namespace kvelta
