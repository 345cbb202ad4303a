#include "solve/solver.h"

#include "app/task_windows.h"
#include "frame/error_box.h"
#include "frame/errors.h"
#include "frame/task_form.h"
#include "rigorous/comparison.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QLineEdit>
#include <QTabWidget>
#include <QTemporaryDir>
#include <iconv.h>

namespace kvelta {

Solution Solve(const Exercise& exercise, const Variant& variant)
{
    Solution solution;
    solution.form.reset(CreateExerciseForm(exercise));
    if (!solution.form)
        throw UsageError(QStringLiteral("exercise %1 is not available").arg(exercise.name));
    TaskForm& form = *solution.form;
    const QStringList names = EditNames(form);
    for (const auto& [name, text] : variant.edits) {
        if (!names.contains(name))
            throw UsageError(QStringLiteral("%1 has no edit %2").arg(exercise.name, name));
        form.edit(name)->setText(text);
    }
    if (variant.activePage != 0) {
        QTabWidget* pages = form.pageControl();
        if (!pages || variant.activePage < 1 || variant.activePage > pages->count())
            throw UsageError(QStringLiteral("%1 has no page %2").arg(exercise.name).arg(variant.activePage));
        pages->setCurrentIndex(variant.activePage - 1);
    }
    // The error box is the one place errors reach the user; here it reports to the solution.
    ErrorPresenter previous = SetErrorPresenter([&solution](QWidget*, const QString& text) { solution.error = text; });
    RunCommand(nullptr, [&form] { form.Button1Click(); });
    SetErrorPresenter(std::move(previous));
    return solution;
}

QByteArray TextReport(const TaskForm& form) { return TextReportFileBytes(form); }

QByteArray ToUtf8Lines(const QByteArray& windows1251)
{
    iconv_t cd = iconv_open("UTF-8", "WINDOWS-1251");
    if (cd == reinterpret_cast<iconv_t>(-1))
        throw KveltaError(QStringLiteral("No Windows-1251 conversion on this system"));
    QByteArray out(windows1251.size() * 3 + 16, '\0');
    char* in = const_cast<char*>(windows1251.data());
    size_t inLeft = static_cast<size_t>(windows1251.size());
    char* to = out.data();
    size_t outLeft = static_cast<size_t>(out.size());
    while (inLeft > 0 && iconv(cd, &in, &inLeft, &to, &outLeft) == static_cast<size_t>(-1)) {
        // Byte 152 has no character in Windows-1251: show it as "?".
        ++in;
        --inLeft;
        *to++ = '?';
        --outLeft;
    }
    iconv_close(cd);
    out.truncate(out.size() - static_cast<qsizetype>(outLeft));
    return out.replace("\r\n", "\n");
}

namespace {

QByteArray JsonString(const QString& text)
{
    const QByteArray array = QJsonDocument(QJsonArray{text}).toJson(QJsonDocument::Compact);
    return array.mid(1, array.size() - 2);
}

}  // namespace

namespace {

std::optional<Comparison> CompareQuietly(const TaskForm& form)
{
    try {
        return CompareForm(form);
    } catch (const KveltaError&) {
        return std::nullopt;  // the inputs do not convert: the error is already the solution's
    }
}

QByteArray RigorousJson(const TaskForm& form)
{
    const std::optional<Comparison> comparison = CompareQuietly(form);
    if (!comparison)
        return "null";
    QByteArray json = "{\"ellipsoid\": " + JsonString(comparison->ellipsoid) + ", \"note\": " + JsonString(comparison->note)
                      + ", \"textbook_fault\": "
                      + (comparison->textbookFault.isEmpty() ? QByteArray("null") : JsonString(comparison->textbookFault))
                      + ", \"rows\": [";
    for (std::size_t i = 0; i < comparison->rows.size(); ++i) {
        const ComparisonRow& row = comparison->rows[i];
        json += (i ? ", " : "") + QByteArray("{\"quantity\": ") + JsonString(row.quantity) + ", \"textbook\": "
                + JsonString(row.textbook) + ", \"rigorous\": " + JsonString(row.rigorous) + ", \"difference\": "
                + JsonString(row.difference) + ", \"ground\": " + JsonString(row.ground) + ", \"reason\": "
                + JsonString(row.reason) + "}";
    }
    return json + "]}";
}

}  // namespace

QStringList RigorousQuantities(const Exercise& exercise)
{
    std::unique_ptr<TaskForm> form(CreateExerciseForm(exercise));
    QStringList quantities;
    if (const std::optional<Comparison> comparison = form ? CompareQuietly(*form) : std::nullopt)
        for (const ComparisonRow& row : comparison->rows)
            quantities.append(row.quantity);
    return quantities;
}

QStringList RigorousColumns(const Solution& solution, const QStringList& quantities)
{
    QStringList columns;
    const std::optional<Comparison> comparison = CompareQuietly(*solution.form);
    for (const QString& quantity : quantities) {
        const ComparisonRow* found = nullptr;
        if (comparison)
            for (const ComparisonRow& row : comparison->rows)
                if (row.quantity == quantity)
                    found = &row;
        if (!found)
            columns << QString() << QString();
        else if (!found->reason.isEmpty())
            columns << found->rigorous + QStringLiteral(" (") + found->reason + QLatin1Char(')') << found->difference;
        else
            columns << found->rigorous << found->difference;
    }
    return columns;
}

QByteArray TablesJson(const Exercise& exercise, const Solution& solution, bool rigorous)
{
    const ReportView view = solution.form->reportView();
    QByteArray json = "{\"class\": " + JsonString(exercise.className) + ", \"caption\": " + JsonString(view.caption)
                      + ", \"group\": " + JsonString(view.group) + ", \"name\": " + JsonString(view.name)
                      + ", \"error\": " + (solution.error.isEmpty() ? QByteArray("null") : JsonString(solution.error))
                      + ", \"tables\": [";
    for (std::size_t t = 0; t < view.tables.size(); ++t) {
        const ReportTable& table = view.tables[t];
        json += (t ? ", " : "") + QByteArray("{\"name\": ") + JsonString(table.name) + ", \"page\": "
                + (table.page.isEmpty() ? QByteArray("null") : JsonString(table.page)) + ", \"cells\": [";
        for (int r = 0; r < table.table->rowCount(); ++r) {
            json += r ? ", [" : "[";
            for (int c = 0; c < table.table->columnCount(); ++c)
                json += (c ? ", " : "") + JsonString(table.table->cell(c, r));
            json += "]";
        }
        json += "]}";
    }
    json += "]";
    if (rigorous)
        json += ", \"rigorous\": " + RigorousJson(*solution.form);
    return json + "}\n";
}

QString FinalResultText(const Solution& solution, const FinalResult& result)
{
    const ReportView view = solution.form->reportView();
    if (result.table >= static_cast<int>(view.tables.size()))
        return {};
    const ResultTable& table = *view.tables[static_cast<std::size_t>(result.table)].table;
    if (result.column >= table.columnCount() || result.row >= table.rowCount())
        return {};
    return table.cell(result.column, result.row);
}

}  // namespace kvelta
