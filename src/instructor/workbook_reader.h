#pragma once
// Class lists and tables of variants kept as workbooks: Office Open XML (.xlsx, as Excel and
// LibreOffice Calc save them) and OpenDocument (.ods). A file is told by its content, never by its
// name; one that is neither text nor a workbook is refused with the reason. Reading is linear and
// bounded: a container that unpacks to more than a workbook can hold, or a sheet with more cells
// than a class list or a batch can have, is refused before it fills the memory.

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

namespace kvelta {

// What a workbook may hold: bytes of one unpacked part, rows and columns of the sheet read.
struct WorkbookLimits {
    qint64 partBytes = 256LL << 20;
    qsizetype rows = 1'048'576;
    qsizetype columns = 1'024;
};

// The rows of the workbook's sheet (the first, or the one named `sheet`) as text cells, as the
// delimited reader yields them: numbers written with a decimal point and as few digits as give the
// stored value back, text as CellAsWritten, blank rows dropped, trailing empty cells cut. Nothing when the bytes are not a
// zip container (text, for the delimited reader). Raises SpreadsheetError when they are a container
// but not a workbook, a workbook without that sheet, something else that is not text (an old
// binary .xls, a PDF), or beyond the limits.
std::optional<std::vector<QStringList>> ReadWorkbook(const QByteArray& bytes, const QString& sheet = {},
                                                     const WorkbookLimits& limits = {});

// The shortest text with a decimal point that reads back as `value`; no exponent.
QString WorkbookNumber(double value);

}  // namespace kvelta
