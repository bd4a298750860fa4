#include "common/controls.h"

namespace heatcalc {

std::string controlKey(const Control& c)
{
    std::string key(c.name);
    if (c.index >= 0)
        key += "(" + std::to_string(c.index) + ")";
    return key;
}

}  // namespace heatcalc
