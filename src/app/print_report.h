#pragma once
// «Печать...» and «Экспорт в PDF...»: the document «Печать из MS Word» builds, on paper through
// Qt's print preview and print dialogs, or as a PDF file.

#include "reports/word_document.h"

#include <QString>

class QWidget;

namespace kvelta {

// Shows the document in the print preview; its print button opens the print dialog.
void PrintWithPreview(const WordDocument& document, const QString& title, QWidget* parent);

// Writes the document as a PDF file; an existing file is replaced only once the new one is
// complete. Raises KveltaError when the file cannot be written.
void ExportPdf(const WordDocument& document, const QString& title, const QString& fileName);

// The Save dialog of a PDF file, opened at `suggestedPath`: the chosen name (ending in .pdf), or
// an empty text when cancelled. The dialog asks before an existing file is replaced.
QString ChoosePdfFile(QWidget* parent, const QString& suggestedPath);

// The error box of a document no application opened: it names the saved file and offers the
// other ways out. Returns "ExportPdf1", "Print1" or an empty text for none.
QString AskOtherWayOut(QWidget* parent, const QString& boxText);

// The folder a report is offered in first: the documents folder, made when the account has none
// yet, else the home folder.
QString DefaultReportFolder();

// The file a report of a window is offered as: in `folder`, named from the caption and the
// student ("Вычисление дуги меридианов - Иванов И. И.txt"), with the extension.
QString SuggestedReportFile(const QString& folder, const QString& caption, const QString& student,
                            const QString& extension);

}  // namespace kvelta
