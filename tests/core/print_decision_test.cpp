#include <gtest/gtest.h>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <string>

#include "ui/print_decision.h"

using namespace heatcalc::ui::printing;
using std::chrono::milliseconds;

namespace {

// A hand-over to the scheduler at localhost:631 whose default destination is "Bars".
Facts connected()
{
    Facts f;
    f.server = "localhost:631";
    f.timeout = milliseconds(10000);
    f.connected = true;
    f.destination = "Bars";
    f.printerState = "3";
    return f;
}

std::string text(const Facts& f)
{
    return message(decide(f)).text;
}

}  // namespace

TEST(PrintTimeout, PositiveWholeMillisecondsOrTenSeconds)
{
    EXPECT_EQ(timeoutFromSetting(nullptr), milliseconds(10000));
    EXPECT_EQ(timeoutFromSetting("1500"), milliseconds(1500));
    EXPECT_EQ(timeoutFromSetting(" 250 "), milliseconds(250));
    for (const char* unusable : {"", "0", "-1500", "+1500", "abc", "1500ms", "1.5", "0x10", "99999999999"})
        EXPECT_EQ(timeoutFromSetting(unusable), milliseconds(10000)) << '"' << unusable << '"';
}

TEST(PrintOutcome, WhatTheAnswersMeanAndWhichJobsAreWithdrawn)
{
    Facts printed = connected();
    printed.jobId = 7;
    printed.sent = true;
    EXPECT_EQ(decide(printed).kind, Kind::Printed);
    EXPECT_FALSE(withdraws(decide(printed)));

    // The window went away after the server had taken the document: the job prints.
    Facts printedThenClosed = printed;
    printedThenClosed.cancelled = true;
    EXPECT_EQ(decide(printedThenClosed).kind, Kind::Printed);

    // Told "no answer" at the deadline, the job is not left to print after all.
    Facts printedTooLate = printed;
    printedTooLate.deadlinePassed = true;
    EXPECT_EQ(decide(printedTooLate).kind, Kind::TimedOut);
    EXPECT_TRUE(withdraws(decide(printedTooLate)));

    Facts closedWhileSending = connected();
    closedWhileSending.jobId = 7;
    closedWhileSending.cancelled = true;
    closedWhileSending.connectionError = EPIPE;
    EXPECT_EQ(decide(closedWhileSending).kind, Kind::Cancelled);
    EXPECT_TRUE(withdraws(decide(closedWhileSending)));

    Facts refusedDocument = connected();
    refusedDocument.jobId = 7;
    refusedDocument.status = "client-error-document-format-not-supported";
    refusedDocument.message = "Unsupported document-format.";
    EXPECT_EQ(decide(refusedDocument).kind, Kind::Refused);
    EXPECT_TRUE(withdraws(decide(refusedDocument)));

    Facts refusedJob = connected();
    refusedJob.status = "server-error-not-accepting-jobs";
    EXPECT_EQ(decide(refusedJob).kind, Kind::Refused);
    EXPECT_FALSE(withdraws(decide(refusedJob)));

    Facts broken = connected();
    broken.jobId = 7;
    broken.connectionError = ECONNRESET;
    EXPECT_EQ(decide(broken).kind, Kind::Broken);
    EXPECT_TRUE(withdraws(decide(broken)));

    Facts noDefault = connected();
    noDefault.destination.clear();
    noDefault.status = "client-error-not-found";
    EXPECT_EQ(decide(noDefault).kind, Kind::NoDefault);

    Facts notRunning;
    notRunning.connectError = ECONNREFUSED;
    EXPECT_EQ(decide(notRunning).kind, Kind::Unreachable);

    // A connection still not made when the time ran out is a server that did not answer.
    Facts connectTimedOut;
    connectTimedOut.deadlinePassed = true;
    connectTimedOut.connectError = ETIMEDOUT;
    EXPECT_EQ(decide(connectTimedOut).kind, Kind::TimedOut);
}

TEST(PrintMessage, CauseFirstThenTheServersOwnWords)
{
    Facts notRunning;
    notRunning.server = "localhost:631";
    notRunning.connectError = ECONNREFUSED;
    EXPECT_EQ(text(notRunning), "打印服务没有运行：不能连接打印服务器 localhost:631（" +
                                    std::string(std::strerror(ECONNREFUSED)) + "）。");

    Facts refused = connected();
    refused.status = "server-error-not-accepting-jobs";
    refused.message = "Destination \"Bars\" is not accepting jobs.";
    EXPECT_EQ(
        text(refused),
        "打印机 Bars 不接受打印任务（Destination \"Bars\" is not accepting jobs，server-error-not-accepting-jobs）。");
    // A Chinese server closes its reason with its own full stop.
    refused.message = "目标“Bars”不接受任务。 ";
    EXPECT_EQ(text(refused), "打印机 Bars 不接受打印任务（目标“Bars”不接受任务，server-error-not-accepting-jobs）。");

    Facts noDefault = connected();
    noDefault.destination.clear();
    noDefault.status = "client-error-not-found";
    noDefault.message = "无默认目标。";
    EXPECT_EQ(text(noDefault), "没有默认打印机（无默认目标）。");

    Facts silent = connected();
    silent.deadlinePassed = true;
    EXPECT_EQ(text(silent), "打印服务器 localhost:631 在 10 秒内没有应答。");
    silent.timeout = milliseconds(1500);
    EXPECT_EQ(text(silent), "打印服务器 localhost:631 在 1.5 秒内没有应答。");
    silent.timeout = milliseconds(250);
    EXPECT_EQ(text(silent), "打印服务器 localhost:631 在 0.25 秒内没有应答。");

    const Message failure = message(decide(silent));
    EXPECT_TRUE(failure.failure);
    EXPECT_EQ(failure.title, "打印失败");

    Facts printed = connected();
    printed.jobId = 12;
    printed.sent = true;
    const Message notice = message(decide(printed));
    EXPECT_FALSE(notice.failure);
    EXPECT_EQ(notice.text, "打印任务已交给打印服务器，作业号 12。");
    printed.printerState = "5";
    printed.stateReasons = "paused";
    EXPECT_EQ(text(printed),
              "打印任务已交给打印服务器，作业号 12；打印机 Bars 已停止（paused），任务要等它恢复后才打印。");
}
