#pragma once
// Shared helpers of the tests: the decimal separator of a test and reading a table's cells.

#include "frame/exercise.h"
#include "frame/numbers.h"
#include "frame/result_table.h"

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QStringList>
#include <gtest/gtest.h>
#include <map>
#include <string>

namespace kvelta::test {

// Sets the decimal separator for the scope of a test.
class SeparatorScope {
public:
    explicit SeparatorScope(QChar separator) : previous_(DecimalSeparator()) { SetDecimalSeparator(separator); }
    ~SeparatorScope() { SetDecimalSeparator(previous_); }

private:
    QChar previous_;
};

// A value written with a point, as it appears with the given separator.
inline QString WithSeparator(QString text, QChar separator)
{
    return text.replace(QLatin1Char('.'), separator);
}

inline std::string Str(const QString& s) { return s.toStdString(); }

// The bytes of a file; empty when it cannot be read.
inline QByteArray ReadFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Every cell of a table, for comparing whole tables.
inline QStringList AllCells(const ResultTable& table)
{
    QStringList cells;
    for (int r = 0; r < table.rowCount(); ++r)
        for (int c = 0; c < table.columnCount(); ++c)
            cells.append(table.cell(c, r));
    return cells;
}

// The cells a report prints: those of the rows and columns in use.
inline QStringList PrintedCells(const ResultTable& table)
{
    QStringList cells;
    for (const int r : table.rowsInUse())
        for (const int c : table.columnsInUse())
            cells.append(table.cell(c, r));
    return cells;
}

// The two decimal separators every worked example is checked with.
inline const QChar kSeparators[] = {QLatin1Char(','), QLatin1Char('.')};

}  // namespace kvelta::test
