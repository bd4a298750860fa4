#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <string_view>

// Whether the X display the program is about to open can be reached, asked before the window
// system is started so that an unreachable display ends with words instead of an abort.
namespace heatcalc {

// An X display name as DISPLAY gives it: [protocol/][host]:number[.screen].
struct XDisplayName {
    std::string protocol;  // empty, "unix", "tcp", "inet" or "inet6"
    std::string host;      // empty or "unix" for this machine's local socket
    int number = 0;
};

// The parts of a display name; nothing for a text that names no display (empty, no number, text
// after the number, a number beyond the TCP ports).
std::optional<XDisplayName> parseXDisplay(std::string_view name);

// True when a connection to the display's socket opens: the local socket /tmp/.X11-unix/X<n>
// (abstract or in the file system), or TCP port 6000 + n of the host, each within the time-out.
// A local display falls back to TCP on this machine, as the X client library does. Says nothing
// of whether the server then accepts the program.
bool xDisplayReachable(std::string_view name, std::chrono::milliseconds timeout = std::chrono::milliseconds(2000));

}  // namespace heatcalc
