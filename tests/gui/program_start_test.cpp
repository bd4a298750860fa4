// The program started on an X display it cannot use ends with words and status 1, not with an
// abort; the display check itself against sockets opened here.

#include <QFile>
#include <QProcess>
#include <QSignalSpy>
#include <QSocketNotifier>
#include <QTest>

#include <netinet/in.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstddef>
#include <cstring>
#include <string>

#include "main/display_check.h"

using heatcalc::parseXDisplay;
using heatcalc::xDisplayReachable;

namespace {

// A listening socket in the abstract namespace where the X server of display `number` would
// listen; invalid (-1) when that name is taken.
int listenAsLocalDisplay(int number)
{
    const std::string path = "/tmp/.X11-unix/X" + std::to_string(number);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::memcpy(address.sun_path + 1, path.data(), path.size());
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    const auto length = static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + 1 + path.size());
    if (::bind(fd, reinterpret_cast<const sockaddr*>(&address), length) != 0 || ::listen(fd, 4) != 0) {
        ::close(fd);
        return -1;
    }
    return fd;
}

// A listening socket on TCP port 6000 + number of this machine; -1 when the port is taken.
int listenAsTcpDisplay(int number)
{
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<std::uint16_t>(6000 + number));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (::bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0 || ::listen(fd, 4) != 0) {
        ::close(fd);
        return -1;
    }
    return fd;
}

// A display number with nothing behind it: no local socket (abstract or file) and nothing on its
// TCP port, checked by taking both here and letting them go again.
int unusedDisplay()
{
    for (int number = 4711; number < 4811; ++number) {
        if (QFile::exists(QStringLiteral("/tmp/.X11-unix/X%1").arg(number)))
            continue;
        const int local = listenAsLocalDisplay(number);
        const int tcp = listenAsTcpDisplay(number);
        ::close(local);
        ::close(tcp);
        if (local >= 0 && tcp >= 0)
            return number;
    }
    return -1;
}

struct Run {
    int exitCode = -1;
    QProcess::ExitStatus status = QProcess::CrashExit;
    QString errors;
};

// Starts the program with DISPLAY set to `display` and no other platform asked for, and waits for
// it to end, turning the event loop meanwhile.
Run startProgram(const QString& display)
{
    QProcess program;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("QT_QPA_PLATFORM"));
    env.remove(QStringLiteral("WAYLAND_DISPLAY"));
    env.insert(QStringLiteral("DISPLAY"), display);
    program.setProcessEnvironment(env);
    QSignalSpy finished(&program, &QProcess::finished);
    program.start(QStringLiteral(HEATCALC_PROGRAM), {});
    Run run;
    if (!program.waitForStarted(10000) || !finished.wait(20000)) {
        program.kill();
        program.waitForFinished();
        return run;
    }
    run.exitCode = program.exitCode();
    run.status = program.exitStatus();
    run.errors = QString::fromLocal8Bit(program.readAllStandardError());
    return run;
}

}  // namespace

class ProgramStartTest : public QObject {
    Q_OBJECT

private slots:
    void displayNamesAreReadAsTheXClientReadsThem();
    void reachableOnlyWhileSomethingListens();
    void unreachableDisplayEndsWithWordsAndStatusOne_data();
    void unreachableDisplayEndsWithWordsAndStatusOne();
    void displayThatHangsUpEndsWithWordsAndStatusOne();
};

void ProgramStartTest::displayNamesAreReadAsTheXClientReadsThem()
{
    auto d = parseXDisplay(":0");
    QVERIFY(d);
    QCOMPARE(d->number, 0);
    QVERIFY(d->host.empty() && d->protocol.empty());
    d = parseXDisplay("unix:12.3");
    QVERIFY(d);
    QCOMPARE(d->host, std::string("unix"));
    QCOMPARE(d->number, 12);
    d = parseXDisplay("tcp/example.org:10.0");
    QVERIFY(d);
    QCOMPARE(d->protocol, std::string("tcp"));
    QCOMPARE(d->host, std::string("example.org"));
    QCOMPARE(d->number, 10);
    d = parseXDisplay("[::1]:2");
    QVERIFY(d);
    QCOMPARE(d->host, std::string("::1"));
    QCOMPARE(d->number, 2);
    for (const char* bad :
         {"", "0", ":", ":x", ":99xyz", ":1.", ":1.x", ":1 ", "host", ":59536", ":99999999999999999999"})
        QVERIFY2(!parseXDisplay(bad), bad);
    QVERIFY(parseXDisplay(":59535"));
}

void ProgramStartTest::reachableOnlyWhileSomethingListens()
{
    const int number = unusedDisplay();
    QVERIFY(number >= 0);
    const std::string n = std::to_string(number);
    QVERIFY(!xDisplayReachable(":" + n));
    QVERIFY(!xDisplayReachable("unix:" + n));
    QVERIFY(!xDisplayReachable(""));

    const int local = listenAsLocalDisplay(number);
    QVERIFY(local >= 0);
    QVERIFY(xDisplayReachable(":" + n));
    QVERIFY(xDisplayReachable(":" + n + ".0"));
    QVERIFY(xDisplayReachable("unix:" + n));
    QVERIFY(!xDisplayReachable("tcp/:" + n));  // TCP was asked for, and nothing listens there
    ::close(local);
    QVERIFY(!xDisplayReachable(":" + n));

    const int tcp = listenAsTcpDisplay(number);
    QVERIFY(tcp >= 0);
    QVERIFY(xDisplayReachable("localhost:" + n));
    QVERIFY(xDisplayReachable("127.0.0.1:" + n));
    QVERIFY(xDisplayReachable(":" + n));  // a local display falls back to TCP on this machine
    QVERIFY(!xDisplayReachable("unix:" + n));
    ::close(tcp);
    QVERIFY(!xDisplayReachable("localhost:" + n));
}

void ProgramStartTest::unreachableDisplayEndsWithWordsAndStatusOne_data()
{
    const int number = unusedDisplay();
    QTest::addColumn<QString>("display");
    QTest::addColumn<QString>("words");
    QTest::newRow("not a display name") << ":99xyz"
                                        << "the display \":99xyz\" named in DISPLAY cannot be reached";
    QTest::newRow("empty") << ""
                           << "DISPLAY is empty";
    // Without a free display number the rows that need one are left out.
    if (number < 0)
        return;
    const QString unused = QString::number(number);
    QTest::newRow("no server") << (":" + unused)
                               << ("the display \":" + unused + "\" named in DISPLAY cannot be reached");
    QTest::newRow("no local server") << ("unix:" + unused)
                                     << ("\"unix:" + unused + "\" named in DISPLAY cannot be reached");
}

void ProgramStartTest::unreachableDisplayEndsWithWordsAndStatusOne()
{
    QFETCH(QString, display);
    QFETCH(QString, words);
    const Run run = startProgram(display);
    QCOMPARE(run.status, QProcess::NormalExit);
    QCOMPARE(run.exitCode, 1);
    QVERIFY2(run.errors.contains(words), qPrintable(run.errors));
    QVERIFY2(run.errors.contains(QStringLiteral("xvfb-run -a ./build/heatcalc")), qPrintable(run.errors));
    QVERIFY(!run.errors.contains(QStringLiteral("Reinstalling")));
}

void ProgramStartTest::displayThatHangsUpEndsWithWordsAndStatusOne()
{
    // Something listens where the display's server would, and hangs up on every connection: the
    // socket answers, the window system then fails to open the display.
    const int number = unusedDisplay();
    QVERIFY(number >= 0);
    const int fd = listenAsLocalDisplay(number);
    QVERIFY(fd >= 0);
    QSocketNotifier incoming(fd, QSocketNotifier::Read);
    connect(&incoming, &QSocketNotifier::activated, this, [fd] {
        const int connection = ::accept(fd, nullptr, nullptr);
        if (connection >= 0)
            ::close(connection);
    });
    const QString display = QStringLiteral(":%1").arg(number);
    const Run run = startProgram(display);
    ::close(fd);
    QCOMPARE(run.status, QProcess::NormalExit);
    QCOMPARE(run.exitCode, 1);
    QVERIFY2(run.errors.contains(QStringLiteral("the display \"%1\" could not be opened").arg(display)),
             qPrintable(run.errors));
    QVERIFY2(run.errors.contains(QStringLiteral("xvfb-run -a ./build/heatcalc")), qPrintable(run.errors));
    QVERIFY(!run.errors.contains(QStringLiteral("Reinstalling")));
}

QTEST_GUILESS_MAIN(ProgramStartTest)
#include "program_start_test.moc"
