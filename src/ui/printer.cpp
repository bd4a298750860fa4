#include "ui/printer.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

#include <cups/cups.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <condition_variable>
#include <cstring>
#include <mutex>
#include <string>
#include <string_view>
#include <system_error>
#include <thread>
#include <utility>

namespace heatcalc::ui {

namespace {

constexpr int defaultTimeoutMs = 10000;

// The worker threads still running, so that the end of the program can wait for them a little.
// Never destroyed: a worker may still finish while the program's statics are torn down.
struct Workers {
    std::mutex mutex;
    std::condition_variable done;
    int running = 0;
};

Workers& workers()
{
    static auto* all = new Workers;
    return *all;
}

void workerStarted()
{
    const std::lock_guard lock(workers().mutex);
    ++workers().running;
}

void workerEnded()
{
    {
        const std::lock_guard lock(workers().mutex);
        --workers().running;
    }
    workers().done.notify_all();
}

// The end of the program gives cancelled hand-overs a moment to close their connections.
void waitAtExit()
{
    waitForPrintWorkers(std::chrono::milliseconds(1000));
}

// No password dialog can come up from a worker thread: a server that wants one refuses the job.
const char* noPassword(const char* /*prompt*/, http_t* /*http*/, const char* /*method*/, const char* /*resource*/,
                       void* /*data*/)
{
    return nullptr;
}

}  // namespace

// What a hand-over ended with, in the print server's terms; words for the user are made from it
// on the GUI thread.
struct PrintOutcome {
    enum class Kind { Printed, Cancelled, NoDefault, Unreachable, TimedOut, Broken, Refused };
    Kind kind = Kind::Cancelled;
    std::string server;       // as the user's settings name it: a socket path or host:port
    std::string destination;  // empty before the default destination is known
    std::string reason;       // the server's or the system's words
    std::string status;       // the IPP status keyword of a refusal
    std::string stopped;      // the state reasons of a destination that holds its jobs, stopped
    int jobId = 0;
    int timeoutMs = 0;
};

// Shared by the printer on the GUI thread and its worker. The printer's destructor cancels: it
// shuts the connection's socket down, which wakes the worker at once, and clears `receiver`, so
// that no outcome is posted to an object that is gone.
struct PrintHandover {
    std::mutex mutex;
    DocumentPrinter* receiver = nullptr;
    int socket = -1;
    bool cancelled = false;
    int cancelConnect = 0;  // read by libcups while it connects
    std::atomic<bool> timedOut = false;

    void cancel()
    {
        const std::lock_guard lock(mutex);
        receiver = nullptr;
        cancelled = true;
        std::atomic_ref<int>(cancelConnect).store(1);
        if (socket >= 0)
            ::shutdown(socket, SHUT_RDWR);
    }

    bool isCancelled()
    {
        const std::lock_guard lock(mutex);
        return cancelled;
    }
};

namespace {

using Kind = PrintOutcome::Kind;

// A wait for the server that ran out: the request is given up.
int onTimeout(http_t* /*http*/, void* data)
{
    static_cast<std::atomic<bool>*>(data)->store(true);
    return 0;
}

// The server's or the system's words, without a closing full stop (the message adds its own).
std::string words(const char* text)
{
    std::string s = text ? text : "";
    while (!s.empty() && (s.back() == '.' || s.back() == ' '))
        s.pop_back();
    return s;
}

// libcups words every failed connection "Host is down". The system's own reason (no such
// socket, connection refused) is asked again with one short connection attempt.
std::string connectProblem(const char* host, int port)
{
    const std::string service = std::to_string(port);
    http_addrlist_t* list = httpAddrGetList(host, AF_UNSPEC, service.c_str());
    if (!list)
        return words(cupsLastErrorString());
    int error = 0;
    const int fd = ::socket(list->addr.addr.sa_family, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (fd < 0) {
        error = errno;
    } else {
        if (::connect(fd, &list->addr.addr, static_cast<socklen_t>(httpAddrLength(&list->addr))) != 0)
            error = errno;
        if (error == EINPROGRESS) {
            pollfd waiting{fd, POLLOUT, 0};
            socklen_t length = sizeof error;
            if (::poll(&waiting, 1, 1000) != 1 || ::getsockopt(fd, SOL_SOCKET, SO_ERROR, &error, &length) != 0)
                error = ETIMEDOUT;
        }
        ::close(fd);
    }
    httpAddrFreeList(list);
    return error != 0 ? std::strerror(error) : words(cupsLastErrorString());
}

std::string serverName(const char* host, int port)
{
    std::string name = host ? host : "";
    if (!name.empty() && name.front() != '/')
        name += ":" + std::to_string(port);
    return name;
}

// Why a request on an open connection failed, in order of precedence: the printer was closed,
// the server did not answer in time, the connection broke, or the server answered with a refusal.
void classifyFailure(http_t* http, PrintHandover& handover, PrintOutcome& out)
{
    if (handover.isCancelled()) {
        out.kind = Kind::Cancelled;
    } else if (handover.timedOut.load()) {
        out.kind = Kind::TimedOut;
    } else if (const int error = httpError(http); error != 0) {
        out.kind = Kind::Broken;
        out.reason = std::strerror(error);
    } else {
        out.kind = Kind::Refused;
        out.reason = words(cupsLastErrorString());
        out.status = ippErrorString(cupsLastError());
    }
}

// Hands the document to the server's default destination: connect, find the default
// destination, create the job, send the document. Success only when the server has accepted the
// job and given it a number.
PrintOutcome handOver(const QByteArray& pdf, const std::string& title, int timeoutMs, PrintHandover& handover)
{
    cupsSetPasswordCB2(noPassword, nullptr);
    PrintOutcome out;
    out.timeoutMs = timeoutMs;
    const char* host = cupsServer();
    const int port = ippPort();
    out.server = serverName(host, port);

    const auto connectStart = std::chrono::steady_clock::now();
    http_t* http =
        httpConnect2(host, port, nullptr, AF_UNSPEC, cupsEncryption(), 1, timeoutMs, &handover.cancelConnect);
    if (!http) {
        const auto waited = std::chrono::steady_clock::now() - connectStart;
        if (handover.isCancelled()) {
            out.kind = Kind::Cancelled;
        } else if (waited >= std::chrono::milliseconds(timeoutMs)) {
            out.kind = Kind::TimedOut;
        } else {
            out.kind = Kind::Unreachable;
            out.reason = connectProblem(host, port);
        }
        return out;
    }
    {
        const std::lock_guard lock(handover.mutex);
        if (!handover.cancelled)
            handover.socket = httpGetFd(http);
    }
    httpSetTimeout(http, timeoutMs / 1000.0, onTimeout, &handover.timedOut);

    cups_dest_t* dest = handover.isCancelled() ? nullptr : cupsGetNamedDest(http, nullptr, nullptr);
    if (!dest) {
        classifyFailure(http, handover, out);
        // The server has no default destination, or none by the name the user's settings give.
        if (out.kind == Kind::Refused && cupsLastError() == IPP_STATUS_ERROR_NOT_FOUND)
            out.kind = Kind::NoDefault;
    } else {
        out.destination = dest->name;
        const int job = cupsCreateJob(http, dest->name, title.c_str(), 0, nullptr);
        const char* name = dest->name;
        const auto size = static_cast<std::size_t>(pdf.size());
        const bool sent =
            job > 0 && cupsStartDocument(http, name, job, title.c_str(), CUPS_FORMAT_PDF, 1) == HTTP_STATUS_CONTINUE &&
            cupsWriteRequestData(http, pdf.constData(), size) == HTTP_STATUS_CONTINUE &&
            cupsFinishDocument(http, name) <= IPP_STATUS_OK_EVENTS_COMPLETE;
        if (sent) {
            out.kind = Kind::Printed;
            out.jobId = job;
            // A stopped destination takes the job and holds it until it is started again.
            const char* state = cupsGetOption("printer-state", dest->num_options, dest->options);
            if (state && std::string_view(state) == "5") {
                const char* reasons = cupsGetOption("printer-state-reasons", dest->num_options, dest->options);
                out.stopped = reasons ? reasons : "stopped";
            }
        } else {
            classifyFailure(http, handover, out);
            // A job that was created but did not get its document is withdrawn, as far as the
            // connection still allows.
            if (job > 0 && out.kind == Kind::Refused)
                cupsCancelJob2(http, dest->name, job, 0);
        }
        cupsFreeDests(1, dest);
    }

    {
        const std::lock_guard lock(handover.mutex);
        handover.socket = -1;
    }
    httpClose(http);
    return out;
}

QString text(const std::string& s)
{
    return QString::fromStdString(s);
}

// The words for the user, after "打印失败：".
QString failureText(const PrintOutcome& out)
{
    switch (out.kind) {
    case Kind::Printed:
    case Kind::Cancelled:
        return {};
    case Kind::NoDefault:
        return QStringLiteral("没有默认打印机");
    case Kind::Unreachable:
        return QStringLiteral("不能连接打印服务器 %1（%2）").arg(text(out.server), text(out.reason));
    case Kind::TimedOut:
        return QStringLiteral("打印服务器 %1 在 %2 秒内没有应答")
            .arg(text(out.server), QString::number(out.timeoutMs / 1000.0));
    case Kind::Broken:
        return QStringLiteral("与打印服务器 %1 的连接中断（%2）").arg(text(out.server), text(out.reason));
    case Kind::Refused: {
        const QString because = out.reason.empty() || out.reason == out.status
                                    ? QStringLiteral("（%1）").arg(text(out.status))
                                    : QStringLiteral("：%1（%2）").arg(text(out.reason), text(out.status));
        if (out.destination.empty())
            return QStringLiteral("打印服务器 %1 拒绝了请求%2").arg(text(out.server), because);
        return QStringLiteral("打印机 %1 拒绝了打印任务%2").arg(text(out.destination), because);
    }
    }
    return {};
}

}  // namespace

QByteArray pagePdf(const QImage& image)
{
    QByteArray pdf;
    QBuffer buffer(&pdf);
    if (!buffer.open(QIODevice::WriteOnly))
        return {};
    {
        QPdfWriter writer(&buffer);
        writer.setCreator(QStringLiteral("heatcalc"));
        writer.setResolution(96);
        writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));
        QPainter painter;
        if (!painter.begin(&writer))
            return {};
        painter.drawImage(QPoint(0, 0), image.convertToFormat(QImage::Format_RGB32));
        if (!painter.end())
            return {};
    }
    return pdf;
}

std::chrono::milliseconds printTimeout()
{
    bool ok = false;
    const int ms = qEnvironmentVariableIntValue("HEATCALC_PRINT_TIMEOUT_MS", &ok);
    return std::chrono::milliseconds(ok && ms > 0 ? ms : defaultTimeoutMs);
}

DocumentPrinter::DocumentPrinter(QObject* parent) : QObject(parent) {}

DocumentPrinter::~DocumentPrinter()
{
    if (current_)
        current_->cancel();
}

bool DocumentPrinter::print(QByteArray pdf, const QString& title)
{
    if (current_)
        return false;
    static std::once_flag exitHook;
    std::call_once(exitHook, [] { qAddPostRoutine(waitAtExit); });

    auto handover = std::make_shared<PrintHandover>();
    handover->receiver = this;
    current_ = handover;
    const int timeoutMs = static_cast<int>(printTimeout().count());
    workerStarted();
    try {
        std::thread([handover, pdf = std::move(pdf), title = title.toStdString(), timeoutMs]() mutable {
            {
                // The document and the shared state are let go before the worker counts as ended.
                const QByteArray document = std::move(pdf);
                const std::shared_ptr<PrintHandover> shared = std::move(handover);
                const PrintOutcome outcome = handOver(document, title, timeoutMs, *shared);
                const std::lock_guard lock(shared->mutex);
                if (DocumentPrinter* receiver = shared->receiver) {
                    const auto deliver = [receiver, shared, outcome] { receiver->deliver(shared, outcome); };
                    QMetaObject::invokeMethod(receiver, deliver, Qt::QueuedConnection);
                }
            }
            workerEnded();
        }).detach();
    } catch (const std::system_error&) {
        // No thread to be had: nothing was started.
        workerEnded();
        current_.reset();
        return false;
    }
    return true;
}

void DocumentPrinter::deliver(const std::shared_ptr<PrintHandover>& handover, const PrintOutcome& outcome)
{
    if (handover != current_)
        return;
    current_.reset();
    const QString note = outcome.stopped.empty() ? QString()
                                                 : QStringLiteral("打印机 %1 已停止（%2），任务要等它恢复后才打印")
                                                       .arg(text(outcome.destination), text(outcome.stopped));
    emit finished(outcome.jobId, failureText(outcome), note);
}

bool waitForPrintWorkers(std::chrono::milliseconds bound)
{
    std::unique_lock lock(workers().mutex);
    return workers().done.wait_for(lock, bound, [] { return workers().running == 0; });
}

}  // namespace heatcalc::ui
