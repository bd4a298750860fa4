#include "main/display_check.h"

#include <netdb.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <cstddef>
#include <cstring>

namespace heatcalc {

namespace {

using Clock = std::chrono::steady_clock;

constexpr int XTcpPort = 6000;

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

// Reads the digits at the start of `s` into `value` (at most 65535); the count read, 0 for none
// or too large a number.
std::size_t readNumber(std::string_view s, int& value)
{
    std::size_t i = 0;
    long v = 0;
    while (i < s.size() && isDigit(s[i])) {
        v = v * 10 + (s[i] - '0');
        if (v > 65535)
            return 0;
        ++i;
    }
    value = static_cast<int>(v);
    return i;
}

// Connects a socket of `family` to `address`, waiting until `deadline`. True when the connection
// opened, or when a local server exists but is too busy to take it now.
bool connects(int family, const sockaddr* address, socklen_t length, Clock::time_point deadline)
{
    const int fd = ::socket(family, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return false;
    bool open = ::connect(fd, address, length) == 0;
    if (!open && errno == EAGAIN && family == AF_UNIX)
        open = true;  // a listening socket whose queue is full
    if (!open && errno == EINPROGRESS) {
        for (;;) {
            const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
            if (left <= 0)
                break;
            pollfd p{fd, POLLOUT, 0};
            const int ready = ::poll(&p, 1, static_cast<int>(left));
            if (ready < 0 && errno == EINTR)
                continue;
            if (ready == 1) {
                int error = 0;
                socklen_t size = sizeof error;
                open = ::getsockopt(fd, SOL_SOCKET, SO_ERROR, &error, &size) == 0 && error == 0;
            }
            break;
        }
    }
    ::close(fd);
    return open;
}

// The local socket of display `number`: first in the abstract namespace, then in the file system.
bool localSocketConnects(int number, Clock::time_point deadline)
{
    const std::string path = "/tmp/.X11-unix/X" + std::to_string(number);
    for (const bool abstract : {true, false}) {
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        const std::size_t offset = abstract ? 1 : 0;  // an abstract name starts with a zero byte
        std::memcpy(address.sun_path + offset, path.data(), path.size());
        const auto length =
            static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + offset + path.size() + (abstract ? 0 : 1));
        if (connects(AF_UNIX, reinterpret_cast<const sockaddr*>(&address), length, deadline))
            return true;
    }
    return false;
}

bool tcpConnects(const std::string& host, const std::string& protocol, int number, Clock::time_point deadline)
{
    addrinfo hints{};
    hints.ai_family = protocol == "inet" ? AF_INET : protocol == "inet6" ? AF_INET6 : AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* found = nullptr;
    const std::string port = std::to_string(XTcpPort + number);
    if (::getaddrinfo(host.empty() ? "localhost" : host.c_str(), port.c_str(), &hints, &found) != 0)
        return false;
    bool open = false;
    for (addrinfo* a = found; a && !open; a = a->ai_next)
        open = connects(a->ai_family, a->ai_addr, a->ai_addrlen, deadline);
    ::freeaddrinfo(found);
    return open;
}

}  // namespace

std::optional<XDisplayName> parseXDisplay(std::string_view name)
{
    XDisplayName display;
    if (const auto slash = name.rfind('/'); slash != std::string_view::npos) {
        display.protocol = std::string(name.substr(0, slash));
        name.remove_prefix(slash + 1);
    }
    const auto colon = name.rfind(':');
    if (colon == std::string_view::npos)
        return std::nullopt;
    std::string_view rest = name.substr(colon + 1);
    const std::size_t digits = readNumber(rest, display.number);
    if (digits == 0 || display.number > 65535 - XTcpPort)
        return std::nullopt;
    rest.remove_prefix(digits);
    if (!rest.empty()) {
        int screen = 0;
        if (rest.front() != '.' || rest.size() == 1 || readNumber(rest.substr(1), screen) != rest.size() - 1)
            return std::nullopt;
    }
    std::string_view host = name.substr(0, colon);
    if (host.size() >= 2 && host.front() == '[' && host.back() == ']')
        host = host.substr(1, host.size() - 2);  // an IPv6 address
    display.host = std::string(host);
    return display;
}

bool xDisplayReachable(std::string_view name, std::chrono::milliseconds timeout)
{
    const auto display = parseXDisplay(name);
    if (!display)
        return false;
    const auto deadline = Clock::now() + timeout;
    const bool local = display->host.empty() || display->host == "unix";
    if (display->protocol == "unix" || (local && display->protocol.empty())) {
        if (localSocketConnects(display->number, deadline))
            return true;
        if (display->protocol == "unix" || display->host == "unix")
            return false;
    }
    return tcpConnects(local ? std::string() : display->host, display->protocol, display->number, deadline);
}

}  // namespace heatcalc
