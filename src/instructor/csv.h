#pragma once
// A line of comma-separated values as RFC 4180 has them: a field holding a comma, a quote
// (doubled) or a line break is quoted. (Reading such files: spreadsheet.h.)

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace kvelta {

QByteArray CsvLine(const QStringList& fields);  // with CR LF

}  // namespace kvelta
