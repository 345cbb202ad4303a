#pragma once
// Paints a report document (reports/word_document.h) on pages: a printer's or a PDF file's. The
// pages are the document's own — its page size, orientation and margins, its paragraphs with
// their fonts, sizes and alignments, its tables with the fitted column widths and the heading
// rows repeated on each page — laid out by Qt's rich-text engine. Needs a QGuiApplication.

#include "reports/pdf_book.h"
#include "reports/word_document.h"

#include <QByteArray>
#include <QPageLayout>
#include <QString>
#include <memory>
#include <span>

class QPagedPaintDevice;

namespace kvelta {

// The font family the reports are set in, as the .docx file names it.
inline const QString kReportFontFamily = QStringLiteral("Times New Roman");

QPageLayout PageLayoutOf(const WordDocument& document);

// Gives the device the document's page layout and paints every page on it (for a printer, the
// pages of the range its dialog chose).
void PaintDocument(const WordDocument& document, QPagedPaintDevice& device);

// The document as a PDF file titled `title`.
QByteArray WritePdf(const WordDocument& document, const QString& title);

// For tests: the file at another resolution (a printer's), its pages drawn by the program's own
// table drawing or by Qt's table painter, which the own drawing must match dot for dot; and
// whether the own drawing draws the document's pages at all (else Qt's painter does).
enum class TableDrawing { Own, QtPainter };
QByteArray WritePdfAt(const WordDocument& document, const QString& title, int dotsPerInch, TableDrawing drawing);
bool RulesTablesItself(const WordDocument& document, int dotsPerInch);

// The documents one after another in one PDF file, each from a new page in its own page layout
// (an answer book of a whole group).
QByteArray WritePdfBook(std::span<const WordDocument> documents, const QString& title);

// A book drawn a document at a time (reports/pdf_book.h): each document laid out once for its own
// file and the book's pages alike, and drawn exactly as WritePdf and WritePdfBook draw it.
std::unique_ptr<PdfBookDrawer> StartPdfBook();

}  // namespace kvelta
