#pragma once

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

// Types into a field as the user does: select all, then the keys.
inline void typeInto(heatcalc::ui::FormWidget* form, const char* key, const QString& text)
{
    QWidget* w = form->control(key);
    if (auto* combo = qobject_cast<QComboBox*>(w))
        w = combo->lineEdit();
    auto* edit = qobject_cast<QLineEdit*>(w);
    QVERIFY(edit);
    edit->setFocus();
    edit->selectAll();
    if (text.isEmpty())
        QTest::keyClick(edit, Qt::Key_Backspace);
    else
        QTest::keyClicks(edit, text);
}

inline void click(heatcalc::ui::FormWidget* form, const char* key)
{
    QWidget* w = form->control(key);
    QVERIFY(w);
    QTest::mouseClick(w, Qt::LeftButton);
}

// Picks a list item as the user does with the mouse or keys.
inline void pick(heatcalc::ui::FormWidget* form, const char* key, const QString& item)
{
    auto* combo = qobject_cast<QComboBox*>(form->control(key));
    QVERIFY(combo);
    const int index = combo->findText(item);
    QVERIFY(index >= 0);
    combo->setCurrentIndex(index);
    emit combo->activated(index);
}
