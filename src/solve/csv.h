#pragma once
// Comma-separated values as RFC 4180 has them: quoted fields may hold commas, quotes (doubled)
// and line breaks.

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <vector>

namespace kvelta {

// Rows of fields; throws std::runtime_error on an unterminated quoted field.
std::vector<QStringList> ParseCsv(const QString& text);
QByteArray CsvLine(const QStringList& fields);  // with CR LF

}  // namespace kvelta
