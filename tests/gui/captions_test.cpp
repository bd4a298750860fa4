#include <QGroupBox>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QtMath>

#include "gui_support.h"

using heatcalc::ChildKind;
using heatcalc::MDIForm1;

// Every caption of every window is drawn whole inside its box with the fonts the setup installs,
// and no rule or frame border crosses or touches a character.
class CaptionsTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void standInsHaveTheDesignFontsMetrics();
    void standInsCarryEveryCharacterShown_data();
    void standInsCarryEveryCharacterShown();
    void everyCaptionFitsItsBox_data();
    void everyCaptionFitsItsBox();
    void noRuleCrossesACharacter_data();
    void noRuleCrossesACharacter();
    void regularTextIsDrawnBlack();

private:
    heatcalc::ui::FormWidget* open(ChildKind kind);
    std::unique_ptr<MDIForm1> main_;
};

namespace {

QString keyName(const heatcalc::Control& c)
{
    return QString::fromStdString(heatcalc::controlKey(c));
}

void addKinds()
{
    QTest::addColumn<ChildKind>("kind");
    QTest::newRow("Fo") << ChildKind::Fo;
    QTest::newRow("Fo23") << ChildKind::Fo23;
    QTest::newRow("Form1") << ChildKind::Form1;
    QTest::newRow("Form2") << ChildKind::Form2;
    QTest::newRow("Form3") << ChildKind::Form3;
    QTest::newRow("Form4") << ChildKind::Form4;
}

// The pixels a widget paints by itself (no background, no children), at the screen's resolution,
// in the window's device pixels; with `within`, only those inside (true) or outside (false) the
// rectangles given in the widget's coordinates.
QList<QPoint> inkOf(QWidget* w, QWidget* form, const QList<QRect>& cells = {}, bool within = true)
{
    const qreal ratio = w->devicePixelRatioF();
    QImage image(w->size() * ratio, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::transparent);
    w->render(&image, QPoint(), QRegion(), QWidget::RenderFlags());
    const QColor back = w->autoFillBackground() ? w->palette().color(w->backgroundRole()) : QColor(Qt::transparent);
    const QPoint origin = (QPointF(w->mapTo(form, QPoint(0, 0))) * ratio).toPoint();
    QList<QPoint> ink;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (c.alpha() < 64)
                continue;
            if (back.alpha() > 0 &&
                std::abs(c.red() - back.red()) + std::abs(c.green() - back.green()) + std::abs(c.blue() - back.blue()) <
                    96)
                continue;
            if (!cells.isEmpty()) {
                const QPointF centre = QPointF(x + 0.5, y + 0.5) / ratio;
                bool in = false;
                for (const QRect& cell : cells)
                    in = in || QRectF(cell).contains(centre);
                if (in != within)
                    continue;
            }
            ink.append(QPoint(x, y) + origin);
        }
    }
    return ink;
}

}  // namespace

void CaptionsTest::initTestCase()
{
    main_ = std::make_unique<MDIForm1>();
    main_->resize(1400, 1000);
    main_->show();
    QVERIFY(QTest::qWaitForWindowExposed(main_.get()));
}

heatcalc::ui::FormWidget* CaptionsTest::open(ChildKind kind)
{
    main_->ShowChildForm(kind);
    auto* form = formOf(main_->childWindow(kind));
    // The whole window drawn once, as scrolling through it draws it.
    if (form)
        form->grab();
    return form;
}

// 宋体 and 黑体 set Latin letters and digits at half the width of a Chinese character; the designed
// unit labels are sized for that.
void CaptionsTest::standInsHaveTheDesignFontsMetrics()
{
    auto* plate = open(ChildKind::Fo);
    QVERIFY(plate);
    const QFont song = plate->control("Label15")->font();
    const QFontMetrics fm(song);
    QCOMPARE(fm.horizontalAdvance(QStringLiteral("M")) * 2, fm.horizontalAdvance(QStringLiteral("万")));
    QCOMPARE(fm.horizontalAdvance(QStringLiteral("W/M2℃")), fm.horizontalAdvance(QStringLiteral("万")) * 3);
    const QFont bold = plate->control("Label3(0)")->font();
    QVERIFY(bold.bold());
    QCOMPARE(QFontMetrics(bold).horizontalAdvance(QStringLiteral("K")) * 2,
             QFontMetrics(bold).horizontalAdvance(QStringLiteral("值")));
}

void CaptionsTest::standInsCarryEveryCharacterShown_data()
{
    addKinds();
}

// The stand-in fonts take no characters from other fonts: every character a window shows, its
// design texts, list items, numbers and warnings, is in the font of the control that shows it.
void CaptionsTest::standInsCarryEveryCharacterShown()
{
    QFETCH(ChildKind, kind);
    auto* form = open(kind);
    QVERIFY(form);
    QStringList missing;
    for (const heatcalc::Control& c : form->design().controls) {
        QWidget* w = form->control(heatcalc::controlKey(c));
        if (!w || c.kind == heatcalc::ControlKind::Line || c.kind == heatcalc::ControlKind::PictureBox)
            continue;
        QString shown = QString::fromUtf8(c.text.data(), static_cast<qsizetype>(c.text.size()));
        for (std::string_view item : c.items)
            shown += QString::fromUtf8(item.data(), static_cast<qsizetype>(item.size()));
        if (c.kind == heatcalc::ControlKind::TextBox || c.kind == heatcalc::ControlKind::ComboBox)
            shown += QStringLiteral("0123456789.-+eE流速太低扬程太低");
        const QFontMetrics fm(w->font());
        for (const QChar ch : shown)
            if (ch != QLatin1Char(' ') && !fm.inFont(ch))
                missing << keyName(c) + QLatin1Char(' ') + ch;
    }
    QVERIFY2(missing.isEmpty(), qPrintable(missing.join(QStringLiteral(", "))));
}

void CaptionsTest::everyCaptionFitsItsBox_data()
{
    addKinds();
}

void CaptionsTest::everyCaptionFitsItsBox()
{
    QFETCH(ChildKind, kind);
    auto* form = open(kind);
    QVERIFY(form);
    int captions = 0;
    QStringList cut;
    for (const heatcalc::Control& c : form->design().controls) {
        QWidget* w = form->control(heatcalc::controlKey(c));
        if (!w || c.kind == heatcalc::ControlKind::PictureBox)
            continue;
        const QString name = keyName(c);
        if (c.kind == heatcalc::ControlKind::Label || c.kind == heatcalc::ControlKind::Frame) {
            const bool frame = c.kind == heatcalc::ControlKind::Frame;
            const QString text = frame ? qobject_cast<QGroupBox*>(w)->title() : qobject_cast<QLabel*>(w)->text();
            const QList<QRect> cells = heatcalc::ui::captionCells(w);
            // Every character is laid out; a label's blanks take room but are not drawn.
            QCOMPARE(cells.size(), text.size() - (frame ? 0 : text.count(QLatin1Char(' '))));
            // The box the caption is seen in: its own, cut by the frame or window that holds it.
            const QRect seen = w->rect() & QRect(w->mapFromParent(QPoint(0, 0)), w->parentWidget()->size());
            for (const QRect& cell : cells) {
                if (!seen.contains(cell)) {
                    cut << QStringLiteral("%1 \"%2\" (%3x%4 seen, a character at %5,%6 %7x%8)")
                               .arg(name, text)
                               .arg(seen.width())
                               .arg(seen.height())
                               .arg(cell.x())
                               .arg(cell.y())
                               .arg(cell.width())
                               .arg(cell.height());
                    break;
                }
            }
            ++captions;
        } else if (c.kind == heatcalc::ControlKind::CommandButton) {
            auto* button = qobject_cast<QPushButton*>(w);
            QStyleOptionButton option;
            option.initFrom(button);
            option.text = button->text();
            const QRect room = button->style()->subElementRect(QStyle::SE_PushButtonContents, &option, button);
            const QFontMetrics fm = button->fontMetrics();
            const QStringList lines = button->text().split(QLatin1Char('\n'));
            bool fits = static_cast<int>(lines.size()) * fm.height() <= room.height();
            for (const QString& line : lines)
                fits = fits && fm.horizontalAdvance(line) <= room.width();
            if (!fits)
                cut << QStringLiteral("%1 \"%2\" (%3x%4)")
                           .arg(name, button->text())
                           .arg(room.width())
                           .arg(room.height());
            ++captions;
        }
    }
    QVERIFY(captions > 0);
    QVERIFY2(cut.isEmpty(), qPrintable(cut.join(QStringLiteral("; "))));
}

void CaptionsTest::noRuleCrossesACharacter_data()
{
    addKinds();
}

void CaptionsTest::noRuleCrossesACharacter()
{
    QFETCH(ChildKind, kind);
    auto* form = open(kind);
    QVERIFY(form);
    // Every caption pixel, grown by one pixel on every side, marked with the caption it belongs to.
    const int width = qCeil(form->width() * form->devicePixelRatioF());
    const int height = qCeil(form->height() * form->devicePixelRatioF());
    std::vector<int> near(static_cast<std::size_t>(width * height), 0);
    auto at = [&](int x, int y) -> int* {
        return x < 0 || y < 0 || x >= width || y >= height ? nullptr : &near[static_cast<std::size_t>(y * width + x)];
    };
    QStringList owners{QString()};
    QList<std::pair<QString, QList<QPoint>>> rules;
    for (const heatcalc::Control& c : form->design().controls) {
        QWidget* w = form->control(heatcalc::controlKey(c));
        if (!w || c.kind == heatcalc::ControlKind::PictureBox)
            continue;
        QList<QPoint> caption;
        if (c.kind == heatcalc::ControlKind::Label) {
            caption = inkOf(w, form);
        } else if (c.kind == heatcalc::ControlKind::Frame) {
            // The frame's title is a caption, the rest of what it draws its border; at a fractional
            // scale a character's ink may reach a pixel beyond its cell, where no border is drawn.
            QList<QRect> title;
            for (const QRect& cell : heatcalc::ui::captionCells(w))
                title << cell.adjusted(-1, -1, 1, 1);
            caption = inkOf(w, form, title, true);
            rules.append({keyName(c), inkOf(w, form, title, false)});
            QVERIFY2(!rules.back().second.isEmpty(), qPrintable(keyName(c)));
        } else if (c.kind == heatcalc::ControlKind::Line) {
            rules.append({keyName(c), inkOf(w, form)});
            QVERIFY2(!rules.back().second.isEmpty(), qPrintable(keyName(c)));
            continue;
        } else {
            continue;
        }
        owners << keyName(c);
        for (const QPoint& p : caption)
            for (int dy = -1; dy <= 1; ++dy)
                for (int dx = -1; dx <= 1; ++dx)
                    if (int* cell = at(p.x() + dx, p.y() + dy))
                        *cell = static_cast<int>(owners.size()) - 1;
    }
    QStringList crossings;
    for (const auto& [rule, pixels] : rules) {
        for (const QPoint& p : pixels) {
            const int* owner = at(p.x(), p.y());
            if (owner && *owner != 0) {
                crossings << QStringLiteral("%1 at %2,%3 meets %4").arg(rule).arg(p.x()).arg(p.y()).arg(owners[*owner]);
                break;
            }
        }
    }
    QVERIFY2(crossings.isEmpty(), qPrintable(crossings.join(QStringLiteral("; "))));
}

// The regular-weight texts of the small 宋体 sizes (a unit label, the hint, a field's number, a
// button's caption) reach black, as the designed face draws them, not the grey of smoothed thin
// strokes that makes a button look disabled.
void CaptionsTest::regularTextIsDrawnBlack()
{
    auto* unit = open(ChildKind::Form1);
    QVERIFY(unit);
    for (const char* key : {"Label12", "Label26", "Text11", "Command1"}) {
        QWidget* w = unit->control(key);
        QVERIFY2(w && !w->font().bold(), key);
        // The darkest pixel the widget draws, away from its frame.
        const QImage image = w->grab().toImage().convertToFormat(QImage::Format_RGB32);
        const qreal ratio = image.devicePixelRatio();
        const QRect inside =
            QRect(QPoint(0, 0), image.size())
                .adjusted(qRound(3 * ratio), qRound(3 * ratio), -qRound(3 * ratio), -qRound(3 * ratio));
        int darkest = 255;
        for (int y = inside.top(); y <= inside.bottom(); ++y)
            for (int x = inside.left(); x <= inside.right(); ++x) {
                const QRgb p = image.pixel(x, y);
                darkest = std::min(darkest, std::max({qRed(p), qGreen(p), qBlue(p)}));
            }
        QVERIFY2(darkest < 0x30, qPrintable(QStringLiteral("%1: darkest #%2").arg(key).arg(darkest, 2, 16)));
    }
}

QTEST_MAIN(CaptionsTest)
#include "captions_test.moc"
