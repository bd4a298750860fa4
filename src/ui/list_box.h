#pragma once

#include <QComboBox>

#include <functional>

namespace heatcalc::ui {

// An editable list: its text part keeps exactly what is typed, with no completion, and its
// handler runs only when the user picks an item from the open drop-down, with the mouse or with
// the arrow keys and Enter. Qt's combo box also reports an item as chosen when the typed text
// equals an item and the field loses the focus, takes Enter or opens its drop-down, and when the
// arrow keys or the wheel step through the items of the closed list; none of those is a pick
// here, and none of them may change the text behind the user's back.
//
// The open drop-down highlights the item equal to the list's text, or none: a list whose items
// all read as numbers compares numbers ("0.50" is the item "0.5", "1" the item "01"), any other
// list compares the texts code unit by code unit, as the window's handlers match the text. Enter
// with no item highlighted closes the drop-down and keeps the text.
class ListBox : public QComboBox {
public:
    ListBox(const QStringList& items, QWidget* parent, std::function<void(const QString& item)> picked);

    // The row of the item equal to the text, or -1.
    int matchingRow(const QString& text) const;

    void showPopup() override;
    void hidePopup() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    std::function<void(const QString& item)> picked_;
    bool numeric_ = false;    // every item reads as a number
    bool watching_ = false;   // the filter watches the drop-down
    bool pickEvent_ = false;  // a click or Enter in the drop-down is being handled
    bool picking_ = false;    // the drop-down closed on it and is about to report the item
};

}  // namespace heatcalc::ui
