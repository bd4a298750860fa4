// Time of opening each child window in the offscreen GUI: the window built from its design,
// shown, its pending events handled, then deleted; and the same inside the main window's area as
// the menu opens it, then closed. (The first opening in a freshly started program, which also
// loads fonts, is measured by startup_bench.)

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QMdiArea>
#include <QMdiSubWindow>

#include "main/child_forms.h"
#include "main/mdiform1.h"

namespace {

using heatcalc::ChildKind;

void openAndDelete(ChildKind kind)
{
    heatcalc::ui::FormWidget* window = heatcalc::createChildForm(kind);
    window->show();
    QCoreApplication::processEvents();
    delete window;
}

// The window alone, as createChildForm gives it.
void OpenWindow(benchmark::State& state, ChildKind kind)
{
    for (auto _ : state)
        openAndDelete(kind);
}

// The window as the menu opens it: inside the main window's area, then closed again.
void OpenInMainWindow(benchmark::State& state, ChildKind kind)
{
    heatcalc::MDIForm1 main;
    main.show();
    QCoreApplication::processEvents();
    for (auto _ : state) {
        main.ShowChildForm(kind);
        QCoreApplication::processEvents();
        main.childWindow(kind)->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

#define OPEN(kind)                                                                                                     \
    BENCHMARK_CAPTURE(OpenWindow, kind, ChildKind::kind)                                                               \
        ->Unit(benchmark::kMillisecond)                                                                                \
        ->Repetitions(10)                                                                                              \
        ->ReportAggregatesOnly(true);                                                                                  \
    BENCHMARK_CAPTURE(OpenInMainWindow, kind, ChildKind::kind)                                                         \
        ->Unit(benchmark::kMillisecond)                                                                                \
        ->Repetitions(10)                                                                                              \
        ->ReportAggregatesOnly(true)

OPEN(Fo);
OPEN(Fo23);
OPEN(Form1);
OPEN(Form2);
OPEN(Form3);
OPEN(Form4);

}  // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
