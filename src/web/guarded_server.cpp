#include "web/guarded_server.h"

#include <netdb.h>
#include <poll.h>
#include <sys/epoll.h>
#include <sys/eventfd.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <optional>
#include <vector>

namespace kvelta::web {

namespace {

const char kHeadTooLarge[] = "HTTP/1.1 431 Request Header Fields Too Large\r\nContent-Type: text/plain; charset=utf-8\r\n"
                             "Content-Length: 32\r\nConnection: close\r\n\r\nThe request's headers are too long\n";
const char kTooSlow[] = "HTTP/1.1 408 Request Timeout\r\nContent-Type: text/plain; charset=utf-8\r\n"
                        "Content-Length: 30\r\nConnection: close\r\n\r\nThe request came in too slowly\n";

void Close(int socket)
{
    ::shutdown(socket, SHUT_RDWR);
    ::close(socket);
}

// A short answer sent only if the connection takes it at once.
void SendAndClose(int socket, const char* answer)
{
    [[maybe_unused]] const ssize_t sent = ::send(socket, answer, std::strlen(answer), MSG_DONTWAIT | MSG_NOSIGNAL);
    Close(socket);
}

// What has arrived on the connection, without taking it; none when the client has gone.
std::optional<RequestExtent> Peek(int socket, std::vector<char>& buffer, const ConnectionLimits& limits)
{
    buffer.resize(PeekBytes(limits));
    const ssize_t got = ::recv(socket, buffer.data(), buffer.size(), MSG_PEEK | MSG_DONTWAIT);
    if (got < 0 && (errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR))
        return RequestExtent{};
    if (got <= 0)
        return std::nullopt;
    return MeasureRequest({buffer.data(), static_cast<std::size_t>(got)}, limits);
}

// Waits until the socket can be read or written, at most until `deadline`.
bool WaitFor(int socket, short events, Clock::time_point deadline)
{
    for (;;) {
        const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now()).count();
        if (left <= 0)
            return false;
        pollfd entry{socket, events, 0};
        const int ready = ::poll(&entry, 1, static_cast<int>(std::min<long long>(left, 60000)));
        if (ready > 0)
            return true;
        if (ready < 0 && errno != EINTR)
            return false;
    }
}

// One request's stream for the library: reads no further than the request's `bytes` (what follows
// belongs to the next request, which waits on the connection), each within the read deadline, and
// writes the answer within the answer deadline.
class BoundedStream final : public httplib::Stream {
public:
    BoundedStream(int socket, std::size_t bytes, Clock::time_point readDeadline, Clock::time_point answerDeadline)
        : socket_(socket), unread_(bytes), readDeadline_(readDeadline), answerDeadline_(answerDeadline)
    {
    }
    bool is_readable() const override
    {
        return next_ < end_ || (unread_ > 0 && WaitFor(socket_, POLLIN, readDeadline_));
    }
    bool is_writable() const override { return WaitFor(socket_, POLLOUT, answerDeadline_); }
    ssize_t read(char* ptr, size_t size) override
    {
        while (next_ == end_) {
            if (unread_ == 0)
                return 0;
            if (!WaitFor(socket_, POLLIN, readDeadline_))
                return -1;
            const ssize_t got = ::recv(socket_, buffer_, std::min(sizeof buffer_, unread_), MSG_DONTWAIT);
            if (got == 0 || (got < 0 && errno != EAGAIN && errno != EINTR))
                return -1;
            if (got > 0) {
                unread_ -= static_cast<std::size_t>(got);
                next_ = 0;
                end_ = static_cast<std::size_t>(got);
            }
        }
        const std::size_t count = std::min(size, end_ - next_);
        std::memcpy(ptr, buffer_ + next_, count);
        next_ += count;
        return static_cast<ssize_t>(count);
    }
    ssize_t write(const char* ptr, size_t size) override
    {
        for (;;) {
            if (!is_writable())
                return -1;
            const ssize_t sent = ::send(socket_, ptr, size, MSG_NOSIGNAL | MSG_DONTWAIT);
            if (sent >= 0 || (errno != EAGAIN && errno != EINTR))
                return sent;
        }
    }
    void get_remote_ip_and_port(std::string& ip, int& port) const override { Address(::getpeername, ip, port); }
    void get_local_ip_and_port(std::string& ip, int& port) const override { Address(::getsockname, ip, port); }
    socket_t socket() const override { return socket_; }

private:
    template <typename Name>
    void Address(Name name, std::string& ip, int& port) const
    {
        sockaddr_storage address{};
        socklen_t length = sizeof address;
        char host[NI_MAXHOST] = "";
        char service[NI_MAXSERV] = "";
        if (name(socket_, reinterpret_cast<sockaddr*>(&address), &length) == 0
            && ::getnameinfo(reinterpret_cast<sockaddr*>(&address), length, host, sizeof host, service, sizeof service,
                             NI_NUMERICHOST | NI_NUMERICSERV) == 0) {
            ip = host;
            port = std::atoi(service);
        }
    }

    const int socket_;
    std::size_t unread_;
    const Clock::time_point readDeadline_;
    const Clock::time_point answerDeadline_;
    char buffer_[4096];
    std::size_t next_ = 0;
    std::size_t end_ = 0;
};

}  // namespace

WaitingRoom::WaitingRoom(const ConnectionLimits& limits, Ready ready)
    : limits_(limits), ready_(std::move(ready)), epoll_(::epoll_create1(EPOLL_CLOEXEC)),
      wake_(::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK))
{
    epoll_event event{};
    event.events = EPOLLIN;
    event.data.fd = wake_;
    ::epoll_ctl(epoll_, EPOLL_CTL_ADD, wake_, &event);
    thread_ = std::thread([this] { Run(); });
}

WaitingRoom::~WaitingRoom()
{
    Stop();
    ::close(epoll_);
    ::close(wake_);
}

void WaitingRoom::Park(int socket, int requestsLeft, bool fresh)
{
    const std::lock_guard lock(mutex_);
    if (stopping_) {
        Close(socket);
        return;
    }
    if (guests_.size() >= limits_.waitingConnections && !deadlines_.empty()) {
        // Full: the connection nearest its limit makes room.
        const int nearest = deadlines_.begin()->second;
        Leave(nearest);
        Close(nearest);
    }
    Guest& guest = guests_[socket];
    guest.requestsLeft = requestsLeft;
    SetDeadline(socket, guest, Clock::now() + (fresh ? limits_.firstRequest : limits_.idle));
    epoll_event event{};
    event.events = EPOLLIN | EPOLLRDHUP | EPOLLET;  // edge-triggered: woken by new bytes, not by waiting ones
    event.data.fd = socket;
    ::epoll_ctl(epoll_, EPOLL_CTL_ADD, socket, &event);
    if (deadlines_.begin()->second == socket) {
        const std::uint64_t one = 1;
        [[maybe_unused]] const ssize_t written = ::write(wake_, &one, sizeof one);
    }
}

void WaitingRoom::Stop()
{
    {
        const std::lock_guard lock(mutex_);
        if (stopping_)
            return;
        stopping_ = true;
        for (const auto& [socket, guest] : guests_)
            Close(socket);
        guests_.clear();
        deadlines_.clear();
        const std::uint64_t one = 1;
        [[maybe_unused]] const ssize_t written = ::write(wake_, &one, sizeof one);
    }
    thread_.join();
}

void WaitingRoom::Run()
{
    std::vector<epoll_event> events(256);
    for (;;) {
        int timeout = -1;
        {
            const std::lock_guard lock(mutex_);
            if (stopping_)
                return;
            if (!deadlines_.empty())
                timeout = static_cast<int>(std::clamp<long long>(
                    std::chrono::ceil<std::chrono::milliseconds>(deadlines_.begin()->first - Clock::now()).count(), 0, 60000));
        }
        const int count = ::epoll_wait(epoll_, events.data(), static_cast<int>(events.size()), timeout);
        const std::lock_guard lock(mutex_);
        for (int i = 0; i < count; ++i) {
            const int socket = events[i].data.fd;
            if (socket == wake_) {
                std::uint64_t value = 0;
                [[maybe_unused]] const ssize_t got = ::read(wake_, &value, sizeof value);
            } else if (guests_.count(socket) && !stopping_) {
                Look(socket, events[i].events);
            }
        }
        CloseExpired(Clock::now());
    }
}

void WaitingRoom::Look(int socket, std::uint32_t events)
{
    Guest& guest = guests_.at(socket);
    const std::optional<RequestExtent> extent = Peek(socket, peeked_, limits_);
    if (!extent) {
        Leave(socket);
        Close(socket);
        return;
    }
    if (extent->arrival == Arrival::Whole || extent->arrival == Arrival::HeadTooLarge) {
        const int requestsLeft = guest.requestsLeft;
        Leave(socket);
        ready_(socket, requestsLeft);
        return;
    }
    if (events & (EPOLLRDHUP | EPOLLHUP | EPOLLERR)) {
        // The client will send nothing more, and its request is not whole.
        Leave(socket);
        Close(socket);
        return;
    }
    // The head, then the body, each within its own time from when it began to arrive.
    if (extent->arrival != guest.arrival) {
        const auto now = Clock::now();
        if (extent->arrival == Arrival::Head)
            SetDeadline(socket, guest, now + limits_.head);
        else if (extent->arrival == Arrival::Body)
            SetDeadline(socket, guest, now + limits_.body);
        guest.arrival = extent->arrival;
    }
}

void WaitingRoom::SetDeadline(int socket, Guest& guest, Clock::time_point deadline)
{
    deadlines_.erase({guest.deadline, socket});
    guest.deadline = deadline;
    deadlines_.insert({deadline, socket});
}

void WaitingRoom::Leave(int socket)
{
    ::epoll_ctl(epoll_, EPOLL_CTL_DEL, socket, nullptr);
    const auto guest = guests_.find(socket);
    if (guest == guests_.end())
        return;
    deadlines_.erase({guest->second.deadline, socket});
    guests_.erase(guest);
}

void WaitingRoom::CloseExpired(Clock::time_point now)
{
    while (!deadlines_.empty() && deadlines_.begin()->first <= now) {
        const int socket = deadlines_.begin()->second;
        const bool started = guests_.at(socket).arrival != Arrival::Nothing;
        Leave(socket);
        if (started)
            SendAndClose(socket, kTooSlow);
        else
            Close(socket);
    }
}

// The library's pool runs the jobs; its shutdown stops the waiting room first.
class GuardedServer::Queue final : public httplib::TaskQueue {
public:
    explicit Queue(GuardedServer& server) : server_(server) {}
    void enqueue(std::function<void()> job) override { server_.Enqueue(std::move(job)); }
    void shutdown() override { server_.Shutdown(); }

private:
    GuardedServer& server_;
};

GuardedServer::GuardedServer(const ConnectionLimits& limits, int threads) : limits_(limits), threads_(threads)
{
    new_task_queue = [this]() -> httplib::TaskQueue* {
        pool_ = std::make_unique<httplib::ThreadPool>(static_cast<std::size_t>(threads_));
        room_ = std::make_unique<WaitingRoom>(limits_, [this](int socket, int requestsLeft) {
            Enqueue([this, socket, requestsLeft] { Serve(socket, requestsLeft, false); });
        });
        return new Queue(*this);
    };
}

GuardedServer::~GuardedServer() = default;

void GuardedServer::Enqueue(std::function<void()> job)
{
    ++waitingJobs_;
    pool_->enqueue([this, job = std::move(job)] {
        --waitingJobs_;
        job();
    });
}

void GuardedServer::WidenBacklog()
{
    if (svr_sock_ != INVALID_SOCKET)
        ::listen(svr_sock_, SOMAXCONN);
}

bool GuardedServer::process_and_close_socket(socket_t socket)
{
    Serve(socket, static_cast<int>(keep_alive_max_count_), true);
    return true;
}

// After an answer, waits up to the linger for the first bytes of the connection's next request; what
// has come by then (a request begun but not whole goes to the waiting room at once). A new connection
// is not waited for: one that sends nothing costs no thread's time.
std::optional<RequestExtent> GuardedServer::Linger(int socket, bool fresh, std::vector<char>& peeked) const
{
    const std::optional<RequestExtent> extent = Peek(socket, peeked, limits_);
    if (!fresh && extent && extent->arrival == Arrival::Nothing && WaitFor(socket, POLLIN, Clock::now() + limits_.linger))
        return Peek(socket, peeked, limits_);
    return extent;
}

void GuardedServer::Serve(int socket, int requestsLeft, bool fresh)
{
    thread_local std::vector<char> peeked;
    while (svr_sock_ != INVALID_SOCKET && requestsLeft > 0) {
        const std::optional<RequestExtent> extent = Linger(socket, fresh, peeked);
        if (!extent)
            break;
        if (extent->arrival == Arrival::HeadTooLarge) {
            SendAndClose(socket, kHeadTooLarge);
            return;
        }
        if (extent->arrival != Arrival::Whole) {
            room_->Park(socket, requestsLeft, fresh);
            return;
        }
        const auto now = Clock::now();
        BoundedStream stream(socket, extent->bytes, now + limits_.head, now + limits_.answer);
        const bool last = requestsLeft == 1;
        bool closed = false;
        if (!process_request(stream, last, closed, nullptr) || closed || last)
            break;
        --requestsLeft;
        fresh = false;
        if (waitingJobs_ > 0) {
            // Others wait for a thread: this connection's next request goes behind them.
            Enqueue([this, socket, requestsLeft] { Serve(socket, requestsLeft, false); });
            return;
        }
    }
    Close(socket);
}

void GuardedServer::Shutdown()
{
    room_->Stop();
    pool_->shutdown();
}

}  // namespace kvelta::web
