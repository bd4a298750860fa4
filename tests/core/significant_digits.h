#pragma once

#include <string>
#include <string_view>

// The significant digits of a number text as the number rules write it (mantissa before any "E"):
// what the stress test and the model fuzz target hold to at most 15.
inline int significantDigits(std::string_view text)
{
    std::string digits;
    for (char c : text) {
        if (c == 'E' || c == 'e')
            break;
        if (c >= '0' && c <= '9')
            digits.push_back(c);
    }
    const auto first = digits.find_first_not_of('0');
    if (first == std::string::npos)
        return 1;
    return static_cast<int>(digits.find_last_not_of('0') - first + 1);
}
