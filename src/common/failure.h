#pragma once

#include <exception>
#include <string>
#include <string_view>
#include <vector>

namespace heatcalc {

// Why a calculation stopped.
enum class FailureReason {
    NotANumber,        // a field text that does not read as a number (empty, junk, a work field's own name)
    NumberOutOfRange,  // a field text that reads as a number beyond the range of a double ("1e999")
    DivisionByZero,    // x / 0, 0 / 0 included
    OutOfRange,        // a result beyond the range of a double
    LogOfNonPositive,
    SqrtOfNegative,
    NoRealPower,  // a negative base with a fractional exponent, zero with a negative exponent
};

// The reason in the words the user reads in the failure message.
std::string_view reasonWords(FailureReason reason);

// Thrown by a handler at the first statement that cannot be computed. The statements before it
// keep what they wrote. `field` is the control whose text could not be read or, for an
// arithmetic fault, the control the failing statement writes (empty when the fault lies in the
// test that guards a statement).
class CalculationFailure : public std::exception {
public:
    CalculationFailure(std::string field, FailureReason reason, std::vector<std::string> sources = {});

    const std::string& field() const noexcept { return field_; }
    FailureReason reason() const noexcept { return reason_; }
    // The fields, by control key, whose texts fed the failing operation or read: those the
    // statement read itself first, then the inputs behind the results and work fields it read,
    // each in the window's keyboard order. A field the user typed into counts as an input.
    const std::vector<std::string>& sources() const noexcept { return sources_; }
    const char* what() const noexcept override { return message_.c_str(); }

private:
    std::string field_;
    FailureReason reason_;
    std::vector<std::string> sources_;
    std::string message_;
};

}  // namespace heatcalc
