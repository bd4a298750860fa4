// libFuzzer target for the field number rules.
//
// For any byte string: ParseNumber gives nothing or a finite double; it accepts exactly the texts
// of the number grammar (blanks around an optional sign, digits with at most one ".", an optional
// exponent) whose value a double holds, and then agrees with the C library's reading. The
// full-width digits, "．", "－", "＋", "Ｅ", "ｅ" and the ideographic space count as their ASCII
// forms; any other byte above ASCII, of a character or of no UTF-8 at all, makes no number.
// For any finite double (the first 8 bytes): FormatNumber writes at most 15 significant digits
// that read back to the double rounded to 15 digits, and writing that again gives the same text;
// FormatOneDecimal writes a number with exactly one decimal within half a tenth of the value.

#include <cerrno>
#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>
#include <utility>

#include "common/number.h"

using heatcalc::FormatNumber;
using heatcalc::FormatOneDecimal;
using heatcalc::ParseNumber;

namespace {

[[noreturn]] void fail(const char* what, std::string_view text, double value)
{
    std::fprintf(stderr, "number rule broken: %s\n  text: \"%.*s\" (%zu bytes)\n  value: %.17g\n", what,
                 static_cast<int>(std::min<std::size_t>(text.size(), 200)), text.data(), text.size(), value);
    std::abort();
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

// The grammar, written out independently of the parser under test.
bool grammarAccepts(std::string_view s)
{
    std::size_t i = 0;
    if (i < s.size() && (s[i] == '+' || s[i] == '-'))
        ++i;
    const std::size_t start = i;
    while (i < s.size() && isDigit(s[i]))
        ++i;
    std::size_t mantissaDigits = i - start;
    if (i < s.size() && s[i] == '.') {
        const std::size_t fracStart = ++i;
        while (i < s.size() && isDigit(s[i]))
            ++i;
        mantissaDigits += i - fracStart;
    }
    if (mantissaDigits == 0)
        return false;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        ++i;
        if (i < s.size() && (s[i] == '+' || s[i] == '-'))
            ++i;
        const std::size_t expStart = i;
        while (i < s.size() && isDigit(s[i]))
            ++i;
        if (i == expStart)
            return false;
    }
    return i == s.size();
}

// The text with the full-width characters an input method types in their ASCII forms.
std::string asciiForm(std::string_view s)
{
    static constexpr std::pair<std::string_view, char> FullWidth[] = {
        {"０", '0'}, {"１", '1'}, {"２", '2'}, {"３", '3'}, {"４", '4'}, {"５", '5'}, {"６", '6'}, {"７", '7'},
        {"８", '8'}, {"９", '9'}, {"．", '.'}, {"－", '-'}, {"＋", '+'}, {"Ｅ", 'E'}, {"ｅ", 'e'}, {"　", ' '},
    };
    std::string out;
    while (!s.empty()) {
        bool replaced = false;
        for (const auto& [wide, ascii] : FullWidth) {
            if (s.substr(0, wide.size()) == wide) {
                out += ascii;
                s.remove_prefix(wide.size());
                replaced = true;
                break;
            }
        }
        if (!replaced) {
            out += s.front();
            s.remove_prefix(1);
        }
    }
    return out;
}

std::string_view trimBlanks(std::string_view s)
{
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t'))
        s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t'))
        s.remove_suffix(1);
    return s;
}

int significantDigits(std::string_view t)
{
    std::string digits;
    for (char c : t) {
        if (c == 'E')
            break;
        if (isDigit(c))
            digits.push_back(c);
    }
    const auto first = digits.find_first_not_of('0');
    if (first == std::string::npos)
        return 1;
    return static_cast<int>(digits.find_last_not_of('0') - first + 1);
}

void checkParse(std::string_view text)
{
    const auto parsed = ParseNumber(text);
    const std::string ascii = asciiForm(text);
    const std::string_view core = trimBlanks(ascii);
    if (heatcalc::IsBlankText(text) != core.empty())
        fail("IsBlankText disagrees with the blanks of the text", text, 0);
    const bool grammatical = grammarAccepts(core);
    if (parsed && !std::isfinite(*parsed))
        fail("ParseNumber gave a value that is not finite", text, *parsed);
    if (parsed && !grammatical)
        fail("ParseNumber accepted a text outside the number grammar", text, *parsed);
    using Status = heatcalc::NumberReading::Status;
    const heatcalc::NumberReading reading = heatcalc::ReadNumber(text);
    const bool agree = reading.status == Status::Number ? parsed && *parsed == reading.value : !parsed;
    if (!agree)
        fail("ReadNumber and ParseNumber disagree", text, reading.value);
    if (!grammatical) {
        if (reading.status != Status::NotANumber)
            fail("ReadNumber took a text outside the number grammar for a number", text, reading.value);
        return;
    }
    // The C library's reading of the same text ("C" locale: "." is the decimal separator).
    const std::string copy(core);
    errno = 0;
    const double reference = std::strtod(copy.c_str(), nullptr);
    const bool overflow = errno == ERANGE && std::fabs(reference) > 1;
    if (overflow) {
        if (parsed)
            fail("ParseNumber accepted a number beyond the range of a double", text, *parsed);
        if (reading.status != Status::OutOfRange)
            fail("ReadNumber did not call a number beyond the range of a double out of range", text, reference);
        return;
    }
    if (!parsed)
        fail("ParseNumber refused a number a double holds", text, reference);
    if (*parsed != reference && std::fabs(reference) >= DBL_MIN)
        fail("ParseNumber disagrees with strtod", text, *parsed);
    if (*parsed != reference && std::fabs(*parsed) >= DBL_MIN)
        fail("ParseNumber read an underflow as a normal number", text, *parsed);
}

void checkFormat(double value)
{
    const std::string text = FormatNumber(value);
    const auto back = ParseNumber(text);
    if (!back)
        fail("FormatNumber wrote a text ParseNumber cannot read", text, value);
    if (significantDigits(text) > 15)
        fail("FormatNumber wrote more than 15 significant digits", text, value);
    if (text.find_first_not_of("-0123456789.E+") != std::string::npos || text == "-0")
        fail("FormatNumber wrote an unexpected character or -0", text, value);
    if (FormatNumber(*back) != text)
        fail("FormatNumber of the value read back differs", text, *back);
    const bool exponentForm = text.find('E') != std::string::npos;
    const double magnitude = std::fabs(*back);
    if (exponentForm != (magnitude != 0 && (magnitude < 1E-4 || magnitude >= 1E15)))
        fail("FormatNumber chose the wrong form for the magnitude", text, value);

    // The value rounded to 15 significant digits. Next to the largest double that rounding leaves
    // the range; the text then holds the largest 15-digit value below it.
    char rendering[64];
    std::snprintf(rendering, sizeof rendering, "%.14e", value);
    errno = 0;
    double rounded = std::strtod(rendering, nullptr);
    if (std::isinf(rounded))
        rounded = std::copysign(1.79769313486231E308, value);
    if (*back != rounded)
        fail("FormatNumber's text does not read back to the value rounded to 15 digits", text, value);

    const std::string one = FormatOneDecimal(value);
    const auto oneBack = ParseNumber(one);
    const std::size_t point = one.find('.');
    if (!oneBack || point == std::string::npos || point == 0 || point + 2 != one.size() ||
        one.find_first_not_of("-0123456789.") != std::string::npos || one == "-0.0" ||
        one.find('.', point + 1) != std::string::npos)
        fail("FormatOneDecimal wrote no number with exactly one decimal", one, value);
    if (std::fabs(*oneBack - value) > 0.05 + std::fabs(value) * 1E-14)
        fail("FormatOneDecimal is further than half a tenth from the value", one, value);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    checkParse(std::string_view(reinterpret_cast<const char*>(data), size));
    if (size >= sizeof(double)) {
        double value;
        std::memcpy(&value, data, sizeof value);
        if (std::isfinite(value))
            checkFormat(value);
    }
    return 0;
}
