#pragma once

#include <QAbstractItemView>
#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QScrollArea>
#include <QStringList>
#include <QTest>

#include "main/mdiform1.h"
#include "ui/form_widget.h"
#include "ui/platform.h"

// Warnings go to a list instead of a message box, so no test waits on a dialog.
struct WarningLog {
    struct Entry {
        QWidget* owner;
        QString title;
        QString text;
    };
    QList<Entry> entries;

    WarningLog()
    {
        heatcalc::ui::setWarningSink([this](QWidget* owner, const QString& title, const QString& text) {
            entries.append({owner, title, text});
        });
    }
    ~WarningLog() { heatcalc::ui::setWarningSink({}); }
};

inline QAction* menuAction(heatcalc::MDIForm1& window, const char* name)
{
    return window.findChild<QAction*>(QString::fromLatin1(name));
}

// The controls of a child window, inside the scroll area that is its client area.
inline heatcalc::ui::FormWidget* formOf(QMdiSubWindow* window)
{
    auto* client = window ? qobject_cast<QScrollArea*>(window->widget()) : nullptr;
    return client ? qobject_cast<heatcalc::ui::FormWidget*>(client->widget()) : nullptr;
}

inline QString widgetText(heatcalc::ui::FormWidget* form, const char* key)
{
    QWidget* w = form->control(key);
    if (auto* edit = qobject_cast<QLineEdit*>(w))
        return edit->text();
    if (auto* combo = qobject_cast<QComboBox*>(w))
        return combo->currentText();
    return {};
}

// Types into a field as the user does: select all, then the keys. False when the window has no
// such field.
[[nodiscard]] inline bool typeInto(heatcalc::ui::FormWidget* form, const char* key, const QString& text)
{
    QWidget* w = form->control(key);
    if (auto* combo = qobject_cast<QComboBox*>(w))
        w = combo->lineEdit();
    auto* edit = qobject_cast<QLineEdit*>(w);
    if (!edit)
        return false;
    edit->setFocus();
    edit->selectAll();
    if (text.isEmpty())
        QTest::keyClick(edit, Qt::Key_Backspace);
    else
        QTest::keyClicks(edit, text);
    return true;
}

// Clicks a button with the mouse. False when the window shows no such control.
[[nodiscard]] inline bool click(heatcalc::ui::FormWidget* form, const char* key)
{
    QWidget* w = form->control(key);
    if (!w)
        return false;
    QTest::mouseClick(w, Qt::LeftButton);
    return true;
}

// Picks a list item as the user does with the keys: Alt+Down opens the list, the arrow keys move to the
// item, Enter picks it. False when there is no such list or item, or the list did not pick it.
[[nodiscard]] inline bool pick(heatcalc::ui::FormWidget* form, const char* key, const QString& item)
{
    auto* combo = qobject_cast<QComboBox*>(form->control(key));
    if (!combo)
        return false;
    const int index = combo->findText(item, Qt::MatchExactly);
    if (index < 0)
        return false;
    QWidget* field = combo->lineEdit() ? static_cast<QWidget*>(combo->lineEdit()) : combo;
    field->setFocus();
    QTest::keyClick(field, Qt::Key_Down, Qt::AltModifier);
    QAbstractItemView* list = combo->view();
    if (!list->isVisible())
        return false;
    for (int step = 0; step <= combo->count() && list->currentIndex().row() != index; ++step)
        QTest::keyClick(list, list->currentIndex().row() < index ? Qt::Key_Down : Qt::Key_Up);
    QTest::keyClick(list, Qt::Key_Return);
    return !list->isVisible() && combo->currentIndex() == index && combo->currentText() == item;
}
