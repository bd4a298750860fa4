#pragma once

#include <QPixmap>

#include <string_view>

namespace heatcalc {

// A reference picture by its name ("cable_open", "cable_soil", "busbar"), drawn from its table
// the first time it is asked for; a null pixmap for any other name.
QPixmap referencePicture(std::string_view name);

}  // namespace heatcalc
