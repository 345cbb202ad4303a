#pragma once
// kvelta-web's HTTP side: listens, bounds every request (size, parameters, time-outs), adds the
// security headers, and hands each request to the site on a pool of threads.

#include "render/pdf_module.h"

#include <string>

namespace kvelta::web {

struct ServerOptions {
    std::string address = "127.0.0.1";
    int port = 8080;
    int threads = 64;
};

// Read one option's value into `options`; the error, or empty when the value is good.
std::string ReadListen(const std::string& value, ServerOptions& options);
std::string ReadThreads(const std::string& value, ServerOptions& options);

// Blocks SIGINT and SIGTERM in the calling thread and every thread it starts after.
void BlockStopSignals();

// Serves until SIGINT or SIGTERM; prints "kvelta-web: listening on http://ADDRESS:PORT/" on standard
// output once it listens. Returns the exit status: 0 stopped, 1 could not listen.
int RunServer(const ServerOptions& options, PdfWriterFunction pdfWriter);

}  // namespace kvelta::web
