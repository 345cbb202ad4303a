// A bare "hello" of the HTTP library kvelta-web uses, with kvelta-web's pool and listen queue: what
// the library costs alone, to set kvelta-web's figures against. Prints its address like kvelta-web.
#include <httplib.h>
#include <sys/socket.h>

#include <cstdio>

// The library listens with a queue of 5 connections: wrk's 32 at once overflow it, and the ones
// dropped wait for TCP to retry (a second and more). kvelta-web widens it; so does the hello.
struct Hello : httplib::Server {
    void WidenBacklog() { ::listen(svr_sock_, SOMAXCONN); }
};

int main()
{
    Hello server;
    server.new_task_queue = [] { return new httplib::ThreadPool(64); };
    server.set_read_timeout(5, 0);
    server.set_write_timeout(10, 0);
    server.set_keep_alive_timeout(5);
    server.set_keep_alive_max_count(1000);
    server.set_tcp_nodelay(true);  // small answers go out at once, not after the peer's delayed ACK
    server.Get("/", [](const httplib::Request&, httplib::Response& response) {
        response.set_content("hello\n", "text/plain; charset=utf-8");
    });
    const int port = server.bind_to_any_port("127.0.0.1");
    server.WidenBacklog();
    std::printf("hello: listening on http://127.0.0.1:%d/\n", port);
    std::fflush(stdout);
    return server.listen_after_bind() ? 0 : 1;
}
