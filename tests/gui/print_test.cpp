#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>

#include "print_support.h"

// Printing through the real print button to a print server of the test's own, never the
// machine's: scripts/private-cups starts one with a PDF queue "HeatcalcPDF" as its default
// destination (HEATCALC_TEST_CUPS names its folder) and one without any queue
// (HEATCALC_TEST_CUPS_EMPTY). Without them the test is skipped.
class PrintTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void printsOneImageOfTheClientArea();
    void refusedJobIsReportedWithTheServersReason();
    void stoppedPrinterHoldsTheJobAndSaysSo();
    void noDefaultDestination();

private:
    // Runs a cups command on the test's server; false (with its output) when it fails.
    bool cups(const QString& program, const QStringList& arguments);

    QTemporaryDir home_;
    QString folder_;
    QString emptyFolder_;
};

void PrintTest::initTestCase()
{
    folder_ = qEnvironmentVariable("HEATCALC_TEST_CUPS");
    emptyFolder_ = qEnvironmentVariable("HEATCALC_TEST_CUPS_EMPTY");
    if (folder_.isEmpty() || emptyFolder_.isEmpty())
        QSKIP("no print server of the test's own: scripts/test starts them (scripts/private-cups)");
    QVERIFY(home_.isValid());
    isolateFromThePrintSetup(home_);
    qputenv("CUPS_SERVER", (folder_ + "/cups.sock").toLocal8Bit());
}

bool PrintTest::cups(const QString& program, const QStringList& arguments)
{
    QProcess p;
    p.start(program, QStringList{"-h", folder_ + "/cups.sock"} + arguments);
    if (!p.waitForFinished(10000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) {
        qWarning() << program << arguments << p.readAllStandardError();
        return false;
    }
    return true;
}

void PrintTest::printsOneImageOfTheClientArea()
{
    const QString printed = folder_ + "/out/print.pdf";
    QFile::remove(printed);
    WarningLog log;
    PlateUnderTest t;
    QVERIFY(t.open());
    QVERIFY(t.computeAndPrint());
    const auto& before = t.before;
    QSignalSpy& done = *t.done;
    QVERIFY(done.wait(15000));
    QVERIFY2(done[0][0].toInt() > 0, "the server gave the job no number");
    // The user is told the job number the server gave, and nothing else.
    QCOMPARE(log.entries.size(), 1);
    QCOMPARE(log.entries[0].text, QStringLiteral("打印任务已交给打印服务器，作业号 %1。").arg(done[0][0].toInt()));
    QCOMPARE(done[0][1].toString(), QString());
    QVERIFY(t.printButton()->isEnabled());
    QCOMPARE(t.texts(), before);

    // The queue writes the job out when it has processed it.
    QProcess list;
    QTRY_VERIFY_WITH_TIMEOUT(([&] {
                                 if (QFileInfo(printed).size() == 0)
                                     return false;
                                 list.start("pdfimages", {"-list", printed});
                                 list.waitForFinished(10000);
                                 return list.exitCode() == 0;
                             }()),
                             15000);
    const QStringList lines = QString::fromLocal8Bit(list.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
    // Header, rule, then one line per image: page num type width height ...
    QStringList images;
    for (const QString& line : lines.mid(2)) {
        const QStringList cols = line.split(QRegularExpression("\\s+"), Qt::SkipEmptyParts);
        if (cols.size() > 4 && cols[2] == "image")
            images << cols[0] + ":" + cols[3] + "x" + cols[4];
    }
    QCOMPARE(images, QStringList{"1:381x564"});
    QProcess info;
    info.start("pdfinfo", {printed});
    QVERIFY(info.waitForFinished(10000));
    QVERIFY(QString::fromLocal8Bit(info.readAllStandardOutput()).contains(QRegularExpression("Pages:\\s+1\\n")));
}

void PrintTest::refusedJobIsReportedWithTheServersReason()
{
    const QString printed = folder_ + "/out/print.pdf";
    QFile::remove(printed);
    QVERIFY(cups("cupsreject", {"-r", "heatcalc test", "HeatcalcPDF"}));
    const auto accept = qScopeGuard([this] { cups("cupsaccept", {"HeatcalcPDF"}); });

    WarningLog log;
    PlateUnderTest t;
    QVERIFY(t.open());
    QVERIFY(t.computeAndPrint());
    const auto& before = t.before;
    QSignalSpy& done = *t.done;
    QVERIFY(done.wait(15000));
    QCOMPARE(done[0][0].toInt(), 0);
    QCOMPARE(log.entries.size(), 1);
    QCOMPARE(log.entries[0].owner, t.plate);
    QCOMPARE(log.entries[0].title, QStringLiteral("打印失败"));
    const QString& text = log.entries[0].text;
    QVERIFY2(text.startsWith(QStringLiteral("打印失败：打印机 HeatcalcPDF 拒绝了打印任务")), qPrintable(text));
    QVERIFY2(text.contains("server-error-not-accepting-jobs"), qPrintable(text));
    QVERIFY(t.printButton()->isEnabled());
    QCOMPARE(t.texts(), before);
    QTest::qWait(300);
    QVERIFY(!QFileInfo::exists(printed));
}

void PrintTest::stoppedPrinterHoldsTheJobAndSaysSo()
{
    // A stopped queue still takes the job; the notice says that it waits for the printer.
    QVERIFY(cups("cupsdisable", {"-r", "heatcalc test", "HeatcalcPDF"}));
    const auto start = qScopeGuard([this] {
        cups("cancel", {"-a", "HeatcalcPDF"});
        cups("cupsenable", {"HeatcalcPDF"});
    });

    WarningLog log;
    PlateUnderTest t;
    QVERIFY(t.open());
    QVERIFY(t.computeAndPrint());
    const auto& before = t.before;
    QSignalSpy& done = *t.done;
    QVERIFY(done.wait(15000));
    const int job = done[0][0].toInt();
    QVERIFY(job > 0);
    QCOMPARE(done[0][1].toString(), QString());
    QCOMPARE(log.entries.size(), 1);
    QCOMPARE(log.entries[0].title, QStringLiteral("打印"));
    QCOMPARE(log.entries[0].text,
             QStringLiteral(
                 "打印任务已交给打印服务器，作业号 %1；打印机 HeatcalcPDF 已停止（paused），任务要等它恢复后才打印。")
                 .arg(job));
    QVERIFY(t.printButton()->isEnabled());
    QCOMPARE(t.texts(), before);
}

void PrintTest::noDefaultDestination()
{
    qputenv("CUPS_SERVER", (emptyFolder_ + "/cups.sock").toLocal8Bit());
    const auto restore = qScopeGuard([this] { qputenv("CUPS_SERVER", (folder_ + "/cups.sock").toLocal8Bit()); });
    WarningLog log;
    PlateUnderTest t;
    QVERIFY(t.open());
    QVERIFY(t.computeAndPrint());
    const auto& before = t.before;
    QSignalSpy& done = *t.done;
    QVERIFY(done.wait(15000));
    QCOMPARE(log.entries.size(), 1);
    QCOMPARE(log.entries[0].text, QStringLiteral("打印失败：没有默认打印机。"));
    QCOMPARE(t.texts(), before);
}

QTEST_MAIN(PrintTest)
#include "print_test.moc"
