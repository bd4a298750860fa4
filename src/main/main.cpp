#include <QApplication>

#include <cstdio>
#include <cstdlib>

#include "main/mdiform1.h"
#include "ui/translations.h"

int main(int argc, char* argv[])
{
    const bool display = std::getenv("DISPLAY") || std::getenv("WAYLAND_DISPLAY") || std::getenv("QT_QPA_PLATFORM");
    if (!display) {
        std::fprintf(stderr,
                     "heatcalc: no display. It is a desktop program: start it in a graphical session, or without one\n"
                     "under a virtual display:  xvfb-run -a ./build/heatcalc\n");
        return 1;
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("heatcalc"));
    heatcalc::ui::installTranslations(app);
    heatcalc::MDIForm1 window;
    window.show();
    return QApplication::exec();
}
