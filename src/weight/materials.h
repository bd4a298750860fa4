#pragma once

#include <array>
#include <string_view>

namespace heatcalc {

// One material of the weight window's list and its density.
struct Material {
    std::string_view name;
    std::string_view density;  // kg/m3, written into the density field as it stands
};

// Material names with their densities, in the order of the list.
constexpr std::array<Material, 20> MaterialDensityTable{{
    {"灰铸铁（<HT200）", "7200"},
    {"灰铸铁（<HT250）", "7350"},
    {"白口铸铁", "7500"},
    {"可锻铸铁", "7400"},
    {"工业球纯铁", "7870"},
    {"铸钢", "7800"},
    {"铸材", "7850"},
    {"低碳钢（含碳0.1%）", "7850"},
    {"低碳钢（含碳0.4%）", "7820"},
    {"高碳钢（含碳1%）", "7810"},
    {"高碳钢（含碳9%）", "8300"},
    {"高碳钢（含碳18%）", "8700"},
    {"不锈钢（1CR18N19）", "7930"},
    {"不锈钢（1CR3）", "7750"},
    {"不锈钢（1CR17）", "7700"},
    {"纯铜（紫铜）", "8900"},
    {"工业纯铝", "2710"},
    {"铅板", "11340"},
    {"锡", "7300"},
    {"汞", "13600"},
}};

}  // namespace heatcalc
