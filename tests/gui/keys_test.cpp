#include <QContextMenuEvent>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>

#include <functional>

#include "gui_support.h"
#include "ui/translations.h"

using heatcalc::ChildKind;
using heatcalc::MDIForm1;
using heatcalc::ui::FormWidget;

namespace {

// Sends a key to the focused control. False when no control has the focus.
[[nodiscard]] bool key(Qt::Key k, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QWidget* target = QApplication::focusWidget();
    if (!target)
        return false;
    QTest::keyClick(target, k, modifiers);
    return true;
}

// Runs `inspect` on the first modal dialog or popup that `open` shows; `inspect` closes it. False
// when nothing is shown within two seconds.
[[nodiscard]] bool whileShown(const std::function<void()>& open, const std::function<QWidget*()>& find,
                              const std::function<void(QWidget*)>& inspect)
{
    bool seen = false;
    QTimer poll;
    poll.setInterval(10);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        QWidget* shown = find();
        if (!shown || !shown->isVisible())
            return;
        poll.stop();
        seen = true;
        inspect(shown);
    });
    poll.start();
    open();
    return QTest::qWaitFor([&] { return seen; }, 2000);
}

// Makes a folder the working folder while it lives, and the previous one again when it ends.
struct WorkingFolder {
    QString previous = QDir::currentPath();
    explicit WorkingFolder(const QString& path) { QDir::setCurrent(path); }
    ~WorkingFolder() { QDir::setCurrent(previous); }
    WorkingFolder(const WorkingFolder&) = delete;
    WorkingFolder& operator=(const WorkingFolder&) = delete;
};

// The message box on the screen, if one is shown.
QWidget* visibleMessageBox()
{
    for (QWidget* w : QApplication::topLevelWidgets())
        if (qobject_cast<QMessageBox*>(w) && w->isVisible())
            return w;
    return nullptr;
}

QList<QRect> geometries(MDIForm1& w)
{
    QList<QRect> out;
    for (QMdiSubWindow* s : w.area()->subWindowList())
        out << s->geometry();
    return out;
}

}  // namespace

class KeysTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void menuShortcutsReachTheMenuFromAFocusedField();
    void arrangementKeysWorkFromAFocusedList();
    void failureMessageButtonIsChinese();
    void systemMenuAndFieldMenuAreChinese();
    void enterPressesTheFocusedButton();
    void ctrlF4ClosesTheActiveChildWindow();

private:
    FormWidget* open(ChildKind kind);
    [[nodiscard]] bool focusField(ChildKind kind, const char* field);
    std::unique_ptr<MDIForm1> main_;
    QStringList helpAsked_;
};

void KeysTest::initTestCase()
{
    QVERIFY(heatcalc::ui::installTranslations(*qobject_cast<QApplication*>(QCoreApplication::instance())));
    heatcalc::ui::setLauncher([](const QString&) { return false; });
    heatcalc::ui::setHelpOpener([this](const std::string& file) {
        helpAsked_ << QString::fromStdString(file);
        return false;
    });
}

void KeysTest::init()
{
    helpAsked_.clear();
    main_ = std::make_unique<MDIForm1>();
    main_->resize(1400, 1000);
    main_->show();
    main_->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(main_.get()));
}

void KeysTest::cleanup()
{
    main_.reset();
}

FormWidget* KeysTest::open(ChildKind kind)
{
    main_->ShowChildForm(kind);
    return formOf(main_->childWindow(kind));
}

// Clicks into a field or a list's text part of a child window, as the user does. False when the
// window or the field is missing, or the click leaves the window inactive or the field unfocused.
bool KeysTest::focusField(ChildKind kind, const char* field)
{
    FormWidget* form = formOf(main_->childWindow(kind));
    if (!form)
        return false;
    QWidget* w = form->control(field);
    if (auto* combo = qobject_cast<QComboBox*>(w))
        w = combo->lineEdit();
    if (!w)
        return false;
    QTest::mouseClick(w, Qt::LeftButton);
    return main_->area()->activeSubWindow() == main_->childWindow(kind) &&
           QApplication::focusWidget() == form->control(field);
}

void KeysTest::menuShortcutsReachTheMenuFromAFocusedField()
{
    FormWidget* plate = open(ChildKind::Fo);
    const struct {
        const char* keys;
        const char* field;
        ChildKind opens;
    } openers[] = {
        {"Ctrl+B", "Text1", ChildKind::Fo23},   {"Ctrl+E", "Combo1", ChildKind::Form1},
        {"Ctrl+E", "Text2", ChildKind::Form1},  {"Ctrl+G", "Text3", ChildKind::Form2},
        {"Ctrl+H", "Combo2", ChildKind::Form4}, {"Ctrl+I", "Text4", ChildKind::Form3},
    };
    for (const auto& o : openers) {
        if (main_->childWindow(o.opens))
            main_->childWindow(o.opens)->close();
        QTRY_VERIFY(!main_->childWindow(o.opens));
        QVERIFY(focusField(ChildKind::Fo, o.field));
        const QString before = widgetText(plate, o.field);
        const QKeySequence keys(QString::fromLatin1(o.keys));
        QVERIFY(key(keys[0].key(), keys[0].keyboardModifiers()));
        QVERIFY2(main_->childWindow(o.opens), o.keys);
        QCOMPARE(main_->area()->activeSubWindow(), main_->childWindow(o.opens));
        QCOMPARE(widgetText(plate, o.field), before);
    }

    // The items without action change nothing, in the field either.
    const qsizetype windows = main_->area()->subWindowList().size();
    for (const char* keys : {"Ctrl+D", "Ctrl+F", "Ctrl+J"}) {
        for (const char* field : {"Text5", "Combo1"}) {
            QVERIFY(focusField(ChildKind::Fo, field));
            auto* edit = qobject_cast<QLineEdit*>(plate->control(field));
            if (!edit)
                edit = qobject_cast<QComboBox*>(plate->control(field))->lineEdit();
            edit->setCursorPosition(1);
            const QKeySequence seq(QString::fromLatin1(keys));
            QVERIFY(key(seq[0].key(), seq[0].keyboardModifiers()));
            QCOMPARE(edit->text(), field == std::string("Text5") ? QStringLiteral("50") : QStringLiteral("0.1"));
            QCOMPARE(edit->cursorPosition(), 1);
            QCOMPARE(main_->area()->subWindowList().size(), windows);
        }
    }

    // F1 asks for the help file from a list: the file where the program looks for it.
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    {
        const WorkingFolder inFolder(folder.path());
        QFile help(QString::fromLatin1(MDIForm1::HelpFile));
        QVERIFY(help.open(QIODevice::WriteOnly));
        help.close();
        QVERIFY(focusField(ChildKind::Fo, "Combo1"));
        QVERIFY(key(Qt::Key_F1));
    }
    QCOMPARE(helpAsked_.size(), 1);
    QVERIFY(helpAsked_.front().endsWith(QString::fromLatin1(MDIForm1::HelpFile)));

    // Select all stays with a list's text, as with a field's.
    QVERIFY(key(Qt::Key_A, Qt::ControlModifier));
    QCOMPARE(qobject_cast<QComboBox*>(plate->control("Combo1"))->lineEdit()->selectedText(), QStringLiteral("0.1"));
    QCOMPARE(main_->area()->subWindowList().size(), windows);
}

void KeysTest::arrangementKeysWorkFromAFocusedList()
{
    for (ChildKind k : {ChildKind::Form2, ChildKind::Form1, ChildKind::Fo})
        open(k);
    const struct {
        Qt::Key key;
        short arrangement;
    } arrangements[] = {{Qt::Key_F4, 1}, {Qt::Key_F5, 2}, {Qt::Key_F2, 0}};
    for (const auto& a : arrangements) {
        QVERIFY(focusField(ChildKind::Fo, "Combo2"));
        const QList<QRect> before = geometries(*main_);
        QVERIFY(key(a.key));
        const QList<QRect> after = geometries(*main_);
        QVERIFY(after != before);
        main_->ArrangeWindows(a.arrangement);
        QCOMPARE(geometries(*main_), after);
        QCOMPARE(widgetText(formOf(main_->childWindow(ChildKind::Fo)), "Combo2"), QStringLiteral("0.35"));
    }
}

void KeysTest::failureMessageButtonIsChinese()
{
    FormWidget* plate = open(ChildKind::Fo);
    QStringList buttons;
    // The velocity before the area stops at a missing result; the real message box appears.
    bool clicked = false;
    const bool appeared = whileShown([&] { clicked = click(plate, "Command3"); }, [] { return visibleMessageBox(); },
                                     [&](QWidget* shown) {
                                         auto* box = qobject_cast<QMessageBox*>(shown);
                                         if (!box)
                                             return;  // no buttons read: the comparison below fails
                                         for (QAbstractButton* b : box->buttons())
                                             buttons << b->text();
                                         QTest::keyClick(box, Qt::Key_Return);
                                     });
    QVERIFY(clicked);
    QVERIFY(appeared);
    QCOMPARE(buttons, QStringList{QStringLiteral("确定")});
    QTRY_VERIFY(!visibleMessageBox());
}

void KeysTest::systemMenuAndFieldMenuAreChinese()
{
    open(ChildKind::Form2);
    QStringList system;
    for (QAction* a : main_->childWindow(ChildKind::Form2)->systemMenu()->actions())
        if (!a->isSeparator())
            system << a->text();
    for (const char* text : {"恢复(&R)", "移动(&M)", "大小(&S)", "最小化(&N)", "置顶(&T)", "关闭(&C)"})
        QVERIFY2(system.contains(QString::fromUtf8(text)), qPrintable(system.join(QLatin1Char(' '))));

    QVERIFY(focusField(ChildKind::Form2, "Text1"));
    QWidget* field = QApplication::focusWidget();
    QStringList items;
    const bool appeared = whileShown(
        [&] {
            QContextMenuEvent menu(QContextMenuEvent::Mouse, QPoint(5, 5), field->mapToGlobal(QPoint(5, 5)));
            QApplication::sendEvent(field, &menu);
        },
        [] { return qobject_cast<QMenu*>(QApplication::activePopupWidget()); },
        [&](QWidget* shown) {
            for (QAction* a : static_cast<QMenu*>(shown)->actions())
                if (!a->isSeparator())
                    items << a->text().section(QLatin1Char('\t'), 0, 0);
            QTest::keyClick(shown, Qt::Key_Escape);
        });
    QVERIFY(appeared);
    for (const char* text : {"撤消(&U)", "剪切(&T)", "复制(&C)", "粘贴(&P)", "删除", "全选"})
        QVERIFY2(items.contains(QString::fromUtf8(text)), qPrintable(items.join(QLatin1Char(' '))));
}

void KeysTest::enterPressesTheFocusedButton()
{
    FormWidget* plate = open(ChildKind::Fo);
    QVERIFY(focusField(ChildKind::Fo, "Text6"));
    QVERIFY(key(Qt::Key_Tab));
    QCOMPARE(QApplication::focusWidget(), plate->control("Command1"));
    QVERIFY(key(Qt::Key_Return));
    QCOMPARE(widgetText(plate, "Text7"), QStringLiteral("0.8141"));
    QCOMPARE(widgetText(plate, "Text13"), QStringLiteral("11.1797533025589"));

    // The keypad's Enter on the weight window's round-bar button; Enter in a field presses nothing.
    FormWidget* weight = open(ChildKind::Form2);
    QVERIFY(pick(weight, "Combo1", QStringLiteral("铸钢")));
    QVERIFY(focusField(ChildKind::Form2, "Text8"));
    QVERIFY(key(Qt::Key_Return));
    QCOMPARE(widgetText(weight, "Text10"), QStringLiteral("0"));
    QVERIFY(key(Qt::Key_Tab));
    QVERIFY(key(Qt::Key_Tab));
    QCOMPARE(QApplication::focusWidget(), weight->control("Command2"));
    QVERIFY(key(Qt::Key_Enter, Qt::KeypadModifier));
    QCOMPARE(widgetText(weight, "Text19"), QStringLiteral("0.05966"));
    QVERIFY(widgetText(weight, "Text10") != QStringLiteral("0"));
}

void KeysTest::ctrlF4ClosesTheActiveChildWindow()
{
    open(ChildKind::Fo);
    open(ChildKind::Form2);
    QVERIFY(focusField(ChildKind::Form2, "Text1"));
    QVERIFY(key(Qt::Key_F4, Qt::ControlModifier));
    QTRY_VERIFY(!main_->childWindow(ChildKind::Form2));
    QVERIFY(main_->childWindow(ChildKind::Fo));
    QVERIFY(focusField(ChildKind::Fo, "Combo1"));
    QVERIFY(key(Qt::Key_F4, Qt::ControlModifier));
    QTRY_VERIFY(!main_->childWindow(ChildKind::Fo));
    QVERIFY(main_->isVisible());
}

QTEST_MAIN(KeysTest)
#include "keys_test.moc"
