#include <QLabel>

#include <stdexcept>

#include "gui_support.h"
#include "plate/fo.h"

using heatcalc::ChildKind;
using heatcalc::MDIForm1;

namespace {

// Whether a field shows the first characters of a text longer than the field: Home, which
// scrolls a field to its start, changes nothing of what it shows.
bool showsTheStartOfALongText(QWidget* field)
{
    auto* edit = qobject_cast<QLineEdit*>(field);
    if (!edit || edit->fontMetrics().horizontalAdvance(edit->text()) <= edit->width())
        return false;
    const QImage shown = edit->grab().toImage();
    QTest::keyClick(edit, Qt::Key_Home);
    return edit->grab().toImage() == shown;
}

}  // namespace

class PlateWindowTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void opensWithTheDesignTexts();
    void keyboardOrderStartsInTheHeatedArea();
    void areaVelocityAndPressureDropThroughTheWidgets();
    void failedPressIsReportedAndKeepsTheFields();
    void designationFollowsThePicks();
    void clockTicksEverySecond();
    void closeAndReopenRestoresTheDesignTexts();

private:
    std::unique_ptr<MDIForm1> main_;
    heatcalc::ui::FormWidget* plate_ = nullptr;
};

void PlateWindowTest::init()
{
    main_ = std::make_unique<MDIForm1>();
    main_->show();
    main_->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(main_.get()));
    QTest::keySequence(main_.get(), QKeySequence("Ctrl+A"));
    plate_ = formOf(main_->childWindow(ChildKind::Fo));
    QVERIFY(plate_);
}

void PlateWindowTest::opensWithTheDesignTexts()
{
    QCOMPARE(main_->childWindow(ChildKind::Fo)->windowTitle(), QStringLiteral("Velmora自动化设备有限公司"));
    QCOMPARE(plate_->size(), QSize(381, 564));
    // clang-format off
    for (auto [key, text] : {std::pair{"Text1", "1"}, {"Text2", "100"}, {"Text3", "60"}, {"Text4", "70"}, {"Text5", "50"},
                             {"Text6", "5000"}, {"Text26", "0"}, {"Text7", "0"}, {"Text13", "0"}, {"Text18", "0"},
                             {"Text44", ""}, {"Text48", ""}, {"Text49", ""}, {"Combo1", "0.1"}, {"Combo2", "0.35"}})
        QCOMPARE(widgetText(plate_, key), QString::fromUtf8(text));
    // clang-format on
    QCOMPARE(qobject_cast<QLabel*>(plate_->control("Label1"))->text(), QStringLiteral("Label1"));
    QCOMPARE(qobject_cast<QLabel*>(plate_->control("Label43"))->text(), QStringLiteral("板 换 选 型 软 件"));
    QCOMPARE(qobject_cast<QComboBox*>(plate_->control("Combo1"))->count(), 7);
    QCOMPARE(qobject_cast<QComboBox*>(plate_->control("Combo2"))->count(), 5);
    for (const char* work : {"Text12", "Text17", "Text28", "Text41"})
        QVERIFY2(!plate_->control(work), work);
    // Red check temperatures above the return and supply fields they stand beside.
    auto* check = qobject_cast<QLineEdit*>(plate_->control("Text48"));
    QCOMPARE(check->palette().color(QPalette::Text), QColor(255, 0, 0));
    QVERIFY(check->geometry().intersects(plate_->control("Text3")->geometry()));
}

void PlateWindowTest::keyboardOrderStartsInTheHeatedArea()
{
    QTRY_COMPARE(QApplication::focusWidget(), plate_->control("Text1"));
    QStringList order;
    QWidget* w = plate_->control("Text1");
    for (int i = 0; i < 8; ++i) {
        order << w->objectName();
        w = w->nextInFocusChain();
        while (w->objectName().isEmpty() || !(w->focusPolicy() & Qt::TabFocus))
            w = w->nextInFocusChain();
    }
    QCOMPARE(order, (QStringList{"Text1", "Text2", "Text3", "Text4", "Text5", "Text6", "Command1", "Text7"}));
}

void PlateWindowTest::areaVelocityAndPressureDropThroughTheWidgets()
{
    QVERIFY(click(plate_, "Command1"));
    QCOMPARE(widgetText(plate_, "Text7"), QStringLiteral("0.8141"));
    QCOMPARE(widgetText(plate_, "Text8"), QStringLiteral("17.5"));
    QCOMPARE(widgetText(plate_, "Text9"), QStringLiteral("35.0"));
    QCOMPARE(widgetText(plate_, "Text13"), QStringLiteral("11.1797533025589"));
    QVERIFY(showsTheStartOfALongText(plate_->control("Text13")));
    QVERIFY(pick(plate_, "Combo2", QStringLiteral("0.35")));
    QVERIFY(click(plate_, "Command4"));
    QCOMPARE(widgetText(plate_, "Text19"), QStringLiteral("31.9421522930254"));
    QCOMPARE(widgetText(plate_, "Text46"), QStringLiteral("0.2"));
    QCOMPARE(widgetText(plate_, "Text47"), QStringLiteral("0.3"));
    QVERIFY(click(plate_, "Command5"));
    QCOMPARE(widgetText(plate_, "Text27"), QStringLiteral("3180.7415533973"));
    QCOMPARE(widgetText(plate_, "Text48"), QStringLiteral("68.1925844660269"));
    QCOMPARE(widgetText(plate_, "Text49"), QStringLiteral("65.9037077669865"));

    QVERIFY(typeInto(plate_, "Combo1", QStringLiteral("0.50")));  // typed, not picked: the label stays
    QCOMPARE(widgetText(plate_, "Text44"), QStringLiteral("BBR0.35"));
    QVERIFY(click(plate_, "Command3"));
    QCOMPARE(widgetText(plate_, "Text19"), QStringLiteral("22.3595066051178"));
}

void PlateWindowTest::failedPressIsReportedAndKeepsTheFields()
{
    WarningLog log;
    QVERIFY(click(plate_, "Command3"));  // before the area: stops at the log-mean difference
    QCOMPARE(log.entries.size(), 1);
    QCOMPARE(log.entries[0].owner, plate_);
    QVERIFY(log.entries[0].text.contains(QStringLiteral("换热面积计算")));
    QCOMPARE(widgetText(plate_, "Text19"), QStringLiteral("0"));
    QCOMPARE(plate_->model().text("Text14"), std::string("0.00092"));

    QVERIFY(typeInto(plate_, "Text3", QStringLiteral("100")));
    QVERIFY(click(plate_, "Command1"));
    QCOMPARE(log.entries.size(), 2);
    QVERIFY(log.entries[1].text.contains(QStringLiteral("除数为零")));
    QCOMPARE(widgetText(plate_, "Text7"), QStringLiteral("0.8141"));
    QCOMPARE(widgetText(plate_, "Text8"), QStringLiteral("0"));

    // A fault of any other kind in a handler is reported the same way, after what the handler
    // wrote before it is shown, and goes no further than the press.
    plate_->setPlatformHandler("Command2_Click", [this] {
        plate_->model().setText("Text19", "12");
        throw std::runtime_error("no paper");
    });
    QVERIFY(click(plate_, "Command2"));
    QCOMPARE(log.entries.size(), 3);
    QCOMPARE(log.entries[2].title, QStringLiteral("计算失败"));
    QVERIFY(log.entries[2].text.contains(QStringLiteral("no paper")));
    QCOMPARE(widgetText(plate_, "Text19"), QStringLiteral("12"));
    plate_->setPlatformHandler("Command2_Click", [] { throw 42; });
    QVERIFY(click(plate_, "Command2"));
    QCOMPARE(log.entries.size(), 4);
    QCOMPARE(log.entries[3].title, QStringLiteral("计算失败"));
    QVERIFY(log.entries[3].text.contains(QStringLiteral("意外错误")));
}

void PlateWindowTest::designationFollowsThePicks()
{
    QVERIFY(pick(plate_, "Combo1", QStringLiteral("0.85")));
    QCOMPARE(widgetText(plate_, "Text44"), QStringLiteral("BR0.85"));
    QVERIFY(pick(plate_, "Combo2", QStringLiteral("0.85")));
    QCOMPARE(widgetText(plate_, "Text44"), QStringLiteral("BBR0.85"));
    QVERIFY(pick(plate_, "Combo1", QStringLiteral("0.1")));
    QCOMPARE(widgetText(plate_, "Text44"), QStringLiteral("BR0.1"));
}

void PlateWindowTest::clockTicksEverySecond()
{
    auto& fo = static_cast<heatcalc::Fo&>(plate_->model());
    int second = 55;
    fo.setClock([&] { return heatcalc::LocalTime{2026, 12, 7, 21, 25, second++, 1}; });
    auto* clock = qobject_cast<QLabel*>(plate_->control("Label1"));
    QCOMPARE(clock->text(), QStringLiteral("Label1"));
    QTRY_COMPARE_WITH_TIMEOUT(clock->text(), QStringLiteral("2026年12月7日 21:25:55 星期1"), 2500);
    QTRY_COMPARE_WITH_TIMEOUT(clock->text(), QStringLiteral("2026年12月7日 21:25:56 星期1"), 2500);
}

void PlateWindowTest::closeAndReopenRestoresTheDesignTexts()
{
    QVERIFY(click(plate_, "Command1"));
    QVERIFY(pick(plate_, "Combo1", QStringLiteral("0.5")));
    main_->childWindow(ChildKind::Fo)->close();
    QTRY_VERIFY(!main_->childWindow(ChildKind::Fo));
    main_->ShowChildForm(ChildKind::Fo);
    plate_ = formOf(main_->childWindow(ChildKind::Fo));
    QCOMPARE(widgetText(plate_, "Text7"), QStringLiteral("0"));
    QCOMPARE(widgetText(plate_, "Text44"), QString());
    QCOMPARE(widgetText(plate_, "Combo1"), QStringLiteral("0.1"));
    QCOMPARE(plate_->model().text("Text12"), std::string("Text12"));
    QCOMPARE(qobject_cast<QLabel*>(plate_->control("Label1"))->text(), QStringLiteral("Label1"));
}

QTEST_MAIN(PlateWindowTest)
#include "plate_window_test.moc"
