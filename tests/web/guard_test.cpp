// The guard against slow clients without the HTTP library: how much of a request has arrived, and
// the waiting room that holds connections until a request is whole and closes them past their limits.
#include "web/guarded_server.h"

#include <gtest/gtest.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <condition_variable>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace kvelta::web {
namespace {

using namespace std::chrono_literals;

TEST(RequestExtent, TellsWhatHasArrived)
{
    ConnectionLimits limits;
    limits.headBytes = 100;
    limits.bodyBytes = 10;
    struct Case {
        std::string received;
        Arrival arrival;
        std::size_t bytes;
    };
    const std::string get = "GET / HTTP/1.1\r\nHost: a\r\n\r\n";  // 27 bytes
    const Case cases[] = {
        {"", Arrival::Nothing, 0},
        {"G", Arrival::Head, 0},
        {"GET / HTTP/1.1\r\nHost: a\r\n", Arrival::Head, 0},
        {get, Arrival::Whole, 27},
        {get + "GET / HTTP/1.1\r\n", Arrival::Whole, 27},  // the next request is not this one's
        {"GET / HTTP/1.1\n\n", Arrival::Whole, 16},
        {std::string(99, 'a'), Arrival::Head, 0},
        {std::string(100, 'a'), Arrival::HeadTooLarge, 0},
        {std::string(150, 'a') + "\r\n\r\n", Arrival::HeadTooLarge, 0},  // its end past the limit
        {"POST / HTTP/1.1\r\nContent-Length: 5\r\n\r\nab", Arrival::Body, 0},
        {"POST / HTTP/1.1\r\ncontent-LENGTH:  5 \r\n\r\nabcdeGET", Arrival::Whole, 45},
        {"POST / HTTP/1.1\r\nContent-Length: 0\r\n\r\n", Arrival::Whole, 38},
        // A body past the limit, or a length that is no number, is not awaited: the library refuses it.
        {"POST / HTTP/1.1\r\nContent-Length: 11\r\n\r\nab", Arrival::Whole, 39},
        {"POST / HTTP/1.1\r\nContent-Length: 99999999999999999999\r\n\r\n", Arrival::Whole, 57},
        {"POST / HTTP/1.1\r\nContent-Length: -1\r\n\r\nab", Arrival::Whole, 39},
        {"POST / HTTP/1.1\r\nX-Content-Length: 5\r\n\r\n", Arrival::Whole, 40},
        {"POST / HTTP/1.1\r\nTransfer-Encoding: chunked\r\n\r\n3\r\nabc\r\n", Arrival::Body, 47},
        {"POST / HTTP/1.1\r\nTransfer-Encoding: chunked\r\n\r\n3\r\nabc\r\n0\r\n\r\nGET", Arrival::Whole, 60},
        {"POST / HTTP/1.1\r\nTransfer-Encoding: chunked\r\n\r\n0\r\n\r\n", Arrival::Whole, 52},
        // "10\r\n\r\n" ends no body: its "0" ends a size, not the last chunk.
        {"POST / HTTP/1.1\r\nTransfer-Encoding: chunked\r\n\r\n10\r\n\r\n", Arrival::Body, 47},
        {"POST / HTTP/1.1\r\nTransfer-Encoding: chunked\r\n\r\n" + std::string(20, 'x'), Arrival::Whole, 47},
    };
    for (const Case& c : cases) {
        const RequestExtent extent = MeasureRequest(c.received, limits);
        EXPECT_EQ(extent.arrival, c.arrival) << c.received;
        if (c.arrival == Arrival::Whole) {
            EXPECT_EQ(extent.bytes, c.bytes) << c.received;
        }
    }
}

// A connected pair of sockets: the server's end goes into the room, the test writes on the other.
struct Pair {
    Pair() { EXPECT_EQ(::socketpair(AF_UNIX, SOCK_STREAM, 0, ends), 0); }
    ~Pair() { ::close(ends[1]); }
    void Send(const std::string& bytes) const { ASSERT_EQ(::send(ends[1], bytes.data(), bytes.size(), MSG_NOSIGNAL), static_cast<ssize_t>(bytes.size())); }
    // What the server sent before it closed (waits at most 20 s for the close; unread bytes make it a reset).
    std::string ReadToClose() const
    {
        timeval wait{20, 0};
        ::setsockopt(ends[1], SOL_SOCKET, SO_RCVTIMEO, &wait, sizeof wait);
        std::string got;
        char buffer[512];
        ssize_t count = 0;
        while ((count = ::recv(ends[1], buffer, sizeof buffer, 0)) > 0)
            got.append(buffer, static_cast<std::size_t>(count));
        closedByServer = count == 0 || errno == ECONNRESET;  // not a time-out
        return got;
    }
    int ends[2] = {-1, -1};
    mutable bool closedByServer = false;
};

// The room with its hand-over recorded; the sockets handed over are closed by the test.
class Room {
public:
    explicit Room(const ConnectionLimits& limits)
        : room(limits, [this](int socket, int requestsLeft) {
              const std::lock_guard lock(mutex);
              ready.push_back({socket, requestsLeft});
              changed.notify_all();
          })
    {
    }
    ~Room()
    {
        room.Stop();
        for (const auto& [socket, left] : ready)
            ::close(socket);
    }
    // Waits (at most 20 s) for `count` hand-overs.
    bool WaitForReady(std::size_t count)
    {
        std::unique_lock lock(mutex);
        return changed.wait_for(lock, 20s, [&] { return ready.size() >= count; });
    }
    std::mutex mutex;
    std::condition_variable changed;
    std::vector<std::pair<int, int>> ready;
    WaitingRoom room;
};

TEST(WaitingRoom, HandsOverOnlyWholeRequests)
{
    Room room(ConnectionLimits{});
    Pair pieces, body, atOnce;
    room.room.Park(pieces.ends[0], 7, true);
    pieces.Send("GET / HT");
    pieces.Send("TP/1.1\r\nHost: a\r\n");
    room.room.Park(body.ends[0], 3, false);
    body.Send("POST / HTTP/1.1\r\nContent-Length: 4\r\n\r\nab");
    {
        const std::lock_guard lock(room.mutex);
        EXPECT_TRUE(room.ready.empty());  // nothing whole yet, whenever the room looked
    }
    atOnce.Send("GET / HTTP/1.1\r\n\r\n");
    room.room.Park(atOnce.ends[0], 1, false);  // bytes already there when it comes in
    pieces.Send("\r\n");
    body.Send("cd");
    ASSERT_TRUE(room.WaitForReady(3));
    std::map<int, int> left(room.ready.begin(), room.ready.end());
    EXPECT_EQ(left[pieces.ends[0]], 7);
    EXPECT_EQ(left[body.ends[0]], 3);
    EXPECT_EQ(left[atOnce.ends[0]], 1);
}

TEST(WaitingRoom, ClosesConnectionsPastTheirLimits)
{
    ConnectionLimits limits;
    limits.firstRequest = limits.idle = 300ms;
    limits.head = limits.body = 600ms;
    Room room(limits);
    Pair silent, idle, slowHead, slowBody, gone;
    room.room.Park(silent.ends[0], 5, true);
    room.room.Park(idle.ends[0], 5, false);
    room.room.Park(slowHead.ends[0], 5, true);
    room.room.Park(slowBody.ends[0], 5, true);
    room.room.Park(gone.ends[0], 5, true);
    gone.Send("GET / HTTP/1.1\r\n");
    ::shutdown(gone.ends[1], SHUT_WR);  // half a request, then no more
    slowBody.Send("POST / HTTP/1.1\r\nContent-Length: 100\r\n\r\n");
    // A byte every 50 ms, far longer than the limits allow: the room must cut them before the end.
    const std::string trickle(200, 'x');
    std::size_t sent = 0;
    for (; sent < trickle.size(); ++sent) {
        if (::send(slowHead.ends[1], "G", 1, MSG_NOSIGNAL | MSG_DONTWAIT) != 1
            || ::send(slowBody.ends[1], "x", 1, MSG_NOSIGNAL | MSG_DONTWAIT) != 1)
            break;
        std::this_thread::sleep_for(50ms);
    }
    EXPECT_LT(sent, trickle.size()) << "a slow sender was never cut";
    for (const Pair* closed : {&silent, &idle, &gone}) {
        EXPECT_EQ(closed->ReadToClose(), "");  // closed without a word: nothing had begun or it went
        EXPECT_TRUE(closed->closedByServer);
    }
    for (const Pair* cut : {&slowHead, &slowBody})
        EXPECT_EQ(cut->ReadToClose().rfind("HTTP/1.1 408 ", 0), 0u);
    const std::lock_guard lock(room.mutex);
    EXPECT_TRUE(room.ready.empty());
}

TEST(WaitingRoom, MakesRoomAndClosesLateComers)
{
    ConnectionLimits limits;
    limits.waitingConnections = 2;
    Room room(limits);
    Pair first, second, third, late;
    room.room.Park(first.ends[0], 1, false);  // kept alive: the nearest limit
    room.room.Park(second.ends[0], 1, true);
    room.room.Park(third.ends[0], 1, true);
    EXPECT_EQ(first.ReadToClose(), "");
    EXPECT_TRUE(first.closedByServer);
    room.room.Stop();
    room.room.Park(late.ends[0], 1, true);
    for (const Pair* closed : {&second, &third, &late}) {
        EXPECT_EQ(closed->ReadToClose(), "");
        EXPECT_TRUE(closed->closedByServer);
    }
}

}  // namespace
}  // namespace kvelta::web
