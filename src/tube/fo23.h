#pragma once

#include "common/clock.h"
#include "common/form_model.h"
#include "tube/fo23_fields.h"

namespace heatcalc {

// The shell-and-tube steam-water heat-exchanger window: steam on the primary side heats the
// water of the secondary side. One button sizes the exchanger: steam properties, flows, the
// condensing and subcooling zones, the tube count and both velocities.
class Fo23 : public FormModel {
public:
    // The clock is what Timer1_Timer would show; the window never starts its timer.
    explicit Fo23(Clock clock = SystemLocalTime);

    static const FormDesign& designTable();

    // "换热面积计算": first the zone sizing, which writes the heated floor area, the steam and
    // water flows, the steam's enthalpy and saturation temperature and each zone's temperature
    // difference, heat and area, and the total area; then the tube count and velocities, which
    // write the tube surface and the flow areas of tubes and shell, the tube count and the two
    // velocities.
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
