#pragma once
// kvelta-solve draws PDF files through a module of its own, loaded only when a PDF is asked for:
// a bare kvelta-solve starts without Qt Gui and everything it loads. The module starts the
// QGuiApplication (on the offscreen platform) and runs the command inside it.

#include "reports/pdf_book.h"
#include "reports/word_document.h"

#include <QByteArray>
#include <QFileInfo>
#include <QLibrary>
#include <QString>
#include <QStringList>
#include <span>

namespace kvelta {

// Draws the documents, each from a new page, as one PDF file titled `title`.
using PdfWriterFunction = QByteArray (*)(std::span<const WordDocument> documents, const QString& title);

// The module's entry point, looked up by this name: makes the application from the program's
// arguments, then returns what `run` returns, `run` given the module's PDF writer and its book.
using PdfModuleMain = int (*)(int& argc, char** argv, int (*run)(PdfWriterFunction writer, PdfBookStarter startBook));
inline constexpr char kPdfModuleMain[] = "kvelta_pdf_main";

// The module's entry point from the first of `paths` (relative to the running program's folder, or
// absolute) that exists; nullptr with `error` set when none loads. The module stays loaded for the
// life of the program.
inline PdfModuleMain LoadPdfModule(const QStringList& paths, QString& error)
{
    const QString folder = QFileInfo(QFileInfo(QStringLiteral("/proc/self/exe")).symLinkTarget()).path();
    for (const QString& relative : paths) {
        const QString path = QFileInfo(relative).isAbsolute() ? relative : folder + QLatin1Char('/') + relative;
        if (!QFileInfo::exists(path))
            continue;
        QLibrary module(path);
        if (auto entry = reinterpret_cast<PdfModuleMain>(module.resolve(kPdfModuleMain)))
            return entry;
        error = module.errorString();
        return nullptr;
    }
    error = QStringLiteral("%1/kvelta-pdf.so is missing").arg(folder);
    return nullptr;
}

}  // namespace kvelta
