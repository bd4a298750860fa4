#include "ui/design_widgets.h"

#include <QFontInfo>
#include <QFontMetrics>
#include <QHash>
#include <QImage>
#include <QKeyEvent>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <utility>

namespace heatcalc::ui {

namespace {

// The pixels each character of a text inks when drawn at the origin in the widget's font, in its
// coordinates: the rows and columns of its outline's coverage at the widget's resolution, the
// faint edge of any smoothing left out. Found once per font, resolution and character, by drawing
// it: the font's own glyph boxes are rounded outward by up to a pixel, too coarse where a rule
// runs a pixel from a character.
std::vector<QRect> glyphInks(const QWidget* widget, const QString& text)
{
    static QHash<QString, QHash<QChar, QRect>> known;
    const QFont& font = widget->font();
    const int dpi = widget->logicalDpiY();
    const qreal ratio = widget->devicePixelRatioF();
    QHash<QChar, QRect>& inks =
        known[font.key() + QLatin1Char('@') + QString::number(dpi) + QLatin1Char('x') + QString::number(ratio)];
    QString missing;
    for (const QChar c : text)
        if (!inks.contains(c) && !missing.contains(c))
            missing += c;
    if (!missing.isEmpty()) {
        // The missing characters in one row, a blank between each two, drawn at the widget's
        // resolution so that the font takes the same pixel size; each owns the columns from the
        // middle of the blank before it to the middle of the blank after it.
        const QFontMetrics fm(font);
        const int em = QFontInfo(font).pixelSize();
        const int blank = fm.horizontalAdvance(QLatin1Char(' '));
        QString row;
        std::vector<int> lefts;
        int x = em;
        for (const QChar c : missing) {
            if (!row.isEmpty())
                row += QLatin1Char(' ');
            row += c;
            lefts.push_back(x);
            x += fm.horizontalAdvance(c) + blank;
        }
        const QPoint origin(em, 2 * em);
        QImage image(QSize(x + em, 3 * em) * ratio, QImage::Format_RGB32);
        image.setDevicePixelRatio(ratio);
        image.setDotsPerMeterX(qRound(dpi / 0.0254));
        image.setDotsPerMeterY(qRound(dpi / 0.0254));
        image.fill(Qt::white);
        QPainter painter(&image);
        painter.setFont(font);
        painter.setPen(Qt::black);
        painter.drawText(origin, row);
        painter.end();
        for (qsizetype i = 0; i < missing.size(); ++i) {
            const int left = lefts[static_cast<std::size_t>(i)];
            const int first = left - blank / 2;
            const int end = left + fm.horizontalAdvance(missing[i]) + blank / 2;
            const int from = static_cast<int>(std::floor(first * ratio));
            const int to = static_cast<int>(std::ceil(end * ratio));
            QRect ink;
            for (int py = 0; py < image.height(); ++py) {
                const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(py));
                for (int px = std::max(0, from); px < std::min(image.width(), to); ++px)
                    if (std::min({qRed(line[px]), qGreen(line[px]), qBlue(line[px])}) < 192)
                        ink |= QRect(px, py, 1, 1);
            }
            // The device pixels inked, as the widget's pixels that hold them.
            if (!ink.isNull())
                ink = QRectF(QPointF(ink.topLeft()) / ratio, QSizeF(ink.size()) / ratio).toAlignedRect();
            inks.insert(missing[i], ink.translated(-left, -origin.y()));
        }
    }
    std::vector<QRect> out;
    out.reserve(static_cast<std::size_t>(text.size()));
    for (const QChar c : text)
        out.push_back(inks.value(c));
    return out;
}

}  // namespace

LineWidget::LineWidget(QPoint from, QPoint to, int penWidth, QWidget* parent)
    : QWidget(parent), from_(from), to_(to), pen_(penWidth)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    const int grow = (penWidth + 1) / 2;
    const QRect box = QRect(from, to).normalized().adjusted(-grow, -grow, grow + 1, grow + 1);
    setGeometry(box);
    from_ -= box.topLeft();
    to_ -= box.topLeft();
}

QRect LineWidget::stroke() const
{
    const int half = pen_ / 2;
    return QRect(from_ + pos(), to_ + pos()).normalized().adjusted(-half, -half, half, half);
}

void LineWidget::leaveGap(const QRect& area)
{
    gaps_ += area.translated(-pos());
}

void LineWidget::paintEvent(QPaintEvent*)
{
    if (placer_)
        std::exchange(placer_, {})();
    QPainter p(this);
    if (!gaps_.isEmpty())
        p.setClipRegion(QRegion(rect()).subtracted(gaps_));
    p.setPen(QPen(palette().color(QPalette::WindowText), pen_, Qt::SolidLine, Qt::SquareCap));
    p.drawLine(from_, to_);
}

std::vector<PlacedChar> FrameBox::titleLayout() const
{
    const QFontMetrics fm = fontMetrics();
    std::vector<PlacedChar> out;
    int x = titleLeft();
    for (const QChar c : title()) {
        const int w = fm.horizontalAdvance(c);
        const QRect cell(x, 0, w, fm.height());
        out.push_back({c, cell, cell.adjusted(-1, -1, 1, 1), QPoint(x, fm.ascent())});
        x += w;
    }
    return out;
}

std::vector<PlacedChar> FrameBox::drawnTitleLayout() const
{
    std::vector<PlacedChar> out = titleLayout();
    const std::vector<QRect> inks = glyphInks(this, title());
    for (std::size_t i = 0; i < out.size(); ++i)
        out[i].ink = inks[i].translated(out[i].origin);
    return out;
}

QList<QRect> FrameBox::edges() const
{
    const QRect b = border();
    return {QRect(b.left(), b.top(), b.width(), 2), QRect(b.left(), b.bottom() - 1, b.width(), 2),
            QRect(b.left(), b.top(), 2, b.height()), QRect(b.right() - 1, b.top(), 2, b.height())};
}

QRect FrameBox::border() const
{
    const int top = fontMetrics().height() / 2 - 1;
    return QRect(0, top, width(), height() - top);
}

void FrameBox::paintEvent(QPaintEvent*)
{
    if (placer_)
        std::exchange(placer_, {})(*this);
    QPainter p(this);
    QRegion clip = QRegion(rect()).subtracted(gaps_);
    const std::vector<PlacedChar> chars = titleLayout();
    if (!chars.empty())
        clip -= QRect(chars.front().cell.left() - 2, 0, chars.back().cell.right() - chars.front().cell.left() + 5,
                      fontMetrics().height());
    p.setClipRegion(clip);
    const QRect b = border();
    p.setPen(palette().color(QPalette::Dark));
    p.drawRect(b.adjusted(0, 0, -2, -2));
    p.setPen(palette().color(QPalette::Light));
    p.drawRect(b.adjusted(1, 1, -1, -1));
    p.setClipping(false);
    p.setFont(font());
    p.setPen(palette().color(QPalette::WindowText));
    for (const PlacedChar& pc : chars)
        p.drawText(pc.origin, QString(pc.c));
}

void CaptionLabel::setShift(QPoint shift)
{
    if (shift_ != shift) {
        shift_ = shift;
        update();
    }
}

std::vector<PlacedChar> CaptionLabel::layout(QPoint shift) const
{
    if (laidOutText_ != text() || laidOutWidth_ != width() || laidOutFont_ != font()) {
        laidOut_ = place();
        laidOutText_ = text();
        laidOutWidth_ = width();
        laidOutFont_ = font();
    }
    std::vector<PlacedChar> out = laidOut_;
    for (PlacedChar& pc : out) {
        pc.cell.translate(shift);
        pc.ink.translate(shift);
        pc.origin += shift;
    }
    return out;
}

std::vector<PlacedChar> CaptionLabel::layout()
{
    if (placer_ && placedText_ != text()) {
        placedText_ = text();
        placer_(*this, !everPlaced_);
        everPlaced_ = true;
    }
    return layout(shift_);
}

void CaptionLabel::useDrawnInk(const std::vector<QRect>& near)
{
    layout(QPoint(0, 0));
    QString chars;
    std::vector<std::size_t> which;
    for (std::size_t i = 0; i < laidOut_.size(); ++i) {
        const QRect around = laidOut_[i].ink.adjusted(-4, -4, 4, 4);
        if (std::any_of(near.begin(), near.end(), [&](const QRect& r) { return r.intersects(around); })) {
            chars += laidOut_[i].c;
            which.push_back(i);
        }
    }
    const std::vector<QRect> inks = glyphInks(this, chars);
    for (std::size_t k = 0; k < which.size(); ++k)
        laidOut_[which[k]].ink = inks[k].translated(laidOut_[which[k]].origin);
}

void CaptionLabel::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setFont(font());
    p.setPen(palette().color(QPalette::WindowText));
    for (const PlacedChar& pc : layout())
        p.drawText(pc.origin, QString(pc.c));
}

int CaptionLabel::em() const
{
    const QFont f = font();
    return f.pixelSize() > 0 ? f.pixelSize() : qRound(f.pointSizeF() * logicalDpiY() / 72.0);
}

int CaptionLabel::advance(QChar c) const
{
    return c == QLatin1Char(' ') ? em() / 2 : fontMetrics().horizontalAdvance(c);
}

QStringList CaptionLabel::lines() const
{
    if (!wordWrap())
        return {text()};
    // Words: a run of Latin letters and digits stays together; every other character is a word of
    // its own.
    QStringList words;
    for (const QChar c : text()) {
        const bool latin = c.unicode() < 0x80 && c != QLatin1Char(' ');
        if (latin && !words.isEmpty() && !words.back().isEmpty() && words.back().back().unicode() < 0x80 &&
            words.back().back() != QLatin1Char(' '))
            words.back() += c;
        else
            words << QString(c);
    }
    QStringList out{QString()};
    int x = 0;
    for (const QString& word : words) {
        int w = 0;
        for (const QChar c : word)
            w += advance(c);
        if (x > 0 && x + w > width()) {
            out << QString();
            x = 0;
        }
        if (x == 0 && out.size() > 1 && word == QLatin1String(" "))
            continue;  // a wrapped line starts at its first character
        out.back() += word;
        x += w;
    }
    return out;
}

std::vector<PlacedChar> CaptionLabel::place() const
{
    // The designed baseline, a pixel lower for a bold face, which the stand-in fonts make from a
    // regular one a pixel taller, so that no character loses its top.
    const int bold = font().bold() ? 1 : 0;
    const int baseline = (em() * 7 + 4) / 8 + bold;
    std::vector<PlacedChar> out;
    int y = 0;
    for (const QString& line : lines()) {
        int x = 0;
        for (const QChar c : line) {
            const int w = advance(c);
            if (c != QLatin1Char(' ')) {
                const QRect cell(x, y, w, em() + bold);
                out.push_back({c, cell, cell.adjusted(-1, -1, 1, 1), QPoint(x, y + baseline)});
            }
            x += w;
        }
        y += lineStep();
    }
    return out;
}

void CommandButton::setCaption(const QString& caption)
{
    const QFontMetrics fm = fontMetrics();
    const int room = width() - 6;
    if (fm.horizontalAdvance(caption) <= room) {
        setText(caption);
        return;
    }
    QString out;
    QString line;
    for (const QChar c : caption) {
        if (!line.isEmpty() && fm.horizontalAdvance(line + c) > room) {
            out += line.trimmed() + QLatin1Char('\n');
            line.clear();
        }
        line += c;
    }
    setText(out + line.trimmed());
}

void CommandButton::keyPressEvent(QKeyEvent* event)
{
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
        event->accept();
        if (!event->isAutoRepeat())
            click();
        return;
    }
    QPushButton::keyPressEvent(event);
}

PictureBox::PictureBox(std::string pictureName, QWidget* parent) : QLabel(parent), name_(std::move(pictureName))
{
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
}

}  // namespace heatcalc::ui
