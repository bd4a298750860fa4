#include "gui_support.h"

using heatcalc::ChildKind;
using heatcalc::MDIForm1;

// With no print server to reach there is no default printer: the print button says so and
// the window stays as it was.
class PrintWithoutPrinterTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { qputenv("CUPS_SERVER", "/nonexistent/heatcalc-test-cups.sock"); }
    void reportsAndChangesNothing();
};

void PrintWithoutPrinterTest::reportsAndChangesNothing()
{
    WarningLog log;
    MDIForm1 w;
    w.show();
    w.ShowChildForm(ChildKind::Fo);
    auto* plate = formOf(w.childWindow(ChildKind::Fo));
    QVERIFY(click(plate, "Command1"));
    std::vector<std::string> before;
    for (const auto& c : plate->design().controls)
        before.push_back(plate->model().text(heatcalc::controlKey(c)));
    QVERIFY(click(plate, "Command2"));
    QCOMPARE(log.entries.size(), 1);
    QCOMPARE(log.entries[0].owner, plate);
    QCOMPARE(log.entries[0].title, QStringLiteral("打印失败"));
    QVERIFY(log.entries[0].text.contains(QStringLiteral("没有默认打印机")));
    std::size_t i = 0;
    for (const auto& c : plate->design().controls)
        QCOMPARE(plate->model().text(heatcalc::controlKey(c)), before[i++]);
}

QTEST_MAIN(PrintWithoutPrinterTest)
#include "print_without_printer_test.moc"
