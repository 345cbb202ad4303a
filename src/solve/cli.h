#pragma once
// The command line of kvelta-solve.

#include "reports/pdf_book.h"
#include "reports/word_document.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <span>

namespace kvelta {

// Draws report documents, each from a new page, as one PDF file titled by its second argument. The
// core draws nothing: the program hands it in (it needs Qt Gui); without it --pdf, --with-pdf and
// --keys are refused.
using PdfWriter = QByteArray (*)(std::span<const WordDocument> documents, const QString& title);

// Whether the arguments ask for a PDF file (--pdf, --with-pdf, --keys): only then does the program
// need Qt Gui.
bool AsksForPdf(const QStringList& arguments);

// To be called first thing: notes a standard output the program was started without, and keeps
// its descriptor taken (by /dev/null), so that no file opened later becomes standard output.
// Printing then fails with "it is closed".
void NoteClosedStandardOutput();

// Runs the command with its arguments (without the program name); returns the exit status:
// 0 done, 1 the computation or a file failed, 2 wrong usage. A batch draws its keys' PDF files
// and answer book through a book from `startBook` when one is given, else through `pdfWriter`.
int RunSolveCommand(const QStringList& arguments, PdfWriter pdfWriter = nullptr, PdfBookStarter startBook = nullptr);

}  // namespace kvelta
