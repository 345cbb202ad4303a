#pragma once
// kvelta-solve draws PDF files through a module of its own, loaded only when a PDF is asked for:
// a bare kvelta-solve starts without Qt Gui and everything it loads. The module starts the
// QGuiApplication (on the offscreen platform) and runs the command inside it.

#include "reports/word_document.h"

#include <QByteArray>
#include <QString>
#include <span>

namespace kvelta {

// Draws the documents, each from a new page, as one PDF file titled `title`.
using PdfWriterFunction = QByteArray (*)(std::span<const WordDocument> documents, const QString& title);

// The module's entry point, looked up by this name: makes the application from the program's
// arguments, then returns what `run` returns, `run` given the module's PDF writer.
using PdfModuleMain = int (*)(int& argc, char** argv, int (*run)(PdfWriterFunction writer));
inline constexpr char kPdfModuleMain[] = "kvelta_pdf_main";

}  // namespace kvelta
