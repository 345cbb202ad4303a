#pragma once
// Running an exercise's computation on edit texts without its window, and checking cells.

#include "frame/errors.h"
#include "frame/exercise.h"
#include "support/kvelta_test.h"

#include <QString>
#include <QStringList>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace kvelta::test {

// The texts of Edit3, Edit4, ... in order, written with a point and typed with `separator`.
inline EditTexts Typed(const Exercise& exercise, const QStringList& texts, QChar separator)
{
    TypedTexts typed;
    for (int i = 0; i < texts.size(); ++i)
        typed.emplace_back(QStringLiteral("Edit%1").arg(i + 3), WithSeparator(texts[i], separator));
    return EditTexts(exercise, typed);
}

// The tables of a new window of the exercise after "Вычислить" on these edit texts (Edit3, Edit4,
// ... in order, written with a point); the error that stopped it goes to `fault`.
inline ExerciseTables Computed(const Exercise& exercise, const QStringList& edits, QChar separator,
                               QString* fault = nullptr)
{
    ExerciseTables tables(exercise);
    const std::optional<QString> error = ErrorOf([&] { exercise.compute(Typed(exercise, edits, separator), tables.set()); });
    if (fault)
        *fault = error.value_or(QString());
    else
        EXPECT_FALSE(error) << Str(*error);
    return tables;
}

// A value cell as the table must show it, written with a point.
struct ExpectedCell {
    int column;
    int row;
    const char* text;
};

inline void ExpectCells(const ResultTable& table, const std::vector<ExpectedCell>& cells, QChar separator)
{
    for (const ExpectedCell& cell : cells)
        EXPECT_EQ(Str(table.cell(cell.column, cell.row)),
                  Str(WithSeparator(QString::fromUtf8(cell.text), separator)))
            << "cell (" << cell.column << ", " << cell.row << ")";
}

// No cell may ever show a non-finite value.
inline void ExpectAllFinite(const ResultTable& table)
{
    for (const QString& cell : AllCells(table)) {
        EXPECT_FALSE(cell.contains(QLatin1String("inf"), Qt::CaseInsensitive)) << Str(cell);
        EXPECT_FALSE(cell.contains(QLatin1String("nan"), Qt::CaseInsensitive)) << Str(cell);
    }
}

// A worked example: the edit texts from Edit3 on, and cells it must produce.
struct Example {
    const char* name;
    QStringList edits;
    std::vector<ExpectedCell> cells;
};

}  // namespace kvelta::test
