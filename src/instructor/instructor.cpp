#include "instructor/instructor.h"

#include "frame/edit_names.h"
#include "frame/errors.h"
#include "frame/numbers.h"
#include "reports/docx_writer.h"
#include "reports/report_file.h"
#include "reports/text_report.h"
#include "reports/word_report.h"
#include "instructor/file_set.h"
#include "instructor/given_data.h"
#include "instructor/table_files.h"
#include "instructor/xlsx_writer.h"

#include <QFile>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QTextBoundaryFinder>
#include <algorithm>
#include <cmath>
#include <set>

namespace kvelta {

namespace {

// Tries to draw one variant that differs from all before and computes without an error.
constexpr int kDrawsPerVariant = 200;

int EditIndex(const Exercise& exercise, const QString& editName)
{
    for (std::size_t i = 0; i < exercise.edits.size(); ++i)
        if (exercise.edits[i].name == editName)
            return static_cast<int>(i);
    return -1;
}

// The drawn texts in edit order, in the program's decimal separator.
TypedTexts Shown(const Exercise& exercise, TypedTexts texts)
{
    for (auto& [edit, text] : texts)
        text.replace(QLatin1Char(','), DecimalSeparator());
    std::sort(texts.begin(), texts.end(), [&](const auto& a, const auto& b) {
        return EditIndex(exercise, a.first) < EditIndex(exercise, b.first);
    });
    return texts;
}

// A student's answer in the result's unit (an angle in degrees): a number, a unit mark after it
// allowed, or for an angle also degrees, minutes and seconds as the table prints them
// ("51° 38` 44,0822\"", a negative angle "-0° -30` -12,5\"" with every part signed). An angle is
// negative when any of its parts carries a minus.
std::optional<double> ParseAnswer(const QString& text, bool angle)
{
    const QString answer = text.trimmed();
    if (answer.isEmpty())
        return std::nullopt;
    if (angle) {
        static const QRegularExpression dms(QStringLiteral("^([-−]?)\\s*(\\d+)\\s*°\\s*([-−]?)\\s*(\\d+)\\s*[`'′’]\\s*"
                                                           "([-−]?)\\s*(\\d+(?:[.,]\\d*)?)\\s*(?:\"|″|'')?$"));
        const QRegularExpressionMatch m = dms.match(answer);
        if (m.hasMatch()) {
            const double value = m.captured(2).toDouble() + m.captured(4).toDouble() / 60
                                 + QString(m.captured(6)).replace(QLatin1Char(','), QLatin1Char('.')).toDouble() / 3600;
            const bool negative = !(m.captured(1) + m.captured(3) + m.captured(5)).isEmpty();
            if (std::isfinite(value))
                return negative ? -value : value;
            return std::nullopt;
        }
    }
    // One unit mark after the number, as some cells print it ("548,510 \"") or a student adds it;
    // anything else after it ("12,3абв") leaves the answer unread rather than a different number.
    static const QRegularExpression unitMark(QStringLiteral("\\s*(?:''|[\"″'′’`°]|м\\.?|m)?$"));
    QString number = answer;
    number.truncate(unitMark.match(number).capturedStart());
    std::optional<double> value;
    ErrorOf([&] { value = static_cast<double>(ParseReal(number)); });
    return value && std::isfinite(*value) ? value : std::nullopt;
}

struct Mark {
    bool unread = false;  // the cell holds an answer that does not read as a number
    bool given = false;   // the answer reads as a number
    bool right = false;
    double difference = 0;  // answer − computed, in the result's unit; angles in seconds
    double tolerance = 0;
    QString expected;
};

Mark MarkAnswer(const Solution& solution, const ResultQuantity& result, const QString& answer,
                const std::optional<double>& givenTolerance)
{
    Mark mark;
    const ResultTable& table = solution.tables[static_cast<std::size_t>(result.table)];
    const std::optional<Extended> computed = table.number(result.column, result.row);
    mark.expected = table.cell(result.column, result.row);
    const int decimals = PrintedDecimals(mark.expected);
    mark.tolerance = givenTolerance ? *givenTolerance : std::pow(10.0, -decimals);
    const std::optional<double> value = ParseAnswer(answer, result.angle);
    mark.unread = !value && !answer.trimmed().isEmpty();
    if (!computed || !value)
        return mark;
    mark.given = true;
    mark.difference = (*value - static_cast<double>(*computed)) * (result.angle ? 3600 : 1);
    // A hair over the unit still counts, so that a value copied from the table is never wrong.
    mark.right = std::abs(mark.difference) <= mark.tolerance * (1 + 1e-9) + 1e-12;
    return mark;
}

// An answer that is there but does not read as a number: that cell is not marked, the others are.
const QString kUnread = QStringLiteral("не прочитано");

// A cell's verdict in grades.csv: 1 right, 0 wrong or missing, or unread.
QString Verdict(const Mark& mark)
{
    return mark.right ? QStringLiteral("1") : mark.unread ? kUnread : QStringLiteral("0");
}

QString Score(int right, std::size_t total)
{
    return QStringLiteral("%1 из %2").arg(right).arg(total);
}

QString Number(double value, int decimals) { return FormatFixed(static_cast<Extended>(value), decimals); }

// A tolerance without trailing zeros: "0,001", "0,00000001", "2".
QString Tolerance(double value)
{
    return WithoutTrailingZeros(Number(value, 12), DecimalSeparator());
}

}  // namespace

QByteArray MakeVariants(const Exercise& exercise, int count, quint32 seed, const std::vector<Student>& students)
{
    if (!exercise.makeVariant)
        throw KveltaError(QStringLiteral("%1 has no individual variants").arg(exercise.name));
    QRandomGenerator random(seed);
    QByteArray out;
    std::set<TypedTexts> drawn;
    for (int k = 0; k < count; ++k) {
        const Student student = k < static_cast<int>(students.size())
                                    ? students[static_cast<std::size_t>(k)]
                                    : Student{QString(), QStringLiteral("Вариант %1").arg(k + 1)};
        std::optional<TypedTexts> variant;
        for (int draw = 0; draw < kDrawsPerVariant && !variant; ++draw) {
            TypedTexts texts = Shown(exercise, exercise.makeVariant(random));
            if (drawn.count(texts))
                continue;
            TypedTexts typed{{QStringLiteral("Edit1"), student.group}, {QStringLiteral("Edit2"), student.name}};
            typed.insert(typed.end(), texts.begin(), texts.end());
            if (!SolveExercise(exercise, typed).fault.isEmpty())
                continue;
            drawn.insert(texts);
            variant = std::move(typed);
        }
        if (!variant)
            throw KveltaError(QStringLiteral("cannot draw %1 different variants of %2").arg(count).arg(exercise.name));
        // Under the inputs' names, an angle in one field, so that a student reads the file.
        const TypedTexts named = NamedValues(exercise.edits, *variant, AngleMarks::Blanks);
        if (k == 0) {
            QStringList header;
            for (const auto& typed : named)
                header << typed.first;
            out += TableLine(header);
        }
        QStringList fields;
        for (const auto& typed : named)
            fields << typed.second;
        out += TableLine(fields);
    }
    return out;
}

QString FileNamePart(const QString& text, int maxBytes)
{
    // Composed letters, so that "И" + breve is one letter "Й", never "И_".
    const QString composed = text.trimmed().normalized(QString::NormalizationForm_C);
    QString safe;
    qsizetype bytes = 0, characters = 0;
    QTextBoundaryFinder graphemes(QTextBoundaryFinder::Grapheme, composed);
    for (qsizetype start = 0, end = graphemes.toNextBoundary(); end > 0 && characters < kFileNamePartCharacters;
         start = end, end = graphemes.toNextBoundary()) {
        QString grapheme = composed.mid(start, end - start);
        for (const char32_t c : grapheme.toUcs4())
            if (!QChar::isLetterOrNumber(c) && !QChar::isMark(c)) {
                grapheme = QStringLiteral("_");
                break;
            }
        bytes += grapheme.toUtf8().size();
        if (bytes > maxBytes)
            break;  // whole characters only
        safe += grapheme;
        ++characters;
    }
    return safe;
}

QString KeyFileStem(int number, const QString& group, const QString& name)
{
    QString stem = QStringLiteral("%1").arg(number, 3, 10, QLatin1Char('0'));
    const QString groupPart = FileNamePart(group, kFileNameBytes / 4);
    if (!groupPart.isEmpty())
        stem += QLatin1Char('-') + groupPart;
    const QString namePart = FileNamePart(name, kFileNameBytes - static_cast<int>(stem.toUtf8().size()) - 1);
    if (!namePart.isEmpty())
        stem += QLatin1Char('-') + namePart;
    return stem;
}

QStringList AnswerKeyGivenData(const Exercise& exercise, const Solution& solution)
{
    QStringList lines = GivenDataLines(exercise, SolvedTexts(exercise, solution.edits));
    if (!lines.isEmpty())
        lines.prepend(kGivenDataHeading);
    return lines;
}

WordDocument WriteAnswerKey(const QDir& dir, const QString& stem, const Solution& solution,
                            const std::function<QByteArray(const WordDocument&)>& drawPdf)
{
    const ReportView view = solution.view();
    const QStringList files{dir.filePath(stem + QStringLiteral(".txt")), dir.filePath(stem + QStringLiteral(".docx")),
                            dir.filePath(stem + QStringLiteral(".pdf"))};
    const QStringList given = AnswerKeyGivenData(*solution.exercise, solution);
    try {
        WriteFileAtomically(files[0], TextReportBytes(view, solution.exercise->report, given), FileSync::Later);
        WordDocument document = BuildReportDocument(view, solution.exercise->report, given);
        WriteFileAtomically(files[1], WriteDocx(document), FileSync::Later);
        if (drawPdf)
            WriteFileAtomically(files[2], drawPdf(document), FileSync::Later);
        return document;
    } catch (...) {
        for (const QString& file : files)  // a key is whole or not there
            QFile::remove(file);
        throw;
    }
}

QStringList SummaryInputHeader(const VariantSheet& sheet)
{
    QStringList header;
    for (const VariantSheet::Column& column : sheet.columns)
        if (!column.edit.isEmpty())
            header << column.edit;
    return header;
}

QStringList SummaryInputColumns(const Exercise& exercise, const VariantSheet& sheet, const QStringList& row)
{
    QStringList columns;
    for (std::size_t c = 0; c < sheet.columns.size(); ++c)
        if (!sheet.columns[c].edit.isEmpty())
            columns << sheet.input(exercise, row, c);
    return columns;
}

void GradeAnswers(const Exercise& exercise, const VariantSheet& sheet, const Tolerances& tolerances, const QDir& dir,
                  const QString& source, bool xlsx)
{
    std::vector<std::pair<std::size_t, const ResultQuantity*>> answers;  // column, result
    for (std::size_t c = 0; c < sheet.columns.size(); ++c)
        if (sheet.columns[c].result >= 0)
            answers.emplace_back(c, &exercise.results[static_cast<std::size_t>(sheet.columns[c].result)]);
    if (answers.empty()) {
        QStringList names;
        for (const ResultQuantity& result : exercise.results)
            names << result.name;
        throw SpreadsheetError(QStringLiteral("the file has no answer columns (%1)").arg(names.join(QStringLiteral(", "))));
    }
    QStringList header{kGradeVariant, kGradeGroup, kGradeName};
    for (const auto& answer : answers)
        header << answer.second->name << answer.second->name + QStringLiteral(" разность");
    header << kGradeRight << kGradeTotal << kGradeScore;
    std::vector<QStringList> grades{header};
    QString report = QStringLiteral("Проверка ответов: %1\nФайл ответов: %2\n").arg(exercise.caption, SingleLineText(source));

    for (std::size_t r = 0; r < sheet.rows.size(); ++r) {
        const QStringList& row = sheet.rows[r];
        const QString number = QStringLiteral("%1").arg(r + 1, 3, 10, QLatin1Char('0'));
        const std::optional<TypedTexts> edits = sheet.edits(exercise, row);
        QStringList line{number, QString(), QString()};
        if (!edits) {
            report += row.size() != static_cast<qsizetype>(sheet.columns.size())
                          ? QStringLiteral("\n%1  строка %2: %3 полей, в заголовке %4 — не проверена\n")
                                .arg(number).arg(r + 2).arg(row.size()).arg(sheet.columns.size())
                          : QStringLiteral("\n%1  строка %2: %3 — не проверена\n")
                                .arg(number).arg(r + 2).arg(sheet.problem(exercise, row));
            grades.push_back(line);
            continue;
        }
        const Solution solution = SolveExercise(exercise, *edits);
        const ReportView view = solution.view();
        line[1] = view.group;
        line[2] = view.name;
        report += QStringLiteral("\n%1  %2  %3\n").arg(number, SingleLineText(view.group), SingleLineText(view.name));
        if (!solution.fault.isEmpty())
            report += QStringLiteral("  вычисление варианта прервано: %1\n").arg(solution.error());
        int right = 0;
        for (const auto& [column, result] : answers) {
            const auto given = tolerances.find(result->name);
            const Mark mark = MarkAnswer(solution, *result, sheet.number(row, column),
                                         given == tolerances.end() ? std::nullopt : std::optional<double>(given->second));
            right += mark.right ? 1 : 0;
            const int decimals = std::clamp(PrintedDecimals(mark.expected), 0, 12);
            const QString difference = mark.given ? Number(mark.difference, decimals) : QString();
            line << Verdict(mark) << difference;
            const QString unit = result->angle ? QStringLiteral(" ″") : result->unit.isEmpty() ? QString() : QLatin1Char(' ') + result->unit;
            report += QStringLiteral("  %1: ответ «%2», вычислено %3; ")
                          .arg(result->name, SingleLineText(row.value(static_cast<qsizetype>(column)).trimmed()),
                               mark.expected);
            report += mark.given     ? QStringLiteral("разность %1%2, допуск %3 — %4\n")
                                           .arg(difference, unit, Tolerance(mark.tolerance),
                                                mark.right ? QStringLiteral("верно") : QStringLiteral("неверно"))
                      : mark.unread ? QStringLiteral("%1\n").arg(kUnread)
                                    : QStringLiteral("ответа нет — неверно\n");
        }
        line << QString::number(right) << QString::number(answers.size()) << Score(right, answers.size());
        report += QStringLiteral("  верно %1 из %2\n").arg(right).arg(answers.size());
        grades.push_back(line);
    }
    // Without a workbook this time, an earlier marking's grades.xlsx goes with the rest of its set.
    std::optional<QByteArray> workbook;
    if (xlsx)
        workbook = WriteXlsx(grades, QStringLiteral("grades"));
    ReplaceFileSet(dir, kGradesMarker,
                   {{QStringLiteral("grades.csv"), TableFile(grades)},
                    {QStringLiteral("grades.txt"), report.toUtf8()},
                    {QStringLiteral("grades.xlsx"), workbook}});
}

}  // namespace kvelta
