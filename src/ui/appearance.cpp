#include "ui/appearance.h"

#include <QFontDatabase>
#include <QPalette>

#include "ui/platform.h"

#include <algorithm>

namespace heatcalc::ui {

namespace {

// 宋体 and 黑体 first, then stand-ins with the same half-width Latin letters, then a last resort
// whose letters are wider.
const QStringList& songTi()
{
    static const QStringList families{QStringLiteral("SimSun"), QStringLiteral("AR PL UMing CN"),
                                      QStringLiteral("Noto Serif CJK SC")};
    return families;
}

const QStringList& heiTi()
{
    static const QStringList families{QStringLiteral("SimHei"), QStringLiteral("WenQuanYi Zen Hei"),
                                      QStringLiteral("Noto Sans CJK SC")};
    return families;
}

bool anyInstalled(const QStringList& families)
{
    const QStringList installed = QFontDatabase::families();
    return std::any_of(families.begin(), families.end(),
                       [&](const QString& f) { return installed.contains(f, Qt::CaseInsensitive); });
}

}  // namespace

QFont designFont(const Font& font, const QFont& windowDefault)
{
    QFont f = windowDefault;
    auto strategy = QFont::StyleStrategy(windowDefault.styleStrategy() & QFont::NoFontMerging);
    if (font.face == FontFace::SongTi || font.face == FontFace::HeiTi) {
        const bool song = font.face == FontFace::SongTi;
        f.setFamilies(song ? songTi() : heiTi());
        // Each of these fonts carries every character the windows show. Where one is installed,
        // the font takes no characters from other families, which spares the first opening of a
        // window a search through every installed font for a list of substitutes.
        static const bool songInstalled = anyInstalled(songTi());
        static const bool heiInstalled = anyInstalled(heiTi());
        strategy = (song ? songInstalled : heiInstalled) ? QFont::NoFontMerging : QFont::PreferDefault;
    }
    if (font.points > 0)
        f.setPointSizeF(font.points);
    f.setBold(font.bold);
    // 宋体 at the small sizes (up to 12 pt, 16 pixels) is a face made for the pixel grid: its
    // regular strokes are drawn whole pixels wide and black, unsmoothed and fully hinted. Smoothed,
    // the thin strokes of its stand-in reach no darker than mid-grey, and a button looks disabled.
    // Bold and larger text keeps its smoothing.
    const bool song = font.face == FontFace::SongTi || (font.face == FontFace::Default && f.families() == songTi());
    const bool crisp = song && !font.bold && f.pointSizeF() <= 12;
    f.setStyleStrategy(crisp ? QFont::StyleStrategy(strategy | QFont::NoAntialias) : strategy);
    f.setHintingPreference(crisp ? QFont::PreferFullHinting : QFont::PreferDefaultHinting);
    return f;
}

bool chineseCaptionFontInstalled(const QStringList& families, const QStringList& simplifiedChineseFamilies)
{
    if (!simplifiedChineseFamilies.isEmpty())
        return true;
    for (const QString& family : songTi() + heiTi())
        if (families.contains(family, Qt::CaseInsensitive))
            return true;
    return false;
}

void warnIfNoChineseCaptionFont(QWidget* owner)
{
    if (chineseCaptionFontInstalled(QFontDatabase::families(),
                                    QFontDatabase::families(QFontDatabase::SimplifiedChinese)))
        return;
    // In English first, and an English button: without the font the Chinese words show as boxes
    // as well, the translated button's caption among them.
    warn(owner, QStringLiteral("No Chinese font / 缺少中文字体"),
         QStringLiteral(
             "No font for the Chinese captions is installed: every caption shows as empty boxes.\n"
             "Install the font packages fonts-arphic-uming and fonts-wqy-zenhei (scripts/setup installs "
             "them) and start the program again.\n\n"
             "未安装中文字体，窗口的文字显示为方框。请安装字体软件包 fonts-arphic-uming 和 fonts-wqy-zenhei。"),
         QStringLiteral("OK"));
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
