#pragma once
// "Вычислить" over an exercise's worked example with some edits retyped, as the tests of the
// plane's exercises run it.

#include "frame/errors.h"
#include "frame/exercise.h"
#include "support/kvelta_test.h"

#include <optional>

namespace kvelta::test {

struct Computed {
    explicit Computed(const Exercise& exercise) : tables(exercise) {}
    ExerciseTables tables;
    std::optional<QString> error;
};

// The example's texts and then `typed` (numbers written with a point), each in the locale's
// separator.
inline Computed ComputeExample(const Exercise& exercise, const TypedTexts& typed)
{
    TypedTexts texts;
    for (const auto& [name, text] : exercise.example)
        texts.emplace_back(name, QString(text).replace(QLatin1Char(','), DecimalSeparator()));
    for (const auto& [name, text] : typed)
        texts.emplace_back(name, WithSeparator(text, DecimalSeparator()));
    Computed run(exercise);
    const EditTexts edits(exercise, texts);
    run.error = ErrorOf([&] { exercise.compute(edits, run.tables.set()); });
    return run;
}

}  // namespace kvelta::test
