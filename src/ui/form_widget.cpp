#include "ui/form_widget.h"

#include <QLineEdit>
#include <QScrollArea>
#include <QTimer>

#include <algorithm>
#include <exception>
#include <functional>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

#include "ui/appearance.h"
#include "ui/caption_clearance.h"
#include "ui/design_widgets.h"
#include "ui/failure_report.h"
#include "ui/list_box.h"
#include "ui/platform.h"
#include "ui/text.h"

namespace heatcalc::ui {

namespace {

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

std::vector<QRect> strokesOf(const std::vector<const Rule*>& rules)
{
    std::vector<QRect> strokes;
    for (const Rule* rule : rules)
        strokes.push_back(rule->stroke);
    return strokes;
}

// The characters in the window's coordinates.
std::vector<Glyph> glyphsOf(const std::vector<PlacedChar>& chars, QPoint origin)
{
    std::vector<Glyph> glyphs;
    for (const PlacedChar& pc : chars)
        glyphs.push_back({pc.cell.translated(origin), pc.ink.translated(origin)});
    return glyphs;
}

// Leaves the gaps (window coordinates) in the rules that draw them; a rule already drawn is drawn
// again with its gap.
void breakRules(QWidget* form, const std::vector<const Rule*>& rules, const std::vector<RuleGap>& gaps)
{
    for (const RuleGap& gap : gaps) {
        QWidget* owner = rules[gap.rule]->owner;
        if (auto* line = dynamic_cast<LineWidget*>(owner)) {
            line->leaveGap(gap.area.translated(-line->parentWidget()->mapTo(form, QPoint(0, 0))));
            line->update();
        } else if (auto* frame = dynamic_cast<FrameBox*>(owner)) {
            frame->leaveGap(gap.area.translated(-frame->mapTo(form, QPoint(0, 0))));
            frame->update();
        }
    }
}

// Places a caption's text clear of every rule near its box: by a move of a pixel or two inside
// the box, else by gaps in the rules (as a frame's border breaks around its title). With
// mayBreak false, only the move is tried (a caption whose text changes as the window runs).
void clearOfRules(QWidget* form, CaptionLabel* label, const std::vector<Rule>& allRules, bool mayBreak)
{
    const QPoint origin = label->mapTo(form, QPoint(0, 0));
    const QRect box(origin, label->size());
    std::vector<const Rule*> rules;
    for (const Rule& rule : allRules)
        if (rule.stroke.intersects(box.adjusted(-4, -4, 4, 4)))
            rules.push_back(&rule);
    const std::vector<QRect> strokes = strokesOf(rules);
    // Where the cells are clear, the characters are; else the drawn ink tells.
    if (!meetsAnyRule(glyphsOf(label->layout(QPoint(0, 0)), origin), strokes)) {
        label->setShift(QPoint(0, 0));
        return;
    }
    std::vector<QRect> near;
    for (const QRect& s : strokes)
        near.push_back(s.translated(-origin));
    label->useDrawnInk(near);
    const CaptionPlacement placement =
        placeCaption(glyphsOf(label->layout(QPoint(0, 0)), origin), box, strokes, mayBreak);
    label->setShift(placement.shift);
    breakRules(form, rules, placement.gaps);
}

// Frame titles stay where they are: a rule of another widget that meets one leaves a gap there.
void clearTitleOfRules(QWidget* form, FrameBox* frame, const std::vector<Rule>& allRules)
{
    const QPoint origin = frame->mapTo(form, QPoint(0, 0));
    std::vector<const Rule*> rules;
    for (const Rule& rule : allRules)
        if (rule.owner != frame)
            rules.push_back(&rule);
    const std::vector<QRect> strokes = strokesOf(rules);
    if (meetsAnyRule(glyphsOf(frame->titleLayout(), origin), strokes))
        breakRules(form, rules, gapsAroundTitle(glyphsOf(frame->drawnTitleLayout(), origin), strokes));
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
    for (const Control& c : d.controls) {
        if (c.kind == ControlKind::Timer) {
            auto* timer = new QTimer(this);
            timer->callOnTimeout(this, [this, name = std::string(c.name)] { press(name + "_Timer"); });
            timers_[std::string(c.name)] = timer;
            continue;
        }
        // Work fields lie beyond the client area: nothing of them is drawn or takes the focus.
        if (c.workField || c.left >= d.clientWidth || c.top >= d.clientHeight)
            continue;
        if (QWidget* w = makeControl(c))
            widgets_[controlKey(c)] = w;
    }
    setKeyboardOrder();
    placeCaptions();
}

void FormWidget::setKeyboardOrder()
{
    // The controls with a place in the keyboard order in that order, the window's focus going to
    // the first; a field or button without one takes the focus by a click only.
    std::vector<std::pair<int, QWidget*>> order;
    for (const Control& c : design().controls) {
        QWidget* w = control(controlKey(c));
        if (!w)
            continue;
        if (c.tab >= 0)
            order.emplace_back(c.tab, w);
        else if (c.kind == ControlKind::TextBox || c.kind == ControlKind::ComboBox ||
                 c.kind == ControlKind::CommandButton)
            w->setFocusPolicy(Qt::ClickFocus);
    }
    std::stable_sort(order.begin(), order.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    for (std::size_t i = 1; i < order.size(); ++i)
        QWidget::setTabOrder(order[i - 1].second, order[i].second);
    if (!order.empty())
        setFocusProxy(order.front().second);
}

QWidget* FormWidget::makeControl(const Control& c)
{
    const FormDesign& d = design();
    const std::string key = controlKey(c);
    // A control inside a frame is placed in the frame's coordinates.
    QWidget* parentWidget = this;
    int offsetX = 0;
    int offsetY = 0;
    if (QWidget* frame = c.parent.empty() ? nullptr : control(c.parent)) {
        parentWidget = frame;
        if (!d.frameRelative) {
            for (const Control& f : d.controls)
                if (controlKey(f) == c.parent) {
                    offsetX = f.left;
                    offsetY = f.top;
                }
        }
    }
    const QRect geometry(pixels(c.left - offsetX), pixels(c.top - offsetY), pixels(c.width), pixels(c.height));
    const QString text = qs(c.text);
    QWidget* w = nullptr;
    switch (c.kind) {
    case ControlKind::Frame:
        w = new FrameBox(text, parentWidget);
        break;
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
        QStringList items;
        for (std::string_view item : c.items)
            items << qs(item);
        auto* combo = new ListBox(items, parentWidget, [this, key](const QString& item) {
            model_->setText(key, item.toStdString());
            press(key + "_Click");
        });
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
    case ControlKind::PictureBox:
        w = new PictureBox(std::string(c.text), parentWidget);
        break;
    case ControlKind::Line: {
        const QPoint from(pixels(c.left - offsetX), pixels(c.top - offsetY));
        const QPoint to(pixels(c.x2 - offsetX), pixels(c.y2 - offsetY));
        w = new LineWidget(from, to, c.borderPx, parentWidget);
        break;
    }
    case ControlKind::Timer:
        return nullptr;  // a timer has no widget
    }
    w->setObjectName(QString::fromStdString(key));
    // A control in the window's own font inherits it; setting it again would only lay the control
    // out once more.
    if (const QFont f = designFont(c.font, font()); f != parentWidget->font())
        w->setFont(f);
    if (c.kind != ControlKind::Line)
        w->setGeometry(geometry);
    // A one-line caption lower than its font's line would lose the foot of its characters: the
    // label grows downward to the line's height, and one without a background of its own a few
    // pixels more, room to move its text clear of a rule.
    if (auto* caption = dynamic_cast<CaptionLabel*>(w); caption && !c.wordWrap) {
        const int room = caption->lineStep() + (c.back.source == Colour::Source::Default ? 3 : 0);
        if (room > geometry.height())
            w->resize(geometry.width(), room);
    }
    if (auto* button = dynamic_cast<CommandButton*>(w))
        button->setCaption(text);
    const bool field = c.kind == ControlKind::TextBox || c.kind == ControlKind::ComboBox;
    applyColours(w, c, field ? QPalette::Base : QPalette::Window, field ? QPalette::Text : QPalette::WindowText);
    return w;
}

void FormWidget::placeCaptions()
{
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
    } catch (...) {
        // Any other fault of a handler stops it like a calculation failure: the fields keep what
        // it wrote before, and the user is told; it never reaches the event loop.
        refresh();
        QString detail;
        try {
            throw;
        } catch (const std::exception& e) {
            detail = QStringLiteral("（%1）").arg(QString::fromLocal8Bit(e.what()));
        } catch (...) {
        }
        warn(this, QStringLiteral("计算失败"),
             QStringLiteral("计算因程序内部的意外错误而中止%1。此前已算出的结果保留在窗口中。").arg(detail));
        return true;
    }
    refresh();
    return known;
}

void FormWidget::refresh()
{
    for (auto& [key, w] : widgets_) {
        if (dynamic_cast<PictureBox*>(w))
            continue;
        const QString t = QString::fromStdString(model_->text(key));
        if (auto* edit = qobject_cast<QLineEdit*>(w)) {
            // A text longer than its field shows its start.
            if (edit->text() != t) {
                edit->setText(t);
                edit->setCursorPosition(0);
            }
        } else if (auto* combo = qobject_cast<QComboBox*>(w)) {
            if (combo->currentText() != t)
                combo->setEditText(t);
        } else if (auto* label = qobject_cast<QLabel*>(w)) {
            if (label->text() != t)
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
    for (auto& [key, w] : widgets_)
        if (auto* picture = dynamic_cast<PictureBox*>(w))
            picture->setPixmap(pictures_(picture->pictureName()));
}

}  // namespace heatcalc::ui
