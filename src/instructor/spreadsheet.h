#pragma once
// Tables of variants as spreadsheets save them: comma, semicolon or tab separated, UTF-8 (with or
// without a byte order mark) or Windows-1251, numbers with a decimal comma or point. What cannot be
// read for certain is an error that says why; nothing is guessed silently.

#include "frame/exercise.h"

#include <QByteArray>
#include <QChar>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>
#include <stdexcept>
#include <vector>

namespace kvelta {

enum class InputEncoding { Detect, Utf8, Windows1251 };

// Why a spreadsheet cannot be read.
class SpreadsheetError : public std::runtime_error {
public:
    explicit SpreadsheetError(const QString& text) : std::runtime_error(text.toStdString()) {}
};

// The text of the bytes: UTF-8 (a byte order mark dropped) when they are valid UTF-8, else
// Windows-1251; or as forced.
QString DecodeSpreadsheet(const QByteArray& bytes, InputEncoding encoding);

// How much a table of delimited text may hold: a file past it is refused, never read for minutes.
struct DelimitedLimits {
    qsizetype fields = 1000;      // in one line
    qsizetype rows = 100001;      // not blank; a header and 100 000 variants
    qsizetype cells = 4000000;    // in the whole file
};

// Delimited rows, quoted fields as in RFC 4180 (quotes doubled, separators and line breaks
// inside); blank lines dropped; cells read as CellAsWritten. Linear in the text.
std::vector<QStringList> ParseDelimited(const QString& text, QChar separator, const DelimitedLimits& limits = {});
// The same, each row given to `row` as it ends, none kept.
void ParseDelimitedRows(const QString& text, QChar separator, const DelimitedLimits& limits,
                        const std::function<void(QStringList&&)>& row);

// A cell as a spreadsheet must show it, not evaluate it: text starting with = + - @ or a control
// (a plain number aside) gets a leading apostrophe. CellAsWritten undoes it.
QString InertCell(const QString& cell);
QString CellAsWritten(const QString& cell);

// One line of delimited fields with CR LF, each made inert; fields holding the separator, a quote
// or a line break are quoted.
QByteArray DelimitedLine(const QStringList& fields, QChar separator);

// Rows of text cells kept compactly: every cell in one UTF-8 buffer, ended by a byte that UTF-8
// never holds, and where each row starts. A table of 100 000 variants costs about its file's
// size, not a list and a string per cell; a row becomes a list only when it is asked for.
class SheetRows {
public:
    SheetRows() = default;
    explicit SheetRows(const std::vector<QStringList>& rows);

    std::size_t size() const { return rowStarts_.size(); }
    bool empty() const { return rowStarts_.empty(); }
    QStringList operator[](std::size_t row) const;
    QStringList front() const { return (*this)[0]; }
    void push_back(const QStringList& row);
    // Room for about this many bytes of cells, so that a large table grows its buffer once.
    void reserve(qsizetype bytes) { cells_.reserve(bytes); }
    // Gives back what the buffers hold beyond the cells.
    void squeeze();

private:
    QByteArray cells_;
    std::vector<quint32> rowStarts_;  // offsets into cells_
};

// A table of variants (and, for marking, the students' answers) read against an exercise.
struct VariantSheet {
    struct Column {
        QString edit;    // the input it types: "Edit3", "B1", "B1.sec"; empty for an answer column
        int result = -1; // index into Exercise::results for an answer column
        bool number = false;  // its cells are numbers: a result, or an edit of a real or an integer
    };
    std::vector<Column> columns;
    SheetRows rows;  // below the header
    QChar separator;
    std::optional<QChar> decimal;   // the numbers' decimal separator, when any number has one

    // The typed texts of a row by edit (numbers in the program's decimal separator, an angle
    // typed under its name in its three edits); nothing when the row has a problem.
    std::optional<TypedTexts> edits(const Exercise& exercise, const QStringList& row) const;
    // Why a row cannot be typed: not as many fields as the header, or a value under a name that
    // does not read; empty when it can.
    QString problem(const Exercise& exercise, const QStringList& row) const;
    // A row's text in an input column, numbers in the program's decimal separator.
    QString input(const Exercise& exercise, const QStringList& row, std::size_t column) const;
    // The cell of a row in a column, its decimal separator made the program's.
    QString number(const QStringList& row, std::size_t column) const;
};

struct SheetReading {
    InputEncoding encoding = InputEncoding::Detect;
    bool decimalGiven = false;  // the numbers are written in the program's separator
    bool answers = false;       // header cells may name the exercise's final results
    QString sheet;              // of a workbook: the sheet named so; empty, the first
};

// The bytes are delimited text or an .xlsx or .ods workbook, told by their content.
// Header cells are input names ("B1", "B1.sec"), edit names ("Edit3") or the labels --list shows
// ("B1 o"); with `answers`, the names of the final results as summary.csv heads them come first,
// except that of two columns under the same name the first is the input.
VariantSheet ReadVariantSheet(const QByteArray& bytes, const Exercise& exercise, const SheetReading& reading);

struct Student {
    QString group;
    QString name;
};

// A class list: one student a line, "group;name", "group,name", "group<tab>name" or a name
// alone; a first line headed "Группа"/"group" is skipped. Or the same in the columns of a
// workbook's sheet (the first, or the one named `sheet`).
std::vector<Student> ReadStudents(const QByteArray& bytes, InputEncoding encoding, const QString& sheet = {});

}  // namespace kvelta
