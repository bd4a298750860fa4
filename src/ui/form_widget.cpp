#include "ui/form_widget.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QFontInfo>
#include <QFontMetrics>
#include <QGroupBox>
#include <QKeyEvent>
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
#include "ui/text.h"

namespace heatcalc::ui {

namespace {

// A decorative line; it takes no clicks and paints nothing else.
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

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        p.setPen(QPen(palette().color(QPalette::WindowText), pen_, Qt::SolidLine, Qt::SquareCap));
        p.drawLine(from_, to_);
    }

private:
    QPoint from_, to_;
    int pen_;
};

// A caption laid out as on the design: characters a font size apart line by line, a blank half
// as wide as a character, and the lines broken where the next character or word no longer fits.
// The stand-in CJK fonts keep a much larger line gap than the designed font, which would push a
// two-line caption out of its box; the caption keeps the designed spacing instead.
class CaptionLabel : public QLabel {
public:
    using QLabel::QLabel;

    // The height one line of this label's font needs.
    int lineStep() const { return em() + 1; }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        p.setFont(font());
        p.setPen(palette().color(QPalette::WindowText));
        const int baseline = (em() * 7 + 4) / 8;
        int y = 0;
        for (const QString& line : lines()) {
            int x = 0;
            for (const QChar c : line) {
                const int w = advance(c);
                if (c != QLatin1Char(' '))
                    p.drawText(x, y + baseline, QString(c));
                x += w;
            }
            y += lineStep();
        }
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
};

// An editable list: its text part keeps exactly what is typed, with no completion, and its
// handler runs only when the user picks an item from the open drop-down, with the mouse or with
// the arrow keys and Enter. Qt's combo box also reports an item as chosen when the typed text
// equals an item and the field loses the focus, takes Enter or opens its drop-down, and when the
// arrow keys or the wheel step through the items of the closed list; none of those is a pick
// here, and none of them may change the text behind the user's back.
class ListBox : public QComboBox {
public:
    ListBox(QWidget* parent, std::function<void(const QString& item)> picked) : QComboBox(parent), picked_(std::move(picked))
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
            auto* box = new QGroupBox(text, parentWidget);
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
        w->setFont(designFont(c.font, font()));
        if (c.kind != ControlKind::Line)
            w->setGeometry(geometry);
        // A one-line caption taller than its box would lose the foot of its characters: the
        // label grows downward to its font's height.
        if (auto* caption = dynamic_cast<CaptionLabel*>(w); caption && !c.wordWrap && caption->lineStep() > geometry.height())
            w->resize(geometry.width(), caption->lineStep());
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
