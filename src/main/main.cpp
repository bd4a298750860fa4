#include <QApplication>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "main/display_check.h"
#include "main/mdiform1.h"
#include "ui/appearance.h"
#include "ui/translations.h"

namespace {

// How to start the program where no display is at hand.
constexpr const char* VirtualDisplayHint = "under a virtual display:  xvfb-run -a ./build/heatcalc\n";

// True when the window system will open an X display: no other platform is asked for (by
// QT_QPA_PLATFORM or -platform) and no Wayland session is at hand. `display` is then the X
// display it opens (-display or DISPLAY), null when none is named.
bool opensXDisplay(int argc, char* argv[], const char*& display)
{
    display = std::getenv("DISPLAY");
    const char* platform = std::getenv("QT_QPA_PLATFORM");
    const char* wayland = std::getenv("WAYLAND_DISPLAY");
    for (int i = 1; i + 1 < argc; ++i) {
        if (std::strcmp(argv[i], "-platform") == 0)
            platform = argv[i + 1];
        if (std::strcmp(argv[i], "-display") == 0)
            display = argv[i + 1];
    }
    if (platform && *platform)
        return std::strncmp(platform, "xcb", 3) == 0;
    return !(wayland && *wayland);
}

const char* openingDisplay = nullptr;  // the X display being opened, if any
QtMessageHandler previousHandler = nullptr;

// While the window system starts: a display that replies to the connection set-up but refuses the
// program (or a window system that cannot start at all) ends it with words as well, instead of an
// abort whose words blame the installation. The window system's warnings before it name the cause.
void startupMessages(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (type == QtFatalMsg) {
        // The window system's own words, less its advice to reinstall, which is not the cause.
        QString cause = message;
        const qsizetype advice = cause.indexOf(QStringLiteral("Reinstalling the application"));
        if (advice >= 0)
            cause.truncate(advice);
        cause = cause.trimmed();
        if (!cause.isEmpty())
            std::fprintf(stderr, "%s\n", cause.toLocal8Bit().constData());
        if (openingDisplay)
            std::fprintf(stderr, "heatcalc: the display \"%s\" could not be opened (see the lines above).\n",
                         openingDisplay);
        else
            std::fprintf(stderr, "heatcalc: the window system could not be started (see the lines above).\n");
        std::fprintf(stderr,
                     "Start the program in a graphical session that lets it open its window, or without one\n%s",
                     VirtualDisplayHint);
        std::_Exit(1);
    }
    if (previousHandler)
        previousHandler(type, context, message);
}

}  // namespace

int main(int argc, char* argv[])
{
    const char* display = nullptr;
    if (opensXDisplay(argc, argv, display)) {
        if (!display) {
            std::fprintf(
                stderr,
                "heatcalc: no display. It is a desktop program: start it in a graphical session, or without one\n%s",
                VirtualDisplayHint);
            return 1;
        }
        // A display that cannot be reached, or that takes the connection and then never completes
        // its reply, on which the window system would wait for ever.
        if (!heatcalc::xDisplayReachable(display)) {
            if (*display)
                std::fprintf(stderr, "heatcalc: the display \"%s\" named in DISPLAY cannot be reached.\n", display);
            else
                std::fprintf(stderr, "heatcalc: DISPLAY is empty: it names no display that could be reached.\n");
            std::fprintf(stderr,
                         "Start the program in a graphical session whose display is running, or without one\n%s",
                         VirtualDisplayHint);
            return 1;
        }
        openingDisplay = display;
    }
    previousHandler = qInstallMessageHandler(startupMessages);
    // A display that hangs up while the program starts must end it with the words above, not
    // kill it by a broken pipe.
    std::signal(SIGPIPE, SIG_IGN);
    QApplication app(argc, argv);
    qInstallMessageHandler(previousHandler);
    QApplication::setApplicationName(QStringLiteral("heatcalc"));
    heatcalc::ui::installTranslations(app);
    heatcalc::MDIForm1 window;
    window.show();
    // Without a font for the Chinese captions every caption shows as empty boxes: said once.
    heatcalc::ui::warnIfNoChineseCaptionFont(&window);
    return QApplication::exec();
}
