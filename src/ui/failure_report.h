#pragma once

#include <QString>

#include <string>
#include <string_view>

#include "common/failure.h"
#include "common/form_model.h"

namespace heatcalc::ui {

// What the user reads after a failed press, and the field to retype.
struct FailureMessage {
    QString text;
    std::string focus;  // key of the field the text names for retyping; empty when it names none
};

// The words of a calculation failure of `handler` for the user: the field by its caption and the
// reason; for a work field without a number, what left it empty and the step to take, in the
// series of steps the pressed button belongs to.
FailureMessage failureMessage(const FormModel& model, std::string_view handler, const CalculationFailure& failure);

}  // namespace heatcalc::ui
