#pragma once
// Variants as a Moodle quiz: a question bank in Moodle XML with every variant one Cloze
// (embedded answers) question, in one category, so that a quiz draws one variant per student.
// The question gives the data by their meanings and labels; each final result is a NUMERICAL
// field whose tolerance is one unit in the last place the key prints. Angles are asked in decimal
// degrees (the tolerance of the key's last place of seconds, in degrees).

#include "catalogue/solution.h"
#include "instructor/spreadsheet.h"

#include <QByteArray>
#include <QString>
#include <optional>
#include <vector>

namespace kvelta {

class MoodleQuiz {
public:
    explicit MoodleQuiz(const Exercise& exercise);
    // The variant numbered `number` (from 1), solved from `typed`; a variant that did not compute
    // has no question.
    void add(int number, const Solution& solution, const TypedTexts& typed);
    int questions() const { return static_cast<int>(questions_.size()); }
    QByteArray xml() const;

private:
    struct Question {
        QString name, html;
    };
    const Exercise& exercise_;
    std::vector<Question> questions_;
};

// The quiz of every variant of a sheet; `skipped` counts the rows that have no question (a row
// that does not match the header, a variant that does not compute).
QByteArray MoodleQuizOf(const Exercise& exercise, const VariantSheet& sheet, int& skipped);

// The embedded answer of a result: "{1:NUMERICAL:=51.645578:0.000000028}", the value and
// tolerance with a decimal point; nothing when the key has no number there.
std::optional<QString> ClozeNumerical(const Solution& solution, const ResultQuantity& result);

}  // namespace kvelta
