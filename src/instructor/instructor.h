#pragma once
// What kvelta-solve does for an instructor: individual variants for a group, answer keys, and
// the marking of the answers handed in.

#include "catalogue/solution.h"
#include "reports/word_document.h"
#include "instructor/spreadsheet.h"

#include <QByteArray>
#include <QDir>
#include <QString>
#include <functional>
#include <map>
#include <vector>

namespace kvelta {

// The seed of the variants when none is given.
inline constexpr quint32 kDefaultVariantSeed = 1;

// `count` variants, the first ones for the students (group, name) and the rest numbered
// "Вариант K", as a batch CSV: header of the inputs' names ("group", "name", "B1", ...), an angle
// in one field ("51 38 44,0822"), numbers in the program's decimal separator, ';' between fields with a decimal comma and ',' with a point. The same seed gives
// the same file; no two variants are alike and every one computes without an error. Raises
// KveltaError when the exercise has no variants or not that many different ones.
QByteArray MakeVariants(const Exercise& exercise, int count, quint32 seed, const std::vector<Student>& students);

// What a file name stem may hold in UTF-8 bytes: a file system's 255 less the longest extension.
inline constexpr int kFileNameBytes = 250;
inline constexpr int kFileNamePartCharacters = 60;

// A user's text as part of a file name: NFC-composed, letters, digits and their marks kept and
// every other character "_", cut on a character's boundary to at most 60 characters and maxBytes.
QString FileNamePart(const QString& text, int maxBytes);

// "NNN-group-name" for a key's files, the group and name made safe for a file name.
QString KeyFileStem(int number, const QString& group, const QString& name);

// A key's given data: a heading and a line per given edit, with the texts the variant computed with.
QStringList AnswerKeyGivenData(const Exercise& exercise, const Solution& solution);

// The answer key of a solved variant: DIR/stem.txt, DIR/stem.docx and, given a way to draw it,
// DIR/stem.pdf, each the report with the given data between the student's lines and the tables.
// Returns the document the .docx holds, for an answer book.
WordDocument WriteAnswerKey(const QDir& dir, const QString& stem, const Solution& solution,
                            const std::function<QByteArray(const WordDocument&)>& drawPdf = {});

// The columns summary.csv adds after the results: the inputs a batch typed, under the names its
// header gave them ("Edit3" or "B1").
QStringList SummaryInputHeader(const VariantSheet& sheet);
QStringList SummaryInputColumns(const Exercise& exercise, const VariantSheet& sheet, const QStringList& row);

// Tolerances by result name (summary.csv's column names), in the result's unit; angles in seconds.
using Tolerances = std::map<QString, double>;

// grades.csv's own columns, headed as the marks dialog heads them: the variant, the group and the
// name, a verdict and a difference per result (under the result's name), then the count of right
// answers, of answers asked and "N из M".
inline const QString kGradeVariant = QStringLiteral("Вариант");
inline const QString kGradeGroup = QStringLiteral("Группа");
inline const QString kGradeName = QStringLiteral("Студент");
inline const QString kGradeRight = QStringLiteral("Верно");
inline const QString kGradeTotal = QStringLiteral("Всего");
inline const QString kGradeScore = QStringLiteral("Итог");

// The marker of a replacement of the grades files under way (file_set.h).
inline const QString kGradesMarker = QStringLiteral("grades.replacing");

// Marks the answers of a variants sheet with answer columns: writes DIR/grades.csv (as
// table_files.h has it), DIR/grades.txt and with `xlsx` DIR/grades.xlsx, as one set that an
// interruption never leaves half replaced (file_set.h). `source` names the answers file in the
// report.
void GradeAnswers(const Exercise& exercise, const VariantSheet& sheet, const Tolerances& tolerances,
                  const QDir& dir, const QString& source, bool xlsx = false);

}  // namespace kvelta
