#pragma once
// The plain-text report of a task window: the caption, the student's group and name and the
// window's result tables as ruled text, in Windows-1251 with CR LF line ends.

#include "frame/exercise.h"
#include "frame/report_view.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace kvelta {

// Appends a rule of total + 1 hyphens and a carriage return.
void AppendRuleLine(QString& text, int total);

// The table as ruled text, each line ended by a single carriage return; columns in their
// current positional order, each as wide as its longest cell in Windows-1251 bytes.
QString GridToText(const ResultTable& table);

// The whole report as text, lines ended by carriage returns. `given` (an answer key's given data)
// goes between the student's lines and the tables, followed by an empty line.
QString TextReportText(const ReportView& view, ReportLayout layout, const QStringList& given = {});

// The bytes of the file: Windows-1251, every line end (CR, LF or CR LF) made CR LF.
QByteArray TextReportBytes(const ReportView& view, ReportLayout layout, const QStringList& given = {});
// The same report in UTF-8 with LF line ends: every character kept, also one Windows-1251 lacks.
QByteArray TextReportUtf8Bytes(const ReportView& view, ReportLayout layout);

// A user's text made one harmless line: line breaks, tabs and other controls become spaces;
// invisible direction controls, which could make a line read as another, are dropped.
QString SingleLineText(const QString& text);

// Writes the report to the file, replacing an existing file only once the new one is complete.
// Throws KveltaError: `Cannot create file "%s". %s` or "Unable to write to %s. %s".
void WriteTextReport(const ReportView& view, const QString& fileName, ReportLayout layout);

}  // namespace kvelta
