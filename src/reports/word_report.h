#pragma once
// "Печать из MS Word": the window's caption, the student's group and name and its result tables,
// typed into a new word-processor document through WordAutomation. There is one builder for the
// six windows of the meridian-arc family and one each for the windows with several tables.

#include "frame/exercise.h"
#include "frame/report_view.h"
#include "reports/word_automation.h"
#include "reports/word_document.h"

#include <QByteArray>
#include <QStringList>

namespace kvelta {

// The first steps of every report: a new document, the margins, the caption (centred, bold,
// 16 pt) and the two student lines (justified, 14 pt).
void WriteWordHeader(const ReportView& window, WordAutomation& word);

// Types one result table into a new table, cell by cell in row order, with one empty row more
// when `extraRow` is set; `leaveTable` extends the selection one line below it, so that the next
// text typed takes the place of that row.
void AddGridTable(const ResultTable& grid, bool extraRow, bool leaveTable, WordAutomation& word);

// One of the report builders below.
using WordReportBuilder = void (*)(const ReportView& window, WordAutomation& word);

// TMForm, TPForm, TPTrapForm, TDTrapForm, TPTGKForm, TGKTPForm: the header and StringGrid1.
void BuildWordReport(const ReportView& window, WordAutomation& word);
// TReshSTmForm: the header and the table of the active page only.
void BuildLegendreWordReport(const ReportView& window, WordAutomation& word);
// TSfTrForm: the header, then the eight pages, each under its number.
void BuildLargeTriangleWordReport(const ReportView& window, WordAutomation& word);
// TPreobrazForm: the header, then the two stages.
void BuildZoneTransferWordReport(const ReportView& window, WordAutomation& word);
// TPrKoordForm: the header, then the active page's table under its page caption.
void BuildEveryPageWordReport(const ReportView& window, WordAutomation& word);

// The builder of a report layout.
WordReportBuilder WordReportBuilderFor(ReportLayout layout);

// The document of a report, built with the document builder and fitted for print: what the
// .docx file, the printed pages and the PDF file all show. `given` (an answer key's given data)
// goes under the student's lines as a bold heading and a paragraph a line, above the tables.
WordDocument BuildReportDocument(const ReportView& window, ReportLayout layout, const QStringList& given = {});

// The .docx file of a report.
QByteArray BuildDocx(const ReportView& window, ReportLayout layout);

}  // namespace kvelta
