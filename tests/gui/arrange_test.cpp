#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionTitleBar>

#include "gui_support.h"
#include "ui/appearance.h"

#include <algorithm>
#include <climits>
#include <utility>

using heatcalc::ChildKind;
using heatcalc::MDIForm1;

// The Window menu's arrangements keep every window's contents at its top left and reachable, give
// each window its design size back on cascading, and never cover a minimised window.
class ArrangeTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void tilingKeepsEveryControlReachable_data();
    void tilingKeepsEveryControlReachable();
    void contentsStartAtTheTopLeft();
    void cascadeGivesBackTheDesignSize();
    void minimisedWindowStaysInSight_data();
    void minimisedWindowStaysInSight();
    void tabbingScrollsTheFocusIntoView();
    void minimisingHandsTheKeyboardOnAndTheMenuRestores();

private:
    [[nodiscard]] bool openCalculators();
    void arrange(int key);
    std::unique_ptr<MDIForm1> main_;
};

namespace {

const ChildKind Calculators[] = {ChildKind::Fo, ChildKind::Fo23, ChildKind::Form1, ChildKind::Form2};

QScrollArea* clientOf(QMdiSubWindow* window)
{
    return qobject_cast<QScrollArea*>(window->widget());
}

QSize designSize(heatcalc::ui::FormWidget* form)
{
    return {heatcalc::ui::pixels(form->design().clientWidth), heatcalc::ui::pixels(form->design().clientHeight)};
}

// Minimises a child window as the user does: a click on the minimise button of its title bar.
// False when the title bar shows no such button.
[[nodiscard]] bool clickMinimise(QMdiSubWindow* window)
{
    QStyleOptionTitleBar option;
    option.initFrom(window);
    option.rect =
        QRect(0, 0, window->width(), window->style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, window));
    option.titleBarFlags = window->windowFlags();
    option.titleBarState = static_cast<int>(window->windowState());
    option.subControls = QStyle::SC_All;
    const QRect button =
        window->style()->subControlRect(QStyle::CC_TitleBar, &option, QStyle::SC_TitleBarMinButton, window);
    if (!button.isValid())
        return false;
    QTest::mouseMove(window, button.center());
    QTest::mouseClick(window, Qt::LeftButton, {}, button.center());
    return true;
}

// Why the tiles of an arrangement do not share the room exactly: one above the other (horizontal)
// or side by side, each across the room's whole width (height), the tiles' shares differing by a
// pixel at most, no strip left uncovered and none covered twice. Empty when they do.
QString tilingFault(QList<QRect> tiles, const QRect& room, bool horizontal)
{
    if (tiles.isEmpty())
        return QStringLiteral("no tiles");
    const auto start = [horizontal](const QRect& r) { return horizontal ? r.top() : r.left(); };
    const auto end = [horizontal](const QRect& r) { return horizontal ? r.bottom() : r.right(); };
    const auto across = [horizontal](const QRect& r) {
        return horizontal ? std::pair(r.left(), r.right()) : std::pair(r.top(), r.bottom());
    };
    std::sort(tiles.begin(), tiles.end(), [&](const QRect& a, const QRect& b) { return start(a) < start(b); });
    int edge = start(room);
    int least = INT_MAX;
    int most = 0;
    for (const QRect& tile : tiles) {
        if (across(tile) != across(room) || start(tile) != edge) {
            QString fault;
            QDebug(&fault) << "tile" << tile << "after edge" << edge << "in room" << room;
            return fault;
        }
        least = std::min(least, end(tile) - start(tile) + 1);
        most = std::max(most, end(tile) - start(tile) + 1);
        edge = end(tile) + 1;
    }
    if (edge != end(room) + 1)
        return QStringLiteral("uncovered from %1 to %2").arg(edge).arg(end(room));
    if (most - least > 1)
        return QStringLiteral("shares of %1 to %2 pixels").arg(least).arg(most);
    return {};
}

// The places of the windows that are not minimised.
QList<QRect> openWindowPlaces(MDIForm1& main)
{
    QList<QRect> out;
    for (QMdiSubWindow* window : main.area()->subWindowList())
        if (!window->isMinimized())
            out << window->geometry();
    return out;
}

// The part of a control the user sees, in the viewport of its window's client area.
QRect seenPart(QScrollArea* client, QWidget* control)
{
    const QRect r(control->mapTo(client->viewport(), QPoint(0, 0)), control->size());
    return r & client->viewport()->rect();
}

}  // namespace

void ArrangeTest::init()
{
    main_ = std::make_unique<MDIForm1>();
    main_->show();
    main_->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(main_.get()));
}

// Opens the four calculators. False when one of them shows no controls.
bool ArrangeTest::openCalculators()
{
    for (ChildKind kind : Calculators)
        main_->ShowChildForm(kind);
    for (ChildKind kind : Calculators)
        if (!formOf(main_->childWindow(kind)))
            return false;
    return true;
}

// The key from the main window, as the user presses it; then the windows settle.
void ArrangeTest::arrange(int key)
{
    QTest::keyClick(main_.get(), static_cast<Qt::Key>(key));
    QCoreApplication::processEvents();
}

void ArrangeTest::tilingKeepsEveryControlReachable_data()
{
    QTest::addColumn<int>("key");
    QTest::newRow("F4 水平排列") << int(Qt::Key_F4);
    QTest::newRow("F5 垂直排列") << int(Qt::Key_F5);
}

// Tiled into the main window's client area at its design size, every window is smaller than its
// design; scrolling brings each of its controls into view, whole.
void ArrangeTest::tilingKeepsEveryControlReachable()
{
    QFETCH(int, key);
    QVERIFY(openCalculators());
    arrange(key);
    // The tiles share the whole client area; no scroll bar takes a strip of it.
    QMdiArea* area = main_->area();
    QCOMPARE(area->viewport()->size(), area->contentsRect().size());
    const QString fault = tilingFault(openWindowPlaces(*main_), area->viewport()->rect(), key == Qt::Key_F4);
    QVERIFY2(fault.isEmpty(), qPrintable(fault));
    for (ChildKind kind : Calculators) {
        QMdiSubWindow* window = main_->childWindow(kind);
        auto* form = formOf(window);
        QVERIFY(form);
        QScrollArea* client = clientOf(window);
        QVERIFY(window->width() < designSize(form).width() || window->height() < designSize(form).height());
        QCOMPARE(form->size(), designSize(form));
        for (const heatcalc::Control& c : form->design().controls) {
            QWidget* control = form->control(heatcalc::controlKey(c));
            if (!control || c.kind == heatcalc::ControlKind::Line || c.kind == heatcalc::ControlKind::Frame)
                continue;
            // Of a control reaching beyond the design's client area, the part inside it.
            const QRect inForm = QRect(control->mapTo(form, QPoint(0, 0)), control->size()) & form->rect();
            // Scrolled as far as the scroll bars go towards the control's top left corner.
            client->horizontalScrollBar()->setValue(inForm.left());
            client->verticalScrollBar()->setValue(inForm.top());
            const QRect seen = seenPart(client, control);
            const QSize whole = inForm.size().boundedTo(client->viewport()->size());
            QVERIFY2(seen.width() >= whole.width() && seen.height() >= whole.height(),
                     qPrintable(form->design().name.data() + QStringLiteral(" ") +
                                QString::fromStdString(heatcalc::controlKey(c))));
        }
    }
    // The plate window scrolled to its end shows its last pixel and its print button.
    auto* plate = formOf(main_->childWindow(ChildKind::Fo));
    QVERIFY(plate);
    QScrollArea* client = clientOf(main_->childWindow(ChildKind::Fo));
    client->verticalScrollBar()->setValue(client->verticalScrollBar()->maximum());
    client->horizontalScrollBar()->setValue(client->horizontalScrollBar()->maximum());
    QVERIFY(client->viewport()->rect().contains(
        plate->mapTo(client->viewport(), QPoint(plate->width() - 1, plate->height() - 1))));
    QVERIFY(!seenPart(client, plate->control("Command2")).isEmpty());
}

// A window taller or wider than its design shows its controls from the top left, not centred.
void ArrangeTest::contentsStartAtTheTopLeft()
{
    main_->resize(1600, 1000);
    QCoreApplication::processEvents();
    main_->ShowChildForm(ChildKind::Form2);
    main_->ShowChildForm(ChildKind::Form1);
    arrange(Qt::Key_F5);
    for (ChildKind kind : {ChildKind::Form2, ChildKind::Form1}) {
        QMdiSubWindow* window = main_->childWindow(kind);
        auto* form = formOf(window);
        QVERIFY(form);
        QVERIFY(window->height() > designSize(form).height() + 200);
        QScrollArea* client = clientOf(window);
        QCOMPARE(form->pos(), QPoint(0, 0));
        QCOMPARE(client->viewport()->mapTo(window, QPoint(0, 0)), client->mapTo(window, QPoint(0, 0)));
        QVERIFY(!client->verticalScrollBar()->isVisible());
        // Right under the title bar.
        QVERIFY(client->mapTo(window, QPoint(0, 0)).y() <=
                window->style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, window) + 8);
    }
}

// Cascading puts the windows, each at its design size, where they opened: one step further down
// and right for each, from the top left, each title bar in sight below the one before.
void ArrangeTest::cascadeGivesBackTheDesignSize()
{
    QVERIFY(openCalculators());
    QList<QPoint> opened;
    for (QMdiSubWindow* window : main_->area()->subWindowList(QMdiArea::StackingOrder))
        opened << window->pos();
    const int titleBar =
        main_->style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, main_->childWindow(ChildKind::Fo));
    for (int key : {Qt::Key_F4, Qt::Key_F5}) {
        arrange(key);
        arrange(Qt::Key_F2);
        QList<QPoint> corners;
        for (QMdiSubWindow* window : main_->area()->subWindowList(QMdiArea::StackingOrder)) {
            auto* form = formOf(window);
            QVERIFY(form);
            QScrollArea* client = clientOf(window);
            QCOMPARE(client->viewport()->size(), designSize(form));
            QVERIFY(!client->horizontalScrollBar()->isVisible() && !client->verticalScrollBar()->isVisible());
            corners << window->pos();
        }
        // One title bar further for each window, from the top left.
        QCOMPARE(corners.front(), QPoint(0, 0));
        for (qsizetype i = 1; i < corners.size(); ++i) {
            QVERIFY(corners[i].x() > corners[i - 1].x() && corners[i].x() == corners[i].y());
            QVERIFY(corners[i].y() - corners[i - 1].y() >= titleBar);
        }
        QCOMPARE(corners, opened);
    }
}

void ArrangeTest::minimisedWindowStaysInSight_data()
{
    QTest::addColumn<int>("key");
    QTest::newRow("F2 层叠") << int(Qt::Key_F2);
    QTest::newRow("F4 水平排列") << int(Qt::Key_F4);
    QTest::newRow("F5 垂直排列") << int(Qt::Key_F5);
}

void ArrangeTest::minimisedWindowStaysInSight()
{
    QFETCH(int, key);
    // Large enough for the title bars' buttons to be in sight.
    main_->resize(1400, 1000);
    QVERIFY(openCalculators());
    QMdiSubWindow* weight = main_->childWindow(ChildKind::Form2);
    QMdiSubWindow* unit = main_->childWindow(ChildKind::Form1);
    QVERIFY(clickMinimise(weight));
    QVERIFY(clickMinimise(unit));
    QTRY_VERIFY(weight->isMinimized() && unit->isMinimized());
    arrange(key);
    QVERIFY(weight->isMinimized() && unit->isMinimized());
    const QRect room = main_->area()->viewport()->rect();
    const QList<QMdiSubWindow*> stack = main_->area()->subWindowList(QMdiArea::StackingOrder);
    for (QMdiSubWindow* icon : {weight, unit}) {
        QVERIFY(icon->isVisible());
        QVERIFY(room.contains(icon->geometry()));
        // No window lies over it.
        for (qsizetype i = stack.indexOf(icon) + 1; i < stack.size(); ++i)
            QVERIFY2(!stack[i]->geometry().intersects(icon->geometry()), qPrintable(stack[i]->windowTitle()));
    }
    // The tiles share the room above the minimised windows.
    if (key != Qt::Key_F2) {
        for (ChildKind kind : {ChildKind::Fo, ChildKind::Fo23}) {
            const QRect tile = main_->childWindow(kind)->geometry();
            QVERIFY(!tile.intersects(weight->geometry()) && !tile.intersects(unit->geometry()));
            QVERIFY(room.contains(tile));
        }
        const QRect above(room.topLeft(), QPoint(room.right(), std::min(weight->y(), unit->y()) - 1));
        const QString fault = tilingFault(openWindowPlaces(*main_), above, key == Qt::Key_F4);
        QVERIFY2(fault.isEmpty(), qPrintable(fault));
    }
}

// Tabbing through a window smaller than its design brings each field into view as it takes the
// focus.
void ArrangeTest::tabbingScrollsTheFocusIntoView()
{
    QVERIFY(openCalculators());
    arrange(Qt::Key_F4);
    QMdiSubWindow* window = main_->childWindow(ChildKind::Fo);
    main_->area()->setActiveSubWindow(window);
    auto* plate = formOf(window);
    QVERIFY(plate);
    QScrollArea* client = clientOf(window);
    QWidget* first = plate->control("Text1");
    first->setFocus();
    QTRY_VERIFY(first->hasFocus());
    bool scrolled = false;
    for (int i = 0; i < 30; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QWidget* focus = QApplication::focusWidget();
        QVERIFY(focus && plate->isAncestorOf(focus));
        QVERIFY2(!seenPart(client, focus).isEmpty(), qPrintable(focus->objectName()));
        scrolled = scrolled || client->verticalScrollBar()->value() > 0;
    }
    QVERIFY(scrolled);
}

// Minimising the active window hands the keyboard to the window below it that is not minimised,
// at the field it last had; with every window minimised none is active. Chosen from the menu
// again, a minimised window comes back where it was, at its size, with the keyboard.
void ArrangeTest::minimisingHandsTheKeyboardOnAndTheMenuRestores()
{
    main_->resize(1400, 1000);
    QVERIFY(openCalculators());
    QMdiSubWindow* weight = main_->childWindow(ChildKind::Form2);
    auto* length = qobject_cast<QLineEdit*>(formOf(main_->childWindow(ChildKind::Form1))->control("Text2"));
    QVERIFY(length);
    QTest::mouseClick(length, Qt::LeftButton);
    QTest::mouseClick(formOf(weight)->control("Text3"), Qt::LeftButton);
    QCOMPARE(main_->area()->activeSubWindow(), weight);
    const QRect before = weight->geometry();

    QVERIFY(clickMinimise(weight));
    QTRY_VERIFY(weight->isMinimized());
    QCOMPARE(main_->area()->activeSubWindow(), main_->childWindow(ChildKind::Form1));
    QCOMPARE(QApplication::focusWidget(), length);
    const QString typed = length->text() + QStringLiteral("5");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_5, Qt::NoModifier);
    QCOMPARE(length->text(), typed);

    for (ChildKind kind : {ChildKind::Form1, ChildKind::Fo23, ChildKind::Fo}) {
        QMdiSubWindow* window = main_->childWindow(kind);
        QCOMPARE(main_->area()->activeSubWindow(), window);
        QVERIFY(clickMinimise(window));
        QTRY_VERIFY(window->isMinimized());
    }
    QCOMPARE(main_->area()->activeSubWindow(), nullptr);
    for (QMdiSubWindow* window : main_->area()->subWindowList())
        QVERIFY(!window->isAncestorOf(QApplication::focusWidget()));

    QTest::keyClick(main_.get(), Qt::Key_G, Qt::ControlModifier);
    QVERIFY(!weight->isMinimized());
    QCOMPARE(weight->geometry(), before);
    QCOMPARE(main_->area()->activeSubWindow(), weight);
    QCOMPARE(QApplication::focusWidget(), formOf(weight)->control("Text3"));
}

QTEST_MAIN(ArrangeTest)
#include "arrange_test.moc"
