#include "instructor/outputs.h"

#include "catalogue/catalogue.h"
#include "frame/edit_names.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <iconv.h>
#include <stdexcept>

namespace kvelta {

namespace {

QJsonValue TextOrNull(const QString& text) { return text.isEmpty() ? QJsonValue() : QJsonValue(text); }

QJsonObject ComparisonJson(const Comparison& comparison)
{
    QJsonArray rows;
    for (const ComparisonRow& row : comparison.rows)
        rows.append(QJsonObject{{"quantity", row.quantity}, {"textbook", row.textbook}, {"rigorous", row.rigorous},
                                {"difference", row.difference}, {"ground", row.ground}, {"reason", row.reason}});
    return {{"ellipsoid", comparison.ellipsoid}, {"note", comparison.note},
            {"textbook_fault", TextOrNull(comparison.textbookFault)}, {"rows", rows}};
}

// The texts of the edits under the inputs' names, an angle as one text ("51°38′44,0822″").
QJsonObject InputsJson(const Solution& solution)
{
    TypedTexts texts;
    for (const EditField& edit : solution.exercise->edits)
        texts.emplace_back(edit.name, solution.edits.text(edit.name));
    QJsonObject inputs;
    for (const auto& [name, text] : NamedValues(solution.exercise->edits, texts))
        inputs.insert(name, text);
    return inputs;
}

// The final results by name, each with the cell that shows it and the cell's text.
QJsonArray ResultsJson(const Solution& solution)
{
    QJsonArray results;
    for (const ResultQuantity& result : solution.exercise->results) {
        const ResultTable& table = solution.tables[static_cast<std::size_t>(result.table)];
        results.append(QJsonObject{{"name", result.name},
                                   {"unit", TextOrNull(result.unit)},
                                   {"table", result.table},
                                   {"column", result.column},
                                   {"row", result.row},
                                   {"text", table.cell(result.column, result.row)}});
    }
    return results;
}

// One input of --list: its name, its edits, their labels, what it holds and its default text. An
// angle is one line: its three edits, labels and defaults joined.
QString InputLine(const NamedInput& input)
{
    QStringList edits, labels, parts, defaults;
    for (const EditField* edit : input.edits) {
        edits << edit->name;
        labels << edit->label;
        parts << EditShortName(*edit);
        defaults << ShownDefault(*edit);
    }
    const EditField& first = *input.edits.front();
    if (!input.isAngle())
        return QStringLiteral("  %1\t%2\t%3\t%4\tdefault \"%5\"\n")
            .arg(input.name, first.name, first.label, first.meaning, defaults.front());
    // "градусы (целые), угол A": the angle is named after the part's word.
    const QString angle = first.meaning.section(QStringLiteral(", "), 1);
    return QStringLiteral("  %1\t%2 (%3)\t%4\t%5: градусы, минуты, секунды\tdefault \"%6\"\n")
        .arg(input.name, edits.join(QStringLiteral(", ")), parts.join(QStringLiteral(", ")),
             labels.join(QStringLiteral(", ")), angle, JoinAngleTexts(defaults[0], defaults[1], defaults[2]));
}

}  // namespace

QByteArray ToUtf8Lines(const QByteArray& windows1251)
{
    iconv_t cd = iconv_open("UTF-8", "WINDOWS-1251");
    if (cd == reinterpret_cast<iconv_t>(-1))
        throw std::runtime_error("no Windows-1251 conversion on this system");
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

QByteArray ExerciseList()
{
    QString out;
    for (const Exercise* exercise : Catalogue()) {
        out += QStringLiteral("%1 (%2): %3\n").arg(exercise->name, exercise->windowClass, exercise->caption);
        for (const NamedInput& input : NamedInputs(exercise->edits))
            out += InputLine(input);
    }
    return out.toUtf8();
}

QByteArray TablesJson(const Solution& solution, bool rigorous)
{
    const ReportView view = solution.view();
    QJsonArray tables;
    for (const ReportTable& table : view.tables) {
        QJsonArray rows;
        for (int r = 0; r < table.table->rowCount(); ++r) {
            QJsonArray cells;
            for (int c = 0; c < table.table->columnCount(); ++c)
                cells.append(table.table->cell(c, r));
            rows.append(cells);
        }
        tables.append(QJsonObject{{"name", table.name}, {"page", TextOrNull(table.page)}, {"cells", rows}});
    }
    QJsonObject root{{"class", solution.exercise->windowClass},
                     {"caption", view.caption},
                     {"group", view.group},
                     {"name", view.name},
                     {"error", TextOrNull(solution.error())},
                     {"tables", tables},
                     {"inputs", InputsJson(solution)},
                     {"results", ResultsJson(solution)}};
    if (rigorous) {
        const std::optional<Comparison> comparison = CompareSolution(solution);
        root.insert("rigorous", comparison ? QJsonValue(ComparisonJson(*comparison)) : QJsonValue());
    }
    return QJsonDocument(root).toJson(QJsonDocument::Compact) + '\n';
}

QStringList SummaryResultHeader(const Exercise& exercise, bool rigorous)
{
    QStringList header;
    for (const ResultQuantity& result : exercise.results)
        header << result.name;
    if (rigorous)
        for (const ResultQuantity& quantity : exercise.comparison.quantities)
            header << quantity.name + QStringLiteral(" строгое") << quantity.name + QStringLiteral(" разность");
    return header;
}

QStringList SummaryResultColumns(const Solution& solution, bool rigorous)
{
    QStringList columns;
    for (const ResultQuantity& result : solution.exercise->results)
        columns << solution.tables[static_cast<std::size_t>(result.table)].cell(result.column, result.row);
    if (!rigorous)
        return columns;
    const std::optional<Comparison> comparison = CompareSolution(solution);
    for (std::size_t i = 0; i < solution.exercise->comparison.quantities.size(); ++i) {
        if (!comparison || i >= comparison->rows.size()) {
            columns << QString() << QString();
            continue;
        }
        const ComparisonRow& row = comparison->rows[i];
        columns << (row.reason.isEmpty() ? row.rigorous : row.rigorous + QStringLiteral(" (") + row.reason + QLatin1Char(')'))
                << row.difference;
    }
    return columns;
}

}  // namespace kvelta
