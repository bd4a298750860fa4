#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace heatcalc {

// Reads a whole field text as a number: optional ASCII blanks around, an optional sign, digits
// with at most one "." (".5" and "5." included), an optional exponent. Anything else, the empty
// text and a value beyond the range of a double give no number; an underflow reads as 0 or a
// subnormal.
std::optional<double> ParseNumber(std::string_view text);

// Writes a result the way every field shows it: 15 significant digits, no trailing zeros, never
// "-0"; exponent form ("2.94E-07", "1.5E+15") below 1E-4 and from 1E15 up.
std::string FormatNumber(double value);

// The fixed one-decimal form "0.0", rounded half away from zero on the value's 15-digit decimal
// form; never "-0.0".
std::string FormatOneDecimal(double value);

}  // namespace heatcalc
