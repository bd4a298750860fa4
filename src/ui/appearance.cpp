#include "ui/appearance.h"

#include <QFontDatabase>
#include <QPalette>

#include "ui/platform.h"

namespace heatcalc::ui {

namespace {

// 宋体 and 黑体, and the families that stand in for them, in the order they are tried.
const QStringList SongTiFamilies{QStringLiteral("SimSun"), QStringLiteral("Noto Serif CJK SC"), QStringLiteral("AR PL UMing CN")};
const QStringList HeiTiFamilies{QStringLiteral("SimHei"), QStringLiteral("Noto Sans CJK SC"), QStringLiteral("WenQuanYi Zen Hei")};

}  // namespace

QFont designFont(const Font& font, const QFont& windowDefault)
{
    QFont f = windowDefault;
    if (font.face == FontFace::SongTi)
        f.setFamilies(SongTiFamilies);
    else if (font.face == FontFace::HeiTi)
        f.setFamilies(HeiTiFamilies);
    if (font.points > 0)
        f.setPointSizeF(font.points);
    f.setBold(font.bold);
    return f;
}

bool chineseCaptionFontInstalled(const QStringList& families, const QStringList& simplifiedChineseFamilies)
{
    if (!simplifiedChineseFamilies.isEmpty())
        return true;
    for (const QString& family : SongTiFamilies + HeiTiFamilies)
        if (families.contains(family, Qt::CaseInsensitive))
            return true;
    return false;
}

void warnIfNoChineseCaptionFont(QWidget* owner)
{
    if (chineseCaptionFontInstalled(QFontDatabase::families(), QFontDatabase::families(QFontDatabase::SimplifiedChinese)))
        return;
    // In English first: without the font the Chinese words show as boxes as well.
    warn(owner, QStringLiteral("No Chinese font / 缺少中文字体"),
         QStringLiteral("No font for the Chinese captions is installed: every caption shows as empty boxes.\n"
                        "Install the font packages fonts-arphic-uming and fonts-wqy-zenhei (scripts/setup installs "
                        "them) and start the program again.\n\n"
                        "未安装中文字体，窗口的文字显示为方框。请安装字体软件包 fonts-arphic-uming 和 fonts-wqy-zenhei。"));
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
