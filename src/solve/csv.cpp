#include "solve/csv.h"

#include "solve/spreadsheet.h"

namespace kvelta {

QByteArray CsvLine(const QStringList& fields) { return DelimitedLine(fields, QLatin1Char(',')); }

}  // namespace kvelta
