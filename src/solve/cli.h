#pragma once
// The command line of kvelta-solve.

#include "reports/word_document.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace kvelta {

// Draws a report document as a PDF file titled by its second argument. The core draws nothing:
// the program hands it in (it needs Qt Gui); without it --pdf and --with-pdf are refused.
using PdfWriter = QByteArray (*)(const WordDocument& document, const QString& title);

// Whether the arguments ask for a PDF file: only then does the program need Qt Gui.
bool AsksForPdf(const QStringList& arguments);

// Runs the command with its arguments (without the program name); returns the exit status:
// 0 done, 1 the computation or a file failed, 2 wrong usage.
int RunSolveCommand(const QStringList& arguments, PdfWriter pdfWriter = nullptr);

}  // namespace kvelta
