#include <QLabel>

#include "gui_support.h"

using heatcalc::ChildKind;
using heatcalc::MDIForm1;

class TubeAndUnitWindowsTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void tubeWindowOpensWithItsDesignTexts();
    void tubePressUpdatesTheWidgetsAndInertButtonsChangeNothing();
    void unitWindowOpensWithItsDesignTexts();
    void unitPumpCountChangesNothingUntilThePress();
    void unitDoubleClickShowsTheCurrentResults();

private:
    heatcalc::ui::FormWidget* open(const char* shortcut, ChildKind kind);
    std::unique_ptr<MDIForm1> main_;
};

void TubeAndUnitWindowsTest::init()
{
    main_ = std::make_unique<MDIForm1>();
    main_->show();
    main_->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(main_.get()));
}

heatcalc::ui::FormWidget* TubeAndUnitWindowsTest::open(const char* shortcut, ChildKind kind)
{
    QTest::keySequence(main_.get(), QKeySequence(QString::fromLatin1(shortcut)));
    return formOf(main_->childWindow(kind));
}

void TubeAndUnitWindowsTest::tubeWindowOpensWithItsDesignTexts()
{
    auto* tube = open("Ctrl+B", ChildKind::Fo23);
    QVERIFY(tube);
    QCOMPARE(main_->childWindow(ChildKind::Fo23)->windowTitle(), QStringLiteral("Velmora自动化设备有限公司"));
    QCOMPARE(tube->size(), QSize(381, 564));
    // clang-format off
    for (auto [key, text] : {std::pair{"Text1", "1"}, {"Text2", "0.6"}, {"Text3", "100"}, {"Text4", "70"}, {"Text5", "50"},
                             {"Text6", "2200"}, {"Text26", "600"}, {"Text45", "0"}, {"Text27", "0"}, {"Text23", "300"},
                             {"Text24", "3000"}, {"Text25", "14"}, {"Text7", "0"}, {"Text46", "0"}, {"Text19", "0"}})
        QCOMPARE(widgetText(tube, key), QString::fromUtf8(text));
    // clang-format on
    QCOMPARE(qobject_cast<QLabel*>(tube->control("Label43"))->text(), QStringLiteral("管式换热器选型软件"));
    QVERIFY(!tube->control("Text10"));
    QVERIFY(!tube->control("Label13(0)"));
}

void TubeAndUnitWindowsTest::tubePressUpdatesTheWidgetsAndInertButtonsChangeNothing()
{
    auto* tube = open("Ctrl+B", ChildKind::Fo23);
    auto snapshot = [&] {
        QStringList texts;
        for (const auto& c : tube->design().controls)
            texts << QString::fromStdString(tube->model().text(heatcalc::controlKey(c)));
        return texts;
    };
    const QStringList fresh = snapshot();
    QVERIFY(click(tube, "Command3"));
    QVERIFY(click(tube, "Command6"));
    QCOMPARE(snapshot(), fresh);

    QVERIFY(click(tube, "Command1"));
    QCOMPARE(widgetText(tube, "Text7"), QStringLiteral("1.22835032551284"));
    QCOMPARE(widgetText(tube, "Text13"), QStringLiteral("9.9"));
    QCOMPARE(widgetText(tube, "Text19"), QStringLiteral("75.0"));
    QCOMPARE(widgetText(tube, "Text47"), QStringLiteral("1.03441159820094"));
    QCOMPARE(widgetText(tube, "Text46"), QStringLiteral("0.00739349594824167"));
    QCOMPARE(widgetText(tube, "Text20"), QStringLiteral("0"));
    const QStringList computed = snapshot();
    QVERIFY(click(tube, "Command3"));
    QVERIFY(click(tube, "Command6"));
    QCOMPARE(snapshot(), computed);
    QTest::qWait(1100);
    QCOMPARE(qobject_cast<QLabel*>(tube->control("Label1"))->text(), QStringLiteral("Label1"));
}

void TubeAndUnitWindowsTest::unitWindowOpensWithItsDesignTexts()
{
    auto* unit = open("Ctrl+E", ChildKind::Form1);
    QVERIFY(unit);
    QCOMPARE(main_->childWindow(ChildKind::Form1)->windowTitle(), QStringLiteral("换热机组主要元件配制"));
    QCOMPARE(unit->size(), QSize(332, 451));
    // clang-format off
    for (auto [key, text] : {std::pair{"Text1", "100"}, {"Text11", "25"}, {"Text2", "25"}, {"Text3", "300"},
                             {"Combo1", "100"}, {"Combo2", "1"}, {"Text15", "0"}, {"Text13", "0"}, {"Text12", "0"}})
        QCOMPARE(widgetText(unit, key), QString::fromUtf8(text));
    // clang-format on
    QCOMPARE(qobject_cast<QComboBox*>(unit->control("Combo1"))->count(), 20);
    QCOMPARE(qobject_cast<QComboBox*>(unit->control("Combo2"))->count(), 3);
    for (const char* work : {"Text4", "Text6", "Text9", "Text18"})
        QVERIFY2(!unit->control(work), work);
}

void TubeAndUnitWindowsTest::unitPumpCountChangesNothingUntilThePress()
{
    auto* unit = open("Ctrl+E", ChildKind::Form1);
    QVERIFY(pick(unit, "Combo2", QStringLiteral("02")));
    QCOMPARE(widgetText(unit, "Combo2"), QStringLiteral("02"));
    QCOMPARE(widgetText(unit, "Text5"), QStringLiteral("0"));
    QVERIFY(click(unit, "Command1"));
    QCOMPARE(widgetText(unit, "Text5"), QStringLiteral("84"));
}

void TubeAndUnitWindowsTest::unitDoubleClickShowsTheCurrentResults()
{
    auto* unit = open("Ctrl+E", ChildKind::Form1);
    QVERIFY(click(unit, "Command1"));
    QCOMPARE(widgetText(unit, "Text13"), QStringLiteral("1"));
    QCOMPARE(widgetText(unit, "Text14"), QStringLiteral("1"));
    // A double click is two presses in quick succession.
    QTest::mouseClick(unit->control("Command1"), Qt::LeftButton);
    QTest::mouseClick(unit->control("Command1"), Qt::LeftButton);
    QCOMPARE(widgetText(unit, "Text13"), QStringLiteral("3.53677950054307"));
    QCOMPARE(widgetText(unit, "Text14"), QStringLiteral("46.09342615065"));
    QCOMPARE(widgetText(unit, "Text5"), QStringLiteral("120"));
    QCOMPARE(widgetText(unit, "Text12"), QStringLiteral("2.5"));
}

QTEST_MAIN(TubeAndUnitWindowsTest)
#include "tube_and_unit_windows_test.moc"
