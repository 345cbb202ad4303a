#pragma once
// A batch: every variant of a sheet solved, its report (and answer key) written, and summary.csv
// with one line per variant — what kvelta-solve --batch does and the group dialog does.

#include "reports/pdf_book.h"
#include "reports/word_document.h"
#include "instructor/spreadsheet.h"

#include <QByteArray>
#include <QDir>
#include <QString>
#include <atomic>
#include <functional>
#include <optional>
#include <span>

namespace kvelta {

// Draws documents, each from a new page, as one PDF file of that title.
using PdfDrawer = std::function<QByteArray(std::span<const WordDocument> documents, const QString& title)>;

struct BatchTargets {
    QDir reports;               // NNN-name.txt per variant and summary.csv
    std::optional<QDir> keys;   // NNN-group-name.txt, .docx (and .pdf) per variant and answer-book.pdf
    bool keyPdfs = false;       // the keys have PDF files and an answer book
    bool reportPdfs = false;    // a PDF file beside every report
    bool rigorous = false;      // summary.csv has the rigorous values too
    PdfDrawer drawPdf;          // needed for any PDF file
    bool xlsx = false;          // summary.xlsx beside summary.csv
    // When given, the keys' PDF files and the answer book are drawn through one book, each key
    // laid out once for both; else drawPdf draws them and the book again at the end.
    PdfBookStarter startBook = nullptr;
};

struct BatchEvents {
    std::function<void(int done, int total)> progressed;  // after each variant
    std::function<void(const QString&)> failed;           // a failure that has no line in summary.csv
    const std::atomic<bool>* cancelled = nullptr;         // stops between variants; no answer book then
    std::function<void(const QString&)> variantFailed;    // a variant's failure, also in summary.csv
};

// Runs the batch; returns how many variants (or the answer book) failed. A variant that fails is a
// line of summary.csv with its reason; the other variants go on. Raises KveltaError only when a
// folder or summary.csv cannot be written.
int RunBatch(const Exercise& exercise, const VariantSheet& sheet, const BatchTargets& targets,
             const BatchEvents& events = {});

}  // namespace kvelta
