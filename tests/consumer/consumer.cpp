#include <cstdio>
#include <string>

#include "common/failure.h"
#include "plate/fo.h"
#include "tube/fo23.h"
#include "unit/form1.h"
#include "weight/form2.h"

// Drives each window through the core's public interface; prints what differs from the
// expected texts and exits non-zero then.
int main()
{
    int wrong = 0;
    auto expect = [&](const std::string& got, const char* want, const char* what) {
        if (got != want) {
            std::printf("%s: %s, expected %s\n", what, got.c_str(), want);
            ++wrong;
        }
    };
    heatcalc::Fo plate;
    plate.Command1_Click();
    expect(plate.text("Text13"), "11.1797533025589", "plate area");
    heatcalc::Fo23 tube;
    tube.Command1_Click();
    expect(tube.text("Text13"), "9.9", "tube area");
    heatcalc::Form1 unit;
    unit.Command1_Click();
    expect(unit.text("Text6"), "46.09342615065", "pump head");
    heatcalc::Form2 weight;
    try {
        weight.Command1_Click();
        ++wrong;
    } catch (const heatcalc::CalculationFailure& failure) {
        expect(failure.field(), "Text21", "failing field");
    }
    weight.setText("Combo1", "铸材");
    weight.Combo1_Click();
    weight.Command1_Click();
    expect(weight.text("Text5"), "21.074895", "pipe weight");
    return wrong == 0 ? 0 : 1;
}
