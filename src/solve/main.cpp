// kvelta-solve: the exercises of Kvelta without a screen, for instructors and scripts.

#include "frame/numbers.h"
#include "render/pdf_module.h"
#include "solve/cli.h"

#include <QCoreApplication>
#include <QLocale>
#include <csignal>
#include <clocale>
#include <cstdio>

namespace {

int Run(kvelta::PdfWriterFunction pdfWriter, kvelta::PdfBookStarter startBook)
{
    // QCoreApplication set the user's LC_ALL; the C library must keep reading and writing points.
    std::setlocale(LC_NUMERIC, "C");
    QCoreApplication::setApplicationName(QStringLiteral("kvelta-solve"));
    QCoreApplication::setApplicationVersion(QStringLiteral(KVELTA_VERSION));
    kvelta::SetDecimalSeparator(QLocale::system().decimalPoint().front());
    return kvelta::RunSolveCommand(QCoreApplication::arguments().mid(1), pdfWriter, startBook);
}

}  // namespace

int main(int argc, char* argv[])
{
    kvelta::NoteClosedStandardOutput();
    // A file size limit makes a write fail (and be reported) instead of ending the program.
    std::signal(SIGXFSZ, SIG_IGN);
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    // Fonts and pages need Qt Gui; everything else runs on a bare QCoreApplication, which starts
    // much faster.
    if (kvelta::AsksForPdf(arguments)) {
        QString error;
        // The PDF module: beside the program (a build folder), or where the package installs it.
        const QStringList paths{QStringLiteral("kvelta-pdf.so"), QStringLiteral(KVELTA_PDF_MODULE_FROM_BIN)};
        if (const kvelta::PdfModuleMain pdfMain = kvelta::LoadPdfModule(paths, error))
            return pdfMain(argc, argv, Run);
        std::fprintf(stderr, "kvelta-solve: PDF files cannot be drawn: %s\n", qUtf8Printable(error));
        return 1;
    }
    QCoreApplication app(argc, argv);
    return Run(nullptr, nullptr);
}
