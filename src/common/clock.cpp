#include "common/clock.h"

#include <cstdio>
#include <ctime>

namespace heatcalc {

LocalTime SystemLocalTime()
{
    const std::time_t t = std::time(nullptr);
    std::tm tm{};
    localtime_r(&t, &tm);
    return LocalTime{tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, tm.tm_hour, tm.tm_min, tm.tm_sec, tm.tm_wday};
}

std::string ClockCaption(const LocalTime& now)
{
    char time[32];
    std::snprintf(time, sizeof time, "%d:%02d:%02d", now.hour, now.minute, now.second);
    return std::to_string(now.year) + "年" + std::to_string(now.month) + "月" + std::to_string(now.day) + "日 " + time +
           " 星期" + std::to_string(now.weekday);
}

}  // namespace heatcalc
