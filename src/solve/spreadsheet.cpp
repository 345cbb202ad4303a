#include "solve/spreadsheet.h"

#include "frame/numbers.h"
#include "solve/outputs.h"
#include "solve/workbook_reader.h"

#include <QRegularExpression>
#include <QStringDecoder>
#include <set>

namespace kvelta {

namespace {

const QChar kCandidates[] = {QLatin1Char(';'), QLatin1Char('\t'), QLatin1Char(',')};

QString SeparatorName(QChar separator)
{
    return separator == QLatin1Char('\t') ? QStringLiteral("tab") : QStringLiteral("'%1'").arg(separator);
}

bool IsBlank(const QStringList& row)
{
    for (const QString& field : row)
        if (!field.trimmed().isEmpty())
            return false;
    return true;
}

// The first line of the text, quoted line breaks kept inside.
QString FirstLine(const QString& text)
{
    bool quoted = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == QLatin1Char('"'))
            quoted = !quoted;
        else if (!quoted && (text[i] == QLatin1Char('\n') || text[i] == QLatin1Char('\r')))
            return text.left(i);
    }
    return text;
}

// The separators that occur in a text outside quotes, in order of preference.
std::vector<QChar> SeparatorsIn(const QString& line)
{
    std::vector<QChar> found;
    for (const QChar candidate : kCandidates) {
        bool quoted = false;
        for (const QChar c : line) {
            if (c == QLatin1Char('"'))
                quoted = !quoted;
            else if (!quoted && c == candidate) {
                found.push_back(candidate);
                break;
            }
        }
    }
    return found;
}

// Where a header cell points: an edit or a final result; empty text when it points nowhere.
struct HeaderMatch {
    VariantSheet::Column column;
    QString problem;
};

HeaderMatch MatchHeader(const QString& cell, const Exercise& exercise, bool answers)
{
    const QString name = cell.trimmed();
    if (name.isEmpty())  // an empty column a spreadsheet saved; its cells must be empty too
        return {};
    if (answers)
        for (std::size_t r = 0; r < exercise.results.size(); ++r)
            if (exercise.results[r].name == name)
                return {{QString(), static_cast<int>(r)}, {}};
    for (const EditSpec& edit : exercise.edits)
        if (edit.name.compare(name, Qt::CaseInsensitive) == 0)
            return {{edit.name}, {}};
    std::vector<const EditSpec*> labelled;
    for (const EditSpec& edit : exercise.edits)
        if (edit.label.simplified() == name.simplified() && edit.kind != EditKind::Unused)
            labelled.push_back(&edit);
    if (labelled.size() == 1)
        return {{labelled.front()->name}, {}};
    if (labelled.size() > 1)
        return {{}, QStringLiteral("the label '%1' is beside more than one edit (%2, %3); name the edit instead")
                        .arg(name, labelled[0]->name, labelled[1]->name)};
    return {{}, answers ? QStringLiteral("%1 has no edit, label or result '%2'").arg(exercise.name, name)
                        : QStringLiteral("%1 has no edit '%2'").arg(exercise.name, name)};
}

// The header's columns read with one separator, or why they cannot be.
struct HeaderReading {
    std::vector<VariantSheet::Column> columns;
    QString problem;
};

HeaderReading ReadHeader(const QStringList& cells, const Exercise& exercise, bool answers)
{
    HeaderReading reading;
    std::set<QString> edits;
    std::set<int> results;
    for (const QString& cell : cells) {
        const HeaderMatch match = MatchHeader(cell, exercise, answers);
        if (!match.problem.isEmpty())
            return {{}, match.problem};
        const bool repeated = !match.column.edit.isEmpty() ? !edits.insert(match.column.edit).second
                              : match.column.result >= 0 ? !results.insert(match.column.result).second
                                                         : false;
        if (repeated)
            return {{}, QStringLiteral("names %1 more than once").arg(cell.trimmed())};
        reading.columns.push_back(match.column);
    }
    return reading;
}

bool IsNumberColumn(const VariantSheet::Column& column, const Exercise& exercise)
{
    if (column.edit.isEmpty())
        return column.result >= 0;
    const EditSpec* edit = exercise.edit(column.edit);
    return edit && (edit->kind == EditKind::Real || edit->kind == EditKind::Integer);
}

// The decimal separator the answers are written with, by the most: a student's slip is that
// student's unreadable answer, never the whole file's.
std::optional<QChar> AnswersDecimal(const VariantSheet& sheet)
{
    qsizetype commas = 0, points = 0;
    for (const QStringList& row : sheet.rows)
        for (std::size_t c = 0; c < sheet.columns.size() && c < static_cast<std::size_t>(row.size()); ++c)
            if (sheet.columns[c].result >= 0) {
                commas += row[static_cast<qsizetype>(c)].count(QLatin1Char(','));
                points += row[static_cast<qsizetype>(c)].count(QLatin1Char('.'));
            }
    if (commas == points)
        return std::nullopt;
    return commas > points ? QLatin1Char(',') : QLatin1Char('.');
}

// The decimal separator the numbers are written with; an error when some given data have a comma
// and others a point. With answers, the given data decide, and the answers only when no given
// number has a fraction.
std::optional<QChar> DetectDecimal(const VariantSheet& sheet, const Exercise& exercise, bool answers)
{
    QString commaAt, pointAt;
    for (std::size_t r = 0; r < sheet.rows.size(); ++r)
        for (std::size_t c = 0; c < sheet.columns.size() && c < static_cast<std::size_t>(sheet.rows[r].size()); ++c) {
            if (!IsNumberColumn(sheet.columns[c], exercise) || (answers && sheet.columns[c].result >= 0))
                continue;
            const QString& cell = sheet.rows[r][static_cast<qsizetype>(c)];
            const QString where = QStringLiteral("variant %1, column %2").arg(r + 1).arg(c + 1);
            if (commaAt.isEmpty() && cell.contains(QLatin1Char(',')))
                commaAt = where;
            if (pointAt.isEmpty() && cell.contains(QLatin1Char('.')))
                pointAt = where;
        }
    if (!commaAt.isEmpty() && !pointAt.isEmpty())
        throw SpreadsheetError(QStringLiteral("the numbers are written both with a decimal comma (%1) and with a "
                                              "decimal point (%2); give --decimal-separator")
                                   .arg(commaAt, pointAt));
    if (!commaAt.isEmpty())
        return QLatin1Char(',');
    if (!pointAt.isEmpty())
        return QLatin1Char('.');
    return answers ? AnswersDecimal(sheet) : std::nullopt;
}

}  // namespace

QString DecodeSpreadsheet(const QByteArray& bytes, InputEncoding encoding)
{
    QByteArray data = bytes;
    const bool bom = data.startsWith("\xEF\xBB\xBF");
    if (encoding == InputEncoding::Windows1251)
        return QString::fromUtf8(ToUtf8Lines(data));
    if (bom)
        data.remove(0, 3);
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = utf8.decode(data);
    if (!utf8.hasError())
        return text;
    if (encoding == InputEncoding::Utf8 || bom)
        throw SpreadsheetError(QStringLiteral("the file is not valid UTF-8"));
    return QString::fromUtf8(ToUtf8Lines(bytes));
}

std::vector<QStringList> ParseDelimited(const QString& text, QChar separator)
{
    std::vector<QStringList> rows;
    QStringList row;
    QString field;
    bool quoted = false;
    bool fieldStarted = false;
    auto endField = [&] {
        row.append(field);
        field.clear();
        fieldStarted = false;
    };
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (quoted) {
            if (c != QLatin1Char('"'))
                field += c;
            else if (i + 1 < text.size() && text[i + 1] == QLatin1Char('"'))
                field += text[++i];
            else
                quoted = false;
        } else if (c == QLatin1Char('"') && !fieldStarted) {
            quoted = fieldStarted = true;
        } else if (c == separator) {
            endField();
        } else if (c == QLatin1Char('\r') || c == QLatin1Char('\n')) {
            if (c == QLatin1Char('\r') && i + 1 < text.size() && text[i + 1] == QLatin1Char('\n'))
                ++i;
            endField();
            rows.push_back(row);
            row.clear();
        } else {
            field += c;
            fieldStarted = true;
        }
    }
    if (quoted)
        throw SpreadsheetError(QStringLiteral("a quoted field is not closed"));
    if (fieldStarted || !field.isEmpty() || !row.isEmpty()) {
        endField();
        rows.push_back(row);
    }
    std::erase_if(rows, IsBlank);  // spreadsheets often end their files with some
    return rows;
}

QByteArray DelimitedLine(const QStringList& fields, QChar separator)
{
    QStringList quoted;
    for (QString field : fields) {
        if (field.contains(separator) || field.contains(QLatin1Char('"')) || field.contains(QLatin1Char('\n'))
            || field.contains(QLatin1Char('\r')))
            field = QLatin1Char('"') + field.replace(QLatin1String("\""), QLatin1String("\"\"")) + QLatin1Char('"');
        quoted << field;
    }
    return (quoted.join(separator) + QStringLiteral("\r\n")).toUtf8();
}

std::optional<TypedTexts> VariantSheet::edits(const Exercise& exercise, const QStringList& row) const
{
    if (row.size() != static_cast<qsizetype>(columns.size()))
        return std::nullopt;
    TypedTexts texts;
    for (std::size_t c = 0; c < columns.size(); ++c)
        if (!columns[c].edit.isEmpty())
            texts.emplace_back(columns[c].edit, IsNumberColumn(columns[c], exercise)
                                                    ? number(row, c)
                                                    : row[static_cast<qsizetype>(c)]);
    return texts;
}

QString VariantSheet::number(const QStringList& row, std::size_t column) const
{
    QString cell = row.value(static_cast<qsizetype>(column));
    if (decimal && *decimal != DecimalSeparator())
        cell.replace(*decimal, DecimalSeparator());
    return cell;
}

namespace {

// A sheet of delimited text: the separator is found from the header.
VariantSheet DelimitedSheet(const QByteArray& bytes, const Exercise& exercise, const SheetReading& reading)
{
    QString text = DecodeSpreadsheet(bytes, reading.encoding);
    // Blank lines before the header are skipped as those after it.
    static const QRegularExpression leadingBlankLines(QStringLiteral("^(?:[ \\t]*(?:\\r\\n|\\r|\\n))+"));
    text.remove(leadingBlankLines);
    const QString header = FirstLine(text);
    if (header.trimmed().isEmpty())
        throw SpreadsheetError(QStringLiteral("the file has no header row"));
    // The separator is the one with which every header cell names a column; a header that reads
    // so with two separators is ambiguous.
    std::vector<QChar> candidates = SeparatorsIn(header);
    if (candidates.empty())
        candidates.push_back(QLatin1Char(','));
    std::vector<std::pair<QChar, HeaderReading>> readable;
    QString problem;
    for (const QChar separator : candidates) {
        const std::vector<QStringList> rows = ParseDelimited(header, separator);
        if (rows.empty())  // a header of empty cells only
            throw SpreadsheetError(QStringLiteral("the file has no header row"));
        HeaderReading headerReading = ReadHeader(rows.front(), exercise, reading.answers);
        if (headerReading.problem.isEmpty())
            readable.emplace_back(separator, std::move(headerReading));
        else if (problem.isEmpty())
            problem = candidates.size() == 1 ? headerReading.problem
                                             : QStringLiteral("with the separator %1: %2")
                                                   .arg(SeparatorName(separator), headerReading.problem);
    }
    if (readable.empty())
        throw SpreadsheetError(problem);
    if (readable.size() > 1)
        throw SpreadsheetError(QStringLiteral("the header reads as columns both with %1 and with %2 as the separator")
                                   .arg(SeparatorName(readable[0].first), SeparatorName(readable[1].first)));
    VariantSheet sheet;
    sheet.separator = readable.front().first;
    sheet.columns = std::move(readable.front().second.columns);
    sheet.rows = ParseDelimited(text, sheet.separator);
    sheet.rows.erase(sheet.rows.begin());
    return sheet;
}

// A workbook's rows as a sheet: the first is the header; rows short of it had empty cells at the
// end, which a workbook does not keep.
VariantSheet WorkbookSheet(std::vector<QStringList> rows, const Exercise& exercise, const SheetReading& reading)
{
    if (rows.empty())
        throw SpreadsheetError(QStringLiteral("the sheet has no header row"));
    HeaderReading header = ReadHeader(rows.front(), exercise, reading.answers);
    if (!header.problem.isEmpty())
        throw SpreadsheetError(header.problem);
    VariantSheet sheet;
    sheet.separator = QLatin1Char(';');
    sheet.columns = std::move(header.columns);
    rows.erase(rows.begin());
    for (QStringList& row : rows)
        while (row.size() < static_cast<qsizetype>(sheet.columns.size()))
            row.append(QString());
    sheet.rows = std::move(rows);
    return sheet;
}

}  // namespace

VariantSheet ReadVariantSheet(const QByteArray& bytes, const Exercise& exercise, const SheetReading& reading)
{
    std::optional<std::vector<QStringList>> workbookRows = ReadWorkbook(bytes, reading.sheet);
    VariantSheet sheet = workbookRows ? WorkbookSheet(std::move(*workbookRows), exercise, reading)
                                      : DelimitedSheet(bytes, exercise, reading);
    for (std::size_t r = 0; r < sheet.rows.size(); ++r)
        for (std::size_t c = 0; c < sheet.columns.size(); ++c)
            if (sheet.columns[c].edit.isEmpty() && sheet.columns[c].result < 0
                && !sheet.rows[r].value(static_cast<qsizetype>(c)).trimmed().isEmpty())
                throw SpreadsheetError(QStringLiteral("column %1 has no header but variant %2 fills it").arg(c + 1).arg(r + 1));
    if (!reading.decimalGiven)
        sheet.decimal = DetectDecimal(sheet, exercise, reading.answers);
    return sheet;
}

namespace {

// The lines of a class list in delimited text, split into a group and a name.
std::vector<QStringList> StudentLines(const QByteArray& bytes, InputEncoding encoding)
{
    const QString text = DecodeSpreadsheet(bytes, encoding);
    // The first separator (';', tab, ',') in the list that splits every line into at most a group
    // and a name; a list of names alone has none.
    std::vector<QChar> candidates = SeparatorsIn(text);
    if (candidates.empty())
        candidates.push_back(QLatin1Char(';'));
    std::optional<std::vector<QStringList>> lines;
    for (const QChar separator : candidates) {
        std::vector<QStringList> rows = ParseDelimited(text, separator);
        bool fits = true;
        for (const QStringList& row : rows)
            fits = fits && (row.size() <= 2 || IsBlank(row.mid(2)));
        if (fits) {
            lines = std::move(rows);
            break;
        }
    }
    if (!lines)
        throw SpreadsheetError(QStringLiteral("the lines do not split into a group and a name"));
    return std::move(*lines);
}

std::vector<Student> StudentsOf(const std::vector<QStringList>& lines)
{
    std::vector<Student> students;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const QStringList& row = lines[i];
        const QString first = row.value(0).trimmed();
        if (i == 0 && row.size() >= 2
            && (first.compare(QStringLiteral("группа"), Qt::CaseInsensitive) == 0
                || first.compare(QStringLiteral("group"), Qt::CaseInsensitive) == 0))
            continue;
        students.push_back(row.size() >= 2 ? Student{first, row[1].trimmed()} : Student{QString(), first});
        if (students.back().name.isEmpty())
            throw SpreadsheetError(QStringLiteral("student %1 has no name").arg(students.size()));
    }
    if (students.empty())
        throw SpreadsheetError(QStringLiteral("the list has no students"));
    return students;
}

}  // namespace

std::vector<Student> ReadStudents(const QByteArray& bytes, InputEncoding encoding, const QString& sheet)
{
    std::optional<std::vector<QStringList>> lines = ReadWorkbook(bytes, sheet);
    if (lines && !std::all_of(lines->begin(), lines->end(), [](const QStringList& row) { return row.size() <= 2; }))
        throw SpreadsheetError(QStringLiteral("the sheet has more than two columns, a group and a name"));
    if (!lines)
        lines = StudentLines(bytes, encoding);
    return StudentsOf(*lines);
}

}  // namespace kvelta
