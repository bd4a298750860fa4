#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <string_view>

// Whether the X display the program is about to open answers, asked before the window system is
// started: the window system waits for ever on a display that never answers, and aborts on one
// that cannot be reached, where the program ends with words instead.
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

// The X server's reply to the connection set-up.
enum class XSetupReply {
    None,          // no connection, silence, a hang-up before the whole reply, or no X reply
    Failed,        // the server refuses the connection (and says why)
    Success,       // the server takes the connection
    Authenticate,  // the server asks for more authorisation
};

// Connects to the display as the X client library does: the local socket /tmp/.X11-unix/X<n>
// (abstract, then in the file system), or TCP port 6000 + n of the host; a local display falls
// back to TCP on this machine. Then sends the connection set-up request, with the
// MIT-MAGIC-COOKIE-1 of that display from XAUTHORITY (or ~/.Xauthority) where there is one, and
// reads the server's whole reply. All of it within the time-out.
XSetupReply xSetupReply(std::string_view name, std::chrono::milliseconds timeout = std::chrono::milliseconds(3000));

// True when the display's server replies to the connection set-up within the time-out, whether it
// takes the program or refuses it: a refusal is left to the window system, which says why.
bool xDisplayReachable(std::string_view name, std::chrono::milliseconds timeout = std::chrono::milliseconds(3000));

}  // namespace heatcalc
