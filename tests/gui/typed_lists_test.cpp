#include <QLabel>
#include <QWheelEvent>

#include "gui_support.h"
#include "unit/form1.h"
#include "weight/form2.h"

using heatcalc::ChildKind;
using heatcalc::MDIForm1;
using heatcalc::ui::FormWidget;

namespace {

// Where the desktop sends a key: the open drop-down, else the focused control.
QWidget* keyTarget()
{
    if (QWidget* popup = QApplication::activePopupWidget())
        return popup->focusWidget() ? popup->focusWidget() : popup;
    return QApplication::focusWidget();
}

// Sends a key where the desktop would. False when no control has the focus.
[[nodiscard]] bool key(Qt::Key k, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QWidget* target = keyTarget();
    if (!target)
        return false;
    QTest::keyClick(target, k, modifiers);
    return true;
}

// Types text with key presses that carry their characters, as a keyboard or input method does.
// False when a key finds no control with the focus.
[[nodiscard]] bool typeKeys(const QString& text)
{
    for (const QChar c : text) {
        QWidget* target = keyTarget();
        if (!target)
            return false;
        if (c.unicode() < 0x80)
            QTest::keyClick(target, c.toLatin1());
        else
            QTest::sendKeyEvent(QTest::Click, target, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
    return true;
}

QComboBox* list(FormWidget* form, const char* key)
{
    return qobject_cast<QComboBox*>(form->control(key));
}

// Clicks into a list's text part, selects its text with Ctrl+A and types over it. False when the
// window has no such list or the click does not give the list the focus.
[[nodiscard]] bool typeIntoList(FormWidget* form, const char* name, const QString& text)
{
    QComboBox* combo = list(form, name);
    if (!combo)
        return false;
    QTest::mouseClick(combo->lineEdit(), Qt::LeftButton);
    if (QApplication::focusWidget() != combo)
        return false;
    return key(Qt::Key_A, Qt::ControlModifier) && typeKeys(text);
}

// The row the open drop-down highlights: its current item, which is also the one selected; -1 for
// none (no current item, nothing selected), -2 when the two disagree.
int highlighted(QComboBox* combo)
{
    QAbstractItemView* view = combo->view();
    const QModelIndexList selected = view->selectionModel()->selectedIndexes();
    const QModelIndex current = view->currentIndex();
    if (!current.isValid())
        return selected.isEmpty() ? -1 : -2;
    return selected.size() == 1 && selected.front() == current ? current.row() : -2;
}

// A model of the window fed the same texts, for the results the core computes from them.
template <typename Model>
std::string computed(std::initializer_list<std::pair<const char*, const char*>> texts,
                     std::initializer_list<const char*> handlers, const char* field)
{
    Model m;
    for (const auto& [k, t] : texts)
        m.setText(k, t);
    for (const char* h : handlers)
        m.run(h);
    return m.text(field);
}

}  // namespace

class TypedListsTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void plateListKeepsTypedTextAndComputesTheUnmatchedPath();
    void plateListKeepsATrailingBlankAndComputesItsRow();
    void unitListsKeepTypedTexts();
    void weightListKeepsTypedNamesAndTheLastPickedDensity();
    void pickingWithTheMouseRunsTheHandler();
    void pickingWithArrowKeysAndEnterRunsTheHandler();
    void tabFocusLossEnterAndClosingTheListRunNothing();
    void openedListHighlightsTheItemOfItsTextOrNone();

private:
    FormWidget* open(ChildKind kind);
    std::unique_ptr<MDIForm1> main_;
};

void TypedListsTest::init()
{
    main_ = std::make_unique<MDIForm1>();
    main_->show();
    main_->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(main_.get()));
}

void TypedListsTest::cleanup()
{
    main_.reset();
}

FormWidget* TypedListsTest::open(ChildKind kind)
{
    main_->ShowChildForm(kind);
    return formOf(main_->childWindow(kind));
}

void TypedListsTest::plateListKeepsTypedTextAndComputesTheUnmatchedPath()
{
    WarningLog log;
    FormWidget* plate = open(ChildKind::Fo);
    QVERIFY(click(plate, "Command1"));
    for (const QString& typed : {QStringLiteral("0"), QStringLiteral("0.8"), QStringLiteral("0.2")}) {
        QVERIFY(typeIntoList(plate, "Combo1", typed));
        QCOMPARE(widgetText(plate, "Combo1"), typed);
        QCOMPARE(plate->model().text("Combo1"), typed.toStdString());
        QVERIFY(key(Qt::Key_Tab));
        QCOMPARE(widgetText(plate, "Combo1"), typed);
    }
    QCOMPARE(widgetText(plate, "Text44"), QString());
    // No plate row has the area 0.2: the count is worked out from the typed area, then the
    // channel section of no row stops the press.
    QVERIFY(click(plate, "Command3"));
    QCOMPARE(widgetText(plate, "Text19"), QStringLiteral("55.8987665127945"));
    QCOMPARE(log.entries.size(), 1);
    QCOMPARE(widgetText(plate, "Combo1"), QStringLiteral("0.2"));
}

void TypedListsTest::plateListKeepsATrailingBlankAndComputesItsRow()
{
    FormWidget* plate = open(ChildKind::Fo);
    QVERIFY(click(plate, "Command1"));
    QVERIFY(typeIntoList(plate, "Combo1", QStringLiteral("0.5 ")));
    QVERIFY(key(Qt::Key_Tab));
    QCOMPARE(widgetText(plate, "Combo1"), QStringLiteral("0.5 "));
    QCOMPARE(plate->model().text("Combo1"), std::string("0.5 "));
    QCOMPARE(widgetText(plate, "Text44"), QString());
    QVERIFY(click(plate, "Command3"));
    QCOMPARE(widgetText(plate, "Text19"), QStringLiteral("22.3595066051178"));
    QCOMPARE(widgetText(plate, "Combo1"), QStringLiteral("0.5 "));
}

void TypedListsTest::unitListsKeepTypedTexts()
{
    FormWidget* unit = open(ChildKind::Form1);
    QVERIFY(typeIntoList(unit, "Combo1", QStringLiteral("60")));
    QVERIFY(key(Qt::Key_Tab));
    QVERIFY(typeIntoList(unit, "Combo2", QStringLiteral("0")));
    QVERIFY(key(Qt::Key_Tab));
    QCOMPARE(widgetText(unit, "Combo1"), QStringLiteral("60"));
    QCOMPARE(widgetText(unit, "Combo2"), QStringLiteral("0"));
    QVERIFY(typeIntoList(unit, "Combo2", QStringLiteral("2")));
    QVERIFY(key(Qt::Key_Tab));
    QCOMPARE(widgetText(unit, "Combo2"), QStringLiteral("2"));
    QVERIFY(click(unit, "Command1"));
    QVERIFY(click(unit, "Command1"));
    const auto inputs = {std::pair{"Combo1", "60"}, {"Combo2", "2"}};
    for (const char* field : {"Text13", "Text5", "Text14"})
        QCOMPARE(widgetText(unit, field), QString::fromStdString(computed<heatcalc::Form1>(
                                              inputs, {"Command1_Click", "Command1_Click"}, field)));
    QVERIFY(widgetText(unit, "Text13") != QStringLiteral("流速太低"));
}

void TypedListsTest::weightListKeepsTypedNamesAndTheLastPickedDensity()
{
    FormWidget* weight = open(ChildKind::Form2);
    QVERIFY(pick(weight, "Combo1", QStringLiteral("铸钢")));
    QCOMPARE(weight->model().text("Text21"), std::string("7800"));

    QVERIFY(typeIntoList(weight, "Combo1", QStringLiteral("高碳钢")));
    QVERIFY(key(Qt::Key_Tab));
    QCOMPARE(widgetText(weight, "Combo1"), QStringLiteral("高碳钢"));
    QVERIFY(click(weight, "Command1"));
    const std::string castSteelPipe =
        computed<heatcalc::Form2>({{"Combo1", "铸钢"}}, {"Combo1_Click", "Command1_Click"}, "Text5");
    QCOMPARE(widgetText(weight, "Text5"), QString::fromStdString(castSteelPipe));

    // Typing the name of another material and pressing the button keeps the picked density.
    QVERIFY(typeIntoList(weight, "Combo1", QStringLiteral("汞")));
    QCOMPARE(widgetText(weight, "Combo1"), QStringLiteral("汞"));
    QVERIFY(click(weight, "Command3"));
    QCOMPARE(weight->model().text("Text21"), std::string("7800"));
    const std::string castSteelPlate =
        computed<heatcalc::Form2>({{"Combo1", "铸钢"}}, {"Combo1_Click", "Command3_Click"}, "Text16");
    QCOMPARE(widgetText(weight, "Text16"), QString::fromStdString(castSteelPlate));
    QCOMPARE(widgetText(weight, "Combo1"), QStringLiteral("汞"));
}

void TypedListsTest::pickingWithTheMouseRunsTheHandler()
{
    FormWidget* plate = open(ChildKind::Fo);
    QComboBox* combo = list(plate, "Combo2");
    // A click on the arrow opens the list; the item is clicked a moment later.
    QStyleOptionComboBox option;
    option.initFrom(combo);
    option.editable = true;
    option.subControls = QStyle::SC_All;
    const QRect arrow = combo->style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxArrow, combo);
    QTest::mouseClick(combo, Qt::LeftButton, Qt::NoModifier, arrow.center());
    QAbstractItemView* items = combo->view();
    QTRY_VERIFY(items->isVisible());
    QCOMPARE(widgetText(plate, "Text44"), QString());
    QTest::qWait(QApplication::doubleClickInterval() + 50);
    const QRect third = items->visualRect(items->model()->index(2, 0));
    QTest::mouseClick(items->viewport(), Qt::LeftButton, Qt::NoModifier, third.center());
    QVERIFY(!items->isVisible());
    QCOMPARE(widgetText(plate, "Combo2"), QStringLiteral("0.52"));
    QCOMPARE(widgetText(plate, "Text44"), QStringLiteral("BBR0.52"));

    FormWidget* weight = open(ChildKind::Form2);
    QComboBox* materials = list(weight, "Combo1");
    QTest::mouseClick(materials->lineEdit(), Qt::LeftButton);
    QVERIFY(key(Qt::Key_Down, Qt::AltModifier));
    QTRY_VERIFY(materials->view()->isVisible());
    const QRect first = materials->view()->visualRect(materials->model()->index(0, 0));
    QTest::mouseClick(materials->view()->viewport(), Qt::LeftButton, Qt::NoModifier, first.center());
    QCOMPARE(widgetText(weight, "Combo1"), QStringLiteral("灰铸铁（<HT200）"));
    QCOMPARE(weight->model().text("Text21"), std::string("7200"));
}

void TypedListsTest::pickingWithArrowKeysAndEnterRunsTheHandler()
{
    FormWidget* plate = open(ChildKind::Fo);
    QComboBox* combo = list(plate, "Combo1");
    QTest::mouseClick(combo->lineEdit(), Qt::LeftButton);
    // The arrow keys open the closed list without changing its text; in the open list they
    // walk the items, and Enter picks.
    QVERIFY(key(Qt::Key_Down));
    QTRY_VERIFY(combo->view()->isVisible());
    QCOMPARE(widgetText(plate, "Combo1"), QStringLiteral("0.1"));
    QVERIFY(key(Qt::Key_Home));
    QVERIFY(key(Qt::Key_Down));
    QVERIFY(key(Qt::Key_Down));
    QCOMPARE(widgetText(plate, "Text44"), QString());
    QVERIFY(key(Qt::Key_Return));
    QVERIFY(!combo->view()->isVisible());
    QCOMPARE(widgetText(plate, "Combo1"), QStringLiteral("0.5"));
    QCOMPARE(plate->model().text("Combo1"), std::string("0.5"));
    QCOMPARE(widgetText(plate, "Text44"), QStringLiteral("BR0.5"));

    // Picking the item the list already shows runs the handler again.
    QVERIFY(typeIntoList(plate, "Combo2", QStringLiteral("0.85")));
    QVERIFY(key(Qt::Key_Down, Qt::AltModifier));
    QTRY_VERIFY(list(plate, "Combo2")->view()->isVisible());
    QVERIFY(key(Qt::Key_Home));
    QVERIFY(key(Qt::Key_Enter, Qt::KeypadModifier));
    QCOMPARE(widgetText(plate, "Text44"), QStringLiteral("BBR0.35"));
    QCOMPARE(widgetText(plate, "Combo2"), QStringLiteral("0.35"));
}

void TypedListsTest::tabFocusLossEnterAndClosingTheListRunNothing()
{
    FormWidget* plate = open(ChildKind::Fo);
    // True while no handler has written the code of a picked row.
    auto unchanged = [&] { return widgetText(plate, "Text44").isEmpty(); };

    // Tabbing through both untouched lists, whose texts are items.
    QTest::mouseClick(plate->control("Text13"), Qt::LeftButton);
    QVERIFY(key(Qt::Key_Tab));
    QCOMPARE(QApplication::focusWidget(), plate->control("Combo1"));
    QVERIFY(key(Qt::Key_Tab));
    QCOMPARE(QApplication::focusWidget(), plate->control("Combo2"));
    QVERIFY(key(Qt::Key_Tab));
    QVERIFY(unchanged());

    // A typed item text, then Tab, Enter, or a click into another field.
    QVERIFY(typeIntoList(plate, "Combo1", QStringLiteral("0.5")));
    QVERIFY(key(Qt::Key_Tab));
    QVERIFY(unchanged());
    QVERIFY(typeIntoList(plate, "Combo1", QStringLiteral("0.85")));
    QVERIFY(key(Qt::Key_Return));
    QVERIFY(unchanged());
    QTest::mouseClick(plate->control("Text1"), Qt::LeftButton);
    QVERIFY(unchanged());

    // Opening and closing the list: Alt+Down and Escape, Alt+Down twice, then Up to open it and
    // a click outside it to close it. F4 is not tried: on a list it tiles the windows.
    QComboBox* combo = list(plate, "Combo2");
    QTest::mouseClick(combo->lineEdit(), Qt::LeftButton);
    for (const auto& [open, close] : {std::pair{Qt::Key_Down, Qt::Key_Escape}, {Qt::Key_Down, Qt::Key_Down}}) {
        QVERIFY(key(open, Qt::AltModifier));
        QTRY_VERIFY(combo->view()->isVisible());
        QVERIFY(key(close, close == Qt::Key_Escape ? Qt::NoModifier : Qt::AltModifier));
        QTRY_VERIFY(!combo->view()->isVisible());
        QVERIFY(unchanged());
    }
    QVERIFY(key(Qt::Key_Up));
    QTRY_VERIFY(combo->view()->isVisible());
    QTest::mouseClick(QApplication::activePopupWidget(), Qt::LeftButton, Qt::NoModifier, QPoint(-20, -20));
    QTRY_VERIFY(!combo->view()->isVisible());
    QVERIFY(unchanged());
    QCOMPARE(widgetText(plate, "Combo2"), QStringLiteral("0.35"));

    // The wheel over a closed list does not step through its items.
    const QPointF at = QPointF(combo->rect().center());
    QWheelEvent wheel(at, combo->mapToGlobal(at), QPoint(), QPoint(0, -120), Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(combo, &wheel);
    QCOMPARE(widgetText(plate, "Combo2"), QStringLiteral("0.35"));
    QCOMPARE(widgetText(plate, "Combo1"), QStringLiteral("0.85"));
    QCOMPARE(plate->model().text("Combo1"), std::string("0.85"));
    QVERIFY(unchanged());
}

// The open drop-down highlights the item the text stands for, as the window's handlers match it,
// or none; Enter then picks that item, or with none keeps the typed text.
void TypedListsTest::openedListHighlightsTheItemOfItsTextOrNone()
{
    // Opens the list by its arrow key (or a click on its arrow button) and says which row lights.
    auto opened = [&](FormWidget* form, const char* name, bool byClick = false) {
        QComboBox* combo = list(form, name);
        if (byClick) {
            QStyleOptionComboBox option;
            option.initFrom(combo);
            option.editable = true;
            option.subControls = QStyle::SC_All;
            const QRect arrow =
                combo->style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxArrow, combo);
            QTest::mouseClick(combo, Qt::LeftButton, Qt::NoModifier, arrow.center());
        } else {
            QTest::mouseClick(combo->lineEdit(), Qt::LeftButton);
            if (!key(Qt::Key_Down))
                return -3;
        }
        return combo->view()->isVisible() ? highlighted(combo) : -4;
    };

    // The unit window's lists compare numbers: the pipe size "100" shown is the item "100", the
    // pump count "1" the item "01".
    FormWidget* unit = open(ChildKind::Form1);
    QCOMPARE(opened(unit, "Combo1"), 9);
    QVERIFY(key(Qt::Key_Return));
    QVERIFY(!list(unit, "Combo1")->view()->isVisible());
    QCOMPARE(widgetText(unit, "Combo1"), QStringLiteral("100"));
    QCOMPARE(opened(unit, "Combo2", true), 0);
    QVERIFY(key(Qt::Key_Escape));
    QCOMPARE(widgetText(unit, "Combo2"), QStringLiteral("1"));
    // A size that is no item lights none; Enter keeps it, and the arrow keys start from the top.
    QVERIFY(typeIntoList(unit, "Combo1", QStringLiteral("90")));
    QCOMPARE(opened(unit, "Combo1"), -1);
    QVERIFY(key(Qt::Key_Return));
    QTRY_VERIFY(!list(unit, "Combo1")->view()->isVisible());
    QCOMPARE(widgetText(unit, "Combo1"), QStringLiteral("90"));
    QCOMPARE(unit->model().text("Combo1"), std::string("90"));
    QCOMPARE(opened(unit, "Combo1"), -1);
    QVERIFY(key(Qt::Key_Down));
    QVERIFY(key(Qt::Key_Down));
    QCOMPARE(highlighted(list(unit, "Combo1")), 1);
    QVERIFY(key(Qt::Key_Return));
    QCOMPARE(widgetText(unit, "Combo1"), QStringLiteral("15"));

    // On the plate window a typed area replaces the item picked before it.
    FormWidget* plate = open(ChildKind::Fo);
    QVERIFY(pick(plate, "Combo1", QStringLiteral("0.85")));
    QVERIFY(typeIntoList(plate, "Combo1", QStringLiteral("0.5")));
    QCOMPARE(opened(plate, "Combo1", true), 2);
    QVERIFY(key(Qt::Key_Return));
    QCOMPARE(widgetText(plate, "Combo1"), QStringLiteral("0.5"));
    QCOMPARE(widgetText(plate, "Text44"), QStringLiteral("BR0.5"));
    QVERIFY(typeIntoList(plate, "Combo1", QStringLiteral("0.50")));
    QCOMPARE(opened(plate, "Combo1"), 2);
    QVERIFY(key(Qt::Key_Up));
    QCOMPARE(highlighted(list(plate, "Combo1")), 1);
    QVERIFY(key(Qt::Key_Escape));
    QVERIFY(typeIntoList(plate, "Combo1", QStringLiteral("0.3")));
    QCOMPARE(opened(plate, "Combo1"), -1);
    QVERIFY(key(Qt::Key_Enter, Qt::KeypadModifier));
    QTRY_VERIFY(!list(plate, "Combo1")->view()->isVisible());
    QCOMPARE(widgetText(plate, "Combo1"), QStringLiteral("0.3"));
    QCOMPARE(widgetText(plate, "Text44"), QStringLiteral("BR0.5"));

    // The material list compares the names as they are written: a blank after one is no name.
    FormWidget* weight = open(ChildKind::Form2);
    QCOMPARE(opened(weight, "Combo1"), -1);
    QVERIFY(key(Qt::Key_Return));
    QCOMPARE(widgetText(weight, "Combo1"), QStringLiteral("请选择材质"));
    QCOMPARE(weight->model().text("Text21"), std::string("Text21"));
    QVERIFY(typeIntoList(weight, "Combo1", QStringLiteral("铸钢")));
    QCOMPARE(opened(weight, "Combo1"), 5);
    QVERIFY(key(Qt::Key_Escape));
    QVERIFY(typeIntoList(weight, "Combo1", QStringLiteral("铸钢 ")));
    QCOMPARE(opened(weight, "Combo1"), -1);
    QVERIFY(key(Qt::Key_Escape));
}

QTEST_MAIN(TypedListsTest)
#include "typed_lists_test.moc"
