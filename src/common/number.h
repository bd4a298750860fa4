#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace heatcalc {

// A field text read as a number: its value, or why it has none.
struct NumberReading {
    enum class Status {
        Number,
        NotANumber,  // the empty text, or a text not written as a number
        OutOfRange,  // written as a number, but beyond the range of a double ("1e999")
    };
    Status status = Status::NotANumber;
    double value = 0;
};

// Reads a whole field text (UTF-8) as a number: optional blanks around, an optional sign, digits
// with at most one "." (".5" and "5." included), an optional exponent. The full-width digits,
// "．", "－", "＋", "Ｅ", "ｅ" and the ideographic space read as their ASCII forms. Anything else
// and the empty text are not a number; an overflow is out of range; an underflow reads as 0 or a
// subnormal.
NumberReading ReadNumber(std::string_view text);

// True for the empty text and a text of blanks only (spaces, tabs, ideographic spaces): a field
// left empty.
bool IsBlankText(std::string_view text);

// The value ReadNumber gives, or none when the text is not a number or out of range.
std::optional<double> ParseNumber(std::string_view text);

// Writes a result the way every field shows it: 15 significant digits, no trailing zeros, never
// "-0"; exponent form ("2.94E-07", "1.5E+15") below 1E-4 and from 1E15 up.
std::string FormatNumber(double value);

// The fixed one-decimal form "0.0", rounded half away from zero on the value's 15-digit decimal
// form; never "-0.0".
std::string FormatOneDecimal(double value);

}  // namespace heatcalc
