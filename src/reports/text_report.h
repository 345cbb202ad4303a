#pragma once
// The plain-text report of a task window: the caption, the student's group and name and the
// window's result tables as ruled text, in Windows-1251 with CR LF line ends.

#include "frame/result_table.h"
#include "frame/task_form.h"

#include <QByteArray>
#include <QString>

namespace kvelta {

// What follows the header, by window family.
enum class TextReportBody {
    Common,         // an empty line, then the first table (StringGrid1)
    Legendre,       // the same: only the first page's table, whichever page is active
    LargeTriangle,  // "Шаг №1" … "Шаг №8", each followed at once by the table of that page
    ZoneTransfer,   // "Шаг №1", the first table, "Шаг №2", the second
};

// Appends a rule of total + 1 hyphens and a carriage return.
void AppendRuleLine(QString& text, int total);

// The table as ruled text, each line ended by a single carriage return; columns in their
// current positional order, each as wide as its longest cell in Windows-1251 bytes.
QString GridToText(const ResultTable& table);

// The whole report as text, lines ended by carriage returns.
QString TextReportText(const ReportView& view, TextReportBody body);

// The bytes of the file: Windows-1251, every line end (CR, LF or CR LF) made CR LF.
QByteArray TextReportBytes(const ReportView& view, TextReportBody body);

// Writes the report to the file, replacing an existing file only once the new one is complete.
// Throws KveltaError: `Cannot create file "%s". %s` or "Unable to write to %s".
void WriteTextReport(const ReportView& view, const QString& fileName, TextReportBody body);

}  // namespace kvelta
