#include "edit/single_instance.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QSignalSpy>
#include <atomic>
#include <thread>

#include "edit/edit_test_support.h"
#include "platform/files.h"

namespace orv::edit::test {
namespace {

using SingleInstanceTest = EditorTest;

// A second start hands its files to the editor listening, which confirms.
TEST_F(SingleInstanceTest, FilesGoToTheRunningEditor) {
  const QString socket = QString::fromStdString(Root() + "editor.socket");
  EXPECT_FALSE(SingleInstance::HandOver(socket, {QStringLiteral("/a.hts")}));  // nobody listens yet
  SingleInstance running(socket, nullptr);
  ASSERT_TRUE(running.Listen());
  QSignalSpy received(&running, &SingleInstance::FilesReceived);
  // The second start is another process: here a thread that waits for the
  // answer while this one serves the socket.
  std::atomic<int> handed = -1;
  std::thread second([&] {
    handed = SingleInstance::HandOver(socket, {QStringLiteral("/s/a b.hts"), QStringLiteral("rel.orv")});
  });
  const bool got = received.wait(10000);
  EXPECT_TRUE(QTest::qWaitFor([&] { return handed >= 0; }, 10000));
  second.join();
  ASSERT_TRUE(got);
  EXPECT_EQ(received.first().first().toStringList(),
            (QStringList{QStringLiteral("/s/a b.hts"), QDir::current().absoluteFilePath(QStringLiteral("rel.orv"))}));
  EXPECT_EQ(handed, 1);
}

// A socket left behind by an editor that ended is taken over.
TEST_F(SingleInstanceTest, LeftoverSocketIsTakenOver) {
  const QString socket = QString::fromStdString(Root() + "left.socket");
  {
    SingleInstance first(socket, nullptr);
    ASSERT_TRUE(first.Listen());
  }
  WriteFileBytes(socket.toStdString(), "");
  SingleInstance second(socket, nullptr);
  EXPECT_TRUE(second.Listen());
}

// Turning "Prevent Multiple Instances" off stops the hand-over; on again, it
// comes back.
TEST_F(SingleInstanceTest, ListeningFollowsThePreference) {
  const QString socket = QString::fromStdString(Root() + "pref.socket");
  SingleInstance running(socket, nullptr);
  running.SetListening(true);
  running.SetListening(true);
  running.SetListening(false);
  EXPECT_FALSE(SingleInstance::HandOver(socket, {}));
  running.SetListening(true);
  QSignalSpy received(&running, &SingleInstance::FilesReceived);
  std::atomic<int> handed = -1;
  std::thread second([&] { handed = SingleInstance::HandOver(socket, {}); });
  EXPECT_TRUE(received.wait(10000));
  EXPECT_TRUE(QTest::qWaitFor([&] { return handed >= 0; }, 10000));
  second.join();
  EXPECT_EQ(handed, 1);
  EXPECT_TRUE(received.first().first().toStringList().isEmpty());
}

}  // namespace
}  // namespace orv::edit::test
