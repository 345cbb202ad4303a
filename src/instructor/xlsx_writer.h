#pragma once
// A table as an Office Open XML workbook (.xlsx) of one sheet, for Excel and LibreOffice Calc.

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <vector>

namespace kvelta {

// The workbook of the rows: a cell that is a number as Kvelta writes it (the program's decimal
// separator, no leading zeros, at most 15 significant digits) is a number shown with the decimals
// it was written with; every other cell is text, never a formula. Raises KveltaError when the
// container cannot be made.
QByteArray WriteXlsx(const std::vector<QStringList>& rows, const QString& sheetName);

}  // namespace kvelta
