// Time from a calculator button's press to its window repainted, in the offscreen GUI: the
// button's handler run through the window as a click runs it, the fields showing the new texts,
// and the whole window painted again at once. Before each press, untimed, the window goes back
// to the texts it held before its first press, so that every press writes new texts into the
// fields it fills, and runs to its last statement.

#include <benchmark/benchmark.h>

#include <QApplication>

#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "main/child_forms.h"
#include "press_cases.h"
#include "ui/platform.h"

namespace {

using heatcalc::ChildKind;
using heatcalc::bench::PressCase;

ChildKind kindOf(std::string_view window)
{
    if (window == "Fo")
        return ChildKind::Fo;
    if (window == "Fo23")
        return ChildKind::Fo23;
    if (window == "Form1")
        return ChildKind::Form1;
    if (window == "Form2")
        return ChildKind::Form2;
    throw std::logic_error("no window " + std::string(window));
}

// Warnings a press gave: a failed press, which is not the time asked for.
int warnings = 0;

void PressToRepaint(benchmark::State& state, const PressCase& press)
{
    std::unique_ptr<heatcalc::ui::FormWidget> window;
    std::vector<std::string> keys;
    std::vector<std::string> beforeTexts;
    try {
        window.reset(heatcalc::createChildForm(kindOf(press.window)));
        heatcalc::bench::prepare(window->model(), press.before);
        for (const heatcalc::Control& c : window->design().controls) {
            keys.push_back(heatcalc::controlKey(c));
            beforeTexts.push_back(window->model().text(keys.back()));
        }
    } catch (const std::exception& e) {
        state.SkipWithError(e.what());
        return;
    }
    const auto restore = [&] {
        for (std::size_t i = 0; i < keys.size(); ++i)
            window->model().setText(keys[i], beforeTexts[i]);
        window->refresh();
        QCoreApplication::processEvents();
    };
    window->show();
    restore();

    // A pick from a list puts the item into the list's field, then runs the list's handler.
    const std::string picked = heatcalc::bench::pickedField(press);
    const auto pressOnce = [&] {
        if (!press.pick.empty())
            window->model().setText(picked, press.pick);
        window->press(press.handler);
    };

    // One press untimed: it must complete, and it must change what the window shows.
    warnings = 0;
    pressOnce();
    int changed = 0;
    for (std::size_t i = 0; i < keys.size(); ++i)
        if (window->control(keys[i]) && window->model().text(keys[i]) != beforeTexts[i])
            ++changed;
    if (warnings != 0) {
        state.SkipWithError("the press failed");
        return;
    }
    if (changed == 0) {
        state.SkipWithError("the press changed no shown field");
        return;
    }

    for (auto _ : state) {
        state.PauseTiming();
        restore();
        state.ResumeTiming();
        pressOnce();
        window->repaint();
    }
    state.counters["fields"] = changed;
    if (warnings != 0)
        state.SkipWithError("a press failed");
}

}  // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    heatcalc::ui::setWarningSink([](QWidget*, const QString&, const QString&) { ++warnings; });
    for (const PressCase& press : heatcalc::bench::pressCases())
        benchmark::RegisterBenchmark((std::string("PressToRepaint/") + press.name).c_str(), PressToRepaint, press)
            ->Unit(benchmark::kMillisecond)
            ->Repetitions(10)
            ->ReportAggregatesOnly(true);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
