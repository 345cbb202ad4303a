// The PDF module of kvelta-solve (see pdf_module.h).

#include "render/document_painter.h"
#include "render/pdf_module.h"

#include <QGuiApplication>

namespace {

// One document is drawn exactly as «Экспорт в PDF...» draws it.
QByteArray WritePdfFile(std::span<const kvelta::WordDocument> documents, const QString& title)
{
    return documents.size() == 1 ? kvelta::WritePdf(documents.front(), title) : kvelta::WritePdfBook(documents, title);
}

}  // namespace

extern "C" Q_DECL_EXPORT int kvelta_pdf_main(int& argc, char** argv, int (*run)(kvelta::PdfWriterFunction writer, kvelta::PdfBookStarter startBook))
{
    // No screen is needed to lay out and draw pages.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    return run(WritePdfFile, kvelta::StartPdfBook);
}
