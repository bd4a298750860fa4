#include "ui/appearance.h"

// Placeholders until the icons and reference pictures are drawn.
namespace heatcalc::ui {

QIcon windowIcon(std::string_view)
{
    return {};
}

QPixmap referencePicture(std::string_view)
{
    return {};
}

}  // namespace heatcalc::ui
