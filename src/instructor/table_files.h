#pragma once
// Tables written for spreadsheets to open right: CSV in UTF-8 with a byte order mark, ';' between
// fields when numbers have a decimal comma and ',' when they have a point (as Excel and
// LibreOffice Calc read them in such a locale); and the same tables as .xlsx workbooks.

#include <QByteArray>
#include <QChar>
#include <QString>
#include <QStringList>
#include <vector>

namespace kvelta {

inline constexpr char kUtf8ByteOrderMark[] = "\xEF\xBB\xBF";

// The field separator that goes with the program's decimal separator.
QChar ListSeparator();

// One line of a table file, fields separated by ListSeparator(), with CR LF.
QByteArray TableLine(const QStringList& fields);

// A whole table file: the byte order mark and the lines.
QByteArray TableFile(const std::vector<QStringList>& rows);

// The rows of a table file Kvelta wrote (byte order mark and separator as above).
std::vector<QStringList> ReadTableFile(const QByteArray& bytes);

// A number's text without the zeros that end its fraction, nor a bare decimal separator:
// "1800.500" → "1800.5", "2.000" → "2"; a whole number stays as it is.
QString WithoutTrailingZeros(QString number, QChar decimal);

// FILE.csv → FILE.xlsx (or FILE + .xlsx without the extension).
QString XlsxPathFor(const QString& csvPath);

}  // namespace kvelta
