#pragma once

// The calculator buttons of the four windows, each with the steps that bring its window to a
// state in which the press runs to its last statement: the fields hold what the earlier buttons
// of the usual order left there.

#include <stdexcept>
#include <string>
#include <vector>

#include "common/form_model.h"
#include "weight/form2_fields.h"

namespace heatcalc::bench {

struct PressCase {
    const char* window;   // the window class: "Fo", "Fo23", "Form1", "Form2"
    const char* name;     // the benchmark's name
    const char* handler;  // the handler the button runs
    // typed(field, text) types a text into a field, anything else runs that handler.
    std::vector<std::string> before;
    // For a pick from a list: the item picked, which the list's field holds when its handler runs.
    std::string pick{};
};

// The step that types `text` into `field`: "Combo1=铸材".
inline std::string typed(Field field, std::string_view text)
{
    return std::string(field.key()) + "=" + std::string(text);
}

// The field a pick from a list writes: the list whose handler it runs ("Combo1" of "Combo1_Click").
inline std::string pickedField(const PressCase& press)
{
    const std::string handler(press.handler);
    return handler.substr(0, handler.find('_'));
}

inline const std::vector<PressCase>& pressCases()
{
    static const std::vector<PressCase> cases = {
        {"Fo", "Fo_Command1", "Command1_Click", {}},
        {"Fo", "Fo_Command3", "Command3_Click", {"Command1_Click"}},
        {"Fo", "Fo_Command4", "Command4_Click", {"Command1_Click"}},
        {"Fo", "Fo_Command5", "Command5_Click", {"Command1_Click", "Command4_Click"}},
        {"Fo", "Fo_Command6", "Command6_Click", {"Command1_Click", "Command3_Click"}},
        {"Fo23", "Fo23_Command1", "Command1_Click", {}},
        {"Form1", "Form1_Command1", "Command1_Click", {}},
        {"Form2", "Form2_Command1", "Command1_Click", {typed(form2::MaterialList, "铸材"), "Combo1_Click"}},
        {"Form2", "Form2_Command2", "Command2_Click", {typed(form2::MaterialList, "铸材"), "Combo1_Click"}},
        {"Form2", "Form2_Command3", "Command3_Click", {typed(form2::MaterialList, "铸材"), "Combo1_Click"}},
        // The last material of the list: every row is tested before it.
        {"Form2", "Form2_Combo1", "Combo1_Click", {}, "汞"},
    };
    return cases;
}

// Runs the steps in order. A handler that stops with a failure throws it: a failed press is not
// the time asked for.
inline void prepare(FormModel& window, const std::vector<std::string>& steps)
{
    for (const std::string& step : steps) {
        if (const auto eq = step.find('='); eq != std::string::npos)
            window.setText(step.substr(0, eq), step.substr(eq + 1));
        else if (!window.run(step))
            throw std::logic_error("no handler " + step);
    }
}

}  // namespace heatcalc::bench
