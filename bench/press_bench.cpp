// Time of one press of each calculator button, on a window whose fields hold what the earlier
// buttons of the usual order left there, so that every press runs to its last statement.

#include <benchmark/benchmark.h>

#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>

#include "plate/fo.h"
#include "press_cases.h"
#include "tube/fo23.h"
#include "unit/form1.h"
#include "weight/form2.h"

namespace {

using heatcalc::FormModel;
using heatcalc::bench::PressCase;

std::unique_ptr<FormModel> open(std::string_view window)
{
    if (window == "Fo")
        return std::make_unique<heatcalc::Fo>();
    if (window == "Fo23")
        return std::make_unique<heatcalc::Fo23>();
    if (window == "Form1")
        return std::make_unique<heatcalc::Form1>();
    if (window == "Form2")
        return std::make_unique<heatcalc::Form2>();
    throw std::logic_error("no window " + std::string(window));
}

void Press(benchmark::State& state, const PressCase& press)
{
    std::unique_ptr<FormModel> window;
    try {
        window = open(press.window);
        heatcalc::bench::prepare(*window, press.before);
        if (!press.pick.empty())
            window->setText(heatcalc::bench::pickedField(press), press.pick);
        heatcalc::bench::prepare(*window, {std::string(press.handler)});
    } catch (const std::exception& e) {
        state.SkipWithError(e.what());
        return;
    }
    for (auto _ : state) {
        window->run(press.handler);
        benchmark::ClobberMemory();
    }
}

}  // namespace

int main(int argc, char** argv)
{
    for (const PressCase& press : heatcalc::bench::pressCases())
        benchmark::RegisterBenchmark((std::string("Press/") + press.name).c_str(), Press, press)
            ->Unit(benchmark::kMicrosecond)
            ->Repetitions(15)
            ->ReportAggregatesOnly(true);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
