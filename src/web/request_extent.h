#pragma once
// How much of an HTTP request has arrived, read from the bytes waiting on its connection (peeked, not
// taken): so that a thread takes a request only once it is whole, and a client that sends slowly
// holds no thread while it does.

#include <chrono>
#include <cstddef>
#include <string_view>

namespace kvelta::web {

// How long a client may take and how much it may send; every request must arrive whole in time.
struct ConnectionLimits {
    std::chrono::milliseconds firstRequest{10000};  // a new connection: until its first byte
    std::chrono::milliseconds idle{5000};           // a kept-alive connection: between answer and next request
    std::chrono::milliseconds head{10000};          // request line and headers, from their first byte
    std::chrono::milliseconds body{20000};          // the body, from the end of the headers
    std::chrono::milliseconds answer{30000};        // for the client to take the whole answer
    // A thread waits this long for a connection's next request before it leaves it to the waiting
    // room: a client that sends its requests one after the other is served without a hand-over.
    std::chrono::milliseconds linger{20};
    std::size_t headBytes = 64 * 1024;              // request line and headers together, at most
    std::size_t bodyBytes = 16 * 1024;              // a longer body is refused unread
    std::size_t waitingConnections = 4096;          // beyond it the connection nearest its limit is closed
};

enum class Arrival {
    Nothing,   // no byte of the request yet
    Head,      // the request line or headers are still arriving
    Body,      // the headers are whole, the body is still arriving
    Whole,     // everything is there: `bytes` long
    HeadTooLarge,
};

struct RequestExtent {
    Arrival arrival = Arrival::Nothing;
    std::size_t bytes = 0;  // the whole request (headers and the body awaited), when Whole
};

// `received`: the bytes at the head of the connection. A body longer than the limit, or one whose
// length cannot be read, is not awaited: the request is Whole at the end of its headers and the HTTP
// library refuses it. A chunked body is awaited up to its last chunk ("0" and an empty line).
RequestExtent MeasureRequest(std::string_view received, const ConnectionLimits& limits);

// The most bytes MeasureRequest needs to see to decide.
std::size_t PeekBytes(const ConnectionLimits& limits);

}  // namespace kvelta::web
