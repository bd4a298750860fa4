#include "ui/print_decision.h"

#include <cerrno>
#include <charconv>
#include <cstring>
#include <system_error>

namespace heatcalc::ui::printing {

namespace {

constexpr std::string_view fullStop = "\xE3\x80\x82";          // 。
constexpr std::string_view ideographicSpace = "\xE3\x80\x80";  // the full-width blank

bool isAny(std::string_view status, std::initializer_list<std::string_view> keywords)
{
    for (const std::string_view keyword : keywords)
        if (status == keyword)
            return true;
    return false;
}

// A server that wants a user name or a password, or that does not let this user print: no
// password is asked for while printing.
bool deniesThisUser(std::string_view status)
{
    return isAny(status, {"client-error-forbidden", "client-error-not-authenticated", "client-error-not-authorized",
                          "cups-authentication-canceled"});
}

// The words after a failure's cause, in parentheses: the server's reason and its status keyword.
std::string because(const Outcome& out)
{
    if (out.reason.empty() || out.reason == out.status)
        return out.status.empty() ? std::string() : "（" + out.status + "）";
    if (out.status.empty())
        return "（" + out.reason + "）";
    return "（" + out.reason + "，" + out.status + "）";
}

std::string systemWords(int error)
{
    return serverWords(std::strerror(error));
}

std::string failureText(const Outcome& out)
{
    switch (out.kind) {
    case Kind::Printed:
    case Kind::Cancelled:
        return {};
    case Kind::NoDefault:
        return out.reason.empty() ? "没有默认打印机。" : "没有默认打印机（" + out.reason + "）。";
    case Kind::Unreachable: {
        std::string words = "不能连接打印服务器 " + out.server + "（" + out.reason + "）。";
        // No print service listens where the settings say: the server is not running there.
        if (out.systemError == ENOENT || out.systemError == ECONNREFUSED)
            return "打印服务没有运行：" + words;
        return words;
    }
    case Kind::TimedOut:
        return (out.server.empty() ? std::string("打印服务器") : "打印服务器 " + out.server + " ") + "在 " +
               secondsText(out.timeout) + " 秒内没有应答。";
    case Kind::Broken:
        return "与打印服务器 " + out.server + " 的连接中断（" + out.reason + "）。";
    case Kind::Refused:
        if (out.destination.empty()) {
            if (deniesThisUser(out.status))
                return "没有使用打印服务器 " + out.server + " 的权限" + because(out) + "。";
            return "打印服务器 " + out.server + " 拒绝了请求" + because(out) + "。";
        }
        if (out.status == "server-error-not-accepting-jobs")
            return "打印机 " + out.destination + " 不接受打印任务" + because(out) + "。";
        if (deniesThisUser(out.status))
            return "没有在打印机 " + out.destination + " 上打印的权限" + because(out) + "。";
        return "打印机 " + out.destination + " 拒绝了打印任务" + because(out) + "。";
    }
    return {};
}

}  // namespace

std::chrono::milliseconds timeoutFromSetting(const char* setting)
{
    if (!setting)
        return defaultTimeout;
    std::string_view text(setting);
    while (!text.empty() && text.front() == ' ')
        text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ')
        text.remove_suffix(1);
    int ms = 0;
    const char* end = text.data() + text.size();
    // Digits only: no sign, no base prefix, nothing after them.
    if (text.empty() || text.front() < '0' || text.front() > '9')
        return defaultTimeout;
    const auto [next, error] = std::from_chars(text.data(), end, ms);
    if (error != std::errc() || next != end || ms <= 0)
        return defaultTimeout;
    return std::chrono::milliseconds(ms);
}

std::string serverName(const char* host, int port)
{
    std::string name = host ? host : "";
    if (!name.empty() && name.front() != '/')
        name += ":" + std::to_string(port);
    return name;
}

Outcome decide(const Facts& facts)
{
    Outcome out;
    out.server = facts.server;
    out.destination = facts.destination;
    out.jobId = facts.jobId;
    out.timeout = facts.timeout;
    if (facts.deadlinePassed) {
        out.kind = Kind::TimedOut;
    } else if (facts.sent) {
        out.kind = Kind::Printed;
        // A stopped destination takes the job and holds it until it is started again.
        if (facts.printerState == "5")
            out.stopped = facts.stateReasons.empty() ? "stopped" : facts.stateReasons;
    } else if (facts.cancelled) {
        out.kind = Kind::Cancelled;
    } else if (!facts.connected) {
        out.kind = Kind::Unreachable;
        out.systemError = facts.connectError;
        out.reason = facts.connectError != 0 ? systemWords(facts.connectError) : serverWords(facts.connectWords);
    } else if (facts.connectionError != 0) {
        out.kind = Kind::Broken;
        out.systemError = facts.connectionError;
        out.reason = systemWords(facts.connectionError);
    } else {
        // The server answered with a refusal; one that finds no default destination means that it
        // has none, or none by the name the user's settings give.
        out.kind =
            facts.destination.empty() && facts.status == "client-error-not-found" ? Kind::NoDefault : Kind::Refused;
        out.reason = serverWords(facts.message);
        out.status = out.kind == Kind::Refused ? facts.status : std::string();
    }
    return out;
}

bool withdraws(const Outcome& outcome)
{
    return outcome.jobId > 0 && outcome.kind != Kind::Printed;
}

Message message(const Outcome& outcome)
{
    if (outcome.kind == Kind::Printed) {
        std::string text = "打印任务已交给打印服务器，作业号 " + std::to_string(outcome.jobId);
        if (!outcome.stopped.empty())
            text += "；打印机 " + outcome.destination + " 已停止（" + outcome.stopped + "），任务要等它恢复后才打印";
        return {false, noticeTitle, text + "。"};
    }
    return {true, failureTitle, failureText(outcome)};
}

Message pageNotMade()
{
    return {true, failureTitle, "不能生成打印页面。"};
}

Message notStarted()
{
    return {true, failureTitle, "不能启动打印。"};
}

std::string secondsText(std::chrono::milliseconds time)
{
    const long long ms = time.count();
    std::string text = std::to_string(ms / 1000);
    if (const long long fraction = ms % 1000; fraction != 0) {
        std::string digits = std::to_string(fraction + 1000).substr(1);
        while (digits.back() == '0')
            digits.pop_back();
        text += "." + digits;
    }
    return text;
}

std::string serverWords(std::string_view words)
{
    for (;;) {
        if (!words.empty() && (words.back() == '.' || words.back() == ' ' || words.back() == '\t' ||
                               words.back() == '\n' || words.back() == '\r'))
            words.remove_suffix(1);
        else if (words.ends_with(fullStop) || words.ends_with(ideographicSpace))
            words.remove_suffix(fullStop.size());
        else
            break;
    }
    return std::string(words);
}

}  // namespace heatcalc::ui::printing
