#pragma once

#include <functional>
#include <string>

namespace heatcalc {

// A moment of local time as the clock label shows it.
struct LocalTime {
    int year = 2000;
    int month = 1;  // 1..12
    int day = 1;    // 1..31
    int hour = 0;   // 0..23
    int minute = 0;
    int second = 0;
    int weekday = 0;  // 0 Sunday .. 6 Saturday
};

using Clock = std::function<LocalTime()>;

// The machine's local time now.
LocalTime SystemLocalTime();

// "2026年12月7日 21:25:55 星期1": date unpadded, the time as H:mm:ss, the weekday from 0 (Sunday).
std::string ClockCaption(const LocalTime& now);

}  // namespace heatcalc
