#include "common/heat.h"

namespace heatcalc {

void LogMeanTempDiff(const EndDifference& a, const EndDifference& b, const std::function<void(const Num&)>& write)
{
    if (b() < a())
        write((a() - b()) / Log(a() / b()));
    if (b() > a())
        write((b() - a()) / Log(b() / a()));
    if (b() == a())
        write(a());
}

}  // namespace heatcalc
