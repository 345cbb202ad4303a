#include "web/http_server.h"

#include "web/guarded_server.h"
#include "web/site.h"

#include <httplib.h>

#include <algorithm>
#include <charconv>
#include <csignal>
#include <cstdio>
#include <pthread.h>
#include <sys/resource.h>
#include <thread>

namespace kvelta::web {

namespace {

// Scripts, frames, plug-ins and other sites are refused; styles only from the program.
const httplib::Headers kSecurityHeaders{
    {"Content-Security-Policy", "default-src 'none'; style-src 'self'; img-src 'self'; form-action 'self'; "
                                "base-uri 'none'; frame-ancestors 'none'"},
    {"X-Content-Type-Options", "nosniff"},
    {"Referrer-Policy", "no-referrer"},
    {"X-Frame-Options", "DENY"},
};

const char kPlainError[] = "text/plain; charset=utf-8";

void Respond(const httplib::Request& request, httplib::Response& response, PdfWriterFunction pdfWriter)
{
    QueryParameters query(request.params.begin(), request.params.end());
    const Reply reply = Answer(request.method, request.path, query, pdfWriter);
    response.status = reply.status;
    if (!reply.location.isEmpty())
        response.set_header("Location", reply.location.toStdString());
    if (!reply.fileName.isEmpty())
        response.set_header("Content-Disposition", "attachment; filename=\"" + reply.fileName.toStdString() + "\"");
    response.set_header("Cache-Control", reply.cacheable ? "max-age=86400" : "no-cache");
    response.set_content(reply.body.constData(), static_cast<std::size_t>(reply.body.size()),
                         reply.contentType.constData());
}

void Configure(httplib::Server& server, PdfWriterFunction pdfWriter)
{
    // The time-outs of a connection are the server's own (ConnectionLimits): the library's, per
    // read and per write, would let a slow client keep a thread.
    server.set_keep_alive_max_count(1000);
    server.set_tcp_nodelay(true);  // small answers go out at once, not after the peer's delayed ACK
    server.set_payload_max_length(16 * 1024);
    server.set_default_headers(kSecurityHeaders);
    const auto handler = [pdfWriter](const httplib::Request& request, httplib::Response& response) {
        Respond(request, response, pdfWriter);
    };
    server.Get(".*", handler);
    server.Post(".*", handler);
    server.Put(".*", handler);
    server.Patch(".*", handler);
    server.Delete(".*", handler);
    server.Options(".*", handler);
    // Whatever fails inside is answered without its details.
    server.set_exception_handler([](const httplib::Request&, httplib::Response& response, std::exception_ptr) {
        response.status = 500;
        response.set_content("Internal error\n", kPlainError);
    });
    server.set_error_handler([](const httplib::Request&, httplib::Response& response) {
        if (response.body.empty())
            response.set_content("HTTP error " + std::to_string(response.status) + "\n", kPlainError);
    });
}

// The waiting room holds at most half the open files the process may have, so that a crowd of slow
// clients never leaves the server without a file for a new connection (the one nearest its limit
// is closed instead).
ConnectionLimits LimitsForThisProcess()
{
    ConnectionLimits limits;
    rlimit files{};
    if (getrlimit(RLIMIT_NOFILE, &files) == 0 && files.rlim_cur != RLIM_INFINITY)
        limits.waitingConnections = std::clamp<std::size_t>(files.rlim_cur / 2, 16, limits.waitingConnections);
    return limits;
}

sigset_t StopSignals()
{
    sigset_t stop;
    sigemptyset(&stop);
    sigaddset(&stop, SIGINT);
    sigaddset(&stop, SIGTERM);
    return stop;
}

}  // namespace

std::string ReadListen(const std::string& value, ServerOptions& options)
{
    const std::size_t colon = value.rfind(':');
    int port = -1;
    if (colon != std::string::npos && colon > 0) {
        const char* end = value.data() + value.size();
        const auto result = std::from_chars(value.data() + colon + 1, end, port);
        if (result.ec != std::errc() || result.ptr != end)
            port = -1;
    }
    if (port < 0 || port > 65535)
        return "--listen takes ADDRESS:PORT, a port from 0 to 65535: '" + value + "'";
    options.address = value.substr(0, colon);
    if (options.address.size() > 2 && options.address.front() == '[' && options.address.back() == ']')
        options.address = options.address.substr(1, options.address.size() - 2);
    options.port = port;
    return {};
}

std::string ReadThreads(const std::string& value, ServerOptions& options)
{
    int threads = 0;
    const auto result = std::from_chars(value.data(), value.data() + value.size(), threads);
    if (result.ec != std::errc() || result.ptr != value.data() + value.size() || threads < 1 || threads > 1024)
        return "--threads takes a number from 1 to 1024: '" + value + "'";
    options.threads = threads;
    return {};
}

void BlockStopSignals()
{
    const sigset_t stop = StopSignals();
    pthread_sigmask(SIG_BLOCK, &stop, nullptr);
}

int RunServer(const ServerOptions& options, PdfWriterFunction pdfWriter)
{
    GuardedServer server(LimitsForThisProcess(), options.threads);
    Configure(server, pdfWriter);
    int port = options.port;
    if (port == 0)
        port = server.bind_to_any_port(options.address);
    else if (!server.bind_to_port(options.address, port))
        port = -1;
    if (port <= 0) {
        std::fprintf(stderr, "kvelta-web: cannot listen on %s:%d\n", options.address.c_str(), options.port);
        return 1;
    }
    server.WidenBacklog();
    const bool v6 = options.address.find(':') != std::string::npos;
    std::printf("kvelta-web: listening on http://%s%s%s:%d/\n", v6 ? "[" : "", options.address.c_str(), v6 ? "]" : "", port);
    std::fflush(stdout);
    std::thread stopper([&server] {
        const sigset_t stop = StopSignals();
        int signal = 0;
        sigwait(&stop, &signal);
        server.stop();
    });
    const bool served = server.listen_after_bind();
    if (stopper.joinable()) {
        // Stopped otherwise than by a signal: wake the waiting thread.
        pthread_kill(stopper.native_handle(), SIGTERM);
        stopper.join();
    }
    return served ? 0 : 1;
}

}  // namespace kvelta::web
