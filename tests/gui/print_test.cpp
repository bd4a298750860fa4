#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>

#include <atomic>
#include <clocale>

#include "print_support.h"

namespace {

constexpr const char* quitWhileSending = "HEATCALC_TEST_QUIT_WHILE_SENDING";

// A print server in front of the test's scheduler: it passes every connection on to the
// scheduler's socket, but holds back all that a connection sends from the start of a PDF
// document on, as a slow network would: the job is created, its document never arrives.
class StallingRelay {
public:
    StallingRelay(const QString& path, const QString& scheduler)
        : scheduler_(scheduler.toLocal8Bit()), server_(path, [this](int client) { relay(client); })
    {
    }

    bool listening() const { return server_.listening(); }
    // A document is being held back.
    bool stalled() const { return stalled_.load(); }

private:
    void relay(int client)
    {
        const int scheduler = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
        if (scheduler < 0)
            return;
        server_.keep(scheduler);
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        std::memcpy(address.sun_path, scheduler_.constData(),
                    std::min(sizeof(address.sun_path) - 1, static_cast<std::size_t>(scheduler_.size())));
        if (::connect(scheduler, reinterpret_cast<sockaddr*>(&address), sizeof(address)) != 0)
            return;
        QByteArray recent;  // the last bytes passed on, for a "%PDF" split between two reads
        bool holding = false;
        char buffer[16384];
        for (;;) {
            // While holding, the client's data is not read: only its hanging up is seen.
            pollfd sides[2] = {{client, static_cast<short>(holding ? 0 : POLLIN), 0}, {scheduler, POLLIN, 0}};
            if (::poll(sides, 2, -1) < 0)
                break;
            if (sides[1].revents != 0) {
                const ssize_t n = ::recv(scheduler, buffer, sizeof buffer, 0);
                if (n <= 0 || !sendAll(client, buffer, static_cast<std::size_t>(n)))
                    break;
            }
            if (sides[0].revents != 0) {
                const ssize_t n = ::recv(client, buffer, sizeof buffer, 0);
                if (n <= 0)
                    break;
                if (holding)
                    continue;
                const QByteArray data(buffer, n);
                if ((recent + data).contains("%PDF")) {
                    holding = true;
                    stalled_ = true;
                    continue;
                }
                recent = data.right(3);
                if (!sendAll(scheduler, buffer, static_cast<std::size_t>(n)))
                    break;
            }
        }
        ::shutdown(scheduler, SHUT_RDWR);
    }

    QByteArray scheduler_;
    std::atomic<bool> stalled_ = false;
    SocketServer server_;  // the last member: it stops the connections before the rest goes
};

}  // namespace

// Printing through the real print button to a print server of the test's own, never the
// machine's: scripts/private-cups starts one with a PDF queue "HeatcalcPDF" as its default
// destination (HEATCALC_TEST_CUPS names its folder) and one without any queue
// (HEATCALC_TEST_CUPS_EMPTY). Without them the test is skipped.
class PrintTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void printsOneImageOfTheClientArea();
    void refusedJobIsReportedWithTheServersReason_data();
    void refusedJobIsReportedWithTheServersReason();
    void stoppedPrinterHoldsTheJobAndSaysSo();
    void noDefaultDestination();
    void unfinishedPrintLeavesNoJobBehind_data();
    void unfinishedPrintLeavesNoJobBehind();

private:
    // Runs a cups command on the test's server; false (with its output) when it fails.
    bool cups(const QString& program, const QStringList& arguments);
    // The jobs the test's server has not completed, as lpstat lists them.
    QString pendingJobs();

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
    // Header, rule, then one line per image: page num type width height color comp bpc enc interp
    // object ID x-ppi y-ppi ...
    QStringList images;
    QStringList ppi;
    for (const QString& line : lines.mid(2)) {
        const QStringList cols = line.split(QRegularExpression("\\s+"), Qt::SkipEmptyParts);
        if (cols.size() > 13 && cols[2] == "image") {
            images << cols[0] + ":" + cols[3] + "x" + cols[4];
            ppi << cols[12] + "x" + cols[13];
        }
    }
    // The client area (5715 x 8460 twips: 381 x 564 pixels) in the display's pixels, at its size
    // on the screen at 96 pixels per inch, whatever the display's scale.
    const qreal scale = t.plate->devicePixelRatioF();
    const QSize size = QSize(381, 564) * scale;
    QCOMPARE(images, QStringList{QStringLiteral("1:%1x%2").arg(size.width()).arg(size.height())});
    QCOMPARE(ppi, QStringList{QStringLiteral("%1x%1").arg(qRound(96 * scale))});
    QProcess info;
    info.start("pdfinfo", {printed});
    QVERIFY(info.waitForFinished(10000));
    QVERIFY(QString::fromLocal8Bit(info.readAllStandardOutput()).contains(QRegularExpression("Pages:\\s+1\\n")));
}

QString PrintTest::pendingJobs()
{
    QProcess p;
    p.start("lpstat", {"-h", folder_ + "/cups.sock", "-o"});
    if (!p.waitForFinished(10000))
        return QStringLiteral("(lpstat did not answer)");
    return QString::fromLocal8Bit(p.readAllStandardOutput() + p.readAllStandardError()).trimmed();
}

void PrintTest::refusedJobIsReportedWithTheServersReason_data()
{
    QTest::addColumn<bool>("chinese");
    QTest::newRow("English server") << false;
    // The server's Chinese words close with their own full stop.
    QTest::newRow("Chinese server") << true;
}

void PrintTest::refusedJobIsReportedWithTheServersReason()
{
    QFETCH(bool, chinese);
    // libcups takes the language of its requests from the environment under the C locale.
    const std::string locale = std::setlocale(LC_MESSAGES, nullptr);
    if (chinese) {
        std::setlocale(LC_MESSAGES, "C");
        qputenv("LC_MESSAGES", "zh_CN.UTF-8");
    }
    const auto english = qScopeGuard([&locale] {
        qunsetenv("LC_MESSAGES");
        std::setlocale(LC_MESSAGES, locale.c_str());
    });
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
    // The cause in Chinese first, then the server's own words and status, one full stop at the end.
    const QString& text = log.entries[0].text;
    QVERIFY2(text.startsWith(QStringLiteral("打印机 HeatcalcPDF 不接受打印任务（")), qPrintable(text));
    QVERIFY2(text.endsWith(QStringLiteral("，server-error-not-accepting-jobs）。")), qPrintable(text));
    QVERIFY2(text.contains(chinese ? QStringLiteral("不接受任务") : QStringLiteral("not accepting jobs")),
             qPrintable(text));
    QVERIFY2(!text.contains(QStringLiteral("。，")) && !text.contains(QStringLiteral(".，")), qPrintable(text));
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
    QCOMPARE(log.entries[0].title, QStringLiteral("打印失败"));
    QCOMPARE(log.entries[0].text, QStringLiteral("没有默认打印机（No default destination）。"));
    QCOMPARE(t.texts(), before);
}

void PrintTest::unfinishedPrintLeavesNoJobBehind_data()
{
    QTest::addColumn<int>("end");
    QTest::newRow("plate window closed") << 0;
    QTest::newRow("program ended") << 1;
    QTest::newRow("time-out ran out") << 2;
}

// The page is on its way, held back by a slow relay, when the window or the program is closed or
// the time-out runs out: the job already created is withdrawn, and no empty job waits on the
// server.
void PrintTest::unfinishedPrintLeavesNoJobBehind()
{
    QFETCH(int, end);
    QTRY_COMPARE_WITH_TIMEOUT(pendingJobs(), QString(), 10000);
    const QString relayPath = home_.filePath("relay.sock");
    if (end == 1) {
        QProcess program;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(quitWhileSending, relayPath);
        program.setProcessEnvironment(environment);
        program.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        program.start(QCoreApplication::applicationFilePath(), {});
        QVERIFY(program.waitForFinished(10000));
        QCOMPARE(program.exitStatus(), QProcess::NormalExit);
        QCOMPARE(program.exitCode(), 0);
    } else {
        StallingRelay relay(relayPath, folder_ + "/cups.sock");
        QVERIFY(relay.listening());
        qputenv("CUPS_SERVER", relayPath.toLocal8Bit());
        qputenv("HEATCALC_PRINT_TIMEOUT_MS", "1500");
        const auto restore = qScopeGuard([this] {
            qputenv("CUPS_SERVER", (folder_ + "/cups.sock").toLocal8Bit());
            qunsetenv("HEATCALC_PRINT_TIMEOUT_MS");
        });
        WarningLog log;
        PlateUnderTest t;
        QVERIFY(t.open());
        QSignalSpy done(t.printer, &heatcalc::ui::DocumentPrinter::finished);
        QVERIFY(click(t.plate, "Command2"));
        QTRY_VERIFY_WITH_TIMEOUT(relay.stalled(), 5000);
        if (end == 0) {
            QVERIFY(t.main->childWindow(heatcalc::ChildKind::Fo)->close());
            QTRY_VERIFY(!t.main->childWindow(heatcalc::ChildKind::Fo));
        } else {
            QVERIFY(done.wait(3000));
        }
        QVERIFY(heatcalc::ui::waitForPrintWorkers(std::chrono::seconds(3)));
        const QStringList told =
            end == 0 ? QStringList()
                     : QStringList{QStringLiteral("打印服务器 %1 在 1.5 秒内没有应答。").arg(relayPath)};
        QStringList texts;
        for (const auto& entry : log.entries)
            texts << entry.text;
        QCOMPARE(texts, told);
    }
    QCOMPARE(pendingJobs(), QString());
}

// The program's part of unfinishedPrintLeavesNoJobBehind: prints through a relay that holds the
// document back, and closes the main window while it does. Exits 0 once the program has ended
// normally, 2 when the document never got under way.
int runQuitWhileSending(int argc, char* argv[])
{
    // The relay outlives the application, whose end waits for the print workers.
    StallingRelay relay(qEnvironmentVariable(quitWhileSending),
                        qEnvironmentVariable("HEATCALC_TEST_CUPS") + "/cups.sock");
    if (!relay.listening())
        return 2;
    qputenv("CUPS_SERVER", qEnvironmentVariable(quitWhileSending).toLocal8Bit());
    QApplication app(argc, argv);
    heatcalc::MDIForm1 window;
    window.show();
    window.ShowChildForm(heatcalc::ChildKind::Fo);
    auto* plate = formOf(window.childWindow(heatcalc::ChildKind::Fo));
    if (!plate || !QTest::qWaitForWindowExposed(plate))
        return 2;
    QTest::mouseClick(plate->control("Command2"), Qt::LeftButton);
    if (!QTest::qWaitFor([&relay] { return relay.stalled(); }, 5000))
        return 2;
    QTimer::singleShot(0, &window, [&window] { window.close(); });
    return QApplication::exec();
}

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsSet(quitWhileSending))
        return runQuitWhileSending(argc, argv);
    QApplication app(argc, argv);
    app.setAttribute(Qt::AA_Use96Dpi, true);
    PrintTest test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}
#include "print_test.moc"
