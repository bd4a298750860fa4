#include <QAbstractButton>
#include <QLabel>
#include <QPointer>
#include <QProcess>

#include <cerrno>
#include <cstring>

#include "print_support.h"

namespace {
constexpr const char* quitWhilePrinting = "HEATCALC_TEST_QUIT_WHILE_PRINTING";
}

// Printing through the real print button when the print server cannot be reached or never
// answers: the window keeps working, the failure is reported with the server's name, and nothing
// in the window changes. Needs no print server.
class PrintWithoutServerTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();
    void unreachableServerIsNamed();
    void serverThatDoesNotAnswerTimesOutOnTime_data();
    void serverThatDoesNotAnswerTimesOutOnTime();
    void closingTheWindowDuringAPrintCancelsIt();
    void closingTheProgramDuringAPrintEndsIt();

private:
    // A server that takes connections and never answers: a socket listening in the test's
    // folder that never accepts. Returns its path, empty (with a failed check) when it cannot.
    QString silentServer();

    QTemporaryDir home_;
    std::unique_ptr<SocketServer> server_;
};

void PrintWithoutServerTest::initTestCase()
{
    QVERIFY(home_.isValid());
    isolateFromThePrintSetup(home_);
}

void PrintWithoutServerTest::cleanup()
{
    // Every hand-over of a case is over before the next case changes the environment.
    QVERIFY(heatcalc::ui::waitForPrintWorkers(std::chrono::seconds(15)));
    server_.reset();
}

QString PrintWithoutServerTest::silentServer()
{
    const QString path = home_.filePath("silent.sock");
    server_ = std::make_unique<SocketServer>(path, nullptr);
    return server_->listening() ? path : QString();
}

void PrintWithoutServerTest::unreachableServerIsNamed()
{
    qputenv("CUPS_SERVER", "/nonexistent/heatcalc-test-cups.sock");
    WarningLog log;
    PlateUnderTest t;
    QVERIFY(t.open());
    QVERIFY(click(t.plate, "Command1"));
    const auto before = t.texts();
    QSignalSpy done(t.printer, &heatcalc::ui::DocumentPrinter::finished);
    // Pressed from the keyboard: the button has the focus, and gets it back after the print.
    QWidget* button = t.printButton();
    t.main->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(t.main.get()));
    button->setFocus(Qt::TabFocusReason);
    QVERIFY(button->hasFocus());
    QTest::keyClick(button, Qt::Key_Space);
    QVERIFY(!button->isEnabled());
    QVERIFY(done.wait(5000));
    QCOMPARE(log.entries.size(), 1);
    QCOMPARE(log.entries[0].owner, t.plate);
    QCOMPARE(log.entries[0].title, QStringLiteral("打印失败"));
    // The cause first, then the system's own reason.
    QCOMPARE(log.entries[0].text,
             QStringLiteral("打印服务没有运行：不能连接打印服务器 /nonexistent/heatcalc-test-cups.sock（%1）。")
                 .arg(QString::fromLocal8Bit(std::strerror(ENOENT))));
    QVERIFY(button->isEnabled());
    QCOMPARE(QApplication::focusWidget(), button);
    QCOMPARE(t.texts(), before);
}

// Servers that keep the print waiting in different ways: the message comes when the time-out
// runs out, whatever the server does, and names it.
void PrintWithoutServerTest::serverThatDoesNotAnswerTimesOutOnTime_data()
{
    QTest::addColumn<int>("server");
    QTest::newRow("never takes the connection") << 0;
    QTest::newRow("takes it, never answers") << 1;
    QTest::newRow("answers part, then stalls") << 2;
}

void PrintWithoutServerTest::serverThatDoesNotAnswerTimesOutOnTime()
{
    QFETCH(int, server);
    const QString path = home_.filePath("stalling.sock");
    SocketServer::Serve serve;
    if (server == 1)
        serve = readToTheEnd;
    if (server == 2)
        serve = [](int connection) {
            char request[4096];
            if (::recv(connection, request, sizeof request, 0) <= 0)
                return;
            // The start of an answer: its status, its headers and 2 of its 200 bytes.
            const char answer[] =
                "HTTP/1.1 200 OK\r\nContent-Type: application/ipp\r\nContent-Length: 200\r\n\r\n\x02\x00";
            sendAll(connection, answer, sizeof answer - 1);
            readToTheEnd(connection);
        };
    server_ = std::make_unique<SocketServer>(path, serve);
    QVERIFY(server_->listening());
    qputenv("CUPS_SERVER", path.toLocal8Bit());
    constexpr int timeoutMs = 1500;
    qputenv("HEATCALC_PRINT_TIMEOUT_MS", QByteArray::number(timeoutMs));
    const auto restore = qScopeGuard([] { qunsetenv("HEATCALC_PRINT_TIMEOUT_MS"); });

    WarningLog log;
    PlateUnderTest t;
    QVERIFY(t.open());
    QVERIFY(click(t.plate, "Command1"));
    const auto before = t.texts();
    auto* clock = qobject_cast<QLabel*>(t.plate->control("Label1"));
    const QString clockBefore = clock->text();

    QSignalSpy done(t.printer, &heatcalc::ui::DocumentPrinter::finished);
    QElapsedTimer took;
    took.start();
    QVERIFY(click(t.plate, "Command2"));
    // The press makes the page on the GUI thread; from then on the hand-over must not hold it up.
    StallMeter stalls;
    QVERIFY(!t.printButton()->isEnabled());
    QCOMPARE(t.plate->cursor().shape(), Qt::BusyCursor);
    QCOMPARE(qobject_cast<QAbstractButton*>(t.printButton())->text(), QStringLiteral("打印中…"));
    // A second press on the disabled button starts nothing.
    QVERIFY(click(t.plate, "Command2"));
    QVERIFY(done.wait(timeoutMs + 4000));
    const qint64 elapsed = took.elapsed();
    const qint64 longestStall = stalls.longestMs();
    qInfo("message after %lld ms, longest event-loop stall %lld ms", elapsed, longestStall);

    QVERIFY2(longestStall < 100, qPrintable(QString::number(longestStall)));
    QVERIFY2(elapsed >= timeoutMs && elapsed < timeoutMs + 500, qPrintable(QString::number(elapsed)));
    QVERIFY(clock->text() != clockBefore);
    QCOMPARE(log.entries.size(), 1);
    QCOMPARE(log.entries[0].text, QStringLiteral("打印服务器 %1 在 1.5 秒内没有应答。").arg(path));
    QVERIFY(t.printButton()->isEnabled());
    QCOMPARE(qobject_cast<QAbstractButton*>(t.printButton())->text(), QStringLiteral(" 界面打印"));
    QCOMPARE(t.plate->cursor().shape(), Qt::ArrowCursor);
    QCOMPARE(t.texts(), before);
    QTest::qWait(200);
    QCOMPARE(done.size(), 1);
}

void PrintWithoutServerTest::closingTheWindowDuringAPrintCancelsIt()
{
    const QString server = silentServer();
    QVERIFY(!server.isEmpty());
    qputenv("CUPS_SERVER", server.toLocal8Bit());

    WarningLog log;
    PlateUnderTest t;
    QVERIFY(t.open());
    QVERIFY(click(t.plate, "Command2"));
    QVERIFY(!t.printButton()->isEnabled());
    QTest::qWait(100);
    const QPointer<QMdiSubWindow> window = t.main->childWindow(heatcalc::ChildKind::Fo);
    QVERIFY(window->close());
    QTRY_VERIFY(!window);
    // The hand-over ends at once, well before its 10 s time-out, and reports nothing.
    QElapsedTimer took;
    took.start();
    QVERIFY(heatcalc::ui::waitForPrintWorkers(std::chrono::seconds(2)));
    QVERIFY(took.elapsed() < 1000);
    QTest::qWait(100);
    QVERIFY(log.entries.isEmpty());
}

void PrintWithoutServerTest::closingTheProgramDuringAPrintEndsIt()
{
    const QString server = silentServer();
    QVERIFY(!server.isEmpty());
    // The program itself, in a process of its own, with the print time-out at its 10 s.
    QProcess program;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("CUPS_SERVER", server);
    environment.insert(quitWhilePrinting, "1");
    environment.remove("HEATCALC_PRINT_TIMEOUT_MS");
    program.setProcessEnvironment(environment);
    program.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    QElapsedTimer took;
    took.start();
    program.start(QCoreApplication::applicationFilePath(), {});
    QVERIFY(program.waitForFinished(8000));
    QCOMPARE(program.exitStatus(), QProcess::NormalExit);
    QCOMPARE(program.exitCode(), 0);
    QVERIFY2(took.elapsed() < 4000, qPrintable(QString::number(took.elapsed())));
}

// The program's part of closingTheProgramDuringAPrintEndsIt: opens the plate window, presses its
// print button, and closes the main window while the silent server keeps the print waiting.
// Exits 0 once the program has ended normally, 2 when the print never got under way.
int runQuitWhilePrinting(int argc, char* argv[])
{
    QApplication app(argc, argv);
    heatcalc::MDIForm1 window;
    window.show();
    window.ShowChildForm(heatcalc::ChildKind::Fo);
    auto* plate = formOf(window.childWindow(heatcalc::ChildKind::Fo));
    if (!plate || !QTest::qWaitForWindowExposed(plate))
        return 2;
    QTest::mouseClick(plate->control("Command2"), Qt::LeftButton);
    if (plate->control("Command2")->isEnabled())
        return 2;
    QTimer::singleShot(300, &window, [&window] { window.close(); });
    return QApplication::exec();
}

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsSet(quitWhilePrinting))
        return runQuitWhilePrinting(argc, argv);
    QApplication app(argc, argv);
    app.setAttribute(Qt::AA_Use96Dpi, true);
    PrintWithoutServerTest test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}
#include "print_without_server_test.moc"
