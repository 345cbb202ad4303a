#include "instructor/table_files.h"

#include "frame/numbers.h"
#include "instructor/spreadsheet.h"

namespace kvelta {

QChar ListSeparator()
{
    return DecimalSeparator() == QLatin1Char(',') ? QLatin1Char(';') : QLatin1Char(',');
}

QByteArray TableLine(const QStringList& fields)
{
    return DelimitedLine(fields, ListSeparator());
}

QByteArray TableFile(const std::vector<QStringList>& rows)
{
    QByteArray bytes = kUtf8ByteOrderMark;
    for (const QStringList& row : rows)
        bytes += TableLine(row);
    return bytes;
}

std::vector<QStringList> ReadTableFile(const QByteArray& bytes)
{
    return ParseDelimited(DecodeSpreadsheet(bytes, InputEncoding::Utf8), ListSeparator());
}

QString WithoutTrailingZeros(QString number, QChar decimal)
{
    if (!number.contains(decimal))
        return number;
    while (number.endsWith(QLatin1Char('0')))
        number.chop(1);
    if (number.endsWith(decimal))
        number.chop(1);
    return number;
}

QString XlsxPathFor(const QString& csvPath)
{
    QString path = csvPath;
    if (path.endsWith(QLatin1String(".csv"), Qt::CaseInsensitive))
        path.chop(4);
    return path + QStringLiteral(".xlsx");
}

}  // namespace kvelta
