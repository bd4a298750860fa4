#include "common/number.h"

#include <charconv>
#include <cmath>
#include <system_error>

namespace heatcalc {

namespace {

bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}
bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

// The ASCII character whose full-width form (as an input method in full-width mode types it)
// starts `s` in UTF-8: the digits, "．", "－", "＋", "Ｅ", "ｅ" and the ideographic space; 0 for
// anything else.
char halfWidthAt(std::string_view s)
{
    if (s.size() < 3)
        return 0;
    const auto b0 = static_cast<unsigned char>(s[0]);
    const auto b1 = static_cast<unsigned char>(s[1]);
    const auto b2 = static_cast<unsigned char>(s[2]);
    if (b0 == 0xE3 && b1 == 0x80 && b2 == 0x80)
        return ' ';
    if (b0 == 0xEF && b1 == 0xBD && b2 == 0x85)
        return 'e';
    if (b0 != 0xEF || b1 != 0xBC)
        return 0;
    if (b2 >= 0x90 && b2 <= 0x99)
        return static_cast<char>('0' + (b2 - 0x90));
    switch (b2) {
    case 0x8B:
        return '+';
    case 0x8D:
        return '-';
    case 0x8E:
        return '.';
    case 0xA5:
        return 'E';
    default:
        return 0;
    }
}

// The text with those full-width characters in their ASCII forms. Every other byte stays, so a
// text holding any other character, or bytes that are no UTF-8, is still no number.
std::string halfWidthText(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        if (const char c = halfWidthAt(text.substr(i))) {
            out += c;
            i += 3;
        } else {
            out += text[i++];
        }
    }
    return out;
}

bool hasNonAscii(std::string_view text)
{
    for (char c : text)
        if (static_cast<unsigned char>(c) >= 0x80)
            return true;
    return false;
}

// The decimal order of magnitude of a syntactically valid number text whose value the double
// range could not hold: negative for an underflow, positive for an overflow.
long long orderOfMagnitude(std::string_view s)
{
    std::size_t i = 0;
    if (s[i] == '-' || s[i] == '+')
        ++i;
    long long intDigits = 0;
    bool seenNonZero = false;
    for (; i < s.size() && isDigit(s[i]); ++i) {
        if (s[i] != '0')
            seenNonZero = true;
        if (seenNonZero)
            ++intDigits;
    }
    long long fracZeros = 0;
    if (i < s.size() && s[i] == '.') {
        for (++i; i < s.size() && isDigit(s[i]); ++i) {
            if (!seenNonZero && s[i] != '0')
                seenNonZero = true;
            if (!seenNonZero)
                ++fracZeros;
        }
    }
    long long exponent = 0;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        ++i;
        bool negative = false;
        if (s[i] == '-' || s[i] == '+')
            negative = s[i++] == '-';
        for (; i < s.size(); ++i)
            if (exponent < 1'000'000'000)
                exponent = exponent * 10 + (s[i] - '0');
        if (negative)
            exponent = -exponent;
    }
    return intDigits > 0 ? intDigits - 1 + exponent : -(fracZeros + 1) + exponent;
}

bool isNumberText(std::string_view s)
{
    std::size_t i = 0;
    if (i < s.size() && (s[i] == '-' || s[i] == '+'))
        ++i;
    std::size_t digits = 0;
    for (; i < s.size() && isDigit(s[i]); ++i)
        ++digits;
    if (i < s.size() && s[i] == '.')
        for (++i; i < s.size() && isDigit(s[i]); ++i)
            ++digits;
    if (digits == 0)
        return false;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        ++i;
        if (i < s.size() && (s[i] == '-' || s[i] == '+'))
            ++i;
        std::size_t expDigits = 0;
        for (; i < s.size() && isDigit(s[i]); ++i)
            ++expDigits;
        if (expDigits == 0)
            return false;
    }
    return i == s.size();
}

// A double rounded to 15 significant digits: value = d1.d2d3...d15 x 10^exponent.
struct Decimal15 {
    bool negative = false;
    bool zero = false;
    std::string digits;  // 15 digits, the first not 0 unless zero
    int exponent = 0;
};

Decimal15 toDecimal15(double value)
{
    char buf[64];
    auto [end, ec] = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::scientific, 14);
    (void)ec;  // 64 characters always hold a 15-digit scientific form
    std::string_view s(buf, static_cast<std::size_t>(end - buf));
    Decimal15 d;
    if (s.front() == '-') {
        d.negative = true;
        s.remove_prefix(1);
    }
    const std::size_t e = s.find('e');
    for (std::size_t i = 0; i < e; ++i)
        if (s[i] != '.')
            d.digits.push_back(s[i]);
    std::from_chars(s.data() + e + 1 + (s[e + 1] == '+' ? 1 : 0), s.data() + s.size(), d.exponent);
    d.zero = d.digits.find_first_not_of('0') == std::string::npos;
    // Next to the largest double, rounding up to 15 digits would leave the range of a double;
    // keep the text readable by rounding toward zero there.
    constexpr std::string_view largest = "179769313486231";
    if (d.exponent == 308 && d.digits > largest)
        d.digits = largest;
    return d;
}

// No field ever holds these: every calculation stops before writing one. The words are not
// numbers, so reading them back fails like any other non-number.
std::string nonFinite(double value)
{
    if (std::isnan(value))
        return "nan";
    return value < 0 ? "-inf" : "inf";
}

}  // namespace

namespace {

NumberReading readAsciiNumber(std::string_view text)
{
    using Status = NumberReading::Status;
    while (!text.empty() && isBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back()))
        text.remove_suffix(1);
    if (!isNumberText(text))
        return {Status::NotANumber};
    const bool negative = text.front() == '-';
    std::string_view unsignedText = text;
    if (text.front() == '+' || text.front() == '-')
        unsignedText.remove_prefix(1);
    double value = 0;
    auto [ptr, ec] = std::from_chars(unsignedText.data(), unsignedText.data() + unsignedText.size(), value);
    if (ec == std::errc::result_out_of_range) {
        if (orderOfMagnitude(text) < 0)
            return {Status::Number, negative ? -0.0 : 0.0};
        return {Status::OutOfRange};
    }
    if (ec != std::errc() || ptr != unsignedText.data() + unsignedText.size())
        return {Status::NotANumber};
    return {Status::Number, negative ? -value : value};
}

}  // namespace

NumberReading ReadNumber(std::string_view text)
{
    if (hasNonAscii(text))
        return readAsciiNumber(halfWidthText(text));
    return readAsciiNumber(text);
}

bool IsBlankText(std::string_view text)
{
    for (std::size_t i = 0; i < text.size();) {
        if (isBlank(text[i]))
            ++i;
        else if (halfWidthAt(text.substr(i)) == ' ')
            i += 3;
        else
            return false;
    }
    return true;
}

std::optional<double> ParseNumber(std::string_view text)
{
    const NumberReading reading = ReadNumber(text);
    if (reading.status != NumberReading::Status::Number)
        return std::nullopt;
    return reading.value;
}

std::string FormatNumber(double value)
{
    if (!std::isfinite(value))
        return nonFinite(value);
    Decimal15 d = toDecimal15(value);
    if (d.zero)
        return "0";
    const std::size_t last = d.digits.find_last_not_of('0');
    d.digits.resize(last + 1);
    std::string out = d.negative ? "-" : "";
    if (d.exponent < -4 || d.exponent >= 15) {
        out += d.digits[0];
        if (d.digits.size() > 1) {
            out += '.';
            out += d.digits.substr(1);
        }
        out += 'E';
        out += d.exponent < 0 ? '-' : '+';
        const std::string exponent = std::to_string(d.exponent < 0 ? -d.exponent : d.exponent);
        if (exponent.size() < 2)
            out += '0';
        out += exponent;
        return out;
    }
    if (d.exponent < 0) {
        out += "0.";
        out.append(static_cast<std::size_t>(-d.exponent - 1), '0');
        out += d.digits;
        return out;
    }
    const std::size_t intDigits = static_cast<std::size_t>(d.exponent) + 1;
    if (d.digits.size() <= intDigits) {
        out += d.digits;
        out.append(intDigits - d.digits.size(), '0');
        return out;
    }
    out += d.digits.substr(0, intDigits);
    out += '.';
    out += d.digits.substr(intDigits);
    return out;
}

std::string FormatOneDecimal(double value)
{
    if (!std::isfinite(value))
        return nonFinite(value);
    const Decimal15 d = toDecimal15(value);
    if (d.zero)
        return "0.0";
    // Fixed-point digits of the 15-digit value: whole part and fraction.
    std::string whole;
    std::string fraction;
    const long points = static_cast<long>(d.exponent) + 1;  // digits before the decimal point
    if (points > 0) {
        const std::size_t n = static_cast<std::size_t>(points);
        whole = d.digits.substr(0, std::min(n, d.digits.size()));
        if (n > d.digits.size())
            whole.append(n - d.digits.size(), '0');
        else
            fraction = d.digits.substr(n);
    } else {
        whole = "0";
        fraction.assign(static_cast<std::size_t>(-points), '0');
        fraction += d.digits;
    }
    // Keep one decimal; the next digit decides, half away from zero.
    std::string kept = whole + (fraction.empty() ? '0' : fraction[0]);
    if (fraction.size() > 1 && fraction[1] >= '5') {
        std::size_t i = kept.size();
        while (i > 0) {
            --i;
            if (kept[i] == '9') {
                kept[i] = '0';
            } else {
                ++kept[i];
                break;
            }
            if (i == 0)
                kept.insert(kept.begin(), '1');
        }
    }
    const bool allZero = kept.find_first_not_of('0') == std::string::npos;
    std::string out = (d.negative && !allZero) ? "-" : "";
    out += kept.substr(0, kept.size() - 1);
    out += '.';
    out += kept.back();
    return out;
}

}  // namespace heatcalc
