#pragma once

#include "common/clock.h"
#include "common/form_model.h"

namespace heatcalc {

// The shell-and-tube steam-water heat-exchanger window: steam on the primary side heats the
// water of the secondary side. One button sizes the exchanger: steam properties, flows, the
// condensing and subcooling zones, the tube count and both velocities.
class Fo23 : public FormModel {
public:
    // The clock is what Timer1_Timer would show; the window never starts its timer.
    explicit Fo23(Clock clock = SystemLocalTime);

    static const FormDesign& Design();

    // "换热面积计算": first the zone sizing, which writes the heated floor area Text7, the two
    // flows Text8 and Text9, the work fields Text10, Text11, Text14 to Text18 and Text22, and the
    // total area Text13; then the tube count and velocities, which write the work fields Text28,
    // Text29 and Text30, the tube count Text19 and the two velocities Text46 and Text47.
    void Command1_Click();
    // "等截面阻力": does nothing.
    void Command6_Click();
    // Tick of Timer1: the clock caption into Label1. Nothing gives Timer1 an interval, so it
    // never ticks on this window and Label1 keeps its design caption.
    void Timer1_Timer();

private:
    Clock clock_;
};

}  // namespace heatcalc
