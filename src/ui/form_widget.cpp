#include "ui/form_widget.h"

#include <QComboBox>
#include <QFontInfo>
#include <QFontMetrics>
#include <QGroupBox>
#include <QHash>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QTimer>

#include <algorithm>
#include <vector>

#include "ui/appearance.h"
#include "ui/failure_report.h"
#include "ui/platform.h"

namespace heatcalc::ui {

namespace {

QString qs(std::string_view s)
{
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

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

protected:
    void paintEvent(QPaintEvent*) override
    {
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
};

// The pixels a character inks when drawn at the origin in a font: the rows and columns of its
// outline's coverage, the faint edge of the smoothing left out. Found once per font and character,
// by drawing it, since the font's own glyph boxes are rounded outward by up to a pixel.
QRect glyphInk(const QFont& font, QChar c)
{
    static QHash<QString, QRect> known;
    QFont probe = font;
    probe.setPixelSize(QFontInfo(font).pixelSize());
    const QString key = probe.key() + c;
    if (auto it = known.constFind(key); it != known.constEnd())
        return *it;
    const QRect box = QFontMetrics(probe).boundingRect(c).adjusted(-2, -2, 2, 2);
    QImage image(box.size(), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setFont(probe);
    p.setPen(Qt::black);
    p.drawText(-box.topLeft(), QString(c));
    p.end();
    QRect ink;
    for (int y = 0; y < image.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x)
            if (qAlpha(row[x]) >= 64)
                ink |= QRect(x, y, 1, 1);
    }
    ink.translate(box.topLeft());
    known.insert(key, ink);
    return ink;
}

// A character of a caption where the renderer draws it: its cell (its advance wide, as high as its
// ink reaches), the pixels it inks and the baseline point it is drawn at.
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

    // The title's characters, in the frame's coordinates.
    std::vector<PlacedChar> titleLayout() const
    {
        const QFontMetrics fm = fontMetrics();
        std::vector<PlacedChar> out;
        int x = titleLeft();
        for (const QChar c : title()) {
            const int w = fm.horizontalAdvance(c);
            const QPoint origin(x, fm.ascent());
            out.push_back({c, QRect(x, 0, w, fm.height()), glyphInk(font(), c).translated(origin), origin});
            x += w;
        }
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
        QPainter p(this);
        QRegion clip = QRegion(rect()).subtracted(gaps_);
        const std::vector<PlacedChar> chars = titleLayout();
        if (!chars.empty())
            clip -= QRect(chars.front().cell.left() - 2, 0, chars.back().cell.right() - chars.front().cell.left() + 5, fontMetrics().height());
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
};

// A caption laid out as on the design: characters a font size apart line by line, a blank half
// as wide as a character, and the lines broken where the next character or word no longer fits.
// The stand-in CJK fonts keep a much larger line gap than the designed font, which would push a
// two-line caption out of its box; the caption keeps the designed spacing instead. The text may be
// drawn a pixel or two off its place inside the box, to keep it clear of the rules around it.
class CaptionLabel : public QLabel {
public:
    using QLabel::QLabel;

    // The height one line of this label's font needs.
    int lineStep() const { return em() + 1; }

    // The height the caption's text needs: a line's, or more where a character reaches lower.
    int textHeight() const
    {
        int bottom = lineStep();
        for (const PlacedChar& pc : layout(QPoint(0, 0)))
            bottom = std::max(bottom, pc.cell.bottom() + 1);
        return bottom;
    }

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
        const QFontMetrics fm = fontMetrics();
        const QStringList text = lines();
        // The designed baseline, lowered where a character of the caption reaches higher (a bold
        // character may), so that no character loses its top.
        int baseline = (em() * 7 + 4) / 8;
        for (const QString& line : text)
            for (const QChar c : line)
                if (c != QLatin1Char(' '))
                    baseline = std::max(baseline, -glyphInk(font(), c).top());
        std::vector<PlacedChar> out;
        int y = shift.y();
        for (const QString& line : text) {
            int x = shift.x();
            for (const QChar c : line) {
                const int w = advance(c);
                if (c != QLatin1Char(' ')) {
                    const QRect ink = glyphInk(font(), c).translated(x, y + baseline);
                    out.push_back({c, QRect(x, ink.top(), w, ink.height()), ink, QPoint(x, y + baseline)});
                }
                x += w;
            }
            y += lineStep();
        }
        return out;
    }
    std::vector<PlacedChar> layout() const { return layout(shift_); }

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
    int em() const { return QFontInfo(font()).pixelSize(); }

    int advance(QChar c) const
    {
        return c == QLatin1Char(' ') ? em() / 2 : fontMetrics().horizontalAdvance(c);
    }

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

    QPoint shift_;
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
    if (auto* line = dynamic_cast<LineWidget*>(rule.owner))
        line->leaveGap(area.translated(-line->parentWidget()->mapTo(form, QPoint(0, 0))));
    else if (auto* frame = dynamic_cast<FrameBox*>(rule.owner))
        frame->leaveGap(area.translated(-frame->mapTo(form, QPoint(0, 0))));
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
void clearOfRules(QWidget* form, CaptionLabel* label, const std::vector<Rule>& rules, bool breakRules)
{
    const QPoint origin = label->mapTo(form, QPoint(0, 0));
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
    // The height the moved text takes, or -1 when it leaves its box; a one-line caption may grow
    // downward by the pixels it moves.
    const int room = label->wordWrap() ? label->height() : label->height() + 3;
    auto reach = [&](QPoint shift) {
        int bottom = 0;
        for (const PlacedChar& pc : label->layout(shift)) {
            if (pc.cell.left() < 0 || pc.cell.right() >= label->width() || pc.cell.top() < 0 || pc.cell.bottom() >= room)
                return -1;
            bottom = std::max(bottom, pc.cell.bottom() + 1);
        }
        return bottom;
    };
    static const QPoint shifts[] = {{0, 1}, {0, -1}, {1, 0}, {-1, 0}, {0, 2}, {0, -2}, {2, 0}, {-2, 0}, {0, 3}, {0, -3},
                                    {1, 1}, {-1, 1}, {1, -1}, {-1, -1}, {2, 1}, {-2, 1}, {2, -1}, {-2, -1},
                                    {1, 2}, {-1, 2}, {1, -2}, {-1, -2}, {2, 2}, {-2, 2}, {2, -2}, {-2, -2}};
    // The smallest move that clears every rule, else the one that meets the fewest.
    QPoint best(0, 0);
    auto left = crossings(best);
    for (const QPoint shift : shifts) {
        if (left.empty())
            break;
        if (reach(shift) < 0)
            continue;
        auto met = crossings(shift);
        if (met.size() < left.size()) {
            best = shift;
            left = std::move(met);
        }
    }
    label->setShift(best);
    if (reach(best) > label->height())
        label->resize(label->width(), reach(best));
    if (breakRules)
        gapRules(form, left);
}

// Frame titles stay where they are: a rule that crosses or touches one leaves a gap there.
void clearTitleOfRules(QWidget* form, FrameBox* frame, const std::vector<Rule>& rules)
{
    const QPoint origin = frame->mapTo(form, QPoint(0, 0));
    std::vector<std::pair<const Rule*, QRect>> crossings;
    for (const PlacedChar& pc : frame->titleLayout()) {
        const QRect ink = inkAround(pc).translated(origin);
        for (const Rule& rule : rules)
            if (rule.owner != frame && rule.stroke.intersects(ink))
                crossings.emplace_back(&rule, ink);
    }
    gapRules(form, crossings);
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

QList<QRect> captionCells(const QWidget* widget)
{
    std::vector<PlacedChar> chars;
    if (auto* caption = dynamic_cast<const CaptionLabel*>(widget))
        chars = caption->layout();
    else if (auto* frame = dynamic_cast<const FrameBox*>(widget))
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
            w = label;
            break;
        }
        case ControlKind::TextBox: {
            auto* edit = new QLineEdit(text, parentWidget);
            edit->setCursorPosition(0);
            connect(edit, &QLineEdit::textEdited, this, [this, key](const QString& t) { model_->setText(key, t.toStdString()); });
            w = edit;
            break;
        }
        case ControlKind::ComboBox: {
            auto* combo = new QComboBox(parentWidget);
            combo->setEditable(true);
            combo->setInsertPolicy(QComboBox::NoInsert);
            for (std::string_view item : c.items)
                combo->addItem(qs(item));
            combo->setCurrentIndex(-1);
            combo->setEditText(text);
            connect(combo->lineEdit(), &QLineEdit::textEdited, this,
                    [this, key](const QString& t) { model_->setText(key, t.toStdString()); });
            connect(combo, &QComboBox::activated, this, [this, key, combo](int index) {
                model_->setText(key, combo->itemText(index).toStdString());
                press(key + "_Click");
            });
            w = combo;
            break;
        }
        case ControlKind::CommandButton: {
            auto* button = new QPushButton(parentWidget);
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
        w->setFont(designFont(c.font, font()));
        if (c.kind != ControlKind::Line)
            w->setGeometry(geometry);
        // A one-line caption taller than its box would lose the foot of its characters: the
        // label grows downward to its text's height.
        if (auto* caption = dynamic_cast<CaptionLabel*>(w); caption && !c.wordWrap && caption->textHeight() > geometry.height())
            w->resize(geometry.width(), caption->textHeight());
        if (c.kind == ControlKind::CommandButton)
            static_cast<QPushButton*>(w)->setText(wrapCaption(text, w->fontMetrics(), geometry.width()));
        const bool field = c.kind == ControlKind::TextBox || c.kind == ControlKind::ComboBox;
        applyColours(w, c, field ? QPalette::Base : QPalette::Window, field ? QPalette::Text : QPalette::WindowText);
        if (c.tab >= 0)
            tabOrder.emplace_back(c.tab, w);
        else if (c.kind == ControlKind::TextBox || c.kind == ControlKind::ComboBox || c.kind == ControlKind::CommandButton)
            w->setFocusPolicy(Qt::ClickFocus);
        widgets_[key] = w;
    }
    std::stable_sort(tabOrder.begin(), tabOrder.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    for (std::size_t i = 1; i < tabOrder.size(); ++i)
        QWidget::setTabOrder(tabOrder[i - 1].second, tabOrder[i].second);
    if (!tabOrder.empty())
        setFocusProxy(tabOrder.front().second);

    const std::vector<Rule> rules = rulesOf(this, widgets_);
    for (const auto& [key, w] : widgets_) {
        if (auto* caption = dynamic_cast<CaptionLabel*>(w))
            clearOfRules(this, caption, rules, true);
        else if (auto* frame = dynamic_cast<FrameBox*>(w))
            clearTitleOfRules(this, frame, rules);
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
        warn(this, QStringLiteral("计算失败"), failureMessage(design(), failure));
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
            if (!label->property("pictureName").isValid() && label->text() != t) {
                label->setText(t);
                if (auto* caption = dynamic_cast<CaptionLabel*>(label))
                    clearOfRules(this, caption, rulesOf(this, widgets_), false);
            }
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
