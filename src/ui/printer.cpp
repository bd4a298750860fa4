#include "ui/printer.h"

#include "ui/print_decision.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QTimer>

#include <cups/cups.h>
#include <fcntl.h>
#include <poll.h>
#include <pthread.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <climits>
#include <condition_variable>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <string>
#include <string_view>
#include <system_error>
#include <thread>
#include <utility>

namespace heatcalc::ui {

namespace {

using Clock = std::chrono::steady_clock;

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

// The end of the program gives cancelled hand-overs a moment to close their connections and to
// withdraw the jobs they created.
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

// Shared by the printer on the GUI thread and its worker. The printer stops the hand-over when it
// is destroyed (cancelled) or when the time-out runs out (expired): it shuts the connection's
// socket down, which wakes the worker at once, and clears `receiver`, so that no outcome is posted
// any more.
struct PrintHandover {
    std::mutex mutex;
    DocumentPrinter* receiver = nullptr;
    Clock::time_point deadline;
    std::chrono::milliseconds timeout{0};
    std::string server;  // set by the worker once it has read the user's settings
    int socket = -1;     // a duplicate of the connection's socket, so that its number stays ours
    bool cancelled = false;
    bool expired = false;
    bool posted = false;    // the worker has posted its outcome
    int cancelConnect = 0;  // read by libcups while it connects

    // False, and nothing changed, when the time-out runs out after the worker has posted its
    // outcome: that outcome is on its way.
    bool stop(bool byDeadline)
    {
        const std::lock_guard lock(mutex);
        if (byDeadline && posted)
            return false;
        receiver = nullptr;
        (byDeadline ? expired : cancelled) = true;
        std::atomic_ref<int>(cancelConnect).store(1);
        if (socket >= 0)
            ::shutdown(socket, SHUT_RDWR);
        return true;
    }

    bool stopped()
    {
        const std::lock_guard lock(mutex);
        return cancelled || expired;
    }

    void attach(int fd)
    {
        const std::lock_guard lock(mutex);
        socket = ::fcntl(fd, F_DUPFD_CLOEXEC, 0);
        if (socket >= 0 && (cancelled || expired))
            ::shutdown(socket, SHUT_RDWR);
    }

    void detach()
    {
        const std::lock_guard lock(mutex);
        if (socket >= 0)
            ::close(socket);
        socket = -1;
    }

    // Posts the worker's outcome to the printer unless the printer has stopped the hand-over.
    // Called with `mutex` held.
    static void post(const std::shared_ptr<PrintHandover>& self, const printing::Outcome& outcome)
    {
        if (DocumentPrinter* receiver = self->receiver) {
            self->posted = true;
            const auto deliver = [receiver, self, outcome] { receiver->deliver(self, outcome); };
            QMetaObject::invokeMethod(receiver, deliver, Qt::QueuedConnection);
        }
    }
};

namespace {

// libcups waits for the server in steps (a quarter of a second during the hand-over) and asks after
// each one whether to go on: until the deadline has passed or the hand-over is stopped. The
// printer's own timer tells the user at the deadline whatever libcups still does.
struct Waiting {
    PrintHandover* handover = nullptr;
    Clock::time_point deadline;
};

int keepWaiting(http_t* /*http*/, void* data)
{
    const auto* waiting = static_cast<const Waiting*>(data);
    return Clock::now() < waiting->deadline && !(waiting->handover && waiting->handover->stopped()) ? 1 : 0;
}

int millisecondsUntil(Clock::time_point deadline)
{
    const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now()).count();
    return static_cast<int>(std::clamp<long long>(left, 0, INT_MAX));
}

// libcups words every failed connection "Host is down". The system's own reason (no such
// socket, connection refused) is asked again with one short connection attempt.
int connectProblem(const char* host, int port, Clock::time_point deadline, std::string& words)
{
    const std::string service = std::to_string(port);
    http_addrlist_t* list = httpAddrGetList(host, AF_UNSPEC, service.c_str());
    if (!list) {
        words = cupsLastErrorString() ? cupsLastErrorString() : "";
        return 0;
    }
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
            if (::poll(&waiting, 1, std::min(1000, millisecondsUntil(deadline))) != 1 ||
                ::getsockopt(fd, SOL_SOCKET, SO_ERROR, &error, &length) != 0)
                error = ETIMEDOUT;
        }
        ::close(fd);
    }
    httpAddrFreeList(list);
    if (error == 0)
        words = cupsLastErrorString() ? cupsLastErrorString() : "";
    return error;
}

std::string option(const cups_dest_t* dest, const char* name)
{
    const char* value = cupsGetOption(name, dest->num_options, dest->options);
    return value ? value : "";
}

// Hands the document to the server's default destination: connect, find the default
// destination, create the job, send the document, finish it; all before the deadline. Writes down
// what it found for the decision.
void handOver(const QByteArray& pdf, const std::string& title, PrintHandover& handover, printing::Facts& facts)
{
    cupsSetPasswordCB2(noPassword, nullptr);
    const char* host = cupsServer();
    const int port = ippPort();
    facts.server = printing::serverName(host, port);
    {
        const std::lock_guard lock(handover.mutex);
        handover.server = facts.server;
    }

    const int timeLeft = millisecondsUntil(handover.deadline);
    http_t* http = timeLeft > 0 ? httpConnect2(host, port, nullptr, AF_UNSPEC, cupsEncryption(), 1, timeLeft,
                                               &handover.cancelConnect)
                                : nullptr;
    if (!http) {
        if (!handover.stopped() && Clock::now() < handover.deadline)
            facts.connectError = connectProblem(host, port, handover.deadline, facts.connectWords);
        facts.deadlinePassed = Clock::now() >= handover.deadline;
        return;
    }
    facts.connected = true;
    handover.attach(httpGetFd(http));
    Waiting waiting{&handover, handover.deadline};
    httpSetTimeout(http, 0.25, keepWaiting, &waiting);

    if (cups_dest_t* dest = handover.stopped() ? nullptr : cupsGetNamedDest(http, nullptr, nullptr)) {
        const char* name = dest->name;
        facts.destination = name;
        facts.printerState = option(dest, "printer-state");
        facts.stateReasons = option(dest, "printer-state-reasons");
        if (!handover.stopped())
            facts.jobId = cupsCreateJob(http, name, title.c_str(), 0, nullptr);
        const auto size = static_cast<std::size_t>(pdf.size());
        facts.sent =
            facts.jobId > 0 && !handover.stopped() &&
            cupsStartDocument(http, name, facts.jobId, title.c_str(), CUPS_FORMAT_PDF, 1) == HTTP_STATUS_CONTINUE &&
            cupsWriteRequestData(http, pdf.constData(), size) == HTTP_STATUS_CONTINUE &&
            cupsFinishDocument(http, name) <= IPP_STATUS_OK_EVENTS_COMPLETE;
        cupsFreeDests(1, dest);
    }
    if (!facts.sent) {
        facts.connectionError = httpError(http);
        facts.status = ippErrorString(cupsLastError());
        facts.message = cupsLastErrorString() ? cupsLastErrorString() : "";
        facts.deadlinePassed = Clock::now() >= handover.deadline;
    }
    handover.detach();
    httpClose(http);
}

// Withdraws a job that did not print, on a connection of its own (the hand-over's may be shut
// down), within a bounded time; a server that does not let it leaves the job as it is.
void withdraw(const std::string& destination, int job)
{
    const auto deadline = Clock::now() + printing::withdrawalTimeout;
    int noCancel = 0;
    http_t* http = httpConnect2(cupsServer(), ippPort(), nullptr, AF_UNSPEC, cupsEncryption(), 1,
                                static_cast<int>(printing::withdrawalTimeout.count()), &noCancel);
    if (!http)
        return;
    Waiting waiting{nullptr, deadline};
    httpSetTimeout(http, 0.1, keepWaiting, &waiting);
    cupsCancelJob2(http, destination.c_str(), job, 0);
    httpClose(http);
}

// The worker: hands the document over, posts the outcome unless the printer has stopped the
// hand-over, then withdraws a job that did not print.
void work(const std::shared_ptr<PrintHandover>& shared, const QByteArray& pdf, const std::string& title)
{
    // A server that closes the connection while a request is written makes that write fail, and
    // never ends the program.
    sigset_t pipe;
    sigemptyset(&pipe);
    sigaddset(&pipe, SIGPIPE);
    pthread_sigmask(SIG_BLOCK, &pipe, nullptr);

    printing::Facts facts;
    facts.timeout = shared->timeout;
    handOver(pdf, title, *shared, facts);
    printing::Outcome outcome;
    {
        const std::lock_guard lock(shared->mutex);
        facts.cancelled = shared->cancelled;
        facts.deadlinePassed = facts.deadlinePassed || shared->expired;
        outcome = printing::decide(facts);
        PrintHandover::post(shared, outcome);
    }
    if (printing::withdraws(outcome))
        withdraw(outcome.destination, outcome.jobId);
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
    return printing::timeoutFromSetting(std::getenv("HEATCALC_PRINT_TIMEOUT_MS"));
}

DocumentPrinter::DocumentPrinter(QObject* parent) : QObject(parent), deadline_(new QTimer(this))
{
    deadline_->setSingleShot(true);
    deadline_->setTimerType(Qt::PreciseTimer);
    connect(deadline_, &QTimer::timeout, this, &DocumentPrinter::expire);
}

DocumentPrinter::~DocumentPrinter()
{
    if (current_)
        current_->stop(false);
}

bool DocumentPrinter::print(QByteArray pdf, const QString& title)
{
    if (current_)
        return false;
    static std::once_flag exitHook;
    std::call_once(exitHook, [] { qAddPostRoutine(waitAtExit); });

    auto handover = std::make_shared<PrintHandover>();
    handover->receiver = this;
    handover->timeout = printTimeout();
    handover->deadline = Clock::now() + handover->timeout;
    current_ = handover;
    workerStarted();
    try {
        std::thread([handover, pdf = std::move(pdf), title = title.toStdString()]() mutable {
            {
                // The document and the shared state are let go before the worker counts as ended.
                const QByteArray document = std::move(pdf);
                const std::shared_ptr<PrintHandover> shared = std::move(handover);
                work(shared, document, title);
            }
            workerEnded();
        }).detach();
    } catch (const std::system_error&) {
        // No thread to be had: nothing was started.
        workerEnded();
        current_.reset();
        return false;
    }
    deadline_->start(handover->timeout);
    return true;
}

void DocumentPrinter::expire()
{
    const std::shared_ptr<PrintHandover> handover = current_;
    if (!handover || !handover->stop(true))
        return;
    printing::Facts facts;
    {
        const std::lock_guard lock(handover->mutex);
        facts.server = handover->server;
    }
    facts.timeout = handover->timeout;
    facts.deadlinePassed = true;
    deliver(handover, printing::decide(facts));
}

void DocumentPrinter::deliver(const std::shared_ptr<PrintHandover>& handover, const printing::Outcome& outcome)
{
    if (handover != current_)
        return;
    current_.reset();
    deadline_->stop();
    const printing::Message told = printing::message(outcome);
    const QString text = QString::fromStdString(told.text);
    if (told.failure)
        emit finished(0, text, {});
    else
        emit finished(outcome.jobId, {}, text);
}

bool waitForPrintWorkers(std::chrono::milliseconds bound)
{
    std::unique_lock lock(workers().mutex);
    return workers().done.wait_for(lock, bound, [] { return workers().running == 0; });
}

}  // namespace heatcalc::ui
