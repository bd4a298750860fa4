#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTimer>

#include "gui_support.h"

using heatcalc::ChildKind;
using heatcalc::MDIForm1;
using heatcalc::ui::FormWidget;

namespace {

// Types into a field as the user does: select all, then one key event per character, each
// carrying its text (Chinese characters included). False when the window has no such field.
[[nodiscard]] bool enter(FormWidget* form, const char* key, const QString& text)
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
    for (const QChar c : text)
        QTest::sendKeyEvent(QTest::Click, edit, c.isDigit() ? Qt::Key(Qt::Key_0 + c.digitValue()) : Qt::Key_unknown,
                            QString(c), Qt::NoModifier);
    return true;
}

}  // namespace

// What a failed press tells the user, and where it leaves the keyboard focus.
class FailureMessagesTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void unlistedPlateNamesItsListAndValue();
    void temperatureBelowThePropertyTableNamesTheFieldAndRange();
    void pressureDropNamesTheVelocityStepOfItsOwnSeries();
    void numberBeyondTheRangeIsSaidSo();
    void fieldsThatDoNotReadAreNamedByTheirCaptions();
    void faultsOfResultsNameTheInputsToCheck();
    void fullWidthDigitsReadAsNumbers();
    void weightWindowAsksForTheMaterial();
    void focusSurvivesTheMessageBox();
    void messageBoxStandsOverTheWindowThatFailed();
    void namedFieldIsScrolledIntoView();

private:
    // The one message of the presses since the last call; empty when there was none or more.
    QString takeMessage();
    // The focus is in the field of `key` with its whole text selected.
    bool focusedAndSelected(FormWidget* form, const char* key, const QString& text);

    // Opens a window from the main window's menu by its shortcut.
    FormWidget* open(const char* keys, ChildKind kind);

    std::unique_ptr<MDIForm1> main_;
    std::unique_ptr<WarningLog> log_;
    FormWidget* plate_ = nullptr;
};

void FailureMessagesTest::init()
{
    log_ = std::make_unique<WarningLog>();
    main_ = std::make_unique<MDIForm1>();
    main_->show();
    main_->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(main_.get()));
    QTest::keySequence(main_.get(), QKeySequence("Ctrl+A"));
    plate_ = formOf(main_->childWindow(ChildKind::Fo));
    QVERIFY(plate_);
}

void FailureMessagesTest::cleanup()
{
    main_.reset();
    log_.reset();
}

FormWidget* FailureMessagesTest::open(const char* keys, ChildKind kind)
{
    QTest::keySequence(main_.get(), QKeySequence(QString::fromLatin1(keys)));
    return formOf(main_->childWindow(kind));
}

QString FailureMessagesTest::takeMessage()
{
    const QList<WarningLog::Entry> entries = log_->entries;
    log_->entries.clear();
    if (entries.size() != 1)
        return QStringLiteral("%1 messages").arg(entries.size());
    return entries.front().text;
}

bool FailureMessagesTest::focusedAndSelected(FormWidget* form, const char* key, const QString& text)
{
    QWidget* field = form->control(key);
    auto* edit = qobject_cast<QLineEdit*>(field);
    if (auto* combo = qobject_cast<QComboBox*>(field))
        edit = combo->lineEdit();
    if (!edit || QApplication::focusWidget() != field) {
        qWarning() << "focus in" << QApplication::focusWidget() << "not in" << key;
        return false;
    }
    if (edit->text() != text || edit->selectedText() != text) {
        qWarning() << key << "holds" << edit->text() << "with" << edit->selectedText() << "selected";
        return false;
    }
    return true;
}

void FailureMessagesTest::unlistedPlateNamesItsListAndValue()
{
    // Unequal series on a fresh window: the list's text picks no plate, so the plate area the
    // velocity step copies is never written. The message leads to the list, not to the button.
    QVERIFY(enter(plate_, "Combo2", QStringLiteral("0.4")));
    QVERIFY(click(plate_, "Command4"));
    const QString unequal = takeMessage();
    QCOMPARE(unequal, QStringLiteral("「不等截面板片选择」中没有「0.4」这一项，查不到对应的数据。请从列表中选择。"));
    QVERIFY(focusedAndSelected(plate_, "Combo2", QStringLiteral("0.4")));

    // Equal series after the area step: its channel work field stays empty the same way.
    QVERIFY(click(plate_, "Command1"));
    QCOMPARE(log_->entries.size(), 0);
    QVERIFY(enter(plate_, "Combo1", QStringLiteral("0.3")));
    QVERIFY(click(plate_, "Command3"));
    QCOMPARE(takeMessage(),
             QStringLiteral("「等截面板片选择」中没有「0.3」这一项，查不到对应的数据。请从列表中选择。"));
    QVERIFY(focusedAndSelected(plate_, "Combo1", QStringLiteral("0.3")));

    // Retyping a listed plate goes on to the result.
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("0.5"));
    QVERIFY(click(plate_, "Command3"));
    QCOMPARE(log_->entries.size(), 0);
    QCOMPARE(widgetText(plate_, "Text19"), QStringLiteral("22.3595066051178"));
}

void FailureMessagesTest::temperatureBelowThePropertyTableNamesTheFieldAndRange()
{
    QVERIFY(enter(plate_, "Text5", QStringLiteral("4")));
    QVERIFY(click(plate_, "Command1"));
    QCOMPARE(log_->entries.size(), 0);  // the area step itself succeeds
    const QString expected = QStringLiteral(
        "「2#回水温度」的「4」低于水的物理特性表的范围（5～130），查不到对应的数据。请改正后再按「换热面积计算」。");
    QVERIFY(click(plate_, "Command3"));
    QCOMPARE(takeMessage(), expected);
    QVERIFY(focusedAndSelected(plate_, "Text5", QStringLiteral("4")));
    QVERIFY(click(plate_, "Command4"));
    QCOMPARE(takeMessage(), expected);
    QVERIFY(focusedAndSelected(plate_, "Text5", QStringLiteral("4")));

    // Corrected but not yet recomputed: now pressing the area step again is what helps.
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("50"));
    QVERIFY(click(plate_, "Command3"));
    QCOMPARE(takeMessage(), QStringLiteral("缺少前一步的计算结果。请先按「换热面积计算」。"));
    QCOMPARE(QApplication::focusWidget(), plate_->control("Command3"));
    QVERIFY(click(plate_, "Command1"));
    QVERIFY(click(plate_, "Command3"));
    QCOMPARE(log_->entries.size(), 0);
}

void FailureMessagesTest::pressureDropNamesTheVelocityStepOfItsOwnSeries()
{
    QVERIFY(click(plate_, "Command5"));
    QCOMPARE(takeMessage(), QStringLiteral("缺少前一步的计算结果。请先按「不截界面流速」。"));
    QCOMPARE(QApplication::focusWidget(), plate_->control("Command5"));  // no field to retype
    QVERIFY(click(plate_, "Command6"));
    QCOMPARE(takeMessage(), QStringLiteral("缺少前一步的计算结果。请先按「等截面流速」。"));

    // Taking the named steps in order leads to the result.
    QVERIFY(click(plate_, "Command4"));
    QCOMPARE(takeMessage(), QStringLiteral("缺少前一步的计算结果。请先按「换热面积计算」。"));
    QVERIFY(click(plate_, "Command1"));
    QVERIFY(click(plate_, "Command4"));
    QVERIFY(click(plate_, "Command5"));
    QCOMPARE(log_->entries.size(), 0);
    QCOMPARE(widgetText(plate_, "Text27"), QStringLiteral("3180.7415533973"));
}

void FailureMessagesTest::numberBeyondTheRangeIsSaidSo()
{
    QVERIFY(enter(plate_, "Text1", QStringLiteral("1e999")));
    QVERIFY(click(plate_, "Command1"));
    QCOMPARE(takeMessage(), QStringLiteral("「换热面积」超出数值范围。"));
    QVERIFY(focusedAndSelected(plate_, "Text1", QStringLiteral("1e999")));

    QVERIFY(enter(plate_, "Combo1", QStringLiteral("-1e400")));
    QVERIFY(click(plate_, "Command3"));
    QCOMPARE(takeMessage(), QStringLiteral("「等截面板片选择」超出数值范围。"));
    QVERIFY(focusedAndSelected(plate_, "Combo1", QStringLiteral("-1e400")));
}

void FailureMessagesTest::fieldsThatDoNotReadAreNamedByTheirCaptions()
{
    QVERIFY(enter(plate_, "Text6", QStringLiteral("5千")));
    QVERIFY(click(plate_, "Command1"));
    QCOMPARE(takeMessage(), QStringLiteral("「传热系数」不是数字。"));
    QVERIFY(focusedAndSelected(plate_, "Text6", QStringLiteral("5千")));

    // A field left empty, or holding blanks only, is said to be empty.
    QVERIFY(enter(plate_, "Text2", QString()));
    QVERIFY(click(plate_, "Command1"));
    QCOMPARE(takeMessage(), QStringLiteral("「1#供水温度」没有填写。"));
    QVERIFY(focusedAndSelected(plate_, "Text2", QString()));
    QVERIFY(enter(plate_, "Text2", QStringLiteral(" \u3000")));
    QVERIFY(click(plate_, "Command1"));
    QCOMPARE(takeMessage(), QStringLiteral("「1#供水温度」没有填写。"));
}

void FailureMessagesTest::faultsOfResultsNameTheInputsToCheck()
{
    // The inputs the failing operation read itself come first, in keyboard order, and take the
    // focus; the inputs behind the results and work fields it read follow.
    QVERIFY(enter(plate_, "Text2", QStringLiteral("60")));
    QVERIFY(click(plate_, "Command1"));
    QCOMPARE(takeMessage(),
             QStringLiteral("计算「一次流量」时除数为零：请检查「1#供水温度」(60)、「1#回水温度」(60)。"));
    QVERIFY(focusedAndSelected(plate_, "Text2", QStringLiteral("60")));
    QVERIFY(enter(plate_, "Text3", QStringLiteral("100")));
    QVERIFY(click(plate_, "Command1"));
    QCOMPARE(takeMessage(), QStringLiteral("计算「对数平均温差」时对零或负数取对数：请检查「1#供水温度」(60)、"
                                           "「1#回水温度」(100)、「2#供水温度」(70)、「2#回水温度」(50)。"));
    QVERIFY(focusedAndSelected(plate_, "Text2", QStringLiteral("60")));
    QVERIFY(enter(plate_, "Text2", QStringLiteral("100")));
    QVERIFY(enter(plate_, "Text3", QStringLiteral("60")));
    QVERIFY(enter(plate_, "Text6", QStringLiteral("0")));
    QVERIFY(click(plate_, "Command1"));
    QCOMPARE(takeMessage(), QStringLiteral("计算「板换面积」时除数为零：请检查「传热系数」(0)、「1#供水温度」(100)、"
                                           "「1#回水温度」(60)、「2#供水温度」(70)、「2#回水温度」(50)。"));
    QVERIFY(focusedAndSelected(plate_, "Text6", QStringLiteral("0")));

    FormWidget* tube = open("Ctrl+B", ChildKind::Fo23);
    QVERIFY(tube);
    QVERIFY(enter(tube, "Text2", QStringLiteral("0")));
    QVERIFY(click(tube, "Command1"));
    QCOMPARE(takeMessage(), QStringLiteral("计算「饱和温度」时对零或负数取对数：请检查「1#供水压力」(0)。"));
    QVERIFY(focusedAndSelected(tube, "Text2", QStringLiteral("0")));

    // The pump head's friction loss also reads the heat load work field, made from the flow and
    // the temperature difference.
    FormWidget* unit = open("Ctrl+E", ChildKind::Form1);
    QVERIFY(unit);
    QVERIFY(enter(unit, "Combo1", QStringLiteral("0")));
    QVERIFY(click(unit, "Command1"));
    QCOMPARE(takeMessage(), QStringLiteral("计算「管内流速」时除数为零：请检查「管径」(0)。"));
    QVERIFY(focusedAndSelected(unit, "Combo1", QStringLiteral("0")));
    QVERIFY(enter(unit, "Combo1", QStringLiteral("-50")));
    QVERIFY(click(unit, "Command1"));
    QCOMPARE(
        takeMessage(),
        QStringLiteral("计算「循环泵扬程」时乘方没有实数结果：请检查「管径」(-50)、「流量」(100)、「温差」(25)。"));
    QVERIFY(focusedAndSelected(unit, "Combo1", QStringLiteral("-50")));

    // The density work field comes from the material picked.
    FormWidget* weight = open("Ctrl+G", ChildKind::Form2);
    QVERIFY(weight);
    QVERIFY(pick(weight, "Combo1", QStringLiteral("铸材")));
    QVERIFY(enter(weight, "Text1", QStringLiteral("2e305")));
    QVERIFY(click(weight, "Command1"));
    QCOMPARE(takeMessage(), QStringLiteral("计算「重量」时结果超出数值范围：请检查「直径」(2e305)、「壁厚」(0.015)、"
                                           "「长度」(3)、「材质选择」(铸材)。"));
    QVERIFY(focusedAndSelected(weight, "Text1", QStringLiteral("2e305")));
}

void FailureMessagesTest::fullWidthDigitsReadAsNumbers()
{
    // Typed in an input method's full-width mode; the fields keep what was typed.
    QVERIFY(enter(plate_, "Text1", QStringLiteral("\uFF12")));  // ２
    QVERIFY(click(plate_, "Command1"));
    QCOMPARE(log_->entries.size(), 0);
    QCOMPARE(widgetText(plate_, "Text7"), QStringLiteral("1.6282"));
    QCOMPARE(widgetText(plate_, "Text1"), QStringLiteral("\uFF12"));

    FormWidget* unit = open("Ctrl+E", ChildKind::Form1);
    QVERIFY(unit);
    QVERIFY(enter(unit, "Combo2", QStringLiteral("\uFF10\uFF12")));  // ０２
    QVERIFY(click(unit, "Command1"));
    QCOMPARE(log_->entries.size(), 0);
    QCOMPARE(widgetText(unit, "Text5"), QStringLiteral("84"));
}

void FailureMessagesTest::weightWindowAsksForTheMaterial()
{
    QTest::keySequence(main_.get(), QKeySequence("Ctrl+G"));
    FormWidget* weight = formOf(main_->childWindow(ChildKind::Form2));
    QVERIFY(weight);
    QVERIFY(click(weight, "Command1"));
    QCOMPARE(takeMessage(), QStringLiteral("缺少前一步的计算结果。请先在「材质选择」中选择。"));
    QVERIFY(focusedAndSelected(weight, "Combo1", QStringLiteral("请选择材质")));

    // A field that does not read is named before the material the statement multiplies by last.
    QVERIFY(enter(weight, "Text3", QStringLiteral("3米")));
    QVERIFY(click(weight, "Command1"));
    QCOMPARE(takeMessage(), QStringLiteral("「长度」不是数字。"));
    QVERIFY(focusedAndSelected(weight, "Text3", QStringLiteral("3米")));
}

// The message box on the screen, if one is shown.
static QMessageBox* visibleMessageBox()
{
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* box = qobject_cast<QMessageBox*>(w); box && box->isVisible())
            return box;
    return nullptr;
}

void FailureMessagesTest::focusSurvivesTheMessageBox()
{
    // Without a sink the message is a real message box; the user closes it with its button.
    log_.reset();
    QVERIFY(enter(plate_, "Text1", QStringLiteral("x")));
    QVERIFY(click(plate_, "Command1"));
    QMessageBox* box = nullptr;
    QTRY_VERIFY((box = visibleMessageBox()) != nullptr);
    const QString shown = box->text();
    QTest::mouseClick(box->buttons().front(), Qt::LeftButton);
    QTRY_VERIFY(visibleMessageBox() == nullptr);
    QCOMPARE(shown, QStringLiteral("「换热面积」不是数字。"));
    // The desktop gives the activation back to the main window when the box closes.
    main_->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(main_.get()));
    QTRY_VERIFY(focusedAndSelected(plate_, "Text1", QStringLiteral("x")));
}

void FailureMessagesTest::messageBoxStandsOverTheWindowThatFailed()
{
    // Tiled with three others the plate window fills one corner of the main window.
    log_.reset();
    main_->resize(900, 700);
    for (const char* keys : {"Ctrl+B", "Ctrl+E", "Ctrl+G"})
        QTest::keySequence(main_.get(), QKeySequence(QString::fromLatin1(keys)));
    QTest::keySequence(main_.get(), QKeySequence(Qt::Key_F4));
    QMdiSubWindow* window = main_->childWindow(ChildKind::Fo);
    const QPoint windowCentre = QRect(window->mapToGlobal(QPoint(0, 0)), window->size()).center();
    const QPoint mainCentre = QRect(main_->mapToGlobal(QPoint(0, 0)), main_->size()).center();
    QVERIFY((windowCentre - mainCentre).manhattanLength() > 100);

    QVERIFY(enter(plate_, "Text1", QStringLiteral("x")));
    QVERIFY(click(plate_, "Command1"));
    QMessageBox* box = nullptr;
    QTRY_VERIFY((box = visibleMessageBox()) != nullptr);
    const QPoint boxCentre = box->geometry().center();
    QTest::mouseClick(box->buttons().front(), Qt::LeftButton);
    QTRY_VERIFY(visibleMessageBox() == nullptr);
    QVERIFY2((boxCentre - windowCentre).manhattanLength() <= 4,
             qPrintable(QStringLiteral("box centred at %1,%2, window at %3,%4")
                            .arg(boxCentre.x())
                            .arg(boxCentre.y())
                            .arg(windowCentre.x())
                            .arg(windowCentre.y())));
}

void FailureMessagesTest::namedFieldIsScrolledIntoView()
{
    // The plate window tiled with three others is cut to a strip scrolled to its top; the list the
    // message names lies far below and is scrolled into view with the focus in it.
    QVERIFY(enter(plate_, "Combo1", QStringLiteral("0.2")));
    QVERIFY(click(plate_, "Command1"));
    for (const char* keys : {"Ctrl+B", "Ctrl+E", "Ctrl+G"})
        QTest::keySequence(main_.get(), QKeySequence(QString::fromLatin1(keys)));
    QTest::keySequence(main_.get(), QKeySequence(Qt::Key_F4));
    auto* area = qobject_cast<QScrollArea*>(main_->childWindow(ChildKind::Fo)->widget());
    QVERIFY(area);
    area->verticalScrollBar()->setValue(0);
    QWidget* list = plate_->control("Combo1");
    QVERIFY(list->visibleRegion().isEmpty());
    QVERIFY(click(plate_, "Command3"));
    QCOMPARE(takeMessage(),
             QStringLiteral("「等截面板片选择」中没有「0.2」这一项，查不到对应的数据。请从列表中选择。"));
    QVERIFY(focusedAndSelected(plate_, "Combo1", QStringLiteral("0.2")));
    QVERIFY(area->verticalScrollBar()->value() > 0);
    QVERIFY(!list->visibleRegion().isEmpty());
}

QTEST_MAIN(FailureMessagesTest)
#include "failure_messages_test.moc"
