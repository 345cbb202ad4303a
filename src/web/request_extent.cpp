#include "web/request_extent.h"

#include <algorithm>
#include <cctype>
#include <optional>

namespace kvelta::web {

namespace {

constexpr std::size_t kNotFound = std::string_view::npos;

// The end of the headers (after their empty line), or kNotFound. A bare "\n\n" ends them too.
std::size_t HeadEnd(std::string_view received)
{
    const std::size_t crlf = received.find("\r\n\r\n");
    const std::size_t lf = received.find("\n\n");
    if (crlf == kNotFound && lf == kNotFound)
        return kNotFound;
    return std::min(crlf == kNotFound ? kNotFound : crlf + 4, lf == kNotFound ? kNotFound : lf + 2);
}

bool SameLetters(std::string_view text, std::string_view lowerName)
{
    return text.size() == lowerName.size()
        && std::equal(text.begin(), text.end(), lowerName.begin(),
                      [](char a, char b) { return std::tolower(static_cast<unsigned char>(a)) == b; });
}

// The value of the first header `lowerName` (without surrounding blanks), when there is one.
std::optional<std::string_view> HeaderValue(std::string_view head, std::string_view lowerName)
{
    std::size_t start = head.find('\n');  // past the request line
    while (start != kNotFound && start + 1 < head.size()) {
        const std::size_t end = head.find('\n', start + 1);
        const std::string_view line = head.substr(start + 1, (end == kNotFound ? head.size() : end) - start - 1);
        const std::size_t colon = line.find(':');
        if (colon != kNotFound && SameLetters(line.substr(0, colon), lowerName)) {
            std::string_view value = line.substr(colon + 1);
            while (!value.empty() && (value.front() == ' ' || value.front() == '\t'))
                value.remove_prefix(1);
            while (!value.empty() && (value.back() == ' ' || value.back() == '\t' || value.back() == '\r'))
                value.remove_suffix(1);
            return value;
        }
        start = end;
    }
    return std::nullopt;
}

// A length of digits only, at most `limit`; otherwise none.
std::optional<std::size_t> ReadLength(std::string_view digits, std::size_t limit)
{
    if (digits.empty() || digits.size() > 9)
        return std::nullopt;
    std::size_t length = 0;
    for (const char digit : digits) {
        if (digit < '0' || digit > '9')
            return std::nullopt;
        length = length * 10 + static_cast<std::size_t>(digit - '0');
    }
    return length <= limit ? std::optional(length) : std::nullopt;
}

}  // namespace

std::size_t PeekBytes(const ConnectionLimits& limits)
{
    // A chunked body carries its sizes besides its bytes.
    return limits.headBytes + 2 * limits.bodyBytes;
}

RequestExtent MeasureRequest(std::string_view received, const ConnectionLimits& limits)
{
    if (received.empty())
        return {Arrival::Nothing, 0};
    const std::size_t headEnd = HeadEnd(received.substr(0, limits.headBytes));
    if (headEnd == kNotFound)
        return {received.size() >= limits.headBytes ? Arrival::HeadTooLarge : Arrival::Head, 0};
    const std::string_view head = received.substr(0, headEnd);
    const std::string_view body = received.substr(headEnd);
    if (HeaderValue(head, "transfer-encoding")) {
        for (std::size_t last = body.find("0\r\n\r\n"); last != kNotFound; last = body.find("0\r\n\r\n", last + 1))
            if (last == 0 || body[last - 1] == '\n')
                return {Arrival::Whole, headEnd + last + 5};
        return {body.size() >= 2 * limits.bodyBytes ? Arrival::Whole : Arrival::Body, headEnd};
    }
    if (const std::optional<std::string_view> value = HeaderValue(head, "content-length"))
        if (const std::optional<std::size_t> length = ReadLength(*value, limits.bodyBytes))
            return body.size() >= *length ? RequestExtent{Arrival::Whole, headEnd + *length} : RequestExtent{Arrival::Body, 0};
    return {Arrival::Whole, headEnd};
}

}  // namespace kvelta::web
