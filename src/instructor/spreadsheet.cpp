#include "instructor/spreadsheet.h"

#include "frame/edit_names.h"
#include "frame/numbers.h"
#include "instructor/outputs.h"
#include "instructor/workbook_reader.h"

#include <QRegularExpression>
#include <QStringDecoder>
#include <algorithm>
#include <cstring>
#include <limits>
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

// `answers`: a result's name may head the column. `inputFirst`: an input of the same name as a
// result comes before it (the first column under that name in a file headed by input names).
HeaderMatch MatchHeader(const QString& cell, const Exercise& exercise, bool answers, bool inputFirst)
{
    const QString name = cell.trimmed();
    if (name.isEmpty())  // an empty column a spreadsheet saved; its cells must be empty too
        return {};
    const std::vector<const EditField*> named = EditsNamed(exercise.edits, name);
    if (answers && !(inputFirst && !named.empty()))
        for (std::size_t r = 0; r < exercise.results.size(); ++r)
            if (exercise.results[r].name == name)
                return {{QString(), static_cast<int>(r)}, {}};
    for (const EditField& edit : exercise.edits)
        if (edit.name.compare(name, Qt::CaseInsensitive) == 0)
            return {{edit.name}, {}};
    if (!named.empty())
        return {{name}, {}};
    std::vector<const EditField*> labelled;
    for (const EditField& edit : exercise.edits)
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

bool IsNumberColumn(const VariantSheet::Column& column, const Exercise& exercise)
{
    if (column.edit.isEmpty())
        return column.result >= 0;
    return NamesNumber(exercise.edits, column.edit);
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
    // In a file headed by input names ("group", "B1") a name that is also a result's is the input in
    // its first column and the answer in a second; in one headed by edit names, the answer.
    const bool byInputNames = std::any_of(cells.begin(), cells.end(), [&](const QString& cell) {
        const QString name = cell.trimmed();
        return !EditsNamed(exercise.edits, name).empty() && !name.startsWith(QLatin1String("Edit"), Qt::CaseInsensitive)
               && std::none_of(exercise.results.begin(), exercise.results.end(),
                               [&](const ResultQuantity& result) { return result.name == name; });
    });
    std::set<QString> seen;
    for (const QString& cell : cells) {
        const bool inputFirst = byInputNames && seen.insert(cell.trimmed()).second;
        const HeaderMatch match = MatchHeader(cell, exercise, answers, inputFirst);
        if (!match.problem.isEmpty())
            return {{}, match.problem};
        bool repeated = match.column.result >= 0 && !results.insert(match.column.result).second;
        if (!match.column.edit.isEmpty())
            for (const EditField* edit : EditsNamed(exercise.edits, match.column.edit))
                repeated = !edits.insert(edit->name).second || repeated;
        if (repeated)
            return {{}, QStringLiteral("names %1 more than once").arg(cell.trimmed())};
        reading.columns.push_back(match.column);
        reading.columns.back().number = IsNumberColumn(match.column, exercise);
    }
    return reading;
}

// The decimal separator the answers are written with, by the most: a student's slip is that
// student's unreadable answer, never the whole file's.
std::optional<QChar> AnswersDecimal(const VariantSheet& sheet)
{
    qsizetype commas = 0, points = 0;
    for (std::size_t r = 0; r < sheet.rows.size(); ++r) {
        const QStringList row = sheet.rows[r];
        for (std::size_t c = 0; c < sheet.columns.size() && c < static_cast<std::size_t>(row.size()); ++c)
            if (sheet.columns[c].result >= 0) {
                commas += row[static_cast<qsizetype>(c)].count(QLatin1Char(','));
                points += row[static_cast<qsizetype>(c)].count(QLatin1Char('.'));
            }
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
    // Once both are found the rest cannot change the answer.
    for (std::size_t r = 0; r < sheet.rows.size() && (commaAt.isEmpty() || pointAt.isEmpty()); ++r) {
        const QStringList row = sheet.rows[r];
        for (std::size_t c = 0; c < sheet.columns.size() && c < static_cast<std::size_t>(row.size()); ++c) {
            if (!sheet.columns[c].number || (answers && sheet.columns[c].result >= 0))
                continue;
            const QString& cell = row[static_cast<qsizetype>(c)];
            const auto where = [&] { return QStringLiteral("variant %1, column %2").arg(r + 1).arg(c + 1); };
            if (commaAt.isEmpty() && cell.contains(QLatin1Char(',')))
                commaAt = where();
            if (pointAt.isEmpty() && cell.contains(QLatin1Char('.')))
                pointAt = where();
        }
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

// What a scan of bytes as UTF-8 found: the first byte that is not UTF-8 (-1: none) and how many
// characters of more than one byte came before it.
struct Utf8Scan {
    qsizetype firstInvalid = -1;
    qsizetype multiByte = 0;
};

Utf8Scan ScanUtf8(const QByteArray& bytes)
{
    Utf8Scan scan;
    const auto* data = reinterpret_cast<const uchar*>(bytes.constData());
    const qsizetype size = bytes.size();
    for (qsizetype i = 0; i < size;) {
        const uchar lead = data[i];
        if (lead < 0x80) {
            ++i;
            continue;
        }
        const int length = lead >= 0xC2 && lead <= 0xDF ? 2 : lead >= 0xE0 && lead <= 0xEF ? 3 : lead >= 0xF0 && lead <= 0xF4 ? 4 : 0;
        bool valid = length > 0 && i + length <= size;
        for (int k = 1; valid && k < length; ++k)
            valid = (data[i + k] & 0xC0) == 0x80;
        // No overlong forms, surrogates or code points past U+10FFFF.
        if (valid && length == 3)
            valid = !(lead == 0xE0 && data[i + 1] < 0xA0) && !(lead == 0xED && data[i + 1] >= 0xA0);
        if (valid && length == 4)
            valid = !(lead == 0xF0 && data[i + 1] < 0x90) && !(lead == 0xF4 && data[i + 1] >= 0x90);
        if (!valid) {
            scan.firstInvalid = i;
            return scan;
        }
        ++scan.multiByte;
        i += length;
    }
    return scan;
}

// The line (from 1) that holds a byte.
qsizetype LineOfByte(const QByteArray& bytes, qsizetype at)
{
    qsizetype line = 1;
    for (qsizetype i = 0; i < at; ++i)
        if (bytes[i] == '\n' || (bytes[i] == '\r' && (i + 1 >= bytes.size() || bytes[i + 1] != '\n')))
            ++line;
    return line;
}

// The text from its first line that is not blank.
QString WithoutLeadingBlankLines(const QString& text)
{
    qsizetype lineStart = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == QLatin1Char('\n') || c == QLatin1Char('\r'))
            lineStart = i + 1;
        else if (c != QLatin1Char(' ') && c != QLatin1Char('\t'))
            return text.mid(lineStart);
    }
    return {};
}

}  // namespace

QString DecodeSpreadsheet(const QByteArray& bytes, InputEncoding encoding)
{
    if (bytes.startsWith(QByteArrayView("\xFF\xFE\0\0", 4)) || bytes.startsWith(QByteArrayView("\0\0\xFE\xFF", 4)))
        throw SpreadsheetError(QStringLiteral("the file is UTF-32; save it as UTF-8 or Windows-1251"));
    const bool littleEndian = bytes.startsWith("\xFF\xFE"), bigEndian = bytes.startsWith("\xFE\xFF");
    if (littleEndian || bigEndian) {  // UTF-16 as some editors save it: read when it is whole
        QStringDecoder utf16(littleEndian ? QStringDecoder::Utf16LE : QStringDecoder::Utf16BE,
                             QStringDecoder::Flag::Stateless);
        const QString text = utf16.decode(bytes.mid(2));
        if (utf16.hasError() || bytes.size() % 2 != 0)
            throw SpreadsheetError(QStringLiteral("the file is not valid UTF-16"));
        return text;
    }
    if (const qsizetype zero = bytes.indexOf('\0'); zero >= 0)
        throw SpreadsheetError(QStringLiteral("line %1 holds a zero byte: the file is UTF-16 without a byte order mark "
                                              "or not text; save it as UTF-8 or Windows-1251")
                                   .arg(LineOfByte(bytes, zero)));
    if (encoding == InputEncoding::Windows1251)
        return QString::fromUtf8(ToUtf8Lines(bytes));
    const bool bom = bytes.startsWith("\xEF\xBB\xBF");
    const Utf8Scan scan = ScanUtf8(bytes);
    if (scan.firstInvalid < 0)
        return QString::fromUtf8(bom ? QByteArrayView(bytes).sliced(3) : QByteArrayView(bytes));
    // Windows-1251 only when nothing in the file reads as UTF-8: one stray byte in a UTF-8 file
    // would otherwise turn every letter of it into another one.
    if (encoding == InputEncoding::Utf8 || bom || scan.multiByte > 0)
        throw SpreadsheetError(QStringLiteral("the file is not valid UTF-8: line %1 holds the byte 0x%2; save the file "
                                              "as UTF-8 (or give --input-encoding windows-1251)")
                                   .arg(LineOfByte(bytes, scan.firstInvalid))
                                   .arg(static_cast<uchar>(bytes[scan.firstInvalid]), 2, 16, QLatin1Char('0')));
    return QString::fromUtf8(ToUtf8Lines(bytes));
}

void ParseDelimitedRows(const QString& text, QChar separator, const DelimitedLimits& limits,
                        const std::function<void(QStringList&&)>& take)
{
    qsizetype rows = 0;
    QStringList row;
    QString field;
    bool quoted = false;
    bool fieldStarted = false;
    qsizetype cells = 0;
    auto endField = [&] {
        if (row.size() >= limits.fields)
            throw SpreadsheetError(QStringLiteral("line %1 has more than %2 fields; a table holds at most %2 columns")
                                       .arg(rows + 1).arg(limits.fields));
        if (++cells > limits.cells)
            throw SpreadsheetError(QStringLiteral("the file has more than %1 fields; a table holds at most %1")
                                       .arg(limits.cells));
        row.append(CellAsWritten(field));
        field = QString();
        fieldStarted = false;
    };
    auto endRow = [&] {
        endField();
        if (!IsBlank(row)) {  // spreadsheets often end their files with some blank ones
            if (rows >= limits.rows)
                throw SpreadsheetError(QStringLiteral("the file has more than %1 lines; a table holds at most %1")
                                           .arg(limits.rows));
            ++rows;
            take(std::move(row));
        }
        row = QStringList();  // a fresh list: a cleared one would keep the widest row's room
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
            endRow();
        } else {
            field += c;
            fieldStarted = true;
        }
    }
    if (quoted)
        throw SpreadsheetError(QStringLiteral("a quoted field is not closed"));
    if (fieldStarted || !field.isEmpty() || !row.isEmpty())
        endRow();
}

std::vector<QStringList> ParseDelimited(const QString& text, QChar separator, const DelimitedLimits& limits)
{
    std::vector<QStringList> rows;
    ParseDelimitedRows(text, separator, limits, [&](QStringList&& row) { rows.push_back(std::move(row)); });
    return rows;
}

namespace {

// A cell a spreadsheet would evaluate: one that starts with a formula's sign and is not a plain
// number, after any apostrophes (so that guarding stays reversible).
bool WouldBeEvaluated(const QString& cell)
{
    qsizetype start = 0;
    while (start < cell.size() && cell[start] == QLatin1Char('\''))
        ++start;
    if (start == cell.size())
        return false;
    static const QString formulaSigns = QStringLiteral("=+-@\t\r\n");
    if (!formulaSigns.contains(cell[start]))
        return false;
    static const QRegularExpression plainNumber(QStringLiteral("^[-+]?[0-9]+(?:[.,][0-9]*)?(?:[eE][-+]?[0-9]+)?$"));
    return !plainNumber.match(QStringView(cell).mid(start)).hasMatch();
}

}  // namespace

QString InertCell(const QString& cell)
{
    return WouldBeEvaluated(cell) ? QLatin1Char('\'') + cell : cell;
}

QString CellAsWritten(const QString& cell)
{
    return cell.startsWith(QLatin1Char('\'')) && WouldBeEvaluated(cell.mid(1)) ? cell.mid(1) : cell;
}

QByteArray DelimitedLine(const QStringList& fields, QChar separator)
{
    QStringList quoted;
    for (QString field : fields) {
        field = InertCell(field);
        if (field.contains(separator) || field.contains(QLatin1Char('"')) || field.contains(QLatin1Char('\n'))
            || field.contains(QLatin1Char('\r')))
            field = QLatin1Char('"') + field.replace(QLatin1String("\""), QLatin1String("\"\"")) + QLatin1Char('"');
        quoted << field;
    }
    return (quoted.join(separator) + QStringLiteral("\r\n")).toUtf8();
}

namespace {

// Ends every cell in SheetRows' buffer: a byte no UTF-8 text holds.
constexpr char kCellEnd = '\xFF';

}  // namespace

SheetRows::SheetRows(const std::vector<QStringList>& rows)
{
    for (const QStringList& row : rows)
        push_back(row);
    squeeze();
}

QStringList SheetRows::operator[](std::size_t row) const
{
    const qsizetype begin = rowStarts_[row];
    const qsizetype end = row + 1 < rowStarts_.size() ? rowStarts_[row + 1] : cells_.size();
    const char* data = cells_.constData();
    QStringList cells;
    cells.reserve(std::count(data + begin, data + end, kCellEnd));
    for (qsizetype start = begin; start < end;) {
        const auto* stop = static_cast<const char*>(std::memchr(data + start, kCellEnd, static_cast<std::size_t>(end - start)));
        const qsizetype length = stop - (data + start);
        // An empty cell is a null string, as the readers make it.
        cells.append(length == 0 ? QString() : QString::fromUtf8(data + start, length));
        start += length + 1;
    }
    return cells;
}

void SheetRows::push_back(const QStringList& row)
{
    if (cells_.size() > static_cast<qsizetype>(std::numeric_limits<quint32>::max()))
        throw SpreadsheetError(QStringLiteral("the table holds more than 4 GiB of text"));
    rowStarts_.push_back(static_cast<quint32>(cells_.size()));
    for (const QString& cell : row) {
        cells_ += cell.toUtf8();
        cells_ += kCellEnd;
    }
}

void SheetRows::squeeze()
{
    cells_.squeeze();
    rowStarts_.shrink_to_fit();
}

std::optional<TypedTexts> VariantSheet::edits(const Exercise& exercise, const QStringList& row) const
{
    // Each value read once: a row of a large batch is read as often as it is solved.
    if (row.size() != static_cast<qsizetype>(columns.size()))
        return std::nullopt;
    TypedTexts texts;
    for (std::size_t c = 0; c < columns.size(); ++c)
        if (!columns[c].edit.isEmpty()) {
            try {
                const TypedTexts typed = TextsOfNamedValue(exercise.edits, columns[c].edit, input(exercise, row, c));
                texts.insert(texts.end(), typed.begin(), typed.end());
            } catch (const NameError&) {
                return std::nullopt;  // problem() tells why
            }
        }
    return texts;
}

QString VariantSheet::problem(const Exercise& exercise, const QStringList& row) const
{
    if (row.size() != static_cast<qsizetype>(columns.size()))
        return QStringLiteral("the row has %1 fields, the header %2").arg(row.size()).arg(columns.size());
    for (std::size_t c = 0; c < columns.size(); ++c)
        if (!columns[c].edit.isEmpty())
            try {
                TextsOfNamedValue(exercise.edits, columns[c].edit, input(exercise, row, c));
            } catch (const NameError& error) {
                return error.text();
            }
    return {};
}

QString VariantSheet::input(const Exercise& /*exercise*/, const QStringList& row, std::size_t column) const
{
    return columns[column].number ? number(row, column) : row.value(static_cast<qsizetype>(column));
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
    // Blank lines before the header are skipped as those after it.
    const QString text = WithoutLeadingBlankLines(DecodeSpreadsheet(bytes, reading.encoding));
    const QString header = FirstLine(text);
    if (header.trimmed().isEmpty())
        throw SpreadsheetError(bytes.trimmed().isEmpty() ? QStringLiteral("the file is empty or holds only blank lines")
                                                         : QStringLiteral("the file has no header row"));
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
    // Rows go straight into the compact table: the file's text and the table are all a large batch
    // holds at once. For UTF-8 the cells take no more bytes than the file.
    sheet.rows.reserve(bytes.size());
    bool headerRow = true;
    ParseDelimitedRows(text, sheet.separator, {}, [&](QStringList&& row) {
        if (!headerRow)
            sheet.rows.push_back(row);
        headerRow = false;
    });
    sheet.rows.squeeze();
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
    sheet.rows = SheetRows(rows);
    return sheet;
}

}  // namespace

VariantSheet ReadVariantSheet(const QByteArray& bytes, const Exercise& exercise, const SheetReading& reading)
{
    std::optional<std::vector<QStringList>> workbookRows = ReadWorkbook(bytes, reading.sheet);
    VariantSheet sheet = workbookRows ? WorkbookSheet(std::move(*workbookRows), exercise, reading)
                                      : DelimitedSheet(bytes, exercise, reading);
    // Each row's own fields, not the header's columns: a wide header of empty cells costs nothing per row.
    for (std::size_t r = 0; r < sheet.rows.size(); ++r) {
        const QStringList row = sheet.rows[r];
        for (qsizetype c = 0; c < row.size() && c < static_cast<qsizetype>(sheet.columns.size()); ++c) {
            const VariantSheet::Column& column = sheet.columns[static_cast<std::size_t>(c)];
            if (column.edit.isEmpty() && column.result < 0 && !row[c].trimmed().isEmpty())
                throw SpreadsheetError(QStringLiteral("column %1 has no header but variant %2 fills it").arg(c + 1).arg(r + 1));
        }
    }
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
