#include "main/display_check.h"

#include <arpa/inet.h>
#include <netdb.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstddef>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <thread>
#include <utility>

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

// A file descriptor closed when it goes out of scope.
class Socket {
public:
    Socket() = default;
    explicit Socket(int fd) : fd_(fd) {}
    Socket(Socket&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}
    Socket(const Socket&) = delete;
    Socket& operator=(const Socket&) = delete;
    Socket& operator=(Socket&&) = delete;
    ~Socket()
    {
        if (fd_ >= 0)
            ::close(fd_);
    }
    int fd() const { return fd_; }
    bool open() const { return fd_ >= 0; }

private:
    int fd_ = -1;
};

// Waits until `fd` is ready for `events` (or has hung up) or the deadline has passed.
bool waitFor(int fd, short events, Clock::time_point deadline)
{
    for (;;) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
        if (left <= 0)
            return false;
        pollfd p{fd, events, 0};
        const int ready = ::poll(&p, 1, static_cast<int>(left));
        if (ready < 0 && errno == EINTR)
            continue;
        return ready == 1;
    }
}

// A connection of `family` to `address`, opened before the deadline; closed when none opens. A
// local server too busy to take it now is asked again until then.
Socket connectTo(int family, const sockaddr* address, socklen_t length, Clock::time_point deadline)
{
    for (;;) {
        Socket socket(::socket(family, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0));
        if (!socket.open())
            return {};
        if (::connect(socket.fd(), address, length) == 0)
            return socket;
        if (errno == EAGAIN && family == AF_UNIX) {  // a listening socket whose queue is full
            if (Clock::now() + std::chrono::milliseconds(20) >= deadline)
                return {};
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
            continue;
        }
        if (errno != EINPROGRESS || !waitFor(socket.fd(), POLLOUT, deadline))
            return {};
        int error = 0;
        socklen_t size = sizeof error;
        if (::getsockopt(socket.fd(), SOL_SOCKET, SO_ERROR, &error, &size) != 0 || error != 0)
            return {};
        return socket;
    }
}

// The local socket of display `number`: first in the abstract namespace, then in the file system.
Socket connectToLocalSocket(int number, Clock::time_point deadline)
{
    const std::string path = "/tmp/.X11-unix/X" + std::to_string(number);
    for (const bool abstract : {true, false}) {
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        const std::size_t offset = abstract ? 1 : 0;  // an abstract name starts with a zero byte
        std::memcpy(address.sun_path + offset, path.data(), path.size());
        const auto length =
            static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + offset + path.size() + (abstract ? 0 : 1));
        if (Socket socket = connectTo(AF_UNIX, reinterpret_cast<const sockaddr*>(&address), length, deadline);
            socket.open())
            return socket;
    }
    return {};
}

// Where the authority file keeps the cookies of a server: its family and address.
struct AuthorityAddress {
    unsigned family = 0;
    std::string address;
};

constexpr unsigned FamilyInternet = 0;
constexpr unsigned FamilyInternet6 = 6;
constexpr unsigned FamilyLocal = 256;
constexpr unsigned FamilyWild = 65535;

// This machine in the authority file: its host name.
std::optional<AuthorityAddress> thisMachine()
{
    char name[256] = {};
    if (::gethostname(name, sizeof name - 1) != 0)
        return std::nullopt;
    return AuthorityAddress{FamilyLocal, name};
}

// The server behind a TCP connection: by its address, or as this machine at the loopback address.
std::optional<AuthorityAddress> authorityAddress(const sockaddr* peer)
{
    const char* bytes = nullptr;
    std::size_t size = 4;
    if (peer->sa_family == AF_INET6) {
        const in6_addr& a = reinterpret_cast<const sockaddr_in6*>(peer)->sin6_addr;
        bytes = reinterpret_cast<const char*>(&a);
        if (IN6_IS_ADDR_LOOPBACK(&a))
            return thisMachine();
        if (IN6_IS_ADDR_V4MAPPED(&a))
            bytes += 12;
        else
            size = sizeof a;
    } else if (peer->sa_family == AF_INET) {
        bytes = reinterpret_cast<const char*>(&reinterpret_cast<const sockaddr_in*>(peer)->sin_addr);
    } else {
        return std::nullopt;
    }
    if (size == 4) {
        in_addr_t a = 0;
        std::memcpy(&a, bytes, 4);
        if (a == htonl(INADDR_LOOPBACK))
            return thisMachine();
    }
    return AuthorityAddress{size == 4 ? FamilyInternet : FamilyInternet6, std::string(bytes, size)};
}

constexpr std::string_view CookieName = "MIT-MAGIC-COOKIE-1";

// The cookie of display `number` of the server at `where` in the user's authority file; empty
// when there is none. Each entry of the file is a family and four counted byte strings (address,
// display number, authorisation name and data), lengths and family as big-endian 16-bit numbers.
// An entry of the wild family, or without a display number, fits every server or display.
std::string magicCookie(const AuthorityAddress& where, int number)
{
    std::string file;
    if (const char* named = std::getenv("XAUTHORITY"))
        file = named;
    else if (const char* home = std::getenv("HOME"))
        file = std::string(home) + "/.Xauthority";
    std::error_code error;
    if (file.empty() || !std::filesystem::is_regular_file(file, error))
        return {};
    std::ifstream in(file, std::ios::binary);
    auto card16 = [&](unsigned& value) {
        unsigned char b[2];
        if (!in.read(reinterpret_cast<char*>(b), 2))
            return false;
        value = static_cast<unsigned>(b[0]) << 8 | b[1];
        return true;
    };
    auto counted = [&](std::string& text) {
        unsigned size = 0;
        if (!card16(size))
            return false;
        text.resize(size);
        return static_cast<bool>(in.read(text.data(), size));
    };
    const std::string display = std::to_string(number);
    unsigned family = 0;
    std::string address, entryNumber, name, data;
    while (card16(family) && counted(address) && counted(entryNumber) && counted(name) && counted(data)) {
        const bool server = family == FamilyWild || (family == where.family && address == where.address);
        if (server && (entryNumber.empty() || entryNumber == display) && name == CookieName)
            return data;
    }
    return {};
}

// The connection set-up request in little-endian byte order for protocol 11.0, with the cookie
// when there is one: a 12-byte head, then the authorisation name and data, each padded to a
// multiple of four bytes.
std::string setupRequest(const std::string& cookie)
{
    const std::string_view name = cookie.empty() ? std::string_view() : CookieName;
    std::string request;
    auto card16 = [&](std::size_t value) {
        request += static_cast<char>(value & 0xff);
        request += static_cast<char>(value >> 8 & 0xff);
    };
    auto padded = [&](std::string_view text) {
        request += text;
        request.append((4 - text.size() % 4) % 4, '\0');
    };
    request += 'l';
    request += '\0';
    card16(11);
    card16(0);
    card16(name.size());
    card16(cookie.size());
    card16(0);
    padded(name);
    padded(cookie);
    return request;
}

bool sendAll(int fd, std::string_view data, Clock::time_point deadline)
{
    while (!data.empty()) {
        const ssize_t sent = ::send(fd, data.data(), data.size(), MSG_NOSIGNAL);
        if (sent > 0) {
            data.remove_prefix(static_cast<std::size_t>(sent));
        } else if (sent < 0 && errno == EINTR) {
            continue;
        } else if (sent == 0 || (errno != EAGAIN && errno != EWOULDBLOCK) || !waitFor(fd, POLLOUT, deadline)) {
            return false;
        }
    }
    return true;
}

// Reads `size` bytes into `into` (or past them, when null) before the deadline; false on silence,
// a hang-up or an error first.
bool receive(int fd, unsigned char* into, std::size_t size, Clock::time_point deadline)
{
    unsigned char skipped[4096];
    while (size > 0) {
        unsigned char* to = into ? into : skipped;
        const std::size_t asked = into ? size : std::min(size, sizeof skipped);
        const ssize_t got = ::recv(fd, to, asked, 0);
        if (got > 0) {
            size -= static_cast<std::size_t>(got);
            if (into)
                into += got;
        } else if (got < 0 && errno == EINTR) {
            continue;
        } else if (got == 0 || (errno != EAGAIN && errno != EWOULDBLOCK) || !waitFor(fd, POLLIN, deadline)) {
            return false;
        }
    }
    return true;
}

// The set-up on an open connection to display `number` of the server at `where`: the request,
// then the reply's 8-byte head, whose first byte says how it went and whose last two give the
// length of the rest in units of four bytes, then the rest.
XSetupReply setUp(const Socket& socket, const std::optional<AuthorityAddress>& where, int number,
                  Clock::time_point deadline)
{
    const std::string cookie = where ? magicCookie(*where, number) : std::string();
    if (!sendAll(socket.fd(), setupRequest(cookie), deadline))
        return XSetupReply::None;
    unsigned char head[8];
    if (!receive(socket.fd(), head, sizeof head, deadline) || head[0] > 2)
        return XSetupReply::None;
    const std::size_t rest = 4 * (static_cast<std::size_t>(head[6]) | static_cast<std::size_t>(head[7]) << 8);
    if (!receive(socket.fd(), nullptr, rest, deadline))
        return XSetupReply::None;
    return head[0] == 0 ? XSetupReply::Failed : head[0] == 1 ? XSetupReply::Success : XSetupReply::Authenticate;
}

XSetupReply tcpSetUp(const std::string& host, const std::string& protocol, int number, Clock::time_point deadline)
{
    addrinfo hints{};
    hints.ai_family = protocol == "inet" ? AF_INET : protocol == "inet6" ? AF_INET6 : AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* found = nullptr;
    const std::string port = std::to_string(XTcpPort + number);
    if (::getaddrinfo(host.empty() ? "localhost" : host.c_str(), port.c_str(), &hints, &found) != 0)
        return XSetupReply::None;
    XSetupReply reply = XSetupReply::None;
    for (addrinfo* a = found; a; a = a->ai_next) {
        if (Socket socket = connectTo(a->ai_family, a->ai_addr, a->ai_addrlen, deadline); socket.open()) {
            reply = setUp(socket, authorityAddress(a->ai_addr), number, deadline);
            break;
        }
    }
    ::freeaddrinfo(found);
    return reply;
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

XSetupReply xSetupReply(std::string_view name, std::chrono::milliseconds timeout)
{
    const auto display = parseXDisplay(name);
    if (!display)
        return XSetupReply::None;
    const auto deadline = Clock::now() + timeout;
    const bool local = display->host.empty() || display->host == "unix";
    if (display->protocol == "unix" || (local && display->protocol.empty())) {
        // As the X client library: the local socket once it opens, else TCP where that is allowed.
        if (const Socket socket = connectToLocalSocket(display->number, deadline); socket.open())
            return setUp(socket, thisMachine(), display->number, deadline);
        if (display->protocol == "unix" || display->host == "unix")
            return XSetupReply::None;
    }
    return tcpSetUp(local ? std::string() : display->host, display->protocol, display->number, deadline);
}

bool xDisplayReachable(std::string_view name, std::chrono::milliseconds timeout)
{
    return xSetupReply(name, timeout) != XSetupReply::None;
}

}  // namespace heatcalc
