#pragma once

#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <map>
#include <memory>
#include <string>

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
