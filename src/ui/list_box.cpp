#include "ui/list_box.h"

#include <QAbstractItemView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTimer>

#include <algorithm>
#include <utility>

#include "common/number.h"

namespace heatcalc::ui {

namespace {

NumberReading reading(const QString& text)
{
    return ReadNumber(text.toStdString());
}

}  // namespace

ListBox::ListBox(const QStringList& items, QWidget* parent, std::function<void(const QString& item)> picked)
    : QComboBox(parent), picked_(std::move(picked))
{
    setEditable(true);
    setInsertPolicy(QComboBox::NoInsert);
    setCompleter(nullptr);
    addItems(items);
    numeric_ = !items.isEmpty() && std::all_of(items.begin(), items.end(), [](const QString& item) {
        return reading(item).status == NumberReading::Status::Number;
    });
    connect(this, &QComboBox::activated, this, [this](int index) {
        if (!picking_)
            return;
        picking_ = false;
        picked_(itemText(index));
    });
}

int ListBox::matchingRow(const QString& text) const
{
    if (!numeric_)
        return findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive);
    const NumberReading typed = reading(text);
    if (typed.status != NumberReading::Status::Number)
        return -1;
    for (int row = 0; row < count(); ++row)
        if (reading(itemText(row)).value == typed.value)
            return row;
    return -1;
}

void ListBox::showPopup()
{
    // The drop-down takes a click or Enter on an item by closing itself and then reporting the
    // item. It exists once view() has been asked for; this filter, installed after its own, sees
    // those events first.
    if (!watching_) {
        view()->installEventFilter(this);
        view()->viewport()->installEventFilter(this);
        watching_ = true;
    }
    QComboBox::showPopup();
    // The combo box highlights the item last picked; the one the text stands for replaces it.
    const int row = matchingRow(currentText());
    view()->setCurrentIndex(row < 0 ? QModelIndex() : model()->index(row, modelColumn(), rootModelIndex()));
}

void ListBox::hidePopup()
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

bool ListBox::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == view() || watched == view()->viewport()) {
        const QEvent::Type type = event->type();
        const int key = type == QEvent::ShortcutOverride ? static_cast<QKeyEvent*>(event)->key() : 0;
        const bool enter = key == Qt::Key_Return || key == Qt::Key_Enter;
        // Enter with no item highlighted picks nothing: the drop-down closes and the text stays.
        if (enter && !view()->currentIndex().isValid()) {
            hidePopup();
            return true;
        }
        if (type == QEvent::MouseButtonRelease || enter) {
            pickEvent_ = true;
            QTimer::singleShot(0, this, [this] { pickEvent_ = false; });
        }
    }
    return QComboBox::eventFilter(watched, event);
}

// The arrow keys open the closed list rather than stepping through its items; Alt+Down opens it
// as well.
void ListBox::keyPressEvent(QKeyEvent* event)
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
void ListBox::wheelEvent(QWheelEvent* event)
{
    event->ignore();
}

}  // namespace heatcalc::ui
