#include <QPixmap>
#include <QString>

#include "ui/icons.h"
#include "ui/text.h"

// The window icons: 32 × 32 pictures in 16 colours, kept as XPM text in the program's resources
// under :/icons/<name>.xpm ("main", "exchanger", "unit", "weight", "table").

namespace heatcalc::ui {

QIcon windowIcon(std::string_view name)
{
    const QString path = QStringLiteral(":/icons/") + qs(name) + QStringLiteral(".xpm");
    const QPixmap picture(path, "XPM");
    if (picture.isNull())
        return {};
    return QIcon(picture);
}

}  // namespace heatcalc::ui
