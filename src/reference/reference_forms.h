#pragma once

#include "common/controls.h"

namespace heatcalc {

// The power-cable table window: the open-laying and the in-soil tables side by side.
const FormDesign& Form3Design();
// The busbar table window.
const FormDesign& Form4Design();

}  // namespace heatcalc
