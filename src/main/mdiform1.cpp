#include "main/mdiform1.h"

#include <QAction>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QScrollArea>
#include <QStyle>

#include <algorithm>
#include <functional>
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
    std::function<void(MDIForm1&)> click;  // empty: the item has no action
};

struct Menu {
    const char* name;
    const char* caption;
    std::vector<MenuItem> items;
};

std::vector<Menu> menuTable()
{
    return {
        {"MenuFile",
         "换热器选型(&F)",
         {
             {"MenuNew", "板式换热器(&N)", QKeySequence(QStringLiteral("Ctrl+A")),
              [](MDIForm1& m) { m.MenuNew_Click(11); }},
             {"MenuOpen", "管式换热器(&O)", QKeySequence(QStringLiteral("Ctrl+B")),
              [](MDIForm1& m) { m.MenuOpen_Click(12); }},
             {"MenuSave", "烟道换热器(&S)", QKeySequence(QStringLiteral("Ctrl+C")), {}},
             {"MenuSp0", "高温汽水换热器(&C)", QKeySequence(QStringLiteral("Ctrl+D")), {}},
             {"MenuExit", "换热机组(&X)", QKeySequence(QStringLiteral("Ctrl+E")),
              [](MDIForm1& m) { m.MenuExit_Click(14); }},
         }},
        {"QITAJISUAN",
         "其他计算",
         {
             {"LIUSU", "管道流速计算", QKeySequence(QStringLiteral("Ctrl+F")), {}},
             {"ZHONGLIANG", "材料重量计算", QKeySequence(QStringLiteral("Ctrl+G")),
              [](MDIForm1& m) { m.ZHONGLIANG_Click(25); }},
         }},
        {"CABIAO",
         "查表",
         {
             {"mupai", "母排载流表", QKeySequence(QStringLiteral("Ctrl+H")), [](MDIForm1& m) { m.mupai_Click(); }},
             {"DIANYUANXIAN", "电源线载流表", QKeySequence(QStringLiteral("Ctrl+I")),
              [](MDIForm1& m) { m.DIANYUANXIAN_Click(54); }},
             {"SHUIXING", "水的物理特性表", QKeySequence(QStringLiteral("Ctrl+J")), {}},
         }},
        {"MenuWindows",
         "窗口(&W)",
         {
             {"MenuCascade", "层叠(&C)", QKeySequence(Qt::Key_F2), [](MDIForm1& m) { m.MenuCascade_Click(21); }},
             {"MenuHorizontal", "水平排列(&H)", QKeySequence(Qt::Key_F4),
              [](MDIForm1& m) { m.MenuHorizontal_Click(22); }},
             {"MenuVertical", "垂直排列(&V)", QKeySequence(Qt::Key_F5), [](MDIForm1& m) { m.MenuVertical_Click(23); }},
         }},
        {"MenuHelp",
         "帮助(&h)",
         {
             {"wwww", "网址", QKeySequence(Qt::Key_Delete), [](MDIForm1& m) { m.wwww_Click(); }},
             {"MenuAbout", "系统介绍(&A)", QKeySequence(Qt::Key_F1), [](MDIForm1& m) { m.MenuAbout_Click(); }},
         }},
    };
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
    QCoreApplication::instance()->installEventFilter(this);
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
            if (item.click)
                connect(action, &QAction::triggered, this, [this, click = item.click] { click(*this); });
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
    return QMainWindow::eventFilter(watched, event);
}

QMdiSubWindow* MDIForm1::childWindow(ChildKind kind) const
{
    return slots_[static_cast<std::size_t>(kind)];
}

void MDIForm1::ShowChildForm(ChildKind kind)
{
    QPointer<QMdiSubWindow>& slot = slots_[static_cast<std::size_t>(kind)];
    if (!slot) {
        ui::FormWidget* form = createChildForm(kind);
        if (!form)
            return;
        auto* window = new QMdiSubWindow;
        window->setWidget(new ClientArea(form));
        window->setAttribute(Qt::WA_DeleteOnClose);
        window->setWindowFlags(Qt::SubWindow | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                               Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
        window->setWindowTitle(ui::qs(form->design().caption));
        window->setWindowIcon(ui::windowIcon(form->design().icon));
        closesOnCtrlF4(window);
        area_->addSubWindow(window);
        window->resize(window->sizeHint());
        // A new window opens at the next cascade place from the top left of the client area.
        const int step = style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, window) + 4;
        const int place = static_cast<int>(area_->subWindowList().size()) - 1;
        window->move(place * step, place * step);
        slot = window;
        window->show();
        form->setFocus();
    }
    if (slot->isMinimized())
        slot->showNormal();
    area_->setActiveSubWindow(slot);
    slot->raise();
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
            const int step = style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, open[i]) + 4;
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
    CommonDialog1.CancelError = true;
    // From here any failure ends the command silently.
    try {
        CommonDialog1.HelpCommand = 9;  // show the named help file
        CommonDialog1.HelpFile = HelpFile;
        CommonDialog1.ShowHelp();
    } catch (...) {
    }
}

void MDIForm1::OpenWebPage()
{
    ui::Shell(QString::fromLatin1(WebPageAddress), 2);
}

void MDIForm1::MenuNew_Click(short)
{
    ShowChildForm(ChildKind::Fo);
}

void MDIForm1::MenuOpen_Click(short)
{
    ShowChildForm(ChildKind::Fo23);
}

void MDIForm1::MenuExit_Click(short)
{
    ShowChildForm(ChildKind::Form1);
}

void MDIForm1::ZHONGLIANG_Click(short)
{
    ShowChildForm(ChildKind::Form2);
}

void MDIForm1::DIANYUANXIAN_Click(short)
{
    ShowChildForm(ChildKind::Form3);
}

void MDIForm1::mupai_Click()
{
    ShowChildForm(ChildKind::Form4);
}

void MDIForm1::MenuCascade_Click(short)
{
    ArrangeWindows(0);
}

void MDIForm1::MenuHorizontal_Click(short)
{
    ArrangeWindows(1);
}

void MDIForm1::MenuVertical_Click(short)
{
    ArrangeWindows(2);
}

void MDIForm1::MenuAbout_Click()
{
    OpenHelpViewer();
}

void MDIForm1::wwww_Click()
{
    OpenWebPage();
}

}  // namespace heatcalc
