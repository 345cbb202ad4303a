#pragma once
// What the .xlsx and .ods readers share: the zip container read from memory with a bound on every
// part, and the rows of a sheet collected within the limits.

#include "instructor/workbook_reader.h"

#include <QXmlStreamReader>

struct zip;

namespace kvelta {

struct ZipLibrary;

namespace workbook {

// Raises SpreadsheetError with the reason.
[[noreturn]] void Refuse(const QString& why);

// Refuses a part that QXmlStreamReader found malformed.
void CheckWellFormed(const QXmlStreamReader& xml, const QString& part);

// A zip container read from memory, its parts unpacked up to a limit each.
class ZipArchive {
public:
    ZipArchive(const QByteArray& bytes, qint64 partLimit);
    ~ZipArchive();
    ZipArchive(const ZipArchive&) = delete;
    ZipArchive& operator=(const ZipArchive&) = delete;

    bool has(const QString& name) const;
    // The unpacked part; refused when missing, damaged or larger than the limit.
    QByteArray part(const QString& name) const;

private:
    const ZipLibrary& zip_;
    struct zip* archive_ = nullptr;
    qint64 partLimit_;
};

// The rows of a sheet as cells arrive, blank rows and trailing empty cells left out; a cell or a
// row beyond the limits is refused. Repeats (OpenDocument's) are counted before anything is made.
class RowCollector {
public:
    explicit RowCollector(const WorkbookLimits& limits) : limits_(limits) {}
    void cell(qsizetype column, const QString& text, qsizetype repeat = 1);
    void endRow(qsizetype repeat = 1);
    std::vector<QStringList> take() { return std::move(rows_); }

private:
    WorkbookLimits limits_;
    QStringList row_;
    std::vector<QStringList> rows_;
};

// The number as the sheet shows it: WorkbookNumber, its fraction padded with zeros to the
// decimals its cell's format shows ("7.119" shown with four decimals is "7.1190", as typed).
QString ShownNumber(double value, int shownDecimals);

std::vector<QStringList> ReadXlsxRows(const ZipArchive& archive, const QString& sheet, const WorkbookLimits& limits);
std::vector<QStringList> ReadOdsRows(const ZipArchive& archive, const QString& sheet, const WorkbookLimits& limits);

}  // namespace workbook
}  // namespace kvelta
