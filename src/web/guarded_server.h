#pragma once
// cpp-httplib's server with a thread taken only for a whole request. The library serves each
// connection on one thread of its pool from the first byte to the last, and bounds only each read
// (a client that sends a byte every few seconds keeps its thread for ever; as many such clients as
// threads starve everybody). Here a connection that is idle, or sending its request, waits in a
// waiting room watched by one thread, which closes it when it takes longer than its limits; once the
// request is whole it goes to the pool, and the library reads it from what is already there.

#include "web/request_extent.h"

#include <httplib.h>

#include <atomic>
#include <chrono>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <set>
#include <thread>
#include <vector>

namespace kvelta::web {

using Clock = std::chrono::steady_clock;

// Connections waiting for (the rest of) a request, one thread watching them with epoll.
class WaitingRoom {
public:
    using Ready = std::function<void(int socket, int requestsLeft)>;
    WaitingRoom(const ConnectionLimits& limits, Ready ready);
    ~WaitingRoom();
    WaitingRoom(const WaitingRoom&) = delete;
    WaitingRoom& operator=(const WaitingRoom&) = delete;

    // Takes the connection over: hands it to `ready` once a request is whole, or closes it.
    void Park(int socket, int requestsLeft, bool fresh);
    // Closes every waiting connection; later ones are closed as they come.
    void Stop();

private:
    struct Guest {
        int requestsLeft = 0;
        Arrival arrival = Arrival::Nothing;
        Clock::time_point deadline;
    };
    void Run();
    void Look(int socket, std::uint32_t events);  // these and the next two with mutex_ held
    void SetDeadline(int socket, Guest& guest, Clock::time_point deadline);
    void Leave(int socket);
    void CloseExpired(Clock::time_point now);

    const ConnectionLimits limits_;
    const Ready ready_;
    int epoll_ = -1;
    int wake_ = -1;  // an eventfd: stop, or a new earliest deadline
    std::mutex mutex_;
    std::map<int, Guest> guests_;
    std::set<std::pair<Clock::time_point, int>> deadlines_;
    bool stopping_ = false;
    std::vector<char> peeked_;
    std::thread thread_;
};

class GuardedServer : public httplib::Server {
public:
    GuardedServer(const ConnectionLimits& limits, int threads);
    ~GuardedServer() override;
    // Once bound: a listening queue long enough for a burst of new connections.
    void WidenBacklog();

private:
    class Queue;
    bool process_and_close_socket(socket_t socket) override;
    void Enqueue(std::function<void()> job);
    void Serve(int socket, int requestsLeft, bool fresh);
    std::optional<RequestExtent> Linger(int socket, bool fresh, std::vector<char>& peeked) const;
    void Shutdown();

    const ConnectionLimits limits_;
    const int threads_;
    std::unique_ptr<httplib::ThreadPool> pool_;
    std::unique_ptr<WaitingRoom> room_;
    std::atomic<int> waitingJobs_{0};  // in the pool's queue, not yet begun
};

}  // namespace kvelta::web
