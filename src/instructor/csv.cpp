#include "instructor/csv.h"

#include "instructor/spreadsheet.h"

namespace kvelta {

QByteArray CsvLine(const QStringList& fields) { return DelimitedLine(fields, QLatin1Char(',')); }

}  // namespace kvelta
