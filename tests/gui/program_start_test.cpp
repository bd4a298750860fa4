// The program started on an X display it cannot use ends with words and status 1, not with an
// abort or a wait for ever; the display check itself against stand-ins for X servers opened here
// and against a virtual X server.

#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstddef>
#include <cstring>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "main/display_check.h"

using heatcalc::parseXDisplay;
using heatcalc::xDisplayReachable;
using heatcalc::XSetupReply;
using heatcalc::xSetupReply;

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
        if (QFile::exists(QStringLiteral("/tmp/.X11-unix/X%1").arg(number)) ||
            QFile::exists(QStringLiteral("/tmp/.X%1-lock").arg(number)))
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

// A stand-in for an X server on a listening socket, on a thread of its own: it takes each
// connection, reads the client's first bytes and writes `reply`; then it hangs up, or keeps the
// connection open and says nothing more. With an empty reply that keeps the connection it is a
// server that never answers.
class FakeXServer {
public:
    enum Then { Stall, HangUp };

    FakeXServer(int listening, QByteArray reply, Then then)
        : listening_(listening), reply_(std::move(reply)), then_(then)
    {
        if (::pipe2(stop_, O_CLOEXEC) == 0)
            thread_ = std::thread([this] { serve(); });
    }
    FakeXServer(const FakeXServer&) = delete;
    FakeXServer& operator=(const FakeXServer&) = delete;
    ~FakeXServer()
    {
        if (thread_.joinable()) {
            (void)::write(stop_[1], "x", 1);
            thread_.join();
        }
        for (const int fd : {stop_[0], stop_[1], listening_})
            ::close(fd);
        for (const int fd : open_)
            ::close(fd);
    }

private:
    void serve()
    {
        for (;;) {
            pollfd p[2] = {{listening_, POLLIN, 0}, {stop_[0], POLLIN, 0}};
            if (::poll(p, 2, -1) < 0 || p[1].revents != 0)
                return;
            const int connection = ::accept4(listening_, nullptr, nullptr, SOCK_CLOEXEC);
            if (connection < 0)
                continue;
            char request[256];
            pollfd in{connection, POLLIN, 0};
            if (::poll(&in, 1, 1000) == 1)
                (void)::recv(connection, request, sizeof request, 0);
            if (!reply_.isEmpty())
                (void)::send(connection, reply_.constData(), static_cast<std::size_t>(reply_.size()), MSG_NOSIGNAL);
            if (then_ == HangUp)
                ::close(connection);
            else
                open_.push_back(connection);
        }
    }

    int listening_;
    QByteArray reply_;
    Then then_;
    int stop_[2] = {-1, -1};
    std::vector<int> open_;
    std::thread thread_;
};

// A whole set-up reply with the status byte given and a four-byte body (the reason of a refusal).
QByteArray setupReply(char status)
{
    QByteArray reply("\x00\x04\x0b\x00\x00\x00\x01\x00nope", 12);
    reply[0] = status;
    return reply;
}

struct Run {
    int exitCode = -1;
    QProcess::ExitStatus status = QProcess::CrashExit;
    QString errors;
};

// Starts the program once for each display, all at once, with DISPLAY set to it and no other
// platform asked for, and waits at most ten seconds for them to end; a program still running then
// is stopped and counts as crashed.
QList<Run> startPrograms(const QStringList& displays)
{
    std::vector<std::unique_ptr<QProcess>> programs;
    for (const QString& display : displays) {
        auto program = std::make_unique<QProcess>();
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.remove(QStringLiteral("QT_QPA_PLATFORM"));
        env.remove(QStringLiteral("WAYLAND_DISPLAY"));
        env.insert(QStringLiteral("DISPLAY"), display);
        program->setProcessEnvironment(env);
        program->start(QStringLiteral(HEATCALC_PROGRAM), {});
        programs.push_back(std::move(program));
    }
    QElapsedTimer clock;
    clock.start();
    QList<Run> runs;
    for (auto& program : programs) {
        Run run;
        if (program->waitForStarted(10000) &&
            program->waitForFinished(static_cast<int>(std::max<qint64>(1, 10000 - clock.elapsed())))) {
            run.exitCode = program->exitCode();
            run.status = program->exitStatus();
            run.errors = QString::fromLocal8Bit(program->readAllStandardError());
        } else {
            program->kill();
            program->waitForFinished();
        }
        runs << run;
    }
    return runs;
}

Run startProgram(const QString& display)
{
    return startPrograms({display}).front();
}

// The program ended with status 1, the words given and the way to start it without a display,
// and none of the window system's advice to reinstall.
bool endedWithWords(const Run& run, const QString& words)
{
    return run.status == QProcess::NormalExit && run.exitCode == 1 && run.errors.contains(words) &&
           run.errors.contains(QStringLiteral("xvfb-run -a ./build/heatcalc")) &&
           !run.errors.contains(QStringLiteral("Reinstalling"));
}

}  // namespace

class ProgramStartTest : public QObject {
    Q_OBJECT

private slots:
    void displayNamesAreReadAsTheXClientReadsThem();
    void reachableOnlyWhileAServerReplies();
    void setUpIsReadToTheEndOfTheReply_data();
    void setUpIsReadToTheEndOfTheReply();
    void virtualServerRepliesWithAndWithoutItsCookie();
    void unreachableDisplayEndsWithWordsAndStatusOne_data();
    void unreachableDisplayEndsWithWordsAndStatusOne();
    void displayThatNeverRepliesEndsWithWordsAndStatusOne();
    void displayThatRefusesTheProgramEndsWithWordsAndStatusOne();
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

void ProgramStartTest::reachableOnlyWhileAServerReplies()
{
    const int number = unusedDisplay();
    QVERIFY(number >= 0);
    const std::string n = std::to_string(number);
    QVERIFY(!xDisplayReachable(":" + n));
    QVERIFY(!xDisplayReachable("unix:" + n));
    QVERIFY(!xDisplayReachable(""));

    auto local = std::make_unique<FakeXServer>(listenAsLocalDisplay(number), setupReply(0), FakeXServer::HangUp);
    QVERIFY(xDisplayReachable(":" + n));
    QVERIFY(xDisplayReachable(":" + n + ".0"));
    QVERIFY(xDisplayReachable("unix:" + n));
    QVERIFY(!xDisplayReachable("tcp/:" + n));  // TCP was asked for, and nothing listens there
    local.reset();
    QVERIFY(!xDisplayReachable(":" + n));

    auto tcp = std::make_unique<FakeXServer>(listenAsTcpDisplay(number), setupReply(0), FakeXServer::HangUp);
    QVERIFY(xDisplayReachable("localhost:" + n));
    QVERIFY(xDisplayReachable("127.0.0.1:" + n));
    QVERIFY(xDisplayReachable(":" + n));  // a local display falls back to TCP on this machine
    QVERIFY(!xDisplayReachable("unix:" + n));
    tcp.reset();
    QVERIFY(!xDisplayReachable("localhost:" + n));
}

void ProgramStartTest::setUpIsReadToTheEndOfTheReply_data()
{
    QTest::addColumn<QByteArray>("reply");
    QTest::addColumn<bool>("hangUp");
    QTest::addColumn<int>("expected");

    // Whatever the server replies is an answer, once the whole reply is there.
    QTest::newRow("refused") << setupReply(0) << true << int(XSetupReply::Failed);
    QTest::newRow("taken") << setupReply(1) << false << int(XSetupReply::Success);
    QTest::newRow("more authorisation asked") << setupReply(2) << false << int(XSetupReply::Authenticate);
    // Silence, a reply cut short or a reply of no X server is none: the window system would wait
    // for ever on the first two.
    QTest::newRow("silent") << QByteArray() << false << int(XSetupReply::None);
    QTest::newRow("hangs up at once") << QByteArray() << true << int(XSetupReply::None);
    QTest::newRow("stalls in the head") << setupReply(1).left(3) << false << int(XSetupReply::None);
    QTest::newRow("stalls in the body") << setupReply(1).left(9) << false << int(XSetupReply::None);
    QTest::newRow("hangs up in the body") << setupReply(0).left(9) << true << int(XSetupReply::None);
    QTest::newRow("no X reply") << QByteArray("\x03\x00\x0b\x00\x00\x00\x00\x00", 8) << true << int(XSetupReply::None);
}

void ProgramStartTest::setUpIsReadToTheEndOfTheReply()
{
    QFETCH(QByteArray, reply);
    QFETCH(bool, hangUp);
    QFETCH(int, expected);
    const int number = unusedDisplay();
    QVERIFY(number >= 0);
    FakeXServer server(listenAsLocalDisplay(number), reply, hangUp ? FakeXServer::HangUp : FakeXServer::Stall);
    QElapsedTimer clock;
    clock.start();
    QCOMPARE(int(xSetupReply(":" + std::to_string(number), std::chrono::milliseconds(400))), expected);
    QVERIFY(clock.elapsed() < 2000);
}

void ProgramStartTest::virtualServerRepliesWithAndWithoutItsCookie()
{
    const QString xvfb = QStandardPaths::findExecutable(QStringLiteral("Xvfb"));
    const QString xauth = QStandardPaths::findExecutable(QStringLiteral("xauth"));
    if (xvfb.isEmpty() || xauth.isEmpty())
        QSKIP("Xvfb or xauth is not installed");
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    const int number = unusedDisplay();
    QVERIFY(number >= 0);
    const QString display = QStringLiteral(":%1").arg(number);
    const QString cookie = QStringLiteral("0123456789abcdef0123456789abcdef");
    auto addCookie = [&](const QString& file, const QString& entry, const QString& data) {
        QProcess add;
        add.setStandardErrorFile(QProcess::nullDevice());  // that the file is new
        add.start(xauth, {QStringLiteral("-f"), folder.filePath(file), QStringLiteral("add"), entry,
                          QStringLiteral("."), data});
        return add.waitForFinished() && add.exitStatus() == QProcess::NormalExit && add.exitCode() == 0;
    };
    // The server knows its cookie only; the user's file holds first the cookies of another display
    // and of another machine's display of the same number.
    QVERIFY(addCookie(QStringLiteral("server"), display, cookie));
    QVERIFY(addCookie(QStringLiteral("user"), QStringLiteral(":%1").arg(number + 1), QString(32, u'1')));
    QVERIFY(addCookie(QStringLiteral("user"), QStringLiteral("elsewhere/unix") + display, QString(32, u'2')));
    QVERIFY(addCookie(QStringLiteral("user"), display, cookie));

    // Without a reset when its last client leaves, which drops a connection made at that moment.
    QProcess server;
    server.start(xvfb, {display, QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-auth"),
                        folder.filePath(QStringLiteral("server")), QStringLiteral("-nolisten"), QStringLiteral("tcp"),
                        QStringLiteral("-noreset")});
    QVERIFY(server.waitForReadyRead(10000));  // the display number, once it listens
    const bool hadAuthority = qEnvironmentVariableIsSet("XAUTHORITY");
    const QByteArray authority = qgetenv("XAUTHORITY");
    const std::string name = display.toStdString();
    qputenv("XAUTHORITY", folder.filePath(QStringLiteral("user")).toLocal8Bit());
    const XSetupReply withCookie = xSetupReply(name);
    qputenv("XAUTHORITY", folder.filePath(QStringLiteral("none")).toLocal8Bit());
    const XSetupReply without = xSetupReply(name);
    const bool reachable = xDisplayReachable(name);
    if (hadAuthority)
        qputenv("XAUTHORITY", authority);
    else
        qunsetenv("XAUTHORITY");
    server.terminate();
    QVERIFY(server.waitForFinished(10000));

    QCOMPARE(int(withCookie), int(XSetupReply::Success));
    QCOMPARE(int(without), int(XSetupReply::Failed));
    QVERIFY(reachable);
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

void ProgramStartTest::displayThatNeverRepliesEndsWithWordsAndStatusOne()
{
    // Each takes the connection: one says nothing, one hangs up at once, and one over TCP sends
    // the first bytes of its reply and then nothing more. The programs run at the same time.
    std::vector<std::unique_ptr<FakeXServer>> servers;
    QStringList displays;
    const std::pair<QByteArray, FakeXServer::Then> replies[] = {{QByteArray(), FakeXServer::Stall},
                                                                {QByteArray(), FakeXServer::HangUp},
                                                                {setupReply(1).left(5), FakeXServer::Stall}};
    for (const auto& [reply, then] : replies) {
        const int number = unusedDisplay();
        QVERIFY(number >= 0);
        const bool tcp = !reply.isEmpty();
        servers.push_back(std::make_unique<FakeXServer>(tcp ? listenAsTcpDisplay(number) : listenAsLocalDisplay(number),
                                                        reply, then));
        displays << (tcp ? QStringLiteral("127.0.0.1:%1") : QStringLiteral(":%1")).arg(number);
    }
    const QList<Run> runs = startPrograms(displays);
    for (qsizetype i = 0; i < displays.size(); ++i)
        QVERIFY2(endedWithWords(
                     runs[i], QStringLiteral("the display \"%1\" named in DISPLAY cannot be reached").arg(displays[i])),
                 qPrintable(displays[i] + QStringLiteral(": ") + runs[i].errors));
}

void ProgramStartTest::displayThatRefusesTheProgramEndsWithWordsAndStatusOne()
{
    // The server replies, refusing the connection: the window system then fails to open the
    // display, and says why.
    const int number = unusedDisplay();
    QVERIFY(number >= 0);
    FakeXServer server(listenAsLocalDisplay(number), setupReply(0), FakeXServer::HangUp);
    const QString display = QStringLiteral(":%1").arg(number);
    const Run run = startProgram(display);
    QVERIFY2(endedWithWords(run, QStringLiteral("the display \"%1\" could not be opened").arg(display)),
             qPrintable(run.errors));
}

QTEST_GUILESS_MAIN(ProgramStartTest)
#include "program_start_test.moc"
