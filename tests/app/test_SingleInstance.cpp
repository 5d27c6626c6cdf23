// The single-instance channel, with markers of the test's own so a running program is never met.
#include "platform/gui/SingleInstance.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QLocalServer>
#include <QLocalSocket>
#include <cstdio>
#include <filesystem>
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace {

std::u16string TestMarker(const char* name) {
    const std::string text = std::string("QUELLMARK-TEST-") + name + "-" + std::to_string(::getpid());
    return std::u16string(text.begin(), text.end());
}

// Serves the event loop until done() or about two seconds have passed.
template <typename Done> void ServeEventsUntil(Done done) {
    QElapsedTimer timer;
    timer.start();
    while (!done() && timer.elapsed() < 2000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
}

} // namespace

TEST(SingleInstance, TheFirstCopyRunsAndASecondOneDoesNot) {
    const std::u16string marker = TestMarker("claim");
    SingleInstance first(marker);
    EXPECT_TRUE(first.Claim());
    EXPECT_TRUE(first.Claim()); // asking again keeps the lock

    SingleInstance second(marker);
    EXPECT_FALSE(second.Claim());
    EXPECT_NE(first.LockPath().find(std::to_string(::getuid())), std::string::npos);

    // Other markers are other programs.
    SingleInstance other(TestMarker("other"));
    EXPECT_TRUE(other.Claim());
}

TEST(SingleInstance, TheLockEndsWithItsHolder) {
    const std::u16string marker = TestMarker("release");
    {
        SingleInstance first(marker);
        ASSERT_TRUE(first.Claim());
    }
    SingleInstance next(marker);
    EXPECT_TRUE(next.Claim());
}

TEST(SingleInstance, ASecondStartBeforeTheWindowIsMarkedRaisesNothing) {
    const std::u16string marker = TestMarker("early");
    SingleInstance first(marker);
    ASSERT_TRUE(first.Claim());

    SingleInstance second(marker);
    ASSERT_FALSE(second.Claim());
    EXPECT_FALSE(second.RequestRaise(200));
}

TEST(SingleInstance, ASecondStartAsksTheFirstToRaiseItsWindow) {
    const std::u16string marker = TestMarker("raise");
    SingleInstance first(marker);
    ASSERT_TRUE(first.Claim());
    int raised = 0;
    ASSERT_TRUE(first.Listen([&raised] { ++raised; }));
    EXPECT_TRUE(first.IsListening());

    // The second copy's request is served by the first copy's event loop; here both live in one
    // process, so the request is sent without waiting for the answer and served afterwards.
    SingleInstance second(marker);
    ASSERT_FALSE(second.Claim());
    EXPECT_TRUE(second.RequestRaise(300));
    ServeEventsUntil([&raised] { return raised > 0; });
    EXPECT_EQ(raised, 1);
}

TEST(SingleInstance, AStaleSocketOfACrashedCopyDoesNotBlockTheNextStart) {
    const std::u16string marker = TestMarker("stale");
    SingleInstance probe(marker);
    // A socket file nobody serves, as a copy that crashed leaves it: bound, never unlinked.
    std::filesystem::remove(probe.SocketPath());
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::snprintf(address.sun_path, sizeof address.sun_path, "%s", probe.SocketPath().c_str());
    ASSERT_EQ(::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    ::close(fd);
    ASSERT_TRUE(std::filesystem::exists(probe.SocketPath()));

    SingleInstance first(marker);
    ASSERT_TRUE(first.Claim());
    int raised = 0;
    ASSERT_TRUE(first.Listen([&raised] { ++raised; }));

    SingleInstance second(marker);
    EXPECT_TRUE(second.RequestRaise(300));
    ServeEventsUntil([&raised] { return raised > 0; });
    EXPECT_EQ(raised, 1);
}

TEST(SingleInstance, OtherTextOnTheChannelRaisesNothing) {
    const std::u16string marker = TestMarker("noise");
    SingleInstance first(marker);
    ASSERT_TRUE(first.Claim());
    int raised = 0;
    ASSERT_TRUE(first.Listen([&raised] { ++raised; }));

    QLocalSocket socket;
    socket.connectToServer(QString::fromStdString(first.SocketPath()));
    ASSERT_TRUE(socket.waitForConnected(1000));
    socket.write("hello\n");
    socket.flush();
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < 300)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    EXPECT_EQ(raised, 0);
}
