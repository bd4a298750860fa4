// One start of a main window, for startup_bench: "--program" builds the program's main window
// exactly as its entry does, "--bare" a plain Qt main window with an MDI area and a menu bar.
// When the window has been exposed and its first exposure handled, prints
//   <microseconds since --since> <VmRSS in kB>
// and exits at once. --since is a CLOCK_MONOTONIC reading in nanoseconds taken by the starter
// just before it started this process, so the time includes loading the program.
// "--program --open K" then opens child window kind K (0 Fo .. 5 Form4) from the menu's entry
// point, lets it be shown and painted, and prints the microseconds that took instead: the first
// opening of a window in a freshly started program.

#include <QAction>
#include <QApplication>
#include <QMainWindow>
#include <QMdiArea>
#include <QMenuBar>
#include <QWindow>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fstream>
#include <memory>
#include <string>

#include <QElapsedTimer>

#include "main/mdiform1.h"
#include "ui/translations.h"

namespace {

long long monotonicNs()
{
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return static_cast<long long>(ts.tv_sec) * 1'000'000'000LL + ts.tv_nsec;
}

long residentKb()
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmRSS:", 0) == 0)
            return std::strtol(line.c_str() + 6, nullptr, 10);
    return -1;
}

long long startedAt = 0;
int openKind = -1;

// Waits for the first exposure of the main window's native window, lets it be handled (the
// window painted), then reports.
class ExposeWatch : public QObject {
public:
    explicit ExposeWatch(QWidget* window) : window_(window) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (!seen_ && event->type() == QEvent::Expose && watched == window_->windowHandle() &&
            window_->windowHandle()->isExposed()) {
            seen_ = true;
            QMetaObject::invokeMethod(
                this, [this] { report(); }, Qt::QueuedConnection);
        }
        return false;
    }

private:
    void report() const
    {
        if (openKind >= 0) {
            QElapsedTimer timer;
            timer.start();
            static_cast<heatcalc::MDIForm1*>(window_)->ShowChildForm(static_cast<heatcalc::ChildKind>(openKind));
            QCoreApplication::processEvents();
            std::printf("%lld\n", timer.nsecsElapsed() / 1000);
            std::fflush(stdout);
            std::_Exit(0);
        }
        const long long elapsedUs = (monotonicNs() - startedAt) / 1000;
        std::printf("%lld %ld\n", elapsedUs, residentKb());
        std::fflush(stdout);
        std::_Exit(0);
    }

    QWidget* window_;
    bool seen_ = false;
};

std::unique_ptr<QMainWindow> bareWindow()
{
    auto window = std::make_unique<QMainWindow>();
    window->setWindowTitle(QStringLiteral("bare"));
    window->setCentralWidget(new QMdiArea(window.get()));
    // A menu bar in the same language as the program's: the font it needs is part of any such
    // window, not of the program's own code.
    for (const char* caption : {"换热器选型(&F)", "其他计算", "查表", "窗口(&W)", "帮助(&h)"})
        window->menuBar()->addMenu(QString::fromUtf8(caption))->addAction(QStringLiteral("…"));
    window->resize(443, 350);
    return window;
}

}  // namespace

int main(int argc, char* argv[])
{
    startedAt = monotonicNs();
    bool program = false;
    bool bare = false;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--program") == 0)
            program = true;
        else if (std::strcmp(argv[i], "--bare") == 0)
            bare = true;
        else if (std::strcmp(argv[i], "--since") == 0 && i + 1 < argc)
            startedAt = std::strtoll(argv[++i], nullptr, 10);
        else if (std::strcmp(argv[i], "--open") == 0 && i + 1 < argc)
            openKind = std::atoi(argv[++i]);
    }
    if (program == bare || (openKind >= 0 && (!program || openKind > 5))) {
        std::fprintf(stderr, "usage: startup_probe --program|--bare [--since NS] | --program --open 0..5\n");
        return 2;
    }

    QApplication app(argc, argv);
    std::unique_ptr<QMainWindow> window;
    if (program) {
        QApplication::setApplicationName(QStringLiteral("heatcalc"));
        heatcalc::ui::installTranslations(app);
        window = std::make_unique<heatcalc::MDIForm1>();
    } else {
        window = bareWindow();
    }
    ExposeWatch watch(window.get());
    app.installEventFilter(&watch);
    window->show();
    return QApplication::exec();
}
