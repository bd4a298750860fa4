#pragma once

#include <QIcon>

#include <string_view>

namespace heatcalc::ui {

// A window's icon by its resource name ("main", "exchanger", "unit", "weight", "table"); a null
// icon for any other name.
QIcon windowIcon(std::string_view name);

}  // namespace heatcalc::ui
