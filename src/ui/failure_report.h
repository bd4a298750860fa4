#pragma once

#include <QString>

#include "common/controls.h"
#include "common/failure.h"

namespace heatcalc::ui {

// The words of a calculation failure for the user: the field by its caption, or for an
// intermediate result the button to press first, and the reason.
QString failureMessage(const FormDesign& design, const CalculationFailure& failure);

}  // namespace heatcalc::ui
