#include "ui/form_widget.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QFontInfo>
#include <QFontMetrics>
#include <QGroupBox>
#include <QHash>
#include <QImage>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QScrollArea>
#include <QTimer>

#include <algorithm>
#include <functional>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

#include "ui/appearance.h"
#include "ui/failure_report.h"
#include "ui/platform.h"
#include "ui/text.h"

namespace heatcalc::ui {

namespace {

// A decorative line; it takes no clicks and paints nothing else. Where a caption's characters
// would touch it, it leaves a gap.
class LineWidget : public QWidget {
public:
    LineWidget(QPoint from, QPoint to, int penWidth, QWidget* parent)
        : QWidget(parent), from_(from), to_(to), pen_(penWidth)
    {
        setAttribute(Qt::WA_TransparentForMouseEvents);
        const int grow = (penWidth + 1) / 2;
        const QRect box = QRect(from, to).normalized().adjusted(-grow, -grow, grow + 1, grow + 1);
        setGeometry(box);
        from_ -= box.topLeft();
        to_ -= box.topLeft();
    }

    // The pixels the line covers, in its parent's coordinates.
    QRect stroke() const
    {
        const int half = pen_ / 2;
        return QRect(from_ + pos(), to_ + pos()).normalized().adjusted(-half, -half, half, half);
    }

    // Leaves the part of the line inside the rectangle (parent's coordinates) unpainted.
    void leaveGap(const QRect& area) { gaps_ += area.translated(-pos()); }

    // Called once, before the line is first drawn, to place the captions near it.
    void setPlacer(std::function<void()> placer) { placer_ = std::move(placer); }

protected:
    void paintEvent(QPaintEvent*) override
    {
        if (placer_)
            std::exchange(placer_, {})();
        QPainter p(this);
        if (!gaps_.isEmpty())
            p.setClipRegion(QRegion(rect()).subtracted(gaps_));
        p.setPen(QPen(palette().color(QPalette::WindowText), pen_, Qt::SolidLine, Qt::SquareCap));
        p.drawLine(from_, to_);
    }

private:
    QPoint from_, to_;
    int pen_;
    QRegion gaps_;
    std::function<void()> placer_;
};

// The pixels each character of a text inks when drawn at the origin in the widget's font: the rows
// and columns of its outline's coverage, the faint edge of the smoothing left out. Found once per
// font and character, by drawing it: the font's own glyph boxes are rounded outward by up to a
// pixel, too coarse where a rule runs a pixel from a character.
std::vector<QRect> glyphInks(const QWidget* widget, const QString& text)
{
    static QHash<QString, QHash<QChar, QRect>> known;
    const QFont& font = widget->font();
    const int dpi = widget->logicalDpiY();
    QHash<QChar, QRect>& inks = known[font.key() + QLatin1Char('@') + QString::number(dpi)];
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
        QImage image(x + em, 3 * em, QImage::Format_RGB32);
        image.setDotsPerMeterX(qRound(dpi / 0.0254));
        image.setDotsPerMeterY(qRound(dpi / 0.0254));
        image.fill(Qt::white);
        QPainter painter(&image);
        painter.setFont(font);
        painter.setPen(Qt::black);
        painter.drawText(origin, row);
        painter.end();
        for (qsizetype i = 0; i < missing.size(); ++i) {
            const int from = lefts[static_cast<std::size_t>(i)] - blank / 2;
            const int to = lefts[static_cast<std::size_t>(i)] + fm.horizontalAdvance(missing[i]) + blank / 2;
            QRect ink;
            for (int py = 0; py < image.height(); ++py) {
                const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(py));
                for (int px = std::max(0, from); px < std::min(image.width(), to); ++px)
                    if (std::min({qRed(line[px]), qGreen(line[px]), qBlue(line[px])}) < 192)
                        ink |= QRect(px, py, 1, 1);
            }
            inks.insert(missing[i], ink.translated(-lefts[static_cast<std::size_t>(i)], -origin.y()));
        }
    }
    std::vector<QRect> out;
    out.reserve(static_cast<std::size_t>(text.size()));
    for (const QChar c : text)
        out.push_back(inks.value(c));
    return out;
}

// A character of a caption where the renderer draws it: its cell (its advance wide and a line of
// the font high), the rectangle its ink lies in and the baseline point it is drawn at. Until the
// ink has been drawn (glyphInks), the cell grown by a pixel on every side stands for it: no
// character inks beyond that.
struct PlacedChar {
    QChar c;
    QRect cell;
    QRect ink;
    QPoint origin;
};

// A frame as the design draws it: an etched border whose top edge runs through the middle of the
// title, and the title at the top left with the border broken around it. The whole title is
// always drawn: nothing is elided.
class FrameBox : public QGroupBox {
public:
    using QGroupBox::QGroupBox;

    // Called once, before the frame is first drawn, to keep its title and the captions near its
    // border clear of the rules.
    void setPlacer(std::function<void(FrameBox&)> placer) { placer_ = std::move(placer); }

    // The title's characters, in the frame's coordinates.
    std::vector<PlacedChar> titleLayout() const
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

    // The title's characters with their ink to the pixel.
    std::vector<PlacedChar> drawnTitleLayout() const
    {
        std::vector<PlacedChar> out = titleLayout();
        const std::vector<QRect> inks = glyphInks(this, title());
        for (std::size_t i = 0; i < out.size(); ++i)
            out[i].ink = inks[i].translated(out[i].origin);
        return out;
    }

    // The four edges of the border, each two pixels wide, in the frame's coordinates.
    QList<QRect> edges() const
    {
        const QRect b = border();
        return {QRect(b.left(), b.top(), b.width(), 2), QRect(b.left(), b.bottom() - 1, b.width(), 2),
                QRect(b.left(), b.top(), 2, b.height()), QRect(b.right() - 1, b.top(), 2, b.height())};
    }

    // Leaves the part of the border inside the rectangle (frame coordinates) unpainted.
    void leaveGap(const QRect& area) { gaps_ += area; }

protected:
    void paintEvent(QPaintEvent*) override
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

private:
    int titleLeft() const { return fontMetrics().height() / 2; }
    QRect border() const
    {
        const int top = fontMetrics().height() / 2 - 1;
        return QRect(0, top, width(), height() - top);
    }

    QRegion gaps_;
    std::function<void(FrameBox&)> placer_;
};

// A caption laid out as on the design: characters a font size apart line by line, a blank half
// as wide as a character, and the lines broken where the next character or word no longer fits.
// The stand-in CJK fonts keep a much larger line gap than the designed font, which would push a
// two-line caption out of its box; the caption keeps the designed spacing instead. The text may be
// drawn a pixel or two off its place inside the box, to keep it clear of the rules around it.
class CaptionLabel : public QLabel {
public:
    using QLabel::QLabel;

    // Called before the caption is first drawn, and again when its text has changed, to place it
    // clear of the rules; told whether it is the first time.
    void setPlacer(std::function<void(CaptionLabel&, bool first)> placer) { placer_ = std::move(placer); }

    // The height one line of this label's font needs.
    int lineStep() const { return em() + 1; }

    void setShift(QPoint shift)
    {
        if (shift_ != shift) {
            shift_ = shift;
            update();
        }
    }

    // Each character where it is drawn, blanks left out, in the label's coordinates, moved by the
    // shift given.
    std::vector<PlacedChar> layout(QPoint shift) const
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
    // The characters where they are drawn.
    std::vector<PlacedChar> layout()
    {
        if (placer_ && placedText_ != text()) {
            placedText_ = text();
            placer_(*this, !everPlaced_);
            everPlaced_ = true;
        }
        return layout(shift_);
    }

    // Takes the ink of each character that lies near one of the areas (label coordinates) to the
    // pixel, by drawing it, instead of its cell.
    void useDrawnInk(const std::vector<QRect>& near)
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

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        p.setFont(font());
        p.setPen(palette().color(QPalette::WindowText));
        for (const PlacedChar& pc : layout())
            p.drawText(pc.origin, QString(pc.c));
    }

private:
    // The font's size in pixels.
    int em() const
    {
        const QFont f = font();
        return f.pixelSize() > 0 ? f.pixelSize() : qRound(f.pointSizeF() * logicalDpiY() / 72.0);
    }

    int advance(QChar c) const { return c == QLatin1Char(' ') ? em() / 2 : fontMetrics().horizontalAdvance(c); }

    QStringList lines() const
    {
        if (!wordWrap())
            return {text()};
        // Words: a run of Latin letters and digits stays together; every other character is
        // a word of its own.
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

    std::vector<PlacedChar> place() const
    {
        // The designed baseline, a pixel lower for a bold face, which the stand-in fonts make from
        // a regular one a pixel taller, so that no character loses its top.
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

    QPoint shift_;
    std::function<void(CaptionLabel&, bool)> placer_;
    QString placedText_;
    bool everPlaced_ = false;
    mutable std::vector<PlacedChar> laidOut_;
    mutable QString laidOutText_;
    mutable int laidOutWidth_ = -1;
    mutable QFont laidOutFont_;
};

// An editable list: its text part keeps exactly what is typed, with no completion, and its
// handler runs only when the user picks an item from the open drop-down, with the mouse or with
// the arrow keys and Enter. Qt's combo box also reports an item as chosen when the typed text
// equals an item and the field loses the focus, takes Enter or opens its drop-down, and when the
// arrow keys or the wheel step through the items of the closed list; none of those is a pick
// here, and none of them may change the text behind the user's back.
class ListBox : public QComboBox {
public:
    ListBox(QWidget* parent, std::function<void(const QString& item)> picked)
        : QComboBox(parent), picked_(std::move(picked))
    {
        setEditable(true);
        setInsertPolicy(QComboBox::NoInsert);
        setCompleter(nullptr);
        connect(this, &QComboBox::activated, this, [this](int index) {
            if (!picking_)
                return;
            picking_ = false;
            picked_(itemText(index));
        });
    }

    void showPopup() override
    {
        // The drop-down takes a click or Enter on an item by closing itself and then reporting the
        // item. It exists once view() has been asked for; this filter, installed after its own,
        // sees those events first.
        if (!watching_) {
            view()->installEventFilter(this);
            view()->viewport()->installEventFilter(this);
            watching_ = true;
        }
        QComboBox::showPopup();
    }

    void hidePopup() override
    {
        const bool pick = pickEvent_;
        pickEvent_ = false;
        QComboBox::hidePopup();
        // The item the drop-down reports right after closing on a click or Enter is a pick.
        if (pick) {
            picking_ = true;
            QTimer::singleShot(0, this, [this] { picking_ = false; });
        }
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched == view() || watched == view()->viewport()) {
            const QEvent::Type type = event->type();
            const int key = type == QEvent::ShortcutOverride ? static_cast<QKeyEvent*>(event)->key() : 0;
            if (type == QEvent::MouseButtonRelease || key == Qt::Key_Return || key == Qt::Key_Enter) {
                pickEvent_ = true;
                QTimer::singleShot(0, this, [this] { pickEvent_ = false; });
            }
        }
        return QComboBox::eventFilter(watched, event);
    }

    // The arrow keys open the closed list rather than stepping through its items; Alt+Down opens
    // it as well.
    void keyPressEvent(QKeyEvent* event) override
    {
        const int key = event->key();
        const bool arrow = key == Qt::Key_Up || key == Qt::Key_Down || key == Qt::Key_PageUp || key == Qt::Key_PageDown;
        if (arrow && !(event->modifiers() & Qt::ControlModifier)) {
            event->accept();
            showPopup();
            return;
        }
        QComboBox::keyPressEvent(event);
    }

    // The wheel does not step through the items; it goes on to what lies behind the list.
    void wheelEvent(QWheelEvent* event) override { event->ignore(); }

private:
    std::function<void(const QString& item)> picked_;
    bool watching_ = false;   // the filter watches the drop-down
    bool pickEvent_ = false;  // a click or Enter in the drop-down is being handled
    bool picking_ = false;    // the drop-down closed on it and is about to report the item
};

// A command button that Enter presses as Space does.
class CommandButton : public QPushButton {
public:
    using QPushButton::QPushButton;

protected:
    void keyPressEvent(QKeyEvent* event) override
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
};

// The rectangle a character inks when drawn at its place, grown by a pixel on every side: a rule
// inside it crosses or touches the character.
QRect inkAround(const PlacedChar& pc)
{
    return pc.ink.adjusted(-1, -1, 1, 1);
}

// A rule or frame edge, in the window's coordinates, with the widget that draws it.
struct Rule {
    QRect stroke;
    QWidget* owner;
};

std::vector<Rule> rulesOf(QWidget* form, const std::map<std::string, QWidget*, std::less<>>& widgets)
{
    std::vector<Rule> rules;
    for (const auto& [key, w] : widgets) {
        if (auto* line = dynamic_cast<LineWidget*>(w)) {
            const QPoint origin = line->parentWidget()->mapTo(form, QPoint(0, 0));
            rules.push_back({line->stroke().translated(origin), line});
        } else if (auto* frame = dynamic_cast<FrameBox*>(w)) {
            const QPoint origin = frame->mapTo(form, QPoint(0, 0));
            for (const QRect& edge : frame->edges())
                rules.push_back({edge.translated(origin), frame});
        }
    }
    return rules;
}

// Leaves a gap in the rule where it meets the area (window coordinates).
void breakRule(QWidget* form, const Rule& rule, const QRect& area)
{
    if (!rule.owner)
        return;
    if (auto* line = dynamic_cast<LineWidget*>(rule.owner))
        line->leaveGap(area.translated(-line->parentWidget()->mapTo(form, QPoint(0, 0))));
    else if (auto* frame = dynamic_cast<FrameBox*>(rule.owner))
        frame->leaveGap(area.translated(-frame->mapTo(form, QPoint(0, 0))));
    // A rule already drawn is drawn again with its gap.
    rule.owner->update();
}

// Each rule that meets characters of one caption leaves one gap, from the first of them to the
// last, so that the caption's text stands in a single break of the rule.
void gapRules(QWidget* form, const std::vector<std::pair<const Rule*, QRect>>& crossings)
{
    std::map<const Rule*, QRect> gaps;
    for (const auto& [rule, ink] : crossings)
        gaps[rule] |= ink;
    // A stub of a few pixels left beside the gap would read as a stray mark: the gap takes it too.
    const int stub = 4;
    for (auto& [rule, gap] : gaps) {
        const QRect& s = rule->stroke;
        if (s.width() >= s.height()) {
            if (gap.left() - s.left() < stub)
                gap.setLeft(s.left());
            if (s.right() - gap.right() < stub)
                gap.setRight(s.right());
        } else {
            if (gap.top() - s.top() < stub)
                gap.setTop(s.top());
            if (s.bottom() - gap.bottom() < stub)
                gap.setBottom(s.bottom());
        }
        breakRule(form, *rule, gap);
    }
}

// Places a caption's text clear of every rule: where a rule would cross or touch a character, the
// text moves by a pixel or two inside its box; where no such move clears it, the rule leaves a gap
// around the characters it meets instead (as a frame's border does around its title). With
// breakRules false, only the move is tried (a caption whose text changes as the window runs).
void clearOfRules(QWidget* form, CaptionLabel* label, const std::vector<Rule>& allRules, bool breakRules)
{
    const QPoint origin = label->mapTo(form, QPoint(0, 0));
    // Only the rules near the box can meet its text.
    std::vector<Rule> rules;
    const QRect near = QRect(origin, label->size()).adjusted(-4, -4, 4, 4);
    for (const Rule& rule : allRules)
        if (rule.stroke.intersects(near))
            rules.push_back(rule);
    if (rules.empty()) {
        label->setShift(QPoint(0, 0));
        return;
    }
    auto crossings = [&](QPoint shift) {
        std::vector<std::pair<const Rule*, QRect>> out;
        for (const PlacedChar& pc : label->layout(shift)) {
            const QRect ink = inkAround(pc).translated(origin);
            for (const Rule& rule : rules)
                if (rule.stroke.intersects(ink))
                    out.emplace_back(&rule, ink);
        }
        return out;
    };
    // Where the cells are clear, the characters are.
    if (crossings(QPoint(0, 0)).empty()) {
        label->setShift(QPoint(0, 0));
        return;
    }
    std::vector<QRect> strokes;
    for (const Rule& rule : rules)
        strokes.push_back(rule.stroke.translated(-origin));
    label->useDrawnInk(strokes);
    // Whether the moved text stays inside its box.
    auto inside = [&](QPoint shift) {
        const QRect box = label->rect();
        const std::vector<PlacedChar> chars = label->layout(shift);
        return std::all_of(chars.begin(), chars.end(), [&](const PlacedChar& pc) { return box.contains(pc.cell); });
    };
    static const QPoint shifts[] = {{0, 1},  {0, -1}, {1, 0},  {-1, 0},  {0, 2},   {0, -2}, {2, 0},  {-2, 0}, {0, 3},
                                    {0, -3}, {1, 1},  {-1, 1}, {1, -1},  {-1, -1}, {2, 1},  {-2, 1}, {2, -1}, {-2, -1},
                                    {1, 2},  {-1, 2}, {1, -2}, {-1, -2}, {2, 2},   {-2, 2}, {2, -2}, {-2, -2}};
    // The smallest move that clears every rule, else the one that meets the fewest.
    QPoint best(0, 0);
    auto left = crossings(best);
    for (const QPoint shift : shifts) {
        if (left.empty())
            break;
        if (!inside(shift))
            continue;
        auto met = crossings(shift);
        if (met.size() < left.size()) {
            best = shift;
            left = std::move(met);
        }
    }
    label->setShift(best);
    if (breakRules)
        gapRules(form, left);
}

// Frame titles stay where they are: a rule that crosses or touches one leaves a gap there.
void clearTitleOfRules(QWidget* form, FrameBox* frame, const std::vector<Rule>& rules)
{
    const QPoint origin = frame->mapTo(form, QPoint(0, 0));
    auto crossings = [&](const std::vector<PlacedChar>& chars) {
        std::vector<std::pair<const Rule*, QRect>> out;
        for (const PlacedChar& pc : chars) {
            const QRect ink = inkAround(pc).translated(origin);
            for (const Rule& rule : rules)
                if (rule.owner != frame && rule.stroke.intersects(ink))
                    out.emplace_back(&rule, ink);
        }
        return out;
    };
    // Where the cells are clear, the characters are; else the drawn ink tells.
    if (!crossings(frame->titleLayout()).empty())
        gapRules(form, crossings(frame->drawnTitleLayout()));
}

// Breaks a button caption onto as many lines as its width needs, as the caption of a narrow
// button wraps.
QString wrapCaption(const QString& text, const QFontMetrics& fm, int width)
{
    const int room = width - 6;
    if (fm.horizontalAdvance(text) <= room)
        return text;
    QString out;
    QString line;
    for (const QChar c : text) {
        if (!line.isEmpty() && fm.horizontalAdvance(line + c) > room) {
            out += line.trimmed() + QLatin1Char('\n');
            line.clear();
        }
        line += c;
    }
    return out + line.trimmed();
}

void applyColours(QWidget* w, const Control& c, QPalette::ColorRole backRole, QPalette::ColorRole foreRole)
{
    QPalette pal = w->palette();
    const QColor back = designColour(c.back, pal);
    const QColor fore = designColour(c.fore, pal);
    if (back.isValid()) {
        pal.setColor(backRole, back);
        w->setAutoFillBackground(true);
    }
    if (fore.isValid())
        pal.setColor(foreRole, fore);
    w->setPalette(pal);
}

}  // namespace

QList<QRect> captionCells(QWidget* widget)
{
    std::vector<PlacedChar> chars;
    if (auto* caption = dynamic_cast<CaptionLabel*>(widget))
        chars = caption->layout();
    else if (auto* frame = dynamic_cast<FrameBox*>(widget))
        chars = frame->titleLayout();
    QList<QRect> cells;
    for (const PlacedChar& pc : chars)
        cells.append(pc.cell);
    return cells;
}

FormWidget::FormWidget(std::unique_ptr<FormModel> model, QWidget* parent) : QWidget(parent), model_(std::move(model))
{
    // Controls without a font of their own use the window's: 宋体 9 pt.
    setFont(designFont(Font{FontFace::SongTi, 9, false}, font()));
    setFixedSize(pixels(design().clientWidth), pixels(design().clientHeight));
    build();
    // Loading the window: its load handler runs, then the timers it started tick.
    press("Form_Load");
    startTimers();
}

FormWidget::~FormWidget() = default;

QWidget* FormWidget::control(std::string_view key) const
{
    auto it = widgets_.find(key);
    return it == widgets_.end() ? nullptr : it->second;
}

void FormWidget::setPlatformHandler(std::string name, std::function<void()> body)
{
    platformHandlers_[std::move(name)] = std::move(body);
}

void FormWidget::build()
{
    const FormDesign& d = design();
    std::vector<std::pair<int, QWidget*>> tabOrder;
    for (const Control& c : d.controls) {
        const std::string key = controlKey(c);
        if (c.kind == ControlKind::Timer) {
            auto* timer = new QTimer(this);
            timer->callOnTimeout(this, [this, name = std::string(c.name)] { press(name + "_Timer"); });
            timers_[std::string(c.name)] = timer;
            continue;
        }
        // Work fields lie beyond the client area: nothing of them is drawn or takes the focus.
        if (c.workField || c.left >= d.clientWidth || c.top >= d.clientHeight)
            continue;

        QWidget* parentWidget = this;
        int offsetX = 0;
        int offsetY = 0;
        if (!c.parent.empty()) {
            if (QWidget* frame = control(c.parent)) {
                parentWidget = frame;
                if (!d.frameRelative) {
                    for (const Control& f : d.controls)
                        if (controlKey(f) == c.parent) {
                            offsetX = f.left;
                            offsetY = f.top;
                        }
                }
            }
        }
        const QRect geometry(pixels(c.left - offsetX), pixels(c.top - offsetY), pixels(c.width), pixels(c.height));
        const QString text = qs(c.text);
        QWidget* w = nullptr;
        switch (c.kind) {
        case ControlKind::Frame: {
            auto* box = new FrameBox(text, parentWidget);
            w = box;
            break;
        }
        case ControlKind::Label: {
            auto* label = new CaptionLabel(parentWidget);
            label->setTextFormat(Qt::PlainText);
            label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
            label->setWordWrap(c.wordWrap);
            label->setText(text);
            // A caption takes no clicks: those on its box reach what lies under it.
            label->setAttribute(Qt::WA_TransparentForMouseEvents);
            w = label;
            break;
        }
        case ControlKind::TextBox: {
            auto* edit = new QLineEdit(text, parentWidget);
            edit->setCursorPosition(0);
            connect(edit, &QLineEdit::textEdited, this,
                    [this, key](const QString& t) { model_->setText(key, t.toStdString()); });
            w = edit;
            break;
        }
        case ControlKind::ComboBox: {
            auto* combo = new ListBox(parentWidget, [this, key](const QString& item) {
                model_->setText(key, item.toStdString());
                press(key + "_Click");
            });
            for (std::string_view item : c.items)
                combo->addItem(qs(item));
            combo->setCurrentIndex(-1);
            combo->setEditText(text);
            connect(combo->lineEdit(), &QLineEdit::textEdited, this,
                    [this, key](const QString& t) { model_->setText(key, t.toStdString()); });
            w = combo;
            break;
        }
        case ControlKind::CommandButton: {
            auto* button = new CommandButton(parentWidget);
            button->setAutoDefault(false);
            connect(button, &QPushButton::clicked, this, [this, key] { press(key + "_Click"); });
            w = button;
            break;
        }
        case ControlKind::PictureBox: {
            auto* picture = new QLabel(parentWidget);
            picture->setAlignment(Qt::AlignLeft | Qt::AlignTop);
            picture->setProperty("pictureName", text);
            w = picture;
            break;
        }
        case ControlKind::Line: {
            const QPoint from(pixels(c.left - offsetX), pixels(c.top - offsetY));
            const QPoint to(pixels(c.x2 - offsetX), pixels(c.y2 - offsetY));
            w = new LineWidget(from, to, c.borderPx, parentWidget);
            break;
        }
        case ControlKind::Timer:
            break;
        }
        if (!w)
            continue;
        w->setObjectName(QString::fromStdString(key));
        // A control in the window's own font inherits it; setting it again would only lay the
        // control out once more.
        if (const QFont f = designFont(c.font, font()); f != parentWidget->font())
            w->setFont(f);
        if (c.kind != ControlKind::Line)
            w->setGeometry(geometry);
        // A one-line caption lower than its font's line would lose the foot of its characters: the
        // label grows downward to the line's height, and one without a background of its own a
        // few pixels more, room to move its text clear of a rule.
        if (auto* caption = dynamic_cast<CaptionLabel*>(w); caption && !c.wordWrap) {
            const int room = caption->lineStep() + (c.back.source == Colour::Source::Default ? 3 : 0);
            if (room > geometry.height())
                w->resize(geometry.width(), room);
        }
        if (c.kind == ControlKind::CommandButton)
            static_cast<QPushButton*>(w)->setText(wrapCaption(text, w->fontMetrics(), geometry.width()));
        const bool field = c.kind == ControlKind::TextBox || c.kind == ControlKind::ComboBox;
        applyColours(w, c, field ? QPalette::Base : QPalette::Window, field ? QPalette::Text : QPalette::WindowText);
        if (c.tab >= 0)
            tabOrder.emplace_back(c.tab, w);
        else if (c.kind == ControlKind::TextBox || c.kind == ControlKind::ComboBox ||
                 c.kind == ControlKind::CommandButton)
            w->setFocusPolicy(Qt::ClickFocus);
        widgets_[key] = w;
    }
    std::stable_sort(tabOrder.begin(), tabOrder.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    for (std::size_t i = 1; i < tabOrder.size(); ++i)
        QWidget::setTabOrder(tabOrder[i - 1].second, tabOrder[i].second);
    if (!tabOrder.empty())
        setFocusProxy(tabOrder.front().second);

    // Captions are placed clear of the rules when they or a rule near them are first drawn,
    // whichever comes first, so that a rule is never drawn through a caption not yet placed, and
    // opening a window costs the glyphs of what it shows only.
    auto rules = std::make_shared<std::optional<std::vector<Rule>>>();
    auto rulesNow = [this, rules]() -> const std::vector<Rule>& {
        if (!*rules)
            *rules = rulesOf(this, widgets_);
        return **rules;
    };
    auto placeNear = [this, rulesNow](const QWidget* owner) {
        for (const Rule& rule : rulesNow()) {
            if (rule.owner != owner)
                continue;
            for (const auto& [key, w] : widgets_)
                if (auto* caption = dynamic_cast<CaptionLabel*>(w);
                    caption && QRect(caption->mapTo(this, QPoint(0, 0)), caption->size())
                                   .adjusted(-4, -4, 4, 4)
                                   .intersects(rule.stroke))
                    caption->layout();
        }
    };
    for (auto& [key, w] : widgets_) {
        if (auto* caption = dynamic_cast<CaptionLabel*>(w)) {
            caption->setPlacer(
                [this, rulesNow](CaptionLabel& label, bool first) { clearOfRules(this, &label, rulesNow(), first); });
        } else if (auto* frame = dynamic_cast<FrameBox*>(w)) {
            frame->setPlacer([this, rulesNow, placeNear](FrameBox& box) {
                clearTitleOfRules(this, &box, rulesNow());
                placeNear(&box);
            });
        } else if (auto* line = dynamic_cast<LineWidget*>(w)) {
            line->setPlacer([line, placeNear] { placeNear(line); });
        }
    }
}

void FormWidget::startTimers()
{
    for (auto& [name, timer] : timers_) {
        const int ms = model_->interval(name);
        if (ms > 0)
            timer->start(ms);
        else
            timer->stop();
    }
}

namespace {

// The field a failure message names takes the focus with its whole text selected, so that the
// user can retype it at once.
void selectForRetyping(QWidget* field)
{
    QLineEdit* edit = qobject_cast<QLineEdit*>(field);
    if (auto* combo = qobject_cast<QComboBox*>(field))
        edit = combo->lineEdit();
    if (!edit)
        return;
    // In a window made smaller than its design the field is scrolled into view first.
    for (QWidget* w = field->parentWidget(); w; w = w->parentWidget()) {
        if (auto* area = qobject_cast<QScrollArea*>(w)) {
            area->ensureWidgetVisible(field);
            break;
        }
    }
    field->setFocus(Qt::OtherFocusReason);
    edit->selectAll();
}

}  // namespace

bool FormWidget::press(std::string_view handler)
{
    bool known = false;
    try {
        known = model_->run(handler);
        if (!known) {
            auto it = platformHandlers_.find(handler);
            if (it != platformHandlers_.end()) {
                it->second();
                known = true;
            }
        }
    } catch (const CalculationFailure& failure) {
        refresh();
        const FailureMessage message = failureMessage(*model_, handler, failure);
        warn(this, QStringLiteral("计算失败"), message.text);
        if (!message.focus.empty())
            selectForRetyping(control(message.focus));
        return true;
    }
    refresh();
    return known;
}

void FormWidget::refresh()
{
    for (auto& [key, w] : widgets_) {
        const QString t = QString::fromStdString(model_->text(key));
        if (auto* edit = qobject_cast<QLineEdit*>(w)) {
            if (edit->text() != t) {
                edit->setText(t);
                edit->setCursorPosition(0);
            }
        } else if (auto* combo = qobject_cast<QComboBox*>(w)) {
            if (combo->currentText() != t)
                combo->setEditText(t);
        } else if (auto* label = qobject_cast<QLabel*>(w)) {
            if (!label->property("pictureName").isValid() && label->text() != t)
                label->setText(t);
        }
    }
}

void FormWidget::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (loaded_)
        return;
    loaded_ = true;
    // Pictures are drawn when their window is first shown.
    if (!pictures_)
        return;
    for (auto& [key, w] : widgets_) {
        auto* label = qobject_cast<QLabel*>(w);
        if (label && label->property("pictureName").isValid())
            label->setPixmap(pictures_(label->property("pictureName").toString().toStdString()));
    }
}

}  // namespace heatcalc::ui
