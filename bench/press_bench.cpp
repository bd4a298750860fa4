// Time of one press of each calculator button, on a window whose fields hold what the earlier
// buttons of the usual order left there, so that every press runs to its last statement.

#include <benchmark/benchmark.h>

#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "plate/fo.h"
#include "tube/fo23.h"
#include "unit/form1.h"
#include "weight/form2.h"

namespace {

using heatcalc::FormModel;

// Runs the steps in order: "Combo1=铸材" types a text into a field, anything else is a handler. A
// press that stops with a failure ends the measurement, since a failed press is not the time asked
// for.
void prepare(FormModel& window, const std::vector<std::string>& steps)
{
    for (const std::string& step : steps) {
        if (const auto eq = step.find('='); eq != std::string::npos)
            window.setText(step.substr(0, eq), step.substr(eq + 1));
        else if (!window.run(step))
            throw std::logic_error("no handler " + step);
    }
}

template <typename Window>
std::unique_ptr<FormModel> open()
{
    return std::make_unique<Window>();
}

void Press(benchmark::State& state, std::unique_ptr<FormModel> (*openWindow)(), const char* handler,
           const std::vector<std::string>& before)
{
    auto window = openWindow();
    try {
        prepare(*window, before);
        prepare(*window, {std::string(handler)});
    } catch (const std::exception& e) {
        state.SkipWithError(e.what());
        return;
    }
    for (auto _ : state) {
        window->run(handler);
        benchmark::ClobberMemory();
    }
}

void PressWeightMaterial(benchmark::State& state)
{
    heatcalc::Form2 window;
    window.setText("Combo1", "汞");  // the last of the list: every row is tested before it
    for (auto _ : state) {
        window.run("Combo1_Click");
        benchmark::ClobberMemory();
    }
}

constexpr int Repetitions = 15;

#define PRESS(Window, name, handler, ...)                                                        \
    BENCHMARK_CAPTURE(Press, name, open<Window>, handler, std::vector<std::string> __VA_ARGS__)  \
        ->Unit(benchmark::kMicrosecond)                                                          \
        ->Repetitions(Repetitions)                                                               \
        ->ReportAggregatesOnly(true)

PRESS(heatcalc::Fo, Fo_Command1, "Command1_Click", {});
PRESS(heatcalc::Fo, Fo_Command3, "Command3_Click", {"Command1_Click"});
PRESS(heatcalc::Fo, Fo_Command4, "Command4_Click", {"Command1_Click"});
PRESS(heatcalc::Fo, Fo_Command5, "Command5_Click", {"Command1_Click", "Command4_Click"});
PRESS(heatcalc::Fo, Fo_Command6, "Command6_Click", {"Command1_Click", "Command3_Click"});
PRESS(heatcalc::Fo23, Fo23_Command1, "Command1_Click", {});
PRESS(heatcalc::Form1, Form1_Command1, "Command1_Click", {});
PRESS(heatcalc::Form2, Form2_Command1, "Command1_Click", {"Combo1=铸材", "Combo1_Click"});
PRESS(heatcalc::Form2, Form2_Command2, "Command2_Click", {"Combo1=铸材", "Combo1_Click"});
PRESS(heatcalc::Form2, Form2_Command3, "Command3_Click", {"Combo1=铸材", "Combo1_Click"});
BENCHMARK(PressWeightMaterial)
    ->Name("Press/Form2_Combo1")
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(Repetitions)
    ->ReportAggregatesOnly(true);

}  // namespace

BENCHMARK_MAIN();
