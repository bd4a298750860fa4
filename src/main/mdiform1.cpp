#include "main/mdiform1.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QScrollArea>
#include <QStyle>
#include <QUrl>

#include <algorithm>
#include <vector>

#include "main/child_forms.h"
#include "ui/icons.h"
#include "ui/text.h"

namespace heatcalc {

namespace {

// The company title, the designer credit in full-width parentheses, then 13 blanks.
const QString Caption = QStringLiteral("Velmora自动化设备有限公司（设计：热力站计算组）             ");

struct MenuItem {
    const char* name;
    const char* caption;
    QKeySequence shortcut;
    void (MDIForm1::*command)() = nullptr;  // null: the item has no action
};

struct Menu {
    const char* name;
    const char* caption;
    std::vector<MenuItem> items;
};

std::vector<Menu> menuTable()
{
    const auto keys = [](const char* text) { return QKeySequence(QString::fromLatin1(text)); };
    // clang-format off
    return {
        {"MenuFile", "换热器选型(&F)", {
            {"MenuNew", "板式换热器(&N)", keys("Ctrl+A"), &MDIForm1::showPlateWindow},
            {"MenuOpen", "管式换热器(&O)", keys("Ctrl+B"), &MDIForm1::showTubeWindow},
            {"MenuSave", "烟道换热器(&S)", keys("Ctrl+C")},
            {"MenuSp0", "高温汽水换热器(&C)", keys("Ctrl+D")},
            {"MenuExit", "换热机组(&X)", keys("Ctrl+E"), &MDIForm1::showUnitWindow},
        }},
        {"QITAJISUAN", "其他计算", {
            {"LIUSU", "管道流速计算", keys("Ctrl+F")},
            {"ZHONGLIANG", "材料重量计算", keys("Ctrl+G"), &MDIForm1::showWeightWindow},
        }},
        {"CABIAO", "查表", {
            {"mupai", "母排载流表", keys("Ctrl+H"), &MDIForm1::showBusbarTable},
            {"DIANYUANXIAN", "电源线载流表", keys("Ctrl+I"), &MDIForm1::showCableTable},
            {"SHUIXING", "水的物理特性表", keys("Ctrl+J")},
        }},
        {"MenuWindows", "窗口(&W)", {
            {"MenuCascade", "层叠(&C)", keys("F2"), &MDIForm1::cascadeWindows},
            {"MenuHorizontal", "水平排列(&H)", keys("F4"), &MDIForm1::tileWindowsHorizontally},
            {"MenuVertical", "垂直排列(&V)", keys("F5"), &MDIForm1::tileWindowsVertically},
        }},
        {"MenuHelp", "帮助(&h)", {
            {"wwww", "网址", keys("Del"), &MDIForm1::showWebPage},
            {"MenuAbout", "系统介绍(&A)", keys("F1"), &MDIForm1::showIntroduction},
        }},
    };
    // clang-format on
}

// The editing keys that a focused text field or list keeps rather than handing them to the
// menu: select all, copy, delete.
bool fieldKeepsKey(const QKeySequence& key)
{
    return key == QKeySequence(QStringLiteral("Ctrl+A")) || key == QKeySequence(QStringLiteral("Ctrl+C")) ||
           key == QKeySequence(Qt::Key_Delete);
}

// Ctrl+F4 closes a child window, as its system menu then shows, whatever close key the desktop
// gives it besides (Ctrl+W on some).
void closesOnCtrlF4(QMdiSubWindow* window)
{
    const QKeySequence ctrlF4(Qt::CTRL | Qt::Key_F4);
    const QList<QKeySequence> closeKeys = QKeySequence::keyBindings(QKeySequence::Close);
    for (QAction* action : window->systemMenu()->actions()) {
        QList<QKeySequence> keys = action->shortcuts();
        if (keys.isEmpty() || keys != closeKeys)
            continue;
        keys.removeAll(ctrlF4);
        keys.prepend(ctrlF4);
        action->setShortcuts(keys);
    }
}

// The client area of a child window: the window's controls at their design size from the top left,
// with scroll bars whenever the window is smaller than its design, so that every control stays
// reachable. Its size hint is the design size itself, so a child window sized to its hint shows
// the whole design and no scroll bar.
class ClientArea : public QScrollArea {
public:
    explicit ClientArea(QWidget* form)
    {
        setFrameShape(QFrame::NoFrame);
        setWidgetResizable(false);
        setAlignment(Qt::AlignLeft | Qt::AlignTop);
        setWidget(form);
        setFocusProxy(form);
    }

    QSize sizeHint() const override
    {
        const int frame = 2 * frameWidth();
        return widget() ? widget()->size() + QSize(frame, frame) : QScrollArea::sizeHint();
    }
};

// How far down and right each window of a cascade lies from the one before: its title bar and a
// little more, so that every title bar stays in sight. New windows open at the same places.
int cascadeStep(const QMdiSubWindow* window)
{
    return window->style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, window) + 4;
}

// Minimised windows lie in rows along the bottom of the room, left to right, the first row lowest.
// Returns the room left above them.
QRect layIcons(const QList<QMdiSubWindow*>& icons, const QRect& room)
{
    int x = room.left();
    int rowBottom = room.bottom();
    int top = room.bottom() + 1;
    for (QMdiSubWindow* icon : icons) {
        const QSize size = icon->size();
        if (x > room.left() && x + size.width() > room.right() + 1) {
            x = room.left();
            rowBottom = top - 1;
        }
        icon->move(x, rowBottom - size.height() + 1);
        icon->raise();
        x += size.width();
        top = std::min(top, rowBottom - size.height() + 1);
    }
    return QRect(room.topLeft(), QPoint(room.right(), std::max(room.top(), top - 1)));
}

}  // namespace

MDIForm1::MDIForm1(QWidget* parent) : QMainWindow(parent), area_(new QMdiArea(this))
{
    setWindowTitle(Caption);
    setWindowIcon(ui::windowIcon("main"));
    area_->setObjectName(QStringLiteral("MDIClient"));
    area_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    area_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    area_->setBackground(palette().brush(QPalette::Dark));
    setCentralWidget(area_);
    buildMenus();
    QApplication::instance()->installEventFilter(this);
    // Client area 443 x 325 pixels below the menu bar.
    resize(443, 325 + menuBar()->sizeHint().height());
}

void MDIForm1::buildMenus()
{
    for (const Menu& menu : menuTable()) {
        QMenu* drop = menuBar()->addMenu(QString::fromUtf8(menu.caption));
        drop->setObjectName(QString::fromUtf8(menu.name));
        for (const MenuItem& item : menu.items) {
            QAction* action = drop->addAction(QString::fromUtf8(item.caption));
            action->setObjectName(QString::fromUtf8(item.name));
            action->setShortcut(item.shortcut);
            action->setShortcutVisibleInContextMenu(true);
            if (!fieldKeepsKey(item.shortcut))
                menuKeys_.append(item.shortcut);
            if (item.command)
                connect(action, &QAction::triggered, this, item.command);
        }
    }
}

// A focused text field or list claims many Ctrl keys as editing keys of its own (Ctrl+E moves to
// the end of the line, Ctrl+H deletes backwards): it accepts the shortcut-override event, and the
// menu never sees the key. Within this window that event is refused for the menu's shortcuts, so
// they reach the menu from every field of every child window; the keys in fieldKeepsKey stay with
// the field.
bool MDIForm1::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::ShortcutOverride && watched->isWidgetType() &&
        static_cast<QWidget*>(watched)->window() == this) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (menuKeys_.contains(QKeySequence(key->keyCombination()))) {
            event->ignore();
            return true;
        }
    }
    // Hiding the contents of a window being minimised, Qt passes the keyboard along the focus chain
    // through the windows behind it, and each it passes forgets the field it last had. The keyboard
    // leaves the window for the client area first; activateNextOpenWindow() then hands it on.
    if (event->type() == QEvent::WindowStateChange) {
        auto* window = qobject_cast<QMdiSubWindow*>(watched);
        const auto* change = static_cast<QWindowStateChangeEvent*>(event);
        if (window && window->mdiArea() == area_ && window->isMinimized() &&
            !(change->oldState() & Qt::WindowMinimized) && window->isAncestorOf(QApplication::focusWidget()))
            area_->setFocus();
    }
    return QMainWindow::eventFilter(watched, event);
}

QMdiSubWindow* MDIForm1::childWindow(ChildKind kind) const
{
    QMdiSubWindow* window = slots_[static_cast<std::size_t>(kind)];
    // A closed window leaves the area's list at once but is deleted only later, when the event loop
    // gets to it.
    return window && area_->subWindowList().contains(window) ? window : nullptr;
}

void MDIForm1::ShowChildForm(ChildKind kind)
{
    QMdiSubWindow* window = childWindow(kind);
    if (!window) {
        ui::FormWidget* form = createChildForm(kind);
        if (!form)
            return;
        window = new QMdiSubWindow;
        window->setWidget(new ClientArea(form));
        window->setAttribute(Qt::WA_DeleteOnClose);
        window->setWindowFlags(Qt::SubWindow | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                               Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
        window->setWindowTitle(ui::qs(form->design().caption));
        window->setWindowIcon(ui::windowIcon(form->design().icon));
        closesOnCtrlF4(window);
        connect(window, &QMdiSubWindow::windowStateChanged, this,
                [this, window](Qt::WindowStates before, Qt::WindowStates now) {
                    if (!(before & Qt::WindowMinimized) && (now & Qt::WindowMinimized))
                        activateNextOpenWindow(window);
                });
        area_->addSubWindow(window);
        window->resize(window->sizeHint());
        // A new window opens at the next cascade place from the top left of the client area.
        const int place = static_cast<int>(area_->subWindowList().size()) - 1;
        window->move(place * cascadeStep(window), place * cascadeStep(window));
        slots_[static_cast<std::size_t>(kind)] = window;
        window->show();
        form->setFocus();
    }
    activate(window);
}

// Qt, activating a window, gives the keyboard to the field the window had when it was last
// minimised or shown, not always the one it last had: that field takes it again here.
void MDIForm1::activate(QMdiSubWindow* window)
{
    QWidget* field = window->widget()->focusWidget();
    if (window->isMinimized())
        window->showNormal();
    area_->setActiveSubWindow(window);
    window->raise();
    if (field)
        field->setFocus(Qt::ActiveWindowFocusReason);
}

// A minimised window keeps no keyboard: the topmost window that is not minimised takes it, in the
// field it last had; with none left, no window is active.
void MDIForm1::activateNextOpenWindow(QMdiSubWindow* minimised)
{
    if (area_->activeSubWindow() != minimised)
        return;
    const QList<QMdiSubWindow*> stack = area_->subWindowList(QMdiArea::StackingOrder);
    const auto next = std::find_if(stack.rbegin(), stack.rend(), [minimised](const QMdiSubWindow* w) {
        return w != minimised && w->isVisible() && !w->isMinimized();
    });
    if (next == stack.rend())
        area_->setActiveSubWindow(nullptr);
    else
        activate(*next);
}

void MDIForm1::closeEvent(QCloseEvent* event)
{
    for (QMessageBox* message : findChildren<QMessageBox*>())
        message->close();
    QMainWindow::closeEvent(event);
}

void MDIForm1::ArrangeWindows(short arrangement)
{
    QList<QMdiSubWindow*> open;
    QList<QMdiSubWindow*> icons;
    for (QMdiSubWindow* w : area_->subWindowList(QMdiArea::StackingOrder)) {
        if (!w->isVisible())
            continue;
        if (w->isMinimized())
            icons.append(w);
        else
            open.append(w);
    }
    if (open.isEmpty() && icons.isEmpty())
        return;
    // The minimised windows keep their row along the bottom; the others are arranged above it and
    // never cover them.
    const QRect room = layIcons(icons, area_->viewport()->rect());
    const int n = static_cast<int>(open.size());
    if (arrangement == 0) {
        // Cascade: each window at its design size again, one title bar further down and right.
        for (int i = 0; i < n; ++i) {
            const int step = cascadeStep(open[i]);
            open[i]->setGeometry(QRect(room.topLeft() + QPoint(i * step, i * step), open[i]->sizeHint()));
            open[i]->raise();
        }
    } else {
        for (int i = 0; i < n; ++i) {
            QRect tile;
            if (arrangement == 1)
                tile = QRect(room.left(), room.top() + room.height() * i / n, room.width(),
                             room.height() * (i + 1) / n - room.height() * i / n);
            else
                tile = QRect(room.left() + room.width() * i / n, room.top(),
                             room.width() * (i + 1) / n - room.width() * i / n, room.height());
            open[i]->setGeometry(tile);
        }
    }
    for (QMdiSubWindow* icon : icons)
        icon->raise();
}

void MDIForm1::OpenHelpViewer()
{
    CommonDialog1.HelpFile = HelpFile;
    // Where there is no such file or no viewer for it, nothing is said: the command ends.
    CommonDialog1.ShowHelp();
}

void MDIForm1::OpenWebPage()
{
    const QString address = QString::fromLatin1(WebPageAddress);
    if (ui::Shell(address, 2) == 0)
        ui::warn(this, QStringLiteral("网址"),
                 QStringLiteral("无法打开网页：\n%1\n请在浏览器中打开这个网址。").arg(QUrl(address).toDisplayString()));
}

void MDIForm1::showPlateWindow()
{
    ShowChildForm(ChildKind::Fo);
}

void MDIForm1::showTubeWindow()
{
    ShowChildForm(ChildKind::Fo23);
}

void MDIForm1::showUnitWindow()
{
    ShowChildForm(ChildKind::Form1);
}

void MDIForm1::showWeightWindow()
{
    ShowChildForm(ChildKind::Form2);
}

void MDIForm1::showCableTable()
{
    ShowChildForm(ChildKind::Form3);
}

void MDIForm1::showBusbarTable()
{
    ShowChildForm(ChildKind::Form4);
}

void MDIForm1::cascadeWindows()
{
    ArrangeWindows(0);
}

void MDIForm1::tileWindowsHorizontally()
{
    ArrangeWindows(1);
}

void MDIForm1::tileWindowsVertically()
{
    ArrangeWindows(2);
}

void MDIForm1::showIntroduction()
{
    OpenHelpViewer();
}

void MDIForm1::showWebPage()
{
    OpenWebPage();
}

}  // namespace heatcalc
