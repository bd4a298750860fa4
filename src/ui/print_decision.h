#pragma once

#include <chrono>
#include <string>
#include <string_view>

// What handing a document to the print server comes to, and every word the user is told about it:
// the printer's decisions, apart from the print server's library calls that feed them. Plain C++,
// no Qt, no print server.
namespace heatcalc::ui::printing {

// The whole hand-over (connect, find the default destination, create the job, send the
// document, finish it) has one deadline, this long unless the setting says otherwise.
inline constexpr std::chrono::milliseconds defaultTimeout{10000};
// How long the withdrawal of a job that did not print may take.
inline constexpr std::chrono::milliseconds withdrawalTimeout{1000};

// The hand-over's time-out from the setting HEATCALC_PRINT_TIMEOUT_MS (null when it is not set): a
// positive whole number of milliseconds, otherwise (empty, zero, negative, junk, too large) the
// default.
std::chrono::milliseconds timeoutFromSetting(const char* setting);

// The print server as the user's settings name it: a socket path, or host:port.
std::string serverName(const char* host, int port);

// What the hand-over found out, as the print server's library reports it.
struct Facts {
    std::string server;
    std::chrono::milliseconds timeout{0};
    bool cancelled = false;       // the window that printed went away before the end
    bool deadlinePassed = false;  // the time-out ran out (the user is told so)
    bool connected = false;
    int connectError = 0;      // errno of a connection that could not be made
    std::string connectWords;  // the system's words for it
    std::string destination;   // the default destination, empty when none was found
    std::string printerState;  // its IPP printer-state: "3" idle, "4" printing, "5" stopped
    std::string stateReasons;  // its printer-state-reasons
    int jobId = 0;             // the job the server created, 0 when none
    bool sent = false;         // the server took the whole document and finished the job
    int connectionError = 0;   // errno of an open connection that failed
    std::string status;        // the IPP status keyword of the last answer
    std::string message;       // the server's words with it
};

enum class Kind { Printed, Cancelled, NoDefault, Unreachable, TimedOut, Broken, Refused };

struct Outcome {
    Kind kind = Kind::Cancelled;
    std::string server;
    std::string destination;
    std::string reason;   // the server's or the system's words, without a closing full stop
    std::string status;   // the IPP status keyword of a refusal
    std::string stopped;  // the state reasons of a stopped destination that holds the job
    int systemError = 0;  // errno of a connection that could not be made or that broke
    int jobId = 0;        // the job the server numbered, 0 when it created none
    std::chrono::milliseconds timeout{0};
};

// What the facts mean. A deadline that passed outweighs everything, since the user is told of it
// at the deadline; then a document the server took is printed, even when the window has gone.
Outcome decide(const Facts& facts);

// Whether the job the server created is withdrawn: every job the user is not told printed, so
// that no empty job waits on the server.
bool withdraws(const Outcome& outcome);

// The print button's caption while the page is on its way.
inline constexpr const char* printingCaption = "打印中…";

// The titles of the messages: a failure, and the notice of a job the server accepted.
inline constexpr const char* failureTitle = "打印失败";
inline constexpr const char* noticeTitle = "打印";

// What the user is told: a failure or a notice, with its title. Nothing (an empty text) for a
// cancelled print.
struct Message {
    bool failure = false;
    std::string title;
    std::string text;
};
Message message(const Outcome& outcome);

// The two failures before anything goes to the print server.
Message pageNotMade();
Message notStarted();

// Seconds as a message names them: "10", "1.5", "0.25".
std::string secondsText(std::chrono::milliseconds time);

// The server's or the system's words without their closing full stop ("." or "。") and blanks,
// since the message closes its own sentence.
std::string serverWords(std::string_view words);

}  // namespace heatcalc::ui::printing
