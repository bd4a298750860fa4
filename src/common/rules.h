#pragma once

#include <string_view>

#include "common/checked.h"

namespace heatcalc {

// A computed velocity or pump head below this is shown as a warning, above it as a number;
// exactly at it the shown field keeps its text.
inline constexpr double LowValueThreshold = 0.1;
inline constexpr std::string_view VelocityTooLow = "流速太低";
inline constexpr std::string_view HeadTooLow = "扬程太低";

// A list's value selects a table row by exact equality, one separate test per row.
inline bool ExactChoiceMatch(const Num& listValue, double key)
{
    return listValue == Num(key);
}

// A material name matches only the same text, code unit by code unit.
inline bool ExactChoiceMatch(std::string_view listText, std::string_view name)
{
    return listText == name;
}

}  // namespace heatcalc
