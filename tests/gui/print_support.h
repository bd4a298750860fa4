#pragma once

#include <QElapsedTimer>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTimer>

#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "gui_support.h"
#include "ui/printer.h"

// The plate window open in a main window, and what a print through its button needs.
struct PlateUnderTest {
    std::unique_ptr<heatcalc::MDIForm1> main = std::make_unique<heatcalc::MDIForm1>();
    heatcalc::ui::FormWidget* plate = nullptr;
    heatcalc::ui::DocumentPrinter* printer = nullptr;

    // False (with a failed check) when the window did not open.
    bool open()
    {
        main->show();
        main->ShowChildForm(heatcalc::ChildKind::Fo);
        plate = formOf(main->childWindow(heatcalc::ChildKind::Fo));
        if (!plate || !QTest::qWaitForWindowExposed(plate))
            return false;
        printer = plate->findChild<heatcalc::ui::DocumentPrinter*>();
        return printer != nullptr;
    }

    QWidget* printButton() const { return plate->control("Command2"); }

    // What the window held before the print, and the printer's answers since.
    std::map<std::string, std::string> before;
    std::unique_ptr<QSignalSpy> done;

    // Presses 换热面积计算 and then 界面打印 as the user does, keeping the texts in between; false
    // when a click did not take place.
    [[nodiscard]] bool computeAndPrint()
    {
        if (!click(plate, "Command1"))
            return false;
        before = texts();
        done = std::make_unique<QSignalSpy>(printer, &heatcalc::ui::DocumentPrinter::finished);
        return click(plate, "Command2");
    }

    // Every field and caption the window shows or keeps, except the clock, which ticks on.
    std::map<std::string, std::string> texts() const
    {
        std::map<std::string, std::string> all;
        for (const auto& c : plate->design().controls) {
            const std::string key = heatcalc::controlKey(c);
            if (key != "Label1")
                all[key] = plate->model().text(key);
        }
        return all;
    }
};

// The longest time the event loop went without running a 10 ms timer.
class StallMeter {
public:
    StallMeter()
    {
        timer_.setInterval(10);
        QObject::connect(&timer_, &QTimer::timeout, [this] { longest_ = std::max(longest_, since_.restart()); });
        since_.start();
        timer_.start();
    }
    qint64 longestMs() const { return std::max(longest_, since_.elapsed()); }

private:
    QTimer timer_;
    QElapsedTimer since_;
    qint64 longest_ = 0;
};

// The client side of the print server taken from this machine's settings: no user or system
// default printer, no client configuration; CUPS_SERVER alone says where the server is.
inline void isolateFromThePrintSetup(const QTemporaryDir& home)
{
    qputenv("HOME", home.path().toLocal8Bit());
    qputenv("CUPS_SERVERROOT", home.path().toLocal8Bit());
    qunsetenv("LPDEST");
    qunsetenv("PRINTER");
}

// A print server of the test's own on a Unix socket. Each connection it takes is handed to
// `serve` on a thread of its own; one that does not accept leaves every connection waiting in
// the socket's queue. Its destructor shuts every connection down and waits for the threads.
class SocketServer {
public:
    using Serve = std::function<void(int connection)>;

    SocketServer(const QString& path, Serve serve) : serve_(std::move(serve))
    {
        QFile::remove(path);
        listener_ = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        const QByteArray name = path.toLocal8Bit();
        if (listener_ < 0 || static_cast<std::size_t>(name.size()) >= sizeof(address.sun_path))
            return;
        std::memcpy(address.sun_path, name.constData(), static_cast<std::size_t>(name.size()));
        if (::bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof(address)) != 0 ||
            ::listen(listener_, 16) != 0)
            return;
        listening_ = true;
        if (serve_)
            acceptor_ = std::thread([this] { acceptAll(); });
    }

    ~SocketServer()
    {
        if (listener_ >= 0)
            ::shutdown(listener_, SHUT_RDWR);
        if (acceptor_.joinable())
            acceptor_.join();
        {
            const std::lock_guard lock(mutex_);
            for (const int c : connections_)
                ::shutdown(c, SHUT_RDWR);
        }
        for (std::thread& t : threads_)
            t.join();
        for (const int c : connections_)
            ::close(c);
        if (listener_ >= 0)
            ::close(listener_);
    }

    bool listening() const { return listening_; }

    // Registers a socket a connection's thread opened itself, so that stopping shuts it down.
    void keep(int fd)
    {
        const std::lock_guard lock(mutex_);
        connections_.push_back(fd);
    }

private:
    void acceptAll()
    {
        for (;;) {
            const int c = ::accept4(listener_, nullptr, nullptr, SOCK_CLOEXEC);
            if (c < 0)
                return;
            const std::lock_guard lock(mutex_);
            connections_.push_back(c);
            threads_.emplace_back([this, c] { serve_(c); });
        }
    }

    Serve serve_;
    int listener_ = -1;
    bool listening_ = false;
    std::mutex mutex_;
    std::vector<int> connections_;
    std::vector<std::thread> threads_;
    std::thread acceptor_;
};

// Reads what the other side writes until it closes or the server stops.
inline void readToTheEnd(int fd)
{
    char buffer[4096];
    while (::recv(fd, buffer, sizeof buffer, 0) > 0) {
    }
}

inline bool sendAll(int fd, const char* data, std::size_t size)
{
    while (size > 0) {
        const ssize_t n = ::send(fd, data, size, MSG_NOSIGNAL);
        if (n <= 0)
            return false;
        data += n;
        size -= static_cast<std::size_t>(n);
    }
    return true;
}
