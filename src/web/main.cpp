// kvelta-web: Kvelta's exercises in a browser, from one stateless server.

#include "render/pdf_module.h"
#include "web/http_server.h"
#include "web/pages.h"

#include <QCoreApplication>
#include <clocale>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <optional>
#include <string>

namespace {

const char kUsage[] =
    "Usage: kvelta-web [--listen ADDRESS:PORT] [--threads N]\n"
    "Serves Kvelta's exercises to browsers (default 127.0.0.1:8080; port 0 takes a free one).\n"
    "  --listen ADDRESS:PORT  where to listen\n"
    "  --threads N            requests answered at once (default 64, 1 to 1024)\n"
    "  --help, --version\n";

kvelta::web::ServerOptions g_options;  // read once from the command line, before serving

int Serve(kvelta::PdfWriterFunction pdfWriter, kvelta::PdfBookStarter)
{
    // The C library reads and writes numbers with a point, whatever the locale.
    std::setlocale(LC_NUMERIC, "C");
    kvelta::web::InitResources();
    return kvelta::web::RunServer(g_options, pdfWriter);
}

// Reads the options; an exit status when the program is to stop at once.
std::optional<int> ReadOptions(int argc, char* argv[])
{
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        const bool hasValue = i + 1 < argc;
        if (argument == "--help") {
            std::fputs(kUsage, stdout);
            return 0;
        }
        if (argument == "--version") {
            std::puts("kvelta-web " KVELTA_VERSION);
            return 0;
        }
        std::string error;
        if (argument == "--listen" && hasValue)
            error = kvelta::web::ReadListen(argv[++i], g_options);
        else if (argument == "--threads" && hasValue)
            error = kvelta::web::ReadThreads(argv[++i], g_options);
        else
            error = "unexpected argument '" + argument + "'";
        if (!error.empty()) {
            std::fprintf(stderr, "kvelta-web: %s\n%s", error.c_str(), kUsage);
            return 2;
        }
    }
    return std::nullopt;
}

}  // namespace

int main(int argc, char* argv[])
{
    if (const std::optional<int> status = ReadOptions(argc, argv))
        return *status;
    std::signal(SIGPIPE, SIG_IGN);
    kvelta::web::BlockStopSignals();  // before any thread starts: one thread waits for them
    QString error;
    const QStringList paths{QStringLiteral("kvelta-pdf.so"), QStringLiteral(KVELTA_PDF_MODULE_FROM_BIN),
                            QStringLiteral(KVELTA_PDF_MODULE_BUILT)};
    if (const kvelta::PdfModuleMain pdfMain = kvelta::LoadPdfModule(paths, error))
        return pdfMain(argc, argv, Serve);
    std::fprintf(stderr, "kvelta-web: PDF files cannot be drawn: %s\n", qUtf8Printable(error));
    QCoreApplication app(argc, argv);
    return Serve(nullptr, nullptr);
}
