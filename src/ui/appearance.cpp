#include "ui/appearance.h"

#include <QPalette>
#include <QStringList>

namespace heatcalc::ui {

QFont designFont(const Font& font, const QFont& windowDefault)
{
    QFont f = windowDefault;
    if (font.face == FontFace::SongTi)
        f.setFamilies({QStringLiteral("SimSun"), QStringLiteral("AR PL UMing CN"), QStringLiteral("Noto Serif CJK SC")});
    else if (font.face == FontFace::HeiTi)
        f.setFamilies({QStringLiteral("SimHei"), QStringLiteral("WenQuanYi Zen Hei"), QStringLiteral("Noto Sans CJK SC")});
    if (font.points > 0)
        f.setPointSizeF(font.points);
    f.setBold(font.bold);
    return f;
}

QColor designColour(const Colour& colour, const QPalette& palette)
{
    switch (colour.source) {
    case Colour::Source::Default:
        return {};
    case Colour::Source::Rgb:
        return QColor(colour.r, colour.g, colour.b);
    case Colour::Source::System:
        switch (colour.system) {
        case SystemColour::ScrollBar:
            return QColor(212, 208, 200);
        case SystemColour::ThreeDLight:
            return palette.color(QPalette::Midlight);
        case SystemColour::WindowFrame:
            return palette.color(QPalette::WindowText);
        case SystemColour::AppWorkspace:
            return palette.color(QPalette::Dark);
        }
    }
    return {};
}

}  // namespace heatcalc::ui
