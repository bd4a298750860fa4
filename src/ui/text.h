#pragma once

#include <QString>

#include <string_view>

namespace heatcalc::ui {

// The program's texts are UTF-8 (design captions, list items, reference table labels).
inline QString qs(std::string_view s)
{
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

}  // namespace heatcalc::ui
